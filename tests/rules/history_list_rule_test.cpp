#include <gtest/gtest.h>

#include "id_list_builder.h"
#include "rule_harness.h"
#include "rules/scan_rules.h"

namespace ovalin::testing {
namespace {

constexpr const char* kComDlg =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\";

TEST(HistoryListRule, JudgesLastVisitedFoldersAndOpenSaveFiles) {
  RuleHarness h;
  h.SeedFixture("history_list.reg");
  h.Test().CreateFile(h.Scratch() + u"x.txt");

  const std::string visited = std::string(kComDlg) + "LastVisitedMRU";
  const std::string openSave = std::string(kComDlg) + "OpenSaveMRU\\";
  // Natively: 7 values over 0..10 (MRUList and the text value give no record), then
  // 2 extension keys over 30..65; the ID-list keys take 10..30 and 65..100.
  h.ExpectRecords(
      h.Run(stHistoryList, &ScanHistoryList),
      {
          {73, mtDeleteValue, "notepad.exe", visited, "ovalin-a", "C:\\Gone-ovalin", 2},
          {126, mtDeleteValue, "notepad.exe", visited, "ovalin-b", "", 4},
          {126, mtDeleteValue, "", visited, "ovalin-c", "", 5},
          {0, 0, "ovalin.exe", visited, "ovalin-d", "C:\\", 7},
          {126, mtDeleteValue, "ovalin.exe", visited, "ovalin-f", "", 10},
          {0, 0, "ovalintest", openSave + "ovalintest", "a", "$SCRATCH$x.txt", 47},
          {73, mtDeleteValue, "ovalintest", openSave + "ovalintest", "b", "$SCRATCH$x.txt -r", 47},
          {126, mtDeleteValue, "ovalintest", openSave + "ovalintest", "c", "", 47},
          {73, mtDeleteValue, "ovalintest2", openSave + "ovalintest2", "a",
           "$WINDIR$\\ovalin-gone.txt", 65},
      });
}

// A LastVisitedPidlMRU value: the program name, then the ID list.
std::string VisitedValue(std::u16string_view program, const Bytes& list) {
  Bytes value;
  PutUtf16(value, program);
  value.insert(value.end(), list.begin(), list.end());
  return "hex:" + RegHex(value);
}

TEST(HistoryListRule, JudgesTheIdListKeysOfVistaAndLater) {
  RuleHarness h;
  const std::u16string scratch = h.Scratch();
  h.Test().CreateFolder(scratch + u"kept");
  h.Test().CreateFile(scratch + u"kept\\x.txt");
  const auto listOf = [&](std::u16string_view relative) {
    return IdListBuilder().Path(scratch + std::u16string(relative)).Terminated();
  };
  // Too long for the plain file test, so neither present nor absent.
  const std::u16string longName(150, u'n');
  const std::u16string tooLong = u"gone\\" + longName + u"\\" + longName;
  const Bytes gone = listOf(u"gone-folder\\");
  const Bytes downloads =
      IdListBuilder().MyComputer().KnownFolder(kDownloads).File(u"a.txt").Terminated();
  const Bytes network = IdListBuilder().Root(kNetwork).Item({0xC3, 0x01, 0x80}).Terminated();
  const std::string visitedKey = std::string(kComDlg) + "LastVisitedPidlMRU";
  const std::string legacyKey = std::string(kComDlg) + "LastVisitedPidlMRULegacy";
  const std::string openSaveKey = std::string(kComDlg) + "OpenSavePidlMRU\\ovalintest";
  std::string reg = "Windows Registry Editor Version 5.00\n";
  const auto key = [&](const std::string& path) { reg += "\n[" + path + "]\n"; };
  const auto value = [&](const std::string& name, const std::string& data) {
    reg += "\"" + name + "\"=" + data + "\n";
  };
  key(visitedKey);
  // The ordering values hold what would be an entry of this rule if they were read as
  // one: they must give no record.
  value("MRUListEx", VisitedValue(u"ovalin-order", gone));
  value("ovalin-1", VisitedValue(u"ovalin.exe", listOf(u"kept\\")));
  value("ovalin-2", VisitedValue(u"ovalin.exe", gone));
  value("ovalin-3", VisitedValue(u"ovalin.exe", downloads));  // not a plain path
  value("ovalin-4", VisitedValue(u"ovalin.exe", {}));         // no list at all
  value("ovalin-5", "\"ovalin text values are not entries\"");
  value("ovalin-6", VisitedValue(u"ovalin.exe", listOf(tooLong + u"\\")));
  // A list without its terminator is not one we can read.
  value("ovalin-7", VisitedValue(u"ovalin.exe", Bytes(gone.begin(), gone.end() - 2)));
  key(legacyKey);
  value("ovalin-1", VisitedValue(u"ovalin.exe", gone));
  key(openSaveKey);
  value("MRUListEx", "hex:00,00,00,00,ff,ff,ff,ff");
  value("0", "hex:" + RegHex(listOf(u"kept\\x.txt")));
  value("1", "hex:" + RegHex(listOf(u"gone.txt")));
  value("2", "hex:");
  value("3", "hex:" + RegHex(network));
  value("4", "dword:00000001");
  // A drive that is not there says nothing about the file.
  value("5", "hex:" + RegHex(IdListBuilder().Path(u"Q:\\ovalin\\x.txt").Terminated()));
  h.SeedText(reg);

  // Natively: LastVisitedPidlMRU's 8 values over 10..20, the legacy key's one over
  // 20..30, OpenSavePidlMRU's one extension key over 65..100.
  h.ExpectRecords(
      h.Run(stHistoryList, &ScanHistoryList),
      {
          {0, 0, "ovalin.exe", visitedKey, "ovalin-1", "$SCRATCH$kept", 12},
          {73, mtDeleteValue, "ovalin.exe", visitedKey, "ovalin-2", "$SCRATCH$gone-folder", 13},
          {0, 0, "ovalin.exe", visitedKey, "ovalin-3", "", 15},
          {126, mtDeleteValue, "ovalin.exe", visitedKey, "ovalin-4", "", 16},
          {0, 0, "ovalin.exe", visitedKey, "ovalin-6", "$SCRATCH$" + U8(tooLong), 18},
          {0, 0, "ovalin.exe", visitedKey, "ovalin-7", "", 20},
          {73, mtDeleteValue, "ovalin.exe", legacyKey, "ovalin-1", "$SCRATCH$gone-folder", 30},
          {0, 0, "ovalintest", openSaveKey, "0", "$SCRATCH$kept\\x.txt", 100},
          {73, mtDeleteValue, "ovalintest", openSaveKey, "1", "$SCRATCH$gone.txt", 100},
          {126, mtDeleteValue, "ovalintest", openSaveKey, "2", "", 100},
          {0, 0, "ovalintest", openSaveKey, "3", "", 100},
          {0, 0, "ovalintest", openSaveKey, "5", "Q:\\ovalin\\x.txt", 100},
      });
}

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

TEST(ParseLastVisitedEntry, EveryPrefixOfAnEntryParsesWithinItsData) {
  const std::vector<std::uint8_t> full = Utf16Bytes(std::u16string(u"app.exe\0C:\\Dir\0", 15));
  for (std::size_t length = 0; length <= full.size(); ++length) {
    // An exact-size copy, so that a read past the end is caught by the sanitizers.
    std::vector<std::uint8_t> data(full.begin(), full.begin() + length);
    const LastVisitedEntry entry = ParseLastVisitedEntry(data.data(), data.size());
    EXPECT_LE(entry.program.size() * 2 + entry.folder.size() * 2, length);
  }
  const LastVisitedEntry whole = ParseLastVisitedEntry(full.data(), full.size());
  EXPECT_EQ(whole.program, u"app.exe");
  EXPECT_EQ(whole.folder, u"C:\\Dir");
}

}  // namespace
}  // namespace ovalin::testing
