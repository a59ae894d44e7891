// TKelMultiFontVars: binds program-wide font variables (32-bit font IDs) to the keys of
// the "FontPropertyIDs" section and remembers each variable's default font ID.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovalin {

class TKelMultiFontVars {
 public:
  // Binds the variable and records its present value as its default. Nothing happens
  // for an empty name or a variable that is already bound.
  void Add(std::int32_t& ioVariable, std::u16string_view AVariableName);
  int Count() const { return static_cast<int>(FVariableList.size()); }
  // The recorded default of a bound variable; 0 when it is not bound.
  std::int32_t GetDefaultValue(const std::int32_t& variable) const;
  // 0 for an index out of range.
  std::int32_t GetValue(int index) const;
  void SetValue(int index, std::int32_t value);
  std::u16string GetName(int index) const;

 private:
  bool InRange(int index) const { return index >= 0 && index < Count(); }

  std::vector<std::int32_t*> FVariableList;
  std::vector<std::int32_t> FVariableDefaultValueList;
  std::vector<std::u16string> FVariableName;
};

}  // namespace ovalin
