#include "platform/win32/win32_registry.h"

#include <vector>

#include "platform/win32/win32_text.h"

namespace ovalin::platform::win32 {
namespace {

struct RootPair {
  RegKey key;
  HKEY handle;
};

// The predefined handles are sign-extended on 64-bit Windows, so they are mapped
// explicitly rather than cast.
const RootPair kRoots[] = {
    {kClassesRoot, HKEY_CLASSES_ROOT}, {kCurrentUser, HKEY_CURRENT_USER},
    {kLocalMachine, HKEY_LOCAL_MACHINE}, {kUsers, HKEY_USERS},
    {kCurrentConfig, HKEY_CURRENT_CONFIG},
};

HKEY ToHkey(RegKey key) {
  for (const RootPair& root : kRoots) {
    if (root.key == key) return root.handle;
  }
  return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY handle) {
  for (const RootPair& root : kRoots) {
    if (root.handle == handle) return root.key;
  }
  return reinterpret_cast<RegKey>(handle);
}

// Registry names are at most 16383 characters; value names of very old data may be
// longer, so the buffer grows until the name fits.
constexpr DWORD kLargestName = 1u << 20;

template <typename EnumFunction>
RegStatus EnumName(DWORD firstGuess, std::u16string* name, EnumFunction call) {
  DWORD capacity = firstGuess + 1 < 256 ? 256 : firstGuess + 1;
  while (true) {
    std::vector<wchar_t> buffer(capacity);
    DWORD length = capacity;
    const LONG status = call(buffer.data(), &length);
    if (status == ERROR_SUCCESS) {
      if (name != nullptr) *name = FromWide(buffer.data(), length);
      return kRegOk;
    }
    if (status != ERROR_MORE_DATA || capacity >= kLargestName) return status;
    capacity *= 2;
  }
}

}  // namespace

RegStatus Win32Registry::OpenKey(RegKey parent, std::u16string_view subkey,
                                 std::uint32_t access, RegKey* result) {
  if (result == nullptr) return kRegInvalidParameter;
  HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyExW(ToHkey(parent), Wide(subkey).c_str(), 0, access, &opened);
  *result = status == ERROR_SUCCESS ? FromHkey(opened) : 0;
  return status;
}

RegStatus Win32Registry::CreateKey(RegKey parent, std::u16string_view subkey,
                                   std::uint32_t access, RegKey* result) {
  if (result == nullptr) return kRegInvalidParameter;
  HKEY created = nullptr;
  const LONG status = ::RegCreateKeyExW(ToHkey(parent), Wide(subkey).c_str(), 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, access, nullptr, &created,
                                        nullptr);
  *result = status == ERROR_SUCCESS ? FromHkey(created) : 0;
  return status;
}

void Win32Registry::CloseKey(RegKey key) {
  if (key == 0 || IsPredefinedRoot(key)) return;
  ::RegCloseKey(ToHkey(key));
}

RegStatus Win32Registry::QueryInfo(RegKey key, RegKeyInfo* info) {
  DWORD subkeys = 0, maxSubkey = 0, values = 0, maxValueName = 0, maxData = 0;
  const LONG status =
      ::RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr,
                         &values, &maxValueName, &maxData, nullptr, nullptr);
  if (status == ERROR_SUCCESS && info != nullptr) {
    info->subkeyCount = subkeys;
    info->maxSubkeyNameLength = maxSubkey;
    info->valueCount = values;
    info->maxValueNameLength = maxValueName;
    info->maxValueDataSize = maxData;
  }
  return status;
}

RegStatus Win32Registry::EnumKey(RegKey key, std::uint32_t index, std::u16string* name) {
  const HKEY handle = ToHkey(key);
  DWORD longest = 0;
  ::RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr);
  return EnumName(longest, name, [&](wchar_t* buffer, DWORD* length) {
    return ::RegEnumKeyExW(handle, index, buffer, length, nullptr, nullptr, nullptr, nullptr);
  });
}

RegStatus Win32Registry::EnumValue(RegKey key, std::uint32_t index, std::u16string* name) {
  const HKEY handle = ToHkey(key);
  DWORD longest = 0;
  ::RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &longest, nullptr, nullptr, nullptr);
  return EnumName(longest, name, [&](wchar_t* buffer, DWORD* length) {
    return ::RegEnumValueW(handle, index, buffer, length, nullptr, nullptr, nullptr, nullptr);
  });
}

RegStatus Win32Registry::QueryValue(RegKey key, std::u16string_view name, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
  DWORD valueType = 0;
  DWORD byteCount = size != nullptr ? *size : 0;
  const LONG status = ::RegQueryValueExW(ToHkey(key), Wide(name).c_str(), nullptr, &valueType,
                                         data, size != nullptr ? &byteCount : nullptr);
  if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    if (type != nullptr) *type = valueType;
    if (size != nullptr) *size = byteCount;
  }
  return status;
}

RegStatus Win32Registry::SetValue(RegKey key, std::u16string_view name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
  return ::RegSetValueExW(ToHkey(key), Wide(name).c_str(), 0, type, data, size);
}

RegStatus Win32Registry::DeleteValue(RegKey key, std::u16string_view name) {
  return ::RegDeleteValueW(ToHkey(key), Wide(name).c_str());
}

RegStatus Win32Registry::DeleteKey(RegKey parent, std::u16string_view subkey) {
  return ::RegDeleteKeyW(ToHkey(parent), Wide(subkey).c_str());
}

}  // namespace ovalin::platform::win32
