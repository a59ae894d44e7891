// The string keys of the "StringRes" section, in binding order, each with its built-in
// English default. The defaults are kept exactly as the program has always shipped them
// (typos included); the English language pack carries the corrected texts.
#pragma once

// X(key, default): one line per string variable.
#define OVALIN_STRING_KEYS(X) \
  X(STR_ApplicationTitle, u"") \
  X(STR_Copyright, u"Copyright (C) 2008-2026 Ovalin Software. All rights reserved.") \
  X(STR_About_FormTitle, u"About %s") \
  X(STR_About_Button_Close, u"Close") \
  X(STR_About_Button_Team, u"Developer Team") \
  X(STR_About_Button_MoreVersionInfo, u"More Version Information") \
  X(STR_About_Label_Version, u"Version: %s") \
  X(STR_About_Label_ProductOverview, u"Product Overview:") \
  X(STR_About_Label_RunningEnv, u"Running Environment: %s") \
  X(STR_About_Label_FocusOnProduct, u"Focus on product") \
  X(STR_About_Label_HomePage, u"Visit Our Homepage") \
  X(STR_About_Label_TechnicalSupportEmail, u"Contect Us") \
  X(STR_About_Label_Warning, u"Warning: This computer program is protected by copyright law and international treaties. Unauthorized reproduction or distribution of this program mat result in severe civil and criminal penalties and will be prosecuted to the maximum extent possible under law.") \
  X(STR_Main_HelpMenu_HelpFile, u"Help File") \
  X(STR_Main_HelpMenu_HelpGuide, u"Fast Guide") \
  X(STR_Main_HelpMenu_Setting, u"Settings...") \
  X(STR_Main_HelpMenu_TechnicalSupport, u"Technical Support") \
  X(STR_Main_HelpMenu_HomePage, u"Visit Homepage") \
  X(STR_Main_HelpMenu_Forum, u"Visit Forum") \
  X(STR_Main_HelpMenu_About, u"About %s") \
  X(STR_ZUNRCQuestionForm_Caption, u"Registry Cleaner - Question") \
  X(STR_ZUNRCQuestionForm_Title, u"Registry Cleaner - Question") \
  X(STR_ZUNRCQuestionForm_Label_WarningTitle, u"Attention:") \
  X(STR_ZUNRCQuestionForm_Label_WarningDetails, u"Applications will backup registry data before cleaning to restore the cleaned data when necessary.") \
  X(STR_ZUNRCQuestionForm_Label_Description, u"Description:") \
  X(STR_ZUNRCQuestionForm_Label_Question, u"Are you sure you want to clean registry?") \
  X(STR_ZUNRCQuestionForm_Button_OK, u"OK") \
  X(STR_ZUNRCQuestionForm_Button_Cancel, u"Cancel") \
  X(STR_ZUNRCQuestionForm_Button_CloseHint, u"Close") \
  X(STR_ZUNRCForm_Caption, u"Registry Cleaner") \
  X(STR_ZUNRCForm_Title, u"Registry Cleaner") \
  X(STR_ZUNRCForm_Label_TopicTitle, u"Registry Cleaning") \
  X(STR_ZUNRCForm_Label_TopicSubtitle, u"Clean lots of invalid keys and redundance data to improve system performance.") \
  X(STR_ZUNRCForm_Label_AboutRegistryCleaning, u"About Registry Cleaning") \
  X(STR_ZUNRCForm_Label_ScanningItems, u"Scanning Items:") \
  X(STR_ZUNRCForm_Label_SelectAll, u"Select All") \
  X(STR_ZUNRCForm_Label_SelectNone, u"Select None") \
  X(STR_ZUNRCForm_Label_Recommended, u"Recommended") \
  X(STR_ZUNRCForm_Button_Scan, u"Scan") \
  X(STR_ZUNRCForm_Button_Clean, u"Clean") \
  X(STR_ZUNRCForm_Button_Restore, u"Restore") \
  X(STR_ZUNRCForm_Button_CloseHint, u"Close") \
  X(STR_ZUNRCForm_List_Registry0, u"Type") \
  X(STR_ZUNRCForm_List_Registry1, u"Key") \
  X(STR_ZUNRCForm_List_Registry2, u"Name") \
  X(STR_ZUNRCForm_List_Registry3, u"Value") \
  X(STR_ZUNRCForm_0, u"Scaned out %d items need to clean.") \
  X(STR_ZUNRCForm_1, u"Scaned out %d items need to clean.\r\nScanning: %s") \
  X(STR_ZUNRCForm_2, u"Cleaned out %d items.") \
  X(STR_ZUNRCForm_3, u"Cleaning Registry...") \
  X(STR_ZUNRCForm_4, u"  [%d Items]") \
  X(STR_ZUNRCForm_5, u"Scaned Items:") \
  X(STR_ZUNRCForm_6, u"Please select item(s) to clean first.") \
  X(STR_ZUNRCForm_7, u"1. Scanned out %d items need to clean.\r\n2. Try to clean %d items.\r\n3. Cleaned %d items.\r\n\r\nTime of cleaning: %s") \
  X(STR_ZUNRCForm_8, u"Scanning Registry...") \
  X(STR_ZUNRCForm_9, u"%d items need to clean.") \
  X(STR_ZUNRCForm_10, u"Scan Item List:") \
  X(STR_ZUNRCForm_11, u"Latest time of cleaning registry: Unknown") \
  X(STR_ZUNRCForm_12, u"Latest time of cleaning registry: %s") \
  X(STR_ZUNRCForm_13, u"Information") \
  X(STR_ZUNScanType_Components, u"COM Components") \
  X(STR_ZUNScanType_FileTypes, u"File Types") \
  X(STR_ZUNScanType_Programs, u"Programs") \
  X(STR_ZUNScanType_SharedDlls, u"Shared Dlls") \
  X(STR_ZUNScanType_HelpFiles, u"Help Files") \
  X(STR_ZUNScanType_HistoryList, u"History List") \
  X(STR_ZUNScanType_Fonts, u"Fonts") \
  X(STR_ZUNScanType_Shortcuts, u"Shortcuts") \
  X(STR_ZUNScanType_Sounds, u"Sounds") \
  X(STR_ZUNScanType_StartMenu, u"Start Menu") \
  X(STR_ZUNScanType_Startup, u"Startup Items") \
  X(STR_ZUNRCForm_ErrorCode0, u"OK") \
  X(STR_ZUNRCForm_ErrorCode1, u"Null Value") \
  X(STR_ZUNRCForm_ErrorCode2, u"Null Key") \
  X(STR_ZUNRCForm_ErrorCode3, u"Invalid Items") \
  X(STR_ZUNRCForm_ErrorCode4, u"Invalid CLSID") \
  X(STR_ZUNRCForm_ErrorCode5, u"Invalid TypeLib") \
  X(STR_ZUNRCForm_ErrorCode6, u"Invalid ProID") \
  X(STR_ZUNRCForm_ErrorCode7, u"Invalid InproServer32") \
  X(STR_ZUNRCForm_ErrorCode8, u"Invalid InproSever") \
  X(STR_ZUNRCForm_ErrorCode9, u"Invalid LocalServer32") \
  X(STR_ZUNRCForm_ErrorCode10, u"Invalid LocalServer") \
  X(STR_ZUNRCForm_ErrorCode11, u"Invalid ToolboxBitmap32") \
  X(STR_ZUNRCForm_ErrorCode12, u"Invalid DefaultIcon") \
  X(STR_ZUNRCForm_ErrorCode13, u"Invalid VersionIndependentProgID") \
  X(STR_ZUNRCForm_ErrorCode14, u"Invalid Files") \
  X(STR_ZUNRCForm_ErrorCode15, u"Invalid Paths") \
  X(STR_ZUNRCForm_ErrorCode16, u"Invalid Files and Paths") \
  X(STR_ZUNRCForm_ErrorCode17, u"Invalid File Types") \
  X(STR_ZUNRCForm_ErrorCode18, u"Invalid File Extensions") \
  X(STR_ZUNRCForm_ErrorCode19, u"Invalid OpenWithProgids") \
  X(STR_ZUNRCForm_ErrorCode20, u"Invalid DLL Files") \
  X(STR_ZUNRCForm_ErrorCode21, u"Invalid RecentDocuments") \
  X(STR_ZUNRCForm_ErrorCode22, u"Invalid Menus") \
  X(STR_ZUNRCForm_ErrorCode23, u"Invalid Shortcuts") \
  X(STR_ZUNRCForm_ErrorCode24, u"Invalid Fonts") \
  X(STR_ZUNRCForm_ErrorCode25, u"Invalid Help Files") \
  X(STR_ZUNRCForm_ErrorCode26, u"Invalid Uninstall") \
  X(STR_ZUNRCForm_ErrorCode27, u"Invalid Installer") \
  X(STR_ZUNRCForm_ErrorCode28, u"Invalid Sounds") \
  X(STR_ZUNRCForm_ErrorCode29, u"Invalid ProxyStubclsid32") \
  X(STR_ZUNRCForm_ErrorCode30, u"Invalid ProxyStubclsid") \
  X(STR_ZUNRCForm_ErrorCode31, u"Invalid PersistentHandler") \
  X(STR_ZUNRCForm_ErrorCode32, u"Invalid CurVer") \
  X(STR_ZUNRCForm_ErrorCode33, u"Invalid HELPDIR") \
  X(STR_ZUNRCForm_ErrorCode34, u"Invalid Win32") \
  X(STR_ZUNRCForm_ErrorCode35, u"Invalid Win16") \
  X(STR_ZUNRCForm_ErrorCode36, u"Invalid ShellCommand") \
  X(STR_ZUNRCForm_ErrorCode37, u"Invalid History List") \
  X(STR_ZUNRCForm_ErrorCode38, u"Invalid Startup Items") \
  X(STR_ZUNRCForm_ErrorCode39, u"Invalid Setup Folders") \
  X(STR_ZUNRCForm_ErrorCode40, u"Null CLSID") \
  X(STR_ZUNRCForm_ErrorCode41, u"Null InprocServer32") \
  X(STR_ZUNRCForm_ErrorCode42, u"Null InprocServer") \
  X(STR_ZUNRCForm_ErrorCode43, u"Null LocalServer32") \
  X(STR_ZUNRCForm_ErrorCode44, u"Null LocalServer") \
  X(STR_ZUNRCForm_ErrorCode45, u"Null ToolboxBitmap32") \
  X(STR_ZUNRCForm_ErrorCode46, u"Null DefaultIcon") \
  X(STR_ZUNRCForm_ErrorCode47, u"Null TypeLib") \
  X(STR_ZUNRCForm_ErrorCode48, u"Null ProgID") \
  X(STR_ZUNRCForm_ErrorCode49, u"Null VersionIndependentProgID") \
  X(STR_ZUNRCForm_ErrorCode50, u"Null TypeLib") \
  X(STR_ZUNRCForm_ErrorCode51, u"Null win32") \
  X(STR_ZUNRCForm_ErrorCode52, u"Null win16") \
  X(STR_ZUNRCForm_ErrorCode53, u"Null Interface") \
  X(STR_ZUNRCForm_ErrorCode54, u"Null File Extensions") \
  X(STR_ZUNRCForm_ErrorCode55, u"Null File Types") \
  X(STR_ZUNRCForm_ErrorCode56, u"Null OpenWithList") \
  X(STR_ZUNRCForm_ErrorCode57, u"Null OpenWithProgids") \
  X(STR_ZUNRCForm_ErrorCode58, u"Null PersistentHandler") \
  X(STR_ZUNRCForm_ErrorCode59, u"Null Shell") \
  X(STR_ZUNRCForm_ErrorCode60, u"Null ShellNew") \
  X(STR_ZUNRCForm_ErrorCode61, u"Null ShellEx") \
  X(STR_ZUNRCForm_ErrorCode62, u"Null Command") \
  X(STR_ZUNRCForm_ErrorCode63, u"Null Uninstall") \
  X(STR_ZUNRCForm_ErrorCode64, u"Null Installer") \
  X(STR_ZUNRCForm_ErrorCode65, u"Null ProxyStubclsid32") \
  X(STR_ZUNRCForm_ErrorCode66, u"Null ProxyStubclsid") \
  X(STR_ZUNRCForm_ErrorCode67, u"Null CurVer") \
  X(STR_ZUNRCForm_ErrorCode68, u"Null HELPDIR") \
  X(STR_ZUNRCForm_ErrorCode69, u"Null ShellCommand") \
  X(STR_ZUNRCForm_ErrorCode70, u"Null History List") \
  X(STR_ZUNRCForm_ErrorCode71, u"Null Startup Items") \
  X(STR_ZUNRCProgressForm_0, u"Close") \
  X(STR_ZUNRCProgressForm_1, u"OK") \
  X(STR_ZUNRCProgressForm_2, u"Stop") \
  X(STR_ZUNRCReportsForm_Caption, u"Reports of Registry Cleaning") \
  X(STR_ZUNRCReportsForm_Title, u"Registry Cleaning - Reports") \
  X(STR_ZUNRCReportsForm_Label_ReportsTitle, u"Reports of Registry Cleaning") \
  X(STR_ZUNRCReportsForm_Label_AboutRegistryCleaning, u"About Registry Cleaning") \
  X(STR_ZUNRCReportsForm_Button_OK, u"OK") \
  X(STR_ZUNRCReportsForm_Button_CloseHint, u"Close") \
  X(STR_ZUNRCRestoreForm_Caption, u"Registry Cleaning - Restore") \
  X(STR_ZUNRCRestoreForm_Title, u"Registry Cleaning - Restore") \
  X(STR_ZUNRCRestoreForm_Label_Hint, u"Hint: It will backup registry data before cleaning them for restoring in necessary. Backup data will take up some disk space, please delete unnecessary backup data in schedule.") \
  X(STR_ZUNRCRestoreForm_Label_BackupItems, u"Backup Items:") \
  X(STR_ZUNRCRestoreForm_List_Restore0, u"Description") \
  X(STR_ZUNRCRestoreForm_List_Restore1, u"Count") \
  X(STR_ZUNRCRestoreForm_List_Restore2, u"Size") \
  X(STR_ZUNRCRestoreForm_List_Restore3, u"Path") \
  X(STR_ZUNRCRestoreForm_Button_Refresh, u"Refresh") \
  X(STR_ZUNRCRestoreForm_Button_Delete, u"Delete") \
  X(STR_ZUNRCRestoreForm_Button_DeleteAll, u"Delete All") \
  X(STR_ZUNRCRestoreForm_Button_Restore, u"Restore") \
  X(STR_ZUNRCRestoreForm_Button_Cancel, u"Cancel") \
  X(STR_ZUNRCRestoreForm_Button_CloseHint, u"Close") \
  X(STR_ZUNRCRestoreForm_0, u"%s is restored.") \
  X(STR_ZUNRCRestoreForm_1, u"%s is restored.") \
  X(STR_ZUNRCRestoreForm_2, u"%s is failed to restore.") \
  X(STR_ZUNRCRestoreForm_3, u"%s is failed to restore.") \
  X(STR_ZUNRCRestoreForm_4, u"Information") \
  X(STR_ZUNRCRestoreForm_5, u"Please select backup item(s) to restore first.") \
  X(STR_ZUNRCRestoreForm_6, u"Yes") \
  X(STR_ZUNRCRestoreForm_7, u"No") \
  X(STR_ZUNRCRestoreForm_8, u"%s; Cleaned Time:  %s; Have Restored Before: %s") \
  X(STR_ZUNRCRestoreForm_9, u"Cleaned Time: %s; Have Restored Before: %s") \
  X(STR_ZUNRCRestoreForm_10, u"Description: %s; Time: %s") \
  X(STR_ZUNRCRestoreForm_11, u"Time: %s") \
  X(STR_ZUNRCRestoreForm_12, u"Unknown") \
  X(STR_ZUNRCRestoreForm_13, u"Backed up Items (%d Items):") \
  X(STR_ZUNRCRestoreForm_14, u"Restoring...") \
  X(STR_ZUNRCRestoreForm_15, u"Restoring is complete.") \
  X(STR_ZUNRCForm_Reason_FileNotFound, u"File not found: %s") \
  X(STR_ZUNRCForm_Reason_FolderNotFound, u"Folder not found: %s") \
  X(STR_ZUNRCForm_Reason_KeyNotFound, u"Key not found: %s") \
  X(STR_ZUNRCForm_Reason_EmptyValue, u"Empty value") \
  X(STR_ZUNRCForm_Reason_EmptyKey, u"Empty key") \
  X(STR_ZUNRCForm_Reason_NotText, u"Not a text value") \
  X(STR_ZUNRCForm_Hint_Key, u"Key: %s") \
  X(STR_ZUNRCForm_Hint_Name, u"Name: %s") \
  X(STR_ZUNRCForm_Hint_Value, u"Value: %s") \
  X(STR_ZUNRCForm_Hint_DefaultValue, u"(Default)") \
  X(STR_ZUNRCForm_Marker32Bit, u"%s (32-bit)") \
  X(STR_ZUNRCForm_Menu_OpenInRegedit, u"Open in Registry Editor") \
  X(STR_ZUNRCForm_Menu_CopyKeyPath, u"Copy key path") \
  X(STR_ZUNRCForm_Menu_Ignore, u"Ignore this entry") \
  X(STR_ZUNRCForm_IgnoredLeftOut, u"(ignored entries left out: %d)") \
  X(STR_ZUNRCForm_IgnoreSaveFailed, u"The list of ignored entries could not be written to %s.") \
  X(STR_ZUNRCForm_RegeditFailed, u"Registry Editor could not be started.") \
  X(STR_ZUNRCForm_UnrecordedBackup, u"The backup of this clean was written to %s, but the list of backups could not be updated. The restore window still shows the backup.") \
  X(STR_Main_HelpMenu_IgnoredEntries, u"Ignored Entries...") \
  X(STR_IgnoredForm_Caption, u"Registry Cleaner - Ignored Entries") \
  X(STR_IgnoredForm_Title, u"Registry Cleaner - Ignored Entries") \
  X(STR_IgnoredForm_Label_Hint, u"Scans still judge these entries, but do not list them as findings. Remove an entry to see it among the findings again.") \
  X(STR_IgnoredForm_Label_Items, u"Ignored entries: %d") \
  X(STR_IgnoredForm_List0, u"Type") \
  X(STR_IgnoredForm_List1, u"Key") \
  X(STR_IgnoredForm_List2, u"Name") \
  X(STR_IgnoredForm_Button_Remove, u"Remove") \
  X(STR_IgnoredForm_Button_RemoveAll, u"Remove All") \
  X(STR_IgnoredForm_Button_Close, u"Close") \
  X(STR_IgnoredForm_Button_CloseHint, u"Close") \
  X(STR_ZUNRCRestoreForm_Menu_SaveAsReg, u"Save as .reg file...") \
  X(STR_ZUNRCRestoreForm_SaveAsRegFilter, u"Registration Files (*.reg)") \
  X(STR_ZUNRCRestoreForm_SaveAsRegDone, u"Saved as %s.") \
  X(STR_ZUNRCRestoreForm_SaveAsRegFailed, u"%s could not be written.")
