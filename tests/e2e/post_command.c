/* Test helper for the program's end-to-end test: posts WM_COMMAND with the given command
 * id to the top-level window with the given title, the way a menu choice reaches it. It
 * reaches a window that a modal window over it has disabled, which no click can.
 *   post_command.exe TITLE ID      exit status 0 when the window was found */
#include <windows.h>
#include <stdlib.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HWND window = FindWindowW(NULL, argv[1]);
  if (window == NULL) return 1;
  return PostMessageW(window, WM_COMMAND, (WPARAM)_wtoi(argv[2]), 0) ? 0 : 1;
}
