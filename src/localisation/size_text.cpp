#include "localisation/size_text.h"

#include "localisation/checked_format.h"

namespace ovalin {

std::u16string SizeToText(std::uint32_t bytes, char16_t decimalSeparator) {
  constexpr std::uint32_t kKilo = 1024;
  constexpr std::uint32_t kMega = kKilo * 1024;
  constexpr std::uint32_t kGiga = kMega * 1024;
  std::optional<std::u16string> text;
  const long double n = bytes;
  if (bytes < kKilo) {
    text = FormatChecked(u"%d bytes", {FormatArg::Int64(bytes)});
  } else if (bytes < kMega) {
    text = FormatChecked(u"%0.2f KB", {FormatArg::Float(n / 1024)}, decimalSeparator);
  } else if (bytes < kGiga) {
    text = FormatChecked(u"%0.2f MB", {FormatArg::Float(n / 1024 / 1024)}, decimalSeparator);
  } else {
    text = FormatChecked(u"%0.2f GB", {FormatArg::Float(n / 1024 / 1024 / 1024)},
                         decimalSeparator);
  }
  return text.value_or(std::u16string());
}

}  // namespace ovalin
