// What Windows' regedit and reg.exe import from ".reg" texts, case by case, as their
// observed behaviour is recorded in the Wine project's conformance tests (the cases that
// run on Windows; where Wine differs, Windows is followed). Each well-formed text must
// give exactly the operations Windows performs; where Windows passes over a malformed
// line, the reader refuses the whole file at that line instead (it never imports
// something other than what Windows imports). Every case is read twice: as single-byte
// text and as UTF-16 LE with its byte order mark.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/reg_file.h"
#include "platform/registry.h"
#include "support/test_platform.h"

namespace ovalin::testing {
namespace {

using platform::RegFileError;
using platform::RegFileOperation;
using Kind = RegFileOperation::Kind;
using Bytes = std::vector<std::uint8_t>;

constexpr char16_t kCaseKey[] = u"HKEY_CURRENT_USER\\Software\\Case";

Bytes Wide(std::u16string_view text) {
  Bytes bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

// One operation the text must give; an empty key stands for kCaseKey.
struct Op {
  Kind kind;
  std::u16string key;
  std::u16string name;
  std::uint32_t type = 0;
  Bytes data;
};

Op Set(std::u16string name, std::uint32_t type, Bytes data) {
  return Op{Kind::kSetValue, u"", std::move(name), type, std::move(data)};
}
Op Sz(std::u16string name, std::u16string text) {
  text += u'\0';
  return Set(std::move(name), platform::kRegSz, Wide(text));
}
Op Dword(std::u16string name, std::uint32_t number) {
  return Set(std::move(name), platform::kRegDword,
             {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
              static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)});
}
Op Delete(std::u16string name) { return Op{Kind::kDeleteValue, u"", std::move(name), 0, {}}; }
Op Key(std::u16string path) { return Op{Kind::kCreateKey, std::move(path), u"", 0, {}}; }
Op DeleteKey(std::u16string path) { return Op{Kind::kDeleteKey, std::move(path), u"", 0, {}}; }
Op In(std::u16string key, Op op) {
  op.key = std::move(key);
  return op;
}

const std::u16string_view kLineConcatenation(u"Line concatenation\0\0", 20);

struct Expect {
  std::vector<Op> ops;     // when the text is well-formed
  int line = 0;            // when refused: the line named
  const char* problem = "";  // and part of the message
};
Expect Imports(std::vector<Op> ops) { return Expect{std::move(ops), 0, ""}; }
Expect Refused(int line, const char* problem) { return Expect{{}, line, problem}; }

enum class Header { kRegedit4, kVersion5, kNone };

struct Case {
  const char* label;
  Header header;
  // For kRegedit4 and kVersion5: the lines after the header and the line that opens
  // kCaseKey (so the body starts on line 3). For kNone: the whole text.
  const char* body;
  Expect expect;
};

std::string TextOf(const Case& c) {
  switch (c.header) {
    case Header::kRegedit4:
      return std::string("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Case]\n") + c.body;
    case Header::kVersion5:
      return std::string("Windows Registry Editor Version 5.00\n"
                         "[HKEY_CURRENT_USER\\Software\\Case]\n") + c.body;
    case Header::kNone:
      break;
  }
  return c.body;
}

std::string Utf16File(std::string_view utf8) {
  Bytes bytes = Wide(U16(utf8));
  return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
}

std::string Describe(const RegFileOperation& op) {
  std::string text = std::to_string(static_cast<int>(op.kind)) + " [" + U8(op.keyPath) +
                     "] \"" + U8(op.valueName) + "\" type " + std::to_string(op.type) + ":";
  for (auto b : op.data) text += " " + std::to_string(b);
  return text;
}

void Check(const Case& c, const std::string& bytes) {
  std::vector<RegFileOperation> operations;
  RegFileError error;
  const bool parsed = platform::ParseRegFile(bytes, "case.reg", &operations, &error);
  if (c.expect.line != 0) {
    EXPECT_FALSE(parsed) << "Windows passes over a line that this imports";
    EXPECT_EQ(c.expect.line, error.line) << error.Message();
    EXPECT_NE(std::string::npos, error.problem.find(c.expect.problem)) << error.Message();
    EXPECT_TRUE(operations.empty());
    return;
  }
  ASSERT_TRUE(parsed) << error.Message();
  // The key line of the header's cases comes first.
  std::size_t first = 0;
  if (c.header != Header::kNone) {
    ASSERT_FALSE(operations.empty());
    EXPECT_EQ(Kind::kCreateKey, operations[0].kind);
    EXPECT_EQ(kCaseKey, operations[0].keyPath);
    first = 1;
  }
  ASSERT_EQ(c.expect.ops.size(), operations.size() - first);
  for (std::size_t i = 0; i < c.expect.ops.size(); ++i) {
    const Op& want = c.expect.ops[i];
    const RegFileOperation& got = operations[first + i];
    SCOPED_TRACE("operation " + std::to_string(i) + ": " + Describe(got));
    EXPECT_EQ(want.kind, got.kind);
    EXPECT_EQ(want.key.empty() ? std::u16string(kCaseKey) : want.key, got.keyPath);
    EXPECT_EQ(want.name, got.valueName);
    EXPECT_EQ(want.type, got.type);
    EXPECT_EQ(want.data, got.data);
  }
}

void CheckAll(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string text = TextOf(c);
    {
      SCOPED_TRACE("single-byte text");
      Check(c, text);
    }
    {
      SCOPED_TRACE("UTF-16 LE text");
      Check(c, Utf16File(text));
    }
  }
}

constexpr auto k4 = Header::kRegedit4;
constexpr auto k5 = Header::kVersion5;
constexpr auto kAll = Header::kNone;

TEST(RegFileWindowsCasesTest, Headers) {
  const std::vector<Case> cases = {
      {"REGEDIT4", kAll, "REGEDIT4\n", Imports({})},
      {"REGEDIT4 without a line break", kAll, "REGEDIT4", Imports({})},
      {"blanks before REGEDIT4", kAll, " \t REGEDIT4\n", Imports({})},
      {"version 5.00", kAll, "Windows Registry Editor Version 5.00\n", Imports({})},
      {"version 5.00 after blanks", kAll, "\t Windows Registry Editor Version 5.00\n",
       Imports({})},
      {"Windows 3.1 header", kAll, "REGEDIT\n", Imports({})},
      {"Windows 3.1 header without a line break", kAll, "REGEDIT", Imports({})},
      {"lower case", kAll, "regedit4\n", Refused(1, "bad header")},
      {"mixed case", kAll, "Regedit4\n", Refused(1, "bad header")},
      {"blank line first", kAll, "\nREGEDIT4\n", Refused(1, "bad header")},
      {"letter before it", kAll, "AREGEDIT4\n", Refused(1, "bad header")},
      {"digit before it", kAll, "1REGEDIT4\n", Refused(1, "bad header")},
      {"version 4.00", kAll, "Windows Registry Editor Version 4.00\n", Refused(1, "bad header")},
      {"version 5", kAll, "Windows Registry Editor Version 5\n", Refused(1, "bad header")},
      {"version upper case", kAll, "WINDOWS REGISTRY EDITOR VERSION 5.00\n",
       Refused(1, "bad header")},
      {"version lower case v", kAll, "Windows Registry Editor version 5.00\n",
       Refused(1, "bad header")},
      // Windows accepts these and then imports nothing from the file.
      {"REGEDIT3", kAll, "REGEDIT3\n\n[HKEY_CURRENT_USER\\Software\\Case]\n\"A\"=\"V\"\n",
       Refused(1, "imports nothing")},
      {"REGEDIT5", kAll, "REGEDIT5\n", Refused(1, "imports nothing")},
      {"REGEDIT9", kAll, "REGEDIT9\n", Refused(1, "imports nothing")},
      {"REGEDIT 4", kAll, "REGEDIT 4\n", Refused(1, "imports nothing")},
      {"REGEDIT4FOO", kAll, "REGEDIT4FOO\n", Refused(1, "imports nothing")},
      {"REGEDIT4 FOO", kAll, "REGEDIT4 FOO\n", Refused(1, "imports nothing")},
  };
  CheckAll(cases);

  // UTF-16 without its byte order mark is not read as UTF-16 by Windows.
  std::vector<RegFileOperation> operations;
  RegFileError error;
  std::string noMark = Utf16File("Windows Registry Editor Version 5.00\n").substr(2);
  EXPECT_FALSE(platform::ParseRegFile(noMark, "case.reg", &operations, &error));
  EXPECT_EQ(1, error.line);
  EXPECT_NE(std::string::npos, error.problem.find("byte order mark")) << error.problem;
}

TEST(RegFileWindowsCasesTest, LineEndsAndBlankLines) {
  const std::vector<Case> cases = {
      {"CR LF", kAll, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Case]\r\n\"A\"=\"B\"\r\n",
       Imports({Key(kCaseKey), Sz(u"A", u"B")})},
      {"CR alone", kAll, "REGEDIT4\r\r[HKEY_CURRENT_USER\\Software\\Case]\r\"A\"=\"D\"\r",
       Imports({Key(kCaseKey), Sz(u"A", u"D")})},
      {"version 5.00, CR alone", kAll,
       "Windows Registry Editor Version 5.00\r\r[HKEY_CURRENT_USER\\Software\\Case]\r"
       "\"A\"=\"V\"\r",
       Imports({Key(kCaseKey), Sz(u"A", u"V")})},
      {"blank lines between values", k4, "\"L1\"=\"V1\"\n\n\"L2\"=\"V2\"\n\n\n\"L3\"=\"V3\"\n",
       Imports({Sz(u"L1", u"V1"), Sz(u"L2", u"V2"), Sz(u"L3", u"V3")})},
      {"last line without a line break", k4, "\"A\"=dword:50\n\n\"B\"=\"No newline\"",
       Imports({Dword(u"A", 0x50), Sz(u"B", u"No newline")})},
      {"blanks everywhere", kAll,
       "    REGEDIT4\n\n\t[HKEY_CURRENT_USER\\Software\\Case]\n"
       "  \"A\"=\"Leading spaces\"\n"
       "\t\t\"B\"\t\t=\"Leading tabs\"\n"
       "\t  \"C\"=\t  \"Tabs and spaces\"\n"
       "    \"D\"    \t    =    \t    \"More\"\n",
       Imports({Key(kCaseKey), Sz(u"A", u"Leading spaces"), Sz(u"B", u"Leading tabs"),
                Sz(u"C", u"Tabs and spaces"), Sz(u"D", u"More")})},
      {"blanks inside quotes stay", k4, "  \"  Name  \"  =  \"  Spaces everywhere  \"  \n",
       Imports({Sz(u"  Name  ", u"  Spaces everywhere  ")})},
      {"blanks after the data", k4, "\"A\"=\"Trailing\"\t  \t\n", Imports({Sz(u"A", u"Trailing")})},
      {"default value with blanks", k4, "\t@\t=\tdword:\t00000008\t\n", Imports({Dword(u"", 8)})},
  };
  CheckAll(cases);
}

TEST(RegFileWindowsCasesTest, Comments) {
  const std::vector<Case> cases = {
      {"comment lines", k4, "#comment\n\"A\"=\"x\"\n;comment\n    #c\n\t;c\n",
       Imports({Sz(u"A", u"x")})},
      {"comment line ending in a backslash does not continue", k4,
       "#comment\\\n\"A\"=\"Line 1\"\n;comment\\\n\"B\"=\"Line 2\"\n",
       Imports({Sz(u"A", u"Line 1"), Sz(u"B", u"Line 2")})},
      {"commented-out values", k4, "#\"C1\"=\"V\"\n;\"C2\"=\"V\"\n", Imports({})},
      {"; after a string", k4, "\"A\"=\"Value 2\";comment\n", Imports({Sz(u"A", u"Value 2")})},
      {"; after blanks after a string", k4, "\"A\"=\"Value1\"  ;c\n\"B\"=\"Value2\"\t\t;c\n",
       Imports({Sz(u"A", u"Value1"), Sz(u"B", u"Value2")})},
      {"# after a string", k4, "\"A\"=\"Value 1\"#comment\n",
       Refused(3, "after the closing quote")},
      {"# after blanks after a string", k4, "\"A\"=\"Value3\"  #comment\n",
       Refused(3, "after the closing quote")},
      {"; after a dword", k4, "\"A\"=dword:02040608 ;c\n\"B\"=dword:1234;5678\n",
       Imports({Dword(u"A", 0x2040608), Dword(u"B", 0x1234)})},
      {"# after a dword", k4, "\"A\"=dword:01020304 #comment\n", Refused(3, "bad dword")},
      {"# right after a dword", k4, "\"A\"=dword:1234#5678\n", Refused(3, "bad dword")},
      {"; after a deletion", k4, "\"A\"=- ;comment\n", Imports({Delete(u"A")})},
      {"# after a deletion", k4, "\"A\"=- #note\n", Refused(3, "text after '-'")},
      {"comment markers inside strings", k4,
       "\"A\"=\"#c1\"\n\"B\"=\";c2\"\n\"C\"=\"Value #c5\"\n\"D\"=\"Value;c4\"\n",
       Imports({Sz(u"A", u"#c1"), Sz(u"B", u";c2"), Sz(u"C", u"Value #c5"),
                Sz(u"D", u"Value;c4")})},
      {"# in place of the data", k4, "\"A\"=#\"Value 8\"\n", Refused(3, "unrecognised value")},
      {"; in place of the data", k4, "\"A\"=;\"Value 9\"\n", Refused(3, "unrecognised value")},
      {"# before a dword", k4, "\"A\"=#dword:00000001\n", Refused(3, "unrecognised value")},
      {"; after hex data", k4, "\"A\"=hex(2):25,50,41,54,48,25,00  ;c\n",
       Imports({Set(u"A", platform::kRegExpandSz, Wide(std::u16string(u"%PATH%") + u'\0'))})},
      {"# after hex data", k4, "\"A\"=hex(2):25,50,41,54,48,25,00\t#c\n", Refused(3, "','")},
  };
  CheckAll(cases);
}

TEST(RegFileWindowsCasesTest, ContinuedHexLists) {
  const Bytes b1234{0x11, 0x22, 0x33, 0x44};
  const std::vector<Case> cases = {
      {"comment after the backslash", k5, "\"V\"=hex:11,22,\\;comment\n  33,44\n",
       Imports({Set(u"V", platform::kRegBinary, b1234)})},
      {";# after the backslash", k5, "\"V\"=hex:11,22,\\;#comment\n  33,44\n",
       Imports({Set(u"V", platform::kRegBinary, b1234)})},
      {"blanks around the backslash", k5, "\"V\"=hex:11,22,  \\  ;c\n33,44\n",
       Imports({Set(u"V", platform::kRegBinary, b1234)})},
      {"tab before the backslash", k5, "\"V\"=hex:11,22,\t\\\n\t\t\t\t33,44\n",
       Imports({Set(u"V", platform::kRegBinary, b1234)})},
      {"comment line inside", k5, "\"V\"=hex:11,22,\\\n;comment\n  33,44\n",
       Imports({Set(u"V", platform::kRegBinary, b1234)})},
      {"indented comment line inside", k5, "\"V\"=hex:11,22,\\\n  ;comment\n  33,44\n",
       Imports({Set(u"V", platform::kRegBinary, b1234)})},
      {"blank lines inside", k5, "\"V\"=hex:11,\\\n\n \n\t \t\n  22,\\\n\n33,44\n",
       Imports({Set(u"V", platform::kRegBinary, b1234)})},
      {"backslash first", k5, "\"V\"=hex(2):\\\n  25,00,48,00,25,00,00,00\n",
       Imports({Set(u"V", platform::kRegExpandSz, Wide(std::u16string(u"%H%") + u'\0'))})},
      {"file ends after ',\\'", k5, "\"V\"=hex:11,22,33,44,55,\\",
       Imports({Set(u"V", platform::kRegBinary, {0x11, 0x22, 0x33, 0x44, 0x55})})},
      {"file ends in a waiting list", k5, "\"V\"=hex:11,\\\n\n;c\n",
       Imports({Set(u"V", platform::kRegBinary, {0x11})})},
      {"string list ends with the file", k4, "\"V\"=hex(2):25,50,41,54,48,25,\\",
       Imports({Set(u"V", platform::kRegExpandSz, Wide(std::u16string(u"%PATH%") + u'\0'))})},
      {"many lines", k4,
       "\"V\"=hex(7):4c,69,6e,65,20,\\\n  63,6f,6e,\\;comment\n  63,61,74,\\\n\n"
       "  65,6e,\\;comment\n\n  61,74,69,6f,6e,00,00\n",
       Imports({Set(u"V", platform::kRegMultiSz, Wide(kLineConcatenation))})},
      {"list ended by a comma", k5, "\"V\"=hex:11,\\;c\n  22,33,\n",
       Imports({Set(u"V", platform::kRegBinary, {0x11, 0x22, 0x33})})},
      {"list ended by a comma and a comment", k5, "\"V\"=hex:11,\\\n  22,;c\n  33\n",
       Refused(5, "unrecognised line")},
      {"# after the backslash", k5, "\"V\"=hex:11,22,\\#comment\n  33,44\n",
       Refused(3, "text after '\\'")},
      {"# comment line inside", k5, "\"V\"=hex:11,22,\\\n#comment\n  33,44\n",
       Refused(4, "hex data expected")},
      {"indented # line inside", k5, "\"V\"=hex:11,22,\\\n  #comment\n  33,44\n",
       Refused(4, "hex data expected")},
      {"a blank line, then a value", k5, "\"V\"=hex:11,\\\n\n\"W\"=\"x\"\n",
       Refused(5, "hex data expected")},
      {"a value after the backslash", k5, "\"V\"=hex:11,\\\n\"W\"=dword:8\n",
       Refused(4, "hex data expected")},
      {"a default value after the backslash", k5, "\"V\"=hex:11,\\\n;c\n@=\"x\"\n",
       Refused(5, "hex data expected")},
      {"a key after the backslash", k5,
       "\"V\"=hex:11,\\\n[HKEY_CURRENT_USER\\Software\\Case\\Sub]\n",
       Refused(4, "hex data expected")},
      {"a line of a single backslash", k5, "\"V\"=hex:11,22,33,\\\n\\\n  44,55,66\n",
       Refused(4, "hex data expected")},
      {"an indented single backslash", k5, "\"V\"=hex:11,22,33,\\\n  \\\n  44,55,66\n",
       Refused(4, "hex data expected")},
      {"a byte split over two lines", k5, "\"V\"=hex:11,22,3\\\n  3,44\n",
       Refused(3, "',' expected before '\\'")},
      {"no comma before the backslash", k5, "\"V\"=hex:11,22\\\n,33,44\n",
       Refused(3, "',' expected before '\\'")},
      {"blanks, no comma, before the backslash", k5, "\"V\"=hex:5c  \\  ;c\n  25\n",
       Refused(3, "',' expected before '\\'")},
      {"comma first on the next line", k5, "\"V\"=hex:11,22,\\\n  ,33,44\n",
       Refused(4, "hex data expected")},
      {"two commas", k5, "\"V\"=hex:11,\\\n  22,,33\n", Refused(4, "bad hex byte")},
      {"comma first in the list", k5, "\"V\"=hex(2):,\\\n  25,00\n", Refused(3, "bad hex byte")},
      {"backslash between a byte and a comma", k5, "\"V\"=hex:25,48\\,4f\n",
       Refused(3, "',' expected before '\\'")},
      {"byte after the backslash", k5, "\"V\"=hex:25,48,\\4f,4d\n", Refused(3, "text after '\\'")},
      {"blank and byte after the backslash", k5, "\"V\"=hex:25,48,\\ 4f\n",
       Refused(3, "text after '\\'")},
      {"backslash before the first byte", k5, "\"V\"=hex:\\25,48\n",
       Refused(3, "text after '\\'")},
      {"backslash inside a byte", k5, "\"V\"=hex:25,48,4\\f,4d\n",
       Refused(3, "',' expected before '\\'")},
      {"comma after the backslash", k5, "\"V\"=hex:25,50,\\,41\n", Refused(3, "text after '\\'")},
      {"two backslashes", k5, "\"V\"=hex:25,5c,\\\\\n  25,00\n", Refused(3, "text after '\\'")},
      {"slash for backslash", k5, "\"V\"=hex:25,5c,/\n  25,00\n", Refused(3, "bad hex byte")},
      {"no comma, then the file ends", k5, "\"V\"=hex(7):4c,00,69,00,20,00\\",
       Refused(3, "',' expected before '\\'")},
      {"value name over two lines", k5, "\"Wine\\\n42a\"=\"Value 1\"\n",
       Refused(3, "unterminated value name")},
      {"string over two lines", k5, "\"V\"=\"Test \\\nValue\"\n",
       Refused(3, "unterminated string")},
      {"dword over two lines", k5, "\"V\"=dword:1234\\\n5678\n", Refused(3, "bad dword")},
  };
  CheckAll(cases);
}

TEST(RegFileWindowsCasesTest, Strings) {
  const std::vector<Case> cases = {
      {"plain", k5, "\"A\"=\"Value\"\n", Imports({Sz(u"A", u"Value")})},
      {"empty", k5, "\"Empty string\"=\"\"\n", Imports({Sz(u"Empty string", u"")})},
      {"default value named \"\"", k5, "\"\"=\"Default\"\n", Imports({Sz(u"", u"Default")})},
      {"default value", k4, "@  =  \"Test Value\"\n", Imports({Sz(u"", u"Test Value")})},
      {"escaped quotes", k5, "\"double\\\"quote\"=\"valid \\\"or\\\" not\"\n",
       Imports({Sz(u"double\"quote", u"valid \"or\" not")})},
      {"escaped backslash in the name", k5, "\"Wine\\\\31\"=\"Test value\"\n",
       Imports({Sz(u"Wine\\31", u"Test value")})},
      {"escaped backslashes", k5, "\"\\\\foo\\\\bar\"=\"\"\n", Imports({Sz(u"\\foo\\bar", u"")})},
      {"backslash and zero", k5, "\"A\"=\"\\\\0\"\n\"B\"=\"Value3\\\\0Value4\"\n",
       Imports({Sz(u"A", u"\\0"), Sz(u"B", u"Value3\\0Value4")})},
      {"escaped NUL", k5, "\"A\"=\"Value1\\0\"\n", Refused(3, "escape")},
      {"escaped NUL first", k5, "\"A\"=\"\\0Value5\"\n", Refused(3, "escape")},
      {"unknown escape", k5, "\"A\"=\"C:\\Windows\"\n", Refused(3, "escape")},
      {"slashes", k5, "\"count/up\"=\"one/two/three\"\n\"With=Equals\"=\"asdf\"\n",
       Imports({Sz(u"count/up", u"one/two/three"), Sz(u"With=Equals", u"asdf")})},
      {"single quote", k5, "\"single'quote\"=dword:00000008\n",
       Imports({Dword(u"single'quote", 8)})},
      {"quote inside", k5, "\"A\"=\"foo\"bar\"\n", Refused(3, "after the closing quote")},
      {"two quoted parts", k5, "\"A\"=\"foo\"\"bar\"\n", Refused(3, "after the closing quote")},
      {"no data", k5, "\"A\"=\n", Refused(3, "unrecognised value data")},
      {"escaped quote as data", k5, "\"A\"=\\\"Value\\\"\n", Refused(3, "unrecognised value data")},
      {"no opening quote", k5, "\"A\"=Asdffdsa\"\n", Refused(3, "unrecognised value data")},
      {"no closing quote", k5, "\"A\"=\"Asdffdsa\n", Refused(3, "unterminated string")},
      {"no quotes", k5, "\"A\"=Asdffdsa\n", Refused(3, "unrecognised value data")},
      {"name without opening quote", k5, "Name\"=\"Asdffdsa\"\n", Refused(3, "unrecognised line")},
      {"name without closing quote", k5, "\"Name=\"Asdffdsa\"\n", Refused(3, "'='")},
      {"name without quotes", k5, "NameNoQuotes=\"Asdffdsa\"\n", Refused(3, "unrecognised line")},
      {"one quoted name, no data", k5, "\"MixedQuotes=Asdffdsa\"\n", Refused(3, "'='")},
      {"'@' with text after it", k5, "@x=\"V\"\n", Refused(3, "'='")},
  };
  CheckAll(cases);
}

TEST(RegFileWindowsCasesTest, Dwords) {
  const std::vector<Case> cases = {
      {"short", k5, "\"A\"=dword:1\n\"B\"=dword:4444\n",
       Imports({Dword(u"A", 1), Dword(u"B", 0x4444)})},
      {"eight digits", k5, "\"A\"=dword:12345678\n\"B\"=dword:FFFFFFFF\n",
       Imports({Dword(u"A", 0x12345678), Dword(u"B", 0xFFFFFFFF)})},
      {"blanks before the digits", k5, "\"A\"=dword:  00000008\n\"B\"=dword:\t\t00000008\n",
       Imports({Dword(u"A", 8), Dword(u"B", 8)})},
      {"no digits", k5, "\"A\"=dword:\n", Refused(3, "bad dword")},
      {"not hexadecimal", k5, "\"A\"=dword:hello\n", Refused(3, "bad dword")},
      {"nine digits", k5, "\"A\"=dword:123456789\n", Refused(3, "bad dword")},
      {"nine digits, leading zero", k5, "\"A\"=dword:012345678\n", Refused(3, "bad dword")},
      {"nine digits, value 1", k5, "\"A\"=dword:000000001\n", Refused(3, "bad dword")},
      {"letters after", k5, "\"A\"=dword:12345678abc\n", Refused(3, "bad dword")},
      {"word after", k5, "\"A\"=dword:12345678 abc\n", Refused(3, "bad dword")},
      {"0x prefix", k5, "\"A\"=dword:0x123\n", Refused(3, "bad dword")},
      {"two numbers", k5, "\"A\"=dword:1234 5678\n", Refused(3, "bad dword")},
  };
  CheckAll(cases);
}

TEST(RegFileWindowsCasesTest, HexTypesAndBytes) {
  const Bytes value{'V', 'a', 'l', 'u', 'e', 0};
  const std::vector<Case> cases = {
      {"type numbers", k5,
       "\"a\"=hex(0):56,61,6c,75,65,00\n\"b\"=hex(10):56,61,6c,75,65,00\n"
       "\"c\"=hex(7fff):56,61,6c,75,65,00\n\"d\"=hex(ffffffff):56,61,6c,75,65,00\n",
       Imports({Set(u"a", 0, value), Set(u"b", 0x10, value), Set(u"c", 0x7fff, value),
                Set(u"d", 0xffffffff, value)})},
      {"type number too large", k5, "\"A\"=hex(100000000):56\n", Refused(3, "type number")},
      {"type number with 0x", k5, "\"A\"=hex(0x2):56\n", Refused(3, "type number")},
      {"type number with X", k5, "\"A\"=hex(0X2):56\n", Refused(3, "type number")},
      {"type number with x", k5, "\"A\"=hex(x2):56\n", Refused(3, "type number")},
      {"empty lists", k5,
       "\"a\"=hex(1):\n\"b\"=hex(2):\n\"c\"=hex(3):\n\"d\"=hex(4):\n\"e\"=hex(7):\n"
       "\"f\"=hex(abcd):\n\"g\"=hex:\n\"h\"=hex(0):\n",
       Imports({Set(u"a", 1, {}), Set(u"b", 2, {}), Set(u"c", 3, {}), Set(u"d", 4, {}),
                Set(u"e", 7, {}), Set(u"f", 0xabcd, {}), Set(u"g", 3, {}), Set(u"h", 0, {})})},
      {"empty string lists in REGEDIT4", k4, "\"a\"=hex(1):\n\"b\"=hex(2):\n\"c\"=hex(7):\n",
       Imports({Set(u"a", 1, {}), Set(u"b", 2, {}), Set(u"c", 7, {})})},
      {"trailing comma", k5, "\"A\"=hex:11,22,\n", Imports({Set(u"A", 3, {0x11, 0x22})})},
      {"one-digit bytes", k5, "\"A\"=hex:1,a\n", Imports({Set(u"A", 3, {0x01, 0x0a})})},
      {"three-digit byte", k5, "\"A\"=hex(0):25,50,100,54\n", Refused(3, "bad hex byte")},
      {"three-digit bytes", k5, "\"A\"=hex(0):25,1a4,100\n", Refused(3, "bad hex byte")},
      {"non-string types stay as written in REGEDIT4", k4,
       "\"A\"=hex(100):25,50,41,54,48,25,00\n\"B\"=hex(0):56,00,61,00\n",
       Imports({Set(u"A", 0x100, {0x25, 0x50, 0x41, 0x54, 0x48, 0x25, 0x00}),
                Set(u"B", 0, {0x56, 0x00, 0x61, 0x00})})},
  };
  CheckAll(cases);
}

// Since Vista Windows stores string data that a hex list writes without its final NUL
// with one added; REGEDIT4 lists hold single-byte text that becomes UTF-16.
TEST(RegFileWindowsCasesTest, StringDataGetsItsNul) {
  const Bytes line = Wide(std::u16string(u"Line") + u'\0');
  const Bytes lineTwice = Wide(std::u16string(u"Line\0\0", 6));
  const Bytes path = Wide(std::u16string(u"%PATH%") + u'\0');
  const std::vector<Case> cases = {
      {"UTF-16 multi string without NUL", k5, "\"A\"=hex(7):4c,00,69,00,6e,00,65,00\n",
       Imports({Set(u"A", 7, line)})},
      {"UTF-16 multi string, trailing comma", k5, "\"A\"=hex(7):4c,00,69,00,6e,00,65,00,\n",
       Imports({Set(u"A", 7, line)})},
      {"UTF-16 multi string with one NUL", k5, "\"A\"=hex(7):4c,00,69,00,6e,00,65,00,00,00\n",
       Imports({Set(u"A", 7, line)})},
      {"UTF-16 multi string with two NULs", k5,
       "\"A\"=hex(7):4c,00,69,00,6e,00,65,00,00,00,00,00,\n", Imports({Set(u"A", 7, lineTwice)})},
      {"UTF-16 expandable string without NUL", k5,
       "\"A\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00\n", Imports({Set(u"A", 2, path)})},
      {"UTF-16 string without NUL", k5, "\"A\"=hex(1):4c,00,69,00,6e,00,65,00\n",
       Imports({Set(u"A", 1, line)})},
      {"UTF-16 string with its NUL", k5, "\"A\"=hex(1):4c,00,69,00,6e,00,65,00,00,00\n",
       Imports({Set(u"A", 1, line)})},
      {"UTF-16 string starting with a NUL", k5, "\"A\"=hex(1):00,00,61,00,62,00,63,00\n",
       Imports({Set(u"A", 1, Wide(std::u16string(u"\0abc\0", 5)))})},
      {"UTF-16 string with an inner NUL, continued", k5,
       "\"A\"=hex(1):61,00,62,00,63,00,00,00, \\\n  64,00,65,00,66,00\n",
       Imports({Set(u"A", 1, Wide(std::u16string(u"abc\0def\0", 8)))})},
      {"UTF-16 string of odd length stays as written", k5, "\"A\"=hex(1):4c,00,69\n",
       Imports({Set(u"A", 1, {0x4c, 0x00, 0x69})})},
      {"REGEDIT4 multi string without NUL", k4, "\"A\"=hex(7):4c,69,6e,65\n",
       Imports({Set(u"A", 7, line)})},
      {"REGEDIT4 multi string with one NUL", k4, "\"A\"=hex(7):4c,69,6e,65,00,\n",
       Imports({Set(u"A", 7, line)})},
      {"REGEDIT4 multi string with two NULs", k4, "\"A\"=hex(7):4c,69,6e,65,00,00\n",
       Imports({Set(u"A", 7, lineTwice)})},
      {"REGEDIT4 expandable string without NUL", k4, "\"A\"=hex(2):25,50,41,54,48,25,\n",
       Imports({Set(u"A", 2, path)})},
      {"REGEDIT4 continued multi string", k4,
       "\"A\"=hex(7):4c,69,6e,65,20,\\\n  63,6f,6e,63,61,74,65,6e,61,74,69,6f,6e,00,00\n",
       Imports({Set(u"A", 7, Wide(kLineConcatenation))})},
  };
  CheckAll(cases);
}

TEST(RegFileWindowsCasesTest, KeysAndDeletions) {
  const std::u16string base = u"HKEY_CURRENT_USER\\Software\\";
  const std::vector<Case> cases = {
      {"trailing blank kept", k5, "[HKEY_CURRENT_USER\\Software\\Sub1c ]\n",
       Imports({Key(base + u"Sub1c ")})},
      {"trailing tab kept", k5, "[HKEY_CURRENT_USER\\Software\\Sub1d\t]\n",
       Imports({Key(base + u"Sub1d\t")})},
      {"trailing backslash", k5, "[HKEY_CURRENT_USER\\Software\\Sub1e\\]\n\"W\"=\"T\"\n",
       Imports({Key(base + u"Sub1e"), In(base + u"Sub1e", Sz(u"W", u"T"))})},
      {"trailing backslashes", k5, "[HKEY_CURRENT_USER\\Software\\Sub1g\\\\\\\\]\n",
       Imports({Key(base + u"Sub1g")})},
      {"root in any case", k5, "[hkey_CURRENT_user\\Software\\Sub3a]\n",
       Imports({Key(base + u"Sub3a")})},
      {"quote and slash in key names", k5,
       "[HKEY_CURRENT_USER\\Software\\Sub\"1]\n\"123/\\\"4;'5\"=\"R\"\n"
       "[HKEY_CURRENT_USER\\Software\\https://winehq.org]\n",
       Imports({Key(base + u"Sub\"1"), In(base + u"Sub\"1", Sz(u"123/\"4;'5", u"R")),
                Key(base + u"https://winehq.org")})},
      {"value in a deleted key", k5,
       "[-HKEY_current_USER\\Software\\Sub3a]\n\"A\"=-\n",
       Refused(4, "deletes")},
      {"key deletion", k5, "[-HKEY_CURRENT_USER\\Software\\Sub2a]\n\n[-hKeY_cUrReNt_UsEr\\B]\n",
       Imports({DeleteKey(base + u"Sub2a"), DeleteKey(u"HKEY_CURRENT_USER\\B")})},
      {"value deletions", k5, "\"A\"=-\n\"B\"=  -\n\"C\"=  \t-\t  \n",
       Imports({Delete(u"A"), Delete(u"B"), Delete(u"C")})},
      {"deletion with text after it", k5, "\"A\"=-\"Test\"\n", Refused(3, "text after '-'")},
      {"blank after '['", k5, "[ HKEY_CURRENT_USER\\Software\\Sub1a]\n", Refused(3, "blank")},
      {"tab after '['", k5, "[\tHKEY_CURRENT_USER\\Software\\Sub1b]\n", Refused(3, "blank")},
      {"blank before '-'", k5, "[ -HKEY_CURRENT_USER\\Software\\Sub2a]\n", Refused(3, "blank")},
      {"blank after '-'", k5, "[- HKEY_CURRENT_USER\\Software\\Sub2a]\n", Refused(3, "blank")},
      {"tab after '-'", k5, "[-\tHKEY_CURRENT_USER\\Software\\Sub2b]\n", Refused(3, "blank")},
      {"no opening bracket", k5, "HKEY_CURRENT_USER\\Software\\X]\n",
       Refused(3, "unrecognised line")},
      {"no closing bracket", k5, "[HKEY_CURRENT_USER\\Software\\X\n", Refused(3, "']'")},
      {"key name over two lines", k5, "[HKEY_CURRENT_USER\\Software\\\nSubkey1]\n",
       Refused(3, "']'")},
      {"unknown root", k5, "[HKEY_CURRENT_USERS\\Software\\X]\n\"A\"=dword:1\n",
       Refused(3, "unknown root")},
      {"short root name", k5, "[HKCU\\Software\\X]\n", Refused(3, "unknown root")},
  };
  CheckAll(cases);
}

// "REGEDIT" and lines that set the default value of keys below HKEY_CLASSES_ROOT.
TEST(RegFileWindowsCasesTest, Windows31Form) {
  const std::u16string key = u"HKEY_CLASSES_ROOT\\Case";
  const auto value = [&](std::u16string text) { return In(key, Sz(u"", std::move(text))); };
  const std::vector<Case> cases = {
      {"value", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case = Value0\r\n",
       Imports({value(u"Value0")})},
      {"no blank after '='", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case =Value1\r\n",
       Imports({value(u"Value1")})},
      {"one blank taken after '='", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case =  Value2\r\n",
       Imports({value(u" Value2")})},
      {"trailing blank kept", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case = Value3 \r\n",
       Imports({value(u"Value3 ")})},
      {"no '='", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case Value4\r\n",
       Imports({value(u"Value4")})},
      {"no '=', two blanks", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case  Value5\r\n",
       Imports({value(u"Value5")})},
      {"key alone", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case\r\n", Imports({value(u"")})},
      {"key and blanks", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case  \r\n", Imports({value(u"")})},
      {"no line break", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOT\\Case = No newline",
       Imports({value(u"No newline")})},
      {"comments and blank lines", kAll,
       "REGEDIT\r\n;HKEY_CLASSES_ROOT\\Case = Value2a\r\n\r\n#HKEY_CLASSES_ROOT\\Case = V\r\n",
       Imports({})},
      {"blank first", kAll, "REGEDIT\r\n HKEY_CLASSES_ROOT\\Case = Value1a\r\n",
       Refused(2, "HKEY_CLASSES_ROOT\\key")},
      {"tab first", kAll, "REGEDIT\r\n\tHKEY_CLASSES_ROOT\\Case = Value1c\r\n",
       Refused(2, "HKEY_CLASSES_ROOT\\key")},
      {"lower case root", kAll, "REGEDIT\r\nhkey_classes_root\\Case = Value3a\r\n",
       Refused(2, "HKEY_CLASSES_ROOT\\key")},
      {"mixed case root", kAll, "REGEDIT\r\nHkey_Classes_Root\\Case = Value3c\r\n",
       Refused(2, "HKEY_CLASSES_ROOT\\key")},
      {"other root", kAll, "REGEDIT\r\nHKEY_CURRENT_USER\\Case = V\r\n",
       Refused(2, "HKEY_CLASSES_ROOT\\key")},
      {"longer root", kAll, "REGEDIT\r\nHKEY_CLASSES_ROOTS\\Case = V\r\n",
       Refused(2, "unknown root")},
      {"registry editor lines", kAll,
       "REGEDIT\r\n[HKEY_CLASSES_ROOT\\Case]\r\n\"A\"=\"V\"\r\n",
       Refused(2, "HKEY_CLASSES_ROOT\\key")},
  };
  CheckAll(cases);
}

}  // namespace
}  // namespace ovalin::testing
