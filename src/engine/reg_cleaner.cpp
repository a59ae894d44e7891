#include "engine/reg_cleaner.h"

#include <algorithm>

#include "engine/scan_gate.h"
#include "engine/text_utils.h"

namespace ovalin {

TRCRegCleaner::TRCRegCleaner(platform::Platform& platform, std::vector<ScanRuleEntry> rules)
    : platform_(platform), rules_(std::move(rules)), paths_(platform.files, platform.system) {
  SetRescueDir(AppFolder(platform_.system) + u"Data\\ZUNRC\\");
}

TRCRegCleaner::~TRCRegCleaner() {
  Stop();
  if (worker_.joinable()) worker_.join();
}

void TRCRegCleaner::SetStatus(std::uint32_t status) {
  if (status == kStatusCleaning || status == kStatusRestoring) {
    operationThread_ = std::this_thread::get_id();
  }
  status_.exchange(status);
  if (status == kStatusIdle) {
    idle_.Set();
  } else {
    idle_.Reset();
  }
}

bool TRCRegCleaner::Scan(std::uint32_t scanTypes) {
  const std::uint32_t types = scanTypes & kScanTypeMask;
  if (types == 0) return false;
  std::uint32_t expected = kStatusIdle;
  if (!status_.compare_exchange_strong(expected, kStatusScanning)) return false;
  idle_.Reset();
  forceBroken_.store(0);

  try {
    if (OnBeginScan) OnBeginScan(*this);
  } catch (...) {
    SetStatus(kStatusIdle);
    return false;
  }
  items_.clear();
  paused_.store(0);
  // The previous worker set Status to 0 as its last step; it is about to end.
  if (worker_.joinable()) worker_.join();
  pauseEvent_ = std::make_unique<platform::ManualResetEvent>(true);
  paths_.Reset();
  knownKeys_.Clear();
  ignored_.store(0);
  worker_ = std::thread(&TRCRegCleaner::RunWorker, this, types);
  return true;
}

void TRCRegCleaner::RunWorker(std::uint32_t scanTypes) {
  workerThread_.store(std::this_thread::get_id());
  SetStatus(kStatusScanning);
  ScanGate().WaitAndReset();
  try {
    for (const std::uint32_t type : kRunOrder) {
      if ((scanTypes & type) == 0) continue;
      // After a stop no further rule starts: most list their whole area before their
      // first poll, which on a large registry takes long.
      if (ForceBroken()) break;
      const auto entry = std::find_if(rules_.begin(), rules_.end(),
                                       [type](const ScanRuleEntry& e) { return e.scanType == type; });
      if (entry != rules_.end() && entry->rule) entry->rule(*this, 0, 100);
    }
  } catch (...) {
    // A rule that fails ends the scan early; the gate still opens and the scan still
    // ends, so that later scans and Stop never wait for ever.
  }
  ScanGate().Set();
  try {
    if (OnEndScan) OnEndScan(*this);
  } catch (...) {
  }
  SetStatus(kStatusIdle);
}

void TRCRegCleaner::Stop() {
  const std::uint32_t status = status_.load();
  if (status == kStatusIdle) return;
  if (Pause()) SetPause(true);
  std::int32_t expected = 0;
  forceBroken_.compare_exchange_strong(expected, 1);
  // Reached from inside the running operation (an event handler of the scan worker, or
  // of a clean or restore on its caller's thread), waiting here would wait for ourselves.
  // The operation sees ForceBroken at its next step.
  const bool fromWorker =
      status == kStatusScanning && workerThread_.load() == std::this_thread::get_id();
  const bool fromOperation = (status == kStatusCleaning || status == kStatusRestoring) &&
                             operationThread_ == std::this_thread::get_id();
  if (fromWorker || fromOperation) return;
  while (status_.load() != kStatusIdle) {
    platform_.messages.ProcessPending();
    if (status_.load() == kStatusIdle) break;
    platform_.messages.WaitForEventOrMessage(idle_);
  }
}

void TRCRegCleaner::SetPause(bool) {
  const std::int32_t current = paused_.load();
  const std::int32_t next = current == 0 ? 1 : 0;
  std::int32_t expected = current;
  paused_.compare_exchange_strong(expected, next);
  if (!pauseEvent_) return;
  if (paused_.load() != 0) {
    pauseEvent_->Reset();
  } else {
    pauseEvent_->Set();
  }
}

void TRCRegCleaner::WaitWhilePaused() {
  if (pauseEvent_) pauseEvent_->Wait();
}

void TRCRegCleaner::AddFinding(std::unique_ptr<TRCScannedItem> item, int percent) {
  if (!item) return;
  item->Path = PathRemoveBackslash(item->Path);
  if (ErrorCodeOf(item->ScannedCode) != 0 && ignoreList_ != nullptr &&
      ignoreList_->Contains(ScanTypeOf(item->ScannedCode), item->Path, item->ValueName)) {
    // Judged and broken, but the person keeps it: counted, and reported as an entry in
    // order.
    ++ignored_;
    item->ScannedCode = ScanTypeOf(item->ScannedCode);
    item->Reason = {};
  }
  const std::uint32_t code = item->ScannedCode;
  auto raise = [&](std::int32_t index) {
    if (!OnScanning) return;
    const ScanningEventArgs args{index,           item->Path,       item->Title,
                                 item->ValueName, item->Value,      ScanTypeOf(code),
                                 MarkTypeOf(code), ErrorCodeOf(code), percent,
                                 item->Reason};
    OnScanning(*this, args);
  };
  if (ErrorCodeOf(code) == 0) {
    raise(0);
    return;
  }
  if (MarkTypeOf(code) == mtSecondPass) {
    raise(static_cast<std::int32_t>(secondPass_.size()));
    secondPass_.push_back(std::move(item));
    return;
  }
  raise(static_cast<std::int32_t>(items_.size()));
  items_.push_back(std::move(item));
}

}  // namespace ovalin
