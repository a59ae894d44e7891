#include "localisation/app_strings.h"

#include <gtest/gtest.h>

#include <set>

#include "support/test_platform.h"

namespace ovalin {
namespace {

using testing::U8;

TEST(StringTableTest, EveryKeyIsBoundOnceInTableOrderWithItsDefault) {
  TAppStrings strings;
  TKelMultiLanguageVars vars;
  BindAppStrings(strings, vars);
  ASSERT_EQ(vars.Count(), 216);
  std::set<std::u16string> names;
  for (int i = 0; i < vars.Count(); ++i) {
    EXPECT_EQ(vars.GetName(i), kStringKeyDefaults[static_cast<std::size_t>(i)].key);
    EXPECT_EQ(vars.GetValue(i), kStringKeyDefaults[static_cast<std::size_t>(i)].text);
    EXPECT_EQ(vars.GetDefaultValue(i), vars.GetValue(i));
    EXPECT_TRUE(names.insert(vars.GetName(i)).second) << U8(vars.GetName(i));
  }
  EXPECT_EQ(vars.GetName(0), u"STR_ApplicationTitle");
  EXPECT_EQ(vars.GetName(181), u"STR_ZUNRCRestoreForm_15");
  EXPECT_EQ(strings.STR_ApplicationTitle, u"");
  // The built-in texts stay as the program always had them, typos included.
  EXPECT_EQ(strings.STR_About_Label_TechnicalSupportEmail, u"Contect Us");
  EXPECT_EQ(strings.STR_ZUNRCForm_1, u"Scaned out %d items need to clean.\r\nScanning: %s");
  EXPECT_EQ(strings.STR_ZUNRCForm_ErrorCode8, u"Invalid InproSever");
  EXPECT_EQ(strings.STR_ZUNRCForm_List_Registry3, u"Value");
  EXPECT_EQ(strings.STR_ZUNRCRestoreForm_List_Restore2, u"Size");
}

TEST(StringTableTest, ErrorCodeTextsByNumber) {
  TAppStrings strings;
  EXPECT_EQ(*strings.ErrorCodeText(0), u"OK");
  EXPECT_EQ(*strings.ErrorCodeText(47), u"Null TypeLib");
  EXPECT_EQ(*strings.ErrorCodeText(71), u"Null Startup Items");
  EXPECT_EQ(strings.ErrorCodeText(72), nullptr);
  EXPECT_EQ(strings.ErrorCodeText(-1), nullptr);
}

TEST(StringTableTest, AddIgnoresEmptyNamesAndSecondBindingsOfAVariable) {
  TKelMultiLanguageVars vars;
  std::u16string a = u"first", b = u"second";
  vars.Add(a, u"KEY_A");
  vars.Add(a, u"KEY_OTHER");
  vars.Add(b, u"");
  vars.Add(b, u"KEY_A");  // the same key for two variables is allowed
  ASSERT_EQ(vars.Count(), 2);
  vars.SetValue(1, u"changed");
  EXPECT_EQ(b, u"changed");
  vars.SetValue(2, u"ignored");
  EXPECT_EQ(vars.GetValue(2), u"");
  EXPECT_EQ(vars.GetName(-1), u"");
}

}  // namespace
}  // namespace ovalin
