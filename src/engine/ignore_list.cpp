#include "engine/ignore_list.h"

#include <algorithm>
#include <optional>

#include "engine/text_utils.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kSectionPrefix = u"Entry";

std::u16string Fenced(std::u16string_view text) { return u"|" + std::u16string(text) + u"|"; }

std::optional<std::u16string> Unfenced(const std::optional<std::u16string>& text) {
  if (!text || text->size() < 2 || text->front() != u'|' || text->back() != u'|') {
    return std::nullopt;
  }
  return text->substr(1, text->size() - 2);
}

bool Storable(std::u16string_view text) {
  return text.find_first_of(u"\r\n") == std::u16string_view::npos;
}

}  // namespace

bool IgnoredEntry::Matches(std::uint32_t otherScanType, std::u16string_view otherPath,
                           std::u16string_view otherValueName) const {
  return scanType == otherScanType && StrSameText(path, otherPath) &&
         StrSameText(valueName, otherValueName);
}

void IgnoreList::Load(const std::u16string& file) {
  file_ = file;
  entries_.clear();
  for (const std::u16string& section : profiles_.SectionNames(file)) {
    if (section.size() <= kSectionPrefix.size() ||
        !StrSameText(std::u16string_view(section).substr(0, kSectionPrefix.size()),
                     kSectionPrefix)) {
      continue;
    }
    const auto type = profiles_.ReadString(file, section, u"ScanType");
    const auto path = Unfenced(profiles_.ReadString(file, section, u"Path"));
    const auto valueName = Unfenced(profiles_.ReadString(file, section, u"ValueName"));
    if (!type || !path || !valueName || path->empty()) continue;
    const std::string digits = ToUtf8(*type);
    if (digits.empty() || digits.size() > 10 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      continue;
    }
    const unsigned long long scanType = std::stoull(digits);
    if (scanType == 0 || scanType > 0xFFFFFFFFull) continue;
    IgnoredEntry entry{static_cast<std::uint32_t>(scanType), *path, *valueName};
    if (!Contains(entry.scanType, entry.path, entry.valueName)) entries_.push_back(std::move(entry));
  }
}

bool IgnoreList::Save() {
  if (file_.empty()) return false;
  bool ok = true;
  for (const std::u16string& section : profiles_.SectionNames(file_)) {
    ok &= profiles_.EraseSection(file_, section);
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const IgnoredEntry& entry = entries_[i];
    const std::u16string section = std::u16string(kSectionPrefix) + FromUtf8(std::to_string(i + 1));
    ok &= profiles_.WriteString(file_, section, u"ScanType",
                                FromUtf8(std::to_string(entry.scanType)));
    ok &= profiles_.WriteString(file_, section, u"Path", Fenced(entry.path));
    ok &= profiles_.WriteString(file_, section, u"ValueName", Fenced(entry.valueName));
  }
  return ok;
}

bool IgnoreList::Contains(std::uint32_t scanType, std::u16string_view path,
                          std::u16string_view valueName) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const IgnoredEntry& entry) {
    return entry.Matches(scanType, path, valueName);
  });
}

bool IgnoreList::Add(IgnoredEntry entry) {
  if (entry.path.empty() || !Storable(entry.path) || !Storable(entry.valueName)) return false;
  if (Contains(entry.scanType, entry.path, entry.valueName)) return false;
  entries_.push_back(std::move(entry));
  return true;
}

bool IgnoreList::Remove(const IgnoredEntry& entry) {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const IgnoredEntry& e) {
    return e.Matches(entry.scanType, entry.path, entry.valueName);
  });
  if (found == entries_.end()) return false;
  entries_.erase(found);
  return true;
}

}  // namespace ovalin
