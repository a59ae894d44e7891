#include "engine/ignore_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/reg_cleaner.h"
#include "support/test_platform.h"

namespace ovalin {
namespace {

using testing::TestPlatform;

class IgnoreListTest : public ::testing::Test {
 protected:
  std::u16string File() const { return platform_.ScratchFolder() + u"Ignored.ini"; }

  TestPlatform platform_;
};

TEST_F(IgnoreListTest, EntriesSurviveTheFileWithTheirBlanksQuotesAndCase) {
  const IgnoredEntry entries[] = {
      {0x1000, u"HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32", u""},
      {0x8000, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
       u" C:\\Tools\\x.dll "},
      {0x400000, u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
       u"\"quoted\""},
      {0x2000, u"HKEY_CLASSES_ROOT\\.txt\\OpenWithProgids", u"|Notepad|"},
  };
  {
    IgnoreList list(platform_.Get().profiles);
    list.Load(File());
    EXPECT_TRUE(list.Entries().empty());
    for (const IgnoredEntry& entry : entries) EXPECT_TRUE(list.Add(entry));
    EXPECT_FALSE(list.Add(entries[0])) << "an entry is listed once";
    EXPECT_FALSE(list.Add({0x1000, u"HKEY_CLASSES_ROOT\\a\nb", u""})) << "no line breaks";
    ASSERT_TRUE(list.Save());
  }
  IgnoreList loaded(platform_.Get().profiles);
  loaded.Load(File());
  ASSERT_EQ(loaded.Entries().size(), std::size(entries));
  for (const IgnoredEntry& entry : entries) {
    EXPECT_TRUE(loaded.Contains(entry.scanType, entry.path, entry.valueName));
  }
  // Names are compared as the registry compares them; the scan type must match.
  EXPECT_TRUE(loaded.Contains(0x1000, u"hkey_classes_root\\clsid\\{x}\\inprocserver32", u""));
  EXPECT_FALSE(loaded.Contains(0x2000, u"HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32", u""));
  EXPECT_TRUE(loaded.Remove(entries[1]));
  EXPECT_FALSE(loaded.Remove(entries[1]));
  ASSERT_TRUE(loaded.Save());
  IgnoreList again(platform_.Get().profiles);
  again.Load(File());
  EXPECT_EQ(again.Entries().size(), std::size(entries) - 1);
}

TEST_F(IgnoreListTest, DamagedSectionsAreSkipped) {
  platform::ProfileFiles& ini = platform_.Get().profiles;
  ini.WriteString(File(), u"Entry1", u"ScanType", u"4096");
  ini.WriteString(File(), u"Entry1", u"Path", u"|HKEY_CLASSES_ROOT\\x|");
  ini.WriteString(File(), u"Entry1", u"ValueName", u"||");
  ini.WriteString(File(), u"Entry2", u"ScanType", u"lots");
  ini.WriteString(File(), u"Entry2", u"Path", u"|HKEY_CLASSES_ROOT\\y|");
  ini.WriteString(File(), u"Entry2", u"ValueName", u"||");
  ini.WriteString(File(), u"Entry3", u"ScanType", u"4096");
  ini.WriteString(File(), u"Entry3", u"Path", u"HKEY_CLASSES_ROOT\\unfenced");
  ini.WriteString(File(), u"Entry3", u"ValueName", u"||");
  ini.WriteString(File(), u"Other", u"ScanType", u"4096");
  IgnoreList list(ini);
  list.Load(File());
  ASSERT_EQ(list.Entries().size(), 1u);
  EXPECT_EQ(list.Entries()[0].path, u"HKEY_CLASSES_ROOT\\x");
}

TEST_F(IgnoreListTest, TheCleanerCountsIgnoredFindingsInsteadOfReportingThem) {
  IgnoreList list(platform_.Get().profiles);
  list.Add({0x1000, u"HKEY_CLASSES_ROOT\\CLSID\\{KEPT}", u""});
  auto rule = [](TRCRegCleaner& cleaner, int, int) {
    for (const char16_t* path : {u"HKEY_CLASSES_ROOT\\CLSID\\{KEPT}\\",
                                 u"HKEY_CLASSES_ROOT\\CLSID\\{GONE}"}) {
      auto item = std::make_unique<TRCScannedItem>();
      item->ScannedCode = 0x1000 | 0x500 | 33;
      item->Path = path;
      item->Reason = {ReasonKind::kKeyNotFound, u"HKEY_CLASSES_ROOT\\CLSID\\{Y}"};
      cleaner.AddFinding(std::move(item), 50);
    }
  };
  TRCRegCleaner cleaner(platform_.Get(), {{0x1000, rule}});
  cleaner.SetIgnoreList(&list);
  int findingEvents = 0;
  int fineEvents = 0;
  cleaner.OnScanning = [&](TRCRegCleaner&, const ScanningEventArgs& e) {
    ++(e.errorCode != 0 ? findingEvents : fineEvents);
  };
  ASSERT_TRUE(cleaner.Scan(0x1000));
  cleaner.WaitForIdle();
  ASSERT_EQ(cleaner.ScannedItemsCount(), 1);
  EXPECT_EQ(cleaner.ScannedItems()[0]->Path, u"HKEY_CLASSES_ROOT\\CLSID\\{GONE}");
  EXPECT_EQ(cleaner.IgnoredCount(), 1);
  EXPECT_EQ(findingEvents, 1);
  EXPECT_EQ(fineEvents, 1);
}

}  // namespace
}  // namespace ovalin
