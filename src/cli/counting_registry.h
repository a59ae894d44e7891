// The registry as the scan sees it, counting the keys it was refused. The rules pass
// over a key they cannot open, as they must; a scan without administrator rights then
// sees little and finds nothing, and this count is how ovalin-rc tells that apart from
// a clean registry.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/registry.h"

namespace ovalin::cli {

class CountingRegistry : public platform::Registry {
 public:
  explicit CountingRegistry(platform::Registry& inner) : inner_(inner) {}

  // Attempts to open or create a key that failed for another reason than the key not
  // existing (access denied above all).
  std::uint64_t NotOpened() const { return notOpened_.load(); }

  platform::RegStatus OpenKey(platform::RegKey parent, std::u16string_view subkey,
                              std::uint32_t access, platform::RegKey* result) override;
  platform::RegStatus CreateKey(platform::RegKey parent, std::u16string_view subkey,
                                std::uint32_t access, platform::RegKey* result) override;
  void CloseKey(platform::RegKey key) override { inner_.CloseKey(key); }
  platform::RegStatus QueryInfo(platform::RegKey key, platform::RegKeyInfo* info) override {
    return inner_.QueryInfo(key, info);
  }
  platform::RegStatus EnumKey(platform::RegKey key, std::uint32_t index,
                              std::u16string* name) override {
    return inner_.EnumKey(key, index, name);
  }
  platform::RegStatus EnumValue(platform::RegKey key, std::uint32_t index,
                                std::u16string* name) override {
    return inner_.EnumValue(key, index, name);
  }
  platform::RegStatus QueryValue(platform::RegKey key, std::u16string_view name,
                                 std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) override {
    return inner_.QueryValue(key, name, type, data, size);
  }
  platform::RegStatus SetValue(platform::RegKey key, std::u16string_view name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) override {
    return inner_.SetValue(key, name, type, data, size);
  }
  platform::RegStatus DeleteValue(platform::RegKey key, std::u16string_view name) override {
    return inner_.DeleteValue(key, name);
  }
  platform::RegStatus DeleteKey(platform::RegKey parent, std::u16string_view subkey) override {
    return inner_.DeleteKey(parent, subkey);
  }

 private:
  platform::RegStatus Count(platform::RegStatus status) {
    if (status != platform::kRegOk && status != platform::kRegFileNotFound) ++notOpened_;
    return status;
  }

  platform::Registry& inner_;
  std::atomic<std::uint64_t> notOpened_{0};
};

}  // namespace ovalin::cli
