#include "findings_model/scan_event_queue.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace ovalin {

std::size_t ScanEventBatch::FindingsBeforeProgress() const {
  if (!progress) return findings.size();
  if (progress->findingsBefore <= firstFinding) return 0;
  return std::min(progress->findingsBefore - firstFinding, findings.size());
}

void ScanEventQueue::PostOnce(std::unique_lock<std::mutex>& lock) {
  if (posted_) return;
  posted_ = true;
  lock.unlock();
  if (post_) post_();
}

void ScanEventQueue::PushProgress(ScanProgressReport progress) {
  std::unique_lock<std::mutex> lock(mutex_);
  progress.findingsBefore = pushedFindings_;
  progress_ = std::move(progress);
  PostOnce(lock);
}

void ScanEventQueue::PushFinding(ScanFindingReport finding) {
  std::unique_lock<std::mutex> lock(mutex_);
  findings_.push_back(std::move(finding));
  ++pushedFindings_;
  PostOnce(lock);
}

void ScanEventQueue::PushEndScan() {
  std::unique_lock<std::mutex> lock(mutex_);
  endOfScan_ = true;
  PostOnce(lock);
}

ScanEventBatch ScanEventQueue::Drain(std::size_t maxFindings) {
  std::unique_lock<std::mutex> lock(mutex_);
  ScanEventBatch batch;
  const std::size_t waiting = findings_.size() - head_;
  const std::size_t take = std::min(waiting, maxFindings);
  batch.findings.reserve(take);
  batch.firstFinding = drainedFindings_;
  drainedFindings_ += take;
  std::move(findings_.begin() + static_cast<std::ptrdiff_t>(head_),
            findings_.begin() + static_cast<std::ptrdiff_t>(head_ + take),
            std::back_inserter(batch.findings));
  head_ += take;
  const bool more = head_ < findings_.size();
  batch.progress = std::move(progress_);
  progress_.reset();
  if (!more) {
    findings_.clear();
    head_ = 0;
    batch.endOfScan = endOfScan_;
    endOfScan_ = false;
  } else if (head_ > 4096 && head_ * 2 > findings_.size()) {
    findings_.erase(findings_.begin(), findings_.begin() + static_cast<std::ptrdiff_t>(head_));
    head_ = 0;
  }
  posted_ = false;
  if (more) PostOnce(lock);
  return batch;
}

void ScanEventQueue::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  findings_.clear();
  head_ = 0;
  progress_.reset();
  endOfScan_ = false;
  pushedFindings_ = 0;
  drainedFindings_ = 0;
  // A message already posted still arrives and finds nothing to do.
}

}  // namespace ovalin
