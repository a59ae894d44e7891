#include <gtest/gtest.h>

#include "rules/scan_rules.h"
#include "rule_harness.h"

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
