#include "engine/clean_groups.h"

#include <chrono>
#include <unordered_map>
#include <string>

#include "engine/backup_writers.h"
#include "engine/clean_findings.h"
#include "engine/clean_removal.h"
#include "engine/finding_id.h"

namespace ovalin {

namespace {

// A group ends after this many backed-up findings, or once this time has passed since
// its first: a slow registry still shows progress and answers Stop within a few tens of
// milliseconds, and a fast one pays for one flush per few thousand findings.
constexpr std::size_t kGroupFindings = 4096;
constexpr std::chrono::milliseconds kGroupTime(25);

using SteadyClock = std::chrono::steady_clock;

bool RemoveFinding(platform::Registry& registry, const TRCScannedItem& finding) {
  switch (MarkTypeOf(finding.ScannedCode)) {
    case 0x100:
    case mtDeleteValue:
      return CleanValue(registry, finding, true);
    case mtBlankValue:
      return CleanValue(registry, finding, false);
    case mtDeleteKeyTree:
    case 0x400:
      return DeleteKeyTree(registry, finding);
    case mtDeleteEmptyKey:
      return DeleteKeyIfEmpty(registry, finding);
    default:
      return false;
  }
}

// A finding of the current group.
struct GroupMember {
  std::size_t position = 0;  // in the index list
  const TRCScannedItem* finding = nullptr;
  bool* cleaned = nullptr;  // the result shared by every finding of its identity
  bool first = false;       // the first of its identity: backed up and removed here
  bool backedUp = false;
  std::uint64_t recordsEnd = 0;  // the file's position after its records
};

class GroupedClean {
 public:
  GroupedClean(TRCRegCleaner& cleaner, const std::vector<int>& indexes, int span, int start,
               platform::File& file, CleanedFindings* done)
      : cleaner_(cleaner), indexes_(indexes), span_(span), start_(start), file_(file),
        done_(*done), committed_(file.Position()) {}

  void Run() {
    while (next_ < indexes_.size() && !cleaner_.ForceBroken()) {
      const std::uint64_t groupStart = committed_;
      BackUpGroup();
      if (cleaner_.ForceBroken()) {
        CutBackTo(committed_);
        return;
      }
      // One flush makes the whole group's records durable before any of its entries
      // goes; when it fails, the file is back at the previous commit and nothing of
      // the group is removed.
      const bool durable = file_.Position() == committed_ || CommitRecords(file_, committed_);
      if (durable) committed_ = file_.Position();
      if (!RemoveGroup(durable, groupStart)) return;
    }
  }

 private:
  void BackUpGroup() {
    group_.clear();
    const SteadyClock::time_point began = SteadyClock::now();
    std::size_t written = 0;
    auto& items = cleaner_.MutableScannedItems();
    for (; next_ < indexes_.size() && written < kGroupFindings; ++next_) {
      if (written > 0 && SteadyClock::now() - began >= kGroupTime) break;
      if (cleaner_.ForceBroken()) break;
      const int index = indexes_[next_];
      if (index < 0 || index >= cleaner_.ScannedItemsCount()) continue;
      GroupMember member;
      member.position = next_;
      member.finding = items[static_cast<std::size_t>(index)].get();
      const auto [entry, isNew] = handled_.emplace(FindingIdentity(*member.finding), false);
      member.cleaned = &entry->second;
      member.first = isNew;
      if (isNew) {
        member.backedUp = BackupFinding(cleaner_.Platform().registry, *member.finding, file_);
        member.recordsEnd = file_.Position();
        ++written;
      }
      group_.push_back(member);
    }
  }

  // Removes the group's entries once its records are durable. False when Stop ended
  // the clean; the records of the members not yet tried are then cut off.
  bool RemoveGroup(bool durable, std::uint64_t groupStart) {
    std::uint64_t attemptedEnd = groupStart;
    for (const GroupMember& member : group_) {
      if (cleaner_.ForceBroken()) {
        if (durable) CutBackTo(attemptedEnd);
        return false;
      }
      bool cleaned = *member.cleaned;
      if (member.first) {
        cleaned = durable && member.backedUp &&
                  RemoveFinding(cleaner_.Platform().registry, *member.finding);
        *member.cleaned = cleaned;
        attemptedEnd = member.recordsEnd;
      }
      if (!cleaned) continue;
      done_.cleaned[member.position] = true;
      done_.scanTypes |= ScanTypeOf(member.finding->ScannedCode);
      if (cleaner_.OnCleaning) {
        cleaner_.OnCleaning(cleaner_,
                            CleaningPercent(start_, span_, member.position, indexes_.size()));
      }
    }
    return true;
  }

  void CutBackTo(std::uint64_t position) {
    if (file_.Position() > position) CutBackRecords(file_, position);
  }

  TRCRegCleaner& cleaner_;
  const std::vector<int>& indexes_;
  const int span_;
  const int start_;
  platform::File& file_;
  CleanedFindings& done_;
  std::uint64_t committed_;
  std::size_t next_ = 0;
  std::vector<GroupMember> group_;
  // Identity of each finding handled so far -> whether it was cleaned. (Elements keep
  // their place when the table grows: members point at them.)
  std::unordered_map<std::u16string, bool> handled_;
};

}  // namespace

void CleanInGroups(TRCRegCleaner& cleaner, const std::vector<int>& indexes, int span,
                   int start, platform::File& file, CleanedFindings* done) {
  done->cleaned.assign(indexes.size(), false);
  done->scanTypes = 0;
  GroupedClean(cleaner, indexes, span, start, file, done).Run();
}

}  // namespace ovalin
