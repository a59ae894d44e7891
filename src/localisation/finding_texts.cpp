#include "localisation/finding_texts.h"

#include <optional>

#include "localisation/checked_format.h"

namespace ovalin {

namespace {

// Tooltips show at most this many characters of one value: a REG_MULTI_SZ or binary
// value can be tens of thousands of characters long.
constexpr std::size_t kMaxValueChars = 260;

std::optional<std::u16string> Format(const std::u16string& format, std::u16string_view text) {
  return FormatChecked(format, {FormatArg::Text(std::u16string(text))});
}

// The text on one line (line breaks, tabs and NULs become blanks), cut after limit
// characters.
std::u16string OneLine(std::u16string_view text,
                       std::size_t limit = std::u16string_view::npos) {
  std::u16string line(text.substr(0, limit));
  for (char16_t& c : line) {
    if (c == u'\r' || c == u'\n' || c == u'\0' || c == u'\t') c = u' ';
  }
  if (text.size() > limit) line += u"...";
  return line;
}

}  // namespace

std::u16string ReasonDisplayText(const TAppStrings& strings, const FindingReason& reason) {
  const std::u16string subject = OneLine(reason.subject);
  std::optional<std::u16string> text;
  switch (reason.kind) {
    case ReasonKind::kNone: return {};
    case ReasonKind::kFileNotFound:
      text = Format(strings.STR_ZUNRCForm_Reason_FileNotFound, subject);
      break;
    case ReasonKind::kFolderNotFound:
      text = Format(strings.STR_ZUNRCForm_Reason_FolderNotFound, subject);
      break;
    case ReasonKind::kKeyNotFound:
      text = Format(strings.STR_ZUNRCForm_Reason_KeyNotFound, subject);
      break;
    case ReasonKind::kEmptyValue: return strings.STR_ZUNRCForm_Reason_EmptyValue;
    case ReasonKind::kEmptyKey: return strings.STR_ZUNRCForm_Reason_EmptyKey;
    case ReasonKind::kNotText: return strings.STR_ZUNRCForm_Reason_NotText;
  }
  return text.value_or(std::u16string());
}

std::u16string FindingTypeText(const TAppStrings& strings, const std::u16string& codeText,
                               bool wow32) {
  if (!wow32) return codeText;
  return Format(strings.STR_ZUNRCForm_Marker32Bit, codeText).value_or(codeText);
}

std::u16string FindingTipText(const TAppStrings& strings, const FindingTipFields& fields) {
  std::u16string tip;
  const auto add = [&tip](const std::optional<std::u16string>& line) {
    if (!line || line->empty()) return;
    if (!tip.empty()) tip += u"\r\n";
    tip += *line;
  };
  add(Format(strings.STR_ZUNRCForm_Hint_Key, OneLine(fields.path)));
  add(Format(strings.STR_ZUNRCForm_Hint_Name, fields.valueName.empty()
                                                  ? strings.STR_ZUNRCForm_Hint_DefaultValue
                                                  : OneLine(fields.valueName)));
  if (!fields.value.empty()) add(Format(strings.STR_ZUNRCForm_Hint_Value, OneLine(fields.value, kMaxValueChars)));
  add(ReasonDisplayText(strings, fields.reason));
  return tip;
}

}  // namespace ovalin
