// The controls gallery: shows every skinned control in every state, for the eye and for
// the e2e test, which drives it with xdotool under Wine.
#include <windows.h>

#include <commctrl.h>

#include "controls/dll_search.h"
#include "controls/kel_form.h"
#include "gallery/gallery_forms.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ovalin::controls::RestrictDllSearch();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  ovalin::gallery::GalleryWindow window;
  if (!window.Build()) return 1;
  window.CentreOnScreen();
  window.Show();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (ovalin::controls::TKelForm::TranslateDialogKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
