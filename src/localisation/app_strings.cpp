#include "localisation/app_strings.h"

namespace ovalin {

const std::array<StringKeyDefault, kStringKeyCount> kStringKeyDefaults = {{
#define OVALIN_KEY_DEFAULT(key, text) {u## #key, text},
    OVALIN_STRING_KEYS(OVALIN_KEY_DEFAULT)
#undef OVALIN_KEY_DEFAULT
}};

namespace {

constexpr const std::u16string TAppStrings::*kErrorCodeTexts[kErrorCodeTextCount] = {
    &TAppStrings::STR_ZUNRCForm_ErrorCode0,
    &TAppStrings::STR_ZUNRCForm_ErrorCode1,
    &TAppStrings::STR_ZUNRCForm_ErrorCode2,
    &TAppStrings::STR_ZUNRCForm_ErrorCode3,
    &TAppStrings::STR_ZUNRCForm_ErrorCode4,
    &TAppStrings::STR_ZUNRCForm_ErrorCode5,
    &TAppStrings::STR_ZUNRCForm_ErrorCode6,
    &TAppStrings::STR_ZUNRCForm_ErrorCode7,
    &TAppStrings::STR_ZUNRCForm_ErrorCode8,
    &TAppStrings::STR_ZUNRCForm_ErrorCode9,
    &TAppStrings::STR_ZUNRCForm_ErrorCode10,
    &TAppStrings::STR_ZUNRCForm_ErrorCode11,
    &TAppStrings::STR_ZUNRCForm_ErrorCode12,
    &TAppStrings::STR_ZUNRCForm_ErrorCode13,
    &TAppStrings::STR_ZUNRCForm_ErrorCode14,
    &TAppStrings::STR_ZUNRCForm_ErrorCode15,
    &TAppStrings::STR_ZUNRCForm_ErrorCode16,
    &TAppStrings::STR_ZUNRCForm_ErrorCode17,
    &TAppStrings::STR_ZUNRCForm_ErrorCode18,
    &TAppStrings::STR_ZUNRCForm_ErrorCode19,
    &TAppStrings::STR_ZUNRCForm_ErrorCode20,
    &TAppStrings::STR_ZUNRCForm_ErrorCode21,
    &TAppStrings::STR_ZUNRCForm_ErrorCode22,
    &TAppStrings::STR_ZUNRCForm_ErrorCode23,
    &TAppStrings::STR_ZUNRCForm_ErrorCode24,
    &TAppStrings::STR_ZUNRCForm_ErrorCode25,
    &TAppStrings::STR_ZUNRCForm_ErrorCode26,
    &TAppStrings::STR_ZUNRCForm_ErrorCode27,
    &TAppStrings::STR_ZUNRCForm_ErrorCode28,
    &TAppStrings::STR_ZUNRCForm_ErrorCode29,
    &TAppStrings::STR_ZUNRCForm_ErrorCode30,
    &TAppStrings::STR_ZUNRCForm_ErrorCode31,
    &TAppStrings::STR_ZUNRCForm_ErrorCode32,
    &TAppStrings::STR_ZUNRCForm_ErrorCode33,
    &TAppStrings::STR_ZUNRCForm_ErrorCode34,
    &TAppStrings::STR_ZUNRCForm_ErrorCode35,
    &TAppStrings::STR_ZUNRCForm_ErrorCode36,
    &TAppStrings::STR_ZUNRCForm_ErrorCode37,
    &TAppStrings::STR_ZUNRCForm_ErrorCode38,
    &TAppStrings::STR_ZUNRCForm_ErrorCode39,
    &TAppStrings::STR_ZUNRCForm_ErrorCode40,
    &TAppStrings::STR_ZUNRCForm_ErrorCode41,
    &TAppStrings::STR_ZUNRCForm_ErrorCode42,
    &TAppStrings::STR_ZUNRCForm_ErrorCode43,
    &TAppStrings::STR_ZUNRCForm_ErrorCode44,
    &TAppStrings::STR_ZUNRCForm_ErrorCode45,
    &TAppStrings::STR_ZUNRCForm_ErrorCode46,
    &TAppStrings::STR_ZUNRCForm_ErrorCode47,
    &TAppStrings::STR_ZUNRCForm_ErrorCode48,
    &TAppStrings::STR_ZUNRCForm_ErrorCode49,
    &TAppStrings::STR_ZUNRCForm_ErrorCode50,
    &TAppStrings::STR_ZUNRCForm_ErrorCode51,
    &TAppStrings::STR_ZUNRCForm_ErrorCode52,
    &TAppStrings::STR_ZUNRCForm_ErrorCode53,
    &TAppStrings::STR_ZUNRCForm_ErrorCode54,
    &TAppStrings::STR_ZUNRCForm_ErrorCode55,
    &TAppStrings::STR_ZUNRCForm_ErrorCode56,
    &TAppStrings::STR_ZUNRCForm_ErrorCode57,
    &TAppStrings::STR_ZUNRCForm_ErrorCode58,
    &TAppStrings::STR_ZUNRCForm_ErrorCode59,
    &TAppStrings::STR_ZUNRCForm_ErrorCode60,
    &TAppStrings::STR_ZUNRCForm_ErrorCode61,
    &TAppStrings::STR_ZUNRCForm_ErrorCode62,
    &TAppStrings::STR_ZUNRCForm_ErrorCode63,
    &TAppStrings::STR_ZUNRCForm_ErrorCode64,
    &TAppStrings::STR_ZUNRCForm_ErrorCode65,
    &TAppStrings::STR_ZUNRCForm_ErrorCode66,
    &TAppStrings::STR_ZUNRCForm_ErrorCode67,
    &TAppStrings::STR_ZUNRCForm_ErrorCode68,
    &TAppStrings::STR_ZUNRCForm_ErrorCode69,
    &TAppStrings::STR_ZUNRCForm_ErrorCode70,
    &TAppStrings::STR_ZUNRCForm_ErrorCode71,
};

}  // namespace

const std::u16string* TAppStrings::ErrorCodeText(int n) const {
  if (n < 0 || n >= kErrorCodeTextCount) return nullptr;
  return &(this->*kErrorCodeTexts[n]);
}

void BindAppStrings(TAppStrings& strings, TKelMultiLanguageVars& vars) {
#define OVALIN_BIND_STRING(key, text) vars.Add(strings.key, u## #key);
  OVALIN_STRING_KEYS(OVALIN_BIND_STRING)
#undef OVALIN_BIND_STRING
}

}  // namespace ovalin
