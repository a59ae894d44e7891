#include <gtest/gtest.h>

#include "rules/scan_rules.h"
#include "rule_harness.h"

namespace ovalin::testing {
namespace {

constexpr const char* kRecentDocs =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";

TEST(RecentDocsRule, JudgesTheShortcutsBehindRecentDocuments) {
  RuleHarness h;
  h.SeedFixture("recent_docs.reg");
  h.CreateFileAt(GetSpecialFolder(h.Get().system, platform::kCsidlRecent) + u"ovalin-doc.lnk");

  const std::string root = kRecentDocs;
  const std::string ext = root + "\\.ovalintest";
  // Natively 6 values and 2 subkeys: divisor 8. MRUListEx is not numeric, value 7 is
  // too short; " 9 " is numeric once trimmed but holds no terminator.
  h.ExpectRecords(
      h.Run(stShortcuts, &ScanRecentDocs),
      {
          {0, 0, "ovalin-doc.txt", root, "0", "ovalin-doc.lnk", 25},
          {58, mtDeleteValue, "ovalin-ansi.txt", root, "5", "ovalin-\xc3\xa9.lnk", 37},
          {58, mtDeleteValue, "ovalin-short.txt", root, "8", "", 62},
          {58, mtDeleteValue, "ovalin-nul", root, " 9 ", "", 75},
          {0, 0, "ovalin-doc.txt", ext, "0", "$RECENT$ovalin-doc.lnk", 87},
          {58, mtDeleteValue, "ovalin-gone.txt", ext, "1", "$RECENT$ovalin-gone.lnk", 87},
          {56, mtDeleteKeyTree, ".ovalintest-empty", root + "\\.ovalintest-empty", "", "", 100},
      });
}

std::vector<std::uint8_t> Entry(std::u16string_view document, std::uint8_t type,
                                const std::vector<std::uint8_t>& name) {
  std::vector<std::uint8_t> bytes;
  for (char16_t c : document) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  bytes.insert(bytes.end(), {0, 0, 0, 0, type});
  bytes.insert(bytes.end(), 11, 0);
  bytes.insert(bytes.end(), name.begin(), name.end());
  return bytes;
}

TEST(ParseRecentDocEntry, ReadsTheShortcutNameInTheFormTheTypeByteGives) {
  const struct {
    std::uint8_t type;
    std::vector<std::uint8_t> name;
    std::u16string shortcut;
  } cases[] = {
      {0x00, {'a', 0, '.', 0, 'l', 0, 0, 0}, u"a.l"},
      {0x31, {'a', 0, '.', 0, 'l', 0, 0, 0}, u"a.l"},
      {0x32, {'a', '.', 'l', 0xE9, 0x80, 0}, u"a.l\u00e9\u20ac"},
      {0x32, {'a', '.', 'l'}, u"a.l"},  // no terminator: up to the end of the data
      {0x00, {'a', 0, 'b'}, u"a"},     // an odd trailing byte is not a character
  };
  for (const auto& c : cases) {
    const std::vector<std::uint8_t> data = Entry(u"doc.txt", c.type, c.name);
    const RecentDocEntry entry = ParseRecentDocEntry(data.data(), data.size());
    EXPECT_EQ(entry.document, u"doc.txt");
    EXPECT_EQ(entry.shortcut, c.shortcut) << int(c.type);
  }
}

TEST(ParseRecentDocEntry, EveryPrefixOfAnEntryParsesWithinItsData) {
  for (std::uint8_t type : {std::uint8_t{0x00}, std::uint8_t{0x32}}) {
    const std::vector<std::uint8_t> full =
        Entry(u"doc.txt", type, {'x', 0, '.', 0, 'l', 0, 'n', 0, 'k', 0, 0, 0});
    for (std::size_t length = 0; length <= full.size(); ++length) {
      // An exact-size copy, so that a read past the end is caught by the sanitizers.
      std::vector<std::uint8_t> data(full.begin(), full.begin() + length);
      const RecentDocEntry entry = ParseRecentDocEntry(data.data(), data.size());
      EXPECT_LE(entry.document.size(), 7u);
      if (length <= 2 * 7 + 16) {
        EXPECT_TRUE(entry.shortcut.empty()) << length;
      }
    }
  }
}

}  // namespace
}  // namespace ovalin::testing
