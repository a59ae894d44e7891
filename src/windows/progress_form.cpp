#include "windows/progress_form.h"

#include <commctrl.h>

#include <algorithm>

#include "windows/form_support.h"

namespace ovalin::windows {

namespace {
constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kApplyPending = WM_APP + 11;
}  // namespace

bool TfrmZUNRCProgress::Build(HWND owner) {
  Options options;
  options.clientWidth = 504;
  options.clientHeight = 120;
  options.sysMenu = false;
  if (!Create(owner, options, u"")) return false;
  uiThread_ = GetCurrentThreadId();
  imgBackground.SetBounds(0, 0, 504, 120);
  imgBackground.SetStretch(true);
  imgBackground.SetMoveHandler(false);
  imgBackground.SetPicture(SkinPicture(L"SKIN_PROGRESS_BACKGROUND"));
  AddControl(imgBackground);
  prgProgress = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 12, 8,
                                480, 28, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(prgProgress, PBM_SETRANGE32, 0, 100);
  lblStatus.SetAutoSize(false);
  lblStatus.SetBounds(12, 48, 480, 34);
  lblStatus.SetWordWrap(true);
  lblStatus.SetMoveHandler(false);
  AddControl(lblStatus);
  lblStatus.SetCaption(status_);
  SetupPushButton(btnStop, *this, 202, 88);
  // Escape stops, Enter does not: an Enter still held from the confirmation window must
  // not stop the clean it has just started.
  btnStop.SetCancel(true);
  btnStop.OnClick = [this] { StopClick(); };
  OnClose = [this] {
    // Closed some other way than Stop or EndProgress (Alt+F4): stop the work first, so
    // that nothing reports into a window that is gone.
    if (!closingByUs_ && OnCancel) {
      bool allowClose = true;
      OnCancel(allowClose);
    }
    KillTimer(Handle(), kStartTimer);
  };
  return true;
}

std::u16string TfrmZUNRCProgress::Status() const {
  std::lock_guard<std::mutex> lock(FCritSec);
  return status_;
}

void TfrmZUNRCProgress::SetStatus(const std::u16string& value) {
  {
    std::lock_guard<std::mutex> lock(FCritSec);
    status_ = value;
  }
  ApplyPending();
}

int TfrmZUNRCProgress::Percentage() const {
  std::lock_guard<std::mutex> lock(FCritSec);
  return percentage_;
}

void TfrmZUNRCProgress::SetPercentage(int value) {
  {
    std::lock_guard<std::mutex> lock(FCritSec);
    percentage_ = std::clamp(value, 0, 100);
  }
  ApplyPending();
}

void TfrmZUNRCProgress::ApplyPending() {
  if (Handle() == nullptr) return;
  if (GetCurrentThreadId() != uiThread_) {
    // Another thread: the window's own thread shows the latest values.
    std::lock_guard<std::mutex> lock(FCritSec);
    if (!pendingPosted_) {
      pendingPosted_ = true;
      PostMessageW(Handle(), kApplyPending, 0, 0);
    }
    return;
  }
  std::u16string status;
  int percentage = 0;
  {
    std::lock_guard<std::mutex> lock(FCritSec);
    status = status_;
    percentage = percentage_;
    pendingPosted_ = false;
  }
  if (lblStatus.Caption() != status) lblStatus.SetCaption(status);
  SendMessageW(prgProgress, PBM_SETPOS, percentage, 0);
}

void TfrmZUNRCProgress::StopClick() {
  bool allowClose = true;
  if (OnCancel) OnCancel(allowClose);
  if (allowClose) {
    closingByUs_ = true;
    Close();
  }
}

void TfrmZUNRCProgress::SetStoppable(bool value) {
  stoppable_ = value;
  btnStop.SetEnabled(value);
}

void TfrmZUNRCProgress::EndProgress() {
  closingByUs_ = true;
  Close();
}

void TfrmZUNRCProgress::RefreshMultiLangs() {
  ApplyFont(app_, lblStatus.Font(), app_.Fonts().FONT_ZUNRCProgressForm_Label_Status);
  ApplyFont(app_, btnStop.Font(), app_.Fonts().FONT_ZUNRCProgressForm_Button_Cancel);
  btnStop.SetCaption(app_.Strings().STR_ZUNRCProgressForm_2);
}

LRESULT TfrmZUNRCProgress::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam) {
        RefreshMultiLangs();
        if (!started_) SetTimer(Handle(), kStartTimer, 300, nullptr);
      }
      break;
    case WM_TIMER:
      if (wParam == kStartTimer) {
        KillTimer(Handle(), kStartTimer);
        if (!started_ && IsWindowVisible(Handle())) {
          started_ = true;
          if (OnStart) OnStart();
        }
        return 0;
      }
      break;
    case kApplyPending:
      ApplyPending();
      return 0;
    case WM_CLOSE:
      if (!stoppable_) return 0;
      break;
    default:
      break;
  }
  return TKelForm::HandleMessage(message, wParam, lParam);
}

}  // namespace ovalin::windows
