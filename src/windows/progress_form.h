// TfrmZUNRCProgress: status text, progress bar and Stop while a scan or a clean runs.
// OnStart runs once, about 300 ms after the window has come up; Status and Percentage
// may be set from any thread.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>

#include "controls/kel_button.h"
#include "controls/kel_form.h"
#include "controls/kel_image.h"
#include "controls/kel_label.h"
#include "windows/app_services.h"
#include "windows/localised_window.h"

namespace ovalin::windows {

class TfrmZUNRCProgress : public controls::TKelForm, public LocalisedWindow {
 public:
  explicit TfrmZUNRCProgress(AppServices& app) : app_(app) {}
  bool Build(HWND owner);

  std::u16string Status() const;
  void SetStatus(const std::u16string& value);
  int Percentage() const;
  void SetPercentage(int value);

  std::function<void()> OnStart;
  // allowClose starts true; the window closes when it is still true afterwards.
  std::function<void(bool& allowClose)> OnCancel;

  void EndProgress();
  // False while the work can no longer be stopped (the window tidies up after it): Stop
  // is disabled and the window cannot be closed by the user until EndProgress.
  void SetStoppable(bool value);
  void RefreshMultiLangs() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void StopClick();
  void ApplyPending();

  AppServices& app_;
  controls::TKelImage imgBackground;
  controls::TKelLabel lblStatus;
  controls::TKelImageButton btnStop;
  HWND prgProgress = nullptr;

  mutable std::mutex FCritSec;
  std::u16string status_ = u"Status:";
  int percentage_ = 0;
  bool pendingPosted_ = false;
  DWORD uiThread_ = 0;
  bool started_ = false;
  bool closingByUs_ = false;
  bool stoppable_ = true;
};

}  // namespace ovalin::windows
