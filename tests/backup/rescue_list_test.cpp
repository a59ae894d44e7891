// The backup index: listing and tidying, the backup folder, deleting sets, and the
// names and times of sets.
#include <gtest/gtest.h>

#include "backup/backup_fixture.h"
#include "engine/clean_removal.h"
#include "engine/rescue_names.h"

namespace ovalin::testing {
namespace {

class RescueListTest : public BackupTest {
 protected:
  void Section(const char16_t* name, std::vector<std::pair<std::u16string, std::u16string>> keys) {
    for (const auto& [key, value] : keys) {
      P().profiles.WriteString(Cleaner().RescueListFile(), name, key, value);
    }
  }
  void DataFile(const std::u16string& name) { WriteFileBytes(rescueDir_ + name, {'R', 'E', 'G', 'B', 0, 0, 0, 0}); }
  std::vector<std::u16string> Sections() { return P().profiles.SectionNames(Cleaner().RescueListFile()); }
};

TEST_F(RescueListTest, ListingTidiesTheIndex) {
  for (auto f : {u"a.rss", u"b.rss", u"c.rss", u"d.rss", u"e.rss"}) DataFile(f);
  Section(u"2010-01-01 00:00:01", {{u"DetailCount", u"3"}, {u"IsRescued", u"False"},
                                   {u"Description", u"first"}, {u"BackupFile", u"a.rss"}});
  Section(u"missing file", {{u"BackupFile", u"gone.rss"}});
  Section(u"no file name", {{u"DetailCount", u"1"}});
  Section(u"deleted", {{u"BackupFile", u"b.rss"}, {u"HasBeenDeleted", u"true"}});
  Section(u"bad count", {{u"BackupFile", u"c.rss"}, {u"DetailCount", u"12x"}});
  Section(u"escape", {{u"BackupFile", u"..\\outside.rss"}, {u"HasBeenDeleted", u"True"}});
  Section(u"defaults", {{u"BackupFile", u"d.rss"}});
  Section(u"rescued", {{u"BackupFile", u"e.rss"}, {u"IsRescued", u"1"}});
  platform_.CreateFile(platform_.ScratchFolder() + u"Data\\outside.rss", "keep");

  Cleaner().UpdateRescueList();
  ASSERT_EQ(Cleaner().RescueCount(), 3);
  const TRCRescueItem* first = Cleaner().RescueItems(0);
  EXPECT_EQ(first->SectionName, u"2010-01-01 00:00:01");
  EXPECT_EQ(first->DetailCount, 3u);
  EXPECT_FALSE(first->IsRescued);
  EXPECT_EQ(first->Description, u"first");
  EXPECT_EQ(first->BackupFile, u"a.rss");
  EXPECT_EQ(Cleaner().RescueItems(1)->SectionName, u"defaults");
  EXPECT_EQ(Cleaner().RescueItems(1)->DetailCount, 0u);
  EXPECT_FALSE(Cleaner().RescueItems(1)->IsRescued);
  EXPECT_TRUE(Cleaner().RescueItems(2)->IsRescued);
  EXPECT_EQ(Cleaner().RescueItems(-1), nullptr);
  EXPECT_EQ(Cleaner().RescueItems(3), nullptr);

  // Missing files and deletable deleted sets are gone from the index; the section with a
  // malformed count is only hidden; a name leading out of the folder touches nothing.
  EXPECT_EQ(Sections(), (std::vector<std::u16string>{u"2010-01-01 00:00:01", u"bad count",
                                                     u"escape", u"defaults", u"rescued"}));
  EXPECT_EQ(P().files.Probe(rescueDir_ + u"b.rss"), platform::PathKind::kMissing);
  EXPECT_EQ(P().files.Probe(platform_.ScratchFolder() + u"Data\\outside.rss"), platform::PathKind::kFile);
}

TEST_F(RescueListTest, IsRescuedTexts) {
  const struct {
    const char16_t* text;
    bool rescued;
  } cases[] = {{u"False", false}, {u"FALSE", false}, {u"false", false}, {u"0", false},
               {u"True", true},   {u"1", true},      {u"", true},       {u"yes", true}};
  for (const auto& c : cases) {
    DataFile(u"a.rss");
    Section(u"s", {{u"BackupFile", u"a.rss"}, {u"IsRescued", c.text}});
    Cleaner().UpdateRescueList();
    ASSERT_EQ(Cleaner().RescueCount(), 1);
    EXPECT_EQ(Cleaner().RescueItems(0)->IsRescued, c.rescued) << U8(c.text);
  }
}

TEST_F(RescueListTest, RescueDirGetsABackslashAndMovesTheIndex) {
  Cleaner().SetRescueDir(u"C:\\Somewhere\\Backups");
  EXPECT_EQ(Cleaner().RescueDir(), u"C:\\Somewhere\\Backups\\");
  EXPECT_EQ(Cleaner().RescueListFile(), u"C:\\Somewhere\\Backups\\ResList.ini");
}

TEST_F(RescueListTest, DeleteSetsAndAll) {
  DataFile(u"a.rss");
  DataFile(u"b.rss");
  Section(u"one", {{u"BackupFile", u"a.rss"}});
  Section(u"two", {{u"BackupFile", u"b.rss"}});
  Cleaner().UpdateRescueList();
  EXPECT_FALSE(Cleaner().DeleteRescue(nullptr));
  EXPECT_TRUE(Cleaner().DeleteRescue(Cleaner().RescueItems(0)));
  EXPECT_EQ(Sections(), std::vector<std::u16string>{u"two"});
  EXPECT_EQ(P().files.Probe(rescueDir_ + u"a.rss"), platform::PathKind::kMissing);
  Cleaner().UpdateRescueList();
  Cleaner().DeleteAllRescue();
  EXPECT_TRUE(Sections().empty());
  EXPECT_TRUE(DataFiles().empty());
}

// A file system whose deletions fail, as for a data file another program holds open.
class LockedFiles : public platform::FileSystem {
 public:
  explicit LockedFiles(platform::FileSystem& base) : base_(base) {}
  platform::PathKind Probe(std::u16string_view p) override { return base_.Probe(p); }
  platform::PathState Examine(std::u16string_view p) override { return base_.Examine(p); }
  platform::DriveKind DriveKindOf(char16_t d) override { return base_.DriveKindOf(d); }
  bool CreateFolders(std::u16string_view p) override { return base_.CreateFolders(p); }
  std::unique_ptr<platform::File> Open(std::u16string_view p, platform::FileOpenMode m) override {
    return base_.Open(p, m);
  }
  bool DeleteFile(std::u16string_view) override { return false; }
  std::vector<platform::FolderEntry> ListFolder(std::u16string_view p) override { return base_.ListFolder(p); }

 private:
  platform::FileSystem& base_;
};

TEST_F(RescueListTest, LockedDataFileIsMarkedDeletedAndHidden) {
  DataFile(u"a.rss");
  Section(u"one", {{u"BackupFile", u"a.rss"}});
  LockedFiles locked(platform_.Get().files);
  platform::Platform view{P().registry, locked, P().profiles, P().system, P().clock, P().messages};
  TRCRegCleaner cleaner(view, {});
  cleaner.SetRescueDir(rescueDir_);
  cleaner.UpdateRescueList();
  ASSERT_EQ(cleaner.RescueCount(), 1);
  EXPECT_FALSE(cleaner.DeleteRescue(cleaner.RescueItems(0)));
  EXPECT_EQ(P().profiles.ReadString(cleaner.RescueListFile(), u"one", u"HasBeenDeleted"), u"True");
  cleaner.UpdateRescueList();
  EXPECT_EQ(cleaner.RescueCount(), 0);
  // Once the file can go, the next listing removes file and section.
  Cleaner().UpdateRescueList();
  EXPECT_TRUE(Sections().empty());
  EXPECT_TRUE(DataFiles().empty());
}

TEST(RescueNames, DateTimeOfSectionNames) {
  const struct {
    const char16_t* name;
    bool valid;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  } cases[] = {
      {u"2010-03-07 14:05:09", true, 2010, 3, 7, 14, 5, 9},
      {u"2000-02-29 23:59:59", true, 2000, 2, 29, 23, 59, 59},
      {u"10-3-7 1:2:3", false},          // the month has one digit
      {u"", false},
      {u"2010-02-30 00:00:00", false},   // no such day
      {u"2010-03-07 24:00:00", false},
      {u"2010-03-07 14:05:x9", false},
      {u"2010-03-07 14:05", false},
      {u"2010-03-07T14:05:09", false},
      {u"1600-01-01 00:00:00", false},
  };
  for (const auto& c : cases) {
    TRCRescueItem item;
    item.SectionName = c.name;
    const platform::FileTime time = item.DateTime();
    if (!c.valid) {
      EXPECT_EQ(time, 0u) << U8(c.name);
      continue;
    }
    platform::CalendarTime calendar;
    ASSERT_TRUE(platform::FileTimeToCalendar(time, &calendar)) << U8(c.name);
    EXPECT_EQ(std::vector<int>({calendar.year, calendar.month, calendar.day, calendar.hour,
                                calendar.minute, calendar.second}),
              std::vector<int>({c.year, c.month, c.day, c.hour, c.minute, c.second}))
        << U8(c.name);
    TRCRescueItem back;
    back.SetDateTime(time);
    EXPECT_EQ(back.SectionName, c.name);
  }
}

TEST(RescueNames, FileNamesAndPlainNames) {
  platform::CalendarTime t;
  t.year = 987;
  t.month = 1;
  t.day = 2;
  t.hour = 3;
  t.minute = 4;
  t.second = 5;
  EXPECT_EQ(FormatBackupFileName(t), u"0987-01-02 03-04-05.rss");
  EXPECT_EQ(FormatSectionName(t), u"0987-01-02 03:04:05");
  for (auto bad : {u"", u".", u"..", u"..\\x.rss", u"a/b.rss", u"C:x.rss", u"\\\\server\\x"}) {
    EXPECT_FALSE(IsPlainBackupFileName(bad)) << U8(bad);
  }
  EXPECT_TRUE(IsPlainBackupFileName(u"2010-03-07 14-05-09.rss"));
}

// A registry whose DeleteKey refuses one key name, as for a key whose security forbids
// deleting it.
class StuckKeyRegistry : public platform::Registry {
 public:
  explicit StuckKeyRegistry(platform::Registry& base) : base_(base) {}
  platform::RegStatus OpenKey(platform::RegKey p, std::u16string_view s, std::uint32_t a, platform::RegKey* r) override { return base_.OpenKey(p, s, a, r); }
  platform::RegStatus CreateKey(platform::RegKey p, std::u16string_view s, std::uint32_t a, platform::RegKey* r) override { return base_.CreateKey(p, s, a, r); }
  void CloseKey(platform::RegKey k) override { base_.CloseKey(k); }
  platform::RegStatus QueryInfo(platform::RegKey k, platform::RegKeyInfo* i) override { return base_.QueryInfo(k, i); }
  platform::RegStatus EnumKey(platform::RegKey k, std::uint32_t i, std::u16string* n) override { return base_.EnumKey(k, i, n); }
  platform::RegStatus EnumValue(platform::RegKey k, std::uint32_t i, std::u16string* n) override { return base_.EnumValue(k, i, n); }
  platform::RegStatus QueryValue(platform::RegKey k, std::u16string_view n, std::uint32_t* t, std::uint8_t* d, std::uint32_t* s) override { return base_.QueryValue(k, n, t, d, s); }
  platform::RegStatus SetValue(platform::RegKey k, std::u16string_view n, std::uint32_t t, const std::uint8_t* d, std::uint32_t s) override { return base_.SetValue(k, n, t, d, s); }
  platform::RegStatus DeleteValue(platform::RegKey k, std::u16string_view n) override { return base_.DeleteValue(k, n); }
  platform::RegStatus DeleteKey(platform::RegKey p, std::u16string_view s) override {
    const std::size_t slash = s.rfind(u'\\');
    if (StrSameText(slash == std::u16string_view::npos ? s : s.substr(slash + 1), u"Stuck")) {
      return platform::kRegAccessDenied;
    }
    return base_.DeleteKey(p, s);
  }

 private:
  platform::Registry& base_;
};

// A key tree that cannot be removed whole is not reported as removed.
TEST_F(RescueListTest, KeyTreeThatStaysIsNotReportedRemoved) {
  Seed("[$\\Tree\\Stuck]\n\"v\"=dword:1\n[$\\Tree\\Other]\n");
  StuckKeyRegistry stuck(P().registry);
  TRCScannedItem finding;
  finding.ScannedCode = stSharedDlls | mtDeleteKeyTree | 0x25;
  finding.Path = Path(u"Tree");
  EXPECT_FALSE(DeleteKeyTree(stuck, finding));
  EXPECT_TRUE(KeyExists(Path(u"Tree\\Stuck")));
  EXPECT_FALSE(KeyExists(Path(u"Tree\\Other")));
  Seed("[$\\Plain\\Sub]\n");
  finding.Path = Path(u"Plain");
  EXPECT_TRUE(DeleteKeyTree(stuck, finding));
  EXPECT_FALSE(KeyExists(Path(u"Plain")));
}

}  // namespace
}  // namespace ovalin::testing
