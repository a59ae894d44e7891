#include "rules/shared_checks.h"

#include <gtest/gtest.h>

#include "rule_harness.h"

namespace ovalin::testing {
namespace {

TEST(IsValidPath, AcceptsExistingFilesFoldersAndCommandLineForms) {
  RuleHarness h;
  const std::u16string s = h.Scratch();
  h.Test().CreateFile(s + u"app.exe");
  h.Test().CreateFile(s + u"shell32.dll");
  h.Test().CreateFile(s + u"win.ini");
  h.Test().CreateFile(s + u"Lib\\x.dll");
  h.Test().CreateFolder(s + u"Dir");
  const std::u16string folder = s.substr(0, s.size() - 1);  // without the backslash

  const struct {
    std::u16string text;
    bool valid;
  } cases[] = {
      {u"", false},
      {u"   ", false},
      {s + u"app.exe", true},                          // an existing file
      {s + u"gone.exe", false},
      {u"\"" + s + u"app.exe\" %1", true},             // quoted, arguments ignored
      {u"\"" + s + u"app.exe %1", false},              // no closing quote
      {u"\"" + s + u"gone.exe\" %1", false},
      {u"\"\" x", false},                              // empty quoted text
      {u"\"" + s + u"Dir\" x", false},                 // a quoted folder does not count
      {u"rundll32.exe shell32.dll,Control_RunDLL", true},  // no drive letter: no test
      {u"notepad.exe", true},
      {u"x", true},
      {s + u"shell32.dll,-3", true},                   // icon reference
      {s + u"gone.dll,-3", false},
      {s + u"Missing\\app.exe /s", false},
      {s + u"app.exe /s", true},                       // cut before the slash
      {s + u"Lib\\x.dll\\2", true},                    // the last backslash
      {u"\\\\server\\share\\x.exe", false},
      {u"/x", false},
      {u":x", false},
      {u"\\", true},
      {u"1:\\x", false},
      {u"A:\\x.exe -q", false},                        // drive A holds nothing
      {u"  " + folder + u"  ", true},                  // blanks trimmed, folder exists
      {s + u"Dir", true},
      {s + u"win.ini|x", false},                       // only prefixes before a separator
      {s + u"app.exe?x", false},
      {u"ab:c", false},                                // colon before any separator
      {u"a b:c", true},                                // cut at the colon, no drive letter
      {u"\t" + s + u"app.exe", false},                 // tabs are not trimmed
      {s + u"app.exe " + std::u16string(300, u'x'), true},   // long: cut to 259, then prefixes
      {s + std::u16string(300, u'x') + u" y", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidPath(h.Get().files, c.text), c.valid) << U8(c.text);
  }
}

TEST(KeyExistsUnder, JoinsTheAreaAndTheKeyName) {
  RuleHarness h;
  h.SeedText(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{0FA10500-0000-4000-8000-000000000500}\\Inner]\n");
  platform::Registry& registry = h.Get().registry;
  const struct {
    std::u16string area;
    std::u16string name;
    bool exists;
  } cases[] = {
      {u"", u"CLSID", false},
      {u"HKCR", u"CLSID", false},
      {u"hkey_classes_root\\CLSID", u"{0FA10500-0000-4000-8000-000000000500}", true},
      {u"HKEY_CLASSES_ROOT\\CLSID\\", u"{0fa10500-0000-4000-8000-000000000500}", true},
      {u"HKEY_CLASSES_ROOT", u"CLSID\\{0FA10500-0000-4000-8000-000000000500}\\Inner", true},
      {u"HKEY_CLASSES_ROOT", u"Ovalin.Missing", false},
      {u"HKEY_CLASSES_ROOT\\CLSID", u"{0FA1FFFF-0000-4000-8000-00000000FFFF}", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyExistsUnder(registry, c.area, c.name), c.exists)
        << U8(c.area) << " / " << U8(c.name);
  }
}

TEST(IsNumericName, AcceptsNumberCharactersOnly) {
  const struct {
    std::u16string text;
    bool numeric;
  } cases[] = {
      {u"12", true},       {u" 7 ", true},  {u"MRUListEx", false}, {u"", false},
      {u"   ", false},     {u"1a", false},  {u"\u0663", true},     {u"\u00b2", true},
      {u"\uff11\uff12", true}, {u"-1", false}, {u"1\t", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNumericName(c.text), c.numeric) << U8(c.text);
  }
}

TEST(ReadStringValue, ReadsStringsWithDataUnexpanded) {
  RuleHarness h;
  h.SeedText(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CURRENT_USER\\Software\\OvalinTest\\ReadString]\n"
      "\"text\"=\"abc\"\n"
      "\"empty\"=\"\"\n"
      "\"number\"=dword:00000001\n"
      "\"expand\"=hex(2):25,00,41,00,25,00,00,00\n"
      "\"nodata\"=hex(1):\n");
  RegAccess key(h.Get().registry);
  ASSERT_TRUE(OpenRootKey(key, platform::kCurrentUser, u"Software\\OvalinTest\\ReadString"));
  const struct {
    std::u16string name;
    bool result;
    std::u16string text;
  } cases[] = {
      {u"text", true, u"abc"},      {u"empty", true, u""},   {u"number", false, u""},
      {u"expand", true, u"%A%"},    {u"nodata", false, u""}, {u"missing", false, u""},
  };
  for (const auto& c : cases) {
    std::u16string text = u"left over";
    EXPECT_EQ(ReadStringValue(key, c.name, &text), c.result) << U8(c.name);
    EXPECT_EQ(text, c.text) << U8(c.name);
  }
}

TEST(ProgressPercent, TruncatesAndNeverDividesByZero) {
  EXPECT_EQ(ProgressPercent(0, 100, 1, 3), 33);
  EXPECT_EQ(ProgressPercent(50, 35, 1, 2), 67);
  EXPECT_EQ(ProgressPercent(85, 15, 2, 2), 100);
  EXPECT_EQ(ProgressPercent(70, 30, 5, 0), 70);
  EXPECT_EQ(ProgressPercent(0, 100, 999999, 1000000), 99);
}

}  // namespace
}  // namespace ovalin::testing
