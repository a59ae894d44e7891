// Enumerations and small geometry types shared by the skinned labels, buttons and the
// title bar, in portable form so that their layout arithmetic builds and is tested on
// every platform. The text flags carry the values of the Windows DrawText flags.
#pragma once

#include <cstdint>

namespace ovalin::controls {

enum class TKelTextTrimmingType { None, Character, Word, EllipsisCharacter, EllipsisWord, EllipsisPath };

// Placement of a caption or a picture inside its control, in this order.
enum class TKelAlignment {
  TopLeft, TopCenter, TopRight,
  MiddleLeft, MiddleCenter, MiddleRight,
  BottomLeft, BottomCenter, BottomRight,
  Center, Left, Right,
  Custom, TopCustom, MiddleCustom, BottomCustom,
  CustomLeft, CustomCenter, CustomRight,
};

// The states that may have a font of their own (a set of these bits).
enum TKelMultiFontsFlag : std::uint32_t {
  kfMouseHover = 0x01,
  kfMouseDown = 0x02,
  kfDisabled = 0x04,
  kfFocused = 0x08,
  kfSelected = 0x10,
  kfChecked = 0x20,
  kfReadOnly = 0x40,
};
using TKelMultiFontsFlags = std::uint32_t;

// Text drawing flags (the values of DrawText's DT_ constants).
namespace dt {
constexpr std::uint32_t kCenter = 0x1;
constexpr std::uint32_t kRight = 0x2;
constexpr std::uint32_t kVCenter = 0x4;
constexpr std::uint32_t kBottom = 0x8;
constexpr std::uint32_t kWordBreak = 0x10;
constexpr std::uint32_t kSingleLine = 0x20;
constexpr std::uint32_t kExpandTabs = 0x40;
constexpr std::uint32_t kCalcRect = 0x400;
constexpr std::uint32_t kNoPrefix = 0x800;
constexpr std::uint32_t kEditControl = 0x2000;
constexpr std::uint32_t kPathEllipsis = 0x4000;
constexpr std::uint32_t kEndEllipsis = 0x8000;
constexpr std::uint32_t kModifyString = 0x10000;
constexpr std::uint32_t kWordEllipsis = 0x40000;
constexpr std::uint32_t kAlignmentBits = kCenter | kRight | kVCenter | kBottom;
constexpr std::uint32_t kEllipsisBits = kPathEllipsis | kEndEllipsis | kWordEllipsis;
// Labels and buttons start with these.
constexpr std::uint32_t kDefaultLabelFlags =
    kWordBreak | kExpandTabs | kEditControl | kEndEllipsis | kWordEllipsis;  // 0x4A050
// Title-bar captions add DT_MODIFYSTRING.
constexpr std::uint32_t kDefaultTitleFlags = kDefaultLabelFlags | kModifyString;  // 0x5A050
}  // namespace dt

struct TKelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TKelPoint& a, const TKelPoint& b) { return a.x == b.x && a.y == b.y; }
};

struct TKelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const TKelSize& a, const TKelSize& b) {
    return a.width == b.width && a.height == b.height;
  }
};

struct TKelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const TKelRect& a, const TKelRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

}  // namespace ovalin::controls
