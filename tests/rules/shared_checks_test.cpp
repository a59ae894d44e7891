#include "rules/shared_checks.h"

#include <gtest/gtest.h>

#include "rule_harness.h"

namespace ovalin::testing {
namespace {

constexpr PathVerdict kPresent = PathVerdict::kPresent;
constexpr PathVerdict kAbsent = PathVerdict::kAbsent;
constexpr PathVerdict kCannotTell = PathVerdict::kCannotTell;

const char* VerdictName(PathVerdict verdict) {
  switch (verdict) {
    case PathVerdict::kPresent: return "present";
    case PathVerdict::kAbsent: return "absent";
    case PathVerdict::kCannotTell: return "cannot tell";
  }
  return "?";
}

TEST(JudgePath, AcceptsExistingFilesFoldersAndCommandLineForms) {
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
    PathVerdict verdict;
  } cases[] = {
      {u"", kAbsent},
      {u"   ", kAbsent},
      {s + u"app.exe", kPresent},                          // an existing file
      {s + u"gone.exe", kAbsent},
      {u"\"" + s + u"app.exe\" %1", kPresent},             // quoted, arguments ignored
      {u"\"" + s + u"app.exe %1", kAbsent},                // no closing quote
      {u"\"" + s + u"gone.exe\" %1", kAbsent},
      {u"\"\" x", kAbsent},                                // empty quoted text
      {u"\"" + s + u"Dir\" x", kAbsent},                   // a quoted folder does not count
      {u"rundll32.exe shell32.dll,Control_RunDLL", kPresent},  // no drive letter: no test
      {u"notepad.exe", kPresent},
      {u"x", kPresent},
      {s + u"shell32.dll,-3", kPresent},                   // icon reference
      {s + u"gone.dll,-3", kAbsent},
      {s + u"Missing\\app.exe /s", kAbsent},
      {s + u"app.exe /s", kPresent},                       // cut before the slash
      {s + u"Lib\\x.dll\\2", kPresent},                    // the last backslash
      {u"/x", kAbsent},
      {u":x", kAbsent},
      {u"\\", kPresent},
      {u"1:\\x", kAbsent},
      {u"  " + folder + u"  ", kPresent},                  // blanks trimmed, folder exists
      {s + u"Dir", kPresent},
      {s + u"win.ini|x", kAbsent},                         // only prefixes before a separator
      {s + u"app.exe?x", kAbsent},
      {u"ab:c", kAbsent},                                  // colon before any separator
      {u"a b:c", kPresent},                                // cut at the colon, no drive letter
      {u"\t" + s + u"app.exe", kAbsent},                   // tabs are not trimmed
      {s + u"app.exe " + std::u16string(300, u'x'), kPresent},  // long: cut to 259, then prefixes
      {s + std::u16string(300, u'x') + u" y", kAbsent},
      // What cannot be checked is never called missing.
      {u"\\\\server\\share\\x.exe", kCannotTell},          // UNC: never probed
      {u"\\\\server\\share\\x.exe /s", kCannotTell},
      {u"\\\\?\\" + s + u"gone.exe", kCannotTell},         // device path: never probed
      {u"\"\\\\server\\share\\x.exe\" /s", kCannotTell},
      {u"Q:\\x.exe -q", kCannotTell},                      // drive Q holds nothing now
      {u"\"Q:\\x.exe\" -q", kCannotTell},
      // A packaged app's indirect resource string names no file.
      {u"@{Microsoft.XboxApp_48.49.31001.0_x64__8wekyb3d8bbwe?ms-resource://"
       u"Microsoft.XboxApp/Files/Assets/icon.png}", kCannotTell},
      {u"@%SystemRoot%\\system32\\shell32.dll,-21787", kPresent},  // as before: no test
  };
  PathJudge judge(h.Get().files, h.Get().system);
  for (const auto& c : cases) {
    EXPECT_STREQ(VerdictName(JudgePath(judge, c.text, RegView::kNative)),
                 VerdictName(c.verdict))
        << U8(c.text);
  }
}

TEST(JudgePath, DrivesThatAreNotFixedAndUnreadableFilesCannotTell) {
  RuleHarness h;
  const std::u16string s = h.Scratch();
  if (!h.Test().MarkCannotTell(s + u"Locked")) {
    GTEST_SKIP() << "drive kinds and access are arranged on the substitute";
  }
  h.Test().CreateFile(s + u"app.exe");
  h.Test().CreateFolder(s + u"Locked");

  const struct {
    platform::DriveKind kind;
    std::u16string text;
    PathVerdict verdict;
  } cases[] = {
      {platform::DriveKind::kFixed, s + u"gone.exe", kAbsent},
      {platform::DriveKind::kFixed, s + u"app.exe", kPresent},
      {platform::DriveKind::kRamDisk, s + u"gone.exe", kAbsent},
      {platform::DriveKind::kRemovable, s + u"gone.exe", kCannotTell},
      {platform::DriveKind::kRemote, s + u"gone.exe /s", kCannotTell},
      {platform::DriveKind::kOptical, u"\"" + s + u"gone.exe\"", kCannotTell},
      {platform::DriveKind::kNoDrive, s + u"gone.exe", kCannotTell},
      {platform::DriveKind::kUnknown, s + u"gone.exe", kCannotTell},
      // Access denied and the like, on a fixed drive.
      {platform::DriveKind::kFixed, s + u"Locked\\tool.exe", kCannotTell},
      {platform::DriveKind::kFixed, s + u"Locked\\tool.exe /s", kCannotTell},
      {platform::DriveKind::kFixed, s + u"Locked\\gone\\tool.exe", kCannotTell},
  };
  for (const auto& c : cases) {
    h.Test().SetDriveKind(u'C', c.kind);
    PathJudge judge(h.Get().files, h.Get().system);
    EXPECT_STREQ(VerdictName(JudgePath(judge, c.text, RegView::kNative)),
                 VerdictName(c.verdict))
        << U8(c.text) << " on a drive of kind " << static_cast<int>(c.kind);
  }
  h.Test().SetDriveKind(u'C', platform::DriveKind::kFixed);
}

TEST(JudgePath, AsksTheDriveKindOncePerScan) {
  RuleHarness h;
  const std::u16string s = h.Scratch();
  PathJudge judge(h.Get().files, h.Get().system);
  EXPECT_EQ(JudgePath(judge, s + u"gone.exe", RegView::kNative), kAbsent);
  // The drive went away after the first question: the judge keeps its answer until it
  // is reset for the next scan.
  if (!h.Test().SetDriveKind(u'C', platform::DriveKind::kNoDrive)) {
    GTEST_SKIP() << "drive kinds are arranged on the substitute";
  }
  EXPECT_EQ(JudgePath(judge, s + u"gone.exe", RegView::kNative), kAbsent);
  judge.Reset();
  EXPECT_EQ(JudgePath(judge, s + u"gone.exe", RegView::kNative), kCannotTell);
  h.Test().SetDriveKind(u'C', platform::DriveKind::kFixed);
}

// Entries of 32-bit programs name System32 and %ProgramFiles% as such a program sees
// them. Runs on the real system folders under Windows; the files are made there and
// removed again.
TEST(PathJudge, JudgesEachEntryInTheViewOfItsProgram) {
  RuleHarness h;
  platform::SystemServices& system = h.Get().system;
  const std::u16string system32 = PathAddBackslash(system.SpecialFolder(0x25));
  const std::u16string sysWow64 = PathAddBackslash(system.SpecialFolder(0x29));
  ASSERT_FALSE(system32.empty());
  if (sysWow64.empty() || StrSameText(system32, sysWow64)) {
    GTEST_SKIP() << "a 32-bit Windows has one view";
  }
  const std::u16string name = u"ovalin-view-" + h.Scratch().substr(3, h.Scratch().size() - 4);
  h.CreateFileAt(sysWow64 + name + u"-32.dll");
  h.CreateFileAt(system32 + name + u"-64.dll");

  const struct {
    std::u16string text;
    RegView view;
    PathVerdict verdict;
  } cases[] = {
      {system32 + name + u"-32.dll", RegView::kWow32, kPresent},
      {system32 + name + u"-32.dll", RegView::kNative, kAbsent},
      {system32 + name + u"-64.dll", RegView::kNative, kPresent},
      {system32 + name + u"-64.dll", RegView::kWow32, kAbsent},
      {u"\"" + system32 + name + u"-32.dll\",1", RegView::kWow32, kPresent},
      {sysWow64 + name + u"-32.dll", RegView::kWow32, kPresent},  // named as it is
  };
  PathJudge judge(h.Get().files, system);
  for (const auto& c : cases) {
    EXPECT_STREQ(VerdictName(JudgePath(judge, c.text, c.view)), VerdictName(c.verdict))
        << U8(c.text) << (c.view == RegView::kWow32 ? " (32-bit)" : " (64-bit)");
  }
  // The folders below System32 that are not redirected stay where they are.
  EXPECT_TRUE(StrSameText(judge.MapToView(system32 + u"drivers\\etc\\hosts", RegView::kWow32),
                          system32 + u"drivers\\etc\\hosts"));
  EXPECT_TRUE(StrSameText(judge.MapToView(system32 + u"spool\\x", RegView::kWow32),
                          system32 + u"spool\\x"));
  EXPECT_TRUE(StrSameText(judge.MapToView(system32 + u"drivers\\x.sys", RegView::kWow32),
                          sysWow64 + u"drivers\\x.sys"));
}

TEST(PathJudge, ExpandsProgramFilesAsTheProgramsOfTheViewSeeThem) {
  RuleHarness h;
  platform::SystemServices& system = h.Get().system;
  std::u16string x86;
  if (!system.ExpandEnvironment(u"%ProgramFiles(x86)%", &x86) ||
      x86 == u"%ProgramFiles(x86)%") {
    GTEST_SKIP() << "a 32-bit Windows has one view";
  }
  std::u16string native;
  ASSERT_TRUE(system.ExpandEnvironment(u"%ProgramFiles%", &native));
  std::u16string commonX86;
  ASSERT_TRUE(system.ExpandEnvironment(u"%CommonProgramFiles(x86)%", &commonX86));
  PathJudge judge(h.Get().files, system);
  EXPECT_EQ(judge.Expand(u"%ProgramFiles%\\App\\a.exe", RegView::kWow32), x86 + u"\\App\\a.exe");
  EXPECT_EQ(judge.Expand(u"%programfiles%\\App\\a.exe", RegView::kWow32), x86 + u"\\App\\a.exe");
  EXPECT_EQ(judge.Expand(u"%CommonProgramFiles%\\x.dll", RegView::kWow32),
            commonX86 + u"\\x.dll");
  EXPECT_EQ(judge.Expand(u"%ProgramFiles%\\App\\a.exe", RegView::kNative),
            native + u"\\App\\a.exe");
  EXPECT_EQ(judge.Expand(u"%ProgramFiles(x86)%\\a.exe", RegView::kWow32), x86 + u"\\a.exe");
}

TEST(ViewOfKeyPath, FindsTheWow6432NodeKeyAnywhereInThePath) {
  const struct {
    std::u16string path;
    RegView view;
  } cases[] = {
      {u"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows", RegView::kWow32},
      {u"HKEY_CLASSES_ROOT\\wow6432node\\CLSID\\{x}\\InprocServer32", RegView::kWow32},
      {u"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node", RegView::kWow32},
      {u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows", RegView::kNative},
      {u"HKEY_CURRENT_USER\\Software\\WOW6432NodeX\\a", RegView::kNative},
      {u"", RegView::kNative},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ViewOfKeyPath(c.path), c.view) << U8(c.path);
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
