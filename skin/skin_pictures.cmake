# The skin's pictures: resource name, SVG source, width, height (rendered at build time
# by rsvg-convert into <build>/skin/<name>.png and embedded by skin.rc).
set(OVALIN_SKIN_PICTURES
  SKIN_MAIN_BACKGROUND      background_main.svg      780 585
  SKIN_RESTORE_BACKGROUND   background_restore.svg   680 416
  SKIN_DIALOG_BACKGROUND    background_dialog.svg    500 300
  SKIN_PROGRESS_BACKGROUND  background_progress.svg  504 120
  SKIN_ABOUT_BACKGROUND     background_about.svg     560 400
  SKIN_MAIN_TITLE           title_main.svg           763 120
  SKIN_MAIN_LOGO            logo_main.svg            230 75
  SKIN_TITLE_LOGO           logo_title.svg           24 24
  SKIN_ABOUT_LOGO           logo_about.svg           128 128
  SKIN_BUTTON_NORMAL        button_normal.svg        100 26
  SKIN_BUTTON_HOVER         button_hover.svg         100 26
  SKIN_BUTTON_DOWN          button_down.svg          100 26
  SKIN_BUTTON_DISABLED      button_disabled.svg      100 26
  SKIN_HELP_NORMAL          caption_help_normal.svg      25 24
  SKIN_HELP_HOVER           caption_help_hover.svg       25 24
  SKIN_HELP_DOWN            caption_help_down.svg        25 24
  SKIN_HELP_DISABLED        caption_help_disabled.svg    25 24
  SKIN_MINIMIZE_NORMAL      caption_minimize_normal.svg  25 24
  SKIN_MINIMIZE_HOVER       caption_minimize_hover.svg   25 24
  SKIN_MINIMIZE_DOWN        caption_minimize_down.svg    25 24
  SKIN_MINIMIZE_DISABLED    caption_minimize_disabled.svg 25 24
  SKIN_CLOSE_NORMAL         caption_close_normal.svg     25 24
  SKIN_CLOSE_HOVER          caption_close_hover.svg      25 24
  SKIN_CLOSE_DOWN           caption_close_down.svg       25 24
  SKIN_CLOSE_DISABLED       caption_close_disabled.svg   25 24
)
