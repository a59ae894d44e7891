#include "engine/rescue_recovery.h"

#include <algorithm>

#include "engine/backup_reader.h"
#include "engine/rescue_names.h"
#include "engine/text_utils.h"

namespace ovalin {

const char16_t kRecoveredDescription[] =
    u"Recovered: the clean that wrote this backup did not finish recording it";

namespace {

constexpr std::u16string_view kDataFileExtension = u".rss";

bool HasDataFileExtension(std::u16string_view name) {
  return name.size() > kDataFileExtension.size() &&
         StrSameText(name.substr(name.size() - kDataFileExtension.size()), kDataFileExtension);
}

bool Contains(const std::vector<std::u16string>& names, std::u16string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::u16string& known) { return StrSameText(known, name); });
}

// The wanted name, or the first of "name (2)", "name (3)"... that no section has.
std::u16string FreeSectionName(const std::u16string& wanted,
                               const std::vector<std::u16string>& sectionNames) {
  std::u16string name = wanted;
  for (int n = 2; Contains(sectionNames, name); ++n) {
    name = wanted + u" (" + FromUtf8(std::to_string(n)) + u")";
  }
  return name;
}

}  // namespace

bool CountBackupRecords(platform::FileSystem& files, std::u16string_view dataFile,
                        std::uint32_t* records) {
  *records = 0;
  std::unique_ptr<platform::File> file = files.Open(dataFile, platform::FileOpenMode::kOpenRead);
  std::uint64_t size = 0;
  if (!file || !file->Size(&size)) return false;
  FileByteSource source(*file);
  BackupReader reader(source, size);
  if (!reader.ReadHeader()) return false;
  BackupRecordView record;
  while (reader.Next(&record)) ++*records;
  return true;
}

std::u16string SectionNameOfBackupFile(std::u16string_view backupFile) {
  std::u16string base(backupFile);
  if (HasDataFileExtension(base)) base.resize(base.size() - kDataFileExtension.size());
  // "2010-03-07 14-05-09": the time's dashes become colons.
  std::u16string section = base;
  if (section.size() == 19 && section[10] == u' ' && section[13] == u'-' && section[16] == u'-') {
    section[13] = u':';
    section[16] = u':';
    platform::FileTime local = 0;
    if (ParseSectionName(section, &local)) return section;
  }
  return base;
}

std::vector<std::unique_ptr<TRCRescueItem>> RecoverUnlistedSets(
    platform::Platform& platform, const std::u16string& folder, const std::u16string& indexFile,
    const std::vector<std::u16string>& knownFiles,
    const std::vector<std::u16string>& sectionNames) {
  // Oldest first: data files are named by the time of their clean.
  std::vector<std::u16string> unlisted;
  for (const platform::FolderEntry& entry : platform.files.ListFolder(folder)) {
    if (!entry.isFolder && HasDataFileExtension(entry.name) &&
        IsPlainBackupFileName(entry.name) && !Contains(knownFiles, entry.name)) {
      unlisted.push_back(entry.name);
    }
  }
  std::sort(unlisted.begin(), unlisted.end(), [](const std::u16string& a, const std::u16string& b) {
    return StrCompareText(a, b) < 0;
  });

  std::vector<std::unique_ptr<TRCRescueItem>> recovered;
  std::vector<std::u16string> taken = sectionNames;
  for (const std::u16string& name : unlisted) {
    std::uint32_t records = 0;
    // A file without a complete record holds nothing to restore: its clean removed
    // nothing before it stopped.
    if (!CountBackupRecords(platform.files, folder + name, &records) || records == 0) continue;
    auto item = std::make_unique<TRCRescueItem>();
    item->SectionName = FreeSectionName(SectionNameOfBackupFile(name), taken);
    item->DetailCount = records;
    item->IsRescued = false;
    item->BackupFile = name;
    item->Description = kRecoveredDescription;
    taken.push_back(item->SectionName);
    platform::ProfileFiles& profiles = platform.profiles;
    profiles.WriteString(indexFile, item->SectionName, u"DetailCount",
                         FromUtf8(std::to_string(records)));
    profiles.WriteString(indexFile, item->SectionName, u"IsRescued", u"False");
    profiles.WriteString(indexFile, item->SectionName, u"Description", item->Description);
    profiles.WriteString(indexFile, item->SectionName, u"BackupFile", item->BackupFile);
    profiles.WriteString(indexFile, item->SectionName, u"HasBeenDeleted", u"False");
    recovered.push_back(std::move(item));
  }
  return recovered;
}

}  // namespace ovalin
