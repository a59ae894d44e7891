#include "controls/pav_utils.h"

#include <shellapi.h>

#include <utility>

#include "controls/kel_scroll_box.h"
#include "controls/system_programs.h"
#include "controls/win_handles.h"
#include "skin_logic/pointer_logic.h"

namespace ovalin::controls {

bool OpenAddress(HWND owner, const std::u16string& address) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;  // 0x540
  info.hwnd = owner;
  info.lpVerb = L"Open";
  info.lpFile = WidePtr(address);
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&info)) {
    UniqueKernelHandle process(info.hProcess);
    return true;
  }
  if (NeedsOpenWithFallback(address)) {
    const std::wstring rundll32 = SystemFolderProgram(L"rundll32.exe");
    ShellExecuteW(owner, nullptr, rundll32.c_str(), L"Shell32.dll, OpenAs_RunDLL *.htm", nullptr,
                  SW_SHOWNORMAL);
  }
  return false;
}

namespace {

void PrintWindowAt(HDC dc, HWND window, POINT origin, UINT what) {
  DcStateScope state(dc);
  POINT base{};
  GetViewportOrgEx(dc, &base);
  SetViewportOrgEx(dc, base.x + origin.x, base.y + origin.y, nullptr);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), what);
}

}  // namespace

void PaintParentBackground(HDC dc, HWND control) {
  HWND parent = GetParent(control);
  if (parent == nullptr) return;
  RECT own{};
  GetWindowRect(control, &own);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&own), 2);
  RECT parentClient{};
  GetClientRect(parent, &parentClient);

  DcStateScope state(dc);
  // Clip to the parent's client area, in the control's coordinates.
  IntersectClipRect(dc, parentClient.left - own.left, parentClient.top - own.top,
                    parentClient.right - own.left, parentClient.bottom - own.top);
  PrintWindowAt(dc, parent, POINT{-own.left, -own.top}, PRF_CLIENT);

  // Windowed siblings below the control, bottom first.
  for (HWND sibling = GetWindow(control, GW_HWNDLAST); sibling != nullptr && sibling != control;
       sibling = GetWindow(sibling, GW_HWNDPREV)) {
    if (!IsWindowVisible(sibling)) continue;
    RECT r{};
    GetWindowRect(sibling, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    RECT overlap{};
    if (!IntersectRect(&overlap, &r, &own)) continue;
    PrintWindowAt(dc, sibling, POINT{r.left - own.left, r.top - own.top}, PRF_CLIENT | PRF_CHILDREN);
  }
}

bool IsMouseOverControl(const TKelScrollBox& box) {
  HWND hwnd = box.Handle();
  if (hwnd == nullptr || !IsWindowVisible(hwnd)) return false;
  HWND top = GetAncestor(hwnd, GA_ROOT);
  if (top != nullptr && IsIconic(top)) return false;
  POINT p{};
  RECT r{};
  if (!GetCursorPos(&p) || !GetWindowRect(hwnd, &r)) return false;
  return PtInRect(&r, p) != FALSE;  // left and top included, right and bottom excluded
}

bool ForceForegroundWindow(HWND hwnd) {
  HWND foreground = GetForegroundWindow();
  const DWORD foreignThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  const DWORD ownThread = GetCurrentThreadId();
  const bool attach = foreignThread != 0 && foreignThread != ownThread;
  if (attach) AttachThreadInput(foreignThread, ownThread, TRUE);
  const bool ok = SetForegroundWindow(hwnd) != FALSE;
  if (attach) AttachThreadInput(foreignThread, ownThread, FALSE);
  return ok;
}

void CopyFont(TKelFont& target, const TKelFont& source) {
  std::function<void()> notify = std::move(target.OnChange);
  target = source;
  target.OnChange = std::move(notify);
  if (target.OnChange) target.OnChange();
}

}  // namespace ovalin::controls
