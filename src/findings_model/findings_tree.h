// The model of the findings list: eleven type rows (one per scan type, in bit order)
// with the finding rows of the last scan beneath them, their three-state check boxes
// kept consistent between the two levels, the number of checked finding rows, and the
// flat order of the rows a view shows (a type row, then its finding rows when it is
// expanded). The view draws from here; nothing here knows about windows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "findings_model/node_data.h"

namespace ovalin {

enum class CheckState { Unchecked, Checked, Mixed };

// The eleven scan-type bits in the order of the type rows.
constexpr std::array<std::uint32_t, 11> kTypeRowBits = {
    0x1000, 0x2000, 0x4000, 0x8000, 0x10000, 0x20000,
    0x40000, 0x80000, 0x100000, 0x200000, 0x400000};

// One row of the flat order: finding == -1 names the type row itself.
struct RowRef {
  int type = -1;
  int finding = -1;
  bool IsTypeRow() const { return finding < 0; }
  bool Valid() const { return type >= 0; }
  bool operator==(const RowRef& other) const {
    return type == other.type && finding == other.finding;
  }
  bool operator!=(const RowRef& other) const { return !(*this == other); }
};

enum class Selection { All, None, Recommended };

// A scan report that may become a finding row.
struct FindingReport {
  std::uint32_t index = 0;
  std::uint32_t scanType = 0;
  std::uint32_t markType = 0;
  std::u16string text;  // the display text of the finding's error code
  std::u16string path;
  std::u16string valueName;
  std::u16string value;
  FindingReason reason;
  bool wow32 = false;  // an entry of the 32-bit programs' view
};

class FindingsTree {
 public:
  struct FindingRow {
    TNodeDataClass data;
    CheckState state;
  };
  struct TypeRow {
    TNodeDataClass data;
    CheckState state;
    bool expanded = false;
    std::vector<FindingRow> findings;
    std::size_t checked = 0;  // finding rows in the checked state
  };

  // The display name of a scan type in the current language.
  using NameOfType = std::function<std::u16string(std::uint32_t scanType)>;

  // Empties the list and adds the eleven type rows, collapsed, checked when their bit
  // is set in scanTypes.
  void BuildScanTypeRows(std::uint32_t scanTypes, const NameOfType& nameOf);
  // Adds a checked finding row under the first type row of the report's scan type.
  // Findings of the second pass (mark type 0x800) carry an index into another list of
  // the engine and are left out, so that a clean never acts on them through this list.
  // False when no row was added.
  bool AddFinding(FindingReport report);
  // The scan types selected by the type rows (checked or mixed); deletes every finding
  // row.
  std::uint32_t CollectScanTypes();
  // Re-derives the state of every type row that has finding rows, and renames every
  // type row in the current language.
  void RefreshTypeRows(const NameOfType& nameOf);
  // The Index of every checked finding row, type row by type row, in list order.
  std::vector<int> CheckedIndexes() const;
  // Deletes, for each index of cleaned not in failed, the first finding row with that
  // Index; afterEach runs after every index. Returns the number of rows deleted. Type
  // rows keep their state.
  int RemoveCleaned(const std::vector<int>& cleaned, const std::vector<int>& failed,
                    const std::function<void()>& afterEach = {});
  // Deletes every finding row whose data matches (the entries a person chose to
  // ignore), keeping the counters and the type rows' derived states right. Returns the
  // number of rows deleted.
  int RemoveFindings(const std::function<bool(const TNodeDataClass&)>& matches);
  // Select All / Select None / Recommended.
  void Select(Selection selection);
  // Deletes every row.
  void Clear();

  // Check states, kept consistent: a type row set checked or unchecked sets its
  // finding rows alike; a changed finding row re-derives its type row. Mixed is never
  // set on a finding row (ignored), and set on a type row only as derived.
  void SetState(RowRef row, CheckState state);
  CheckState State(RowRef row) const;
  // A click on a check box: unchecked and mixed become checked, checked unchecked.
  void ToggleState(RowRef row);

  // Finding rows in the checked state.
  int CheckedCount() const { return checkedCount_; }
  int FindingCount() const { return findingCount_; }
  int TypeCount() const { return static_cast<int>(types_.size()); }
  const TypeRow& Type(int type) const { return types_[type]; }
  const TNodeDataClass& Data(RowRef row) const;

  // The flat order of visible rows.
  void SetExpanded(int type, bool expanded);
  int VisibleRowCount() const;
  RowRef VisibleRow(int position) const;  // invalid RowRef when out of range
  int PositionOf(RowRef row) const;       // -1 when the row is not visible

 private:
  void SetFindingState(TypeRow& type, FindingRow& finding, CheckState state);
  void DeriveTypeState(TypeRow& type);

  std::vector<TypeRow> types_;
  int checkedCount_ = 0;
  int findingCount_ = 0;
};

}  // namespace ovalin
