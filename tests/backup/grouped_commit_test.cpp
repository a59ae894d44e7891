// Backups committed in groups: every entry the clean removes or blanks has its record
// covered by the header of a flushed data file before the registry is touched; a flush
// that fails removes nothing; Stop leaves records only for the findings it tried.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "backup/backup_fixture.h"
#include "engine/backup_reader.h"

namespace ovalin::testing {
namespace {

constexpr std::uint32_t kCode = stSharedDlls | 0x25;

// What the data file held, as far as its header covered it, at its last flush: the
// value names and key paths of its records, in lower case.
struct DurableRecords {
  std::set<std::u16string> valueNames;
  std::set<std::u16string> keyPaths;
  int flushes = 0;
  bool failFlush = false;

  bool HasKeyNamed(std::u16string_view name) const {
    const std::u16string tail = u"\\" + StrLower(name);
    for (const auto& path : keyPaths) {
      if (path.size() >= tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0) {
        return true;
      }
    }
    return false;
  }
};

class WatchedFile : public platform::File {
 public:
  WatchedFile(std::unique_ptr<platform::File> file, DurableRecords& durable)
      : file_(std::move(file)), durable_(durable) {}
  bool Read(void* b, std::uint32_t s, std::uint32_t* r) override { return file_->Read(b, s, r); }
  bool Write(const void* d, std::uint32_t s) override { return file_->Write(d, s); }
  bool Seek(std::uint64_t p) override { return file_->Seek(p); }
  std::uint64_t Position() override { return file_->Position(); }
  bool Truncate() override { return file_->Truncate(); }
  bool Size(std::uint64_t* s) override { return file_->Size(s); }
  bool Flush() override {
    if (durable_.failFlush || !file_->Flush()) return false;
    ++durable_.flushes;
    Snapshot();
    return true;
  }

 private:
  void Snapshot() {
    const std::uint64_t at = file_->Position();
    std::uint64_t size = 0;
    ASSERT_TRUE(file_->Size(&size));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::uint32_t read = 0;
    ASSERT_TRUE(file_->Seek(0));
    if (size != 0) {
      ASSERT_TRUE(file_->Read(bytes.data(), static_cast<std::uint32_t>(size), &read));
    }
    ASSERT_TRUE(file_->Seek(at));
    MemoryByteSource source(bytes.data(), read);
    BackupReader reader(source, read);
    durable_.valueNames.clear();
    durable_.keyPaths.clear();
    if (!reader.ReadHeader()) return;
    BackupRecordView record;
    while (reader.Next(&record)) {
      durable_.keyPaths.insert(StrLower(record.path));
      for (const auto& entry : record.entries) durable_.valueNames.insert(StrLower(entry.name));
    }
  }

  std::unique_ptr<platform::File> file_;
  DurableRecords& durable_;
};

class WatchedFiles : public platform::FileSystem {
 public:
  WatchedFiles(platform::FileSystem& base, DurableRecords& durable) : base_(base), durable_(durable) {}
  platform::PathKind Probe(std::u16string_view p) override { return base_.Probe(p); }
  platform::PathState Examine(std::u16string_view p) override { return base_.Examine(p); }
  platform::DriveKind DriveKindOf(char16_t d) override { return base_.DriveKindOf(d); }
  bool CreateFolders(std::u16string_view p) override { return base_.CreateFolders(p); }
  std::unique_ptr<platform::File> Open(std::u16string_view p, platform::FileOpenMode m) override {
    auto file = base_.Open(p, m);
    return file ? std::make_unique<WatchedFile>(std::move(file), durable_) : nullptr;
  }
  bool DeleteFile(std::u16string_view p) override { return base_.DeleteFile(p); }
  std::vector<platform::FolderEntry> ListFolder(std::u16string_view p) override {
    return base_.ListFolder(p);
  }

 private:
  platform::FileSystem& base_;
  DurableRecords& durable_;
};

// Fails the test when a value or key is changed before a flushed record covers it. The
// fixtures give every value and key a name of its own, so names identify them.
class WatchedRegistry : public platform::Registry {
 public:
  WatchedRegistry(platform::Registry& base, const DurableRecords& durable)
      : base_(base), durable_(durable) {}
  platform::RegStatus OpenKey(platform::RegKey parent, std::u16string_view subkey,
                              std::uint32_t access, platform::RegKey* result) override {
    return base_.OpenKey(parent, subkey, access, result);
  }
  platform::RegStatus CreateKey(platform::RegKey parent, std::u16string_view subkey,
                                std::uint32_t access, platform::RegKey* result) override {
    return base_.CreateKey(parent, subkey, access, result);
  }
  void CloseKey(platform::RegKey key) override { base_.CloseKey(key); }
  platform::RegStatus QueryInfo(platform::RegKey key, platform::RegKeyInfo* info) override {
    return base_.QueryInfo(key, info);
  }
  platform::RegStatus EnumKey(platform::RegKey key, std::uint32_t index, std::u16string* name) override {
    return base_.EnumKey(key, index, name);
  }
  platform::RegStatus EnumValue(platform::RegKey key, std::uint32_t index, std::u16string* name) override {
    return base_.EnumValue(key, index, name);
  }
  platform::RegStatus QueryValue(platform::RegKey key, std::u16string_view name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) override {
    return base_.QueryValue(key, name, type, data, size);
  }
  platform::RegStatus SetValue(platform::RegKey key, std::u16string_view name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) override {
    EXPECT_EQ(durable_.valueNames.count(StrLower(name)), 1u) << "blanked before its record: " << U8(name);
    return base_.SetValue(key, name, type, data, size);
  }
  platform::RegStatus DeleteValue(platform::RegKey key, std::u16string_view name) override {
    EXPECT_EQ(durable_.valueNames.count(StrLower(name)), 1u) << "deleted before its record: " << U8(name);
    return base_.DeleteValue(key, name);
  }
  platform::RegStatus DeleteKey(platform::RegKey parent, std::u16string_view subkey) override {
    EXPECT_TRUE(durable_.HasKeyNamed(subkey)) << "key deleted before its record: " << U8(subkey);
    return base_.DeleteKey(parent, subkey);
  }

 private:
  platform::Registry& base_;
  const DurableRecords& durable_;
};

class GroupedCommitTest : public BackupTest {
 protected:
  GroupedCommitTest()
      : files_(P().files, durable_),
        registry_(P().registry, durable_),
        watched_{registry_, files_, P().profiles, P().system, P().clock, P().messages},
        cleaner_(watched_, {}) {
    cleaner_.SetRescueDir(rescueDir_);
  }

  int Add(std::uint32_t code, std::u16string_view path, std::u16string_view valueName = u"") {
    auto item = std::make_unique<TRCScannedItem>();
    item->ScannedCode = code;
    item->Path = std::u16string(path);
    item->ValueName = std::u16string(valueName);
    const int index = cleaner_.ScannedItemsCount();
    cleaner_.AddFinding(std::move(item), 0);
    return index;
  }

  // n values "v0".."v<n-1>" in key K, each a finding of the given mark type.
  void SeedValues(int n, std::uint32_t markType) {
    std::string text = "[$\\K]\n";
    for (int i = 0; i < n; ++i) text += "\"v" + std::to_string(i) + "\"=dword:1\n";
    Seed(text);
    for (int i = 0; i < n; ++i) Add(kCode | markType, Path(u"K"), U16("v" + std::to_string(i)));
  }

  int RecordsInOnlyDataFile() {
    const auto files = DataFiles();
    EXPECT_EQ(files.size(), 1u);
    if (files.size() != 1) return -1;
    const auto bytes = ReadFileBytes(rescueDir_ + files[0]);
    MemoryByteSource source(bytes.data(), bytes.size());
    BackupReader reader(source, bytes.size());
    if (!reader.ReadHeader()) return -1;
    int records = 0;
    BackupRecordView record;
    while (reader.Next(&record)) ++records;
    EXPECT_EQ(reader.Consumed(), bytes.size()) << "bytes after the records the header covers";
    return records;
  }

  DurableRecords durable_;
  WatchedFiles files_;
  WatchedRegistry registry_;
  platform::Platform watched_;
  TRCRegCleaner cleaner_;
};

// Many findings (more than one group holds) and every kind of removal.
TEST_F(GroupedCommitTest, NoEntryChangesBeforeItsRecordIsFlushed) {
  SeedValues(2500, mtDeleteValue);
  Seed("[$\\Tree]\n\"treeValue\"=dword:1\n[$\\Tree\\TreeSub]\n\"subValue\"=dword:2\n"
       "[$\\Blank]\n\"blankValue\"=\"C:\\\\gone.exe\"\n[$\\EmptyKey]\n");
  Add(kCode | mtDeleteKeyTree, Path(u"Tree"));
  Add(kCode | mtBlankValue, Path(u"Blank"), u"blankValue");
  Add(kCode | mtDeleteEmptyKey, Path(u"EmptyKey"));
  const auto original = Snapshot();
  std::vector<int> failed;
  int events = 0;
  cleaner_.OnCleaning = [&](TRCRegCleaner&, int) { ++events; };
  ASSERT_TRUE(cleaner_.CleanAll(&failed, u""));
  EXPECT_TRUE(failed.empty());
  EXPECT_EQ(events, cleaner_.ScannedItemsCount());
  EXPECT_FALSE(KeyExists(Path(u"Tree")));
  EXPECT_FALSE(KeyExists(Path(u"EmptyKey")));
  EXPECT_GE(durable_.flushes, 1);
  EXPECT_EQ(RecordsInOnlyDataFile(), 2500 + 2 + 1 + 1);
  Cleaner().UpdateRescueList();
  ASSERT_EQ(Cleaner().RescueCount(), 1);
  ASSERT_TRUE(Cleaner().RestoreRescue(rescueDir_ + Cleaner().RescueItems(0)->BackupFile));
  EXPECT_EQ(Snapshot(), original);
}

TEST_F(GroupedCommitTest, AFailedFlushRemovesNothing) {
  SeedValues(3, mtDeleteValue);
  const auto original = Snapshot();
  durable_.failFlush = true;
  std::vector<int> failed;
  ASSERT_TRUE(cleaner_.CleanAll(&failed, u""));
  EXPECT_EQ(failed, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Snapshot(), original);
  EXPECT_TRUE(DataFiles().empty());
}

// Stop ends the clean before the next removal; the data file keeps the records of the
// findings cleaned, and those of a finding whose removal failed, but none of the
// findings never tried, although their records were written with the group's.
TEST_F(GroupedCommitTest, StopKeepsRecordsOnlyOfTheFindingsTried) {
  const struct {
    const char* name;
    int stopAfter;  // cleaned findings
    std::vector<int> failed;
    int records;
  } cases[] = {
      {"after the first", 1, {1, 2, 3, 4}, 1},
      {"after the third", 3, {3, 4}, 3},
      {"after the last", 5, {}, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cleaner_.MutableScannedItems().clear();
    SeedValues(5, mtDeleteValue);
    int cleaned = 0;
    cleaner_.OnCleaning = [&](TRCRegCleaner& sender, int) {
      if (++cleaned == c.stopAfter) sender.Stop();
    };
    std::vector<int> failed;
    ASSERT_TRUE(cleaner_.CleanAll(&failed, u""));
    EXPECT_EQ(failed, c.failed);
    EXPECT_EQ(RecordsInOnlyDataFile(), c.records);
    for (const auto& name : DataFiles()) P().files.DeleteFile(rescueDir_ + name);
  }
}

// A removal that fails keeps its record, also when Stop comes right after it.
TEST_F(GroupedCommitTest, AFailedRemovalKeepsItsRecordBeforeAStop) {
  Seed("[$\\Full]\n\"kept\"=dword:1\n[$\\K]\n\"v0\"=dword:1\n\"v1\"=dword:1\n");
  Add(kCode | mtDeleteValue, Path(u"K"), u"v0");
  Add(kCode | mtDeleteEmptyKey, Path(u"Full"));  // has a value: not removed
  Add(kCode | mtDeleteValue, Path(u"K"), u"v1");
  Add(kCode | mtDeleteValue, Path(u"K"), u"v1");
  int cleaned = 0;
  cleaner_.OnCleaning = [&](TRCRegCleaner& sender, int) {
    if (++cleaned == 2) sender.Stop();
  };
  std::vector<int> failed;
  ASSERT_TRUE(cleaner_.CleanAll(&failed, u""));
  // v1 raised Stop before its second listing shared its result.
  EXPECT_EQ(failed, (std::vector<int>{1, 3}));
  EXPECT_EQ(RecordsInOnlyDataFile(), 3);
}

}  // namespace
}  // namespace ovalin::testing
