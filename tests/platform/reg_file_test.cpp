// ".reg" files: reading every value form in every encoding, applying, exporting as
// regedit does, and refusing malformed files without touching the registry. Applied to
// the substitute natively and to the real registry under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/reg_file.h"
#include "platform/registry.h"
#include "scratch_key.h"
#include "support/test_platform.h"

namespace ovalin::testing {
namespace {

using platform::kKeyAllAccess;
using platform::RegFileError;
using platform::RegFileOperation;
using Bytes = std::vector<std::uint8_t>;

Bytes Utf16(std::u16string_view text) {
  Bytes bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

// UTF-8 text as a UTF-16 LE file with BOM.
std::string Utf16File(std::string_view utf8) {
  Bytes bytes = Utf16(U16(utf8));
  return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
}

std::string FromUtf16File(const std::string& bytes) {
  std::u16string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return U8(text);
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string FixturePath(const char* name) {
  std::string path = std::string(OVALIN_FIXTURES_DIR) + "/regfile/" + name;
#ifdef _WIN32
  if (!path.empty() && path.front() == '/') path = "Z:" + path;  // Wine's view of the host
#endif
  return path;
}

std::string ReadHostFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

bool SameOperations(const std::vector<RegFileOperation>& a,
                    const std::vector<RegFileOperation>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].kind != b[i].kind || a[i].keyPath != b[i].keyPath ||
        a[i].valueName != b[i].valueName || a[i].type != b[i].type || a[i].data != b[i].data) {
      return false;
    }
  }
  return true;
}

class RegFileTest : public ::testing::Test {
 protected:
  platform::Registry& registry() { return platform_.Get().registry; }

  // The text with "$K" standing for the scratch key's full path.
  std::string WithKey(std::string_view text) {
    return ReplaceAll(std::string(text), "$K", U8(scratch_.path()));
  }

  void Load(const std::string& bytes) {
    std::vector<RegFileOperation> operations;
    RegFileError error;
    ASSERT_TRUE(platform::ParseRegFile(bytes, "test.reg", &operations, &error))
        << error.Message();
    ASSERT_TRUE(platform::ApplyRegFile(registry(), operations, &error)) << error.Message();
  }

  // Type and bytes of a value below the scratch key; type 0xFFFFFFFF when missing.
  std::pair<std::uint32_t, Bytes> Value(std::u16string_view key, std::u16string_view name) {
    KeyHolder holder(registry());
    std::uint32_t type = 0xFFFFFFFF;
    Bytes data;
    if (registry().OpenKey(scratch_.key(), key, kKeyAllAccess, holder.receive()) !=
        platform::kRegOk) {
      return {type, data};
    }
    std::uint32_t size = 0;
    if (registry().QueryValue(holder.get(), name, &type, nullptr, &size) != platform::kRegOk) {
      return {0xFFFFFFFF, data};
    }
    data.resize(size);
    registry().QueryValue(holder.get(), name, &type, data.data(), &size);
    return {type, data};
  }

  bool KeyExists(std::u16string_view key) {
    KeyHolder holder(registry());
    return registry().OpenKey(scratch_.key(), key, platform::kKeyRead, holder.receive()) ==
           platform::kRegOk;
  }

  std::string ExportScratch() {
    return FromUtf16File(platform::ExportRegFile(registry(), {scratch_.path()}));
  }

  TestPlatform platform_;
  ScratchKey scratch_{platform_};
};

constexpr char kEveryType[] =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "; a comment\n"
    "[$K\\Types]\n"
    "@=\"default\"\n"
    "\"Text\"=\"C:\\\\Path \\\"quoted\\\" \xC3\xA9\"\n"
    "\"Number\"=dword:0000001f\n"
    "\"Short dword\"=dword:7\n"
    "\"Binary\"=hex:00,01,fe,FF\n"
    "\"Expand\"=hex(2):25,00,58,00,25,00,00,00\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
    "\"Qword\"=hex(b):88,77,66,55,44,33,22,11\n"
    "\"None\"=hex(0):\n"
    "\"Odd type\"=hex(1234):de,ad\n"
    "\"Empty\"=hex:\n"
    "\"Continued\"=hex:01,02,\\\n"
    "    03,04,\\\n"
    "\t05\n"
    "  \"Indented\" = dword:00000001 ; trailing comment\n"
    "\n"
    "[$K\\Types\\Sub Key]\n";

struct ExpectedValue {
  const char16_t* name;
  std::uint32_t type;
  Bytes data;
};

const std::vector<ExpectedValue>& EveryTypeValues() {
  static const std::vector<ExpectedValue> values = {
      {u"", platform::kRegSz, Utf16(std::u16string(u"default") + u'\0')},
      {u"Text", platform::kRegSz, Utf16(std::u16string(u"C:\\Path \"quoted\" \u00E9") + u'\0')},
      {u"Number", platform::kRegDword, {0x1F, 0, 0, 0}},
      {u"Short dword", platform::kRegDword, {7, 0, 0, 0}},
      {u"Binary", platform::kRegBinary, {0x00, 0x01, 0xFE, 0xFF}},
      {u"Expand", platform::kRegExpandSz, Utf16(std::u16string(u"%X%") + u'\0')},
      {u"Multi", platform::kRegMultiSz, Utf16(std::u16string(u"a\0b\0\0", 5))},
      {u"Qword", platform::kRegQword, {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}},
      {u"None", platform::kRegNone, {}},
      {u"Odd type", 0x1234, {0xDE, 0xAD}},
      {u"Empty", platform::kRegBinary, {}},
      {u"Continued", platform::kRegBinary, {1, 2, 3, 4, 5}},
      {u"Indented", platform::kRegDword, {1, 0, 0, 0}},
  };
  return values;
}

TEST_F(RegFileTest, ReadsEveryValueForm) {
  ASSERT_NO_FATAL_FAILURE(Load(WithKey(kEveryType)));
  for (const auto& expected : EveryTypeValues()) {
    SCOPED_TRACE(U8(expected.name));
    auto [type, data] = Value(u"Types", expected.name);
    EXPECT_EQ(expected.type, type);
    EXPECT_EQ(expected.data, data);
  }
  EXPECT_TRUE(KeyExists(u"Types\\Sub Key"));
}

TEST_F(RegFileTest, EveryEncodingGivesTheSameOperations) {
  const std::string utf8 = WithKey(kEveryType);
  std::vector<RegFileOperation> reference;
  RegFileError error;
  ASSERT_TRUE(platform::ParseRegFile(utf8, "utf8.reg", &reference, &error)) << error.Message();
  const std::pair<const char*, std::string> variants[] = {
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8},
      {"CRLF", ReplaceAll(utf8, "\n", "\r\n")},
      {"CR", ReplaceAll(utf8, "\n", "\r")},
      {"UTF-16 LE with BOM", Utf16File(utf8)},
      {"UTF-16 LE with BOM, CRLF", Utf16File(ReplaceAll(utf8, "\n", "\r\n"))},
  };
  for (const auto& [label, bytes] : variants) {
    SCOPED_TRACE(label);
    std::vector<RegFileOperation> operations;
    ASSERT_TRUE(platform::ParseRegFile(bytes, label, &operations, &error)) << error.Message();
    EXPECT_TRUE(SameOperations(reference, operations));
  }
}

TEST_F(RegFileTest, Regedit4StoresStringsAsUtf16) {
  ASSERT_NO_FATAL_FAILURE(Load(WithKey(
      "REGEDIT4\r\n\r\n"
      "[$K\\Old]\r\n"
      "\"Text\"=\"caf\xE9\"\r\n"  // ANSI (Latin-1) byte
      "\"Expand\"=hex(2):25,58,25,00\r\n"
      "\"Multi\"=hex(7):61,00,62,63,00,00\r\n"
      "\"Binary\"=hex:25,58\r\n")));
  const ExpectedValue values[] = {
      {u"Text", platform::kRegSz, Utf16(std::u16string(u"caf\u00E9") + u'\0')},
      {u"Expand", platform::kRegExpandSz, Utf16(std::u16string(u"%X%") + u'\0')},
      {u"Multi", platform::kRegMultiSz, Utf16(std::u16string(u"a\0bc\0\0", 6))},
      {u"Binary", platform::kRegBinary, {0x25, 0x58}},
  };
  for (const auto& expected : values) {
    SCOPED_TRACE(U8(expected.name));
    auto [type, data] = Value(u"Old", expected.name);
    EXPECT_EQ(expected.type, type);
    EXPECT_EQ(expected.data, data);
  }
}

TEST_F(RegFileTest, DeletesKeysWithTheirSubtreesAndValues) {
  ASSERT_NO_FATAL_FAILURE(Load(WithKey(
      "Windows Registry Editor Version 5.00\n"
      "[$K\\Gone\\Deep\\Deeper]\n\"x\"=dword:1\n"
      "[$K\\Gone\\Other]\n"
      "[$K\\Stays]\n\"keep\"=dword:1\n\"drop\"=dword:2\n@=\"d\"\n")));
  ASSERT_NO_FATAL_FAILURE(Load(WithKey(
      "Windows Registry Editor Version 5.00\n"
      "[-$K\\Gone]\n"
      "[-$K\\Never existed]\n"
      "[$K\\Stays]\n\"drop\"=-\n@=-\n\"never existed\"=-\n")));
  EXPECT_FALSE(KeyExists(u"Gone"));
  EXPECT_TRUE(KeyExists(u"Stays"));
  EXPECT_EQ(platform::kRegDword, Value(u"Stays", u"keep").first);
  EXPECT_EQ(0xFFFFFFFFu, Value(u"Stays", u"drop").first);
  EXPECT_EQ(0xFFFFFFFFu, Value(u"Stays", u"").first);
}

// What regedit writes: header, CRLF, a blank line after each key, strings quoted with
// escapes, dword:, hex: and hex(N): lists wrapped with a backslash before column 80.
TEST_F(RegFileTest, ExportsAsRegeditDoes) {
  KeyHolder key(registry());
  ASSERT_EQ(platform::kRegOk,
            registry().CreateKey(scratch_.key(), u"E", kKeyAllAccess, key.receive()));
  const std::pair<const char16_t*, std::pair<std::uint32_t, Bytes>> values[] = {
      {u"", {platform::kRegSz, Utf16(std::u16string(u"d") + u'\0')}},
      {u"Q\"uote\\", {platform::kRegSz, Utf16(std::u16string(u"a\\\"b") + u'\0')}},
      {u"Embedded NUL", {platform::kRegSz, Utf16(std::u16string(u"a\0b\0", 4))}},
      {u"Empty string", {platform::kRegSz, {}}},
      {u"Line break", {platform::kRegSz, Utf16(std::u16string(u"a\nb") + u'\0')}},
      {u"Dword", {platform::kRegDword, {0x1F, 0, 0, 0x80}}},
      {u"Short dword", {platform::kRegDword, {1, 2}}},
      {u"Expand", {platform::kRegExpandSz, Utf16(std::u16string(u"%A%") + u'\0')}},
      {u"Blob", {platform::kRegBinary, Bytes(48)}},
      {u"Odd", {0x1234, {0xAB}}},
  };
  for (const auto& [name, value] : values) {
    ASSERT_EQ(platform::kRegOk,
              registry().SetValue(key.get(), name, value.first, value.second.data(),
                                  static_cast<std::uint32_t>(value.second.size())));
  }
  ASSERT_EQ(platform::kRegOk, registry().CreateKey(scratch_.key(), u"E\\Sub", kKeyAllAccess,
                                                   key.receive()));
  const std::string expected = WithKey(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[$K]\r\n\r\n"
      "[$K\\E]\r\n"
      "@=\"d\"\r\n"
      "\"Q\\\"uote\\\\\"=\"a\\\\\\\"b\"\r\n"
      "\"Embedded NUL\"=hex(1):61,00,00,00,62,00,00,00\r\n"
      "\"Empty string\"=hex(1):\r\n"
      "\"Line break\"=hex(1):61,00,0a,00,62,00,00,00\r\n"
      "\"Dword\"=dword:8000001f\r\n"
      "\"Short dword\"=hex(4):01,02\r\n"
      "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
      "\"Blob\"=hex:00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\r\n"
      "  00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\r\n"
      "  00\r\n"
      "\"Odd\"=hex(1234):ab\r\n"
      "\r\n"
      "[$K\\E\\Sub]\r\n\r\n");
  std::string exported = ExportScratch();
  if (!platform_.IsSubstitute()) {
    // Wine lists values sorted by name rather than in creation order: compare lines.
    auto lines = [](const std::string& text) {
      std::vector<std::string> all;
      for (std::size_t at = 0; at < text.size();) {
        auto end = text.find("\r\n", at);
        all.push_back(text.substr(at, end - at));
        at = end + 2;
      }
      std::sort(all.begin(), all.end());
      return all;
    };
    EXPECT_EQ(lines(expected), lines(exported));
  } else {
    EXPECT_EQ(expected, exported);
  }
}

// A file regedit wrote under Wine loads, and exports again byte for byte.
TEST_F(RegFileTest, RegeditExportRoundTripsByteForByte) {
  const std::string original = ReadHostFile(FixturePath("regedit_export.reg"));
  const std::u16string root = u"HKEY_CURRENT_USER\\Software\\OvalinTests\\RegeditExport";
  platform_.RemoveKeyAtEnd(root);
  platform::RegFileOperation clear{RegFileOperation::Kind::kDeleteKey, root, u"", 0, {}};
  RegFileError error;
  ASSERT_TRUE(platform::ApplyRegFile(registry(), {clear}, &error)) << error.Message();
  ASSERT_NO_FATAL_FAILURE(Load(original));
  EXPECT_EQ(FromUtf16File(original), FromUtf16File(platform::ExportRegFile(registry(), {root})));
}

// Load, export, load into an empty tree, export: the same text.
TEST_F(RegFileTest, ExportLoadsBackToTheSameTree) {
  ASSERT_NO_FATAL_FAILURE(Load(WithKey(kEveryType)));
  const std::string first = platform::ExportRegFile(registry(), {scratch_.path()});
  platform::RegFileOperation clear{RegFileOperation::Kind::kDeleteKey, scratch_.path(), u"",
                                   0, {}};
  RegFileError error;
  ASSERT_TRUE(platform::ApplyRegFile(registry(), {clear}, &error)) << error.Message();
  ASSERT_NO_FATAL_FAILURE(Load(first));
  EXPECT_EQ(FromUtf16File(first), ExportScratch());
}

// Names with line breaks are written with escapes, so that the file reads back.
TEST_F(RegFileTest, NamesWithLineBreaksLoadBack) {
  KeyHolder key(registry());
  ASSERT_EQ(platform::kRegOk,
            registry().CreateKey(scratch_.key(), u"Breaks", kKeyAllAccess, key.receive()));
  const Bytes text = Utf16(std::u16string(u"x") + u'\0');
  for (const char16_t* name : {u"line\nbreak", u"return\rhere", u"both\r\n\"quoted\""}) {
    ASSERT_EQ(platform::kRegOk, registry().SetValue(key.get(), name, platform::kRegSz,
                                                    text.data(),
                                                    static_cast<std::uint32_t>(text.size())));
  }
  key.Close();
  const std::string first = platform::ExportRegFile(registry(), {scratch_.path()});
  platform::RegFileOperation clear{RegFileOperation::Kind::kDeleteKey, scratch_.path(), u"",
                                   0, {}};
  RegFileError error;
  ASSERT_TRUE(platform::ApplyRegFile(registry(), {clear}, &error)) << error.Message();
  ASSERT_NO_FATAL_FAILURE(Load(first));
  EXPECT_EQ(FromUtf16File(first), ExportScratch());
  EXPECT_NE(std::string::npos, FromUtf16File(first).find("\"line\\nbreak\"=\"x\""));
}

struct MalformedCase {
  const char* label;
  const char* text;  // after a valid first key with one value (lines 1-3)
  int line;
  const char* problem;  // part of the message
};

TEST_F(RegFileTest, RefusesMalformedFilesAndAppliesNothing) {
  const MalformedCase cases[] = {
      {"bad hex byte", "\"v\"=hex:01,zz\n", 4, "bad hex byte"},
      {"three digit hex byte", "\"v\"=hex:123\n", 4, "bad hex byte"},
      {"hex bytes without comma", "\"v\"=hex:01 02\n", 4, "','"},
      {"bad byte on continued line", "\"v\"=hex:01,\\\n  02,g1\n", 5, "bad hex byte"},
      {"backslash without a comma", "\"v\"=hex:01\\\n  02\n", 4, "','"},
      {"bad type number", "\"v\"=hex(zz):01\n", 4, "type number"},
      {"unterminated string", "\"v\"=\"abc\n", 4, "unterminated string"},
      {"unterminated value name", "\"v=\"abc\"\n", 4, "'='"},
      {"name without data", "\"v\"\n", 4, "'='"},
      {"text after string", "\"v\"=\"a\"b\n", 4, "after the closing quote"},
      {"dword too long", "\"v\"=dword:123456789\n", 4, "bad dword"},
      {"dword not hex", "\"v\"=dword:xyz\n", 4, "bad dword"},
      {"dword empty", "\"v\"=dword:\n", 4, "bad dword"},
      {"unknown data", "\"v\"=qword:1\n", 4, "unrecognised value data"},
      {"unknown root", "\n[HKEY_NOWHERE\\x]\n", 5, "unknown root"},
      {"key without bracket", "[HKEY_CURRENT_USER\\x\n", 4, "']'"},
      {"empty key component", "[HKEY_CURRENT_USER\\a\\\\b]\n", 4, "empty key name"},
      {"root deletion", "[-HKEY_CURRENT_USER]\n", 4, "root key"},
      {"value in deleted key", "[-HKEY_CURRENT_USER\\x]\n\"v\"=dword:1\n", 5, "deletes"},
      {"stray line", "what is this\n", 4, "unrecognised line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string text = WithKey(
        "Windows Registry Editor Version 5.00\n"
        "[$K\\Partial]\n"
        "\"first\"=dword:1\n") + c.text;
    const std::string hostPath =
        (std::filesystem::temp_directory_path() / "ovalin-malformed.reg").string();
    {
      std::ofstream file(hostPath, std::ios::binary | std::ios::trunc);
      file << text;
    }
    RegFileError error;
    EXPECT_FALSE(platform::LoadRegFile(registry(), hostPath, &error));
    EXPECT_EQ(hostPath, error.file);
    EXPECT_EQ(c.line, error.line);
    EXPECT_NE(std::string::npos, error.problem.find(c.problem)) << error.problem;
    EXPECT_EQ(hostPath + ":" + std::to_string(c.line) + ": " + error.problem, error.Message());
    EXPECT_FALSE(KeyExists(u"Partial"));
    std::filesystem::remove(hostPath);
  }
}

TEST_F(RegFileTest, RefusesBadHeadersAndValuesBeforeAKey) {
  const MalformedCase cases[] = {
      {"empty file", "", 1, "empty file"},
      {"no header", "[HKEY_CURRENT_USER\\x]\n", 1, "bad header"},
      {"misspelt header", "Windows Registry Editor Version 4.00\n", 1, "bad header"},
      {"value before key", "REGEDIT4\n\n\"v\"=dword:1\n", 3, "before the first key"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<RegFileOperation> operations;
    RegFileError error;
    EXPECT_FALSE(platform::ParseRegFile(c.text, "bad.reg", &operations, &error));
    EXPECT_EQ("bad.reg", error.file);
    EXPECT_EQ(c.line, error.line);
    EXPECT_NE(std::string::npos, error.problem.find(c.problem)) << error.problem;
    EXPECT_TRUE(operations.empty());
  }
}

// Windows reads a line only up to a NUL character, so such a line is refused wherever it
// stands.
TEST(RegFileNulTest, RefusesLinesWithANulCharacter) {
  using namespace std::string_literals;
  const struct {
    const char* label;
    std::string text;
    int line;
  } cases[] = {
      {"in a value line", "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"A\0B\"=\"v\"\n"s, 3},
      {"in a continued list", "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"A\"=hex:01,\\\n 02\0\n"s, 4},
      {"in a Windows 3.1 line", "REGEDIT\nHKEY_CLASSES_ROOT\\X = a\0b\n"s, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<RegFileOperation> operations;
    RegFileError error;
    EXPECT_FALSE(platform::ParseRegFile(c.text, "nul.reg", &operations, &error));
    EXPECT_EQ(c.line, error.line);
    EXPECT_NE(std::string::npos, error.problem.find("NUL")) << error.problem;
  }
}

// Every single-character change of a well-formed file, in each of the format's special
// characters, parses or is refused with a line inside the file; nothing else happens.
TEST(RegFileMutationTest, EveryOneCharacterChangeIsReadOrRefused) {
  const std::string original = ReplaceAll(kEveryType, "$K", "HKEY_CURRENT_USER\\X");
  const int lineCount = static_cast<int>(std::count(original.begin(), original.end(), '\n'));
  const char specials[] = {'\\', '"', ',', '\n', '\r', ';', '#', '\0', '[', ']', '-',
                           '=', '@', ' ', ':', '(', ')', 'x'};
  int refused = 0;
  for (std::size_t at = 0; at < original.size(); ++at) {
    for (char special : specials) {
      std::string text = original;
      text[at] = special;
      std::vector<RegFileOperation> operations;
      RegFileError error;
      if (!platform::ParseRegFile(text, "m.reg", &operations, &error)) {
        ++refused;
        EXPECT_TRUE(operations.empty());
        EXPECT_GE(error.line, 1) << text;
        EXPECT_LE(error.line, lineCount + 2) << text;
        EXPECT_FALSE(error.problem.empty());
      }
    }
  }
  EXPECT_GT(refused, 0);
}

TEST(RegFileRootTest, ParsesRootNamesAndAbbreviations) {
  const struct {
    const char16_t* path;
    platform::RegKey root;
    const char16_t* rest;
  } cases[] = {
      {u"HKEY_LOCAL_MACHINE\\Software\\X", platform::kLocalMachine, u"Software\\X"},
      {u"hkey_classes_root", platform::kClassesRoot, u""},
      {u"HKCU\\", platform::kCurrentUser, u""},
      {u"hklm\\A", platform::kLocalMachine, u"A"},
      {u"HKCR\\A", platform::kClassesRoot, u"A"},
      {u"HKU\\.DEFAULT\\", platform::kUsers, u".DEFAULT\\"},
      {u"HKCC", platform::kCurrentConfig, u""},
      {u"HKEY_CURRENT_CONFIG\\System", platform::kCurrentConfig, u"System"},
      {u"HKEY_PERFORMANCE_DATA\\x", 0, u"x"},
      {u"\\Software", 0, u"Software"},
      {u"", 0, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.path));
    std::u16string rest;
    EXPECT_EQ(c.root, platform::ParseRootOfPath(c.path, &rest));
    EXPECT_EQ(std::u16string(c.rest), rest);
  }
  EXPECT_EQ(u"HKEY_USERS", platform::RegRootName(platform::kUsers));
  EXPECT_EQ(u"", platform::RegRootName(0x1234));
}

}  // namespace
}  // namespace ovalin::testing
