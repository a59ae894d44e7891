// Language packs written into the scratch program folder for tests.
#pragma once

#include <string>
#include <string_view>

#include "localisation/app_localisation.h"
#include "localisation/program_platform.h"

namespace ovalin::testing {

// Records what a change of language writes into the configuration.
class RecordingSettings : public LanguageSettings {
 public:
  void SetApplicationTitle(std::u16string value) override { title = std::move(value); }
  const std::u16string& ApplicationTitleDup() const override { return dup; }
  bool SetLanguageID(std::uint16_t id) override {
    ids.push_back(id);
    return true;
  }
  std::u16string title = u"Built-in";
  std::u16string dup = u"Built-in";
  std::vector<std::uint16_t> ids;
};

class LanguagePacksTest : public ::testing::Test {
 protected:
  std::u16string PackFolder(std::u16string_view pack) {
    return program.LangsFolder() + std::u16string(pack) + u"\\";
  }
  // A strings file in UTF-16 LE with BOM.
  void WritePack(std::u16string_view pack, std::string_view text) {
    program.Write(PackFolder(pack) + u"RegistryCleanerStrs.ini", Utf16File(text));
  }
  void WriteFonts(std::u16string_view pack, std::string_view text) {
    program.Write(PackFolder(pack) + u"RegistryCleanerFonts.ini", Utf16File(text));
  }
  static std::string Pack(std::string_view name, std::string_view id, std::string_view strings) {
    return "[_Description_]\nLanguageName=" + std::string(name) + "\nLanguageID=" +
           std::string(id) + "\n[StringRes]\n" + std::string(strings);
  }
  TAppMultiLangs& Langs() { return localisation.MultiLangs; }
  // Index of the pack with that folder name, -1 when not listed.
  int IndexOf(std::u16string_view folder) {
    for (int i = 0; i < Langs().Count(); ++i) {
      if (Langs().GetLanguagePath(i) == PackFolder(folder)) return i;
    }
    return -1;
  }

  ProgramPlatform program;
  RecordingSettings settings;
  AppLocalisation localisation{program.Get(), &settings};
};

}  // namespace ovalin::testing
