#include "findings_model/scan_event_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace ovalin {
namespace {

ScanFindingReport Finding(std::int32_t index) {
  ScanFindingReport finding;
  finding.index = index;
  finding.errorCode = 1;
  return finding;
}

TEST(ScanEventQueue, PostsOnceUntilDrained) {
  int posts = 0;
  ScanEventQueue queue([&] { ++posts; });
  queue.PushProgress({u"HKEY_CLASSES_ROOT\\.a", 1});
  queue.PushFinding(Finding(0));
  queue.PushProgress({u"HKEY_CLASSES_ROOT\\.b", 2});
  EXPECT_EQ(posts, 1);
  ScanEventBatch batch = queue.Drain(100);
  ASSERT_EQ(batch.findings.size(), 1u);
  ASSERT_TRUE(batch.progress.has_value());
  // Progress is coalesced: the latest wins.
  EXPECT_EQ(batch.progress->path, u"HKEY_CLASSES_ROOT\\.b");
  EXPECT_EQ(batch.progress->percent, 2);
  EXPECT_FALSE(batch.endOfScan);
  EXPECT_EQ(posts, 1);
  queue.PushFinding(Finding(1));
  EXPECT_EQ(posts, 2);
}

TEST(ScanEventQueue, EndOfScanComesWithTheLastBatch) {
  int posts = 0;
  ScanEventQueue queue([&] { ++posts; });
  for (int i = 0; i < 5; ++i) queue.PushFinding(Finding(i));
  queue.PushEndScan();
  ScanEventBatch first = queue.Drain(3);
  EXPECT_EQ(first.findings.size(), 3u);
  EXPECT_FALSE(first.endOfScan);
  // Findings remain: another message is on its way.
  EXPECT_EQ(posts, 2);
  ScanEventBatch second = queue.Drain(3);
  ASSERT_EQ(second.findings.size(), 2u);
  EXPECT_EQ(second.findings[0].index, 3);
  EXPECT_TRUE(second.endOfScan);
  EXPECT_EQ(posts, 2);
  ScanEventBatch empty = queue.Drain(3);
  EXPECT_TRUE(empty.findings.empty());
  EXPECT_FALSE(empty.endOfScan);
}

// A status line counts the findings raised before the entry it names, also when the
// findings arrive over several drains or a reset starts a new scan.
TEST(ScanEventQueue, ProgressKnowsTheFindingsBeforeIt) {
  ScanEventQueue queue([] {});
  EXPECT_EQ(queue.Drain(10).FindingsBeforeProgress(), 0u);
  queue.PushProgress({u"a", 1});  // the worker reports an entry before its finding
  queue.PushFinding(Finding(0));
  ScanEventBatch first = queue.Drain(10);
  EXPECT_EQ(first.firstFinding, 0u);
  EXPECT_EQ(first.FindingsBeforeProgress(), 0u);

  queue.PushFinding(Finding(1));
  queue.PushProgress({u"b", 2});
  queue.PushFinding(Finding(2));
  queue.PushFinding(Finding(3));
  ScanEventBatch second = queue.Drain(2);
  EXPECT_EQ(second.firstFinding, 1u);
  ASSERT_TRUE(second.progress.has_value());
  EXPECT_EQ(second.progress->findingsBefore, 2u);
  EXPECT_EQ(second.FindingsBeforeProgress(), 1u);
  ScanEventBatch third = queue.Drain(2);  // no progress: every finding counts
  EXPECT_EQ(third.firstFinding, 3u);
  EXPECT_EQ(third.FindingsBeforeProgress(), 1u);

  queue.PushFinding(Finding(4));
  queue.PushProgress({u"c", 3});
  ScanEventBatch fourth = queue.Drain(10);
  EXPECT_EQ(fourth.FindingsBeforeProgress(), 1u);

  queue.Reset();
  queue.PushProgress({u"d", 1});
  queue.PushFinding(Finding(0));
  ScanEventBatch next = queue.Drain(10);
  EXPECT_EQ(next.firstFinding, 0u);
  EXPECT_EQ(next.FindingsBeforeProgress(), 0u);
}

TEST(ScanEventQueue, ResetDropsWhatWaits) {
  ScanEventQueue queue([] {});
  queue.PushFinding(Finding(0));
  queue.PushEndScan();
  queue.Reset();
  ScanEventBatch batch = queue.Drain(10);
  EXPECT_TRUE(batch.findings.empty());
  EXPECT_FALSE(batch.endOfScan);
  EXPECT_FALSE(batch.progress.has_value());
}

TEST(ScanEventQueue, WorkerEventsArriveInOrderAcrossThreads) {
  // A UI thread that drains whenever a message was posted, as the window does.
  std::atomic<int> pending{0};
  ScanEventQueue queue([&] { pending.fetch_add(1); });
  constexpr int kCount = 20000;
  std::thread worker([&] {
    for (int i = 0; i < kCount; ++i) {
      queue.PushProgress({u"path", i % 101});
      queue.PushFinding(Finding(i));
    }
    queue.PushEndScan();
  });
  std::vector<std::int32_t> received;
  bool ended = false;
  while (!ended) {
    if (pending.load() == 0) {
      std::this_thread::yield();
      continue;
    }
    pending.fetch_sub(1);
    ScanEventBatch batch = queue.Drain(512);
    ASSERT_FALSE(ended);
    for (const ScanFindingReport& finding : batch.findings) received.push_back(finding.index);
    if (batch.endOfScan) {
      ended = true;
      EXPECT_EQ(static_cast<int>(received.size()), kCount);
    }
  }
  worker.join();
  ASSERT_EQ(static_cast<int>(received.size()), kCount);
  for (int i = 0; i < kCount; ++i) ASSERT_EQ(received[i], i);
}

}  // namespace
}  // namespace ovalin
