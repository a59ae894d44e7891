#include "engine/clean_removal.h"

#include <exception>

#include "engine/text_utils.h"

namespace ovalin {

namespace {

// Splits the finding's path; false when it has no path or an unknown root.
bool SplitFinding(const TRCScannedItem& finding, SplitPath* split) {
  if (finding.Path.empty()) return false;
  *split = SplitRegPath(finding.Path);
  return split->root != 0;
}

bool CleanValueUnguarded(platform::Registry& registry, const TRCScannedItem& finding,
                         bool deleteValue) {
  SplitPath split;
  if (!SplitFinding(finding, &split)) return false;
  RegAccess access(registry);
  access.SetRootKey(split.root);
  if (!access.OpenKey(split.subKey, false)) return false;
  RegDataType type = RegDataType::kUnknown;
  std::uint32_t size = 0;
  if (!access.GetDataInfo(finding.ValueName, &type, &size)) return true;  // nothing there
  if (deleteValue) return access.DeleteValue(finding.ValueName);
  switch (type) {
    case RegDataType::kString:
      return access.WriteString(finding.ValueName, u"");
    case RegDataType::kExpandString:
      return access.WriteExpandString(finding.ValueName, u"");
    case RegDataType::kInteger:
      return access.WriteInteger(finding.ValueName, 0);
    default:
      return true;  // binary and unknown classes stay as they are
  }
}

}  // namespace

void SplitParentAndName(std::u16string_view subKey, std::u16string* parent,
                        std::u16string* name) {
  if (!subKey.empty() && subKey.back() == u'\\') subKey.remove_suffix(1);
  const std::size_t separator = subKey.rfind(u'\\');
  const std::size_t nameStart = separator == std::u16string_view::npos ? 0 : separator + 1;
  *parent = std::u16string(subKey.substr(0, nameStart));
  *name = std::u16string(subKey.substr(nameStart));
}

bool CleanValue(platform::Registry& registry, const TRCScannedItem& finding, bool deleteValue) {
  try {
    return CleanValueUnguarded(registry, finding, deleteValue);
  } catch (const std::exception&) {
    return false;
  }
}

bool DeleteKeyIfEmpty(platform::Registry& registry, const TRCScannedItem& finding) {
  SplitPath split;
  if (!SplitFinding(finding, &split) || split.subKey.empty()) return false;
  RegAccess access(registry);
  access.SetRootKey(split.root);
  RegKeyInfo info;
  if (!access.OpenKey(split.subKey, false) || !access.GetKeyInfo(&info) ||
      info.numSubKeys != 0 || info.numValues != 0) {
    return false;
  }
  std::u16string parent;
  std::u16string name;
  SplitParentAndName(split.subKey, &parent, &name);
  access.CloseKey();
  if (!access.OpenKey(parent, false)) return false;
  return access.DeleteKey(name);
}

bool DeleteKeyTree(platform::Registry& registry, const TRCScannedItem& finding) {
  SplitPath split;
  if (!SplitFinding(finding, &split) || split.subKey.empty()) return false;
  std::u16string parent;
  std::u16string name;
  SplitParentAndName(split.subKey, &parent, &name);
  if (name.empty()) return false;
  RegAccess access(registry);
  access.SetRootKey(split.root);
  RegKeyInfo info;
  if (!access.OpenKey(parent, false) || !access.GetKeyInfo(&info)) return false;
  if (!access.DeleteKey(name)) {
    DeleteSubKeys(access, name);
    access.DeleteKey(name);
  }
  return !access.KeyExists(name);
}

bool DeleteSubKeys(RegAccess& parent, std::u16string_view keyName) {
  RegAccess key(parent.Backend());
  key.SetRootKey(parent.CurrentKey());
  if (!key.OpenKey(keyName, false)) return false;
  bool result = false;
  for (const std::u16string& subKey : key.GetKeyNames()) {
    result = key.DeleteKey(subKey);
    if (!result) {
      result = DeleteSubKeys(key, subKey);
      if (!result) break;
    }
  }
  return result;
}

}  // namespace ovalin
