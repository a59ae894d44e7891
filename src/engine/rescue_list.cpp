// The listing of the backup index and the deletion of backup sets.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/reg_cleaner.h"
#include "engine/rescue_names.h"
#include "engine/rescue_recovery.h"
#include "engine/text_utils.h"

namespace ovalin {

namespace {

bool IsFalseText(std::u16string_view text) { return StrSameText(text, u"False"); }

// A DetailCount as written by the clean: decimal digits that fit 32 bits.
bool ParseDetailCount(std::u16string_view text, std::uint32_t* count) {
  if (text.empty() || text.size() > 10) return false;
  std::uint64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - u'0');
  }
  if (value > UINT32_MAX) return false;
  *count = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace

void TRCRegCleaner::UpdateRescueList() {
  platform::Platform& p = platform_;
  if (!p.files.CreateFolders(rescueDir_)) return;
  rescueList_.clear();
  const std::u16string& index = rescueListFile_;
  const std::u16string folder = FileFolder(index);
  // Every data file a section names, listed or not; the others are recovered below.
  std::vector<std::u16string> namedFiles;
  for (const std::u16string& section : p.profiles.SectionNames(index)) {
    const std::u16string backupFile =
        p.profiles.ReadString(index, section, u"BackupFile").value_or(u"");
    namedFiles.push_back(backupFile);
    // A name that leads out of the backup folder is never opened or deleted.
    if (!backupFile.empty() && !IsPlainBackupFileName(backupFile)) continue;
    const std::u16string dataFile = folder + backupFile;
    if (backupFile.empty() || p.files.Probe(dataFile) != platform::PathKind::kFile) {
      p.profiles.EraseSection(index, section);
      continue;
    }
    if (!IsFalseText(p.profiles.ReadString(index, section, u"HasBeenDeleted").value_or(u"False"))) {
      if (p.files.DeleteFile(dataFile)) p.profiles.EraseSection(index, section);
      continue;
    }
    auto item = std::make_unique<TRCRescueItem>();
    // A count that is not a decimal number hides this set; the listing goes on.
    if (!ParseDetailCount(p.profiles.ReadString(index, section, u"DetailCount").value_or(u"0"),
                          &item->DetailCount)) {
      continue;
    }
    const std::u16string rescued =
        p.profiles.ReadString(index, section, u"IsRescued").value_or(u"False");
    item->IsRescued = !(IsFalseText(rescued) || rescued == u"0");
    item->SectionName = section;
    item->BackupFile = backupFile;
    item->Description = p.profiles.ReadString(index, section, u"Description").value_or(u"");
    item->HasBeenDeleted = false;
    rescueList_.push_back(std::move(item));
  }
  for (auto& recovered :
       RecoverUnlistedSets(p, folder, index, namedFiles, p.profiles.SectionNames(index))) {
    rescueList_.push_back(std::move(recovered));
  }
}

bool TRCRegCleaner::DeleteRescue(TRCRescueItem* item) {
  if (item == nullptr) return false;
  platform::Platform& p = platform_;
  const std::u16string dataFile = rescueDir_ + item->BackupFile;
  if (IsPlainBackupFileName(item->BackupFile) &&
      p.files.Probe(dataFile) == platform::PathKind::kFile && !p.files.DeleteFile(dataFile)) {
    p.profiles.WriteString(rescueListFile_, item->SectionName, u"HasBeenDeleted", u"True");
    return false;
  }
  return p.profiles.EraseSection(rescueListFile_, item->SectionName);
}

void TRCRegCleaner::DeleteAllRescue() {
  for (int i = 0; i < RescueCount(); ++i) DeleteRescue(RescueItems(i));
}

}  // namespace ovalin
