#include "localisation/checked_format.h"

#include <gtest/gtest.h>

#include "localisation/int_text.h"
#include "support/test_platform.h"

namespace ovalin {
namespace {

using testing::U8;

TEST(ParseIntegerTest, DecimalAndPrefixedHexadecimalWithinTheType) {
  const struct {
    const char16_t* text;
    std::optional<std::int32_t> expected;
  } cases[] = {
      {u"0", 0},           {u"-5", -5},         {u"+7", 7},          {u"  42", 42},
      {u"0x1F", 31},       {u"0X1f", 31},       {u"$ff", 255},       {u"-$10", -16},
      {u"2147483647", 2147483647}, {u"-2147483648", -2147483647 - 1},
      {u"2147483648", std::nullopt}, {u"0xFFFFFFFF", -1}, {u"0x100000000", std::nullopt},
      {u"", std::nullopt}, {u"-", std::nullopt}, {u"0x", std::nullopt}, {u"$", std::nullopt},
      {u"12 ", std::nullopt}, {u"1.5", std::nullopt}, {u"x10", std::nullopt},
      {u"\uFF11", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInt32(c.text), c.expected) << U8(c.text);
  EXPECT_EQ(ParseInt64(u"133500000000000000"), 133500000000000000LL);
  EXPECT_EQ(ParseInt64(u"9223372036854775808"), std::nullopt);
  EXPECT_EQ(ParseInt64(u"-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(ParseInt64(u"0xFFFFFFFFFFFFFFFF"), -1);
}

TEST(CheckedFormatTest, PlaceholdersThatFitTheirArguments) {
  const struct {
    const char16_t* format;
    std::vector<FormatArg> args;
    const char16_t* expected;
  } cases[] = {
      {u"About %s", {FormatArg::Text(u"Ovalin")}, u"About Ovalin"},
      {u"%d items", {FormatArg::Int(-5)}, u"-5 items"},
      {u"%D/%S", {FormatArg::Int(1), FormatArg::Text(u"x")}, u"1/x"},
      {u"%X", {FormatArg::Int(255)}, u"FF"},
      {u"%x", {FormatArg::Int(-1)}, u"FFFFFFFF"},
      {u"%x", {FormatArg::Int64(-1)}, u"FFFFFFFFFFFFFFFF"},
      {u"%u", {FormatArg::Int(-1)}, u"4294967295"},
      {u"%0.2f KB", {FormatArg::Float(1.5)}, u"1.50 KB"},
      {u"%f", {FormatArg::Float(2.0 / 3)}, u"0.67"},
      {u"%.0f", {FormatArg::Float(2.5)}, u"2"},
      {u"%5d|%-5d|%.3d", {FormatArg::Int(42), FormatArg::Int(42), FormatArg::Int(-7)},
       u"   42|42   |-007"},
      {u"%6s|%-6s|%.2s", {FormatArg::Text(u"ab"), FormatArg::Text(u"ab"), FormatArg::Text(u"abc")},
       u"    ab|ab    |ab"},
      {u"100%% done", {FormatArg::Int(1)}, u"100% done"},
      {u"no placeholder", {}, u"no placeholder"},
      {u"extra %d", {FormatArg::Int(1), FormatArg::Int(2)}, u"extra 1"},
      {u"%s", {FormatArg::Text(std::u16string(u"a\0b", 3))}, u"a"},  // compared by U8 below
  };
  for (const auto& c : cases) {
    const auto result = FormatChecked(c.format, c.args);
    ASSERT_TRUE(result.has_value()) << U8(c.format);
    if (std::u16string_view(c.format) == u"%s") {
      EXPECT_EQ(*result, std::u16string(u"a\0b", 3));
    } else {
      EXPECT_EQ(U8(*result), U8(c.expected)) << U8(c.format);
    }
  }
  EXPECT_EQ(FormatChecked(u"%0.2f", {FormatArg::Float(1.005L * 1000)}, u','), u"1005,00");
}

TEST(CheckedFormatTest, EveryMismatchGivesNothing) {
  const struct {
    const char16_t* format;
    std::vector<FormatArg> args;
  } cases[] = {
      {u"%s", {FormatArg::Int(1)}},
      {u"%d", {FormatArg::Text(u"1")}},
      {u"%d", {FormatArg::Float(1)}},
      {u"%f", {FormatArg::Int(1)}},
      {u"%s", {FormatArg::Unresolved()}},
      {u"%d and %d", {FormatArg::Int(1)}},
      {u"%s", {}},
      {u"%n", {FormatArg::Int(1)}},
      {u"%p", {FormatArg::Int(1)}},
      {u"%e", {FormatArg::Float(1)}},
      {u"%1:s", {FormatArg::Text(u"a")}},
      {u"%*d", {FormatArg::Int(3), FormatArg::Int(1)}},
      {u"%999999d", {FormatArg::Int(1)}},
      {u"%.999999f", {FormatArg::Float(1)}},
      {u"%1025s", {FormatArg::Text(u"a")}},
      {u"trailing %", {FormatArg::Int(1)}},
      {u"%-", {FormatArg::Int(1)}},
      {u"%ls", {FormatArg::Text(u"a")}},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(FormatChecked(c.format, c.args).has_value()) << U8(c.format);
  }
}

TEST(CheckedFormatTest, LargeButAllowedWidthsAndHugeValues) {
  EXPECT_EQ(FormatChecked(u"%1024d", {FormatArg::Int(1)})->size(), 1024u);
  EXPECT_EQ(FormatChecked(u"%f", {FormatArg::Float(1e308)})->size(), 312u);
  EXPECT_EQ(FormatChecked(u"%d", {FormatArg::Int64(INT64_MIN)}), u"-9223372036854775808");
  const std::u16string big(100000, u'%');
  EXPECT_EQ(FormatChecked(big, {})->size(), 50000u);
}

}  // namespace
}  // namespace ovalin
