#include "engine/reg_access.h"

#include <cstring>
#include <utility>

#include "engine/text_utils.h"

namespace ovalin {

using platform::kRegOk;

RegDataType DataTypeOf(std::uint32_t rawType) {
  switch (rawType) {
    case platform::kRegSz: return RegDataType::kString;
    case platform::kRegExpandSz: return RegDataType::kExpandString;
    case platform::kRegDword: return RegDataType::kInteger;
    case platform::kRegBinary: return RegDataType::kBinary;
    default: return RegDataType::kUnknown;
  }
}

namespace {

struct RootEntry {
  const char16_t* name;
  RegKey handle;
};

// Matched in this order.
constexpr RootEntry kRoots[] = {
    {u"HKEY_CLASSES_ROOT", platform::kClassesRoot},
    {u"HKEY_LOCAL_MACHINE", platform::kLocalMachine},
    {u"HKEY_CURRENT_USER", platform::kCurrentUser},
    {u"HKEY_USERS", platform::kUsers},
    {u"HKEY_CURRENT_CONFIG", platform::kCurrentConfig},
};

// Deletes every key below `key`, depth first, then reports nothing: the caller checks
// whether the key itself could be removed afterwards.
void DeleteSubtree(platform::Registry& registry, RegKey key) {
  std::vector<std::u16string> names;
  std::u16string name;
  for (std::uint32_t index = 0; registry.EnumKey(key, index, &name) == kRegOk; ++index) {
    names.push_back(name);
  }
  for (const auto& child : names) {
    RegKey childKey = 0;
    if (registry.OpenKey(key, child, platform::kKeyAllAccess, &childKey) == kRegOk) {
      DeleteSubtree(registry, childKey);
      registry.CloseKey(childKey);
    }
    registry.DeleteKey(key, child);
  }
}

}  // namespace

SplitPath SplitRegPath(std::u16string_view fullPath) {
  SplitPath result;
  const long long backslash = StrFind(fullPath, u"\\");
  std::u16string rootName;
  if (backslash <= 0) {
    rootName = std::u16string(fullPath);
  } else {
    rootName = StrSub(fullPath, 0, backslash);
    result.subKey = StrTail(fullPath, backslash + 1);
  }
  rootName = StrUpper(rootName);
  for (const auto& root : kRoots) {
    if (rootName == root.name) {
      result.root = root.handle;
      break;
    }
  }
  return result;
}

std::u16string RootName(RegKey root) {
  for (const auto& entry : kRoots) {
    if (entry.handle == root) return entry.name;
  }
  return {};
}

RegAccess::RegAccess(platform::Registry& registry) : registry_(registry) {}

RegAccess::~RegAccess() { CloseKey(); }

void RegAccess::SetRootKey(RegKey root) {
  CloseKey();
  root_ = root;
}

RegKey RegAccess::BaseFor(std::u16string_view path, std::u16string_view* relative) const {
  if (!path.empty() && path.front() == u'\\') {
    *relative = path.substr(1);
    return root_;
  }
  *relative = path;
  return current_ != 0 ? current_ : root_;
}

bool RegAccess::OpenKey(std::u16string_view path, bool canCreate) {
  std::u16string_view relative;
  const RegKey base = BaseFor(path, &relative);
  RegKey opened = 0;
  const platform::RegStatus status =
      canCreate ? registry_.CreateKey(base, relative, access_, &opened)
                : registry_.OpenKey(base, relative, access_, &opened);
  if (status != kRegOk) return false;
  CloseKey();
  current_ = opened;
  knownSubKeys_ = knownValues_ = -1;
  return true;
}

void RegAccess::CloseKey() {
  if (current_ != 0) {
    registry_.CloseKey(current_);
    current_ = 0;
    knownSubKeys_ = knownValues_ = -1;
  }
}

bool RegAccess::KeyExists(std::u16string_view path) {
  std::u16string_view relative;
  const RegKey base = BaseFor(path, &relative);
  RegKey probe = 0;
  if (registry_.OpenKey(base, relative, platform::kKeyRead, &probe) != kRegOk) return false;
  registry_.CloseKey(probe);
  return true;
}

bool RegAccess::GetKeyInfo(RegKeyInfo* info) {
  *info = RegKeyInfo{};
  platform::RegKeyInfo raw;
  if (current_ == 0 || registry_.QueryInfo(current_, &raw) != kRegOk) return false;
  info->numSubKeys = raw.subkeyCount;
  info->numValues = raw.valueCount;
  info->maxDataLen = raw.maxValueDataSize;
  knownSubKeys_ = raw.subkeyCount;
  knownValues_ = raw.valueCount;
  return true;
}

std::vector<std::u16string> RegAccess::GetKeyNames() {
  std::vector<std::u16string> names;
  const long long known = std::exchange(knownSubKeys_, -1);
  if (current_ == 0) return names;
  std::u16string name;
  for (std::uint32_t index = 0; known < 0 || index < known; ++index) {
    if (registry_.EnumKey(current_, index, &name) != kRegOk) break;
    names.push_back(name);
  }
  return names;
}

std::vector<std::u16string> RegAccess::GetValueNames() {
  std::vector<std::u16string> names;
  const long long known = std::exchange(knownValues_, -1);
  if (current_ == 0) return names;
  std::u16string name;
  for (std::uint32_t index = 0; known < 0 || index < known; ++index) {
    if (registry_.EnumValue(current_, index, &name) != kRegOk) break;
    names.push_back(name);
  }
  return names;
}

bool RegAccess::GetDataInfo(std::u16string_view valueName, RegDataType* type,
                            std::uint32_t* size) {
  *type = RegDataType::kUnknown;
  *size = 0;
  std::uint32_t rawType = 0;
  std::uint32_t rawSize = 0;
  if (current_ == 0 ||
      registry_.QueryValue(current_, valueName, &rawType, nullptr, &rawSize) != kRegOk) {
    return false;
  }
  *type = DataTypeOf(rawType);
  *size = rawSize;
  return true;
}

long long RegAccess::GetDataSize(std::u16string_view valueName) {
  RegDataType type;
  std::uint32_t size;
  return GetDataInfo(valueName, &type, &size) ? static_cast<long long>(size) : -1;
}

RegDataType RegAccess::GetDataType(std::u16string_view valueName) {
  RegDataType type;
  std::uint32_t size;
  GetDataInfo(valueName, &type, &size);
  return type;
}

bool RegAccess::ReadTyped(std::u16string_view valueName, RegDataType* type,
                          std::uint32_t* size, std::u16string* text) {
  *type = RegDataType::kUnknown;
  *size = 0;
  text->clear();
  if (current_ == 0) return false;
  // Most values fit the first buffer: type, size and data come in one query. The value
  // may change between a query that finds the buffer too small and the next one.
  std::uint8_t small[512];
  std::vector<std::uint8_t> large;
  std::uint8_t* buffer = small;
  std::uint32_t capacity = sizeof small;
  for (int attempt = 0; attempt < 5; ++attempt) {
    std::uint32_t read = capacity;
    std::uint32_t rawType = 0;
    const platform::RegStatus status =
        registry_.QueryValue(current_, valueName, &rawType, buffer, &read);
    if (status == platform::kRegMoreData) {
      large.resize(read);
      buffer = large.data();
      capacity = read;
      continue;
    }
    if (status != kRegOk) return false;
    *type = DataTypeOf(rawType);
    *size = read;
    if (*type == RegDataType::kString || *type == RegDataType::kExpandString) {
      text->assign(read / 2, u'\0');
      if (!text->empty()) std::memcpy(&(*text)[0], buffer, text->size() * 2);
      const std::size_t nul = text->find(u'\0');
      if (nul != std::u16string::npos) text->resize(nul);
    }
    return true;
  }
  return false;
}

std::u16string RegAccess::ReadString(std::u16string_view valueName) {
  RegDataType type;
  std::uint32_t size;
  std::u16string text;
  if (!ReadTyped(valueName, &type, &size, &text)) {
    // A missing value reads as an empty text of no class, as its type query would give.
    if (current_ != 0 && GetDataInfo(valueName, &type, &size)) {
      throw RegistryError("value keeps changing while it is read");
    }
    throw RegistryError("value is not a string");
  }
  if (type != RegDataType::kString && type != RegDataType::kExpandString) {
    throw RegistryError("value is not a string");
  }
  return text;
}

std::uint32_t RegAccess::ReadBinaryData(std::u16string_view valueName, void* buffer,
                                        std::uint32_t size) {
  RegDataType type;
  std::uint32_t dataSize;
  if (!GetDataInfo(valueName, &type, &dataSize)) return 0;
  if (type != RegDataType::kBinary && type != RegDataType::kUnknown) {
    throw RegistryError("value is not binary");
  }
  if (dataSize > size) throw RegistryError("buffer too small for the value");
  std::uint32_t read = size;
  if (registry_.QueryValue(current_, valueName, nullptr, static_cast<std::uint8_t*>(buffer),
                           &read) != kRegOk) {
    throw RegistryError("value cannot be read");
  }
  return read;
}

namespace {
std::vector<std::uint8_t> StringData(std::u16string_view text) {
  std::vector<std::uint8_t> data((text.size() + 1) * 2, 0);
  if (!text.empty()) std::memcpy(data.data(), text.data(), text.size() * 2);
  return data;
}
}  // namespace

bool RegAccess::WriteString(std::u16string_view valueName, std::u16string_view text) {
  knownSubKeys_ = knownValues_ = -1;
  const auto data = StringData(text);
  return current_ != 0 &&
         registry_.SetValue(current_, valueName, platform::kRegSz, data.data(),
                            static_cast<std::uint32_t>(data.size())) == kRegOk;
}

bool RegAccess::WriteExpandString(std::u16string_view valueName, std::u16string_view text) {
  knownSubKeys_ = knownValues_ = -1;
  const auto data = StringData(text);
  return current_ != 0 &&
         registry_.SetValue(current_, valueName, platform::kRegExpandSz, data.data(),
                            static_cast<std::uint32_t>(data.size())) == kRegOk;
}

bool RegAccess::WriteInteger(std::u16string_view valueName, std::int32_t number) {
  knownSubKeys_ = knownValues_ = -1;
  const auto value = static_cast<std::uint32_t>(number);
  const std::uint8_t data[4] = {static_cast<std::uint8_t>(value),
                                static_cast<std::uint8_t>(value >> 8),
                                static_cast<std::uint8_t>(value >> 16),
                                static_cast<std::uint8_t>(value >> 24)};
  return current_ != 0 &&
         registry_.SetValue(current_, valueName, platform::kRegDword, data, 4) == kRegOk;
}

bool RegAccess::DeleteValue(std::u16string_view valueName) {
  knownSubKeys_ = knownValues_ = -1;
  return current_ != 0 && registry_.DeleteValue(current_, valueName) == kRegOk;
}

bool RegAccess::DeleteKey(std::u16string_view path) {
  knownSubKeys_ = knownValues_ = -1;
  std::u16string_view relative;
  const RegKey base = BaseFor(path, &relative);
  RegKey target = 0;
  if (registry_.OpenKey(base, relative, access_, &target) == kRegOk) {
    DeleteSubtree(registry_, target);
    registry_.CloseKey(target);
  }
  return registry_.DeleteKey(base, relative) == kRegOk;
}

bool ReadValueInfo(platform::Registry& registry, RegKey key, std::u16string_view valueName,
                   std::uint32_t* type, std::uint32_t* size) {
  *type = 0;
  *size = 0;
  std::uint32_t rawType = 0;
  std::uint32_t rawSize = 0;
  if (key != 0 && registry.QueryValue(key, valueName, &rawType, nullptr, &rawSize) == kRegOk) {
    *type = rawType;
    *size = rawSize;
  }
  return true;
}

bool ReadValueData(platform::Registry& registry, RegKey key, std::u16string_view valueName,
                   std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* type,
                   std::uint32_t* bytesRead) {
  if (key == 0 || buffer == nullptr || capacity == 0) return false;
  std::uint32_t neededType = 0;
  std::uint32_t needed = 0;
  ReadValueInfo(registry, key, valueName, &neededType, &needed);
  if (capacity < needed) return false;
  std::uint32_t read = capacity;
  std::uint32_t rawType = 0;
  if (registry.QueryValue(key, valueName, &rawType, buffer, &read) != kRegOk) return false;
  *type = rawType;
  *bytesRead = read;
  return true;
}

bool WriteValueData(platform::Registry& registry, RegKey key, std::u16string_view valueName,
                    std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  if (key == 0) return false;
  return registry.SetValue(key, valueName, type, data, size) == kRegOk;
}

}  // namespace ovalin
