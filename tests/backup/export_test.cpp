// A backup set written out as a .reg file: importing it gives the state a restore of
// the set gives. Checked both ways round on the registry a clean left: importing first
// leaves nothing for the restore to change, and restoring first leaves nothing for the
// import to change. Natively the file is imported by the .reg loader, under Wine by
// regedit itself.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/win32_text.h"
#endif

#include "backup/backup_fixture.h"
#include "engine/rescue_export.h"

namespace ovalin::testing {
namespace {

constexpr std::uint32_t kCode = stFileTypes | 0x30;

class ExportTest : public BackupTest {
 protected:
  // Values of every kind, a key tree with subkeys and an empty key, and the findings
  // that clean them; then the clean. Returns the set's data file.
  std::u16string CleanEverything() {
    Seed(
        "[$\\V]\n\"sz\"=\"C:\\\\gone\\\\x.exe\"\n@=\"default\"\n\"bin\"=hex:00,01,fe\n"
        "\"dw\"=dword:00000007\n\"multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
        "\"expand\"=hex(2):25,00,54,00,00,00\n\"empty\"=hex:\n\"quote\\\"and\\\\\"="
        "\"a\\\"b\\\\c\"\n"
        "\"blank\"=\"C:\\\\gone\\\\y.exe\"\n\"keep\"=dword:1\n"
        "[$\\Tree]\n\"a\"=\"1\"\n[$\\Tree\\Sub]\n\"b\"=hex(4):02,00,00,00\n[$\\Tree\\Sub\\Deeper]\n"
        "[$\\Empty]\n");
    for (auto name :
         {u"sz", u"", u"bin", u"dw", u"multi", u"expand", u"empty", u"quote\"and\\", u"missing"}) {
      AddFinding(kCode | mtDeleteValue, Path(u"V"), name);
    }
    AddFinding(kCode | mtBlankValue, Path(u"V"), u"blank");
    AddFinding(kCode | mtDeleteKeyTree, Path(u"Tree"));
    AddFinding(kCode | mtDeleteEmptyKey, Path(u"Empty"));
    beforeClean_ = Snapshot();
    std::vector<int> failed;
    EXPECT_TRUE(Cleaner().CleanAll(&failed, u"export"));
    EXPECT_TRUE(failed.empty());
    const auto files = DataFiles();
    EXPECT_EQ(files.size(), 1u);
    return files.empty() ? std::u16string() : rescueDir_ + files[0];
  }

  std::string RegText(const std::u16string& dataFile) {
    std::string text;
    std::u16string error;
    EXPECT_TRUE(RescueAsRegText(P().files, dataFile, &text, &error)) << U8(error);
    return text;
  }

  void Import(const std::string& regText) {
#ifdef _WIN32
    const std::u16string regFile = platform_.ScratchFolder() + u"set.reg";
    WriteFileBytes(regFile, std::vector<std::uint8_t>(regText.begin(), regText.end()));
    std::u16string command = u"regedit.exe /s \"" + regFile + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(command.data()), nullptr,
                               nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << "cannot start regedit: error " << GetLastError();
    const platform::win32::OwnedHandle processHandle(process.hProcess);
    const platform::win32::OwnedHandle threadHandle(process.hThread);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
#else
    std::vector<platform::RegFileOperation> operations;
    platform::RegFileError error;
    ASSERT_TRUE(platform::ParseRegFile(regText, "export.reg", &operations, &error))
        << error.Message();
    ASSERT_TRUE(platform::ApplyRegFile(P().registry, operations, &error)) << error.Message();
#endif
  }

  Tree beforeClean_;
};

TEST_F(ExportTest, ImportThenRestoreChangesNothingMore) {
  const std::u16string dataFile = CleanEverything();
  const std::string regText = RegText(dataFile);
  ASSERT_GT(regText.size(), 2u);
  EXPECT_EQ(regText.substr(0, 2), std::string("\xFF\xFE"));
  Import(regText);
  const auto imported = Snapshot();
  ASSERT_TRUE(Cleaner().RestoreRescue(dataFile));
  EXPECT_EQ(Snapshot(), imported);
  // For these findings the restore gives everything back, and so does the import.
  EXPECT_EQ(imported, beforeClean_);
}

TEST_F(ExportTest, RestoreThenImportChangesNothingMore) {
  const std::u16string dataFile = CleanEverything();
  const std::string regText = RegText(dataFile);
  ASSERT_TRUE(Cleaner().RestoreRescue(dataFile));
  const auto restored = Snapshot();
  Import(regText);
  EXPECT_EQ(Snapshot(), restored);
}

// String data without its terminating NUL is written byte for byte; regedit adds the
// NUL when it imports such data (the one difference from a restore it cannot avoid).
TEST_F(ExportTest, StringDataIsWrittenByteForByte) {
  WriteValue(Path(u"V"), u"no terminator", RawValue{platform::kRegSz, {'a', 0, 'b', 0}});
  WriteValue(Path(u"V"), u"lines", RawValue{platform::kRegSz, Utf16Bytes(u"1\r\n2")});
  AddFinding(kCode | mtDeleteValue, Path(u"V"), u"no terminator");
  AddFinding(kCode | mtDeleteValue, Path(u"V"), u"lines");
  std::vector<int> failed;
  ASSERT_TRUE(Cleaner().CleanAll(&failed, u""));
  const std::string text = RegText(rescueDir_ + DataFiles().at(0));
  std::u16string wide;
  for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(text[i]) |
                                         (static_cast<unsigned char>(text[i + 1]) << 8)));
  }
  EXPECT_NE(wide.find(u"\r\n\"no terminator\"=hex(1):61,00,62,00\r\n"), std::u16string::npos)
      << U8(wide);
  EXPECT_NE(wide.find(u"\r\n\"lines\"=hex(1):31,00,0d,00,0a,00,32,00,00,00\r\n"),
            std::u16string::npos)
      << U8(wide);
}

TEST_F(ExportTest, DamagedOrMissingFilesAreRefused) {
  const std::u16string dataFile = CleanEverything();
  auto bytes = ReadFileBytes(dataFile);
  bytes.resize(bytes.size() - 3);  // the header now declares more than the file holds
  WriteFileBytes(rescueDir_ + u"cut.rss", bytes);
  bytes[0] = 'X';
  WriteFileBytes(rescueDir_ + u"magic.rss", bytes);
  for (const auto* name : {u"cut.rss", u"magic.rss", u"missing.rss"}) {
    std::string text;
    std::u16string error;
    EXPECT_FALSE(RescueAsRegText(P().files, rescueDir_ + name, &text, &error)) << U8(name);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(text.empty());
  }
  std::u16string error;
  const std::u16string regFile = platform_.ScratchFolder() + u"out.reg";
  EXPECT_TRUE(ExportRescueAsReg(P(), dataFile, regFile, &error)) << U8(error);
  EXPECT_EQ(ReadFileBytes(regFile).size(), RegText(dataFile).size());
}

}  // namespace
}  // namespace ovalin::testing
