// The findings list's model with many rows: how long the operations behind the window's
// Select All, expanding a type, scrolling to the end and removing a clean's rows take.
// The drawing itself paints only the visible rows, so these are what grows with the
// findings.
//
//   findings_bench [FINDINGS]        (default 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "findings_model/findings_tree.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace ovalin;

double Milliseconds(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

constexpr std::uint32_t kTypes[] = {0x1000,  0x2000,  0x4000,   0x8000,   0x10000, 0x20000,
                                    0x40000, 0x80000, 0x100000, 0x200000, 0x400000};

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  FindingsTree tree;
  auto nameOf = [](std::uint32_t type) { return u"type " + std::u16string(1, u'A' + (type % 26)); };
  tree.BuildScanTypeRows(0x7FF000, nameOf);

  auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    FindingReport report;
    report.index = static_cast<std::uint32_t>(i);
    // Most findings of a real machine are file types and COM components.
    report.scanType = i % 10 < 6 ? 0x2000 : kTypes[i % 11];
    report.markType = 0x500;
    report.text = u"Invalid Files and Paths";
    report.path = u"HKEY_CLASSES_ROOT\\.ext" + std::u16string(1, u'a' + (i % 26));
    report.value = u"C:\\Program Files\\App\\missing.exe";
    tree.AddFinding(std::move(report));
  }
  std::printf("%d findings added in %.1f ms\n", tree.FindingCount(), Milliseconds(start));

  start = Clock::now();
  tree.Select(Selection::None);
  tree.Select(Selection::All);
  std::printf("select none, then all: %.2f ms (%d checked)\n", Milliseconds(start),
              tree.CheckedCount());

  start = Clock::now();
  tree.SetExpanded(1, true);
  const int rows = tree.VisibleRowCount();
  const RowRef last = tree.VisibleRow(rows - 1);
  const int position = tree.PositionOf(last);
  std::printf("expand the largest type, %d rows, find the last (row %d): %.2f ms\n", rows,
              position, Milliseconds(start));

  // Scrolling to the end paints a page of rows near the end: each asks for its row.
  start = Clock::now();
  int found = 0;
  for (int r = rows - 30; r < rows; ++r) found += tree.VisibleRow(r).Valid() ? 1 : 0;
  std::printf("one page of 30 rows at the end: %.3f ms\n", Milliseconds(start));

  start = Clock::now();
  const std::vector<int> checked = tree.CheckedIndexes();
  std::printf("checked indexes for a clean: %zu in %.2f ms\n", checked.size(),
              Milliseconds(start));

  start = Clock::now();
  std::vector<int> failed;
  for (std::size_t i = 0; i < checked.size(); i += 100) failed.push_back(checked[i]);
  const int removed = tree.RemoveCleaned(checked, failed, [] {});
  std::printf("remove the cleaned rows: %d removed, %zu failed kept, in %.1f ms\n", removed,
              failed.size(), Milliseconds(start));
  return found > 0 ? 0 : 1;
}
