// OvalinRegistryCleaner.exe: the entry point. It takes no command-line arguments.
#include <windows.h>

#include <commctrl.h>

#include "app/application.h"
#include "controls/dll_search.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The program runs elevated: DLLs come only from the system and the program's folder.
  ovalin::controls::RestrictDllSearch();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                            ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  int exitCode = 0;
  {
    ovalin::app::Application application;
    ovalin::app::TAppCommand command(application);
    command.Execute();
    exitCode = application.RunMessageLoop();
    application.ShutdownStep();
  }
  return exitCode;
}
