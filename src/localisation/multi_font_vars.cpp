#include "localisation/multi_font_vars.h"

#include <algorithm>

namespace ovalin {

void TKelMultiFontVars::Add(std::int32_t& ioVariable, std::u16string_view AVariableName) {
  if (AVariableName.empty()) return;
  if (std::find(FVariableList.begin(), FVariableList.end(), &ioVariable) != FVariableList.end()) {
    return;
  }
  FVariableList.push_back(&ioVariable);
  FVariableDefaultValueList.push_back(ioVariable);
  FVariableName.emplace_back(AVariableName);
}

std::int32_t TKelMultiFontVars::GetDefaultValue(const std::int32_t& variable) const {
  for (std::size_t i = 0; i < FVariableList.size(); ++i) {
    if (FVariableList[i] == &variable) return FVariableDefaultValueList[i];
  }
  return 0;
}

std::int32_t TKelMultiFontVars::GetValue(int index) const {
  return InRange(index) ? *FVariableList[static_cast<std::size_t>(index)] : 0;
}

void TKelMultiFontVars::SetValue(int index, std::int32_t value) {
  if (InRange(index)) *FVariableList[static_cast<std::size_t>(index)] = value;
}

std::u16string TKelMultiFontVars::GetName(int index) const {
  return InRange(index) ? FVariableName[static_cast<std::size_t>(index)] : std::u16string();
}

}  // namespace ovalin
