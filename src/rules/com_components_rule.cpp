// COM components: classes (CLSID), type libraries (TypeLib) and interfaces (Interface)
// below HKEY_CLASSES_ROOT, the classes and interfaces of 32-bit programs included. Every
// finding deletes the default value of the subkey concerned.
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <string_view>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kClassesRootPath = u"HKEY_CLASSES_ROOT";
constexpr std::u16string_view kClsidArea = u"HKEY_CLASSES_ROOT\\CLSID";
constexpr std::u16string_view kTypeLibArea = u"HKEY_CLASSES_ROOT\\TypeLib";

// How one subkey of a registration is judged: a file path when area is empty,
// otherwise the name of a key below area.
struct SubkeyCheck {
  std::u16string_view name;
  std::u16string_view area;
  std::uint32_t code;
};

constexpr SubkeyCheck kClassChecks[] = {
    {u"InprocServer32", {}, ecInvalidInprocServer32},
    {u"InprocServer", {}, ecInvalidInprocServer},
    {u"LocalServer32", {}, ecInvalidLocalServer32},
    {u"LocalServer", {}, ecInvalidLocalServer},
    {u"ToolboxBitmap32", {}, ecInvalidToolboxBitmap32},
    {u"DefaultIcon", {}, ecInvalidDefaultIcon},
    {u"TypeLib", kTypeLibArea, ecInvalidTypeLib},
    {u"VersionIndependentProgID", kClassesRootPath, ecInvalidVersionIndependentProgId},
    {u"ProgID", kClassesRootPath, ecInvalidProgId},
};

constexpr SubkeyCheck kInterfaceChecks[] = {
    {u"ProxyStubclsid32", kClsidArea, ecInvalidProxyStubClsid32},
    {u"ProxyStubclsid", kClsidArea, ecInvalidProxyStubClsid},
    {u"TypeLib", kTypeLibArea, ecInvalidTypeLib},
};

template <std::size_t N>
const SubkeyCheck* FindCheck(const SubkeyCheck (&table)[N], std::u16string_view name) {
  for (const SubkeyCheck& check : table) {
    if (StrSameText(name, check.name)) return &check;
  }
  return nullptr;
}

void ApplyCheck(TRCRegCleaner& cleaner, RegAccess& key, const SubkeyCheck& check,
                int percent, std::u16string_view title, std::u16string_view path) {
  if (check.area.empty()) {
    CheckDefaultValuePath(cleaner, key, check.code, percent, title, path, stComponents);
  } else {
    CheckDefaultValueReference(cleaner, key, check.area, check.code, percent, title, path,
                               stComponents);
  }
}

// Opens name below parent and tells whether it has subkeys or values.
bool OpenNonEmpty(RegAccess& child, const RegAccess& parent, std::u16string_view name) {
  RegKeyInfo info;
  return OpenSubKey(child, parent, name) && child.GetKeyInfo(&info) &&
         (info.numSubKeys != 0 || info.numValues != 0);
}

// The subkeys of one registration that the table names, judged with its checks.
template <std::size_t N>
void CheckSubkeys(TRCRegCleaner& cleaner, RegAccess& registration,
                  const SubkeyCheck (&table)[N], int percent, std::u16string_view title,
                  const std::u16string& registrationPath) {
  for (const std::u16string& name : registration.GetKeyNames()) {
    const SubkeyCheck* check = FindCheck(table, name);
    if (check == nullptr) continue;
    RegAccess subkey(cleaner.Platform().registry);
    if (!OpenSubKey(subkey, registration, name)) continue;
    ApplyCheck(cleaner, subkey, *check, percent, title, registrationPath + name);
  }
}

// The "win32" and "win16" keys below one locale key of a type library version.
void CheckTypeLibLocale(TRCRegCleaner& cleaner, RegAccess& locale, int percent,
                        const std::u16string& localePath) {
  for (const std::u16string& name : locale.GetKeyNames()) {
    std::uint32_t code = 0;
    if (StrSameText(name, u"win32")) {
      code = ecInvalidWin32;
    } else if (StrSameText(name, u"win16")) {
      code = ecInvalidWin16;
    } else {
      continue;
    }
    RegAccess platformKey(cleaner.Platform().registry);
    if (!OpenSubKey(platformKey, locale, name)) continue;
    CheckDefaultValuePath(cleaner, platformKey, code, percent, u"", localePath + name,
                          stComponents);
  }
}

}  // namespace

namespace {

// The class and interface registrations of each view: 64-bit Windows keeps those of
// 32-bit programs below HKEY_CLASSES_ROOT\WOW6432Node (type libraries are shared).
constexpr std::u16string_view kViewPrefixes[] = {u"", u"WOW6432Node\\"};

// Opens area below HKEY_CLASSES_ROOT in each view where it exists; calls walk(key,
// full path with a trailing backslash, start, span) for each with its share of the
// progress.
template <typename Walk>
void ForEachView(TRCRegCleaner& cleaner, std::u16string_view area, int start, int span,
                 Walk walk) {
  std::vector<std::pair<std::unique_ptr<RegAccess>, std::u16string>> roots;
  for (std::u16string_view prefix : kViewPrefixes) {
    const std::u16string subKey = std::u16string(prefix) + std::u16string(area);
    auto root = std::make_unique<RegAccess>(cleaner.Platform().registry);
    if (!OpenRootKey(*root, platform::kClassesRoot, subKey)) continue;
    roots.emplace_back(std::move(root), u"HKEY_CLASSES_ROOT\\" + subKey + u"\\");
  }
  const int count = static_cast<int>(roots.size());
  for (int i = 0; i < count; ++i) {
    if (StopRequested(cleaner)) return;
    walk(*roots[i].first, roots[i].second, start + span * i / count, span / count);
  }
}

void ScanClassArea(TRCRegCleaner& cleaner, RegAccess& root, const std::u16string& rootPath,
                   int start, int span) {
  platform::Registry& registry = cleaner.Platform().registry;
  const std::vector<std::u16string> classes = root.GetKeyNames();
  const long long n = static_cast<long long>(classes.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const std::u16string& clsid = classes[i];
    RegAccess classKey(registry);
    if (!OpenNonEmpty(classKey, root, clsid)) continue;
    std::u16string title;
    ReadStringValue(classKey, u"", &title);
    CheckSubkeys(cleaner, classKey, kClassChecks, percent, title, rootPath + clsid + u"\\");
  }
}

void ScanInterfaceArea(TRCRegCleaner& cleaner, RegAccess& root,
                       const std::u16string& rootPath, int start, int span) {
  platform::Registry& registry = cleaner.Platform().registry;
  const std::vector<std::u16string> interfaces = root.GetKeyNames();
  const long long n = static_cast<long long>(interfaces.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const std::u16string& iid = interfaces[i];
    RegAccess interfaceKey(registry);
    if (!OpenNonEmpty(interfaceKey, root, iid)) continue;
    CheckSubkeys(cleaner, interfaceKey, kInterfaceChecks, percent, u"",
                 rootPath + iid + u"\\");
  }
}

}  // namespace

void ScanClsids(TRCRegCleaner& cleaner, int start, int span) {
  ForEachView(cleaner, u"CLSID", start, span, [&cleaner](RegAccess& root,
                                                         const std::u16string& path,
                                                         int viewStart, int viewSpan) {
    ScanClassArea(cleaner, root, path, viewStart, viewSpan);
  });
}

void ScanTypeLibs(TRCRegCleaner& cleaner, int start, int span) {
  if (StopRequested(cleaner)) return;
  platform::Registry& registry = cleaner.Platform().registry;
  RegAccess root(registry);
  if (!OpenRootKey(root, platform::kClassesRoot, u"TypeLib")) return;
  const std::vector<std::u16string> libraries = root.GetKeyNames();
  const long long n = static_cast<long long>(libraries.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& library = libraries[i];
    RegAccess libraryKey(registry);
    if (!OpenNonEmpty(libraryKey, root, library)) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    for (const std::u16string& version : libraryKey.GetKeyNames()) {
      RegAccess versionKey(registry);
      if (!OpenNonEmpty(versionKey, libraryKey, version)) continue;
      const std::u16string versionPath =
          u"HKEY_CLASSES_ROOT\\TypeLib\\" + library + u"\\" + version + u"\\";
      for (const std::u16string& entry : versionKey.GetKeyNames()) {
        RegAccess entryKey(registry);
        if (!OpenSubKey(entryKey, versionKey, entry)) continue;
        if (StrSameText(entry, u"HELPDIR")) {
          CheckDefaultValuePath(cleaner, entryKey, ecInvalidHelpDir, percent, u"",
                                versionPath + entry, stComponents);
        } else {
          CheckTypeLibLocale(cleaner, entryKey, percent, versionPath + entry + u"\\");
        }
      }
    }
  }
}

void ScanInterfaces(TRCRegCleaner& cleaner, int start, int span) {
  ForEachView(cleaner, u"Interface", start, span, [&cleaner](RegAccess& root,
                                                             const std::u16string& path,
                                                             int viewStart, int viewSpan) {
    ScanInterfaceArea(cleaner, root, path, viewStart, viewSpan);
  });
}

void ScanComComponents(TRCRegCleaner& cleaner, int start, int span) {
  ScanClsids(cleaner, start, span * 50 / 100);
  ScanTypeLibs(cleaner, start + span * 50 / 100, span * 35 / 100);
  ScanInterfaces(cleaner, start + span * 85 / 100, span * 15 / 100);
}

}  // namespace ovalin
