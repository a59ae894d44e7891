// Restoring data files: events, values of every size, key markers, long names, records
// that cannot be put back, and damaged or hostile files.
#include <gtest/gtest.h>

#include <cstring>

#include "backup/backup_fixture.h"
#include "engine/backup_format.h"

namespace ovalin::testing {
namespace {

struct Entry {
  std::u16string name;
  std::uint32_t type;
  std::vector<std::uint8_t> data;
};

std::vector<std::uint8_t> Record(std::u16string_view path, const std::vector<Entry>& entries) {
  std::vector<EntryLayout> layout;
  for (const auto& e : entries) layout.push_back({e.name, e.type, static_cast<std::uint32_t>(e.data.size())});
  LaidOutRecord record;
  EXPECT_TRUE(LayOutRecord(path, layout, &record));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::copy(entries[i].data.begin(), entries[i].data.end(),
              record.bytes.begin() + static_cast<long>(record.dataOffsets[i]));
  }
  return record.bytes;
}

// "REGB", the data length of the records, the records.
std::vector<std::uint8_t> DataFile(const std::vector<std::vector<std::uint8_t>>& records) {
  std::vector<std::uint8_t> bytes = {'R', 'E', 'G', 'B', 0, 0, 0, 0};
  for (const auto& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
  PutU32(bytes.data() + 4, static_cast<std::uint32_t>(bytes.size() - 8));
  return bytes;
}

struct Event {
  std::u16string path, name;
  std::uint32_t size, type;
  std::vector<std::uint8_t> data;
  bool dataGiven;
  int percent;
};

class RestoreTest : public BackupTest {
 protected:
  RestoreTest() {
    Cleaner().OnRestoring = [this](TRCRegCleaner&, const RestoringEventArgs& a) {
      events_.push_back({a.path, a.valueName, a.valueDataSize, a.valueDataType,
                         a.valueData ? std::vector<std::uint8_t>(a.valueData, a.valueData + a.valueDataSize)
                                     : std::vector<std::uint8_t>{},
                         a.valueData != nullptr, a.percent});
    };
  }
  // Writes the file as a listed backup set and restores it.
  bool Restore(const std::vector<std::uint8_t>& bytes) {
    WriteFileBytes(File(), bytes);
    const auto& index = Cleaner().RescueListFile();
    P().profiles.WriteString(index, u"2010-03-07 14:05:09", u"DetailCount", u"1");
    P().profiles.WriteString(index, u"2010-03-07 14:05:09", u"IsRescued", u"False");
    P().profiles.WriteString(index, u"2010-03-07 14:05:09", u"BackupFile", u"set.rss");
    Cleaner().UpdateRescueList();
    return Cleaner().RestoreRescue(File());
  }
  std::u16string File() const { return rescueDir_ + u"set.rss"; }
  std::u16string IsRescuedText() {
    return P().profiles.ReadString(Cleaner().RescueListFile(), u"2010-03-07 14:05:09", u"IsRescued")
        .value_or(u"?");
  }
  std::vector<Event> events_;
};

TEST_F(RestoreTest, FileOfEightBytesIsRefusedWithoutEvents) {
  EXPECT_FALSE(Restore({'R', 'E', 'G', 'B', 0, 0, 0, 0}));
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(IsRescuedText(), u"False");
}

TEST_F(RestoreTest, EmptyDataWithTrailingBytesRestoresNothingAndSucceeds) {
  std::vector<std::uint8_t> bytes = {'R', 'E', 'G', 'B', 0, 0, 0, 0};
  bytes.resize(20, 0xEE);
  EXPECT_TRUE(Restore(bytes));
  ASSERT_EQ(events_.size(), 2u);
  EXPECT_EQ(events_[0].percent, 0);
  EXPECT_EQ(events_[1].percent, 100);
  EXPECT_EQ(IsRescuedText(), u"True");
  EXPECT_TRUE(Cleaner().RescueItems(0)->IsRescued);
}

TEST_F(RestoreTest, OneStringValueCreatesItsKeyAndReportsIt) {
  const auto record = Record(Path(u"New\\Deeper"), {{u"v", platform::kRegSz, Utf16Bytes(u"x")}});
  EXPECT_TRUE(Restore(DataFile({record})));
  RawValue value;
  ASSERT_TRUE(ReadValue(Path(u"New\\Deeper"), u"v", &value));
  EXPECT_EQ(value, (RawValue{platform::kRegSz, {'x', 0, 0, 0}}));
  ASSERT_EQ(events_.size(), 3u);
  EXPECT_EQ(events_[1].path, Path(u"New\\Deeper"));
  EXPECT_EQ(events_[1].name, u"v");
  EXPECT_EQ(events_[1].size, 4u);
  EXPECT_EQ(events_[1].type, platform::kRegSz);
  EXPECT_EQ(events_[1].data, (std::vector<std::uint8_t>{'x', 0, 0, 0}));
  EXPECT_EQ(events_[1].percent, 99);  // the whole file consumed, capped
  EXPECT_EQ(events_[2].percent, 100);
}

TEST_F(RestoreTest, DefaultValueKeyMarkerAndProgress) {
  const auto a = Record(Path(u"A"), {{u"", platform::kRegSz, Utf16Bytes(u"def")}});
  const auto b = Record(Path(u"B\\Empty"), {});
  const auto file = DataFile({a, b});
  EXPECT_TRUE(Restore(file));
  RawValue value;
  ASSERT_TRUE(ReadValue(Path(u"A"), u"", &value));
  EXPECT_EQ(value.data, Utf16Bytes(u"def"));
  EXPECT_TRUE(KeyExists(Path(u"B\\Empty")));
  ASSERT_EQ(events_.size(), 4u);
  EXPECT_EQ(events_[1].percent, static_cast<int>(100 * (8 + a.size()) / file.size()));
  EXPECT_EQ(events_[2].path, Path(u"B\\Empty"));
  EXPECT_EQ(events_[2].name, u"");
  EXPECT_FALSE(events_[2].dataGiven);
}

// Zero-length entries are values too: they are written back with their type.
TEST_F(RestoreTest, ZeroLengthEntriesAreWrittenWithTheirType) {
  const auto record = Record(Path(u"K"), {{u"none", platform::kRegNone, {}},
                                          {u"emptySz", platform::kRegSz, {}},
                                          {u"emptyBin", platform::kRegBinary, {}}});
  EXPECT_TRUE(Restore(DataFile({record})));
  for (const auto& [name, type] : std::vector<std::pair<std::u16string, std::uint32_t>>{
           {u"none", platform::kRegNone}, {u"emptySz", platform::kRegSz}, {u"emptyBin", platform::kRegBinary}}) {
    RawValue value;
    ASSERT_TRUE(ReadValue(Path(u"K"), name, &value)) << U8(name);
    EXPECT_EQ(value, (RawValue{type, {}})) << U8(name);
  }
  ASSERT_EQ(events_.size(), 5u);
  EXPECT_EQ(events_[1].size, 0u);
  EXPECT_FALSE(events_[1].dataGiven);
}

// A record that cannot be put back is passed over, the rest is restored, and the
// restore does not claim success nor mark the set restored.
TEST_F(RestoreTest, UnknownRootIsPassedOverAndReportedAsFailure) {
  const auto bad = Record(u"HKLM\\Software\\Nowhere", {{u"v", platform::kRegDword, {1, 0, 0, 0}}});
  const auto good = Record(Path(u"After"), {{u"v", platform::kRegDword, {2, 0, 0, 0}}});
  EXPECT_FALSE(Restore(DataFile({bad, good})));
  RawValue value;
  EXPECT_TRUE(ReadValue(Path(u"After"), u"v", &value));
  EXPECT_EQ(events_.back().percent, 100);
  EXPECT_EQ(IsRescuedText(), u"False");
}

TEST_F(RestoreTest, RestoringTwiceWritesTheSameValuesAgain) {
  const auto record = Record(Path(u"K"), {{u"v", platform::kRegDword, {5, 0, 0, 0}}});
  EXPECT_TRUE(Restore(DataFile({record})));
  WriteValue(Path(u"K"), u"v", RawValue{platform::kRegDword, {9, 0, 0, 0}});
  EXPECT_TRUE(Cleaner().RestoreRescue(File()));
  RawValue value;
  ASSERT_TRUE(ReadValue(Path(u"K"), u"v", &value));
  EXPECT_EQ(value.data[0], 5);
  EXPECT_EQ(IsRescuedText(), u"True");
}

TEST_F(RestoreTest, LongPathsAndNamesAreTakenWhole) {
  const std::u16string longName(700, u'n');
  const std::u16string longKey = std::u16string(250, u'k') + u"\\" + std::u16string(250, u'l');
  const auto record = Record(Path(longKey), {{longName, platform::kRegSz, Utf16Bytes(u"long")}});
  EXPECT_TRUE(Restore(DataFile({record})));
  RawValue value;
  EXPECT_TRUE(ReadValue(Path(longKey), longName, &value));
}

TEST_F(RestoreTest, BusyCleanerAndMissingFileAreRefused) {
  bool inner = true;
  Cleaner().OnBeginRestore = [&](TRCRegCleaner& c) { inner = c.RestoreRescue(File()); };
  EXPECT_TRUE(Restore(DataFile({Record(Path(u"K"), {})})));
  EXPECT_FALSE(inner);
  Cleaner().OnBeginRestore = nullptr;
  EXPECT_FALSE(Cleaner().RestoreRescue(rescueDir_ + u"missing.rss"));
  EXPECT_FALSE(Cleaner().RestoreRescue(u""));
}

// Damaged files: the reader never steps outside a record or the file, restores the
// records before the damage and writes nothing of the damaged record.
TEST_F(RestoreTest, MalformedFiles) {
  const auto good = Record(Path(u"Good"), {{u"v", platform::kRegDword, {1, 0, 0, 0}}});
  const auto victim = Record(Path(u"Victim"), {{u"w", platform::kRegDword, {2, 0, 0, 0}}});
  // Offsets inside `victim`: 0 size, 4 count, 8 path bytes, 12 path, then the entry.
  const std::size_t entry = 12 + 2 * (Path(u"Victim").size() + 1);
  using Bytes = std::vector<std::uint8_t>;
  auto patched = [&](std::size_t at, std::uint32_t value) {
    Bytes r = victim;
    PutU32(r.data() + at, value);
    return DataFile({good, r});
  };
  const struct {
    const char* what;
    Bytes file;
    bool goodRestored;
  } cases[] = {
      {"wrong magic", [&] { Bytes f = DataFile({good}); f[0] = 'X'; return f; }(), false},
      {"data length past the file", [&] { Bytes f = DataFile({good}); PutU32(f.data() + 4, 1000); return f; }(), false},
      {"truncated inside a record", [&] { Bytes f = DataFile({good, victim}); f.resize(f.size() - 3); PutU32(f.data() + 4, static_cast<std::uint32_t>(f.size() - 8)); return f; }(), true},
      {"record size below 16", patched(0, 15), true},
      {"record size past the data", patched(0, 0x7FFFFFFF), true},
      {"huge value count", patched(4, 0xFFFFFFFF), true},
      {"path bytes past the record", patched(8, 0x10000), true},
      {"odd path bytes", patched(8, 3), true},
      {"name bytes past the record", patched(entry + 4, 0x100000), true},
      {"empty name field", patched(entry + 4, 0), true},
      {"data size past the record", patched(entry + 12, 5), true},
      {"data size huge", patched(entry + 12, 0xFFFFFFF0), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    events_.clear();
    EXPECT_FALSE(Restore(c.file));
    EXPECT_EQ(KeyExists(Path(u"Good")), c.goodRestored);
    EXPECT_FALSE(KeyExists(Path(u"Victim")));
    EXPECT_EQ(IsRescuedText(), u"False");
    ASSERT_FALSE(events_.empty());
    EXPECT_NE(events_.back().percent, 100);  // no end event
    RegAccess access(P().registry);
    access.SetRootKey(platform::kCurrentUser);
    access.DeleteKey(key_.subkey() + u"\\Good");
  }
}

}  // namespace
}  // namespace ovalin::testing
