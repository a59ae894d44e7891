#include "windows/form_support.h"

#include <commctrl.h>

#include "controls/control_host.h"
#include "controls/skin_buttons.h"
#include "localisation/font_property.h"

namespace ovalin::windows {

std::u16string FormatText(const std::u16string& format, const std::vector<FormatArg>& args) {
  return FormatChecked(format, args).value_or(std::u16string());
}

void ApplyFont(AppServices& app, TKelFont& font, const std::int32_t& fontVariable) {
  AppLocalisation& localisation = app.localisation;
  // Until a pack with a font file has been loaded, every element shows the font it was
  // designed with: the built-in font of its key's default ID.
  if (localisation.MultiFonts.Count() == 0) {
    const std::int32_t designId = localisation.MultiFontVars.GetDefaultValue(fontVariable);
    if (TKelFontProperty* design = localisation.BaseFonts.FindFontOfID(designId)) {
      design->ChangeFont(font);
    }
  }
  localisation.ChangeFontOfVariable(font, fontVariable);
}

char16_t LocaleDecimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) < 2) return u'.';
  return static_cast<char16_t>(separator[0]);
}

std::u16string LocalDateTimeText(platform::Clock& clock, platform::FileTime local) {
  platform::CalendarTime calendar;
  if (!platform::FileTimeToCalendar(local, &calendar)) return {};
  return clock.FormatDate(calendar) + u" " + clock.FormatTime(calendar);
}

std::u16string UtcDateTimeText(platform::Clock& clock, platform::FileTime utc) {
  platform::FileTime local = 0;
  if (!clock.UtcToLocal(utc, &local)) return {};
  return LocalDateTimeText(clock, local);
}

controls::TKelPicture SkinPicture(const wchar_t* name) {
  return controls::TKelPicture::FromResource(GetModuleHandleW(nullptr), name);
}

void SetupTitleBar(controls::TKelTitleBar& title) {
  title.LogoBar().SetLogo(SkinPicture(L"SKIN_TITLE_LOGO"));
  title.LogoBar().SetTop(2);
  title.TitleBar().SetWordWrap(false);
  title.TitleBar().SetLeft(32);
  title.TitleBar().SetTop(5);
}

void AddDialogFrame(controls::TKelControlHost& form, int width, int height,
                    controls::TKelImage& background, const wchar_t* picture,
                    controls::TKelTitleBar& title, int titleWidth) {
  background.SetBounds(0, 0, width, height);
  background.SetStretch(true);
  background.SetPicture(SkinPicture(picture));
  form.AddControl(background);
  title.SetBounds(8, 4, titleWidth, 28);
  SetupTitleBar(title);
  form.AddControl(title);
}

void SetupCaptionButton(controls::TKelImageButton& button, controls::TKelControlHost& host,
                        controls::SkinButtonKind kind, int x, int y) {
  button.SetTabStop(false);
  button.Create(host, x, y, 25, 24);
  controls::ApplySkin(button, kind);
}

void SetupPushButton(controls::TKelImageButton& button, controls::TKelControlHost& host, int x,
                     int y, int width) {
  button.SetWordWrap(false);
  button.Create(host, x, y, width, 26);
  controls::ApplySkin(button, controls::SkinButtonKind::Push);
  // The skin's pictures are 100 pixels wide; a wider button draws them stretched.
  if (width != kPushButtonWidth) button.SetStretch(true);
}

void SetColumnCaptions(HWND list, std::initializer_list<const std::u16string*> captions) {
  int column = 0;
  for (const std::u16string* caption : captions) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<wchar_t*>(Wide(*caption));
    ListView_SetColumn(list, column++, &col);
  }
}

int ShowInformation(AppServices& app, HWND owner, const std::u16string& text,
                    const std::u16string& caption, UINT type) {
  return controls::ShowMessageBox(app.messageBoxes, owner, text, caption, 0, type);
}

}  // namespace ovalin::windows
