// Shared set-up of the backup tests: a test platform whose clock can be held still, a
// scratch registry key, a backup folder in the scratch folder and a cleaner over them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/reg_access.h"
#include "engine/reg_cleaner.h"
#include "engine/rescue_restore.h"
#include "engine/text_utils.h"
#include "platform/reg_file.h"
#include "platform/scratch_key.h"
#include "support/test_platform.h"

namespace ovalin::testing {

// Reads the platform's clock, or a fixed UTC time once Hold() was called. Local time is
// UTC, so that names made from it are predictable.
class HoldableClock : public platform::Clock {
 public:
  explicit HoldableClock(platform::Clock& base) : base_(base) {}
  void Hold(platform::FileTime utc) { held_ = utc; }
  platform::FileTime NowUtc() override { return held_ != 0 ? held_ : base_.NowUtc(); }
  bool UtcToLocal(platform::FileTime utc, platform::FileTime* local) override {
    *local = utc;
    return true;
  }
  bool LocalToUtc(platform::FileTime local, platform::FileTime* utc) override {
    *utc = local;
    return true;
  }
  std::u16string FormatDate(const platform::CalendarTime& t) override { return base_.FormatDate(t); }
  std::u16string FormatTime(const platform::CalendarTime& t) override { return base_.FormatTime(t); }

 private:
  platform::Clock& base_;
  platform::FileTime held_ = 0;
};

inline platform::FileTime FileTimeOf(int year, int month, int day, int hour, int minute,
                                     int second) {
  platform::CalendarTime time;
  time.year = year;
  time.month = month;
  time.day = day;
  time.hour = hour;
  time.minute = minute;
  time.second = second;
  platform::FileTime result = 0;
  EXPECT_TRUE(platform::CalendarToFileTime(time, &result));
  return result;
}

// One value as a test sees it.
struct RawValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const RawValue& o) const { return type == o.type && data == o.data; }
};

inline std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text, bool withNul = true) {
  std::vector<std::uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (withNul) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

class BackupTest : public ::testing::Test {
 protected:
  BackupTest()
      : view_{platform_.Get().registry, platform_.Get().files, platform_.Get().profiles,
              platform_.Get().system,   clock_,                 platform_.Get().messages} {
    cleaner_ = std::make_unique<TRCRegCleaner>(view_, std::vector<ScanRuleEntry>{});
    rescueDir_ = platform_.ScratchFolder() + u"Data\\ZUNRC\\";
    cleaner_->SetRescueDir(rescueDir_);
  }

  platform::Platform& P() { return view_; }
  TRCRegCleaner& Cleaner() { return *cleaner_; }

  // A full path below the scratch key: Path(u"A\\B").
  std::u16string Path(std::u16string_view relative = u"") const {
    return relative.empty() ? key_.path() : key_.path() + u"\\" + std::u16string(relative);
  }

  // Seeds ".reg" text in which "$" stands for the scratch key's full path.
  void Seed(const std::string& lines) {
    std::string text;
    const std::string root = U8(key_.path());
    for (char c : lines) {
      if (c == '$') {
        text += root;
      } else {
        text += c;
      }
    }
    platform_.Seed(text);
  }

  int AddFinding(std::uint32_t code, std::u16string_view path,
                 std::u16string_view valueName = u"") {
    auto item = std::make_unique<TRCScannedItem>();
    item->ScannedCode = code;
    item->Path = std::u16string(path);
    item->ValueName = std::u16string(valueName);
    item->Title = u"test";
    const int index = cleaner_->ScannedItemsCount();
    cleaner_->AddFinding(std::move(item), 0);
    return index;
  }

  bool KeyExists(std::u16string_view fullPath) {
    const SplitPath split = SplitRegPath(fullPath);
    RegAccess access(view_.registry);
    access.SetRootKey(split.root);
    return access.KeyExists(split.subKey);
  }

  bool ReadValue(std::u16string_view fullPath, std::u16string_view name, RawValue* value) {
    const SplitPath split = SplitRegPath(fullPath);
    RegAccess access(view_.registry);
    access.SetRootKey(split.root);
    if (!access.OpenKey(split.subKey, false)) return false;
    std::uint32_t size = 0;
    if (view_.registry.QueryValue(access.CurrentKey(), name, &value->type, nullptr, &size) !=
        platform::kRegOk) {
      return false;
    }
    value->data.assign(size, 0);
    if (size == 0) return true;
    return view_.registry.QueryValue(access.CurrentKey(), name, &value->type,
                                     value->data.data(), &size) == platform::kRegOk;
  }

  void WriteValue(std::u16string_view fullPath, std::u16string_view name, const RawValue& value) {
    const SplitPath split = SplitRegPath(fullPath);
    RegAccess access(view_.registry);
    access.SetRootKey(split.root);
    ASSERT_TRUE(access.OpenKey(split.subKey, true));
    ASSERT_TRUE(WriteValueExactly(view_.registry, access.CurrentKey(), name, value.type,
                                  value.data.data(),
                                  static_cast<std::uint32_t>(value.data.size())));
  }

  std::vector<std::uint8_t> ReadFileBytes(std::u16string_view windowsPath) {
    std::vector<std::uint8_t> bytes;
    auto file = view_.files.Open(windowsPath, platform::FileOpenMode::kOpenRead);
    std::uint64_t size = 0;
    if (!file || !file->Size(&size)) return bytes;
    bytes.resize(static_cast<std::size_t>(size));
    std::uint32_t read = 0;
    if (size != 0) file->Read(bytes.data(), static_cast<std::uint32_t>(size), &read);
    bytes.resize(read);
    return bytes;
  }

  void WriteFileBytes(std::u16string_view windowsPath, const std::vector<std::uint8_t>& bytes) {
    view_.files.CreateFolders(FileFolder(windowsPath));
    auto file = view_.files.Open(windowsPath, platform::FileOpenMode::kCreateAlways);
    ASSERT_TRUE(file);
    if (!bytes.empty()) {
      ASSERT_TRUE(file->Write(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
    }
  }

  // Names of the data files (".rss") in the backup folder.
  std::vector<std::u16string> DataFiles() {
    std::vector<std::u16string> names;
    for (const auto& entry : view_.files.ListFolder(rescueDir_)) {
      if (!entry.isFolder && entry.name.size() > 4 &&
          StrSameText(entry.name.substr(entry.name.size() - 4), u".rss")) {
        names.push_back(entry.name);
      }
    }
    return names;
  }

  // The scratch key's tree as key path -> value name -> value, names in lower case, so
  // that comparisons ignore enumeration order and letter case.
  using Tree = std::map<std::u16string, std::map<std::u16string, RawValue>>;
  Tree Snapshot() {
    Tree tree;
    SnapshotKey(key_.path(), &tree);
    return tree;
  }

  TestPlatform platform_;
  ScratchKey key_{platform_};
  HoldableClock clock_{platform_.Get().clock};
  platform::Platform view_;
  std::unique_ptr<TRCRegCleaner> cleaner_;
  std::u16string rescueDir_;

 private:
  void SnapshotKey(const std::u16string& path, Tree* tree) {
    const SplitPath split = SplitRegPath(path);
    RegAccess access(view_.registry);
    access.SetRootKey(split.root);
    if (!access.OpenKey(split.subKey, false)) return;
    auto& values = (*tree)[StrLower(path)];
    for (const auto& name : access.GetValueNames()) {
      RawValue value;
      if (ReadValue(path, name, &value)) values[StrLower(name)] = value;
    }
    for (const auto& sub : access.GetKeyNames()) SnapshotKey(path + u"\\" + sub, tree);
  }
};

}  // namespace ovalin::testing
