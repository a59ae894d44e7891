#include "controls/control_texts.h"

namespace ovalin::controls {

UINT ControlTextsMessage() {
  static const UINT message = RegisterWindowMessageW(L"OvalinControlTexts");
  return message;
}

std::u16string ControlTextLine(const char16_t* kind, const RECT& bounds, bool enabled,
                               const std::u16string& text) {
  const std::string position =
      std::to_string(bounds.left) + "," + std::to_string(bounds.top);
  std::u16string line(kind);
  line += u'\t';
  line.append(position.begin(), position.end());
  line += enabled ? u"\tenabled\t" : u"\tdisabled\t";
  for (const char16_t c : text) {
    if (c == u'\r') continue;
    if (c == u'\n') line += u"\\n";
    else line += c;
  }
  return line + u'\n';
}

void SendControlTexts(HWND from, HWND to, const std::u16string& lines) {
  if (to == nullptr || !IsWindow(to)) return;
  COPYDATASTRUCT data{};
  data.dwData = kControlTextsData;
  data.cbData = static_cast<DWORD>(lines.size() * sizeof(char16_t));
  data.lpData = const_cast<char16_t*>(lines.data());
  // The asker waits in its SendMessage to this window; it takes the answer meanwhile.
  DWORD_PTR result = 0;
  SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                      reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &result);
}

}  // namespace ovalin::controls
