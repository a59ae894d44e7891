// The registry over advapi32, call for call.
#pragma once

#include "platform/registry.h"

namespace ovalin::platform::win32 {

class Win32Registry : public Registry {
 public:
  RegStatus OpenKey(RegKey parent, std::u16string_view subkey, std::uint32_t access,
                    RegKey* result) override;
  RegStatus CreateKey(RegKey parent, std::u16string_view subkey, std::uint32_t access,
                      RegKey* result) override;
  void CloseKey(RegKey key) override;
  RegStatus QueryInfo(RegKey key, RegKeyInfo* info) override;
  RegStatus EnumKey(RegKey key, std::uint32_t index, std::u16string* name) override;
  RegStatus EnumValue(RegKey key, std::uint32_t index, std::u16string* name) override;
  RegStatus QueryValue(RegKey key, std::u16string_view name, std::uint32_t* type,
                       std::uint8_t* data, std::uint32_t* size) override;
  RegStatus SetValue(RegKey key, std::u16string_view name, std::uint32_t type,
                     const std::uint8_t* data, std::uint32_t size) override;
  RegStatus DeleteValue(RegKey key, std::u16string_view name) override;
  RegStatus DeleteKey(RegKey parent, std::u16string_view subkey) override;
};

}  // namespace ovalin::platform::win32
