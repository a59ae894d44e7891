#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/reg_access.h"
#include "engine/text_utils.h"
#include "platform/reg_file.h"

#ifdef _WIN32
#include <windows.h>
// The Win32 CreateFile macro would rename TestPlatform::CreateFile.
#undef CreateFile

#include "platform/win32/win32_platform.h"
#else
#include <unistd.h>

#include "platform/posix/substitute.h"
#include "platform/posix/substitute_files.h"
#endif

namespace ovalin::testing {

namespace {

std::atomic<int> instanceCounter{0};

#ifndef _WIN32
std::string MakeHostTempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/ovalin-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}
#endif

}  // namespace

std::u16string U16(std::string_view utf8) { return FromUtf8(utf8); }
std::string U8(std::u16string_view utf16) { return ToUtf8(utf16); }

TestPlatform::TestPlatform() {
  const int instance = ++instanceCounter;
#ifdef _WIN32
  services_ = platform::win32::CreateWin32Platform();
  scratch_ = u"C:\\ovalin-tests\\" + U16(std::to_string(GetCurrentProcessId())) + u"-" +
             U16(std::to_string(instance)) + u"\\";
#else
  platform::posix::SubstituteConfig config;
  config.drives[u'C'] = MakeHostTempFolder();
  config.environment = {
      {u"SystemRoot", u"C:\\windows"},       {u"windir", u"C:\\windows"},
      {u"SystemDrive", u"C:"},               {u"ProgramFiles", u"C:\\Program Files"},
      {u"ProgramFiles(x86)", u"C:\\Program Files (x86)"},
      {u"CommonProgramFiles", u"C:\\Program Files\\Common Files"},
      {u"CommonProgramFiles(x86)", u"C:\\Program Files (x86)\\Common Files"},
      {u"USERPROFILE", u"C:\\users\\tester"}, {u"TEMP", u"C:\\users\\tester\\Temp"},
  };
  config.specialFolders = {
      {platform::kCsidlRecent, u"C:\\users\\tester\\Recent"},
      {platform::kCsidlStartMenu,
       u"C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
      {platform::kCsidlFonts, u"C:\\windows\\Fonts"},
      {platform::kCsidlCommonStartMenu, u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu"},
      {platform::kCsidlFavorites, u"C:\\users\\tester\\Favorites"},
      {platform::kCsidlCommonFavorites, u"C:\\users\\Public\\Favorites"},
      // A 64-bit Windows: the system folder and the 32-bit programs' one.
      {0x24, u"C:\\windows"},
      {0x25, u"C:\\windows\\system32"},
      {0x29, u"C:\\windows\\syswow64"},
  };
  config.modulePath = u"C:\\Ovalin\\ovalin-rc.exe";
  config.currentFolder = u"C:\\";
  services_ = std::make_unique<platform::posix::SubstitutePlatform>(std::move(config));
  scratch_ = u"C:\\ovalin-test-" + U16(std::to_string(instance)) + u"\\";
#endif
  Get().files.CreateFolders(scratch_);
}

TestPlatform::~TestPlatform() {
  for (auto it = keysToRemove_.rbegin(); it != keysToRemove_.rend(); ++it) {
    const SplitPath split = SplitRegPath(*it);
    if (split.root == 0 || split.subKey.empty()) continue;
    RegAccess access(Get().registry);
    access.SetRootKey(split.root);
    access.DeleteKey(split.subKey);
  }
  std::error_code ignored;
#ifdef _WIN32
  std::filesystem::remove_all(
      std::filesystem::path(std::wstring(scratch_.begin(), scratch_.end())), ignored);
#else
  const std::string drive =
      static_cast<platform::posix::SubstitutePlatform&>(*services_).HostPath(u"C:\\");
  if (!drive.empty()) std::filesystem::remove_all(drive, ignored);
#endif
}

platform::Platform& TestPlatform::Get() { return services_->Get(); }

bool TestPlatform::IsSubstitute() const {
#ifdef _WIN32
  return false;
#else
  return true;
#endif
}

bool TestPlatform::SetDriveKind(char16_t letter, platform::DriveKind kind) {
#ifdef _WIN32
  (void)letter;
  (void)kind;
  return false;
#else
  static_cast<platform::posix::SubstitutePlatform&>(*services_).Files().SetDriveKind(letter, kind);
  return true;
#endif
}

bool TestPlatform::MarkCannotTell(std::u16string_view windowsPath) {
#ifdef _WIN32
  (void)windowsPath;
  return false;
#else
  static_cast<platform::posix::SubstitutePlatform&>(*services_).Files().MarkCannotTell(windowsPath);
  return true;
#endif
}

void TestPlatform::CreateFolder(std::u16string_view windowsPath) {
  ASSERT_TRUE(Get().files.CreateFolders(windowsPath)) << U8(windowsPath);
}

void TestPlatform::CreateFile(std::u16string_view windowsPath, std::string_view content) {
  const std::u16string folder = FileFolder(windowsPath);
  if (!folder.empty()) Get().files.CreateFolders(folder);
  auto file = Get().files.Open(windowsPath, platform::FileOpenMode::kCreateAlways);
  ASSERT_TRUE(file) << "cannot create " << U8(windowsPath);
  if (!content.empty()) {
    ASSERT_TRUE(file->Write(content.data(), static_cast<std::uint32_t>(content.size())));
  }
}

void TestPlatform::Seed(std::string_view regText) {
  std::string text(regText);
  if (text.rfind("Windows Registry Editor", 0) != 0 && text.rfind("REGEDIT4", 0) != 0) {
    text = "Windows Registry Editor Version 5.00\n\n" + text;
  }
  std::vector<platform::RegFileOperation> operations;
  platform::RegFileError error;
  ASSERT_TRUE(platform::ParseRegFile(text, "seed", &operations, &error)) << error.Message();
  for (const auto& operation : operations) {
    if (operation.kind == platform::RegFileOperation::Kind::kCreateKey) {
      RemoveKeyAtEnd(operation.keyPath);
    }
  }
  ASSERT_TRUE(platform::ApplyRegFile(Get().registry, operations, &error)) << error.Message();
}

void TestPlatform::RemoveKeyAtEnd(std::u16string_view fullKeyPath) {
  for (const auto& known : keysToRemove_) {
    if (StrSameText(known, fullKeyPath)) return;
  }
  keysToRemove_.emplace_back(fullKeyPath);
}

std::string TestPlatform::Export(const std::vector<std::u16string>& keyPaths) {
  const std::string bytes = platform::ExportRegFile(Get().registry, keyPaths);
  std::u16string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {  // skip the BOM
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return U8(text);
}

}  // namespace ovalin::testing
