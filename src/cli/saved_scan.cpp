#include "cli/saved_scan.h"

#include <algorithm>
#include <map>
#include <set>

#include "cli/command_line.h"
#include "cli/host_files.h"
#include "cli/json_reader.h"

namespace ovalin::cli {

namespace {

struct SavedFinding {
  std::uint32_t index = 0;
  std::string id;
  const JsonValue* selected = nullptr;
};

std::vector<SavedFinding> FindingsOf(const JsonValue& document, const std::string& path) {
  const JsonValue* findings = document.Member("findings");
  if (document.kind != JsonValue::Kind::kObject || findings == nullptr ||
      findings->kind != JsonValue::Kind::kArray) {
    throw UsageError{path + " is not the JSON of `ovalin-rc scan --json`"};
  }
  std::vector<SavedFinding> result;
  for (const JsonValue& finding : findings->items) {
    const JsonValue* id = finding.Member("id");
    const JsonValue* index = finding.Member("index");
    if (id == nullptr || id->kind != JsonValue::Kind::kString || index == nullptr ||
        !index->AsUnsigned()) {
      throw UsageError{path + ": a finding without \"id\" and \"index\""};
    }
    SavedFinding saved;
    saved.index = *index->AsUnsigned();
    saved.id = ParseIdList(id->text).front();
    saved.selected = finding.Member("selected");
    result.push_back(saved);
  }
  return result;
}

}  // namespace

SavedScan ReadSavedScan(const std::string& path, const std::vector<int>& indexes) {
  std::string text;
  if (!ReadHostFile(path, &text)) throw UsageError{"cannot read " + path};
  JsonValue document;
  std::string error;
  if (!ParseJson(text, &document, &error)) throw UsageError{path + ": " + error};
  const std::vector<SavedFinding> findings = FindingsOf(document, path);

  SavedScan saved;
  std::set<std::string> chosen;
  if (const JsonValue* types = document.Member("scanTypes"); types && types->AsUnsigned()) {
    saved.scanTypes = *types->AsUnsigned();
  }
  auto choose = [&](const SavedFinding& finding) {
    if (chosen.insert(finding.id).second) saved.ids.push_back(finding.id);
  };
  if (!indexes.empty()) {
    std::map<std::uint32_t, const SavedFinding*> byIndex;
    for (const SavedFinding& finding : findings) byIndex.emplace(finding.index, &finding);
    for (int index : indexes) {
      const auto at = byIndex.find(static_cast<std::uint32_t>(index));
      if (at == byIndex.end()) {
        throw UsageError{path + " has no finding with index " + std::to_string(index)};
      }
      choose(*at->second);
    }
  } else {
    const bool marked = std::any_of(findings.begin(), findings.end(),
                                    [](const SavedFinding& f) { return f.selected != nullptr; });
    for (const SavedFinding& finding : findings) {
      const bool chosen = !marked || (finding.selected != nullptr &&
                                      finding.selected->kind == JsonValue::Kind::kBool &&
                                      finding.selected->boolean);
      if (chosen) choose(finding);
    }
  }
  if (saved.ids.empty()) throw UsageError{path + " selects no finding"};
  return saved;
}

}  // namespace ovalin::cli
