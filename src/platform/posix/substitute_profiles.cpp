#include "platform/posix/substitute_profiles.h"

#include <string>

namespace ovalin::platform::posix {
namespace {

bool HasLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

}  // namespace

SubstituteProfiles::SubstituteProfiles(FileSystem& files) : files_(files) {}

std::optional<IniDocument> SubstituteProfiles::Load(std::u16string_view file) {
  std::unique_ptr<File> handle = files_.Open(file, FileOpenMode::kOpenRead);
  if (!handle) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  while (true) {
    std::uint32_t read = 0;
    if (!handle->Read(buffer, sizeof buffer, &read)) return std::nullopt;
    if (read == 0) break;
    bytes.append(buffer, read);
  }
  return IniDocument::Parse(bytes);
}

bool SubstituteProfiles::Save(std::u16string_view file, const IniDocument& document) {
  const std::string bytes = document.Serialize();
  std::unique_ptr<File> handle = files_.Open(file, FileOpenMode::kCreateAlways);
  if (!handle) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const std::uint32_t chunk =
        static_cast<std::uint32_t>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!handle->Write(bytes.data() + done, chunk)) return false;
    done += chunk;
  }
  return true;
}

std::optional<std::u16string> SubstituteProfiles::ReadString(std::u16string_view file,
                                                             std::u16string_view section,
                                                             std::u16string_view key) {
  const std::optional<IniDocument> document = Load(file);
  if (!document) return std::nullopt;
  return document->Read(section, key);
}

bool SubstituteProfiles::WriteString(std::u16string_view file, std::u16string_view section,
                                     std::u16string_view key, std::u16string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  std::optional<IniDocument> document = Load(file);
  if (!document) {
    if (files_.Probe(file) != PathKind::kMissing) return false;
    document.emplace();
  }
  document->Write(section, key, value);
  return Save(file, *document);
}

bool SubstituteProfiles::DeleteKey(std::u16string_view file, std::u16string_view section,
                                   std::u16string_view key) {
  std::optional<IniDocument> document = Load(file);
  if (!document) return files_.Probe(file) == PathKind::kMissing;
  return !document->DeleteKey(section, key) || Save(file, *document);
}

bool SubstituteProfiles::EraseSection(std::u16string_view file, std::u16string_view section) {
  std::optional<IniDocument> document = Load(file);
  if (!document) return files_.Probe(file) == PathKind::kMissing;
  return !document->EraseSection(section) || Save(file, *document);
}

std::vector<std::u16string> SubstituteProfiles::SectionNames(std::u16string_view file) {
  const std::optional<IniDocument> document = Load(file);
  return document ? document->SectionNames() : std::vector<std::u16string>();
}

std::vector<std::u16string> SubstituteProfiles::KeyNames(std::u16string_view file,
                                                         std::u16string_view section) {
  const std::optional<IniDocument> document = Load(file);
  return document ? document->KeyNames(section) : std::vector<std::u16string>();
}

}  // namespace ovalin::platform::posix
