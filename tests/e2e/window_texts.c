/* Test helper for the end-to-end tests: prints the texts a skinned window of the program
 * shows (its labels, title bar and buttons, which the window paints itself), one line per
 * control as the window reports them (src/controls/control_texts.h):
 *   kind TAB left,top TAB enabled|disabled TAB text
 * in UTF-8.
 *   window_texts.exe TITLE      exit status 0 when the window answered
 * Example: the main window's count of findings,
 *   wine window_texts.exe "Registry Cleaner" | grep -a '^label.20,177'  */
#include <windows.h>
#include <stdio.h>

#define CONTROL_TEXTS_DATA 0x4F54584C

static wchar_t* answer;
static DWORD answer_chars;

static LRESULT CALLBACK receive(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA) {
    const COPYDATASTRUCT* data = (const COPYDATASTRUCT*)lparam;
    if (data->dwData != CONTROL_TEXTS_DATA || answer != NULL) return FALSE;
    answer_chars = data->cbData / sizeof(wchar_t);
    answer = (wchar_t*)HeapAlloc(GetProcessHeap(), 0, data->cbData + sizeof(wchar_t));
    if (answer == NULL) return FALSE;
    CopyMemory(answer, data->lpData, data->cbData);
    answer[answer_chars] = 0;
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  HWND target = FindWindowW(NULL, argv[1]);
  if (target == NULL) return 1;
  WNDCLASSW cls = {0};
  cls.lpfnWndProc = receive;
  cls.hInstance = GetModuleHandleW(NULL);
  cls.lpszClassName = L"OvalinWindowTexts";
  RegisterClassW(&cls);
  HWND self = CreateWindowW(cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                            cls.hInstance, NULL);
  if (self == NULL) return 1;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(target, RegisterWindowMessageW(L"OvalinControlTexts"), (WPARAM)self, 0,
                      SMTO_ABORTIFHUNG, 10000, &result);
  if (answer == NULL) return 1;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, answer, (int)answer_chars, NULL, 0, NULL, NULL);
  char* utf8 = (char*)HeapAlloc(GetProcessHeap(), 0, bytes > 0 ? bytes : 1);
  if (utf8 == NULL) return 1;
  WideCharToMultiByte(CP_UTF8, 0, answer, (int)answer_chars, utf8, bytes, NULL, NULL);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8, (DWORD)bytes, &written, NULL);
  return 0;
}
