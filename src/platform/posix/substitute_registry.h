// The registry off Windows: an in-memory tree that behaves like the real registry as
// the program sees it through advapi32 (checked against Wine, where the tests also run):
// - five predefined roots, each an independent tree;
// - key and value names compared without regard to case (ASCII and the common letters
//   of the Basic Multilingual Plane), stored with the spelling of their creation;
// - subkeys enumerate sorted by their lower-cased names, values in creation order;
//   a value is found by its name in constant time however many its key holds;
// - raw type codes and data bytes are kept exactly as written;
// - paths "A\B\C" are walked component by component; empty components (a trailing or
//   doubled backslash) are skipped, a leading backslash is a bad path name;
// - DeleteKey removes one leaf key; a handle to a deleted key fails with kRegKeyDeleted;
// - a handle allows what its access mask allows (query, set, enumerate).
// All operations are serialised by one mutex, so the scan worker and a test may use it
// from different threads.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace ovalin::platform::posix {

class SubstituteRegistry : public Registry {
 public:
  SubstituteRegistry();
  ~SubstituteRegistry() override;
  SubstituteRegistry(const SubstituteRegistry&) = delete;
  SubstituteRegistry& operator=(const SubstituteRegistry&) = delete;

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

  // Makes an existing key refuse every access beyond reading, as a key whose security
  // denies the current user full control does on Windows: opening or creating it with
  // more than read rights, creating subkeys in it and deleting it give kRegAccessDenied.
  // fullPath names the key with its root spelled out ("HKEY_CURRENT_USER\Software\X").
  // False when the key does not exist.
  bool SetDenyAccess(std::u16string_view fullPath, bool deny);

  // The number of handles currently open (for leak checks in tests).
  std::size_t OpenHandleCount() const;

  // Lower-case folding of one UTF-16 code unit, the rule used for every name comparison.
  static char16_t FoldCase(char16_t c);

 private:
  struct Node;
  struct Handle {
    std::shared_ptr<Node> node;
    std::uint32_t access = 0;
  };
  // The handle's node and rights; status kRegInvalidHandle or kRegKeyDeleted on failure.
  RegStatus Resolve(RegKey key, std::uint32_t neededAccess, Handle* handle) const;
  RegStatus OpenOrCreate(RegKey parent, std::u16string_view subkey, std::uint32_t access,
                         bool create, RegKey* result);
  RegKey NewHandle(std::shared_ptr<Node> node, std::uint32_t access);

  mutable std::mutex mutex_;
  std::map<RegKey, std::shared_ptr<Node>> roots_;
  std::map<RegKey, Handle> handles_;
  RegKey nextHandle_ = 0x1000;
};

}  // namespace ovalin::platform::posix
