// Names of the skin's pictures, embedded as RCDATA resources (PNG) from skin/skin.rc.
// Load one with TKelPicture::FromResource(GetModuleHandleW(nullptr), kSkin...).
#pragma once

namespace ovalin::controls {

// Window backgrounds, each the client size of its window.
constexpr wchar_t kSkinMainBackground[] = L"SKIN_MAIN_BACKGROUND";          // 780 x 585
constexpr wchar_t kSkinRestoreBackground[] = L"SKIN_RESTORE_BACKGROUND";    // 680 x 416
constexpr wchar_t kSkinDialogBackground[] = L"SKIN_DIALOG_BACKGROUND";      // 500 x 300
constexpr wchar_t kSkinProgressBackground[] = L"SKIN_PROGRESS_BACKGROUND";  // 504 x 120
constexpr wchar_t kSkinAboutBackground[] = L"SKIN_ABOUT_BACKGROUND";        // 560 x 400
// The main window's title picture and logos.
constexpr wchar_t kSkinMainTitle[] = L"SKIN_MAIN_TITLE";            // 763 x 120
constexpr wchar_t kSkinMainLogo[] = L"SKIN_MAIN_LOGO";              // 230 x 75
constexpr wchar_t kSkinTitleLogo[] = L"SKIN_TITLE_LOGO";            // 24 x 24, in the title bars
constexpr wchar_t kSkinAboutLogo[] = L"SKIN_ABOUT_LOGO";            // 128 x 128
// Push buttons (100 x 26) by state.
constexpr wchar_t kSkinButtonNormal[] = L"SKIN_BUTTON_NORMAL";
constexpr wchar_t kSkinButtonHover[] = L"SKIN_BUTTON_HOVER";
constexpr wchar_t kSkinButtonDown[] = L"SKIN_BUTTON_DOWN";
constexpr wchar_t kSkinButtonDisabled[] = L"SKIN_BUTTON_DISABLED";
// Title-bar buttons (25 x 24) by state.
constexpr wchar_t kSkinHelpNormal[] = L"SKIN_HELP_NORMAL";
constexpr wchar_t kSkinHelpHover[] = L"SKIN_HELP_HOVER";
constexpr wchar_t kSkinHelpDown[] = L"SKIN_HELP_DOWN";
constexpr wchar_t kSkinHelpDisabled[] = L"SKIN_HELP_DISABLED";
constexpr wchar_t kSkinMinimizeNormal[] = L"SKIN_MINIMIZE_NORMAL";
constexpr wchar_t kSkinMinimizeHover[] = L"SKIN_MINIMIZE_HOVER";
constexpr wchar_t kSkinMinimizeDown[] = L"SKIN_MINIMIZE_DOWN";
constexpr wchar_t kSkinMinimizeDisabled[] = L"SKIN_MINIMIZE_DISABLED";
constexpr wchar_t kSkinCloseNormal[] = L"SKIN_CLOSE_NORMAL";
constexpr wchar_t kSkinCloseHover[] = L"SKIN_CLOSE_HOVER";
constexpr wchar_t kSkinCloseDown[] = L"SKIN_CLOSE_DOWN";
constexpr wchar_t kSkinCloseDisabled[] = L"SKIN_CLOSE_DISABLED";

}  // namespace ovalin::controls
