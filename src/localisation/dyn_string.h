// TKelDynString: a formatted text that is produced again on every read, from the present
// text of its format variable and its own copies of the arguments. An argument may refer
// to a string variable, which is also read anew each time, so the text follows changes
// of language without being rebuilt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "localisation/checked_format.h"

namespace ovalin {

class TKelDynString {
 public:
  // One argument: a value (copied) or a reference to a string variable (the caller
  // keeps the variable alive).
  struct Arg {
    Arg(FormatArg v) : value(std::move(v)) {}  // NOLINT: implicit by design
    static Arg Ref(const std::u16string& variable) {
      Arg arg(FormatArg::Unresolved());
      arg.ref = &variable;
      return arg;
    }
    FormatArg value;
    const std::u16string* ref = nullptr;
  };

  TKelDynString() = default;
  explicit TKelDynString(const std::u16string& format) { Reload(format); }
  TKelDynString(const std::u16string& format, std::vector<Arg> args) { Reload(format, std::move(args)); }
  // The object's own formats are referred to by address: no copies.
  TKelDynString(const TKelDynString&) = delete;
  TKelDynString& operator=(const TKelDynString&) = delete;

  // Drops the arguments and unbinds the format.
  void Reload();
  // As Reload(), then binds format when it holds a non-empty text at this moment.
  void Reload(const std::u16string& format);
  void Reload(const std::u16string& format, std::vector<Arg> args);
  void ReloadString(std::u16string text);
  void ReloadDecimal(std::int32_t value);
  void ReloadHex(std::int32_t value);

  // The present text of the bound format variable; empty when none is bound.
  std::u16string Format() const { return FFormat ? *FFormat : std::u16string(); }
  // The formatted text; empty when formatting fails. Without arguments the format text
  // is returned as it stands.
  std::u16string Value() const;
  int ArgsCount() const { return static_cast<int>(FArgs.size()); }

  // The decimal separator of the user's locale, for "%f".
  void SetDecimalSeparator(char16_t separator) { decimalSeparator_ = separator; }

 private:
  std::vector<Arg> FArgs;
  const std::u16string* FFormat = nullptr;
  const std::u16string FConstString = u"%s";
  const std::u16string FConstDecimal = u"%d";
  const std::u16string FConstHex = u"%X";
  char16_t decimalSeparator_ = u'.';
};

}  // namespace ovalin
