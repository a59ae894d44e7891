// The texts by which the findings list explains one finding, in the current language:
// why the entry counts as broken (what was looked for and not found), the marker of
// entries of 32-bit programs, and the tooltip of a finding row.
#pragma once

#include <string>

#include "engine/scanned_item.h"
#include "localisation/app_strings.h"

namespace ovalin {

// "File not found: C:\x.dll", "Empty value", ...; empty for kNone.
std::u16string ReasonDisplayText(const TAppStrings& strings, const FindingReason& reason);

// The Type column of a finding row: the error code's text, marked when the entry
// belongs to the 32-bit programs' view.
std::u16string FindingTypeText(const TAppStrings& strings, const std::u16string& codeText,
                               bool wow32);

struct FindingTipFields {
  std::u16string_view path;
  std::u16string_view valueName;
  std::u16string_view value;
  const FindingReason& reason;
};

// The tooltip of a finding row: the whole key path, the value name ("(Default)" for the
// unnamed value), the value when there is one, and the reason; one line each, joined
// by CR LF. A line whose format does not fit its argument is left out.
std::u16string FindingTipText(const TAppStrings& strings, const FindingTipFields& fields);

}  // namespace ovalin
