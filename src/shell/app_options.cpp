#include "shell/app_options.h"

#include <exception>
#include <limits>
#include <optional>
#include <pugixml.hpp>

#include "engine/text_utils.h"
#include "localisation/int_text.h"

namespace ovalin {
namespace {

constexpr std::uint32_t kLoadBegin = 0x10091004;
constexpr std::uint32_t kLoadEnd = 0x10092004;
constexpr std::uint32_t kSaveBegin = 0x10091005;
constexpr std::uint32_t kSaveEnd = 0x10092005;
constexpr std::uint32_t kLoadError = 0x80090082;
constexpr std::uint32_t kSaveError = 0x80090083;
constexpr std::uint32_t kStartupBegin = 0x10091001;
constexpr std::uint32_t kStartupEnd = 0x10092001;
constexpr std::uint32_t kStartupError = 0x80090080;
constexpr std::uint32_t kSaveStepBegin = 0x10091002;
constexpr std::uint32_t kSaveStepEnd = 0x10092002;
constexpr std::uint32_t kSaveStepError = 0x80090081;
constexpr std::uint32_t kReleaseBegin = 0x10091003;
constexpr std::uint32_t kReleaseEnd = 0x10092003;

// An options file is a few hundred bytes; anything this large is not one.
constexpr std::uint64_t kMaxFileSize = 16 * 1024 * 1024;

// The text of an element that holds nothing but one piece of text.
std::optional<std::u16string> SingleText(const pugi::xml_node& parent, const char* name) {
  const pugi::xml_node element = parent.child(name);
  if (!element) return std::nullopt;
  const pugi::xml_node text = element.first_child();
  if (!text || text.next_sibling()) return std::nullopt;
  if (text.type() != pugi::node_pcdata && text.type() != pugi::node_cdata) return std::nullopt;
  return FromUtf8(text.value());
}

void ReadInt32(const pugi::xml_node& parent, const char* name, std::int32_t* target) {
  if (const auto text = SingleText(parent, name)) {
    if (const auto value = ParseInt32(*text)) *target = *value;
  }
}

void ReadFileTime(const pugi::xml_node& parent, const char* name, platform::FileTime* target) {
  if (const auto text = SingleText(parent, name)) {
    if (const auto value = ParseInt64(*text)) *target = static_cast<platform::FileTime>(*value);
  }
}

void AppendValue(pugi::xml_node& parent, const char* name, std::int64_t value) {
  parent.append_child(name).append_child(pugi::node_pcdata).set_value(std::to_string(value).c_str());
}

class StringWriter : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
  }
  std::string bytes;
};

bool ReadWholeFile(platform::FileSystem& files, const std::u16string& path, std::string* bytes) {
  const auto file = files.Open(path, platform::FileOpenMode::kOpenRead);
  std::uint64_t size = 0;
  if (!file || !file->Size(&size) || size > kMaxFileSize) return false;
  bytes->resize(static_cast<std::size_t>(size));
  std::uint32_t read = 0;
  if (size != 0 && (!file->Read(bytes->data(), static_cast<std::uint32_t>(size), &read) || read != size)) {
    return false;
  }
  return true;
}

}  // namespace

TZUNOptions::TZUNOptions(platform::Platform& platform, std::u16string dataPath,
                         platform::TraceSink* trace)
    : platform_(platform), dataPath_(std::move(dataPath)), trace_(trace) {}

bool TZUNOptions::LoadFromXML() {
  platform::TraceScope scope(trace_, kLoadBegin, kLoadEnd);
  const std::u16string path = FileName();
  std::string bytes;
  if (platform_.files.Probe(path) != platform::PathKind::kFile ||
      !ReadWholeFile(platform_.files, path, &bytes) || !ReadDocument(bytes)) {
    platform::RaiseTrace(trace_, kLoadError);
    return false;
  }
  return true;
}

bool TZUNOptions::ReadDocument(const std::string& bytes) {
  pugi::xml_document document;
  if (!document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto)) {
    return false;
  }
  const pugi::xml_node root = document.document_element();
  if (!root || !root.first_child()) return false;
  const pugi::xml_node options = root.child("ZUN_RC");
  if (!options || !options.first_child()) return true;
  ReadInt32(options, "ZUN_RC_ScanTypes", &RCScanTypes);
  ReadInt32(options, "ZUN_RC_LastScanItems", &RCLastScanItems);
  ReadInt32(options, "ZUN_RC_LastCleanItems", &RCLastCleanItems);
  ReadFileTime(options, "ZUN_RC_LastScanTime", &RCLastScanTime);
  ReadFileTime(options, "ZUN_RC_LastCleanTime", &RCLastCleanTime);
  return true;
}

bool TZUNOptions::SaveToXML() {
  platform::TraceScope scope(trace_, kSaveBegin, kSaveEnd);
  if (platform_.files.Probe(dataPath_) != platform::PathKind::kFolder &&
      !platform_.files.CreateFolders(dataPath_)) {
    platform::RaiseTrace(trace_, kSaveError);
    return false;
  }
  pugi::xml_document document;
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version").set_value("1.0");
  declaration.append_attribute("encoding").set_value("UTF-16");
  declaration.append_attribute("standalone").set_value("yes");
  pugi::xml_node options = document.append_child("ZUNOptions").append_child("ZUN_RC");
  AppendValue(options, "ZUN_RC_ScanTypes", RCScanTypes);
  AppendValue(options, "ZUN_RC_LastScanTime", static_cast<std::int64_t>(RCLastScanTime));
  AppendValue(options, "ZUN_RC_LastCleanTime", static_cast<std::int64_t>(RCLastCleanTime));
  AppendValue(options, "ZUN_RC_LastScanItems", RCLastScanItems);
  AppendValue(options, "ZUN_RC_LastCleanItems", RCLastCleanItems);

  StringWriter writer;
  document.save(writer, "", pugi::format_raw | pugi::format_write_bom, pugi::encoding_utf16_le);
  const auto file = platform_.files.Open(FileName(), platform::FileOpenMode::kCreateAlways);
  if (!file || writer.bytes.size() > std::numeric_limits<std::uint32_t>::max() ||
      !file->Write(writer.bytes.data(), static_cast<std::uint32_t>(writer.bytes.size()))) {
    platform::RaiseTrace(trace_, kSaveError);
    return false;
  }
  return true;
}

void OptionsStartupStep(std::unique_ptr<TZUNOptions>& options, platform::Platform& platform,
                        const std::u16string& dataPath, platform::TraceSink* trace) {
  platform::TraceScope scope(trace, kStartupBegin, kStartupEnd);
  try {
    if (!options) options = std::make_unique<TZUNOptions>(platform, dataPath, trace);
    options->RCScanTypes = kDefaultScanTypes;
    options->LoadFromXML();
  } catch (const std::exception&) {
    platform::RaiseTrace(trace, kStartupError);
  }
}

void OptionsSaveStep(TZUNOptions* options, platform::TraceSink* trace) {
  platform::TraceScope scope(trace, kSaveStepBegin, kSaveStepEnd);
  try {
    if (options != nullptr) options->SaveToXML();
  } catch (const std::exception&) {
    platform::RaiseTrace(trace, kSaveStepError);
  }
}

void OptionsReleaseStep(std::unique_ptr<TZUNOptions>& options, platform::TraceSink* trace) {
  platform::TraceScope scope(trace, kReleaseBegin, kReleaseEnd);
  options.reset();
}

}  // namespace ovalin
