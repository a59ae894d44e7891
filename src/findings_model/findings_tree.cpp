#include "findings_model/findings_tree.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace ovalin {

namespace {

constexpr std::uint32_t kSecondPassMark = 0x800;

bool SelectedByRecommended(std::uint32_t scanType) {
  // Programs and Shared Dlls are left to the user's judgement.
  return scanType != 0x4000 && scanType != 0x8000;
}

}  // namespace

void FindingsTree::BuildScanTypeRows(std::uint32_t scanTypes, const NameOfType& nameOf) {
  Clear();
  types_.reserve(kTypeRowBits.size());
  for (std::uint32_t bit : kTypeRowBits) {
    types_.push_back(TypeRow{TNodeDataClass(kTypeRowIndex, bit, nameOf ? nameOf(bit) : u"",
                                            u"", u"", u""),
                             (scanTypes & bit) ? CheckState::Checked : CheckState::Unchecked,
                             false,
                             {},
                             0});
  }
}

bool FindingsTree::AddFinding(FindingReport report) {
  if ((report.markType & 0xF00) == kSecondPassMark) return false;
  auto type = std::find_if(types_.begin(), types_.end(), [&](const TypeRow& row) {
    return row.data.ScanType == report.scanType;
  });
  if (type == types_.end()) return false;
  type->findings.push_back(FindingRow{
      TNodeDataClass(report.index, report.scanType, std::move(report.text),
                     std::move(report.path), std::move(report.valueName),
                     std::move(report.value)),
      CheckState::Unchecked});
  type->findings.back().data.Reason = std::move(report.reason);
  type->findings.back().data.Wow32 = report.wow32;
  ++findingCount_;
  SetFindingState(*type, type->findings.back(), CheckState::Checked);
  DeriveTypeState(*type);
  return true;
}

std::uint32_t FindingsTree::CollectScanTypes() {
  std::uint32_t scanTypes = 0;
  for (TypeRow& type : types_) {
    if (type.state != CheckState::Unchecked) scanTypes |= type.data.ScanType;
    checkedCount_ -= static_cast<int>(type.checked);
    type.checked = 0;
    findingCount_ -= static_cast<int>(type.findings.size());
    type.findings.clear();
    type.findings.shrink_to_fit();
  }
  return scanTypes;
}

void FindingsTree::RefreshTypeRows(const NameOfType& nameOf) {
  for (TypeRow& type : types_) {
    if (!type.findings.empty()) DeriveTypeState(type);
    if (nameOf) type.data.TypeDescrip = nameOf(type.data.ScanType);
  }
}

std::vector<int> FindingsTree::CheckedIndexes() const {
  std::vector<int> indexes;
  indexes.reserve(static_cast<std::size_t>(checkedCount_));
  for (const TypeRow& type : types_) {
    for (const FindingRow& finding : type.findings) {
      if (finding.state == CheckState::Checked) {
        indexes.push_back(static_cast<int>(finding.data.Index));
      }
    }
  }
  return indexes;
}

int FindingsTree::RemoveCleaned(const std::vector<int>& cleaned, const std::vector<int>& failed,
                                const std::function<void()>& afterEach) {
  // Every row by Index, in list order, so that each index costs O(1) even with a
  // hundred thousand rows; rows are marked first and dropped together at the end.
  struct Rows {
    std::vector<std::pair<int, int>> positions;
    std::size_t next = 0;  // the first row not yet deleted
  };
  std::unordered_map<std::uint32_t, Rows> byIndex;
  byIndex.reserve(static_cast<std::size_t>(findingCount_));
  for (int t = 0; t < TypeCount(); ++t) {
    const auto& findings = types_[t].findings;
    for (int f = 0; f < static_cast<int>(findings.size()); ++f) {
      byIndex[findings[f].data.Index].positions.emplace_back(t, f);
    }
  }
  const std::unordered_set<int> failedSet(failed.begin(), failed.end());
  std::vector<std::vector<bool>> doomed(types_.size());
  for (std::size_t t = 0; t < types_.size(); ++t) doomed[t].resize(types_[t].findings.size());

  int removed = 0;
  for (int index : cleaned) {
    if (failedSet.count(index) == 0) {
      auto found = byIndex.find(static_cast<std::uint32_t>(index));
      if (found != byIndex.end() && found->second.next < found->second.positions.size()) {
        auto [t, f] = found->second.positions[found->second.next++];
        doomed[t][f] = true;
        TypeRow& type = types_[t];
        if (type.findings[f].state == CheckState::Checked) {
          --checkedCount_;
          --type.checked;
        }
        ++removed;
      }
    }
    if (afterEach) afterEach();
  }

  for (std::size_t t = 0; t < types_.size(); ++t) {
    auto& findings = types_[t].findings;
    std::size_t keep = 0;
    for (std::size_t f = 0; f < findings.size(); ++f) {
      if (!doomed[t][f]) {
        if (keep != f) findings[keep] = std::move(findings[f]);
        ++keep;
      }
    }
    findings.erase(findings.begin() + static_cast<std::ptrdiff_t>(keep), findings.end());
  }
  findingCount_ -= removed;
  return removed;
}

int FindingsTree::RemoveFindings(const std::function<bool(const TNodeDataClass&)>& matches) {
  int removed = 0;
  for (TypeRow& type : types_) {
    const std::size_t before = type.findings.size();
    auto gone = std::remove_if(type.findings.begin(), type.findings.end(),
                               [&](const FindingRow& row) {
                                 if (!matches(row.data)) return false;
                                 if (row.state == CheckState::Checked) {
                                   --checkedCount_;
                                   --type.checked;
                                 }
                                 return true;
                               });
    type.findings.erase(gone, type.findings.end());
    const int count = static_cast<int>(before - type.findings.size());
    if (count == 0) continue;
    removed += count;
    if (type.findings.empty()) type.expanded = false;
    DeriveTypeState(type);
  }
  findingCount_ -= removed;
  return removed;
}

void FindingsTree::Select(Selection selection) {
  for (TypeRow& type : types_) {
    const bool checked = selection == Selection::All ||
                         (selection == Selection::Recommended &&
                          SelectedByRecommended(type.data.ScanType));
    const CheckState state = checked ? CheckState::Checked : CheckState::Unchecked;
    for (FindingRow& finding : type.findings) SetFindingState(type, finding, state);
    type.state = state;
  }
}

void FindingsTree::Clear() {
  types_.clear();
  checkedCount_ = 0;
  findingCount_ = 0;
}

void FindingsTree::SetState(RowRef row, CheckState state) {
  if (!row.Valid() || row.type >= TypeCount()) return;
  TypeRow& type = types_[row.type];
  if (row.IsTypeRow()) {
    if (state == CheckState::Mixed) return;
    for (FindingRow& finding : type.findings) SetFindingState(type, finding, state);
    type.state = state;
    return;
  }
  if (row.finding >= static_cast<int>(type.findings.size()) || state == CheckState::Mixed) {
    return;
  }
  SetFindingState(type, type.findings[row.finding], state);
  DeriveTypeState(type);
}

CheckState FindingsTree::State(RowRef row) const {
  if (!row.Valid() || row.type >= TypeCount()) return CheckState::Unchecked;
  const TypeRow& type = types_[row.type];
  if (row.IsTypeRow()) return type.state;
  if (row.finding >= static_cast<int>(type.findings.size())) return CheckState::Unchecked;
  return type.findings[row.finding].state;
}

void FindingsTree::ToggleState(RowRef row) {
  SetState(row, State(row) == CheckState::Checked ? CheckState::Unchecked
                                                   : CheckState::Checked);
}

const TNodeDataClass& FindingsTree::Data(RowRef row) const {
  const TypeRow& type = types_[row.type];
  return row.IsTypeRow() ? type.data : type.findings[row.finding].data;
}

void FindingsTree::SetExpanded(int type, bool expanded) {
  if (type >= 0 && type < TypeCount()) types_[type].expanded = expanded;
}

int FindingsTree::VisibleRowCount() const {
  int count = 0;
  for (const TypeRow& type : types_) {
    count += 1 + (type.expanded ? static_cast<int>(type.findings.size()) : 0);
  }
  return count;
}

RowRef FindingsTree::VisibleRow(int position) const {
  if (position < 0) return {};
  for (int t = 0; t < TypeCount(); ++t) {
    if (position == 0) return {t, -1};
    --position;
    const TypeRow& type = types_[t];
    if (type.expanded) {
      const int children = static_cast<int>(type.findings.size());
      if (position < children) return {t, position};
      position -= children;
    }
  }
  return {};
}

int FindingsTree::PositionOf(RowRef row) const {
  if (!row.Valid() || row.type >= TypeCount()) return -1;
  int position = 0;
  for (int t = 0; t < row.type; ++t) {
    position += 1 + (types_[t].expanded ? static_cast<int>(types_[t].findings.size()) : 0);
  }
  if (row.IsTypeRow()) return position;
  const TypeRow& type = types_[row.type];
  if (!type.expanded || row.finding >= static_cast<int>(type.findings.size())) return -1;
  return position + 1 + row.finding;
}

void FindingsTree::SetFindingState(TypeRow& type, FindingRow& finding, CheckState state) {
  if (state == CheckState::Mixed || finding.state == state) return;
  if (finding.state == CheckState::Checked) {
    --checkedCount_;
    --type.checked;
  }
  if (state == CheckState::Checked) {
    ++checkedCount_;
    ++type.checked;
  }
  finding.state = state;
}

void FindingsTree::DeriveTypeState(TypeRow& type) {
  if (type.findings.empty()) return;
  const std::size_t checked = type.checked;
  type.state = checked == 0                      ? CheckState::Unchecked
               : checked == type.findings.size() ? CheckState::Checked
                                                 : CheckState::Mixed;
}

}  // namespace ovalin
