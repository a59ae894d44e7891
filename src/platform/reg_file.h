// Registry export files (".reg"): "Windows Registry Editor Version 5.00" (UTF-16 LE with
// BOM, or UTF-8), "REGEDIT4" and the Windows 3.1 form "REGEDIT", read as regedit reads
// them. Parsing produces a list of operations that is applied through the Registry
// interface only after the whole file parsed, so that a malformed file changes nothing.
// Works on the substitute and on the real registry alike.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace ovalin::platform {

struct RegFileOperation {
  enum class Kind { kCreateKey, kDeleteKey, kSetValue, kDeleteValue };
  Kind kind = Kind::kCreateKey;
  std::u16string keyPath;    // full path, root name spelled out ("HKEY_CURRENT_USER\...")
  std::u16string valueName;  // empty for the default value ("@")
  std::uint32_t type = 0;    // raw type code, for kSetValue
  std::vector<std::uint8_t> data;
};

struct RegFileError {
  std::string file;
  int line = 0;
  std::string problem;
  // "file:line: problem"
  std::string Message() const;
};

// bytes: the file's content as stored (UTF-16 LE when it starts with its BOM, otherwise
// UTF-8 or single-byte text). A well-formed file gives the operations Windows performs
// when it imports the file. Nothing is produced for a file with any line that Windows
// would pass over or read differently: operations is left unchanged and error names the
// first such line (1-based) and its problem.
bool ParseRegFile(std::string_view bytes, std::string_view fileName,
                  std::vector<RegFileOperation>* operations, RegFileError* error);

// Applies parsed operations in order: kCreateKey creates the key and its parents,
// kDeleteKey removes the key with everything below it (a missing key is no error),
// kSetValue writes (creating the key when needed), kDeleteValue removes (a missing value
// or key is no error). Stops at the first operation the registry refuses and reports it
// in error (line 0).
bool ApplyRegFile(Registry& registry, const std::vector<RegFileOperation>& operations,
                  RegFileError* error);

// Reads a file from the host and applies it (parse fully, then apply).
bool LoadRegFile(Registry& registry, const std::string& hostPath, RegFileError* error);

// Writes the trees below the given full key paths in "Windows Registry Editor Version
// 5.00" form, UTF-16 LE with BOM, as regedit exports them (keys depth first, subkeys in
// enumeration order, values in enumeration order).
std::string ExportRegFile(Registry& registry, const std::vector<std::u16string>& keyPaths);

// The root handle of a full key path's first component ("HKEY_LOCAL_MACHINE", also the
// abbreviations "HKLM", "HKCU", "HKCR", "HKU", "HKCC"), 0 when unknown; rest receives the
// subkey path after the first backslash.
RegKey ParseRootOfPath(std::u16string_view fullPath, std::u16string* rest);
// The full name of a predefined root ("HKEY_CURRENT_USER"), empty for any other key.
std::u16string_view RegRootName(RegKey root);

}  // namespace ovalin::platform
