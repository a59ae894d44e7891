#include "skin_logic/text_layout.h"

#include <gtest/gtest.h>

#include "controls/fake_measurer.h"

namespace ovalin::controls {
namespace {

using testing::FakeMeasurer;
using A = TKelAlignment;

TEST(TextFlags, TrimmingAddsNoPrefixAndSelectsEllipsis) {
  struct Case {
    TKelTextTrimmingType type;
    std::uint32_t before;
    std::uint32_t after;
  } cases[] = {
      {TKelTextTrimmingType::None, dt::kDefaultLabelFlags,
       (dt::kDefaultLabelFlags | dt::kNoPrefix) & ~dt::kEllipsisBits},
      {TKelTextTrimmingType::Word, dt::kDefaultLabelFlags | dt::kPathEllipsis,
       (dt::kDefaultLabelFlags | dt::kNoPrefix) & ~dt::kEllipsisBits},
      {TKelTextTrimmingType::EllipsisCharacter, dt::kWordBreak, dt::kWordBreak | dt::kNoPrefix | dt::kEndEllipsis},
      {TKelTextTrimmingType::EllipsisWord, dt::kWordBreak, dt::kWordBreak | dt::kNoPrefix | dt::kWordEllipsis},
      // An ellipsis set earlier stays set.
      {TKelTextTrimmingType::EllipsisPath, dt::kEndEllipsis,
       dt::kEndEllipsis | dt::kNoPrefix | dt::kPathEllipsis},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyTextTrimming(c.before, c.type), c.after) << static_cast<int>(c.type);
  }
}

TEST(TextFlags, WordWrapSwitchesSingleLine) {
  EXPECT_EQ(dt::kDefaultLabelFlags, 0x4A050u);
  EXPECT_TRUE(IsWordWrap(dt::kDefaultLabelFlags));
  const std::uint32_t single = ApplyWordWrap(dt::kDefaultLabelFlags, false);
  EXPECT_FALSE(IsWordWrap(single));
  EXPECT_EQ(single, dt::kDefaultLabelFlags | dt::kSingleLine);
  EXPECT_EQ(ApplyWordWrap(dt::kSingleLine, true), dt::kWordBreak);
}

// A 120 x 39 box (three lines high), a caption of one 13-pixel line.
TEST(CalcTextRect, PlacementTableWithWordWrap) {
  struct Case {
    A alignment;
    std::uint32_t hflag;
    int top;
    int left;
  } cases[] = {
      {A::TopLeft, 0, 0, 0},           {A::TopCenter, dt::kCenter, 0, 0},
      {A::TopRight, dt::kRight, 0, 0}, {A::MiddleLeft, 0, 13, 0},
      {A::Left, 0, 13, 0},             {A::MiddleCenter, dt::kCenter, 13, 0},
      {A::Center, dt::kCenter, 13, 0}, {A::MiddleRight, dt::kRight, 13, 0},
      {A::Right, dt::kRight, 13, 0},   {A::BottomLeft, 0, 26, 0},
      {A::BottomCenter, dt::kCenter, 26, 0}, {A::BottomRight, dt::kRight, 26, 0},
      {A::Custom, 0, 5, 7},            {A::TopCustom, 0, 0, 7},
      {A::MiddleCustom, 0, 13, 7},     {A::BottomCustom, 0, 26, 7},
      {A::CustomLeft, 0, 5, 0},        {A::CustomCenter, dt::kCenter, 5, 0},
      {A::CustomRight, dt::kRight, 5, 0},
  };
  for (const Case& c : cases) {
    TextLayoutInput in;
    in.width = 120;
    in.height = 39;
    in.flags = dt::kDefaultLabelFlags | dt::kVCenter | dt::kRight;  // stale bits are removed
    in.alignment = c.alignment;
    in.textPoint = {7, 5};
    const TextLayout out = CalcTextRect(in, FakeMeasurer("Scan"));
    SCOPED_TRACE(static_cast<int>(c.alignment));
    EXPECT_EQ(out.flags, dt::kDefaultLabelFlags | c.hflag);
    EXPECT_EQ(out.rect, (TKelRect{c.left, c.top, 120, 39}));
  }
}

TEST(CalcTextRect, SingleLineUsesVerticalFlags) {
  struct Case {
    A alignment;
    std::uint32_t flags;
  } cases[] = {
      {A::MiddleLeft, dt::kVCenter},
      {A::Center, dt::kVCenter | dt::kCenter},
      {A::BottomRight, dt::kBottom | dt::kRight},
      {A::TopLeft, 0},
      {A::MiddleCustom, dt::kVCenter},
  };
  const std::uint32_t single = ApplyWordWrap(dt::kDefaultLabelFlags, false);
  for (const Case& c : cases) {
    TextLayoutInput in;
    in.width = 120;
    in.height = 39;
    in.flags = single;
    in.alignment = c.alignment;
    const TextLayout out = CalcTextRect(in, FakeMeasurer("Scan"));
    EXPECT_EQ(out.flags, single | c.flags) << static_cast<int>(c.alignment);
    EXPECT_EQ(out.rect.top, 0);
  }
}

TEST(CalcTextRect, TwoWrappedLinesInThreeLinesStartHalfALineDown) {
  TextLayoutInput in;
  in.width = 60;  // ten characters a line
  in.height = 39;
  in.alignment = A::MiddleLeft;
  const TextLayout out = CalcTextRect(in, FakeMeasurer("Registry cleaner"));
  EXPECT_EQ(out.rect.top, (39 - 26) / 2);  // 6: half a line, truncated
}

TEST(CalcTextRect, TextTallerThanTheBoxStartsAtTheTop) {
  TextLayoutInput in;
  in.width = 30;
  in.height = 13;
  in.alignment = A::BottomLeft;
  EXPECT_EQ(CalcTextRect(in, FakeMeasurer("aaaa bbbb cccc")).rect.top, 0);
}

TEST(CalcTextRect, CustomPlacementsMeasureInTheReducedBox) {
  TKelRect measured;
  auto spy = [&measured](const TKelRect& box, std::uint32_t) {
    measured = box;
    return TKelRect{0, 0, 10, 13};
  };
  TextLayoutInput in;
  in.width = 100;
  in.height = 50;
  in.textPoint = {30, 20};
  in.alignment = A::Custom;
  CalcTextRect(in, spy);
  EXPECT_EQ(measured, (TKelRect{0, 0, 70, 30}));
  in.alignment = A::MiddleCustom;
  CalcTextRect(in, spy);
  EXPECT_EQ(measured, (TKelRect{0, 0, 70, 50}));
  in.alignment = A::CustomRight;
  CalcTextRect(in, spy);
  EXPECT_EQ(measured, (TKelRect{0, 0, 100, 30}));
}

TEST(CalcTextRect, MarginsInsetEverySide) {
  TextLayoutInput in;
  in.width = 100;
  in.height = 40;
  in.margins = 4;
  in.alignment = A::Custom;
  in.textPoint = {2, 9};
  const TextLayout out = CalcTextRect(in, FakeMeasurer("x"));
  EXPECT_EQ(out.rect, (TKelRect{4, 9, 96, 36}));
}

TEST(LabelAutoSize, LimitFromMaxValueParentOrNone) {
  struct Case {
    int max;
    bool parent;
    int expected;
  } cases[] = {
      {400, true, 400}, {3, false, 3}, {0, true, 280}, {1, true, 280}, {2, true, 280},
      {0, false, 65535}, {-1, true, 65535},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LabelAutoSizeLimit(c.max, c.parent, 300, 20), c.expected) << c.max;
  }
  EXPECT_EQ(LabelAutoSizeLimit(0, true, 10, 20), 2);
}

TEST(LabelAutoSize, WrapsAtTheParentEdgeWithMaxWidthZero) {
  const std::string words = "aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn";
  const int limit = LabelAutoSizeLimit(0, true, 300, 20);
  const TKelSize size = LabelAutoSize(0, 0, limit, 65535, dt::kDefaultLabelFlags, FakeMeasurer(words));
  EXPECT_LE(size.width, 280 + 2);
  EXPECT_EQ(size.height, 2 * testing::kLineHeight + 2);
}

TEST(LabelAutoSize, MaxWidth400LimitsWidthAndGrowsHeight) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word ";
  const TKelSize size = LabelAutoSize(400, -1, 400, 65535, dt::kDefaultLabelFlags, FakeMeasurer(text));
  EXPECT_LE(size.width, 400);
  EXPECT_EQ(size.height, 4 * testing::kLineHeight + 2);  // 200 characters, 66 a line
}

TEST(LabelAutoSize, MaxHeightLimitsAndEmptyCaptionKeepsTwoPixels) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word ";
  EXPECT_EQ(LabelAutoSize(400, 20, 400, 20, dt::kDefaultLabelFlags, FakeMeasurer(text)).height, 20);
  EXPECT_EQ(LabelAutoSize(0, 0, 100, 100, dt::kDefaultLabelFlags, FakeMeasurer("")),
            (TKelSize{4, 15}));
}

TEST(TitleCaptionAutoSize, MaxWidth100IsHundredWide) {
  const std::uint32_t single = ApplyWordWrap(dt::kDefaultTitleFlags, false);
  const TKelSize screen{1280, 1024};
  EXPECT_EQ(TitleCaptionAutoSize(100, 0, screen, single, FakeMeasurer(std::string(40, 'x'))),
            (TKelSize{100, testing::kLineHeight + 2}));
  EXPECT_EQ(TitleCaptionAutoSize(0, 0, screen, single, FakeMeasurer("Registry")),
            (TKelSize{8 * testing::kCharWidth + 2, testing::kLineHeight + 2}));
}

TEST(ButtonAutoSize, UnitesThePaintedRectangleWithTheExtent) {
  TextLayoutInput in;
  in.width = 40;
  in.height = 20;
  in.flags = ApplyWordWrap(dt::kDefaultLabelFlags, false);
  in.alignment = A::Center;
  const TKelSize screen{1280, 1024};
  // A caption wider than the button widens it; a short one keeps the painted box.
  EXPECT_EQ(ButtonAutoSize(in, 0, 0, screen, FakeMeasurer(std::string(20, 'x'))), (TKelSize{122, 22}));
  EXPECT_EQ(ButtonAutoSize(in, 0, 0, screen, FakeMeasurer("OK")), (TKelSize{42, 22}));
  EXPECT_EQ(ButtonAutoSize(in, 60, 0, screen, FakeMeasurer(std::string(20, 'x'))), (TKelSize{60, 22}));
}

}  // namespace
}  // namespace ovalin::controls
