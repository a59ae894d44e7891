#include "cli/counting_registry.h"

namespace ovalin::cli {

platform::RegStatus CountingRegistry::OpenKey(platform::RegKey parent, std::u16string_view subkey,
                                              std::uint32_t access, platform::RegKey* result) {
  return Count(inner_.OpenKey(parent, subkey, access, result));
}

platform::RegStatus CountingRegistry::CreateKey(platform::RegKey parent, std::u16string_view subkey,
                                                std::uint32_t access, platform::RegKey* result) {
  return Count(inner_.CreateKey(parent, subkey, access, result));
}

}  // namespace ovalin::cli
