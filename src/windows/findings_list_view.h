// The findings list on screen: a child window with a header of four resizable columns
// that can be dragged into another order, the rows of a FindingsTree in two levels with
// expand buttons and three-state check boxes, and whole-row selection. It paints only the
// rows in view, so a hundred thousand findings scroll as fast as eleven.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "controls/gdi_font.h"
#include "controls/win_handles.h"
#include "controls/window.h"
#include "findings_model/findings_tree.h"
#include "localisation/kel_font.h"
#include "skin_logic/wheel_steps.h"

namespace ovalin::windows {

class FindingsListView : public controls::Window {
 public:
  static constexpr int kColumns = 4;

  bool Create(HWND parent, int left, int top, int width, int height);

  FindingsTree& Model() { return model_; }
  const FindingsTree& Model() const { return model_; }

  // The text of a cell, produced when the row is painted.
  std::function<std::u16string(RowRef row, int column)> OnGetText;
  // After the user changed a check box.
  std::function<void()> OnChecked;
  // The tooltip of a row the pointer rests on; empty for none.
  std::function<std::u16string(RowRef row)> OnGetTip;
  // Right click on a row, the context-menu key or Shift+F10: the row (already selected)
  // and where the menu goes, in screen coordinates.
  std::function<void(RowRef row, POINT screen)> OnContextMenu;

  void SetColumnCaption(int column, const std::u16string& caption);
  int ColumnWidth(int column) const;
  TKelFont& Font() { return font_; }
  void ApplyFont();

  // The rows changed (added, removed, renamed): recompute the scroll range and repaint.
  void RowsChanged();
  // Folds every type row (each scan starts with them folded).
  void CollapseAll();
  RowRef Selected() const { return selected_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct HitResult {
    RowRef row;
    bool onCheckBox = false;
    bool onExpander = false;
  };

  void Layout();
  void UpdateScrollBars();
  void Paint(HDC dc, const RECT& client);
  void PaintRow(HDC dc, RowRef row, int y, int width, bool selected);
  HitResult HitTest(POINT p) const;
  void ScrollToRow(int position);
  void ScrollVertically(int request, int thumb);
  void ScrollHorizontally(int request, int thumb);
  void SetTopRow(int position);
  void Select(RowRef row);
  void ToggleCheck(RowRef row);
  void ToggleExpanded(int type);
  void OnKey(UINT key);
  void OnWheel(int delta);
  // Moves the tooltip's area to the finding row under the pointer, then hands the mouse
  // message to the tooltip.
  void RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
  void ContextMenu(LPARAM lParam);
  void CreateTooltip();
  RECT RowRect(RowRef row) const;
  // Column geometry in display order, from the header.
  int DisplayedColumns(std::array<int, kColumns>* order, std::array<int, kColumns>* left,
                       std::array<int, kColumns>* width) const;
  int RowsPerPage() const;
  int BodyTop() const { return headerHeight_; }

  FindingsTree model_;
  HWND header_ = nullptr;
  HWND tooltip_ = nullptr;        // destroyed with this window (its owner)
  RowRef tipRow_{-1, -1};         // the row the tooltip speaks of
  std::u16string tipText_;
  int headerHeight_ = 20;
  int rowHeight_ = 18;
  int topRow_ = 0;
  int scrollX_ = 0;
  RowRef selected_{0, -1};
  controls::WheelSteps wheel_;
  TKelFont font_;
  controls::GdiFontCache fontCache_;
  controls::BackBuffer buffer_;
  std::array<std::u16string, kColumns> captions_;
};

}  // namespace ovalin::windows
