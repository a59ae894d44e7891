// Entries of 32-bit programs (below WOW6432Node) are found, judged with the folders a
// 32-bit program sees, and reported with their real key paths; the user's own startup
// list is judged; what cannot be checked is never reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <vector>
#include <mutex>
#include <string>

#include "rule_harness.h"
#include "rules/scan_rules.h"

namespace ovalin::testing {
namespace {

constexpr int kCsidlSystem = 0x25;
constexpr int kCsidlSystemX86 = 0x29;

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

class Wow32ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SystemServices& system = h_.Get().system;
    const std::u16string system32 = PathAddBackslash(system.SpecialFolder(kCsidlSystem));
    const std::u16string sysWow64 = PathAddBackslash(system.SpecialFolder(kCsidlSystemX86));
    if (sysWow64.size() <= 1 || StrSameText(system32, sysWow64)) {
      GTEST_SKIP() << "a 32-bit Windows keeps no entries of 32-bit programs apart";
    }
    std::u16string programFilesX86;
    ASSERT_TRUE(system.ExpandEnvironment(u"%ProgramFiles(x86)%", &programFilesX86));
    h_.CreateFileAt(sysWow64 + u"ovalin-view32.dll");
    h_.CreateFileAt(system32 + u"ovalin-view64.dll");
    h_.CreateFolderAt(programFilesX86 + u"\\OvalinView");
    h_.CreateFileAt(programFilesX86 + u"\\OvalinView\\app.exe");
    h_.Test().CreateFile(h_.Scratch() + u"tool.exe");
    h_.SeedFixture("views.reg");
  }

  // The records of one rule, progress left out (other areas of the rule share it).
  std::vector<Record> Run(std::uint32_t scanType, ScanRule rule) {
    std::vector<Record> records = h_.Run(scanType, std::move(rule), {"ovalin", "{0fa106"});
    for (Record& record : records) record.percent = -1;
    return records;
  }

  RuleHarness h_;
};

TEST_F(Wow32ViewTest, ComClassesAndInterfacesOfBothViews) {
  const std::string classes = "HKEY_CLASSES_ROOT\\WOW6432Node\\CLSID\\";
  const std::string interfaces = "HKEY_CLASSES_ROOT\\WOW6432Node\\Interface\\";
  h_.ExpectRecords(
      Run(stComponents, &ScanComComponents),
      {
          // System32 of a 32-bit class is SysWOW64.
          {0, 0, "Ovalin 32-bit class",
           classes + "{0FA10600-0000-4000-8000-000000000601}\\InprocServer32", "",
           "$WINDIR$\\System32\\ovalin-view32.dll", -1},
          {36, mtDeleteValue, "Ovalin 32-bit class gone",
           classes + "{0FA10600-0000-4000-8000-000000000602}\\InprocServer32", "",
           "$WINDIR$\\System32\\ovalin-view64.dll", -1},
          // %ProgramFiles% of a 32-bit class is the "(x86)" folder.
          {0, 0, "Ovalin 32-bit server",
           classes + "{0FA10600-0000-4000-8000-000000000603}\\LocalServer32", "",
           "\"$PROGRAMFILESX86$\\OvalinView\\app.exe\" /automation", -1},
          {0, 0, "", interfaces + "{0FA10600-0000-4000-8000-000000000611}\\ProxyStubClsid32", "",
           "{0FA10600-0000-4000-8000-000000000601}", -1},
          {64, mtDeleteValue, "",
           interfaces + "{0FA10600-0000-4000-8000-000000000612}\\ProxyStubClsid32", "",
           "{0FA10600-0000-4000-8000-0000000006FF}", -1},
      });
}

TEST_F(Wow32ViewTest, FileTypesReachClassesOfEitherViewAndSkipWhatCannotBeChecked) {
  const std::string type = "HKEY_CLASSES_ROOT\\OvalinView.Type";
  h_.ExpectRecords(
      Run(stFileTypes, &ScanFileTypes),
      {
          {0, 0, "Ovalin view type", type + "\\CLSID", "",
           "{0FA10600-0000-4000-8000-000000000601}", -1},
          {0, 0, "open", type + "\\Shell\\open\\command", "",
           "\\\\ovalin-server\\share\\viewer.exe \"%1\"", -1},
          {0, 0, "Ovalin view type", type + "\\DefaultIcon", "",
           "@{Microsoft.OvalinApp_1.0.0.0_x64__8wekyb3d8bbwe?ms-resource://Microsoft.OvalinApp/"
           "Files/icon.png}",
           -1},
      });
}

TEST_F(Wow32ViewTest, StartupListsOfTheUserAndOfBothViews) {
  const std::string user = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::string wow =
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
  h_.ExpectRecords(
      Run(stStartup, &ScanStartup),
      {
          {0, 0, "OvalinUserTool", user, "OvalinUserTool", "\"$SCRATCH$tool.exe\" /min", -1},
          {74, mtDeleteValue, "OvalinUserGone", user, "OvalinUserGone", "$SCRATCH$gone.exe", -1},
          {0, 0, "OvalinUserNetwork", user, "OvalinUserNetwork",
           "\\\\ovalin-server\\share\\tool.exe", -1},
          {0, 0, "OvalinUserStick", user, "OvalinUserStick", "Q:\\Tools\\ovalin.exe", -1},
          {0, 0, "OvalinWow32", wow, "OvalinWow32", "$WINDIR$\\System32\\ovalin-view32.dll",
           -1},
          {74, mtDeleteValue, "OvalinWowGone", wow, "OvalinWowGone",
           "\"$SCRATCH$gone32.exe\" /min", -1},
      });
}

TEST_F(Wow32ViewTest, SharedDllsAndProgramsOfThe32BitView) {
  const std::string dlls =
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
  h_.ExpectRecords(Run(stSharedDlls, &ScanSharedDlls),
                   {
                       {55, mtDeleteValue, "SharedDlls", dlls, "$SCRATCH$gone32.dll", "", -1},
                       {0, 0, "SharedDlls", dlls, "C:\\Windows\\System32\\ovalin-view32.dll", "",
                        -1},
                   });
  const std::string app =
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
      "OvalinView.App";
  h_.ExpectRecords(Run(stPrograms, &ScanPrograms),
                   {
                       {0, 0, "Ovalin View", app, "UninstallString",
                        "\"$PROGRAMFILESX86$\\OvalinView\\app.exe\" /uninstall", -1},
                       {61, mtBlankValue, "Ovalin View", app, "DisplayIcon",
                        "$SCRATCH$gone32.exe,0", -1},
                   });
}

// The reason of each finding says what was looked for and not found.
TEST_F(Wow32ViewTest, FindingsSayWhatWasLookedFor) {
  std::map<std::string, std::string> reasons;  // path|value name -> reason
  std::mutex mutex;
  platform::ManualResetEvent ended(false);
  TRCRegCleaner cleaner(h_.Get(), {{stComponents, &ScanComComponents}, {stStartup, &ScanStartup}});
  cleaner.OnScanning = [&](TRCRegCleaner&, const ScanningEventArgs& e) {
    if (e.errorCode == 0) return;
    std::lock_guard<std::mutex> lock(mutex);
    reasons[U8(e.path) + "|" + U8(e.valueName)] = U8(ReasonText(e.reason));
  };
  cleaner.OnEndScan = [&](TRCRegCleaner&) { ended.Set(); };
  ASSERT_TRUE(cleaner.Scan(stComponents | stStartup));
  ASSERT_TRUE(ended.WaitFor(120000));
  const std::string windir = U8(ExpandEnvVars(h_.Get().system, u"%SystemRoot%"));
  const std::string scratch = U8(h_.Scratch());
  const struct {
    std::string key;
    std::string reason;
  } cases[] = {
      {"HKEY_CLASSES_ROOT\\WOW6432Node\\CLSID\\{0FA10600-0000-4000-8000-000000000602}\\"
       "InprocServer32|",
       "File not found: " + windir + "\\System32\\ovalin-view64.dll"},
      {"HKEY_CLASSES_ROOT\\WOW6432Node\\Interface\\{0FA10600-0000-4000-8000-000000000612}\\"
       "ProxyStubClsid32|",
       "Key not found: HKEY_CLASSES_ROOT\\CLSID\\{0FA10600-0000-4000-8000-0000000006FF}"},
      {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run|OvalinUserGone",
       "File not found: " + scratch + "gone.exe"},
  };
  for (const auto& c : cases) {
    const auto found = reasons.find(c.key);
    ASSERT_NE(found, reasons.end()) << c.key;
    EXPECT_EQ(found->second, c.reason) << c.key;
  }
}

// The broken entries of the 32-bit view and of the user's Run list are cleaned through
// their real key paths and come back exactly with the backup.
TEST_F(Wow32ViewTest, BrokenEntriesOfBothViewsAreCleanedAndRestoredExactly) {
  const std::vector<std::u16string> areas = {
      u"HKEY_CLASSES_ROOT\\WOW6432Node\\CLSID\\{0FA10600-0000-4000-8000-000000000602}",
      u"HKEY_CLASSES_ROOT\\WOW6432Node\\Interface\\{0FA10600-0000-4000-8000-000000000612}",
      u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
      u"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
      u"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
  };
  const std::string before = h_.Test().Export(areas);
  TRCRegCleaner cleaner(h_.Get(), {{stComponents, &ScanComComponents},
                                   {stSharedDlls, &ScanSharedDlls},
                                   {stStartup, &ScanStartup}});
  cleaner.SetRescueDir(h_.Scratch() + u"Rescue\\");
  ASSERT_TRUE(cleaner.Scan(stComponents | stSharedDlls | stStartup));
  cleaner.WaitForIdle();
  // Only the fixture's findings are cleaned (the real registry may hold others).
  std::vector<int> ours;
  for (int i = 0; i < cleaner.ScannedItemsCount(); ++i) {
    const TRCScannedItem& item = *cleaner.ScannedItems()[static_cast<std::size_t>(i)];
    const std::string text = LowerAscii(U8(item.Path + u"|" + item.ValueName));
    if (text.find("ovalin") != std::string::npos || text.find("{0fa106") != std::string::npos) {
      ours.push_back(i);
    }
  }
  ASSERT_EQ(ours.size(), 5u) << "class 602, interface 612, the user's gone tool, and the "
                                "32-bit view's gone tool and gone DLL";
  std::vector<int> failed;
  ASSERT_TRUE(cleaner.Clean(ours, &failed, u"views"));
  EXPECT_TRUE(failed.empty());
  const std::string cleaned = h_.Test().Export(areas);
  EXPECT_NE(cleaned, before);
  EXPECT_EQ(cleaned.find("gone32.exe"), std::string::npos) << cleaned;
  EXPECT_EQ(cleaned.find("OvalinUserGone"), std::string::npos) << cleaned;
  cleaner.UpdateRescueList();
  ASSERT_EQ(cleaner.RescueCount(), 1);
  ASSERT_TRUE(cleaner.RestoreRescue(cleaner.RescueDir() + cleaner.RescueItems(0)->BackupFile));
  // Restored values come back at the end of their key: the same lines, in another order.
  EXPECT_EQ(SortedLines(h_.Test().Export(areas)), SortedLines(before));
}

}  // namespace
}  // namespace ovalin::testing
