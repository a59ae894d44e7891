// TKelMultiLanguageVars: binds program-wide string variables to the keys of the
// "StringRes" section of a language pack and remembers each variable's built-in text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ovalin {

class TKelMultiLanguageVars {
 public:
  // Appends a binding and records the variable's present text as its default. Nothing
  // happens for an empty key name or a variable that is already bound.
  void Add(std::u16string& ioVariable, std::u16string_view AVariableName);
  int Count() const { return static_cast<int>(FVariableList.size()); }
  // Empty for an index out of range.
  std::u16string GetValue(int index) const;
  void SetValue(int index, std::u16string value);
  // Empty for an index out of range.
  std::u16string GetName(int index) const;
  // The text the variable held when it was bound; empty out of range.
  std::u16string GetDefaultValue(int index) const;
  // The variable bound to the key (first match, ASCII case ignored), or nullptr.
  std::u16string* FindVariable(std::u16string_view name) const;

 private:
  bool InRange(int index) const { return index >= 0 && index < Count(); }

  std::vector<std::u16string*> FVariableList;
  std::vector<std::u16string> FDefaultValueList;
  std::vector<std::u16string> FVariableName;
};

}  // namespace ovalin
