#include "skin_logic/pointer_logic.h"

#include <gtest/gtest.h>

#include "skin_logic/label_look.h"
#include "skin_logic/modal_logic.h"

namespace ovalin::controls {
namespace {

TEST(ButtonPointer, HoverPressReleaseInsideClicks) {
  ButtonPointer p;
  p.Enter();
  EXPECT_TRUE(p.Hover());
  p.LeftDown();
  EXPECT_TRUE(p.Down());
  EXPECT_FALSE(p.Hover());
  EXPECT_TRUE(p.ButtonUp(true));
  EXPECT_TRUE(p.Hover());
  EXPECT_FALSE(p.Down());
}

TEST(ButtonPointer, ReleaseOutsideDoesNotClickAndReturnsToNormal) {
  ButtonPointer p;
  p.Enter();
  p.LeftDown();
  EXPECT_FALSE(p.Leave());  // leaving while pressed keeps the pressed look
  EXPECT_TRUE(p.Down());
  EXPECT_FALSE(p.MoveOutside(true));
  EXPECT_FALSE(p.ButtonUp(false));
  EXPECT_FALSE(p.Hover());
  EXPECT_FALSE(p.Down());
  EXPECT_TRUE(p.MoveOutside(false));
}

TEST(ButtonPointer, ReleaseWithoutPressOrAfterCancelDoesNotClick) {
  ButtonPointer p;
  EXPECT_FALSE(p.ButtonUp(true));
  p.LeftDown();
  p.Cancel();
  EXPECT_FALSE(p.ButtonUp(true));
}

TEST(ButtonPointer, KeyboardPressAndRelease) {
  ButtonPointer p;
  EXPECT_FALSE(p.KeyUp());
  p.KeyDown();
  EXPECT_TRUE(p.Down());
  EXPECT_TRUE(p.KeyUp());
  EXPECT_FALSE(p.Down());
}

TEST(LinkPointer, StatesWithoutMoveHandler) {
  LinkPointer p(false);
  EXPECT_TRUE(p.Enter());
  EXPECT_TRUE(p.Hover());
  EXPECT_EQ(p.Press(true), LinkPointer::PressResult::Pressed);
  EXPECT_TRUE(p.Down());
  EXPECT_FALSE(p.Hover());
  EXPECT_FALSE(p.Enter());  // no hover while pressed
  EXPECT_FALSE(p.MoveOutside(true));
  EXPECT_TRUE(p.Release(false));
  EXPECT_FALSE(p.Hover());
  EXPECT_FALSE(p.Down());
  EXPECT_EQ(p.Press(false), LinkPointer::PressResult::Ignored);
  p.Enter();
  p.Press(true);
  EXPECT_TRUE(p.Leave());
  EXPECT_FALSE(p.Down());
}

TEST(LinkPointer, MoveHandlerDragsAndIgnoresTheRest) {
  LinkPointer p(true);
  EXPECT_EQ(p.Press(true), LinkPointer::PressResult::DragWindow);
  EXPECT_FALSE(p.Enter());
  EXPECT_FALSE(p.Release(true));
  EXPECT_FALSE(p.MoveOutside(false));
  EXPECT_FALSE(p.Leave());
  EXPECT_FALSE(p.Hover());
}

TEST(LabelClick, OnCommandOverUrl) {
  struct Case {
    bool isLink;
    bool hasCommand;
    std::u16string url;
    bool callCommand;
    bool openUrl;
  } cases[] = {
      {true, true, u"https://example.org", true, false},
      {true, false, u"https://example.org", false, true},
      {true, false, u"", false, false},
      {false, true, u"https://example.org", true, true},
      {false, false, u"", false, false},
  };
  for (const Case& c : cases) {
    const LabelClickPlan plan = PlanLabelClick(c.isLink, c.hasCommand, c.url);
    EXPECT_EQ(plan.callOnCommand, c.callCommand);
    EXPECT_EQ(plan.openUrl, c.openUrl);
  }
}

TEST(LabelClick, HtmFallbackOnlyForHtmInAnyCase) {
  EXPECT_TRUE(NeedsOpenWithFallback(u"C:\\missing\\page.htm"));
  EXPECT_TRUE(NeedsOpenWithFallback(u"C:\\missing\\PAGE.HtM"));
  EXPECT_FALSE(NeedsOpenWithFallback(u"C:\\missing\\page.html"));
  EXPECT_FALSE(NeedsOpenWithFallback(u"C:\\missing.htm\\page"));
  EXPECT_FALSE(NeedsOpenWithFallback(u"page"));
  EXPECT_EQ(TrimBlanks(u"  \thttps://x \r\n"), u"https://x");
  EXPECT_EQ(TrimBlanks(u"   "), u"");
}

TEST(LabelLook, PlainAndLinkFontsAndColours) {
  EXPECT_EQ(PlainLabelLook(false, 0).font, LabelFontSlot::Font);
  EXPECT_EQ(PlainLabelLook(false, kfDisabled).font, LabelFontSlot::Disabled);
  EXPECT_EQ(PlainLabelLook(true, kfDisabled).font, LabelFontSlot::Font);

  LinkLookInput in;
  in.hover = true;
  EXPECT_EQ(LinkLabelLook(in).font, LabelFontSlot::Font);
  in.flags = kfMouseHover;
  EXPECT_EQ(LinkLabelLook(in).font, LabelFontSlot::Hover);
  in.visited = true;
  EXPECT_FALSE(LinkLabelLook(in).visitedColor);
  in.enableVisitedColor = true;
  EXPECT_TRUE(LinkLabelLook(in).visitedColor);

  LinkLookInput down;
  down.down = true;
  down.enableVisitedColor = true;  // pressed: visited colour whether visited or not
  down.flags = kfMouseDown;
  EXPECT_TRUE(LinkLabelLook(down).visitedColor);
  EXPECT_EQ(LinkLabelLook(down).font, LabelFontSlot::MouseDown);

  LinkLookInput normal;
  normal.enableVisitedColor = true;
  EXPECT_FALSE(LinkLabelLook(normal).visitedColor);
  normal.visited = true;
  EXPECT_TRUE(LinkLabelLook(normal).visitedColor);
}

TEST(ModalCentring, HalvesTruncateTowardZero) {
  EXPECT_EQ(CentreOver({100, 50, 880, 635}, {500, 300}), (TKelPoint{240, 192}));
  EXPECT_EQ(CentreOver({0, 0, 100, 100}, {201, 101}), (TKelPoint{-50, 0}));
}

}  // namespace
}  // namespace ovalin::controls
