#include "findings_model/findings_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ovalin {
namespace {

constexpr std::uint32_t kComponents = 0x1000;
constexpr std::uint32_t kPrograms = 0x4000;
constexpr std::uint32_t kSharedDlls = 0x8000;
constexpr std::uint32_t kFonts = 0x40000;
constexpr int kComponentsRow = 0;
constexpr int kProgramsRow = 2;
constexpr int kSharedDllsRow = 3;
constexpr int kFontsRow = 6;

std::u16string NameOf(std::uint32_t bit) {
  return u"type-" + std::u16string(1, static_cast<char16_t>(u'a' + (bit >> 12) % 26));
}

FindingReport Report(std::uint32_t index, std::uint32_t scanType, std::uint32_t mark = 0x500) {
  FindingReport report;
  report.index = index;
  report.scanType = scanType;
  report.markType = mark;
  report.text = u"Invalid";
  report.path = u"HKEY_CURRENT_USER\\Software\\Demo";
  return report;
}

class FindingsTreeTest : public ::testing::Test {
 protected:
  void SetUp() override { tree.BuildScanTypeRows(0x7FF000, NameOf); }
  // Adds findings with the given scan types; indexes count up from 0.
  void Add(const std::vector<std::uint32_t>& types) {
    for (std::uint32_t type : types) ASSERT_TRUE(tree.AddFinding(Report(next++, type)));
  }
  FindingsTree tree;
  std::uint32_t next = 0;
};

TEST_F(FindingsTreeTest, TypeRowsFollowTheScanMask) {
  struct Case {
    std::uint32_t mask;
    int checkedRows;
  };
  for (const Case& c : {Case{0x7FF000, 11}, Case{0, 0}, Case{kFonts | kPrograms, 2}}) {
    tree.BuildScanTypeRows(c.mask, NameOf);
    ASSERT_EQ(tree.TypeCount(), 11);
    int checked = 0;
    for (int t = 0; t < 11; ++t) {
      EXPECT_EQ(tree.Type(t).data.ScanType, kTypeRowBits[t]);
      EXPECT_EQ(tree.Type(t).data.Index, kTypeRowIndex);
      EXPECT_EQ(tree.Type(t).data.TypeDescrip, NameOf(kTypeRowBits[t]));
      if (tree.State({t, -1}) == CheckState::Checked) ++checked;
    }
    EXPECT_EQ(checked, c.checkedRows) << std::hex << c.mask;
    EXPECT_EQ(tree.CollectScanTypes(), c.mask);
    EXPECT_EQ(tree.CheckedCount(), 0);
  }
}

TEST_F(FindingsTreeTest, FindingsAreAddedCheckedUnderTheirTypeInReportOrder) {
  Add({kFonts, kComponents, kFonts});
  EXPECT_EQ(tree.FindingCount(), 3);
  EXPECT_EQ(tree.CheckedCount(), 3);
  ASSERT_EQ(tree.Type(kFontsRow).findings.size(), 2u);
  EXPECT_EQ(tree.Type(kFontsRow).findings[0].data.Index, 0u);
  EXPECT_EQ(tree.Type(kFontsRow).findings[1].data.Index, 2u);
  EXPECT_EQ(tree.Type(kComponentsRow).findings[0].data.Index, 1u);
  EXPECT_EQ(tree.CheckedIndexes(), (std::vector<int>{1, 0, 2}));
}

TEST_F(FindingsTreeTest, ReportsThatCannotBecomeRowsAreLeftOut) {
  // No type row for the scan type; a second-pass finding whose index points into
  // another list of the engine.
  EXPECT_FALSE(tree.AddFinding(Report(0, 0x800000)));
  EXPECT_FALSE(tree.AddFinding(Report(0, 0)));
  EXPECT_FALSE(tree.AddFinding(Report(0, kFonts, 0x800)));
  EXPECT_EQ(tree.FindingCount(), 0);
  EXPECT_TRUE(tree.CheckedIndexes().empty());
}

TEST_F(FindingsTreeTest, TypeRowDerivesItsStateFromItsFindings) {
  Add({kFonts, kFonts, kFonts});
  const RowRef type{kFontsRow, -1};
  tree.SetState({kFontsRow, 1}, CheckState::Unchecked);
  EXPECT_EQ(tree.State(type), CheckState::Mixed);
  EXPECT_EQ(tree.CheckedCount(), 2);
  // A mixed type row still selects its scan type.
  tree.SetState({kFontsRow, 0}, CheckState::Unchecked);
  tree.SetState({kFontsRow, 2}, CheckState::Unchecked);
  EXPECT_EQ(tree.State(type), CheckState::Unchecked);
  EXPECT_EQ(tree.CheckedCount(), 0);
  tree.SetState({kFontsRow, 0}, CheckState::Checked);
  EXPECT_EQ(tree.State(type), CheckState::Mixed);
  EXPECT_EQ(tree.CollectScanTypes() & kFonts, kFonts);
}

TEST_F(FindingsTreeTest, TypeRowSetsAllItsFindings) {
  Add({kFonts, kFonts, kComponents});
  tree.SetState({kFontsRow, -1}, CheckState::Unchecked);
  EXPECT_EQ(tree.State({kFontsRow, 0}), CheckState::Unchecked);
  EXPECT_EQ(tree.State({kFontsRow, 1}), CheckState::Unchecked);
  EXPECT_EQ(tree.CheckedCount(), 1);
  tree.ToggleState({kFontsRow, -1});
  EXPECT_EQ(tree.CheckedCount(), 3);
  // A click on a mixed type row checks everything beneath it.
  tree.SetState({kFontsRow, 0}, CheckState::Unchecked);
  tree.ToggleState({kFontsRow, -1});
  EXPECT_EQ(tree.State({kFontsRow, -1}), CheckState::Checked);
  EXPECT_EQ(tree.CheckedCount(), 3);
}

TEST_F(FindingsTreeTest, MixedIsNeverSetByHand) {
  Add({kFonts});
  tree.SetState({kFontsRow, 0}, CheckState::Mixed);
  tree.SetState({kFontsRow, -1}, CheckState::Mixed);
  EXPECT_EQ(tree.State({kFontsRow, 0}), CheckState::Checked);
  EXPECT_EQ(tree.State({kFontsRow, -1}), CheckState::Checked);
}

TEST_F(FindingsTreeTest, SelectionLinks) {
  Add({kComponents, kPrograms, kSharedDlls, kFonts});
  struct Case {
    Selection selection;
    int checked;
    std::uint32_t scanTypesIncluded;
    std::uint32_t scanTypesExcluded;
  };
  for (const Case& c : {Case{Selection::None, 0, 0, 0x7FF000},
                        Case{Selection::All, 4, 0x7FF000, 0},
                        Case{Selection::Recommended, 2, 0x7FF000 & ~(kPrograms | kSharedDlls),
                             kPrograms | kSharedDlls}}) {
    tree.Select(c.selection);
    EXPECT_EQ(tree.CheckedCount(), c.checked);
    std::uint32_t selected = 0;
    for (int t = 0; t < 11; ++t) {
      if (tree.State({t, -1}) != CheckState::Unchecked) selected |= kTypeRowBits[t];
    }
    EXPECT_EQ(selected & c.scanTypesIncluded, c.scanTypesIncluded);
    EXPECT_EQ(selected & c.scanTypesExcluded, 0u);
  }
  EXPECT_EQ(tree.State({kProgramsRow, 0}), CheckState::Unchecked);
  EXPECT_EQ(tree.State({kSharedDllsRow, -1}), CheckState::Unchecked);
}

TEST_F(FindingsTreeTest, CollectScanTypesDeletesFindingRows) {
  Add({kFonts, kComponents});
  tree.SetState({kComponentsRow, -1}, CheckState::Unchecked);
  EXPECT_EQ(tree.CollectScanTypes(), 0x7FF000u & ~kComponents);
  EXPECT_EQ(tree.FindingCount(), 0);
  EXPECT_EQ(tree.CheckedCount(), 0);
  EXPECT_TRUE(tree.Type(kFontsRow).findings.empty());
}

TEST_F(FindingsTreeTest, RemoveCleanedSkipsFailedAndUnknownIndexes) {
  Add({kFonts, kFonts, kComponents, kFonts});
  tree.SetState({kFontsRow, 2}, CheckState::Unchecked);  // index 3 stays, unchecked
  int pumped = 0;
  const int removed =
      tree.RemoveCleaned({0, 1, 2, 99}, {1}, [&] { ++pumped; });
  EXPECT_EQ(removed, 2);
  EXPECT_EQ(pumped, 4);
  EXPECT_EQ(tree.FindingCount(), 2);
  EXPECT_EQ(tree.CheckedCount(), 1);  // the failed one, still checked
  EXPECT_EQ(tree.CheckedIndexes(), (std::vector<int>{1}));
  // The Components row lost its only finding and keeps the state it had.
  EXPECT_TRUE(tree.Type(kComponentsRow).findings.empty());
  EXPECT_EQ(tree.State({kComponentsRow, -1}), CheckState::Checked);
  // Refresh derives the Fonts row from what is left: one checked, one unchecked.
  tree.RefreshTypeRows(NameOf);
  EXPECT_EQ(tree.State({kFontsRow, -1}), CheckState::Mixed);
}

TEST_F(FindingsTreeTest, RemoveCleanedTakesRowsWithTheSameIndexOneAtATime) {
  Add({kFonts});
  ASSERT_TRUE(tree.AddFinding(Report(0, kComponents)));
  EXPECT_EQ(tree.RemoveCleaned({0}, {}), 1);
  // The first in list order (Components comes before Fonts) went.
  EXPECT_TRUE(tree.Type(kComponentsRow).findings.empty());
  EXPECT_EQ(tree.RemoveCleaned({0}, {}), 1);
  EXPECT_EQ(tree.FindingCount(), 0);
}

TEST_F(FindingsTreeTest, RowsKeepTheReasonAndViewOfTheirFinding) {
  FindingReport report = Report(0, kComponents);
  report.reason = FindingReason{ReasonKind::kFileNotFound, u"C:\\gone.dll"};
  report.wow32 = true;
  ASSERT_TRUE(tree.AddFinding(report));
  const TNodeDataClass& data = tree.Data({kComponentsRow, 0});
  EXPECT_EQ(data.Reason.kind, ReasonKind::kFileNotFound);
  EXPECT_EQ(data.Reason.subject, u"C:\\gone.dll");
  EXPECT_TRUE(data.Wow32);
  ASSERT_TRUE(tree.AddFinding(Report(1, kComponents)));
  EXPECT_FALSE(tree.Data({kComponentsRow, 1}).Wow32);
  EXPECT_EQ(tree.Data({kComponentsRow, 1}).Reason.kind, ReasonKind::kNone);
}

TEST_F(FindingsTreeTest, RemovingIgnoredFindingsKeepsCountsAndStatesRight) {
  // Components: 0 (ignored), 1; Programs: 2 (ignored, unchecked), 3 (ignored); Fonts: 4.
  Add({kComponents, kComponents, kPrograms, kPrograms, kFonts});
  tree.SetState({kProgramsRow, 0}, CheckState::Unchecked);
  ASSERT_EQ(tree.CheckedCount(), 4);
  tree.SetExpanded(kProgramsRow, true);
  const int removed = tree.RemoveFindings([](const TNodeDataClass& row) {
    return row.Index == 0 || row.Index == 2 || row.Index == 3;
  });
  EXPECT_EQ(removed, 3);
  EXPECT_EQ(tree.FindingCount(), 2);
  EXPECT_EQ(tree.CheckedCount(), 2);
  ASSERT_EQ(tree.Type(kComponentsRow).findings.size(), 1u);
  EXPECT_EQ(tree.Data({kComponentsRow, 0}).Index, 1u);
  EXPECT_EQ(tree.State({kComponentsRow, -1}), CheckState::Checked);
  // A type row left without findings keeps its state and folds.
  EXPECT_TRUE(tree.Type(kProgramsRow).findings.empty());
  EXPECT_EQ(tree.State({kProgramsRow, -1}), CheckState::Mixed);
  EXPECT_FALSE(tree.Type(kProgramsRow).expanded);
  EXPECT_EQ(tree.CheckedIndexes(), (std::vector<int>{1, 4}));
  EXPECT_EQ(tree.RemoveFindings([](const TNodeDataClass&) { return false; }), 0);
}

TEST_F(FindingsTreeTest, RefreshRenamesTypeRowsButNotFindings) {
  Add({kFonts});
  tree.RefreshTypeRows([](std::uint32_t) { return std::u16string(u"Schriftarten"); });
  EXPECT_EQ(tree.Type(kFontsRow).data.TypeDescrip, u"Schriftarten");
  EXPECT_EQ(tree.Type(kFontsRow).findings[0].data.TypeDescrip, u"Invalid");
}

TEST_F(FindingsTreeTest, VisibleRowsFollowExpansion) {
  Add({kComponents, kComponents, kFonts});
  EXPECT_EQ(tree.VisibleRowCount(), 11);
  EXPECT_EQ(tree.VisibleRow(6), (RowRef{kFontsRow, -1}));
  tree.SetExpanded(kComponentsRow, true);
  EXPECT_EQ(tree.VisibleRowCount(), 13);
  EXPECT_EQ(tree.VisibleRow(2), (RowRef{kComponentsRow, 1}));
  EXPECT_EQ(tree.VisibleRow(3), (RowRef{1, -1}));
  tree.SetExpanded(kFontsRow, true);
  const RowRef fontFinding{kFontsRow, 0};
  EXPECT_EQ(tree.PositionOf(fontFinding), 9);
  EXPECT_EQ(tree.VisibleRow(9), fontFinding);
  EXPECT_FALSE(tree.VisibleRow(14).Valid());
  EXPECT_FALSE(tree.VisibleRow(-1).Valid());
  tree.SetExpanded(kComponentsRow, false);
  EXPECT_EQ(tree.PositionOf({kComponentsRow, 0}), -1);
  for (int p = 0; p < tree.VisibleRowCount(); ++p) {
    EXPECT_EQ(tree.PositionOf(tree.VisibleRow(p)), p);
  }
}

TEST_F(FindingsTreeTest, HundredThousandFindingsStayCheap) {
  // Adding, counting and removing must not grow with the square of the rows.
  constexpr int kCount = 100000;
  for (int i = 0; i < kCount; ++i) {
    ASSERT_TRUE(tree.AddFinding(Report(static_cast<std::uint32_t>(i), kFonts)));
  }
  tree.SetExpanded(kFontsRow, true);
  EXPECT_EQ(tree.VisibleRow(kFontsRow + 1 + 50000), (RowRef{kFontsRow, 50000}));
  std::vector<int> all = tree.CheckedIndexes();
  EXPECT_EQ(static_cast<int>(all.size()), kCount);
  EXPECT_EQ(tree.RemoveCleaned(all, {}), kCount);
  EXPECT_EQ(tree.FindingCount(), 0);
  EXPECT_EQ(tree.CheckedCount(), 0);
}

}  // namespace
}  // namespace ovalin
