#include "shell/app_options.h"

#include <gtest/gtest.h>

#include "localisation/program_platform.h"

namespace ovalin {
namespace {

using testing::ProgramPlatform;
using testing::TraceRecorder;
using testing::U16;
using testing::U8;

constexpr std::uint64_t kSomeTime = 133500000000000000ULL;

// UTF-16 LE text with BOM as the writer produces it.
std::string Utf16NoNewlines(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

class AppOptionsTest : public ::testing::Test {
 protected:
  std::u16string DataPath() { return program.ProgramFolder() + u"data\\"; }
  std::u16string FilePath() { return DataPath() + u"ZUNOptions.xml"; }

  ProgramPlatform program;
  TraceRecorder trace;
};

TEST_F(AppOptionsTest, MissingFileGivesFalseAndKeepsTheValues) {
  TZUNOptions options(program.Get(), DataPath(), &trace);
  options.RCScanTypes = kDefaultScanTypes;
  EXPECT_FALSE(options.LoadFromXML());
  EXPECT_EQ(options.RCScanTypes, kDefaultScanTypes);
  EXPECT_EQ(trace.codes, (std::vector<std::uint32_t>{0x10091004, 0x80090082, 0x10092004}));
}

TEST_F(AppOptionsTest, SaveWritesTheExactLayoutAndCreatesTheDataFolder) {
  TZUNOptions options(program.Get(), DataPath(), &trace);
  options.RCScanTypes = kDefaultScanTypes;
  ASSERT_TRUE(options.SaveToXML());
  EXPECT_EQ(trace.codes, (std::vector<std::uint32_t>{0x10091005, 0x10092005}));
  const std::string expected = Utf16NoNewlines(
      "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"yes\"?>"
      "<ZUNOptions><ZUN_RC><ZUN_RC_ScanTypes>8384512</ZUN_RC_ScanTypes>"
      "<ZUN_RC_LastScanTime>0</ZUN_RC_LastScanTime>"
      "<ZUN_RC_LastCleanTime>0</ZUN_RC_LastCleanTime>"
      "<ZUN_RC_LastScanItems>0</ZUN_RC_LastScanItems>"
      "<ZUN_RC_LastCleanItems>0</ZUN_RC_LastCleanItems></ZUN_RC></ZUNOptions>");
  EXPECT_EQ(program.Read(FilePath()), expected);
}

TEST_F(AppOptionsTest, LoadingAndSavingAgainKeepsAllFiveValues) {
  TZUNOptions first(program.Get(), DataPath());
  first.RCScanTypes = -2147483647 - 1;
  first.RCLastScanTime = kSomeTime;
  first.RCLastCleanTime = 0xFFFFFFFFFFFFFFFFULL;
  first.RCLastScanItems = 12;
  first.RCLastCleanItems = -7;
  ASSERT_TRUE(first.SaveToXML());
  const std::string written = program.Read(FilePath());

  TZUNOptions second(program.Get(), DataPath());
  ASSERT_TRUE(second.LoadFromXML());
  EXPECT_EQ(second.RCScanTypes, first.RCScanTypes);
  EXPECT_EQ(second.RCLastScanTime, kSomeTime);
  EXPECT_EQ(second.RCLastCleanTime, 0xFFFFFFFFFFFFFFFFULL);
  EXPECT_EQ(second.RCLastScanItems, 12);
  EXPECT_EQ(second.RCLastCleanItems, -7);
  ASSERT_TRUE(second.SaveToXML());
  EXPECT_EQ(program.Read(FilePath()), written);
}

// Loose reading: every case starts from the mask 0x7ff000 and zeros.
TEST_F(AppOptionsTest, ReadingRulesForHostileAndUnusualFiles) {
  const struct {
    const char* name;
    std::string bytes;
    bool result;
    std::int32_t scanTypes;
    std::uint64_t lastScan;
    std::int32_t cleanItems;
  } cases[] = {
      {"plain UTF-8 without declaration",
       "<ZUNOptions><ZUN_RC><ZUN_RC_ScanTypes>4096</ZUN_RC_ScanTypes></ZUN_RC></ZUNOptions>", true,
       4096, 0, 0},
      {"another root name, other order, indented",
       "<?xml version=\"1.0\"?>\n<Options>\n  <ZUN_RC>\n    <ZUN_RC_LastCleanItems>3</ZUN_RC_LastCleanItems>\n"
       "    <ZUN_RC_LastScanTime>133500000000000000</ZUN_RC_LastScanTime>\n"
       "    <ZUN_RC_ScanTypes>0</ZUN_RC_ScanTypes>\n  </ZUN_RC>\n</Options>\n",
       true, 0, kSomeTime, 3},
      {"UTF-16 with BOM", Utf16NoNewlines("<a><ZUN_RC><ZUN_RC_ScanTypes>$2000</ZUN_RC_ScanTypes></ZUN_RC></a>"),
       true, 0x2000, 0, 0},
      {"child element instead of text",
       "<Z><ZUN_RC><ZUN_RC_LastScanTime><v>5</v></ZUN_RC_LastScanTime>"
       "<ZUN_RC_LastCleanItems>4</ZUN_RC_LastCleanItems></ZUN_RC></Z>",
       true, kDefaultScanTypes, 0, 4},
      {"text and element mixed",
       "<Z><ZUN_RC><ZUN_RC_ScanTypes>5<b/></ZUN_RC_ScanTypes></ZUN_RC></Z>", true,
       kDefaultScanTypes, 0, 0},
      {"text that is not a number",
       "<Z><ZUN_RC><ZUN_RC_LastScanTime>yesterday</ZUN_RC_LastScanTime>"
       "<ZUN_RC_ScanTypes>12abc</ZUN_RC_ScanTypes></ZUN_RC></Z>",
       true, kDefaultScanTypes, 0, 0},
      {"numbers too large for their type",
       "<Z><ZUN_RC><ZUN_RC_ScanTypes>99999999999</ZUN_RC_ScanTypes>"
       "<ZUN_RC_LastScanTime>999999999999999999999999</ZUN_RC_LastScanTime>"
       "<ZUN_RC_LastCleanItems>2147483648</ZUN_RC_LastCleanItems></ZUN_RC></Z>",
       true, kDefaultScanTypes, 0, 0},
      {"empty value element", "<Z><ZUN_RC><ZUN_RC_ScanTypes/></ZUN_RC></Z>", true,
       kDefaultScanTypes, 0, 0},
      {"CDATA text", "<Z><ZUN_RC><ZUN_RC_ScanTypes><![CDATA[8192]]></ZUN_RC_ScanTypes></ZUN_RC></Z>",
       true, 8192, 0, 0},
      {"first of two elements wins",
       "<Z><ZUN_RC><ZUN_RC_ScanTypes>1</ZUN_RC_ScanTypes><ZUN_RC_ScanTypes>2</ZUN_RC_ScanTypes>"
       "</ZUN_RC></Z>",
       true, 1, 0, 0},
      {"no ZUN_RC", "<Z><Other/></Z>", true, kDefaultScanTypes, 0, 0},
      {"empty ZUN_RC", "<Z><ZUN_RC/></Z>", true, kDefaultScanTypes, 0, 0},
      {"root without children", "<ZUNOptions/>", false, kDefaultScanTypes, 0, 0},
      {"root with only blanks", "<ZUNOptions>  \n </ZUNOptions>", false, kDefaultScanTypes, 0, 0},
      {"not XML", "ScanTypes=0\n", false, kDefaultScanTypes, 0, 0},
      {"truncated XML", "<Z><ZUN_RC><ZUN_RC_ScanTypes>0</ZUN_RC_ScanTy", false,
       kDefaultScanTypes, 0, 0},
      {"empty file", "", false, kDefaultScanTypes, 0, 0},
      {"binary junk", std::string("\x00\xFF\xFE\x01<\x00\x80\x90zz", 11), false, kDefaultScanTypes,
       0, 0},
      {"entity that is not declared",
       "<Z><ZUN_RC><ZUN_RC_ScanTypes>&big;</ZUN_RC_ScanTypes></ZUN_RC></Z>", true,
       kDefaultScanTypes, 0, 0},
  };
  for (const auto& c : cases) {
    program.Write(FilePath(), c.bytes);
    TZUNOptions options(program.Get(), DataPath());
    options.RCScanTypes = kDefaultScanTypes;
    EXPECT_EQ(options.LoadFromXML(), c.result) << c.name;
    EXPECT_EQ(options.RCScanTypes, c.scanTypes) << c.name;
    EXPECT_EQ(options.RCLastScanTime, c.lastScan) << c.name;
    EXPECT_EQ(options.RCLastCleanItems, c.cleanItems) << c.name;
    EXPECT_EQ(options.RCLastCleanTime, 0u) << c.name;
    EXPECT_EQ(options.RCLastScanItems, 0) << c.name;
  }
}

TEST_F(AppOptionsTest, DeeplyNestedDocumentDoesNotCrash) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  program.Write(FilePath(), "<Z><ZUN_RC>" + deep);
  TZUNOptions options(program.Get(), DataPath());
  EXPECT_FALSE(options.LoadFromXML());
}

TEST_F(AppOptionsTest, StepsCreateReadSaveAndReleaseTheOptions) {
  program.Write(FilePath(),
                "<ZUNOptions><ZUN_RC><ZUN_RC_LastScanItems>9</ZUN_RC_LastScanItems></ZUN_RC></ZUNOptions>");
  std::unique_ptr<TZUNOptions> options;
  OptionsStartupStep(options, program.Get(), DataPath(), &trace);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->RCScanTypes, kDefaultScanTypes);
  EXPECT_EQ(options->RCLastScanItems, 9);
  EXPECT_EQ(trace.codes,
            (std::vector<std::uint32_t>{0x10091001, 0x10091004, 0x10092004, 0x10092001}));

  trace.codes.clear();
  options->RCScanTypes = 0x1000;
  OptionsSaveStep(options.get(), &trace);
  EXPECT_EQ(trace.codes,
            (std::vector<std::uint32_t>{0x10091002, 0x10091005, 0x10092005, 0x10092002}));

  trace.codes.clear();
  OptionsReleaseStep(options, &trace);
  EXPECT_FALSE(options);
  EXPECT_EQ(trace.codes, (std::vector<std::uint32_t>{0x10091003, 0x10092003}));

  trace.codes.clear();
  OptionsSaveStep(options.get(), &trace);
  EXPECT_EQ(trace.codes, (std::vector<std::uint32_t>{0x10091002, 0x10092002}));

  OptionsStartupStep(options, program.Get(), DataPath(), nullptr);
  EXPECT_EQ(options->RCScanTypes, 0x1000);
  EXPECT_EQ(options->RCLastScanItems, 9);
}

TEST_F(AppOptionsTest, SaveFailsWhenTheDataFolderCannotBeCreated) {
  // A file where the data folder should be.
  program.Write(program.ProgramFolder() + u"data", "not a folder");
  TZUNOptions options(program.Get(), DataPath(), &trace);
  EXPECT_FALSE(options.SaveToXML());
  EXPECT_EQ(trace.codes, (std::vector<std::uint32_t>{0x10091005, 0x80090083, 0x10092005}));
}

}  // namespace
}  // namespace ovalin
