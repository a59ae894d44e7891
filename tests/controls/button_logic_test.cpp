#include "skin_logic/button_logic.h"

#include <gtest/gtest.h>

namespace ovalin::controls {
namespace {

using A = TKelAlignment;
using P = ButtonPictureSlot;

TEST(ButtonPicture, StateOrderAndFallbackToNormal) {
  const std::array<bool, 4> all{true, true, true, true};
  const std::array<bool, 4> onlyNormal{true, false, false, false};
  struct Case {
    ButtonVisualState state;
    P withAll;
  } cases[] = {
      {{true, false, false}, P::Normal},
      {{true, false, true}, P::MouseHover},
      {{true, true, false}, P::MouseDown},
      {{true, true, true}, P::MouseDown},
      {{false, true, true}, P::Disabled},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SelectButtonPicture(c.state, all), c.withAll);
    EXPECT_EQ(SelectButtonPicture(c.state, onlyNormal), P::Normal);
  }
}

TEST(ButtonFont, OnlyWithMultiFonts) {
  EXPECT_EQ(SelectButtonFont({false, true, true}, false), ButtonFontSlot::Font);
  EXPECT_EQ(SelectButtonFont({false, true, true}, true), ButtonFontSlot::Disabled);
  EXPECT_EQ(SelectButtonFont({true, true, true}, true), ButtonFontSlot::MouseDown);
  EXPECT_EQ(SelectButtonFont({true, false, true}, true), ButtonFontSlot::MouseHover);
  EXPECT_EQ(SelectButtonFont({true, false, false}, true), ButtonFontSlot::Font);
}

// A 25 x 15 picture in a 100 x 40 button, custom point (7, 3).
TEST(PicturePlacement, Table) {
  struct Case {
    A alignment;
    int left;
    int top;
  } cases[] = {
      {A::TopLeft, 0, 0},        {A::TopCenter, 37, 0},     {A::TopRight, 75, 0},
      {A::MiddleLeft, 0, 12},    {A::Left, 0, 12},          {A::MiddleCenter, 37, 12},
      {A::Center, 37, 12},       {A::MiddleRight, 75, 12},  {A::Right, 75, 12},
      {A::BottomLeft, 0, 25},    {A::BottomCenter, 37, 25}, {A::BottomRight, 75, 25},
      {A::Custom, 7, 3},         {A::TopCustom, 7, 0},      {A::MiddleCustom, 7, 12},
      {A::BottomCustom, 7, 25},  {A::CustomLeft, 0, 3},     {A::CustomCenter, 37, 3},
      {A::CustomRight, 75, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlacePicture(c.alignment, {100, 40}, {25, 15}, {7, 3}, 0, false),
              (TKelRect{c.left, c.top, c.left + 25, c.top + 15}))
        << static_cast<int>(c.alignment);
  }
}

TEST(PicturePlacement, MarginsAndStretchAndLargerPictures) {
  EXPECT_EQ(PlacePicture(A::TopLeft, {100, 40}, {25, 15}, {}, 4, false), (TKelRect{4, 4, 29, 19}));
  EXPECT_EQ(PlacePicture(A::BottomRight, {100, 40}, {25, 15}, {}, 4, false), (TKelRect{75, 25, 100, 40}));
  EXPECT_EQ(PlacePicture(A::Center, {100, 40}, {25, 15}, {}, 3, true), (TKelRect{3, 3, 97, 37}));
  // A picture larger than the button: the centred offset truncates toward zero, then the
  // margin clamps it.
  EXPECT_EQ(PlacePicture(A::Center, {20, 20}, {25, 25}, {}, 0, false), (TKelRect{0, 0, 25, 25}));
}

TEST(ButtonBorder, BothStyles) {
  using B = ButtonBorder;
  const ButtonVisualState normal{true, false, false}, hover{true, false, true},
      down{true, true, false}, disabled{false, false, false};
  EXPECT_EQ(SelectButtonBorder(TKelImageButtonStyle::WinFlat, normal), B::None);
  EXPECT_EQ(SelectButtonBorder(TKelImageButtonStyle::WinFlat, hover), B::Raised);
  EXPECT_EQ(SelectButtonBorder(TKelImageButtonStyle::WinFlat, down), B::Sunken);
  EXPECT_EQ(SelectButtonBorder(TKelImageButtonStyle::WinFlat, disabled), B::None);
  EXPECT_EQ(SelectButtonBorder(TKelImageButtonStyle::WinNormal, normal), B::Raised);
  EXPECT_EQ(SelectButtonBorder(TKelImageButtonStyle::WinNormal, hover), B::Raised);
  EXPECT_EQ(SelectButtonBorder(TKelImageButtonStyle::WinNormal, down), B::Frame);
  EXPECT_EQ(SelectButtonBorder(TKelImageButtonStyle::WinNormal, disabled), B::Sunken);
}

TEST(ButtonStyle, MarginsFromBorderAndFocus) {
  EXPECT_EQ(StyleMargins(true, true), 4);
  EXPECT_EQ(StyleMargins(true, false), 2);
  EXPECT_EQ(StyleMargins(false, true), 2);
  EXPECT_EQ(StyleMargins(false, false), 0);
}

TEST(DialogKeys, EnterClicksTheActiveEscapeTheCancelButton) {
  const KeyModifiers none, shift{true, false, false}, alt{false, false, true};
  EXPECT_TRUE(DialogKeyClicks(true, false, none, true, false, true));
  EXPECT_FALSE(DialogKeyClicks(true, false, none, false, true, true));
  EXPECT_TRUE(DialogKeyClicks(false, true, none, false, true, true));
  EXPECT_FALSE(DialogKeyClicks(false, true, none, true, false, true));
  EXPECT_FALSE(DialogKeyClicks(true, false, shift, true, false, true));
  EXPECT_FALSE(DialogKeyClicks(false, true, alt, false, true, true));
  EXPECT_FALSE(DialogKeyClicks(true, false, none, true, false, false));  // cannot take focus
}

TEST(DialogKeys, ActiveFollowsTheFocusedSkinnedButton) {
  // Focus on this skinned button, on another skinned button, on something else.
  EXPECT_TRUE(ButtonIsActive(true, true, false));
  EXPECT_FALSE(ButtonIsActive(true, false, true));
  EXPECT_TRUE(ButtonIsActive(false, false, true));
  EXPECT_FALSE(ButtonIsActive(false, false, false));
}

}  // namespace
}  // namespace ovalin::controls
