#include "skin_logic/text_layout.h"

#include <algorithm>

namespace ovalin::controls {

std::uint32_t ApplyTextTrimming(std::uint32_t flags, TKelTextTrimmingType value) {
  flags |= dt::kNoPrefix;
  switch (value) {
    case TKelTextTrimmingType::None:
    case TKelTextTrimmingType::Character:
    case TKelTextTrimmingType::Word:
      flags &= ~dt::kEllipsisBits;
      break;
    case TKelTextTrimmingType::EllipsisCharacter:
      flags |= dt::kEndEllipsis;
      break;
    case TKelTextTrimmingType::EllipsisWord:
      flags |= dt::kWordEllipsis;
      break;
    case TKelTextTrimmingType::EllipsisPath:
      flags |= dt::kPathEllipsis;
      break;
  }
  return flags;
}

std::uint32_t ApplyWordWrap(std::uint32_t flags, bool wordWrap) {
  if (wordWrap) return (flags & ~dt::kSingleLine) | dt::kWordBreak;
  return flags | dt::kSingleLine;
}

namespace {

enum class Vertical { Top, Middle, Bottom, Custom };
enum class Horizontal { Left, Center, Right };

struct Placement {
  Vertical vertical;
  Horizontal horizontal;
  bool customLeft;  // left is TextX
};

Placement PlacementOf(TKelAlignment a) {
  using A = TKelAlignment;
  switch (a) {
    case A::TopLeft: return {Vertical::Top, Horizontal::Left, false};
    case A::TopCenter: return {Vertical::Top, Horizontal::Center, false};
    case A::TopRight: return {Vertical::Top, Horizontal::Right, false};
    case A::MiddleLeft:
    case A::Left: return {Vertical::Middle, Horizontal::Left, false};
    case A::MiddleCenter:
    case A::Center: return {Vertical::Middle, Horizontal::Center, false};
    case A::MiddleRight:
    case A::Right: return {Vertical::Middle, Horizontal::Right, false};
    case A::BottomLeft: return {Vertical::Bottom, Horizontal::Left, false};
    case A::BottomCenter: return {Vertical::Bottom, Horizontal::Center, false};
    case A::BottomRight: return {Vertical::Bottom, Horizontal::Right, false};
    case A::Custom: return {Vertical::Custom, Horizontal::Left, true};
    case A::TopCustom: return {Vertical::Top, Horizontal::Left, true};
    case A::MiddleCustom: return {Vertical::Middle, Horizontal::Left, true};
    case A::BottomCustom: return {Vertical::Bottom, Horizontal::Left, true};
    case A::CustomLeft: return {Vertical::Custom, Horizontal::Left, false};
    case A::CustomCenter: return {Vertical::Custom, Horizontal::Center, false};
    case A::CustomRight: return {Vertical::Custom, Horizontal::Right, false};
  }
  return {Vertical::Top, Horizontal::Left, false};
}

}  // namespace

TextLayout CalcTextRect(const TextLayoutInput& in, const TextMeasurer& measure) {
  const Placement placement = PlacementOf(in.alignment);
  const std::uint32_t baseFlags = in.flags & ~dt::kAlignmentBits;

  // 1. Measure the text's height in the box the placement leaves for it.
  TKelRect box{0, 0, in.width, in.height};
  if (placement.customLeft) box.right -= in.textPoint.x;
  if (placement.vertical == Vertical::Custom) box.bottom -= in.textPoint.y;
  const int textHeight = measure(box, baseFlags).Height();

  // 2. Place it.
  TextLayout out;
  out.rect = {0, 0, in.width, in.height};
  out.flags = baseFlags;
  if (placement.horizontal == Horizontal::Center) out.flags |= dt::kCenter;
  if (placement.horizontal == Horizontal::Right) out.flags |= dt::kRight;
  if (placement.customLeft) out.rect.left = in.textPoint.x;

  const bool singleLine = !IsWordWrap(in.flags);
  switch (placement.vertical) {
    case Vertical::Top:
      break;
    case Vertical::Middle:
      if (singleLine) out.flags |= dt::kVCenter;
      else out.rect.top = std::max(0, (in.height - textHeight) / 2);
      break;
    case Vertical::Bottom:
      if (singleLine) out.flags |= dt::kBottom;
      else out.rect.top = std::max(0, in.height - textHeight);
      break;
    case Vertical::Custom:
      out.rect.top = in.textPoint.y;
      break;
  }

  // 3. Margins.
  out.rect.top = std::max(out.rect.top, in.margins);
  out.rect.left = std::max(out.rect.left, in.margins);
  out.rect.right -= in.margins;
  out.rect.bottom -= in.margins;
  return out;
}

int LabelAutoSizeLimit(int autoSizeMax, bool hasParent, int parentClientExtent, int offset) {
  if (autoSizeMax > 2) return autoSizeMax;
  if (autoSizeMax >= 0 && hasParent) return std::max(2, parentClientExtent - offset);
  return 65535;
}

namespace {

int Limited(int measured, int autoSizeMax) {
  return autoSizeMax > 2 ? std::min(measured, autoSizeMax - 2) : measured;
}

int ScreenLimit(int autoSizeMax, int screenExtent) {
  return autoSizeMax > 2 ? autoSizeMax : screenExtent;
}

}  // namespace

TKelSize LabelAutoSize(int autoSizeMaxWidth, int autoSizeMaxHeight, int widthLimit,
                       int heightLimit, std::uint32_t flags, const TextMeasurer& measure) {
  const TKelRect extent = measure({0, 0, widthLimit, heightLimit}, flags);
  const int w = Limited(std::max(2, extent.Width()), autoSizeMaxWidth);
  const int h = Limited(std::max(2, extent.Height()), autoSizeMaxHeight);
  return {w + 2, h + 2};
}

TKelSize TitleCaptionAutoSize(int autoSizeMaxWidth, int autoSizeMaxHeight, TKelSize screen,
                              std::uint32_t flags, const TextMeasurer& measure) {
  const TKelRect extent = measure(
      {0, 0, ScreenLimit(autoSizeMaxWidth, screen.width), ScreenLimit(autoSizeMaxHeight, screen.height)},
      flags);
  return {Limited(extent.Width(), autoSizeMaxWidth) + 2, Limited(extent.Height(), autoSizeMaxHeight) + 2};
}

TKelSize ButtonAutoSize(const TextLayoutInput& paintLayout, int autoSizeMaxWidth,
                        int autoSizeMaxHeight, TKelSize screen, const TextMeasurer& measure) {
  const TextLayout painted = CalcTextRect(paintLayout, measure);
  const TKelRect extent = measure(
      {0, 0, ScreenLimit(autoSizeMaxWidth, screen.width), ScreenLimit(autoSizeMaxHeight, screen.height)},
      painted.flags);
  const TKelRect united{std::min(painted.rect.left, extent.left), std::min(painted.rect.top, extent.top),
                        std::max(painted.rect.right, extent.right),
                        std::max(painted.rect.bottom, extent.bottom)};
  return {Limited(united.Width(), autoSizeMaxWidth) + 2, Limited(united.Height(), autoSizeMaxHeight) + 2};
}

}  // namespace ovalin::controls
