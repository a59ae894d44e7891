// Small helpers the program's windows share: formatting a text from a language pack,
// applying a font key, local date and time texts, the skin's pictures and the standard
// dressing of title bars and buttons.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "controls/kel_button.h"
#include "controls/kel_image.h"
#include "controls/kel_picture.h"
#include "controls/kel_title_bar.h"
#include "controls/skin_buttons.h"
#include "localisation/checked_format.h"
#include "platform/clock.h"
#include "windows/app_services.h"

namespace ovalin::windows {

// The formatted text, or an empty text when the format does not fit its arguments.
std::u16string FormatText(const std::u16string& format, const std::vector<FormatArg>& args);
// The present font of a font key applied to font.
void ApplyFont(AppServices& app, TKelFont& font, const std::int32_t& fontVariable);
// A local time (FILETIME) as short date, a blank and long time.
std::u16string LocalDateTimeText(platform::Clock& clock, platform::FileTime local);
// The decimal separator of the user's locale ('.' when it cannot be read).
char16_t LocaleDecimalSeparator();
// A UTC time converted to local time first; empty when it cannot be converted.
std::u16string UtcDateTimeText(platform::Clock& clock, platform::FileTime utc);

controls::TKelPicture SkinPicture(const wchar_t* name);
// A title bar with the small logo and a white bold caption.
void SetupTitleBar(controls::TKelTitleBar& title);
// The top of a skinned dialog: the skin picture stretched over the whole client area of
// width x height, then the title bar from (8, 4), titleWidth wide.
void AddDialogFrame(controls::TKelControlHost& form, int width, int height,
                    controls::TKelImage& background, const wchar_t* picture,
                    controls::TKelTitleBar& title, int titleWidth);
void SetupCaptionButton(controls::TKelImageButton& button, controls::TKelControlHost& host,
                        controls::SkinButtonKind kind, int x, int y = 5);
// A skinned push button, 26 pixels high. Buttons whose text is long in some languages
// ("Wiederherstellen", "Tout supprimer") are made wider.
constexpr int kPushButtonWidth = 100;
constexpr int kWidePushButtonWidth = 120;
void SetupPushButton(controls::TKelImageButton& button, controls::TKelControlHost& host, int x,
                     int y, int width = kPushButtonWidth);

// The program's message box with a caption; OK only unless type says otherwise.
// Sets the header texts of a report-style list view, column by column.
void SetColumnCaptions(HWND list, std::initializer_list<const std::u16string*> captions);

int ShowInformation(AppServices& app, HWND owner, const std::u16string& text,
                    const std::u16string& caption, UINT type = MB_OK);

inline const wchar_t* Wide(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}

}  // namespace ovalin::windows
