// File types: every top-level key of HKEY_CLASSES_ROOT (extensions and file types) and
// the Explorer's per-user extension list.
#include <string>
#include <string_view>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kClsidArea = u"HKEY_CLASSES_ROOT\\CLSID";
constexpr std::u16string_view kClassesRootPath = u"HKEY_CLASSES_ROOT";
constexpr std::u16string_view kFileExtsKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

// Top-level keys that are registries of their own or belong to other rules.
constexpr std::u16string_view kSkippedTypes[] = {
    u"AppID",  u"Applications", u"CLSID",   u"Component Categories",
    u"Directory", u"FileType",  u"Folder",  u"Record",
    u"TypeLib", u"Installer",   u"Interface", u"Software",
    // The 32-bit programs' copy of CLSID and Interface, judged by the COM rule.
    u"WOW6432Node",
};

bool IsSkippedType(std::u16string_view name) {
  for (std::u16string_view skipped : kSkippedTypes) {
    if (StrSameText(name, skipped)) return true;
  }
  return false;
}

bool OpenNonEmpty(RegAccess& child, const RegAccess& parent, std::u16string_view name) {
  RegKeyInfo info;
  return OpenSubKey(child, parent, name) && child.GetKeyInfo(&info) &&
         (info.numSubKeys != 0 || info.numValues != 0);
}

// The command subkeys of every verb below typeKey\Shell.
void ScanShellVerbs(TRCRegCleaner& cleaner, const RegAccess& typeKey, int percent,
                    const std::u16string& keyPath) {
  platform::Registry& registry = cleaner.Platform().registry;
  RegAccess shell(registry);
  if (!OpenNonEmpty(shell, typeKey, u"Shell")) return;
  for (const std::u16string& verb : shell.GetKeyNames()) {
    RegAccess verbKey(registry);
    if (!OpenNonEmpty(verbKey, shell, verb)) continue;
    const std::u16string verbPath = keyPath + u"\\Shell\\" + verb;
    for (const std::u16string& entry : verbKey.GetKeyNames()) {
      ScanValuePaths(cleaner, verbKey, entry, verbPath, percent, verb, stFileTypes);
    }
  }
}

// The program identifiers an extension offers in "Open with".
// progids: the extension's OpenWithProgids key, open.
void ScanOpenWithProgids(TRCRegCleaner& cleaner, RegAccess& progids, int percent,
                         std::u16string_view title, const std::u16string& keyPath) {
  RegKeyInfo info;
  if (!progids.GetKeyInfo(&info) || (info.numSubKeys == 0 && info.numValues == 0)) return;
  const std::u16string path = PathAddBackslash(keyPath) + u"OpenWithProgids";
  // Only a key without subkeys can be found empty once its broken values are gone.
  const bool countDown = info.numSubKeys == 0;
  long long remaining = info.numValues;
  for (const std::u16string& name : progids.GetValueNames()) {
    std::u16string text;
    ReadIfString(progids, name, &text);
    auto item = MakeRecord(stFileTypes, title, path, name, text);
    if (!name.empty() && !KeyExistsUnder(cleaner, kClassesRootPath, name)) {
      item->ScannedCode = stFileTypes | mtDeleteValue | ecInvalidOpenWithProgids;
      item->Reason = {ReasonKind::kKeyNotFound, std::u16string(kClassesRootPath) + u"\\" + name};
      --remaining;
    }
    cleaner.AddFinding(std::move(item), percent);
  }
  if (countDown && remaining == 0) {
    cleaner.AddFinding(
        WithReason(MakeRecord(stFileTypes | mtSecondPass | ecNullOpenWithProgids, title, path),
                   ReasonKind::kEmptyKey),
        percent);
  }
}

// The templates an extension's "New" menu entry uses.
// shellNew: the extension's ShellNew key, open.
void ScanShellNew(TRCRegCleaner& cleaner, RegAccess& shellNew, int percent,
                  std::u16string_view title, const std::u16string& keyPath) {
  const std::u16string path = PathAddBackslash(keyPath) + u"ShellNew";
  for (const std::u16string& name : shellNew.GetValueNames()) {
    std::u16string text;
    if (!ReadIfString(shellNew, name, &text)) continue;
    auto item = MakeRecord(stFileTypes, title, path, name,
                           cleaner.Paths().Expand(text, RegView::kNative));
    if (item->Value.empty() || PathIsMissing(cleaner.Paths(), item->Value, RegView::kNative)) {
      item->ScannedCode = stFileTypes | mtDeleteValue | ecInvalidFilesAndPaths;
      item->Reason = item->Value.empty() ? FindingReason{ReasonKind::kEmptyValue, {}}
                                         : FindingReason{ReasonKind::kFileNotFound, item->Value};
    }
    cleaner.AddFinding(std::move(item), percent);
  }
}

void ScanExtension(TRCRegCleaner& cleaner, RegAccess& key, int percent,
                   const std::u16string& title, const std::u16string& keyPath) {
  constexpr std::u16string_view kExamined[] = {u"OpenWithProgids", u"PersistentHandler",
                                               u"DefaultIcon", u"ShellNew", u"Shell"};
  for (const std::u16string& name : key.GetKeyNames()) {
    bool examined = false;
    for (std::u16string_view candidate : kExamined) examined |= StrSameText(name, candidate);
    if (!examined) continue;
    RegAccess subkey(cleaner.Platform().registry);
    if (!OpenSubKey(subkey, key, name)) continue;
    const std::u16string subkeyPath = keyPath + u"\\" + name;
    if (StrSameText(name, u"OpenWithProgids")) {
      ScanOpenWithProgids(cleaner, subkey, percent, title, keyPath);
    } else if (StrSameText(name, u"PersistentHandler")) {
      CheckDefaultValueReference(cleaner, subkey, kClsidArea, ecInvalidPersistentHandler,
                                 percent, title, subkeyPath, stFileTypes);
    } else if (StrSameText(name, u"DefaultIcon")) {
      CheckDefaultValuePath(cleaner, subkey, ecInvalidDefaultIcon, percent, title,
                            subkeyPath, stFileTypes);
    } else if (StrSameText(name, u"ShellNew")) {
      ScanShellNew(cleaner, subkey, percent, title, keyPath);
    } else if (StrSameText(name, u"Shell")) {
      ScanShellVerbs(cleaner, key, percent, keyPath);
    }
  }
}

void ScanFileType(TRCRegCleaner& cleaner, RegAccess& key, std::u16string_view typeName,
                  int percent, const std::u16string& title, const std::u16string& keyPath) {
  if (IsSkippedType(typeName)) return;
  for (const std::u16string& name : key.GetKeyNames()) {
    if (StrSameText(name, u"ShellEx")) continue;
    if (StrSameText(name, u"Shell")) {
      ScanShellVerbs(cleaner, key, percent, keyPath);
      continue;
    }
    const bool isClsid = StrSameText(name, u"CLSID");
    const bool isCurVer = StrSameText(name, u"CurVer");
    const bool isIcon = StrSameText(name, u"DefaultIcon");
    if (!isClsid && !isCurVer && !isIcon) {
      ScanValuePaths(cleaner, key, name, keyPath, percent, title, stFileTypes);
      continue;
    }
    RegAccess subkey(cleaner.Platform().registry);
    if (!OpenSubKey(subkey, key, name)) continue;
    const std::u16string subkeyPath = keyPath + u"\\" + name;
    if (isClsid) {
      CheckDefaultValueReference(cleaner, subkey, kClsidArea, ecInvalidClsid, percent, title,
                                 subkeyPath, stFileTypes);
    } else if (isCurVer) {
      CheckDefaultValueReference(cleaner, subkey, kClassesRootPath, ecInvalidCurVer, percent,
                                 title, subkeyPath, stFileTypes);
    } else {
      CheckDefaultValuePath(cleaner, subkey, ecInvalidDefaultIcon, percent, title,
                            subkeyPath, stFileTypes);
    }
  }
}

void ScanClassesRoot(TRCRegCleaner& cleaner, int start, int span) {
  platform::Registry& registry = cleaner.Platform().registry;
  RegAccess root(registry);
  if (!OpenRootKey(root, platform::kClassesRoot, u"")) return;
  const std::vector<std::u16string> names = root.GetKeyNames();
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const std::u16string& name = names[i];
    RegAccess key(registry);
    RegKeyInfo info;
    if (!OpenSubKey(key, root, name) || !key.GetKeyInfo(&info)) continue;
    const std::u16string keyPath = u"HKEY_CLASSES_ROOT\\" + name;
    const bool isExtension = !name.empty() && name[0] == u'.';
    if (info.numSubKeys == 0 && info.numValues == 0) {
      ReportKeyFinding(cleaner, u"", percent,
                       isExtension ? ecNullFileExtensions : ecNullFileTypes, stFileTypes,
                       keyPath);
      continue;
    }
    // The default value (the file type an extension names) in one query.
    std::u16string title;
    RegDataType type = RegDataType::kUnknown;
    std::uint32_t size = 0;
    key.ReadTyped(u"", &type, &size, &title);
    if (!IsStringClass(type)) title.clear();
    if (!isExtension) {
      ScanFileType(cleaner, key, name, percent, title, keyPath);
    } else if (IsStringClass(type) && size > 0 && title.empty()) {
      cleaner.AddFinding(
          WithReason(MakeRecord(stFileTypes | mtDeleteValue | ecInvalidFileExtensions, u"",
                                keyPath),
                     ReasonKind::kEmptyValue),
          percent);
    } else {
      ScanExtension(cleaner, key, percent, title, keyPath);
    }
  }
}

void ScanFileExts(TRCRegCleaner& cleaner, int start, int span) {
  if (StopRequested(cleaner)) return;
  platform::Registry& registry = cleaner.Platform().registry;
  RegAccess root(registry);
  if (!OpenRootKey(root, platform::kCurrentUser, kFileExtsKey)) return;
  const std::vector<std::u16string> extensions = root.GetKeyNames();
  const long long n = static_cast<long long>(extensions.size());
  for (long long i = 0; i < n; ++i) {
    const int percent = ProgressPercent(start, span, i + 1, n);
    if (StopRequested(cleaner)) return;
    const std::u16string& extension = extensions[i];
    RegAccess key(registry);
    RegKeyInfo info;
    if (!OpenSubKey(key, root, extension) || !key.GetKeyInfo(&info)) continue;
    if (info.numSubKeys != 0 || info.numValues != 0) continue;
    ReportKeyFinding(cleaner, extension, percent, ecInvalidFileExtensions, stFileTypes,
                     u"HKEY_CURRENT_USER\\" + std::u16string(kFileExtsKey) + u"\\" + extension);
  }
}

}  // namespace

void ScanFileTypes(TRCRegCleaner& cleaner, int /*start*/, int /*span*/) {
  // The two steps keep fixed shares of the progress, whatever the caller gives.
  ScanClassesRoot(cleaner, 0, 85);
  ScanFileExts(cleaner, 85, 15);
}

}  // namespace ovalin
