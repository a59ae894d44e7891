// The raw registry operations the portable layers need, shaped after advapi32 so that
// the Windows implementation is a thin pass-through and the substitute can be tested
// against it call for call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovalin::platform {

// A key handle: a predefined root (the constants below) or a handle returned by
// OpenKey/CreateKey. 0 means "no key".
using RegKey = std::uintptr_t;

constexpr RegKey kClassesRoot = 0x80000000u;
constexpr RegKey kCurrentUser = 0x80000001u;
constexpr RegKey kLocalMachine = 0x80000002u;
constexpr RegKey kUsers = 0x80000003u;
constexpr RegKey kCurrentConfig = 0x80000005u;

constexpr bool IsPredefinedRoot(RegKey key) {
  return key == kClassesRoot || key == kCurrentUser || key == kLocalMachine || key == kUsers ||
         key == kCurrentConfig;
}

// Windows error codes, as the registry functions return them.
using RegStatus = long;
constexpr RegStatus kRegOk = 0;
constexpr RegStatus kRegFileNotFound = 2;
constexpr RegStatus kRegAccessDenied = 5;
constexpr RegStatus kRegInvalidHandle = 6;
constexpr RegStatus kRegInvalidParameter = 87;
constexpr RegStatus kRegBadPathname = 161;
constexpr RegStatus kRegMoreData = 234;
constexpr RegStatus kRegNoMoreItems = 259;
constexpr RegStatus kRegKeyDeleted = 1018;  // the handle's key was deleted meanwhile

// Raw value type codes.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegDwordBigEndian = 5;
constexpr std::uint32_t kRegLink = 6;
constexpr std::uint32_t kRegMultiSz = 7;
constexpr std::uint32_t kRegQword = 11;

// Full access (KEY_ALL_ACCESS); the only mask the program opens keys with.
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kKeyRead = 0x20019;

struct RegKeyInfo {
  std::uint32_t subkeyCount = 0;
  std::uint32_t maxSubkeyNameLength = 0;  // characters, without terminator
  std::uint32_t valueCount = 0;
  std::uint32_t maxValueNameLength = 0;  // characters, without terminator
  std::uint32_t maxValueDataSize = 0;    // bytes
};

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExW: opens subkey below parent (an empty subkey opens parent again).
  virtual RegStatus OpenKey(RegKey parent, std::u16string_view subkey, std::uint32_t access,
                            RegKey* result) = 0;
  // RegCreateKeyExW: opens or creates subkey and every missing parent on the way.
  virtual RegStatus CreateKey(RegKey parent, std::u16string_view subkey, std::uint32_t access,
                              RegKey* result) = 0;
  // RegCloseKey. Closing a predefined root or 0 does nothing.
  virtual void CloseKey(RegKey key) = 0;
  // RegQueryInfoKeyW.
  virtual RegStatus QueryInfo(RegKey key, RegKeyInfo* info) = 0;
  // RegEnumKeyExW / RegEnumValueW: the name at index, kRegNoMoreItems past the end.
  virtual RegStatus EnumKey(RegKey key, std::uint32_t index, std::u16string* name) = 0;
  virtual RegStatus EnumValue(RegKey key, std::uint32_t index, std::u16string* name) = 0;
  // RegQueryValueExW. With data == nullptr only type and *size are filled in. Otherwise
  // *size is the capacity on entry and the bytes read on success; a buffer that is too
  // small gives kRegMoreData with *size set to the size needed. type may be nullptr.
  virtual RegStatus QueryValue(RegKey key, std::u16string_view name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExW: writes exactly the given type and bytes.
  virtual RegStatus SetValue(RegKey key, std::u16string_view name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) = 0;
  // RegDeleteValueW.
  virtual RegStatus DeleteValue(RegKey key, std::u16string_view name) = 0;
  // RegDeleteKeyW: removes one key that has no subkeys (kRegAccessDenied otherwise).
  virtual RegStatus DeleteKey(RegKey parent, std::u16string_view subkey) = 0;
};

}  // namespace ovalin::platform
