/* Test helper for the end-to-end tests: what the desktop shows besides the program's own
 * windows, printed in UTF-8.
 *   desktop_probe.exe tooltip     the text of the visible tooltip (exit 1: none)
 *   desktop_probe.exe clipboard   the clipboard's text (exit 1: no text)
 *   desktop_probe.exe menu        exit 0 when a pop-up menu is open */
#include <windows.h>

static int print_utf8(const wchar_t* text, int chars) {
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, chars, NULL, 0, NULL, NULL);
  if (bytes <= 0) return 1;
  char* utf8 = (char*)HeapAlloc(GetProcessHeap(), 0, bytes);
  if (utf8 == NULL) return 1;
  WideCharToMultiByte(CP_UTF8, 0, text, chars, utf8, bytes, NULL, NULL);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8, (DWORD)bytes, &written, NULL);
  return 0;
}

static HWND found;

static BOOL CALLBACK visible_of_class(HWND hwnd, LPARAM cls) {
  wchar_t name[64];
  if (!IsWindowVisible(hwnd) || !GetClassNameW(hwnd, name, 64)) return TRUE;
  if (lstrcmpiW(name, (const wchar_t*)cls) != 0) return TRUE;
  found = hwnd;
  return FALSE;
}

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  if (lstrcmpW(argv[1], L"tooltip") == 0) {
    EnumWindows(visible_of_class, (LPARAM)L"tooltips_class32");
    if (found == NULL) return 1;
    wchar_t text[4096];
    int chars = (int)SendMessageW(found, WM_GETTEXT, 4096, (LPARAM)text);
    return chars > 0 ? print_utf8(text, chars) : 1;
  }
  if (lstrcmpW(argv[1], L"menu") == 0) {
    EnumWindows(visible_of_class, (LPARAM)L"#32768");
    return found != NULL ? 0 : 1;
  }
  if (lstrcmpW(argv[1], L"clipboard") == 0) {
    if (!OpenClipboard(NULL)) return 1;
    int status = 1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = data != NULL ? (const wchar_t*)GlobalLock(data) : NULL;
    if (text != NULL) {
      status = print_utf8(text, lstrlenW(text));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return status;
  }
  return 2;
}
