#include <gtest/gtest.h>

#include "rules/scan_rules.h"
#include "rule_harness.h"

namespace ovalin::testing {
namespace {

constexpr const char* kUninstall =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char* kFolders =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";

std::string U(const char* rest) { return std::string(kUninstall) + rest; }

TEST(ProgramsRule, JudgesUninstallEntriesAndInstallerFolders) {
  RuleHarness h;
  h.SeedFixture("programs.reg");
  h.Test().CreateFile(h.Scratch() + u"App\\uninst.exe");
  h.Test().CreateFile(h.Scratch() + u"App\\app.exe");

  const std::string app = "Ovalin App 1.2";
  // Natively: 5 program keys over 0..50 (App, Empty, Gone, Msi, OnlySubkey), then 3
  // folder values over 50..100 of which the first (the default value) is skipped.
  h.ExpectRecords(
      h.Run(stPrograms, &ScanPrograms),
      {
          {0, 0, app, U("OvalinTest.App"), "UninstallString", "\"$SCRATCH$App\\uninst.exe\" /S", 10},
          // An empty value is what a clean leaves: never reported again.
          {0, 0, app, U("OvalinTest.App"), "QuietUninstallString", "", 10},
          {0, 0, app, U("OvalinTest.App"), "DisplayIcon", "$SCRATCH$App\\app.exe,0", 10},
          {0, 0, app, U("OvalinTest.App"), "InstallLocation", "$SCRATCH$App\\", 10},
          {0, 0, app, U("OvalinTest.App"), "InstallSource", "", 10},
          {119, mtDeleteEmptyKey, "", U("OvalinTest.Empty"), "", "", 20},
          {61, mtBlankValue, "", U("OvalinTest.Gone"), "UninstallString",
           "\"$SCRATCH$Gone\\uninst.exe\" /S", 30},
          {61, mtBlankValue, "", U("OvalinTest.Gone"), "InstallLocation", "$SCRATCH$App\\app.exe", 30},
          {0, 0, "Ovalin Msi", U("OvalinTest.Msi"), "UninstallString",
           "MsiExec.exe /X{0FA10400-0000-4000-8000-000000000400}", 40},
          {75, mtDeleteValue, "Installer", kFolders, "$SCRATCH$Gone\\", "$SCRATCH$Gone\\", 83},
          {0, 0, "Installer", kFolders, "$SCRATCH$App\\", "$SCRATCH$App\\", 100},
      });
}

}  // namespace
}  // namespace ovalin::testing
