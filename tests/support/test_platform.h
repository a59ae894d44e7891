// The platform a test runs on: natively a fresh substitute whose drive C is a new
// temporary host folder; on Windows (under Wine) the real platform. Either way the test
// gets a scratch folder on drive C and can seed registry keys from ".reg" text; the
// keys it seeded and the scratch folder are removed when the object goes away.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/platform.h"

namespace ovalin::testing {

class TestPlatform {
 public:
  TestPlatform();
  ~TestPlatform();
  TestPlatform(const TestPlatform&) = delete;
  TestPlatform& operator=(const TestPlatform&) = delete;

  platform::Platform& Get();
  bool IsSubstitute() const;
  // Answers that only the substitute lets a test arrange: the kind of a drive, and files
  // that cannot be read (access denied). False on Windows, where the system answers.
  bool SetDriveKind(char16_t letter, platform::DriveKind kind);
  bool MarkCannotTell(std::u16string_view windowsPath);

  // A Windows path with a trailing backslash, e.g. "C:\ovalin-test-1234-1\"; created empty.
  const std::u16string& ScratchFolder() const { return scratch_; }
  // Creates a file (and its parent folders) at a Windows path with the given content.
  void CreateFile(std::u16string_view windowsPath, std::string_view content = "");
  void CreateFolder(std::u16string_view windowsPath);

  // Applies ".reg" text (UTF-8, with or without the header line). Every key that the
  // text names is deleted (with its subkeys) when the object goes away. Fails the
  // current test on a parse error.
  void Seed(std::string_view regText);
  // Registers a full key path to delete at the end.
  void RemoveKeyAtEnd(std::u16string_view fullKeyPath);
  // Exports the trees below the given full key paths (".reg" text, UTF-8) for
  // comparisons.
  std::string Export(const std::vector<std::u16string>& keyPaths);

 private:
  std::unique_ptr<platform::PlatformServices> services_;
  std::u16string scratch_;
  std::vector<std::u16string> keysToRemove_;
};

// UTF-8 test literals to UTF-16 and back.
std::u16string U16(std::string_view utf8);
std::string U8(std::u16string_view utf16);

}  // namespace ovalin::testing
