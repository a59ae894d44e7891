// Caption layout of the skinned labels and buttons: the text flags that trimming and
// word wrap select, the placement of the caption in one of nineteen alignments, and the
// auto-size arithmetic of labels, buttons and title-bar captions. Text is measured
// through a callback so that the same arithmetic runs over GDI and over a test double.
#pragma once

#include <cstdint>
#include <functional>

#include "skin_logic/kel_types.h"

namespace ovalin::controls {

// Measures the caption in box with flags as DrawText with DT_CALCRECT does: returns the
// rectangle the text occupies (its left and top are those of box).
using TextMeasurer = std::function<TKelRect(const TKelRect& box, std::uint32_t flags)>;

// The flags after the trimming type changed to value (only call it on a change).
std::uint32_t ApplyTextTrimming(std::uint32_t flags, TKelTextTrimmingType value);
std::uint32_t ApplyWordWrap(std::uint32_t flags, bool wordWrap);
inline bool IsWordWrap(std::uint32_t flags) { return (flags & dt::kSingleLine) == 0; }

struct TextLayoutInput {
  int width = 0;   // the control's client size
  int height = 0;
  std::uint32_t flags = dt::kDefaultLabelFlags;
  TKelAlignment alignment = TKelAlignment::TopLeft;
  TKelPoint textPoint;  // offsets of the Custom placements
  int margins = 0;
};

struct TextLayout {
  TKelRect rect;
  std::uint32_t flags = 0;
};

// The rectangle and flags to draw the caption with.
TextLayout CalcTextRect(const TextLayoutInput& input, const TextMeasurer& measure);

// Limit of the auto-size measuring box from AutoSizeMaxWidth (or -Height): the value when
// above 2; for 0..2 with a parent, max(2, parent's client extent - the label's offset);
// 65535 when negative or without a parent.
int LabelAutoSizeLimit(int autoSizeMax, bool hasParent, int parentClientExtent, int offset);

// Size of an auto-sized label: the caption's extent within the limits, each side at
// least 2 and at most AutoSizeMax - 2 (when above 2), plus 2.
TKelSize LabelAutoSize(int autoSizeMaxWidth, int autoSizeMaxHeight, int widthLimit,
                       int heightLimit, std::uint32_t flags, const TextMeasurer& measure);

// Size of an auto-sized title-bar caption (limits from the screen when AutoSizeMax <= 2).
TKelSize TitleCaptionAutoSize(int autoSizeMaxWidth, int autoSizeMaxHeight, TKelSize screen,
                              std::uint32_t flags, const TextMeasurer& measure);

// Size of an auto-sized button: the painted caption rectangle united with the caption's
// extent, limited as the title-bar captions are.
TKelSize ButtonAutoSize(const TextLayoutInput& paintLayout, int autoSizeMaxWidth,
                        int autoSizeMaxHeight, TKelSize screen, const TextMeasurer& measure);

}  // namespace ovalin::controls
