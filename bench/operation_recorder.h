// Records the registry reads and file tests a scan makes, so that the same operations
// can be replayed straight against the platform: the "bare walk" of the benchmark, the
// scan's own registry and file work with no rules' logic, no records and no events.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace ovalin::bench {

struct RecordedOperation {
  enum class Kind {
    kOpen, kClose, kQueryInfo, kEnumKey, kEnumValue, kQueryValue, kProbe, kExamine, kDriveKind
  };
  Kind kind;
  platform::RegKey key = 0;     // the handle as the scan saw it
  platform::RegKey result = 0;  // for kOpen: the handle it received
  std::uint32_t number = 0;     // index, access, or buffer size
  bool withData = false;
  std::u16string text;          // subkey, value name or path
};

class RecordingRegistry : public platform::Registry {
 public:
  RecordingRegistry(platform::Registry& inner, std::vector<RecordedOperation>& log)
      : inner_(inner), log_(log) {}
  platform::RegStatus OpenKey(platform::RegKey parent, std::u16string_view subkey,
                              std::uint32_t access, platform::RegKey* result) override;
  platform::RegStatus CreateKey(platform::RegKey parent, std::u16string_view subkey,
                                std::uint32_t access, platform::RegKey* result) override {
    return inner_.CreateKey(parent, subkey, access, result);
  }
  void CloseKey(platform::RegKey key) override;
  platform::RegStatus QueryInfo(platform::RegKey key, platform::RegKeyInfo* info) override;
  platform::RegStatus EnumKey(platform::RegKey key, std::uint32_t index,
                              std::u16string* name) override;
  platform::RegStatus EnumValue(platform::RegKey key, std::uint32_t index,
                                std::u16string* name) override;
  platform::RegStatus QueryValue(platform::RegKey key, std::u16string_view name,
                                 std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) override;
  platform::RegStatus SetValue(platform::RegKey key, std::u16string_view name,
                               std::uint32_t type, const std::uint8_t* data,
                               std::uint32_t size) override {
    return inner_.SetValue(key, name, type, data, size);
  }
  platform::RegStatus DeleteValue(platform::RegKey key, std::u16string_view name) override {
    return inner_.DeleteValue(key, name);
  }
  platform::RegStatus DeleteKey(platform::RegKey parent, std::u16string_view subkey) override {
    return inner_.DeleteKey(parent, subkey);
  }

 private:
  platform::Registry& inner_;
  std::vector<RecordedOperation>& log_;
};

class RecordingFiles : public platform::FileSystem {
 public:
  RecordingFiles(platform::FileSystem& inner, std::vector<RecordedOperation>& log)
      : inner_(inner), log_(log) {}
  platform::PathKind Probe(std::u16string_view path) override;
  platform::PathState Examine(std::u16string_view path) override;
  platform::DriveKind DriveKindOf(char16_t letter) override;
  bool CreateFolders(std::u16string_view path) override { return inner_.CreateFolders(path); }
  std::unique_ptr<platform::File> Open(std::u16string_view path,
                                       platform::FileOpenMode mode) override {
    return inner_.Open(path, mode);
  }
  bool DeleteFile(std::u16string_view path) override { return inner_.DeleteFile(path); }
  std::vector<platform::FolderEntry> ListFolder(std::u16string_view path) override {
    return inner_.ListFolder(path);
  }

 private:
  platform::FileSystem& inner_;
  std::vector<RecordedOperation>& log_;
};

// Performs the recorded operations again, in order, against registry and files.
void Replay(const std::vector<RecordedOperation>& log, platform::Registry& registry,
            platform::FileSystem& files);

}  // namespace ovalin::bench
