#include "shell/language_step.h"

#include <gtest/gtest.h>

#include "localisation/app_localisation.h"
#include "localisation/ini_file.h"
#include "localisation/program_platform.h"

namespace ovalin {
namespace {

using testing::ProgramPlatform;
using testing::TraceRecorder;

class LanguageStepTest : public ::testing::Test {
 protected:
  void WritePack(std::u16string_view folder, std::string_view id, std::string_view strings = "") {
    program.Write(program.LangsFolder() + std::u16string(folder) + u"\\RegistryCleanerStrs.ini",
                  testing::Utf16File("[_Description_]\nLanguageID=" + std::string(id) +
                                     "\n[StringRes]\n" + std::string(strings)));
  }
  std::u16string ConfiguredId() {
    IniFile ini(program.Get().profiles, configs.ConfigFile());
    return ini.ReadString(u"General", u"LanguageID", u"<missing>");
  }
  bool Run() { return LanguageStep(configs, localisation.MultiLangs, program.Get(), &trace); }

  ProgramPlatform program;
  TraceRecorder trace;
  TAppConfigs configs{program.Get()};
  AppLocalisation localisation{program.Get(), &configs};
};

TEST_F(LanguageStepTest, NoLanguageFolderIsCreatedAndTheStepFails) {
  EXPECT_FALSE(Run());
  EXPECT_EQ(program.Get().files.Probe(program.LangsFolder()), platform::PathKind::kFolder);
  EXPECT_EQ(ConfiguredId(), u"65535");
  EXPECT_EQ(trace.codes, (std::vector<std::uint32_t>{0x10031003, 0x10032003}));
}

TEST_F(LanguageStepTest, TheConfiguredPackBecomesCurrentAndAppliesItsTitle) {
  WritePack(u"English", "1033", "STR_ApplicationTitle=Ovalin RC\n");
  WritePack(u"Chinese", "2052", "STR_ZUNRCForm_Button_Scan=扫描\n");
  ASSERT_TRUE(configs.SetLanguageID(2052));
  EXPECT_TRUE(Run());
  EXPECT_EQ(localisation.MultiLangs.CurrentLanguageID(), 2052);
  EXPECT_EQ(testing::U8(localisation.Strings.STR_ZUNRCForm_Button_Scan), "扫描");
  EXPECT_EQ(configs.ApplicationTitle(), u"Ovalin Registry Cleaner");
  EXPECT_EQ(ConfiguredId(), u"2052");

  localisation.MultiLangs.SetCurrentLanguageName(u"English");
  EXPECT_EQ(configs.ApplicationTitle(), u"Ovalin RC");
  EXPECT_EQ(ConfiguredId(), u"1033");
}

TEST_F(LanguageStepTest, AConfiguredIdThatNoPackHasFallsBackToTheFirstPack) {
  WritePack(u"Only", "1031");
  configs.SetLanguageID(1049);
  EXPECT_TRUE(Run());
  EXPECT_EQ(localisation.MultiLangs.Index(), 0);
  EXPECT_EQ(configs.LanguageID(), 1031);
  EXPECT_EQ(ConfiguredId(), u"1031");
}

// The system's language (the thread locale) against what "Config.ini" says, with the
// shipped packs' IDs in the file system's order (English first).
TEST_F(LanguageStepTest, TheSystemLanguageDecidesWhenTheConfigurationNamesNoPack) {
  struct Case {
    const char* name;
    const char* config;       // the whole "Config.ini", nullptr for none
    std::uint16_t system;     // the thread locale's language
    std::int32_t expected;    // the pack that becomes current
  };
  const Case cases[] = {
      {"first start, German Windows", nullptr, 1031, 1031},
      {"first start, Chinese Windows", nullptr, 2052, 2052},
      {"first start, no pack speaks the system language", nullptr, 1049, 1033},
      {"configured French on a German Windows", "[General]\nLanguageID=1036\n", 1031, 1036},
      {"configured ID no pack has, German Windows", "[General]\nLanguageID=1049\n", 1031, 1031},
      {"configured ID no pack has, Russian Windows", "[General]\nLanguageID=1049\n", 1049, 1033},
      {"configured 0, German Windows", "[General]\nLanguageID=0\n", 1031, 1031},
      // Selecting by an ID of 0 picks nothing when the system speaks the first pack; the
      // program still starts in that pack instead of ending without a window.
      {"configured 0, English Windows", "[General]\nLanguageID=0\n", 1033, 1033},
      {"configured 0, Russian Windows", "[General]\nLanguageID=0\n", 1049, 1033},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramPlatform program;
    const auto pack = [&](std::u16string_view folder, std::string_view id) {
      program.Write(program.LangsFolder() + std::u16string(folder) + u"\\RegistryCleanerStrs.ini",
                    testing::Utf16File("[_Description_]\nLanguageID=" + std::string(id) + "\n"));
    };
    pack(u"English", "1033");
    pack(u"French", "1036");
    pack(u"German", "1031");
    pack(u"SimplifiedChinese", "2052");
    if (c.config != nullptr) {
      program.Write(program.ProgramFolder() + u"Config.ini", testing::Utf16File(c.config));
    }
    program.SetThreadLanguageID(c.system);
    TAppConfigs configs{program.Get()};
    AppLocalisation localisation{program.Get(), &configs};
    configs.Load();
    ASSERT_TRUE(LanguageStep(configs, localisation.MultiLangs, program.Get(), nullptr));
    EXPECT_EQ(localisation.MultiLangs.CurrentLanguageID(), c.expected);
    EXPECT_EQ(configs.LanguageID(), c.expected);
  }
}

TEST_F(LanguageStepTest, APackWithoutIdIsStoredAs65535) {
  WritePack(u"Odd", "Klingon");
  EXPECT_TRUE(Run());
  EXPECT_EQ(configs.LanguageID(), 65535);
  EXPECT_EQ(ConfiguredId(), u"65535");
}

}  // namespace
}  // namespace ovalin
