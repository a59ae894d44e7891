// A key of the test's own below HKEY_CURRENT_USER\Software\OvalinTests, named after the
// running test, empty at the start (left-overs of an interrupted run are removed) and
// removed with everything below it at the end. Works on the substitute and the real
// registry alike.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/reg_file.h"
#include "platform/registry.h"
#include "support/test_platform.h"

namespace ovalin::testing {

class ScratchKey {
 public:
  explicit ScratchKey(TestPlatform& platform, std::string_view suffix = "")
      : registry_(platform.Get().registry) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
      if (c == '/' || c == '\\') c = '_';  // parameterised test names
    }
    subkey_ = u"Software\\OvalinTests\\" + U16(name) + U16(suffix);
    path_ = u"HKEY_CURRENT_USER\\" + subkey_;
    Remove();
    EXPECT_EQ(platform::kRegOk, registry_.CreateKey(platform::kCurrentUser, subkey_,
                                                    platform::kKeyAllAccess, &key_));
  }
  ~ScratchKey() {
    if (key_ != 0) registry_.CloseKey(key_);
    Remove();
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  platform::RegKey key() const { return key_; }
  // "HKEY_CURRENT_USER\Software\OvalinTests\<test>"
  const std::u16string& path() const { return path_; }
  // The path below HKEY_CURRENT_USER.
  const std::u16string& subkey() const { return subkey_; }

 private:
  void Remove() {
    platform::RegFileOperation remove;
    remove.kind = platform::RegFileOperation::Kind::kDeleteKey;
    remove.keyPath = path_;
    platform::RegFileError error;
    EXPECT_TRUE(platform::ApplyRegFile(registry_, {remove}, &error)) << error.Message();
  }

  platform::Registry& registry_;
  platform::RegKey key_ = 0;
  std::u16string subkey_;
  std::u16string path_;
};

// Owns a key handle opened in a test.
class KeyHolder {
 public:
  explicit KeyHolder(platform::Registry& registry) : registry_(registry) {}
  ~KeyHolder() { Close(); }
  KeyHolder(const KeyHolder&) = delete;
  KeyHolder& operator=(const KeyHolder&) = delete;
  platform::RegKey get() const { return key_; }
  platform::RegKey* receive() {
    Close();
    return &key_;
  }
  void Close() {
    if (key_ != 0) registry_.CloseKey(key_);
    key_ = 0;
  }

 private:
  platform::Registry& registry_;
  platform::RegKey key_ = 0;
};

}  // namespace ovalin::testing
