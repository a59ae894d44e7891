#include "localisation/dyn_string.h"

namespace ovalin {

void TKelDynString::Reload() {
  FArgs.clear();
  FFormat = nullptr;
}

void TKelDynString::Reload(const std::u16string& format) {
  Reload();
  if (!format.empty()) FFormat = &format;
}

void TKelDynString::Reload(const std::u16string& format, std::vector<Arg> args) {
  Reload(format);
  FArgs = std::move(args);
}

void TKelDynString::ReloadString(std::u16string text) {
  Reload(FConstString, {FormatArg::Text(std::move(text))});
}

void TKelDynString::ReloadDecimal(std::int32_t value) {
  Reload(FConstDecimal, {FormatArg::Int(value)});
}

void TKelDynString::ReloadHex(std::int32_t value) {
  Reload(FConstHex, {FormatArg::Int(value)});
}

std::u16string TKelDynString::Value() const {
  std::u16string format = Format();
  if (FArgs.empty()) return format;
  if (format.empty()) return {};
  std::vector<FormatArg> args;
  args.reserve(FArgs.size());
  for (const Arg& arg : FArgs) {
    if (arg.ref != nullptr && !arg.ref->empty()) {
      args.push_back(FormatArg::Text(*arg.ref));
    } else {
      args.push_back(arg.value);
    }
  }
  return FormatChecked(format, args, decimalSeparator_).value_or(std::u16string());
}

}  // namespace ovalin
