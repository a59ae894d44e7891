#include "operation_recorder.h"

namespace ovalin::bench {

using Kind = RecordedOperation::Kind;

platform::RegStatus RecordingRegistry::OpenKey(platform::RegKey parent,
                                               std::u16string_view subkey, std::uint32_t access,
                                               platform::RegKey* result) {
  const platform::RegStatus status = inner_.OpenKey(parent, subkey, access, result);
  log_.push_back({Kind::kOpen, parent, status == platform::kRegOk ? *result : 0, access, false,
                  std::u16string(subkey)});
  return status;
}

void RecordingRegistry::CloseKey(platform::RegKey key) {
  log_.push_back({Kind::kClose, key, 0, 0, false, {}});
  inner_.CloseKey(key);
}

platform::RegStatus RecordingRegistry::QueryInfo(platform::RegKey key,
                                                 platform::RegKeyInfo* info) {
  log_.push_back({Kind::kQueryInfo, key, 0, 0, false, {}});
  return inner_.QueryInfo(key, info);
}

platform::RegStatus RecordingRegistry::EnumKey(platform::RegKey key, std::uint32_t index,
                                               std::u16string* name) {
  log_.push_back({Kind::kEnumKey, key, 0, index, false, {}});
  return inner_.EnumKey(key, index, name);
}

platform::RegStatus RecordingRegistry::EnumValue(platform::RegKey key, std::uint32_t index,
                                                 std::u16string* name) {
  log_.push_back({Kind::kEnumValue, key, 0, index, false, {}});
  return inner_.EnumValue(key, index, name);
}

platform::RegStatus RecordingRegistry::QueryValue(platform::RegKey key, std::u16string_view name,
                                                  std::uint32_t* type, std::uint8_t* data,
                                                  std::uint32_t* size) {
  log_.push_back({Kind::kQueryValue, key, 0, size ? *size : 0, data != nullptr,
                  std::u16string(name)});
  return inner_.QueryValue(key, name, type, data, size);
}

platform::PathKind RecordingFiles::Probe(std::u16string_view path) {
  log_.push_back({Kind::kProbe, 0, 0, 0, false, std::u16string(path)});
  return inner_.Probe(path);
}

platform::PathState RecordingFiles::Examine(std::u16string_view path) {
  log_.push_back({Kind::kExamine, 0, 0, 0, false, std::u16string(path)});
  return inner_.Examine(path);
}

platform::DriveKind RecordingFiles::DriveKindOf(char16_t letter) {
  log_.push_back({Kind::kDriveKind, 0, 0, letter, false, {}});
  return inner_.DriveKindOf(letter);
}

void Replay(const std::vector<RecordedOperation>& log, platform::Registry& registry,
            platform::FileSystem& files) {
  // Handles of the recording mapped to the handles of this run; roots map to themselves.
  std::unordered_map<platform::RegKey, platform::RegKey> handles;
  auto map = [&](platform::RegKey recorded) {
    const auto found = handles.find(recorded);
    return found == handles.end() ? recorded : found->second;
  };
  std::vector<std::uint8_t> buffer(64 * 1024);
  std::u16string name;
  platform::RegKeyInfo info;
  for (const RecordedOperation& op : log) {
    switch (op.kind) {
      case Kind::kOpen: {
        platform::RegKey opened = 0;
        if (registry.OpenKey(map(op.key), op.text, op.number, &opened) == platform::kRegOk) {
          handles[op.result] = opened;
        }
        break;
      }
      case Kind::kClose:
        registry.CloseKey(map(op.key));
        handles.erase(op.key);
        break;
      case Kind::kQueryInfo: registry.QueryInfo(map(op.key), &info); break;
      case Kind::kEnumKey: registry.EnumKey(map(op.key), op.number, &name); break;
      case Kind::kEnumValue: registry.EnumValue(map(op.key), op.number, &name); break;
      case Kind::kQueryValue: {
        std::uint32_t type = 0;
        std::uint32_t size = op.number;
        if (op.withData && size > buffer.size()) buffer.resize(size);
        registry.QueryValue(map(op.key), op.text, &type, op.withData ? buffer.data() : nullptr,
                            &size);
        break;
      }
      case Kind::kProbe: files.Probe(op.text); break;
      case Kind::kExamine: files.Examine(op.text); break;
      case Kind::kDriveKind: files.DriveKindOf(static_cast<char16_t>(op.number)); break;
    }
  }
}

}  // namespace ovalin::bench
