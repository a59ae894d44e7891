// A test platform whose running program lives in "<scratch>Program\", so that the
// configuration file, the data folder and "Langs\" of the code under test land in the
// scratch folder; plus small helpers for settings files and trace codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/trace.h"
#include "support/test_platform.h"

namespace ovalin::testing {

// Forwards everything but the module path and, once a test sets it, the thread's
// language.
class ProgramFolderSystem : public platform::SystemServices {
 public:
  ProgramFolderSystem(platform::SystemServices& inner, std::u16string modulePath)
      : inner_(inner), modulePath_(std::move(modulePath)) {}
  bool ExpandEnvironment(std::u16string_view text, std::u16string* result) override {
    return inner_.ExpandEnvironment(text, result);
  }
  std::u16string SpecialFolder(int csidl) override { return inner_.SpecialFolder(csidl); }
  std::u16string ModulePath() override { return modulePath_; }
  bool ShellOpen(std::u16string_view file, std::u16string_view parameters, int show) override {
    return inner_.ShellOpen(file, parameters, show);
  }
  std::uint16_t ThreadLanguageID() override {
    return threadLanguage_ != 0 ? threadLanguage_ : inner_.ThreadLanguageID();
  }
  // Stands in for the locale of a Windows in that language (0: the real one again).
  void SetThreadLanguageID(std::uint16_t language) { threadLanguage_ = language; }

 private:
  platform::SystemServices& inner_;
  std::u16string modulePath_;
  std::uint16_t threadLanguage_ = 0;
};

class ProgramPlatform {
 public:
  ProgramPlatform()
      : system_(test_.Get().system, test_.ScratchFolder() + u"Program\\OvalinRegistryCleaner.exe"),
        view_{test_.Get().registry, test_.Get().files,  test_.Get().profiles,
              system_,              test_.Get().clock, test_.Get().messages} {
    test_.CreateFolder(ProgramFolder());
  }

  platform::Platform& Get() { return view_; }
  TestPlatform& Test() { return test_; }
  void SetThreadLanguageID(std::uint16_t language) { system_.SetThreadLanguageID(language); }
  std::u16string ProgramFolder() const { return test_.ScratchFolder() + u"Program\\"; }
  std::u16string LangsFolder() const { return ProgramFolder() + u"Langs\\"; }

  // Writes bytes to a file (parent folders are created).
  void Write(std::u16string_view path, std::string_view bytes) { test_.CreateFile(path, bytes); }
  std::string Read(std::u16string_view path) {
    std::string bytes;
    auto file = view_.files.Open(path, platform::FileOpenMode::kOpenRead);
    if (!file) return bytes;
    std::uint64_t size = 0;
    file->Size(&size);
    bytes.resize(static_cast<std::size_t>(size));
    std::uint32_t read = 0;
    if (size != 0) file->Read(bytes.data(), static_cast<std::uint32_t>(size), &read);
    bytes.resize(read);
    return bytes;
  }

 private:
  TestPlatform test_;
  ProgramFolderSystem system_;
  platform::Platform view_;
};

// UTF-8 text as a UTF-16 LE file with byte-order mark and CR LF line ends: the form the
// profile functions of every platform read.
inline std::string Utf16File(std::string_view utf8) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : U16(utf8)) {
    if (c == u'\n') {
      bytes += '\r';
      bytes += '\0';
    }
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

class TraceRecorder : public platform::TraceSink {
 public:
  void Trace(std::uintptr_t, std::uint32_t code, std::uintptr_t) override { codes.push_back(code); }
  std::vector<std::uint32_t> codes;
};

}  // namespace ovalin::testing
