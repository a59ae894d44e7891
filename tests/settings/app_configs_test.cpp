#include "shell/app_configs.h"

#include <gtest/gtest.h>

#include "localisation/ini_file.h"
#include "localisation/program_platform.h"

namespace ovalin {
namespace {

using testing::ProgramPlatform;
using testing::TraceRecorder;
using testing::U16;
using testing::U8;

class AppConfigsTest : public ::testing::Test {
 protected:
  void WriteConfig(std::string_view text) {
    program.Write(program.ProgramFolder() + u"Config.ini", testing::Utf16File(text));
  }
  std::u16string ReadKey(std::u16string_view section, std::u16string_view key) {
    IniFile ini(program.Get().profiles, program.ProgramFolder() + u"Config.ini");
    return ini.ReadString(section, key, u"<missing>");
  }

  ProgramPlatform program;
  TraceRecorder trace;
};

TEST_F(AppConfigsTest, ConstructionGivesBuiltInValuesAndPathsBesideTheProgram) {
  TAppConfigs configs(program.Get());
  EXPECT_EQ(U8(configs.BasePath()), U8(program.ProgramFolder()));
  EXPECT_EQ(U8(configs.DataPath()), U8(program.ProgramFolder() + u"data\\"));
  EXPECT_EQ(U8(configs.ConfigFile()), U8(program.ProgramFolder() + u"Config.ini"));
  EXPECT_EQ(configs.ApplicationTitle(), u"Ovalin Registry Cleaner");
  EXPECT_EQ(configs.ApplicationTitleDup(), u"Ovalin Registry Cleaner");
  EXPECT_EQ(configs.VersionString(), u"1.5.1.1");
  EXPECT_EQ(configs.LanguageID(), 1033);
  EXPECT_TRUE(configs.AutoUpdate());
  EXPECT_EQ(configs.LastRunTime(), 0u);
  EXPECT_EQ(program.Get().files.Probe(configs.ConfigFile()), platform::PathKind::kMissing);
}

TEST_F(AppConfigsTest, LoadWithoutFileKeepsEverythingAndRaisesOnlyTheBeginCode) {
  TAppConfigs configs(program.Get(), &trace);
  configs.Load();
  EXPECT_EQ(configs.LanguageID(), 1033);
  EXPECT_EQ(configs.VersionString(), u"1.5.1.1");
  EXPECT_EQ(trace.codes, (std::vector<std::uint32_t>{0x10021003}));
}

TEST_F(AppConfigsTest, LanguageIdIsReadAsAnIntegerAndKeepsItsLow16Bits) {
  const struct {
    const char* text;
    std::uint16_t expected;
  } cases[] = {
      {"2052", 2052},   {"0x0804", 2052}, {"0X0804", 2052}, {"$804", 2052},
      {"70000", 4464},  {"-1", 65535},    {"German", 1033}, {"", 1033},
      {"12abc", 1033},  {"99999999999", 1033}, {"0x", 1033},
  };
  for (const auto& c : cases) {
    WriteConfig(std::string("[General]\nLanguageID=") + c.text + "\n");
    TAppConfigs configs(program.Get());
    configs.Load();
    EXPECT_EQ(configs.LanguageID(), c.expected) << c.text;
  }
}

TEST_F(AppConfigsTest, KeysAreReadByTheirOwnRules) {
  const struct {
    const char* file;
    const char16_t* version;
    bool autoUpdate;
    std::uint64_t lastRun;
  } cases[] = {
      {"[General]\nVersion=\n", u"", true, 0},
      {"[General]\nLanguageID=1031\n", u"1.5.1.1", true, 0},
      {"[General]\nVersion=2.0\n[RegstrClnr]\nAutoUpdate=0\n", u"2.0", false, 0},
      {"[RegstrClnr]\nAutoUpdate=never\n", u"1.5.1.1", true, 0},
      {"[RegstrClnr]\nAutoUpdate=$10\n", u"1.5.1.1", true, 0},
      {"[RegstrClnr]\nLastRunTime=\n", u"1.5.1.1", true, 0},
      {"[RegstrClnr]\nLastRunTime=yesterday\n", u"1.5.1.1", true, 0},
      {"[RegstrClnr]\nLastRunTime=133500000000000000\n", u"1.5.1.1", true, 133500000000000000ULL},
      {"[regstrclnr]\nlastruntime=-1\n", u"1.5.1.1", true, 0xFFFFFFFFFFFFFFFFULL},
  };
  for (const auto& c : cases) {
    WriteConfig(c.file);
    TAppConfigs configs(program.Get());
    configs.Load();
    EXPECT_EQ(U8(configs.VersionString()), U8(c.version)) << c.file;
    EXPECT_EQ(configs.AutoUpdate(), c.autoUpdate) << c.file;
    EXPECT_EQ(configs.LastRunTime(), c.lastRun) << c.file;
  }
}

TEST_F(AppConfigsTest, LongValuesAreCutAt2047Characters) {
  WriteConfig("[General]\nVersion=" + std::string(5000, 'v') + "\n");
  TAppConfigs configs(program.Get());
  configs.Load();
  EXPECT_EQ(configs.VersionString(), std::u16string(2047, u'v'));
}

TEST_F(AppConfigsTest, SaveWritesTheFourKeysAndLeavesOtherKeysAlone) {
  WriteConfig(
      "[General]\nVersion=0.9\nLanguageID=0x0804\nSkin=Blue\n"
      "[RegstrClnr]\nAutoUpdate=0\nLastRunTime=133500000000000000\n[Other]\nA=1\n");
  TAppConfigs configs(program.Get(), &trace);
  configs.Load();
  trace.codes.clear();
  ASSERT_TRUE(configs.Save());
  EXPECT_EQ(trace.codes, (std::vector<std::uint32_t>{0x10021004, 0x10022004}));
  EXPECT_EQ(ReadKey(u"General", u"Version"), u"0.9");
  EXPECT_EQ(ReadKey(u"General", u"LanguageID"), u"2052");
  EXPECT_EQ(ReadKey(u"General", u"Skin"), u"Blue");
  EXPECT_EQ(ReadKey(u"RegstrClnr", u"AutoUpdate"), u"0");
  EXPECT_EQ(ReadKey(u"RegstrClnr", u"LastRunTime"), u"133500000000000000");
  EXPECT_EQ(ReadKey(u"Other", u"A"), u"1");
}

TEST_F(AppConfigsTest, SaveOnFirstRunCreatesACompleteFile) {
  TAppConfigs configs(program.Get());
  configs.Load();
  ASSERT_TRUE(configs.Save());
  EXPECT_EQ(ReadKey(u"General", u"Version"), u"1.5.1.1");
  EXPECT_EQ(ReadKey(u"General", u"LanguageID"), u"1033");
  EXPECT_EQ(ReadKey(u"RegstrClnr", u"AutoUpdate"), u"1");
  EXPECT_EQ(ReadKey(u"RegstrClnr", u"LastRunTime"), u"0");
}

TEST_F(AppConfigsTest, AssigningTheLanguageWritesItAtOnceAndCreatesTheFolder) {
  testing::ProgramFolderSystem system(program.Get().system,
                                      program.ProgramFolder() + u"Deep\\Er\\Tool.exe");
  platform::Platform view{program.Get().registry, program.Get().files, program.Get().profiles,
                          system, program.Get().clock, program.Get().messages};
  TAppConfigs configs(view);
  ASSERT_TRUE(configs.SetLanguageID(2052));
  EXPECT_EQ(configs.LanguageID(), 2052);
  IniFile ini(view.profiles, program.ProgramFolder() + u"Deep\\Er\\Config.ini");
  EXPECT_EQ(ini.ReadString(u"General", u"LanguageID", u""), u"2052");
  EXPECT_FALSE(ini.Read(u"General", u"Version").has_value());
}

}  // namespace
}  // namespace ovalin
