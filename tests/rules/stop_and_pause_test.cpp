// Every rule honours stop and pause before each step (one key or one value; a step may
// report several records): stopped at its first record it leaves before the end of its
// area, and paused there it makes no progress until it is resumed, then reports
// everything an uninterrupted scan reports.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "rule_harness.h"
#include "rules/scan_rules.h"

namespace ovalin::testing {
namespace {

using namespace std::chrono_literals;

struct RuleCase {
  const char* name;
  std::uint32_t scanType;
  ScanRule rule;
  const char* fixture;
};

const RuleCase kRules[] = {
    {"components", stComponents, ScanComComponents, "com_components.reg"},
    {"file types", stFileTypes, ScanFileTypes, "file_types.reg"},
    {"programs", stPrograms, ScanPrograms, "programs.reg"},
    {"shared dlls", stSharedDlls, ScanSharedDlls, "shared_dlls.reg"},
    {"help files", stHelpFiles, ScanHelpFiles, "help_files.reg"},
    {"history list", stHistoryList, ScanHistoryList, "history_list.reg"},
    {"fonts", stFonts, ScanFonts, "fonts.reg"},
    {"sounds", stSounds, ScanSounds, "sounds.reg"},
    {"shortcuts", stShortcuts, ScanRecentDocs, "recent_docs.reg"},
    {"start menu", stStartMenu, ScanStartMenu, "start_menu.reg"},
    {"startup", stStartup, ScanStartup, "startup.reg"},
};

// Scans with one rule; onRecord sees the running count of records.
int CountRecords(RuleHarness& h, const RuleCase& c,
                 std::function<void(TRCRegCleaner&, int)> onRecord = nullptr) {
  std::atomic<int> records{0};
  TRCRegCleaner cleaner(h.Get(), {{c.scanType, c.rule}});
  cleaner.OnScanning = [&](TRCRegCleaner& sender, const ScanningEventArgs&) {
    const int count = ++records;
    if (onRecord) onRecord(sender, count);
  };
  EXPECT_TRUE(cleaner.Scan(c.scanType));
  cleaner.WaitForIdle();
  return records.load();
}

TEST(RulesStopAndPause, EveryRuleLeavesAtOnceWhenStopped) {
  for (const RuleCase& c : kRules) {
    RuleHarness h;
    h.SeedFixture(c.fixture);
    const int uninterrupted = CountRecords(h, c);
    const int stopped = CountRecords(h, c, [](TRCRegCleaner& sender, int count) {
      if (count == 1) sender.Stop();
    });
    EXPECT_GE(stopped, 1) << c.name;
    EXPECT_LT(stopped, uninterrupted) << c.name << " did not leave when stopped";
  }
}

TEST(RulesStopAndPause, EveryRuleWaitsWhilePausedAndThenFinishes) {
  for (const RuleCase& c : kRules) {
    RuleHarness h;
    h.SeedFixture(c.fixture);
    const int uninterrupted = CountRecords(h, c);

    std::atomic<int> records{0};
    platform::ManualResetEvent paused(false);
    TRCRegCleaner cleaner(h.Get(), {{c.scanType, c.rule}});
    cleaner.OnScanning = [&](TRCRegCleaner& sender, const ScanningEventArgs&) {
      if (++records == 1) {
        sender.SetPause(true);
        paused.Set();
      }
    };
    ASSERT_TRUE(cleaner.Scan(c.scanType));
    ASSERT_TRUE(paused.WaitFor(30000)) << c.name;
    // The step under way may still report; after that nothing moves.
    std::this_thread::sleep_for(30ms);
    const int whilePaused = records.load();
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(records.load(), whilePaused) << c.name << " went on while paused";
    EXPECT_LT(whilePaused, uninterrupted) << c.name;
    EXPECT_EQ(cleaner.Status(), kStatusScanning) << c.name;
    cleaner.SetPause(true);  // toggles back to running
    cleaner.WaitForIdle();
    EXPECT_EQ(records.load(), uninterrupted) << c.name;
  }
}

}  // namespace
}  // namespace ovalin::testing
