#include "skin_logic/pointer_logic.h"

namespace ovalin::controls {

LabelClickPlan PlanLabelClick(bool isLink, bool hasOnCommand, std::u16string_view trimmedUrl) {
  LabelClickPlan plan;
  plan.callOnCommand = hasOnCommand;
  plan.openUrl = !trimmedUrl.empty() && !(isLink && hasOnCommand);
  return plan;
}

std::u16string TrimBlanks(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return std::u16string(text.substr(begin, end - begin));
}

bool NeedsOpenWithFallback(std::u16string_view address) {
  const std::size_t dot = address.find_last_of(u'.');
  if (dot == std::u16string_view::npos) return false;
  const std::u16string_view ext = address.substr(dot);
  if (ext.find_first_of(u"\\/") != std::u16string_view::npos || ext.size() != 4) return false;
  const char16_t upper[] = u".HTM";
  for (std::size_t i = 0; i < 4; ++i) {
    char16_t c = ext[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c != upper[i]) return false;
  }
  return true;
}

}  // namespace ovalin::controls
