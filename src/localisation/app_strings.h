// The program's string variables: one text per "STR_" key, each holding its built-in
// English default until a language pack is loaded. The windows read them when they
// apply the language; dynamic strings keep pointers to them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "localisation/multi_language_vars.h"
#include "localisation/string_keys.h"

namespace ovalin {

struct StringKeyDefault {
  std::u16string_view key;
  std::u16string_view text;
};

#define OVALIN_COUNT_KEY(key, text) +1
constexpr int kStringKeyCount = 0 OVALIN_STRING_KEYS(OVALIN_COUNT_KEY);
#undef OVALIN_COUNT_KEY

// Every key with its built-in default, in binding order.
extern const std::array<StringKeyDefault, kStringKeyCount> kStringKeyDefaults;

constexpr int kErrorCodeTextCount = 72;

struct TAppStrings {
#define OVALIN_DECLARE_STRING(key, text) std::u16string key{text};
  OVALIN_STRING_KEYS(OVALIN_DECLARE_STRING)
#undef OVALIN_DECLARE_STRING

  TAppStrings() = default;
  // Bound variables are referred to by address: never copied or moved.
  TAppStrings(const TAppStrings&) = delete;
  TAppStrings& operator=(const TAppStrings&) = delete;

  // The variable of "STR_ZUNRCForm_ErrorCode<n>"; nullptr for n outside 0..71.
  const std::u16string* ErrorCodeText(int n) const;
};

// Binds every variable of strings to its key in vars, in table order.
void BindAppStrings(TAppStrings& strings, TKelMultiLanguageVars& vars);

}  // namespace ovalin
