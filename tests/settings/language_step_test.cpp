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

TEST_F(LanguageStepTest, APackWithoutIdIsStoredAs65535) {
  WritePack(u"Odd", "Klingon");
  EXPECT_TRUE(Run());
  EXPECT_EQ(configs.LanguageID(), 65535);
  EXPECT_EQ(ConfiguredId(), u"65535");
}

}  // namespace
}  // namespace ovalin
