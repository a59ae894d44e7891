#include "localisation/multi_language_vars.h"

#include <algorithm>

#include "engine/text_utils.h"

namespace ovalin {

void TKelMultiLanguageVars::Add(std::u16string& ioVariable, std::u16string_view AVariableName) {
  if (AVariableName.empty()) return;
  if (std::find(FVariableList.begin(), FVariableList.end(), &ioVariable) != FVariableList.end()) {
    return;
  }
  FVariableList.push_back(&ioVariable);
  FDefaultValueList.push_back(ioVariable);
  FVariableName.emplace_back(AVariableName);
}

std::u16string TKelMultiLanguageVars::GetValue(int index) const {
  return InRange(index) ? *FVariableList[static_cast<std::size_t>(index)] : std::u16string();
}

void TKelMultiLanguageVars::SetValue(int index, std::u16string value) {
  if (InRange(index)) *FVariableList[static_cast<std::size_t>(index)] = std::move(value);
}

std::u16string TKelMultiLanguageVars::GetName(int index) const {
  return InRange(index) ? FVariableName[static_cast<std::size_t>(index)] : std::u16string();
}

std::u16string TKelMultiLanguageVars::GetDefaultValue(int index) const {
  return InRange(index) ? FDefaultValueList[static_cast<std::size_t>(index)] : std::u16string();
}

std::u16string* TKelMultiLanguageVars::FindVariable(std::u16string_view name) const {
  for (std::size_t i = 0; i < FVariableName.size(); ++i) {
    if (StrSameText(FVariableName[i], name)) return FVariableList[i];
  }
  return nullptr;
}

}  // namespace ovalin
