// Hands the events of a scan from the worker thread to the user-interface thread, in
// the order they were raised, through one posted message at a time: the worker pushes,
// the first push into an empty queue asks `post` to post the message, and the UI thread
// drains the queue when the message arrives. Progress (the path being examined and the
// percentage) is coalesced: only the latest report waits, so a scan of a million entries
// posts no more messages than the UI thread can drain. The end of the scan is queued
// behind the last finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/scanned_item.h"

namespace ovalin {

struct ScanProgressReport {
  std::u16string path;
  int percent = 0;
  // How many findings of the scan were raised before this report (set by the queue).
  std::size_t findingsBefore = 0;
};

struct ScanFindingReport {
  std::int32_t index = 0;
  std::uint32_t scanType = 0;
  std::uint32_t markType = 0;
  std::uint32_t errorCode = 0;
  std::u16string path;
  std::u16string valueName;
  std::u16string value;
  FindingReason reason;
  bool wow32 = false;  // an entry of the 32-bit programs' view
};

// What one drain hands to the user-interface thread.
struct ScanEventBatch {
  std::vector<ScanFindingReport> findings;    // in the order raised
  std::size_t firstFinding = 0;               // the scan's count of findings before them
  std::optional<ScanProgressReport> progress;  // the latest, if any arrived
  bool endOfScan = false;                      // after every finding of the scan

  // How many of this batch's findings were raised before the progress report (all of
  // them when there is none): a status line counts only those.
  std::size_t FindingsBeforeProgress() const;
};

class ScanEventQueue {
 public:
  // post: asks the UI thread to call Drain; called from whichever thread pushes.
  explicit ScanEventQueue(std::function<void()> post) : post_(std::move(post)) {}
  ScanEventQueue(const ScanEventQueue&) = delete;
  ScanEventQueue& operator=(const ScanEventQueue&) = delete;

  // Worker side.
  void PushProgress(ScanProgressReport progress);
  void PushFinding(ScanFindingReport finding);
  void PushEndScan();

  // UI side: takes at most maxFindings findings in order and the latest progress. The
  // end of the scan is
  // handed over only with the last finding before it; when findings remain, another
  // message is posted so that the UI thread paints between batches.
  ScanEventBatch Drain(std::size_t maxFindings);
  // Drops whatever waits (a new scan begins, or the window goes away).
  void Reset();

 private:
  void PostOnce(std::unique_lock<std::mutex>& lock);

  std::function<void()> post_;
  std::mutex mutex_;
  std::vector<ScanFindingReport> findings_;
  std::size_t head_ = 0;  // first finding not yet drained
  std::size_t pushedFindings_ = 0;   // findings pushed since the last reset
  std::size_t drainedFindings_ = 0;  // findings drained since the last reset
  std::optional<ScanProgressReport> progress_;
  bool endOfScan_ = false;
  bool posted_ = false;
};

}  // namespace ovalin
