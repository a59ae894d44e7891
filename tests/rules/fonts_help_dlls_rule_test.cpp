#include <gtest/gtest.h>

#include "rules/scan_rules.h"
#include "rule_harness.h"

namespace ovalin::testing {
namespace {

TEST(FontsRule, LooksForFontFilesAsNamedThenInTheFontsFolder) {
  RuleHarness h;
  h.SeedFixture("fonts.reg");
  h.CreateFileAt(GetSpecialFolder(h.Get().system, platform::kCsidlFonts) + u"ovalintest.ttf");
  h.Test().CreateFile(h.Scratch() + u"full.ttf");

  const std::string path = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  // Natively the list holds the fixture's 6 values; the binary one gives no record.
  h.ExpectRecords(h.Run(stFonts, &ScanFonts),
                  {
                      {0, 0, "Ovalin Sans (TrueType)", path, "Ovalin Sans (TrueType)", "ovalintest.ttf", 16},
                      {59, mtDeleteValue, "Ovalin Gone (TrueType)", path, "Ovalin Gone (TrueType)",
                       "$SCRATCH$gone.ttf", 33},
                      {59, mtDeleteValue, "Ovalin Expanded", path, "Ovalin Expanded",
                       "$WINDIR$\\ovalin-x.ttf", 50},
                      {0, 0, "Ovalin Full", path, "Ovalin Full", "$SCRATCH$full.ttf", 83},
                      {59, mtDeleteValue, "Ovalin Empty", path, "Ovalin Empty", "", 100},
                  });
}

TEST(HelpFilesRule, NeedsBothTheFolderAndTheFileInIt) {
  RuleHarness h;
  h.SeedFixture("help_files.reg");
  h.Test().CreateFile(h.Scratch() + u"Help\\ovalintest.hlp");
  h.Test().CreateFile(h.Scratch() + u"Docs\\ovalintest.chm");

  const std::string help = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\Help";
  const std::string html = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\HTML Help";
  // Natively 3 + 2 values share one divisor: 20, 40, 60, then 80 (and 100, skipped).
  h.ExpectRecords(h.Run(stHelpFiles, &ScanHelpFiles),
                  {
                      {0, 0, "ovalintest.hlp", help, "ovalintest.hlp", "$SCRATCH$Help\\", 20},
                      {60, mtDeleteValue, "ovalintest2.hlp", help, "ovalintest2.hlp",
                       "$SCRATCH$Help\\", 40},
                      {60, mtDeleteValue, "ovalintest3.hlp", help, "ovalintest3.hlp", "", 60},
                      {0, 0, "ovalintest.chm", html, "ovalintest.chm", "$SCRATCH$Docs", 80},
                  });
}

TEST(SharedDllsRule, TestsTheValueNameAsItStands) {
  RuleHarness h;
  h.SeedFixture("shared_dlls.reg");
  h.Test().CreateFile(h.Scratch() + u"present.dll");

  const std::string path =
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
  h.ExpectRecords(h.Run(stSharedDlls, &ScanSharedDlls),
                  {
                      {55, mtDeleteValue, "SharedDlls", path, "$SCRATCH$gone.dll", "", 33},
                      {0, 0, "SharedDlls", path, "$SCRATCH$present.dll", "", 66},
                      {55, mtDeleteValue, "SharedDlls", path, "%SystemRoot%\\ovalin-x.dll", "", 100},
                  });
}

}  // namespace
}  // namespace ovalin::testing
