// RegAccess: one root, at most one open key, full access. Everything that reads or
// writes the registry goes through it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace ovalin {

using platform::RegKey;

// Data-type classes, derived from the raw type code.
enum class RegDataType { kUnknown = 0, kString = 1, kExpandString = 2, kInteger = 3, kBinary = 4 };
RegDataType DataTypeOf(std::uint32_t rawType);

// Thrown by ReadString and ReadBinaryData when the value is of the wrong class or the
// buffer is too small; every other operation reports failure by its result.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RegKeyInfo {
  std::uint32_t numSubKeys = 0;
  std::uint32_t numValues = 0;
  std::uint32_t maxDataLen = 0;
};

// "HKEY_CLASSES_ROOT\CLSID" -> root handle and subkey path; root 0 for an unknown root.
struct SplitPath {
  RegKey root = 0;
  std::u16string subKey;
};
SplitPath SplitRegPath(std::u16string_view fullPath);
// The root name of a predefined root handle, empty for any other handle.
std::u16string RootName(RegKey root);

class RegAccess {
 public:
  explicit RegAccess(platform::Registry& registry);
  ~RegAccess();
  RegAccess(const RegAccess&) = delete;
  RegAccess& operator=(const RegAccess&) = delete;

  platform::Registry& Backend() const { return registry_; }
  RegKey RootKey() const { return root_; }
  void SetRootKey(RegKey root);
  bool OpenKey(std::u16string_view path, bool canCreate);
  void CloseKey();
  RegKey CurrentKey() const { return current_; }
  bool KeyExists(std::u16string_view path);
  bool GetKeyInfo(RegKeyInfo* info);
  std::vector<std::u16string> GetKeyNames();
  std::vector<std::u16string> GetValueNames();
  bool GetDataInfo(std::u16string_view valueName, RegDataType* type, std::uint32_t* size);
  long long GetDataSize(std::u16string_view valueName);
  RegDataType GetDataType(std::u16string_view valueName);
  // Throws RegistryError for a value that is not of string or expand-string class.
  std::u16string ReadString(std::u16string_view valueName);
  // Type, size and, for a string or expand-string value, its text up to the first NUL,
  // in one query for most values; false when the value cannot be read.
  bool ReadTyped(std::u16string_view valueName, RegDataType* type, std::uint32_t* size,
                 std::u16string* text);
  // Throws RegistryError for a string or integer value, or when the buffer is too small.
  std::uint32_t ReadBinaryData(std::u16string_view valueName, void* buffer,
                               std::uint32_t size);
  bool WriteString(std::u16string_view valueName, std::u16string_view text);
  bool WriteExpandString(std::u16string_view valueName, std::u16string_view text);
  bool WriteInteger(std::u16string_view valueName, std::int32_t number);
  bool DeleteValue(std::u16string_view valueName);
  // Deletes the key at path and everything below it; true when the key is gone.
  bool DeleteKey(std::u16string_view path);

 private:
  RegKey BaseFor(std::u16string_view path, std::u16string_view* relative) const;

  platform::Registry& registry_;
  RegKey root_ = platform::kCurrentUser;
  RegKey current_ = 0;
  std::uint32_t access_ = platform::kKeyAllAccess;
  // The counts GetKeyInfo just gave for the current key, for the next listing of that
  // kind only: it asks for exactly that many names instead of one more to learn the
  // end (-1: not known).
  long long knownSubKeys_ = -1;
  long long knownValues_ = -1;
};

// Raw value operations on an open key handle, for the backup writer and the restore.
// Always succeeds; a missing value gives type 0 and size 0.
bool ReadValueInfo(platform::Registry& registry, RegKey key, std::u16string_view valueName,
                   std::uint32_t* type, std::uint32_t* size);
bool ReadValueData(platform::Registry& registry, RegKey key, std::u16string_view valueName,
                   std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* type,
                   std::uint32_t* bytesRead);
bool WriteValueData(platform::Registry& registry, RegKey key, std::u16string_view valueName,
                    std::uint32_t type, const std::uint8_t* data, std::uint32_t size);

}  // namespace ovalin
