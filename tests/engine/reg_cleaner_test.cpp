#include "engine/reg_cleaner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/test_platform.h"

namespace ovalin {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<TRCScannedItem> Item(std::uint32_t code, std::u16string path = u"HKEY_CLASSES_ROOT\\x") {
  auto item = std::make_unique<TRCScannedItem>();
  item->ScannedCode = code;
  item->Path = std::move(path);
  return item;
}

// Waits (in the test only) until the cleaner is idle again.
bool WaitIdle(const TRCRegCleaner& cleaner) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (cleaner.Status() != kStatusIdle) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

// A rule table where every scan type's rule records that it ran and reports one finding
// with its own bit.
struct RecordingRules {
  std::mutex mutex;
  std::vector<std::uint32_t> ran;

  std::vector<ScanRuleEntry> Table() {
    std::vector<ScanRuleEntry> table;
    for (std::uint32_t type : kRunOrder) {
      table.push_back({type, [this, type](TRCRegCleaner& cleaner, int start, int span) {
                         EXPECT_EQ(start, 0);
                         EXPECT_EQ(span, 100);
                         {
                           std::lock_guard<std::mutex> lock(mutex);
                           ran.push_back(type);
                         }
                         cleaner.AddFinding(Item(type | mtDeleteValue | 0x25), 100);
                       }});
    }
    return table;
  }
};

// A rule that reports `steps` progress records, honouring stop and pause before each,
// and that can be held at its first step until released.
struct SteppingRule {
  int steps = 1000;
  std::atomic<int> done{0};
  platform::ManualResetEvent release{true};

  ScanRuleEntry Entry(std::uint32_t type = stFonts) {
    return {type, [this, type](TRCRegCleaner& cleaner, int, int) {
              for (int i = 0; i < steps; ++i) {
                release.Wait();
                if (cleaner.ForceBroken()) return;
                if (cleaner.Pause()) cleaner.WaitWhilePaused();
                cleaner.AddFinding(Item(type), i * 100 / steps);
                ++done;
                std::this_thread::sleep_for(100us);
              }
            }};
  }
};

class CleanerTest : public ::testing::Test {
 protected:
  testing::TestPlatform test_;
};

TEST_F(CleanerTest, RefusesMasksWithoutScanTypeBits) {
  RecordingRules rules;
  TRCRegCleaner cleaner(test_.Get(), rules.Table());
  bool began = false;
  cleaner.OnBeginScan = [&](TRCRegCleaner&) { began = true; };
  EXPECT_FALSE(cleaner.Scan(0));
  EXPECT_FALSE(cleaner.Scan(0xFFF));
  EXPECT_EQ(cleaner.Status(), kStatusIdle);
  EXPECT_FALSE(began);
}

TEST_F(CleanerTest, RunsTheRulesInRunOrder) {
  struct Case { std::uint32_t mask; std::vector<std::uint32_t> order; };
  const Case cases[] = {
      {kAllScanTypes, std::vector<std::uint32_t>(std::begin(kRunOrder), std::end(kRunOrder))},
      {stShortcuts | stSounds, {stSounds, stShortcuts}},
      {stStartup | stComponents | 0xFFF, {stComponents, stStartup}},
  };
  for (const auto& c : cases) {
    RecordingRules rules;
    TRCRegCleaner cleaner(test_.Get(), rules.Table());
    ASSERT_TRUE(cleaner.Scan(c.mask));
    ASSERT_TRUE(WaitIdle(cleaner));
    EXPECT_EQ(rules.ran, c.order) << std::hex << c.mask;
    EXPECT_EQ(cleaner.ScannedItemsCount(), static_cast<int>(c.order.size()));
  }
}

TEST_F(CleanerTest, AddFindingIndexesListsAndStripsOneBackslash) {
  const std::vector<ScanRuleEntry> table = {
      {stFonts, [](TRCRegCleaner& cleaner, int, int) {
         cleaner.AddFinding(Item(stFonts, u"HKEY_CURRENT_USER\\progress\\"), 10);
         cleaner.AddFinding(Item(stFonts | mtDeleteValue | 59, u"HKEY_CURRENT_USER\\a\\"), 20);
         cleaner.AddFinding(Item(stFonts | mtSecondPass | 113, u"HKEY_CURRENT_USER\\s"), 30);
         cleaner.AddFinding(Item(stFonts | mtDeleteValue | 59, u"HKEY_CURRENT_USER\\b\\\\"), 40);
         cleaner.AddFinding(Item(stFonts | mtDeleteKeyTree | 59, u""), 50);
         cleaner.AddFinding(Item(stFonts | mtSecondPass | 113, u"HKEY_CURRENT_USER\\t"), 60);
       }}};
  TRCRegCleaner cleaner(test_.Get(), table);
  struct Seen { int index; std::u16string path; std::uint32_t scan, mark, error; int percent; };
  std::vector<Seen> seen;
  cleaner.OnScanning = [&](TRCRegCleaner&, const ScanningEventArgs& e) {
    seen.push_back({e.index, e.path, e.scanType, e.markType, e.errorCode, e.percent});
  };
  ASSERT_TRUE(cleaner.Scan(stFonts));
  ASSERT_TRUE(WaitIdle(cleaner));

  ASSERT_EQ(seen.size(), 6u);
  const int expectedIndexes[] = {0, 0, 0, 1, 2, 1};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].index, expectedIndexes[i]) << i;
    EXPECT_EQ(seen[i].percent, static_cast<int>(i + 1) * 10);
    EXPECT_EQ(seen[i].scan, stFonts);
  }
  EXPECT_EQ(seen[0].path, u"HKEY_CURRENT_USER\\progress");
  EXPECT_EQ(seen[1].mark, mtDeleteValue);
  EXPECT_EQ(seen[1].error, 59u);
  EXPECT_EQ(seen[3].path, u"HKEY_CURRENT_USER\\b\\");
  EXPECT_EQ(cleaner.ScannedItemsCount(), 3);
  EXPECT_EQ(cleaner.ScannedItemsCount_SecondClean(), 2);
  EXPECT_EQ(cleaner.ScannedItems()[0]->Path, u"HKEY_CURRENT_USER\\a");
  EXPECT_EQ(cleaner.ScannedItems()[2]->Path, u"");
  EXPECT_FALSE(cleaner.ScannedItems()[0]->Deleted);
}

TEST_F(CleanerTest, ASecondScanKeepsTheSecondPassList) {
  const std::vector<ScanRuleEntry> table = {
      {stFileTypes, [](TRCRegCleaner& cleaner, int, int) {
         cleaner.AddFinding(Item(stFileTypes | mtDeleteValue | 54), 50);
         cleaner.AddFinding(Item(stFileTypes | mtSecondPass | 113), 100);
       }}};
  TRCRegCleaner cleaner(test_.Get(), table);
  ASSERT_TRUE(cleaner.Scan(stFileTypes));
  ASSERT_TRUE(WaitIdle(cleaner));
  ASSERT_TRUE(cleaner.Scan(stFileTypes));
  ASSERT_TRUE(WaitIdle(cleaner));
  EXPECT_EQ(cleaner.ScannedItemsCount(), 1);
  EXPECT_EQ(cleaner.ScannedItemsCount_SecondClean(), 2);
}

TEST_F(CleanerTest, ScanWhileScanningIsRefusedAndTheRunningScanGoesOn) {
  SteppingRule rule;
  rule.steps = 5;
  rule.release.Reset();
  TRCRegCleaner cleaner(test_.Get(), {rule.Entry()});
  int ended = 0;
  cleaner.OnEndScan = [&](TRCRegCleaner&) { ++ended; };
  ASSERT_TRUE(cleaner.Scan(stFonts));
  EXPECT_EQ(cleaner.Status(), kStatusScanning);
  EXPECT_FALSE(cleaner.Scan(stFonts));
  rule.release.Set();
  ASSERT_TRUE(WaitIdle(cleaner));
  EXPECT_EQ(rule.done.load(), 5);
  EXPECT_EQ(ended, 1);
}

TEST_F(CleanerTest, PauseTogglesAndStopEndsAPausedScan) {
  SteppingRule rule;
  TRCRegCleaner cleaner(test_.Get(), {rule.Entry()});
  std::atomic<bool> endRaised{false};
  std::atomic<std::uint32_t> statusDuringEnd{99};
  cleaner.OnEndScan = [&](TRCRegCleaner& sender) {
    statusDuringEnd = sender.Status();
    endRaised = true;
  };
  ASSERT_TRUE(cleaner.Scan(stFonts));
  cleaner.SetPause(true);
  EXPECT_TRUE(cleaner.Pause());
  cleaner.SetPause(true);  // writing true again toggles back
  EXPECT_FALSE(cleaner.Pause());
  cleaner.SetPause(false);  // the value written does not matter
  EXPECT_TRUE(cleaner.Pause());
  EXPECT_FALSE(cleaner.ScanningPauseEvent()->IsSet());

  // While paused the rule makes no progress.
  std::this_thread::sleep_for(20ms);
  const int whilePaused = rule.done.load();
  std::this_thread::sleep_for(30ms);
  EXPECT_LE(rule.done.load(), whilePaused + 1);

  cleaner.Stop();
  EXPECT_EQ(cleaner.Status(), kStatusIdle);
  EXPECT_FALSE(cleaner.Pause());
  EXPECT_TRUE(cleaner.ForceBroken());
  EXPECT_TRUE(endRaised.load());
  EXPECT_EQ(statusDuringEnd.load(), kStatusScanning);
  EXPECT_LT(rule.done.load(), rule.steps);
}

TEST_F(CleanerTest, StopWhenIdleReturnsAtOnce) {
  TRCRegCleaner cleaner(test_.Get(), {});
  cleaner.Stop();
  EXPECT_FALSE(cleaner.ForceBroken());
}

TEST_F(CleanerTest, ForceBrokenIsClearedByTheNextScan) {
  SteppingRule rule;
  rule.steps = 3;
  TRCRegCleaner cleaner(test_.Get(), {rule.Entry()});
  ASSERT_TRUE(cleaner.Scan(stFonts));
  cleaner.Stop();
  EXPECT_TRUE(cleaner.ForceBroken());
  ASSERT_TRUE(cleaner.Scan(stFonts));
  EXPECT_FALSE(cleaner.ForceBroken());
  ASSERT_TRUE(WaitIdle(cleaner));
}

TEST_F(CleanerTest, EndScanHandlerCannotStartAnotherScan) {
  RecordingRules rules;
  TRCRegCleaner cleaner(test_.Get(), rules.Table());
  std::atomic<int> nestedResult{-1};
  cleaner.OnEndScan = [&](TRCRegCleaner& sender) { nestedResult = sender.Scan(stFonts) ? 1 : 0; };
  ASSERT_TRUE(cleaner.Scan(stFonts));
  ASSERT_TRUE(WaitIdle(cleaner));
  EXPECT_EQ(nestedResult.load(), 0);
}

TEST_F(CleanerTest, ARuleThatThrowsStillEndsTheScanAndOpensTheGate) {
  bool throwNow = true;
  const std::vector<ScanRuleEntry> table = {
      {stComponents, [&](TRCRegCleaner& cleaner, int, int) {
         cleaner.AddFinding(Item(stComponents | mtDeleteValue | 34), 10);
         if (throwNow) throw std::runtime_error("rule failed");
       }}};
  TRCRegCleaner cleaner(test_.Get(), table);
  std::atomic<int> ends{0};
  cleaner.OnEndScan = [&](TRCRegCleaner&) { ++ends; };
  ASSERT_TRUE(cleaner.Scan(stComponents));
  ASSERT_TRUE(WaitIdle(cleaner));
  EXPECT_EQ(ends.load(), 1);
  EXPECT_EQ(cleaner.ScannedItemsCount(), 1);
  throwNow = false;
  ASSERT_TRUE(cleaner.Scan(stComponents));
  ASSERT_TRUE(WaitIdle(cleaner));
  EXPECT_EQ(ends.load(), 2);
}

TEST_F(CleanerTest, TheScanGateAdmitsOneWorkerAtATime) {
  std::atomic<int> running{0};
  std::atomic<int> most{0};
  auto rule = [&](TRCRegCleaner&, int, int) {
    const int now = ++running;
    int seen = most.load();
    while (now > seen && !most.compare_exchange_weak(seen, now)) {
    }
    std::this_thread::sleep_for(30ms);
    --running;
  };
  TRCRegCleaner first(test_.Get(), {{stFonts, rule}});
  TRCRegCleaner second(test_.Get(), {{stFonts, rule}});
  ASSERT_TRUE(first.Scan(stFonts));
  ASSERT_TRUE(second.Scan(stFonts));
  ASSERT_TRUE(WaitIdle(first));
  ASSERT_TRUE(WaitIdle(second));
  EXPECT_EQ(most.load(), 1);
}

TEST_F(CleanerTest, DestroyingAScanningCleanerStopsIt) {
  SteppingRule rule;
  rule.steps = 100000;
  {
    TRCRegCleaner cleaner(test_.Get(), {rule.Entry()});
    ASSERT_TRUE(cleaner.Scan(stFonts));
    std::this_thread::sleep_for(5ms);
  }
  EXPECT_LT(rule.done.load(), rule.steps);
}

TEST_F(CleanerTest, BackupFolderDefaultsBesideTheProgram) {
  TRCRegCleaner cleaner(test_.Get(), {});
  const std::u16string folder = cleaner.RescueDir();
  ASSERT_GE(folder.size(), 11u);
  EXPECT_EQ(folder.substr(folder.size() - 11), u"Data\\ZUNRC\\");
  EXPECT_EQ(cleaner.RescueListFile(), folder + u"ResList.ini");
  cleaner.SetRescueDir(u"C:\\elsewhere");
  EXPECT_EQ(cleaner.RescueDir(), u"C:\\elsewhere\\");
  EXPECT_EQ(cleaner.RescueListFile(), u"C:\\elsewhere\\ResList.ini");
  EXPECT_EQ(cleaner.RescueItems(0), nullptr);
  EXPECT_EQ(cleaner.RescueItems(-1), nullptr);
}

}  // namespace
}  // namespace ovalin

namespace ovalin {
namespace {

TEST_F(CleanerTest, StopFromAScanHandlerEndsTheScanWithoutWaitingForItself) {
  SteppingRule rule;
  TRCRegCleaner cleaner(test_.Get(), {rule.Entry()});
  std::atomic<int> records{0};
  cleaner.OnScanning = [&](TRCRegCleaner& sender, const ScanningEventArgs&) {
    if (++records == 3) sender.Stop();
  };
  ASSERT_TRUE(cleaner.Scan(stFonts));
  ASSERT_TRUE(WaitIdle(cleaner));
  EXPECT_EQ(records.load(), 3);
  EXPECT_TRUE(cleaner.ForceBroken());
}

}  // namespace
}  // namespace ovalin
