#include "localisation/dyn_string.h"

#include <gtest/gtest.h>

#include "localisation/app_strings.h"
#include "localisation/size_text.h"
#include "support/test_platform.h"

namespace ovalin {
namespace {

using testing::U8;

TEST(DynStringTest, ReportFollowsTheFormatVariableWithoutReload) {
  TAppStrings strings;
  TKelDynString report(strings.STR_ZUNRCForm_7,
                       {FormatArg::Int(10), FormatArg::Int(8), FormatArg::Int(7),
                        FormatArg::Text(u"2026-01-02 10:00")});
  EXPECT_EQ(U8(report.Value()),
            "1. Scanned out 10 items need to clean.\r\n2. Try to clean 8 items.\r\n"
            "3. Cleaned 7 items.\r\n\r\nTime of cleaning: 2026-01-02 10:00");
  strings.STR_ZUNRCForm_7 = u"%d/%d/%d um %s";
  EXPECT_EQ(U8(report.Value()), "10/8/7 um 2026-01-02 10:00");
  EXPECT_EQ(report.ArgsCount(), 4);

  strings.STR_ZUNRCForm_7 = u"%s gefunden, %d, %d, %s";  // a pack with "%s" where "%d" belongs
  EXPECT_EQ(report.Value(), u"");
  strings.STR_ZUNRCForm_7 = u"%d %d %d %s %d";  // more placeholders than arguments
  EXPECT_EQ(report.Value(), u"");
  strings.STR_ZUNRCForm_7 = u"%n%n%n%n";
  EXPECT_EQ(report.Value(), u"");
  strings.STR_ZUNRCForm_7 = u"";
  EXPECT_EQ(report.Value(), u"");
}

TEST(DynStringTest, ReferencedVariablesAreReadAtEachEvaluation) {
  TAppStrings strings;
  TKelDynString status(strings.STR_ZUNRCRestoreForm_8,
                       {FormatArg::Text(u"Before update"), FormatArg::Text(u"10:00"),
                        TKelDynString::Arg::Ref(strings.STR_ZUNRCRestoreForm_6)});
  EXPECT_EQ(U8(status.Value()), "Before update; Cleaned Time:  10:00; Have Restored Before: Yes");
  strings.STR_ZUNRCRestoreForm_8 = u"%s; Zeit: %s; Wiederhergestellt: %s";
  strings.STR_ZUNRCRestoreForm_6 = u"Ja";
  EXPECT_EQ(U8(status.Value()), "Before update; Zeit: 10:00; Wiederhergestellt: Ja");
  strings.STR_ZUNRCRestoreForm_6 = u"";
  EXPECT_EQ(status.Value(), u"");
}

TEST(DynStringTest, BindingAndReloadForms) {
  std::u16string format = u"100% sure %d";
  TKelDynString plain(format);
  EXPECT_EQ(plain.Value(), u"100% sure %d");  // no arguments: the text as it stands
  EXPECT_EQ(plain.Format(), format);

  std::u16string empty;
  TKelDynString unbound(empty, {FormatArg::Int(1)});
  empty = u"%d";
  EXPECT_EQ(unbound.Value(), u"");  // bound while empty: stays unbound
  EXPECT_EQ(unbound.Format(), u"");

  TKelDynString value;
  EXPECT_EQ(value.Value(), u"");
  value.ReloadHex(255);
  EXPECT_EQ(value.Value(), u"FF");
  value.ReloadDecimal(-5);
  EXPECT_EQ(value.Value(), u"-5");
  value.ReloadString(u"50%");
  EXPECT_EQ(value.Value(), u"50%");
  EXPECT_EQ(value.ArgsCount(), 1);
  value.Reload();
  EXPECT_EQ(value.ArgsCount(), 0);
  EXPECT_EQ(value.Value(), u"");
}

TEST(SizeToTextTest, BytesKilobytesMegabytesGigabytes) {
  const struct {
    std::uint32_t bytes;
    const char* expected;
  } cases[] = {
      {0, "0 bytes"},           {1023, "1023 bytes"},        {1024, "1.00 KB"},
      {1536, "1.50 KB"},        {1048575, "1024.00 KB"},     {1048576, "1.00 MB"},
      {1073741823, "1024.00 MB"}, {1073741824, "1.00 GB"},   {4294967295u, "4.00 GB"},
  };
  for (const auto& c : cases) EXPECT_EQ(U8(SizeToText(c.bytes)), c.expected) << c.bytes;
  EXPECT_EQ(U8(SizeToText(1536, u',')), "1,50 KB");
}

}  // namespace
}  // namespace ovalin
