// The font keys of the "FontPropertyIDs" section, in binding order, each with the font
// ID its element uses by default (an ID of the built-in font texts).
#pragma once

// X(key, default font ID): one line per font variable.
#define OVALIN_FONT_KEYS(X) \
  X(FONT_About, 1) \
  X(FONT_About_Button_Close, 1) \
  X(FONT_About_Button_DeveloperTeam, 1) \
  X(FONT_About_Button_VersionInfo, 1) \
  X(FONT_About_Label_Version, 1) \
  X(FONT_About_Label_ProductOverview, 1) \
  X(FONT_About_Label_Warning, 1) \
  X(FONT_About_Label_RunningEnv, 1) \
  X(FONT_ZUNRCQuestionForm, 1) \
  X(FONT_ZUNRCQuestionForm_Label_WarningTitle, 1) \
  X(FONT_ZUNRCQuestionForm_Label_WarningDetails, 1) \
  X(FONT_ZUNRCQuestionForm_Label_Description, 1) \
  X(FONT_ZUNRCQuestionForm_Label_Question, 1) \
  X(FONT_ZUNRCQuestionForm_Text_Description, 1) \
  X(FONT_ZUNRCForm, 1) \
  X(FONT_ZUNRCForm_Label_TopicSubtitle, 1) \
  X(FONT_ZUNRCForm_Label_ScanningItems, 1) \
  X(FONT_ZUNRCForm_Label_Status, 1) \
  X(FONT_ZUNRCForm_List_Registry, 1) \
  X(FONT_ZUNRCProgressForm_Label_Status, 1) \
  X(FONT_ZUNRCReportsForm, 1) \
  X(FONT_ZUNRCReportsForm_Label_ReportsTitle, 1) \
  X(FONT_ZUNRCReportsForm_Label_ReportsDetails, 1) \
  X(FONT_ZUNRCRestoreForm, 1) \
  X(FONT_ZUNRCRestoreForm_Label_Hint, 1) \
  X(FONT_ZUNRCRestoreForm_Label_BackupItems, 1) \
  X(FONT_ZUNRCRestoreForm_Label_Status, 1) \
  X(FONT_ZUNRCRestoreForm_List_BackupItems, 1) \
  X(FONT_About_Label_ApplictionTitle, 3) \
  X(FONT_ZUNRCQuestionForm_Button_OK, 3) \
  X(FONT_ZUNRCQuestionForm_Button_Cancel, 3) \
  X(FONT_ZUNRCForm_Button_Scan, 3) \
  X(FONT_ZUNRCForm_Button_Clean, 3) \
  X(FONT_ZUNRCForm_Button_Restore, 3) \
  X(FONT_ZUNRCProgressForm_Button_Cancel, 3) \
  X(FONT_ZUNRCReportsForm_Button_OK, 3) \
  X(FONT_ZUNRCRestoreForm_Button_Refresh, 3) \
  X(FONT_ZUNRCRestoreForm_Button_Delete, 3) \
  X(FONT_ZUNRCRestoreForm_Button_DeleteAll, 3) \
  X(FONT_ZUNRCRestoreForm_Button_Restore, 3) \
  X(FONT_ZUNRCRestoreForm_Button_Cancel, 3) \
  X(FONT_About_TitleBar, 4) \
  X(FONT_ZUNRCQuestionForm_Title, 4) \
  X(FONT_ZUNRCForm_Title, 4) \
  X(FONT_ZUNRCReportsForm_Title, 4) \
  X(FONT_ZUNRCRestoreForm_Title, 4) \
  X(FONT_ZUNRCForm_Label_TopicTitle, 7) \
  X(FONT_About_Label_OfficialWebsite, 11) \
  X(FONT_About_Label_FocusOnProduct, 11) \
  X(FONT_About_Label_TechnicalSupportEmail, 11) \
  X(FONT_ZUNRCForm_Label_AboutRegistryCleaning, 11) \
  X(FONT_ZUNRCForm_Label_SelectAll, 11) \
  X(FONT_ZUNRCForm_Label_SelectNone, 11) \
  X(FONT_ZUNRCForm_Label_Recommended, 11) \
  X(FONT_ZUNRCReportsForm_Label_AboutRegistryCleaning, 11)
