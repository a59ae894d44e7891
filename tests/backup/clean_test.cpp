// Cleaning: the data file layout, what each mark type backs up and removes, the backup
// index section, the fail list, the events and the second pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>

#include "backup/backup_fixture.h"
#include "engine/backup_format.h"
#include "engine/backup_reader.h"
#include "engine/clean_findings.h"
#include "engine/clean_removal.h"

namespace ovalin::testing {
namespace {

constexpr std::uint32_t kCode = stSharedDlls | 0x25;

class CleanTest : public BackupTest {
 protected:
  std::vector<BackupRecordView> Records(const std::vector<std::uint8_t>& bytes) {
    MemoryByteSource source(bytes.data(), bytes.size());
    BackupReader reader(source, bytes.size());
    std::vector<BackupRecordView> records;
    if (!reader.ReadHeader()) return records;
    BackupRecordView record;
    while (reader.Next(&record)) {
      // Keep the data: views point into the reader's buffer.
      for (auto& entry : record.entries) {
        storage_.emplace_back(entry.data, entry.data + entry.size);
        entry.data = storage_.back().data();
      }
      records.push_back(record);
    }
    EXPECT_FALSE(reader.Failed());
    return records;
  }
  std::vector<std::uint8_t> OnlyDataFile() {
    const auto files = DataFiles();
    EXPECT_EQ(files.size(), 1u);
    return files.empty() ? std::vector<std::uint8_t>{} : ReadFileBytes(rescueDir_ + files[0]);
  }
  std::deque<std::vector<std::uint8_t>> storage_;
};

TEST_F(CleanTest, ValueThenKeyTreeMakesOneFileWithThreeRecords) {
  Seed("[$\\V]\n\"gone\"=\"C:\\\\x.dll\"\n\"stay\"=dword:1\n"
       "[$\\T]\n@=\"default\"\n\"a\"=hex:01,02\n[$\\T\\Sub]\n\"b\"=dword:7\n");
  AddFinding(kCode | mtDeleteValue, Path(u"V"), u"gone");
  AddFinding(kCode | mtDeleteKeyTree, Path(u"T"));
  std::vector<int> failed{99};
  ASSERT_TRUE(Cleaner().Clean({0, 1}, &failed, u"two"));
  EXPECT_TRUE(failed.empty());

  const auto bytes = OnlyDataFile();
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(0, std::memcmp(bytes.data(), "REGB", 4));
  EXPECT_EQ(GetU32(bytes.data() + 4), bytes.size() - 8);
  const auto records = Records(bytes);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].path, Path(u"V"));
  ASSERT_EQ(records[0].entries.size(), 1u);
  EXPECT_EQ(records[0].entries[0].name, u"gone");
  EXPECT_EQ(records[0].entries[0].type, platform::kRegSz);
  EXPECT_EQ(std::vector<std::uint8_t>(records[0].entries[0].data,
                                      records[0].entries[0].data + records[0].entries[0].size),
            Utf16Bytes(u"C:\\x.dll"));
  EXPECT_EQ(records[1].path, Path(u"T"));
  EXPECT_EQ(records[1].entries.size(), 2u);
  EXPECT_EQ(records[2].path, Path(u"T\\Sub"));
  EXPECT_EQ(records[2].entries.size(), 1u);

  RawValue value;
  EXPECT_FALSE(ReadValue(Path(u"V"), u"gone", &value));
  EXPECT_TRUE(ReadValue(Path(u"V"), u"stay", &value));
  EXPECT_FALSE(KeyExists(Path(u"T")));
  EXPECT_TRUE(Cleaner().ScannedItems()[0]->Deleted);
  EXPECT_TRUE(Cleaner().ScannedItems()[1]->Deleted);
}

TEST_F(CleanTest, DefaultValueIsWrittenWithANameOfOneNul) {
  Seed("[$\\K]\n@=\"x\"\n");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"");
  std::vector<int> failed;
  Cleaner().Clean({0}, &failed, u"");
  const auto bytes = OnlyDataFile();
  const std::size_t entry = 8 + 12 + 2 * (Path(u"K").size() + 1);
  ASSERT_GT(bytes.size(), entry + 18);
  EXPECT_EQ(GetU32(bytes.data() + entry + 4), 2u);  // name bytes
  EXPECT_EQ(bytes[entry + 16], 0);
  EXPECT_EQ(bytes[entry + 17], 0);
}

TEST_F(CleanTest, FindingWhoseKeyIsGoneFailsAndLeavesNoBytes) {
  Seed("[$\\K]\n\"v\"=dword:1\n");
  AddFinding(kCode | mtDeleteValue, Path(u"Missing"), u"v");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"v");
  AddFinding(kCode | mtDeleteKeyTree, Path(u"Missing\\Deeper"));
  std::vector<int> failed;
  Cleaner().Clean({0, 1, 2}, &failed, u"");
  EXPECT_EQ(failed, (std::vector<int>{0, 2}));
  const auto records = Records(OnlyDataFile());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].path, Path(u"K"));
  EXPECT_FALSE(Cleaner().ScannedItems()[0]->Deleted);
}

// A value that is gone by the time of the clean is recorded as its key alone: the
// restore then cannot invent a value that was not there.
TEST_F(CleanTest, MissingValueIsRecordedAsItsKeyAndCountsCleaned) {
  Seed("[$\\K]\n\"other\"=dword:1\n");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"gone");
  std::vector<int> failed;
  Cleaner().Clean({0}, &failed, u"");
  EXPECT_TRUE(failed.empty());
  const auto records = Records(OnlyDataFile());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].path, Path(u"K"));
  EXPECT_TRUE(records[0].entries.empty());
}

// Empty values are cleaned for real (they were reported cleaned and left in place) and
// their backup keeps the raw type and the empty data.
TEST_F(CleanTest, EmptyValuesAreRemovedAndBackedUpWithTheirType) {
  Seed("[$\\OpenWithProgids]\n\"App.Doc\"=hex(0):\n\"EmptySz\"=\"\"\n");
  WriteValue(Path(u"OpenWithProgids"), u"EmptyBin", RawValue{platform::kRegBinary, {}});
  AddFinding(kCode | mtDeleteValue, Path(u"OpenWithProgids"), u"App.Doc");
  AddFinding(kCode | mtDeleteValue, Path(u"OpenWithProgids"), u"EmptyBin");
  std::vector<int> failed;
  Cleaner().Clean({0, 1}, &failed, u"");
  EXPECT_TRUE(failed.empty());
  RawValue value;
  EXPECT_FALSE(ReadValue(Path(u"OpenWithProgids"), u"App.Doc", &value));
  EXPECT_FALSE(ReadValue(Path(u"OpenWithProgids"), u"EmptyBin", &value));
  const auto records = Records(OnlyDataFile());
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].entries.at(0).type, platform::kRegNone);
  EXPECT_EQ(records[0].entries.at(0).size, 0u);
  EXPECT_EQ(records[1].entries.at(0).type, platform::kRegBinary);
  EXPECT_EQ(records[1].entries.at(0).size, 0u);
}

TEST_F(CleanTest, BlankValueByDataClass) {
  Seed("[$\\K]\n\"bin\"=hex:01,02\n\"num\"=dword:12345678\n\"sz\"=\"text\"\n"
       "\"exp\"=hex(2):25,00,41,00,25,00,00,00\n\"multi\"=hex(7):41,00,00,00,00,00\n");
  const struct {
    const char16_t* name;
    RawValue after;
  } cases[] = {
      {u"bin", {platform::kRegBinary, {1, 2}}},
      {u"num", {platform::kRegDword, {0, 0, 0, 0}}},
      {u"sz", {platform::kRegSz, {0, 0}}},
      {u"exp", {platform::kRegExpandSz, {0, 0}}},
      {u"multi", {platform::kRegMultiSz, {0x41, 0, 0, 0, 0, 0}}},
  };
  std::vector<int> indexes;
  for (const auto& c : cases) indexes.push_back(AddFinding(kCode | mtBlankValue, Path(u"K"), c.name));
  std::vector<int> failed;
  Cleaner().Clean(indexes, &failed, u"");
  EXPECT_TRUE(failed.empty());
  for (const auto& c : cases) {
    RawValue value;
    ASSERT_TRUE(ReadValue(Path(u"K"), c.name, &value)) << U8(c.name);
    EXPECT_EQ(value, c.after) << U8(c.name);
  }
}

TEST_F(CleanTest, EmptyKeyMarkerKeepsAKeyThatGainedAValue) {
  Seed("[$\\Empty]\n[$\\Grown]\n\"new\"=dword:1\n");
  AddFinding(kCode | mtDeleteEmptyKey, Path(u"Empty"));
  AddFinding(kCode | mtDeleteEmptyKey, Path(u"Grown"));
  std::vector<int> failed;
  Cleaner().Clean({0, 1}, &failed, u"");
  EXPECT_EQ(failed, std::vector<int>{1});
  EXPECT_FALSE(KeyExists(Path(u"Empty")));
  EXPECT_TRUE(KeyExists(Path(u"Grown")));
  const auto records = Records(OnlyDataFile());
  ASSERT_EQ(records.size(), 2u);  // the marker of the kept key stays in the file
  EXPECT_TRUE(records[1].entries.empty());
}

TEST_F(CleanTest, NothingCleanedLeavesNoFileAndNoSection) {
  AddFinding(kCode | mtDeleteValue, Path(u"Missing"), u"v");
  AddFinding(kCode | 0x700, Path(), u"");  // a mark type without a writer
  std::vector<int> failed;
  EXPECT_TRUE(Cleaner().Clean({0, 1, 2}, &failed, u"none"));
  EXPECT_EQ(failed, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(DataFiles().empty());
  EXPECT_TRUE(P().profiles.SectionNames(Cleaner().RescueListFile()).empty());
}

TEST_F(CleanTest, PercentagesAndEvents) {
  Seed("[$\\K]\n\"a\"=dword:1\n\"b\"=dword:1\n\"c\"=dword:1\n\"d\"=dword:1\n");
  for (auto name : {u"a", u"b", u"c", u"d"}) AddFinding(kCode | mtDeleteValue, Path(u"K"), name);
  std::vector<std::string> events;
  Cleaner().OnBeginClean = [&](TRCRegCleaner& c) {
    events.push_back("begin " + std::to_string(c.Status()));
  };
  Cleaner().OnCleaning = [&](TRCRegCleaner&, int percent) { events.push_back(std::to_string(percent)); };
  Cleaner().OnEndClean = [&](TRCRegCleaner& c) {
    events.push_back("end " + std::to_string(c.Status()));
  };
  std::vector<int> failed;
  Cleaner().CleanAll(&failed, u"");
  EXPECT_EQ(events, (std::vector<std::string>{"begin 2", "62", "75", "87", "99", "end 0"}));
  EXPECT_EQ(CleaningPercent(50, 50, 0, 1), 99);
}

TEST_F(CleanTest, IndexesOutOfRangeStayFailedAndEmptyListWritesNothing) {
  Seed("[$\\K]\n\"a\"=dword:1\n");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"a");
  std::vector<int> failed;
  Cleaner().Clean({1, -1, 0}, &failed, u"");
  EXPECT_EQ(failed, (std::vector<int>{1, -1}));

  bool ended = false;
  Cleaner().OnEndClean = [&](TRCRegCleaner&) { ended = true; };
  const auto filesBefore = DataFiles().size();
  EXPECT_TRUE(Cleaner().Clean({}, &failed, u""));
  EXPECT_EQ(Cleaner().Status(), kStatusIdle);
  EXPECT_FALSE(ended);
  EXPECT_EQ(DataFiles().size(), filesBefore);
}

TEST_F(CleanTest, BusyCleanerRefuses) {
  Seed("[$\\K]\n\"a\"=dword:1\n");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"a");
  bool inner = true;
  Cleaner().OnBeginClean = [&](TRCRegCleaner& c) {
    std::vector<int> f;
    inner = c.Clean({0}, &f, u"");
  };
  std::vector<int> failed;
  EXPECT_TRUE(Cleaner().Clean({0}, &failed, u""));
  EXPECT_FALSE(inner);
}

TEST_F(CleanTest, IndexSectionHoldsTheFiveKeysInOrder) {
  clock_.Hold(FileTimeOf(2010, 3, 7, 14, 5, 9));
  Seed("[$\\K]\n\"a\"=dword:1\n\"b\"=dword:1\n");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"a");
  std::vector<int> failed;
  Cleaner().Clean({0, 5}, &failed, u"line one\r\n[evil]\r\nBackupFile=..\\x");
  const auto& index = Cleaner().RescueListFile();
  EXPECT_EQ(P().profiles.SectionNames(index), std::vector<std::u16string>{u"2010-03-07 14:05:09"});
  EXPECT_EQ(P().profiles.KeyNames(index, u"2010-03-07 14:05:09"),
            (std::vector<std::u16string>{u"DetailCount", u"IsRescued", u"Description",
                                         u"BackupFile", u"HasBeenDeleted"}));
  auto read = [&](const char16_t* key) {
    return P().profiles.ReadString(index, u"2010-03-07 14:05:09", key).value_or(u"?");
  };
  EXPECT_EQ(read(u"DetailCount"), u"2");
  EXPECT_EQ(read(u"IsRescued"), u"False");
  // Line breaks in a description cannot add keys or sections to the index.
  EXPECT_EQ(read(u"Description"), u"line one  [evil]  BackupFile=..\\x");
  EXPECT_EQ(read(u"BackupFile"), u"2010-03-07 14-05-09.rss");
  EXPECT_EQ(read(u"HasBeenDeleted"), u"False");
}

// Two cleans in one second each keep their own file and section: the later one moves on
// to the next free second.
TEST_F(CleanTest, TwoCleansInOneSecondKeepBothSets) {
  clock_.Hold(FileTimeOf(2010, 3, 7, 14, 5, 9));
  Seed("[$\\K]\n\"a\"=dword:1\n\"b\"=dword:2\n");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"a");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"b");
  std::vector<int> failed;
  Cleaner().Clean({0}, &failed, u"first");
  Cleaner().Clean({1}, &failed, u"second");
  Cleaner().UpdateRescueList();
  ASSERT_EQ(Cleaner().RescueCount(), 2);
  EXPECT_EQ(Cleaner().RescueItems(0)->SectionName, u"2010-03-07 14:05:09");
  EXPECT_EQ(Cleaner().RescueItems(0)->Description, u"first");
  EXPECT_EQ(Cleaner().RescueItems(1)->SectionName, u"2010-03-07 14:05:10");
  EXPECT_EQ(Cleaner().RescueItems(1)->BackupFile, u"2010-03-07 14-05-10.rss");
  EXPECT_EQ(Cleaner().RescueItems(1)->Description, u"second");
  // Both sets restore their own value.
  EXPECT_TRUE(Cleaner().RestoreRescue(rescueDir_ + u"2010-03-07 14-05-09.rss"));
  EXPECT_TRUE(Cleaner().RestoreRescue(rescueDir_ + u"2010-03-07 14-05-10.rss"));
  RawValue value;
  EXPECT_TRUE(ReadValue(Path(u"K"), u"a", &value));
  EXPECT_TRUE(ReadValue(Path(u"K"), u"b", &value));
}

TEST_F(CleanTest, SecondPassOnlyForCleanedScanTypes) {
  Seed("[$\\K]\n\"a\"=dword:1\n[$\\EmptyOwn]\n[$\\EmptyOther]\n[$\\NotEmpty]\n\"x\"=dword:1\n");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"a");
  AddFinding(stSharedDlls | mtSecondPass | 0x25, Path(u"EmptyOwn"));
  AddFinding(stFonts | mtSecondPass | 0x25, Path(u"EmptyOther"));
  AddFinding(stSharedDlls | mtSecondPass | 0x25, Path(u"NotEmpty"));
  ASSERT_EQ(Cleaner().ScannedItemsCount_SecondClean(), 3);
  std::vector<int> failed;
  Cleaner().Clean({0}, &failed, u"");
  EXPECT_FALSE(KeyExists(Path(u"EmptyOwn")));
  EXPECT_TRUE(KeyExists(Path(u"EmptyOther")));
  EXPECT_TRUE(KeyExists(Path(u"NotEmpty")));
}

TEST_F(CleanTest, StopDuringACleanKeepsWhatWasCleaned) {
  Seed("[$\\K]\n\"a\"=dword:1\n\"b\"=dword:1\n\"c\"=dword:1\n");
  for (auto name : {u"a", u"b", u"c"}) AddFinding(kCode | mtDeleteValue, Path(u"K"), name);
  Cleaner().OnCleaning = [&](TRCRegCleaner& c, int) { c.Stop(); };
  std::vector<int> failed;
  Cleaner().CleanAll(&failed, u"");
  EXPECT_EQ(failed, (std::vector<int>{1, 2}));
  EXPECT_TRUE(Cleaner().ScannedItems()[0]->Deleted);
  EXPECT_FALSE(Cleaner().ScannedItems()[1]->Deleted);
  Cleaner().UpdateRescueList();
  EXPECT_EQ(Cleaner().RescueCount(), 1);
}

// Key names may hold colons; only backslashes separate keys, so the right key goes.
TEST_F(CleanTest, KeyNamesWithColonsAreDeletedByTheirWholeName) {
  Seed("[$\\A:B]\n\"v\"=dword:1\n[$\\A:\\B]\n\"keep\"=dword:1\n[$\\C:D]\n");
  AddFinding(kCode | mtDeleteKeyTree, Path(u"A:B"));
  AddFinding(kCode | mtDeleteEmptyKey, Path(u"C:D"));
  std::vector<int> failed;
  Cleaner().Clean({0, 1}, &failed, u"");
  EXPECT_TRUE(failed.empty());
  EXPECT_FALSE(KeyExists(Path(u"A:B")));
  EXPECT_FALSE(KeyExists(Path(u"C:D")));
  EXPECT_TRUE(KeyExists(Path(u"A:\\B")));
}

// A finding named twice, or two findings of one registry entry, are backed up and
// removed once: a second backup of a blanked value would record the blank, and the
// restore, which replays records in order, would leave the value blank.
TEST_F(CleanTest, EachFindingIsCleanedOnceHoweverOftenItIsListed) {
  const struct {
    const char* name;
    std::vector<int> indexes;
    int findings;  // copies of the same finding in the scan's list
    std::vector<int> failed;
  } cases[] = {
      {"index listed twice", {0, 0}, 1, {}},
      {"index three times around another", {0, 5, 0, 0}, 1, {5}},
      {"two findings with one identity", {0, 1}, 2, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Seed("[$\\K]\n\"blank\"=\"C:\\\\gone\\\\x.exe\"\n");
    const auto original = Snapshot();
    Cleaner().MutableScannedItems().clear();
    for (int i = 0; i < c.findings; ++i) AddFinding(kCode | mtBlankValue, Path(u"K"), u"blank");
    int cleaned = 0;
    Cleaner().OnCleaning = [&](TRCRegCleaner&, int) { ++cleaned; };
    std::vector<int> failed;
    ASSERT_TRUE(Cleaner().Clean(c.indexes, &failed, u""));
    EXPECT_EQ(failed, c.failed);
    EXPECT_EQ(cleaned, c.findings);
    RawValue value;
    ASSERT_TRUE(ReadValue(Path(u"K"), u"blank", &value));
    EXPECT_EQ(value.data, Utf16Bytes(u""));

    const auto files = DataFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(Records(ReadFileBytes(rescueDir_ + files[0])).size(), 1u);
    ASSERT_TRUE(Cleaner().RestoreRescue(rescueDir_ + files[0]));
    EXPECT_EQ(Snapshot(), original);
    ASSERT_TRUE(P().files.DeleteFile(rescueDir_ + files[0]));
  }
}

// An index that cannot be written is no silent success: the clean names the data file
// that holds its backups, and the next listing still finds that file.
TEST_F(CleanTest, UnwritableIndexIsReportedAndTheSetIsStillListed) {
  Seed("[$\\K]\n\"a\"=dword:1\n\"b\"=dword:2\n");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"a");
  AddFinding(kCode | mtDeleteValue, Path(u"K"), u"b");
  // A folder where the index should be: no profile function can write it.
  platform_.CreateFolder(Cleaner().RescueListFile());
  std::vector<int> failed;
  ASSERT_TRUE(Cleaner().Clean({0, 1}, &failed, u""));
  EXPECT_TRUE(failed.empty());
  const auto files = DataFiles();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(Cleaner().UnrecordedBackupFile(), rescueDir_ + files[0]);

  Cleaner().UpdateRescueList();
  ASSERT_EQ(Cleaner().RescueCount(), 1);
  EXPECT_EQ(Cleaner().RescueItems(0)->BackupFile, files[0]);
  EXPECT_EQ(Cleaner().RescueItems(0)->DetailCount, 2u);
  EXPECT_TRUE(Cleaner().RestoreRescue(rescueDir_ + files[0]));
  RawValue value;
  EXPECT_TRUE(ReadValue(Path(u"K"), u"a", &value));
}

TEST(SplitParentAndName, Table) {
  const struct {
    const char16_t* subKey;
    const char16_t* parent;
    const char16_t* name;
  } cases[] = {
      {u"A\\B\\C", u"A\\B\\", u"C"}, {u"A\\B\\", u"A\\", u"B"}, {u"Top", u"", u"Top"},
      {u"A\\x:y", u"A\\", u"x:y"},   {u"", u"", u""},
  };
  for (const auto& c : cases) {
    std::u16string parent, name;
    SplitParentAndName(c.subKey, &parent, &name);
    EXPECT_EQ(parent, c.parent) << U8(c.subKey);
    EXPECT_EQ(name, c.name) << U8(c.subKey);
  }
}

}  // namespace
}  // namespace ovalin::testing

