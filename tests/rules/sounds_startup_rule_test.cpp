#include <gtest/gtest.h>

#include "rules/scan_rules.h"
#include "rule_harness.h"

namespace ovalin::testing {
namespace {

TEST(SoundsRule, JudgesTheSoundOfEverySchemeWithTheEventLabelAsTitle) {
  RuleHarness h;
  h.SeedFixture("sounds.reg");
  h.Test().CreateFile(h.Scratch() + u"present.wav");

  const std::string app = "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\OvalinTestApp\\";
  const std::string label = "Ovalin event label";
  // Natively 2 application keys: OvalinEmptyApp (nothing) then OvalinTestApp at 100.
  h.ExpectRecords(
      h.Run(stSounds, &ScanSounds),
      {
          {63, mtDeleteValue, label, app + "OvalinEvent\\.Current", "",
           "$WINDIR$\\media\\ovalin-gone.wav", 100},
          {0, 0, label, app + "OvalinEvent\\.Default", "", "", 100},
          {0, 0, label, app + "OvalinEvent\\.Modified", "", "ding.wav", 100},
          {0, 0, "", app + "OvalinNoLabel\\.Current", "", "$SCRATCH$present.wav", 100},
      });
}

TEST(StartupRule, JudgesTheMachineWideRunList) {
  RuleHarness h;
  h.SeedFixture("startup.reg");
  h.Test().CreateFile(h.Scratch() + u"tool.exe");

  const std::string run = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  h.ExpectRecords(
      h.Run(stStartup, &ScanStartup),
      {
          {0, 0, "OvalinTool", run, "OvalinTool", "\"$SCRATCH$tool.exe\" -min", 20},
          {74, mtDeleteValue, "OvalinGone", run, "OvalinGone", "\"$SCRATCH$gone.exe\" -min", 40},
          {127, mtDeleteValue, "OvalinEmpty", run, "OvalinEmpty", "", 60},
          {0, 0, "OvalinBare", run, "OvalinBare", "ovalin.exe /background", 100},
      });
}

}  // namespace
}  // namespace ovalin::testing
