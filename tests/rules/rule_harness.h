// Runs one scan rule against a fixture and collects its records.
//
// A fixture is a ".reg" file in tests/fixtures/rules/ plus the files and folders a test
// creates. In the fixture, $SCRATCH$ stands for the test's scratch folder (with its
// trailing backslash). The fixture may set values in keys that already exist (the Run
// list, the fonts list, ...): the harness then removes only the values it set; keys it
// created are removed whole. So on the real registry (under Wine) nothing of the fixture
// outlives the test, and nothing that was there before is removed.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/reg_access.h"
#include "engine/reg_cleaner.h"
#include "engine/text_utils.h"
#include "platform/event.h"
#include "platform/reg_file.h"
#include "rules/shared_checks.h"
#include "support/test_platform.h"

namespace ovalin::testing {

// One record as the rule reported it (or as a table expects it).
struct Record {
  std::uint32_t errorCode = 0;
  std::uint32_t markType = 0;
  std::string title;
  std::string path;
  std::string valueName;
  std::string value;
  int percent = -1;  // -1 in an expectation: not compared

  bool operator==(const Record& other) const {
    return errorCode == other.errorCode && markType == other.markType &&
           title == other.title && path == other.path && valueName == other.valueName &&
           value == other.value && percent == other.percent;
  }
  bool operator<(const Record& other) const {
    return std::tie(path, valueName, errorCode, markType, title, value, percent) <
           std::tie(other.path, other.valueName, other.errorCode, other.markType, other.title,
                    other.value, other.percent);
  }
};

inline std::ostream& operator<<(std::ostream& out, const Record& r) {
  return out << "{" << r.errorCode << ", 0x" << std::hex << r.markType << std::dec << ", \""
             << r.title << "\", \"" << r.path << "\", \"" << r.valueName << "\", \"" << r.value
             << "\", " << r.percent << "}";
}

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

inline std::string LowerAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

inline std::string FixturePath(const std::string& name) {
  std::string path = std::string(OVALIN_FIXTURES_DIR) + "/rules/" + name;
#ifdef _WIN32
  // The tests run under Wine, where the build tree is reached through drive Z:.
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
#endif
  return path;
}

class RuleHarness {
 public:
  RuleHarness() = default;
  RuleHarness(const RuleHarness&) = delete;
  RuleHarness& operator=(const RuleHarness&) = delete;

  ~RuleHarness() {
    platform::Registry& registry = platform_.Get().registry;
    for (const auto& [keyPath, valueName] : valuesToRemove_) {
      const SplitPath split = SplitRegPath(keyPath);
      RegAccess key(registry);
      key.SetRootKey(split.root);
      if (key.OpenKey(split.subKey, false)) key.DeleteValue(valueName);
    }
    for (auto it = keysToRemove_.rbegin(); it != keysToRemove_.rend(); ++it) {
      const SplitPath split = SplitRegPath(*it);
      RegAccess key(registry);
      key.SetRootKey(split.root);
      key.DeleteKey(split.subKey);
    }
    for (const std::u16string& path : filesToRemove_) platform_.Get().files.DeleteFile(path);
#ifdef _WIN32
    // Folders made outside the scratch folder (special folders of the real profile).
    for (const std::u16string& folder : foldersToRemove_) {
      std::error_code ignored;
      std::filesystem::remove_all(std::wstring(folder.begin(), folder.end()), ignored);
    }
#endif
  }

  TestPlatform& Test() { return platform_; }
  platform::Platform& Get() { return platform_.Get(); }
  const std::u16string& Scratch() const { return platform_.ScratchFolder(); }

  // Placeholders of fixtures and tables: $SCRATCH$, $RECENT$ (the recent folder),
  // $WINDIR$ (the expansion of %SystemRoot%).
  std::string Resolve(std::string text, bool regEscaped) {
    auto put = [&](const std::string& name, std::u16string value) {
      std::string replacement = U8(value);
      if (regEscaped) replacement = ReplaceAll(replacement, "\\", "\\\\");
      text = ReplaceAll(text, name, replacement);
    };
    put("$SCRATCH$", Scratch());
    put("$RECENT$", GetSpecialFolder(Get().system, platform::kCsidlRecent));
    put("$WINDIR$", ExpandEnvVars(Get().system, u"%SystemRoot%"));
    put("$PROGRAMFILESX86$", ExpandEnvVars(Get().system, u"%ProgramFiles(x86)%"));
    return text;
  }

  // Applies tests/fixtures/rules/<name>; remembers what to remove.
  void SeedFixture(const std::string& name) {
    std::ifstream in(FixturePath(name), std::ios::binary);
    ASSERT_TRUE(in) << "cannot read fixture " << FixturePath(name);
    std::stringstream content;
    content << in.rdbuf();
    SeedText(content.str());
  }

  void SeedText(const std::string& regText) {
    const std::string text = Resolve(regText, true);
    std::vector<platform::RegFileOperation> operations;
    platform::RegFileError error;
    ASSERT_TRUE(platform::ParseRegFile(text, "fixture", &operations, &error)) << error.Message();
    for (const auto& operation : operations) {
      if (operation.kind == platform::RegFileOperation::Kind::kCreateKey) {
        RememberCreatedKey(operation.keyPath);
      } else if (operation.kind == platform::RegFileOperation::Kind::kSetValue &&
                 KeyExists(operation.keyPath)) {
        valuesToRemove_.emplace_back(operation.keyPath, operation.valueName);
      }
    }
    ASSERT_TRUE(platform::ApplyRegFile(Get().registry, operations, &error)) << error.Message();
  }

  // A file or folder the test makes outside its scratch folder.
  void CreateFileAt(const std::u16string& windowsPath) {
    const bool existed = Get().files.Probe(windowsPath) != platform::PathKind::kMissing;
    platform_.CreateFile(windowsPath);
    if (!existed) filesToRemove_.push_back(windowsPath);
  }
  void CreateFolderAt(const std::u16string& windowsPath) {
    if (Get().files.Probe(windowsPath) == platform::PathKind::kMissing) {
      foldersToRemove_.push_back(windowsPath);
    }
    platform_.CreateFolder(windowsPath);
  }

  // Runs rule as the only rule of a cleaner and returns the records whose path, value
  // name, title or value mentions one of the markers (the fixture's own names).
  std::vector<Record> Run(std::uint32_t scanType, ScanRule rule,
                          const std::vector<std::string>& markers = {"ovalin", "{0fa1"}) {
    std::vector<Record> records;
    std::mutex mutex;
    platform::ManualResetEvent ended(false);
    {
      TRCRegCleaner cleaner(Get(), {{scanType, rule}});
      cleaner.OnScanning = [&](TRCRegCleaner&, const ScanningEventArgs& e) {
        Record record{e.errorCode, e.markType, U8(e.title), U8(e.path),
                      U8(e.valueName), U8(e.value), e.percent};
        EXPECT_EQ(e.scanType, scanType) << record;
        const std::string text =
            LowerAscii(record.path + "|" + record.valueName + "|" + record.title + "|" +
                       record.value);
        for (const std::string& marker : markers) {
          if (text.find(marker) != std::string::npos) {
            std::lock_guard<std::mutex> lock(mutex);
            records.push_back(record);
            break;
          }
        }
      };
      cleaner.OnEndScan = [&](TRCRegCleaner&) { ended.Set(); };
      EXPECT_TRUE(cleaner.Scan(scanType));
      EXPECT_TRUE(ended.WaitFor(120000)) << "the scan did not end";
    }
    return records;
  }

  // Table entries with placeholders resolved; percents dropped where the real registry
  // holds other entries in the same area (they change the divisor).
  std::vector<Record> Expected(std::vector<Record> table) {
    for (Record& record : table) {
      record.title = Resolve(record.title, false);
      record.path = Resolve(record.path, false);
      record.valueName = Resolve(record.valueName, false);
      record.value = Resolve(record.value, false);
    }
    return table;
  }

  // Compares without regard to order; percents only on the substitute.
  void ExpectRecords(std::vector<Record> actual, std::vector<Record> table) {
    std::vector<Record> expected = Expected(std::move(table));
    if (!platform_.IsSubstitute()) {
      for (Record& r : actual) r.percent = -1;
      for (Record& r : expected) r.percent = -1;
    }
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);
  }

 private:
  bool KeyExists(const std::u16string& fullPath) {
    const SplitPath split = SplitRegPath(fullPath);
    if (split.root == 0) return false;
    RegAccess key(Get().registry);
    key.SetRootKey(split.root);
    return key.KeyExists(split.subKey);
  }

  // Remembers the topmost key on the way to fullPath that does not exist yet.
  void RememberCreatedKey(const std::u16string& fullPath) {
    std::size_t at = fullPath.find(u'\\');
    while (at != std::u16string::npos) {
      const std::size_t next = fullPath.find(u'\\', at + 1);
      const std::u16string prefix = fullPath.substr(0, next);
      if (!KeyExists(prefix)) {
        for (const auto& known : keysToRemove_) {
          if (StrSameText(known, prefix)) return;
        }
        keysToRemove_.push_back(prefix);
        return;
      }
      at = next;
    }
  }

  TestPlatform platform_;
  std::vector<std::u16string> keysToRemove_;
  std::vector<std::pair<std::u16string, std::u16string>> valuesToRemove_;
  std::vector<std::u16string> filesToRemove_;
  std::vector<std::u16string> foldersToRemove_;
};

}  // namespace ovalin::testing
