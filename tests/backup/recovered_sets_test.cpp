// Data files without a section in the backup index (a clean killed before it recorded
// its set, or one whose index could not be written) are listed as recovered sets and
// are restored, marked and deleted like any other.
#include <gtest/gtest.h>

#include "backup/backup_fixture.h"
#include "engine/rescue_names.h"
#include "engine/rescue_recovery.h"

namespace ovalin::testing {
namespace {

constexpr std::uint32_t kCode = stSharedDlls | 0x25;

class RecoveredSetsTest : public BackupTest {
 protected:
  // Cleans two values at 2010-03-07 14:05:09 and removes the set's section, as a clean
  // killed before its last step leaves it; returns the data file's name.
  std::u16string CleanWithoutSection() {
    clock_.Hold(FileTimeOf(2010, 3, 7, 14, 5, 9));
    Seed("[$\\K]\n\"a\"=\"one\"\n\"b\"=dword:2\n\"keep\"=dword:3\n");
    AddFinding(kCode | mtDeleteValue, Path(u"K"), u"a");
    AddFinding(kCode | mtDeleteValue, Path(u"K"), u"b");
    std::vector<int> failed;
    EXPECT_TRUE(Cleaner().Clean({0, 1}, &failed, u"by hand"));
    EXPECT_TRUE(P().profiles.EraseSection(Cleaner().RescueListFile(), u"2010-03-07 14:05:09"));
    return u"2010-03-07 14-05-09.rss";
  }
  std::vector<std::u16string> Sections() {
    return P().profiles.SectionNames(Cleaner().RescueListFile());
  }
};

TEST_F(RecoveredSetsTest, FileWithoutSectionIsListedRestoredAndDeleted) {
  const auto original = [&] {
    Seed("[$\\K]\n\"a\"=\"one\"\n\"b\"=dword:2\n\"keep\"=dword:3\n");
    return Snapshot();
  }();
  const std::u16string file = CleanWithoutSection();
  Cleaner().UpdateRescueList();
  ASSERT_EQ(Cleaner().RescueCount(), 1);
  const TRCRescueItem& set = *Cleaner().RescueItems(0);
  EXPECT_EQ(set.SectionName, u"2010-03-07 14:05:09");
  EXPECT_EQ(set.DateTime(), FileTimeOf(2010, 3, 7, 14, 5, 9));
  EXPECT_EQ(set.DetailCount, 2u);
  EXPECT_EQ(set.BackupFile, file);
  EXPECT_EQ(set.Description, kRecoveredDescription);
  EXPECT_FALSE(set.IsRescued);
  // From now on the index lists it like any other set.
  EXPECT_EQ(Sections(), std::vector<std::u16string>{u"2010-03-07 14:05:09"});
  EXPECT_EQ(
      P().profiles.ReadString(Cleaner().RescueListFile(), u"2010-03-07 14:05:09", u"BackupFile"),
      file);

  ASSERT_TRUE(Cleaner().RestoreRescue(rescueDir_ + file));
  EXPECT_EQ(Snapshot(), original);
  Cleaner().UpdateRescueList();
  ASSERT_EQ(Cleaner().RescueCount(), 1);
  EXPECT_TRUE(Cleaner().RescueItems(0)->IsRescued);

  EXPECT_TRUE(Cleaner().DeleteRescue(Cleaner().RescueItems(0)));
  Cleaner().UpdateRescueList();
  EXPECT_EQ(Cleaner().RescueCount(), 0);
  EXPECT_TRUE(DataFiles().empty());
  EXPECT_TRUE(Sections().empty());
}

TEST_F(RecoveredSetsTest, OnlyReadableFilesWithRecordsAreRecovered) {
  const std::u16string file = CleanWithoutSection();
  const auto bytes = ReadFileBytes(rescueDir_ + file);
  WriteFileBytes(rescueDir_ + u"header only.rss", {'R', 'E', 'G', 'B', 0, 0, 0, 0});
  WriteFileBytes(rescueDir_ + u"not a backup.rss", {'M', 'Z', 0, 0, 0, 0, 0, 0, 1, 2, 3});
  WriteFileBytes(rescueDir_ + u"notes.txt", bytes);
  platform_.CreateFolder(rescueDir_ + u"folder.rss");
  // A file its section hides (a malformed count) stays hidden, not recovered.
  WriteFileBytes(rescueDir_ + u"hidden.rss", bytes);
  P().profiles.WriteString(Cleaner().RescueListFile(), u"hidden", u"BackupFile", u"hidden.rss");
  P().profiles.WriteString(Cleaner().RescueListFile(), u"hidden", u"DetailCount", u"x");
  // A copy under another name, whose natural section name is taken by another set.
  WriteFileBytes(rescueDir_ + u"Kept Copy.RSS", bytes);
  WriteFileBytes(rescueDir_ + u"other.rss", bytes);
  P().profiles.WriteString(Cleaner().RescueListFile(), u"Kept Copy", u"BackupFile", u"other.rss");

  using Listing = std::vector<std::pair<std::u16string, std::u16string>>;
  auto list = [&] {
    Cleaner().UpdateRescueList();
    Listing listed;
    for (int i = 0; i < Cleaner().RescueCount(); ++i) {
      listed.emplace_back(Cleaner().RescueItems(i)->SectionName,
                          Cleaner().RescueItems(i)->BackupFile);
    }
    return listed;
  };
  const Listing expected = {{u"Kept Copy", u"other.rss"},
                            {u"2010-03-07 14:05:09", file},
                            {u"Kept Copy (2)", u"Kept Copy.RSS"}};
  EXPECT_EQ(list(), expected);
  // Listing again finds the same sets in the same order, now from their sections.
  EXPECT_EQ(list(), expected);
}

TEST(RescueRecovery, SectionNamesOfDataFiles) {
  EXPECT_EQ(SectionNameOfBackupFile(u"2010-03-07 14-05-09.rss"), u"2010-03-07 14:05:09");
  EXPECT_EQ(SectionNameOfBackupFile(u"2010-03-07 14-05-09.RSS"), u"2010-03-07 14:05:09");
  EXPECT_EQ(SectionNameOfBackupFile(u"2010-13-07 14-05-09.rss"), u"2010-13-07 14-05-09");
  EXPECT_EQ(SectionNameOfBackupFile(u"copy.rss"), u"copy");
}

TEST(RescueNames, SameWindowsPathIgnoresSpelling) {
  const struct {
    const char16_t* other;
    bool same;
  } cases[] = {
      {u"C:\\Ovalin\\Data\\ZUNRC\\x.rss", true},
      {u"c:\\ovalin\\data\\zunrc\\X.RSS", true},
      {u"C:/Ovalin/Data/ZUNRC/x.rss", true},
      {u"C:\\Ovalin\\\\Data\\ZUNRC\\.\\x.rss", true},
      {u"C:\\Ovalin\\Langs\\..\\Data\\ZUNRC\\x.rss", true},
      {u"C:\\..\\Ovalin\\Data\\ZUNRC\\x.rss", true},
      {u"C:\\Ovalin\\Data\\ZUNRC\\y.rss", false},
      {u"D:\\Ovalin\\Data\\ZUNRC\\x.rss", false},
      {u"C:\\Ovalin\\Data\\x.rss", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SameWindowsPath(u"C:\\Ovalin\\Data\\ZUNRC\\x.rss", c.other), c.same) << U8(c.other);
  }
  EXPECT_TRUE(SameWindowsPath(u"\\\\server\\share\\x.rss", u"//SERVER/share/x.rss"));
  EXPECT_FALSE(SameWindowsPath(u"\\\\server\\share\\x.rss", u"\\server\\share\\x.rss"));
}

// However the person spells the data file's path, restoring it marks its set.
TEST_F(RecoveredSetsTest, RestoreMarksTheSetWhateverTheSpelling) {
  const std::u16string file = CleanWithoutSection();
  std::u16string folder = rescueDir_;
  for (char16_t& c : folder) {
    if (c == u'\\') c = u'/';
  }
  const std::u16string spellings[] = {
      StrLower(rescueDir_ + file),
      folder + file,
      rescueDir_ + u".\\..\\ZUNRC\\" + file,
  };
  for (const auto& spelling : spellings) {
    SCOPED_TRACE(U8(spelling));
    P().profiles.WriteString(Cleaner().RescueListFile(), u"2010-03-07 14:05:09", u"IsRescued",
                             u"False");
    Cleaner().UpdateRescueList();
    ASSERT_TRUE(Cleaner().RestoreRescue(spelling));
    Cleaner().UpdateRescueList();
    ASSERT_EQ(Cleaner().RescueCount(), 1);
    EXPECT_TRUE(Cleaner().RescueItems(0)->IsRescued);
  }
}

}  // namespace
}  // namespace ovalin::testing
