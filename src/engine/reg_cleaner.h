// TRCRegCleaner: runs scans on a worker thread, collects findings, cleans them with
// backups, and lists, restores and deletes backup sets.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/ignore_list.h"
#include "engine/path_judge.h"
#include "engine/rescue_item.h"
#include "engine/scan_answers.h"
#include "engine/scanned_item.h"
#include "platform/event.h"
#include "platform/platform.h"

namespace ovalin {

class TRCRegCleaner;

// A scan rule: walks its area and hands records to AddFinding. start and span are the
// percentages of the progress it reports.
using ScanRule = std::function<void(TRCRegCleaner& cleaner, int start, int span)>;

struct ScanRuleEntry {
  std::uint32_t scanType;
  ScanRule rule;  // empty: nothing to scan for this type
};

// The eleven scan types in the order the worker runs them.
constexpr std::uint32_t kRunOrder[11] = {stComponents, stFileTypes, stPrograms,
                                         stSharedDlls, stHelpFiles, stHistoryList,
                                         stFonts,      stSounds,    stShortcuts,
                                         stStartMenu,  stStartup};

struct ScanningEventArgs {
  std::int32_t index;
  const std::u16string& path;
  const std::u16string& title;
  const std::u16string& valueName;
  const std::u16string& value;
  std::uint32_t scanType;
  std::uint32_t markType;
  std::uint32_t errorCode;
  int percent;
  const FindingReason& reason;  // kNone for an entry in order
};

struct RestoringEventArgs {
  const std::u16string& path;
  const std::u16string& valueName;
  std::uint32_t valueDataSize;
  std::uint32_t valueDataType;
  const std::uint8_t* valueData;  // valid only during the event; nullptr when size is 0
  int percent;
};

using TNotifyEvent = std::function<void(TRCRegCleaner& sender)>;
using TRCScanningEvent = std::function<void(TRCRegCleaner& sender, const ScanningEventArgs&)>;
using TRCCleaningEvent = std::function<void(TRCRegCleaner& sender, int percent)>;
using TRCRestoringEvent =
    std::function<void(TRCRegCleaner& sender, const RestoringEventArgs&)>;

enum : std::uint32_t { kStatusIdle = 0, kStatusScanning = 1, kStatusCleaning = 2,
                       kStatusRestoring = 4 };

class TRCRegCleaner {
 public:
  // rules: the run-order table (entries for the scan types that have a rule).
  TRCRegCleaner(platform::Platform& platform, std::vector<ScanRuleEntry> rules);
  ~TRCRegCleaner();
  TRCRegCleaner(const TRCRegCleaner&) = delete;
  TRCRegCleaner& operator=(const TRCRegCleaner&) = delete;

  platform::Platform& Platform() const { return platform_; }
  // The rules' judge of file paths; it starts afresh with every scan.
  PathJudge& Paths() { return paths_; }
  // Whether the keys that entries refer to exist (full paths), for the current scan.
  ScanAnswers<bool>& KnownKeys() { return knownKeys_; }

  // --- scanning ---
  bool Scan(std::uint32_t scanTypes);
  void Stop();
  // Blocks until no operation runs (for callers without a user interface).
  void WaitForIdle() { idle_.Wait(); }
  bool Pause() const { return paused_.load() != 0; }
  void SetPause(bool ignored);  // toggles, whatever is written
  bool ForceBroken() const { return forceBroken_.load() != 0; }
  std::uint32_t Status() const { return status_.load(); }
  platform::ManualResetEvent* ScanningPauseEvent() const { return pauseEvent_.get(); }
  // Blocks while the scan is paused, for the rules.
  void WaitWhilePaused();

  const std::vector<std::unique_ptr<TRCScannedItem>>& ScannedItems() const { return items_; }
  int ScannedItemsCount() const { return static_cast<int>(items_.size()); }
  const std::vector<std::unique_ptr<TRCScannedItem>>& ScannedItems_SecondClean() const {
    return secondPass_;
  }
  int ScannedItemsCount_SecondClean() const { return static_cast<int>(secondPass_.size()); }

  // Entries the person chose to ignore: judged, but counted instead of reported. The list
  // must not change while a scan runs; nullptr ignores nothing.
  void SetIgnoreList(const IgnoreList* list) { ignoreList_ = list; }
  // How many broken entries the last scan left out because they are ignored.
  int IgnoredCount() const { return ignored_.load(); }

  // The single entry by which a rule hands over a record; the cleaner takes it over.
  void AddFinding(std::unique_ptr<TRCScannedItem> item, int percent);

  // --- cleaning (backup set written into RescueDir) ---
  // failIndexes receives the indexes that were not cleaned.
  bool Clean(const std::vector<int>& indexes, std::vector<int>* failIndexes,
             const std::u16string& description);
  bool CleanAll(std::vector<int>* failIndexes, const std::u16string& description);
  // The data file of the last clean when its set could not be recorded in the backup
  // index (read-only, locked or full disk), empty otherwise. Its backups are complete and
  // a listing recovers the file, but the person should be told.
  const std::u16string& UnrecordedBackupFile() const { return unrecordedBackupFile_; }
  void SetUnrecordedBackupFile(std::u16string file) { unrecordedBackupFile_ = std::move(file); }

  // --- backups ---
  const std::u16string& RescueDir() const { return rescueDir_; }
  void SetRescueDir(const std::u16string& folder);
  const std::u16string& RescueListFile() const { return rescueListFile_; }
  void UpdateRescueList();
  int RescueCount() const { return static_cast<int>(rescueList_.size()); }
  TRCRescueItem* RescueItems(int index) const;
  bool RestoreRescue(const std::u16string& backupFile);
  bool DeleteRescue(TRCRescueItem* item);
  void DeleteAllRescue();

  // --- events (raised only when set) ---
  TNotifyEvent OnBeginScan;
  TRCScanningEvent OnScanning;
  TNotifyEvent OnEndScan;
  TNotifyEvent OnBeginClean;
  TRCCleaningEvent OnCleaning;
  TNotifyEvent OnEndClean;
  TNotifyEvent OnBeginRestore;
  TRCRestoringEvent OnRestoring;
  TNotifyEvent OnEndRestore;

  // For the clean and restore code of the engine.
  void SetStatus(std::uint32_t status);
  void ClearForceBroken() { forceBroken_.store(0); }
  std::vector<std::unique_ptr<TRCScannedItem>>& MutableScannedItems() { return items_; }

 private:
  void RunWorker(std::uint32_t scanTypes);

  platform::Platform& platform_;
  std::vector<ScanRuleEntry> rules_;
  PathJudge paths_;
  ScanAnswers<bool> knownKeys_;
  const IgnoreList* ignoreList_ = nullptr;
  std::atomic<int> ignored_{0};
  std::atomic<std::uint32_t> status_{kStatusIdle};
  std::atomic<std::int32_t> forceBroken_{0};
  std::atomic<std::int32_t> paused_{0};
  std::unique_ptr<platform::ManualResetEvent> pauseEvent_;
  // Signalled whenever Status is 0, so that Stop can wait without spinning.
  platform::ManualResetEvent idle_{true};
  std::thread worker_;
  // The thread running the current clean or restore, and the scan worker's thread.
  std::thread::id operationThread_;
  std::atomic<std::thread::id> workerThread_{};
  std::vector<std::unique_ptr<TRCScannedItem>> items_;
  std::vector<std::unique_ptr<TRCScannedItem>> secondPass_;
  std::u16string rescueDir_;
  std::u16string rescueListFile_;
  std::vector<std::unique_ptr<TRCRescueItem>> rescueList_;
  std::u16string unrecordedBackupFile_;
};

}  // namespace ovalin
