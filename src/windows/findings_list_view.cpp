#include "windows/findings_list_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace ovalin::windows {

namespace {

constexpr wchar_t kClassName[] = L"OvalinFindingsList";
constexpr int kInitialWidths[FindingsListView::kColumns] = {224, 280, 135, 100};
constexpr int kIndent = 16;     // per level
constexpr int kExpanderX = 4;   // the expand button of a type row
constexpr int kBoxSize = 13;    // check boxes
constexpr UINT kDefaultWheelRows = 3;  // when the system setting cannot be read
constexpr UINT_PTR kTipTool = 1;
constexpr int kTipMaxWidth = 640;       // wider texts wrap; CR LF starts a new line
constexpr int kTipShowMilliseconds = 30000;

const COLORREF kTextColor = RGB(0x1E, 0x22, 0x28);
const COLORREF kSelectedColor = RGB(0x2F, 0x6F, 0xC4);
const COLORREF kSelectedInactiveColor = RGB(0xD6, 0xE2, 0xF2);
const COLORREF kTypeRowColor = RGB(0xF2, 0xF5, 0xF9);
const COLORREF kBorderColor = RGB(0x8A, 0x96, 0xA6);

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF color) {
  FillSolid(dc, RECT{r.left, r.top, r.right, r.top + 1}, color);
  FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
  FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, color);
  FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, color);
}

void DrawCheckBox(HDC dc, int x, int y, CheckState state, bool enabled) {
  const RECT box{x, y, x + kBoxSize, y + kBoxSize};
  FillSolid(dc, box, RGB(0xFF, 0xFF, 0xFF));
  FrameSolid(dc, box, enabled ? RGB(0x4A, 0x5A, 0x70) : kBorderColor);
  const COLORREF mark = RGB(0x1F, 0x4E, 0x96);
  if (state == CheckState::Checked) {
    // A tick of 2-pixel strokes.
    for (int i = 0; i < 2; ++i) {
      const int dy = i;
      for (int k = 0; k < 3; ++k) FillSolid(dc, RECT{x + 3 + k, y + 5 + k + dy, x + 4 + k, y + 6 + k + dy}, mark);
      for (int k = 0; k < 5; ++k) FillSolid(dc, RECT{x + 6 + k, y + 6 - k + dy, x + 7 + k, y + 7 - k + dy}, mark);
    }
  } else if (state == CheckState::Mixed) {
    FillSolid(dc, RECT{x + 3, y + 3, x + kBoxSize - 3, y + kBoxSize - 3}, mark);
  }
}

void DrawExpander(HDC dc, int x, int y, bool expanded) {
  const RECT box{x, y, x + 9, y + 9};
  FillSolid(dc, box, RGB(0xFF, 0xFF, 0xFF));
  FrameSolid(dc, box, kBorderColor);
  const COLORREF sign = RGB(0x30, 0x38, 0x44);
  FillSolid(dc, RECT{x + 2, y + 4, x + 7, y + 5}, sign);
  if (!expanded) FillSolid(dc, RECT{x + 4, y + 2, x + 5, y + 7}, sign);
}

}  // namespace

bool FindingsListView::Create(HWND parent, int left, int top, int width, int height) {
  if (!CreateWindowOf(kClassName, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                                      WS_CLIPCHILDREN,
                      WS_EX_CLIENTEDGE, left, top, width, height, parent, L"", CS_DBLCLKS)) {
    return false;
  }
  header_ = CreateWindowExW(0, WC_HEADERW, L"",
                            WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_DRAGDROP | HDS_FULLDRAG, 0, 0,
                            0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  for (int column = 0; column < kColumns; ++column) {
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    item.cxy = kInitialWidths[column];
    item.fmt = HDF_LEFT | HDF_STRING;
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(header_, HDM_INSERTITEMW, column, reinterpret_cast<LPARAM>(&item));
  }
  ApplyFont();
  CreateTooltip();
  return true;
}

void FindingsListView::CreateTooltip() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (tooltip_ == nullptr) return;
  // One tool whose rectangle follows the row under the pointer; its text is asked for
  // (TTN_GETDISPINFO) when it shows. Mouse messages are relayed by hand so that the
  // rectangle moves before the tooltip sees the pointer.
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = 0;
  tool.hwnd = Handle();
  tool.uId = kTipTool;
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kTipMaxWidth);
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipShowMilliseconds);
}

RECT FindingsListView::RowRect(RowRef row) const {
  const int position = model_.PositionOf(row);
  RECT client{};
  GetClientRect(Handle(), &client);
  if (position < topRow_) return RECT{};
  const int top = BodyTop() + (position - topRow_) * rowHeight_;
  if (top >= client.bottom) return RECT{};
  return RECT{0, top, client.right, std::min<int>(top + rowHeight_, client.bottom)};
}

void FindingsListView::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tooltip_ == nullptr) return;
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RowRef row = HitTest(p).row;
  if (row.Valid() && row.IsTypeRow()) row = RowRef{-1, -1};  // type rows explain nothing
  if (row != tipRow_) {
    SendMessageW(tooltip_, TTM_POP, 0, 0);
    tipRow_ = row;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Handle();
    tool.uId = kTipTool;
    tool.rect = row.Valid() ? RowRect(row) : RECT{};
    SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  MSG msg{};
  msg.hwnd = Handle();
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = GetMessageTime();
  SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void FindingsListView::ContextMenu(LPARAM lParam) {
  RowRef row;
  POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (lParam == -1) {
    // From the keyboard: the selected row, with the menu at its left below the text.
    row = selected_;
    if (!row.Valid()) return;
    const int position = model_.PositionOf(row);
    if (position >= 0) ScrollToRow(position);
    const RECT r = RowRect(row);
    screen = POINT{r.left + 24, r.bottom};
    ClientToScreen(Handle(), &screen);
  } else {
    POINT client = screen;
    ScreenToClient(Handle(), &client);
    row = HitTest(client).row;
    if (!row.Valid()) return;
    Select(row);
  }
  if (tooltip_ != nullptr) SendMessageW(tooltip_, TTM_POP, 0, 0);
  if (OnContextMenu) OnContextMenu(row, screen);
}

void FindingsListView::SetColumnCaption(int column, const std::u16string& caption) {
  if (column < 0 || column >= kColumns) return;
  captions_[column] = caption;
  if (header_ == nullptr) return;
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(captions_[column].c_str()));
  SendMessageW(header_, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
}

int FindingsListView::ColumnWidth(int column) const {
  if (header_ == nullptr) return kInitialWidths[column];
  RECT r{};
  Header_GetItemRect(header_, column, &r);
  return r.right - r.left;
}

void FindingsListView::ApplyFont() {
  if (Handle() == nullptr) return;
  HFONT font = fontCache_.For(font_);
  controls::WindowDc dc(Handle());
  controls::SelectScope select(dc.Get(), font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  rowHeight_ = std::max<int>(18, metrics.tmHeight + 5);
  headerHeight_ = std::max<int>(20, metrics.tmHeight + 8);
  SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  Layout();
}

void FindingsListView::RowsChanged() {
  const int count = model_.VisibleRowCount();
  // The rows under the pointer may have moved: the tooltip is asked for again.
  tipRow_ = RowRef{-1, -1};
  if (tooltip_ != nullptr) SendMessageW(tooltip_, TTM_POP, 0, 0);
  if (!selected_.Valid() || model_.PositionOf(selected_) < 0) {
    // The selected row went away (cleaned, collected or folded): its type row takes over.
    selected_ = RowRef{std::clamp(selected_.type, 0, std::max(0, model_.TypeCount() - 1)), -1};
  }
  SetTopRow(std::min(topRow_, std::max(0, count - RowsPerPage())));
  UpdateScrollBars();
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void FindingsListView::CollapseAll() {
  for (int type = 0; type < model_.TypeCount(); ++type) model_.SetExpanded(type, false);
  RowsChanged();
}

void FindingsListView::Layout() {
  if (Handle() == nullptr) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  std::array<int, kColumns> order{}, left{}, width{};
  const int total = DisplayedColumns(&order, &left, &width);
  const int headerWidth = std::max<int>(static_cast<int>(client.right) + scrollX_, total + 200);
  SetWindowPos(header_, nullptr, -scrollX_, 0, headerWidth, headerHeight_,
               SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

int FindingsListView::RowsPerPage() const {
  if (Handle() == nullptr) return 1;
  RECT client{};
  GetClientRect(Handle(), &client);
  return std::max<int>(1, (client.bottom - BodyTop()) / rowHeight_);
}

int FindingsListView::DisplayedColumns(std::array<int, kColumns>* order,
                                       std::array<int, kColumns>* left,
                                       std::array<int, kColumns>* width) const {
  int display[kColumns] = {0, 1, 2, 3};
  if (header_ != nullptr) Header_GetOrderArray(header_, kColumns, display);
  int x = 0;
  for (int i = 0; i < kColumns; ++i) {
    const int column = display[i];
    (*order)[i] = column;
    (*left)[column] = x;
    (*width)[column] = ColumnWidth(column);
    x += (*width)[column];
  }
  return x;
}

void FindingsListView::UpdateScrollBars() {
  if (Handle() == nullptr) return;
  SCROLLINFO vertical{sizeof(vertical), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
  vertical.nMin = 0;
  vertical.nMax = std::max(0, model_.VisibleRowCount() - 1);
  vertical.nPage = static_cast<UINT>(RowsPerPage());
  vertical.nPos = topRow_;
  SetScrollInfo(Handle(), SB_VERT, &vertical, TRUE);

  RECT client{};
  GetClientRect(Handle(), &client);
  std::array<int, kColumns> order{}, left{}, width{};
  const int total = DisplayedColumns(&order, &left, &width);
  SCROLLINFO horizontal{sizeof(horizontal), SIF_RANGE | SIF_PAGE | SIF_POS};
  horizontal.nMin = 0;
  horizontal.nMax = std::max(0, total - 1);
  horizontal.nPage = static_cast<UINT>(std::max<LONG>(1, client.right));
  horizontal.nPos = scrollX_;
  SetScrollInfo(Handle(), SB_HORZ, &horizontal, TRUE);
}

void FindingsListView::SetTopRow(int position) {
  const int maxTop = std::max(0, model_.VisibleRowCount() - RowsPerPage());
  const int top = std::clamp(position, 0, maxTop);
  if (top != topRow_ && tooltip_ != nullptr) {
    // Another row now lies under the pointer.
    tipRow_ = RowRef{-1, -1};
    SendMessageW(tooltip_, TTM_POP, 0, 0);
  }
  topRow_ = top;
}

void FindingsListView::ScrollToRow(int position) {
  if (position < topRow_) {
    SetTopRow(position);
  } else if (position >= topRow_ + RowsPerPage()) {
    SetTopRow(position - RowsPerPage() + 1);
  }
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void FindingsListView::ScrollVertically(int request, int thumb) {
  int position = topRow_;
  switch (request) {
    case SB_LINEUP: --position; break;
    case SB_LINEDOWN: ++position; break;
    case SB_PAGEUP: position -= RowsPerPage(); break;
    case SB_PAGEDOWN: position += RowsPerPage(); break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = model_.VisibleRowCount(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit tracking position, not the 16-bit one of the message.
      SCROLLINFO info{sizeof(info), SIF_TRACKPOS};
      GetScrollInfo(Handle(), SB_VERT, &info);
      position = info.nTrackPos;
      (void)thumb;
      break;
    }
    default: return;
  }
  SetTopRow(position);
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void FindingsListView::ScrollHorizontally(int request, int /*thumb*/) {
  RECT client{};
  GetClientRect(Handle(), &client);
  std::array<int, kColumns> order{}, left{}, width{};
  const int total = DisplayedColumns(&order, &left, &width);
  int x = scrollX_;
  switch (request) {
    case SB_LINELEFT: x -= 16; break;
    case SB_LINERIGHT: x += 16; break;
    case SB_PAGELEFT: x -= client.right; break;
    case SB_PAGERIGHT: x += client.right; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{sizeof(info), SIF_TRACKPOS};
      GetScrollInfo(Handle(), SB_HORZ, &info);
      x = info.nTrackPos;
      break;
    }
    default: return;
  }
  scrollX_ = std::clamp<int>(x, 0, std::max<int>(0, total - client.right));
  Layout();
}

FindingsListView::HitResult FindingsListView::HitTest(POINT p) const {
  HitResult hit;
  if (p.y < BodyTop()) return hit;
  const int position = topRow_ + (p.y - BodyTop()) / rowHeight_;
  hit.row = model_.VisibleRow(position);
  if (!hit.row.Valid()) return hit;
  std::array<int, kColumns> order{}, left{}, width{};
  DisplayedColumns(&order, &left, &width);
  const int x = p.x + scrollX_ - left[0];
  if (x < 0 || x >= width[0]) return hit;
  const int level = hit.row.IsTypeRow() ? 0 : 1;
  const int boxX = kExpanderX + kIndent * (level + 1) - 2;
  if (level == 0 && x >= kExpanderX - 2 && x < kExpanderX + 11) hit.onExpander = true;
  if (x >= boxX - 1 && x < boxX + kBoxSize + 2) hit.onCheckBox = true;
  return hit;
}

void FindingsListView::Select(RowRef row) {
  if (!row.Valid()) return;
  selected_ = row;
  const int position = model_.PositionOf(row);
  if (position >= 0) ScrollToRow(position);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void FindingsListView::ToggleCheck(RowRef row) {
  if (!row.Valid()) return;
  model_.ToggleState(row);
  InvalidateRect(Handle(), nullptr, FALSE);
  if (OnChecked) OnChecked();
}

void FindingsListView::ToggleExpanded(int type) {
  if (type < 0 || type >= model_.TypeCount() || model_.Type(type).findings.empty()) return;
  model_.SetExpanded(type, !model_.Type(type).expanded);
  RowsChanged();
}

void FindingsListView::OnKey(UINT key) {
  const int count = model_.VisibleRowCount();
  int position = std::max<int>(0, model_.PositionOf(selected_));
  switch (key) {
    case VK_UP: --position; break;
    case VK_DOWN: ++position; break;
    case VK_PRIOR: position -= RowsPerPage(); break;
    case VK_NEXT: position += RowsPerPage(); break;
    case VK_HOME: position = 0; break;
    case VK_END: position = count - 1; break;
    case VK_SPACE: ToggleCheck(selected_); return;
    case VK_RIGHT:
    case VK_ADD:
      if (selected_.IsTypeRow() && !model_.Type(selected_.type).expanded) {
        ToggleExpanded(selected_.type);
      }
      return;
    case VK_LEFT:
    case VK_SUBTRACT:
      if (!selected_.IsTypeRow()) {
        Select(RowRef{selected_.type, -1});
      } else if (model_.Type(selected_.type).expanded) {
        ToggleExpanded(selected_.type);
      }
      return;
    default: return;
  }
  Select(model_.VisibleRow(std::clamp(position, 0, std::max(0, count - 1))));
}

void FindingsListView::OnWheel(int delta) {
  // The user's setting: rows per notch, or a page per notch (WHEEL_PAGESCROLL).
  UINT setting = kDefaultWheelRows;
  if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &setting, 0)) setting = kDefaultWheelRows;
  const int rowsPerNotch =
      setting == WHEEL_PAGESCROLL ? RowsPerPage() : static_cast<int>(std::min<UINT>(setting, 1000));
  if (rowsPerNotch == 0) return;
  const int rows = wheel_.Add(delta, rowsPerNotch);
  if (rows == 0) return;
  SetTopRow(topRow_ - rows);
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void FindingsListView::Paint(HDC dc, const RECT& client) {
  FillSolid(dc, client, RGB(0xFF, 0xFF, 0xFF));
  controls::SelectScope select(dc, fontCache_.For(font_));
  SetBkMode(dc, TRANSPARENT);
  const bool focused = GetFocus() == Handle();
  const int count = model_.VisibleRowCount();
  int y = BodyTop();
  for (int position = topRow_; position < count && y < client.bottom; ++position) {
    const RowRef row = model_.VisibleRow(position);
    const bool selected = row == selected_;
    PaintRow(dc, row, y, client.right, selected);
    if (selected && focused) {
      RECT focus{0, y, client.right, y + rowHeight_};
      SetTextColor(dc, RGB(0, 0, 0));
      DrawFocusRect(dc, &focus);
    }
    y += rowHeight_;
  }
}

void FindingsListView::PaintRow(HDC dc, RowRef row, int y, int width, bool selected) {
  const bool focused = GetFocus() == Handle();
  const RECT rowRect{0, y, width, y + rowHeight_};
  COLORREF textColor = kTextColor;
  if (selected) {
    FillSolid(dc, rowRect, focused ? kSelectedColor : kSelectedInactiveColor);
    if (focused) textColor = RGB(0xFF, 0xFF, 0xFF);
  } else if (row.IsTypeRow()) {
    FillSolid(dc, rowRect, kTypeRowColor);
  }
  std::array<int, kColumns> order{}, left{}, widths{};
  DisplayedColumns(&order, &left, &widths);
  const int level = row.IsTypeRow() ? 0 : 1;
  const int boxTop = y + (rowHeight_ - kBoxSize) / 2;
  for (int column = 0; column < kColumns; ++column) {
    const int columnLeft = left[column] - scrollX_;
    if (columnLeft >= width || columnLeft + widths[column] <= 0) continue;
    int textLeft = columnLeft + 4;
    controls::DcStateScope state(dc);
    IntersectClipRect(dc, columnLeft, y, columnLeft + widths[column], y + rowHeight_);
    if (column == 0) {
      if (row.IsTypeRow() && !model_.Type(row.type).findings.empty()) {
        DrawExpander(dc, columnLeft + kExpanderX, y + (rowHeight_ - 9) / 2,
                     model_.Type(row.type).expanded);
      }
      const int boxX = columnLeft + kExpanderX + kIndent * (level + 1) - 2;
      DrawCheckBox(dc, boxX, boxTop, model_.State(row), true);
      textLeft = boxX + kBoxSize + 5;
    }
    if (!OnGetText) continue;
    const std::u16string text = OnGetText(row, column);
    if (text.empty()) continue;
    RECT textRect{textLeft, y, columnLeft + widths[column] - 4, y + rowHeight_};
    SetTextColor(dc, textColor);
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()),
              &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
  }
}

LRESULT FindingsListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      controls::PaintScope paint(Handle());
      RECT client{};
      GetClientRect(Handle(), &client);
      if (buffer_.Ensure(paint.Dc(), client.right, client.bottom)) {
        Paint(buffer_.Dc(), client);
        BitBlt(paint.Dc(), 0, BodyTop(), client.right, client.bottom - BodyTop(), buffer_.Dc(),
               0, BodyTop(), SRCCOPY);
      } else {
        Paint(paint.Dc(), client);
      }
      return 0;
    }
    case WM_VSCROLL:
      ScrollVertically(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      ScrollHorizontally(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_LBUTTONDOWN: {
      RelayToTooltip(message, wParam, lParam);
      SetFocus(Handle());
      const HitResult hit = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (!hit.row.Valid()) return 0;
      Select(hit.row);
      if (hit.onExpander) ToggleExpanded(hit.row.type);
      else if (hit.onCheckBox) ToggleCheck(hit.row);
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      RelayToTooltip(message, wParam, lParam);
      break;
    case WM_RBUTTONDOWN: {
      // The row under the pointer is the one the context menu (on the button's release)
      // acts on, as in Explorer and regedit.
      RelayToTooltip(message, wParam, lParam);
      SetFocus(Handle());
      const HitResult hit = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (hit.row.Valid()) Select(hit.row);
      return 0;
    }
    case WM_CONTEXTMENU:
      ContextMenu(lParam);
      return 0;
    case WM_LBUTTONDBLCLK: {
      const HitResult hit = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      // The first click of the pair has already opened or closed the row on its expand
      // button; the second one leaves it so.
      if (!hit.row.Valid() || hit.onExpander) return 0;
      if (hit.onCheckBox) ToggleCheck(hit.row);  // the second click of a quick pair
      else if (hit.row.IsTypeRow()) ToggleExpanded(hit.row.type);
      return 0;
    }
    case WM_KEYDOWN:
      OnKey(static_cast<UINT>(wParam));
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_NOTIFY: {
      const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
      if (notify->hwndFrom == tooltip_ && notify->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        tipText_ = tipRow_.Valid() && OnGetTip ? OnGetTip(tipRow_) : std::u16string();
        info->lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(tipText_.c_str()));
        info->hinst = nullptr;
        return 0;
      }
      if (notify->hwndFrom == header_) {
        switch (notify->code) {
          case HDN_ITEMCHANGEDW:
          case HDN_ITEMCHANGEDA:
          case HDN_ENDDRAG:
          case HDN_ENDTRACKW:
          case HDN_ENDTRACKA:
            // The order array changes only after HDN_ENDDRAG returns: repaint later.
            PostMessageW(Handle(), WM_APP, 0, 0);
            break;
          default:
            break;
        }
      }
      break;
    }
    case WM_APP:
      Layout();
      return 0;
    default:
      break;
  }
  return DefaultMessage(message, wParam, lParam);
}

}  // namespace ovalin::windows
