#include "platform/posix/substitute_system.h"

#include "platform/posix/host_text.h"

namespace ovalin::platform::posix {

SubstituteSystem::SubstituteSystem(std::map<std::u16string, std::u16string> environment,
                                   std::map<int, std::u16string> specialFolders,
                                   std::u16string modulePath,
                                   std::uint16_t threadLanguageID)
    : environment_(std::move(environment)),
      specialFolders_(std::move(specialFolders)),
      modulePath_(std::move(modulePath)),
      threadLanguageID_(threadLanguageID) {}

const std::u16string* SubstituteSystem::Lookup(std::u16string_view name) const {
  for (const auto& [key, value] : environment_) {
    if (SameTextIgnoringCase(key, name)) return &value;
  }
  return nullptr;
}

bool SubstituteSystem::ExpandEnvironment(std::u16string_view text, std::u16string* result) {
  if (result == nullptr) return false;
  std::u16string out;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != u'%') {
      out.push_back(text[i++]);
      continue;
    }
    const size_t close = text.find(u'%', i + 1);
    if (close == std::u16string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    const std::u16string_view name = text.substr(i + 1, close - i - 1);
    const std::u16string* value = name.empty() ? nullptr : Lookup(name);
    if (value != nullptr) {
      out.append(*value);
      i = close + 1;
    } else {
      // Unknown names, "%%" included, are copied with both signs.
      out.append(text.substr(i, close - i + 1));
      i = close + 1;
    }
  }
  *result = std::move(out);
  return true;
}

std::u16string SubstituteSystem::SpecialFolder(int csidl) {
  const auto found = specialFolders_.find(csidl);
  return found == specialFolders_.end() ? std::u16string() : found->second;
}

std::u16string SubstituteSystem::ModulePath() { return modulePath_; }

bool SubstituteSystem::ShellOpen(std::u16string_view, std::u16string_view, int) { return false; }

std::uint16_t SubstituteSystem::ThreadLanguageID() { return threadLanguageID_; }

}  // namespace ovalin::platform::posix
