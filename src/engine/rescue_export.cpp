#include "engine/rescue_export.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/backup_reader.h"
#include "engine/reg_access.h"
#include "engine/text_utils.h"
#include "platform/reg_file.h"

namespace ovalin {

namespace {

// The keys and values a restore writes, as a read-only registry that the .reg writer can
// walk like a real one. Names keep the spelling they were first seen in and are found
// without regard to case; keys and values keep the order of the records.
class RestoredState : public platform::Registry {
 public:
  struct Value {
    std::u16string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  struct Key {
    std::u16string name;
    bool isRecord = false;  // a record of the set names this key
    std::vector<std::unique_ptr<Key>> children;
    std::vector<Value> values;
    // Lower-case name -> position, so that a set of thousands of values stays quick.
    std::unordered_map<std::u16string, std::size_t> childAt;
    std::unordered_map<std::u16string, std::size_t> valueAt;
  };

  // The key of a record, created with its parents; nullptr for an unknown root.
  Key* AddRecordKey(std::u16string_view fullPath) {
    const SplitPath split = SplitRegPath(fullPath);
    Key* key = RootKey(split.root);
    if (key == nullptr) return nullptr;
    for (const std::u16string& name : StrSplitChars(split.subKey, u"\\")) {
      if (name.empty()) continue;
      Key* child = Child(*key, name);
      if (child == nullptr) {
        key->childAt.emplace(StrLower(name), key->children.size());
        key->children.push_back(std::make_unique<Key>());
        child = key->children.back().get();
        child->name = name;
      }
      key = child;
    }
    key->isRecord = true;
    return key;
  }

  static void SetValue(Key& key, const BackupEntryView& entry) {
    Value* value = FindValue(key, entry.name);
    if (value == nullptr) {
      key.valueAt.emplace(StrLower(entry.name), key.values.size());
      key.values.push_back(Value{entry.name, 0, {}});
      value = &key.values.back();
    }
    value->type = entry.type;
    value->data.assign(entry.data, entry.data + entry.size);
  }

  // The full paths of the record keys that no other record key lies above: exporting
  // their trees writes every key and value of the set once.
  std::vector<std::u16string> TopRecordPaths() const {
    std::vector<std::u16string> paths;
    for (const auto& [root, key] : roots_) {
      CollectTopRecords(*key, RootName(root), &paths);
    }
    return paths;
  }

  platform::RegStatus OpenKey(platform::RegKey parent, std::u16string_view subkey, std::uint32_t,
                              platform::RegKey* result) override {
    Key* key = Resolve(parent);
    if (key == nullptr) return platform::kRegInvalidHandle;
    for (const std::u16string& name : StrSplitChars(subkey, u"\\")) {
      if (name.empty()) continue;
      key = Child(*key, name);
      if (key == nullptr) return platform::kRegFileNotFound;
    }
    *result = reinterpret_cast<platform::RegKey>(key);
    return platform::kRegOk;
  }
  platform::RegStatus CreateKey(platform::RegKey, std::u16string_view, std::uint32_t,
                                platform::RegKey*) override {
    return platform::kRegAccessDenied;
  }
  void CloseKey(platform::RegKey) override {}
  platform::RegStatus QueryInfo(platform::RegKey handle, platform::RegKeyInfo* info) override {
    const Key* key = Resolve(handle);
    if (key == nullptr) return platform::kRegInvalidHandle;
    *info = {};
    info->subkeyCount = static_cast<std::uint32_t>(key->children.size());
    info->valueCount = static_cast<std::uint32_t>(key->values.size());
    return platform::kRegOk;
  }
  platform::RegStatus EnumKey(platform::RegKey handle, std::uint32_t index,
                              std::u16string* name) override {
    const Key* key = Resolve(handle);
    if (key == nullptr) return platform::kRegInvalidHandle;
    if (index >= key->children.size()) return platform::kRegNoMoreItems;
    *name = key->children[index]->name;
    return platform::kRegOk;
  }
  platform::RegStatus EnumValue(platform::RegKey handle, std::uint32_t index,
                                std::u16string* name) override {
    const Key* key = Resolve(handle);
    if (key == nullptr) return platform::kRegInvalidHandle;
    if (index >= key->values.size()) return platform::kRegNoMoreItems;
    *name = key->values[index].name;
    return platform::kRegOk;
  }
  platform::RegStatus QueryValue(platform::RegKey handle, std::u16string_view name,
                                 std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) override {
    Key* key = Resolve(handle);
    if (key == nullptr) return platform::kRegInvalidHandle;
    const Value* value = FindValue(*key, name);
    if (value == nullptr) return platform::kRegFileNotFound;
    if (type != nullptr) *type = value->type;
    const auto needed = static_cast<std::uint32_t>(value->data.size());
    if (data != nullptr && *size < needed) {
      *size = needed;
      return platform::kRegMoreData;
    }
    if (data != nullptr && needed != 0) std::copy(value->data.begin(), value->data.end(), data);
    *size = needed;
    return platform::kRegOk;
  }
  platform::RegStatus SetValue(platform::RegKey, std::u16string_view, std::uint32_t,
                               const std::uint8_t*, std::uint32_t) override {
    return platform::kRegAccessDenied;
  }
  platform::RegStatus DeleteValue(platform::RegKey, std::u16string_view) override {
    return platform::kRegAccessDenied;
  }
  platform::RegStatus DeleteKey(platform::RegKey, std::u16string_view) override {
    return platform::kRegAccessDenied;
  }

 private:
  static Key* Child(Key& key, std::u16string_view name) {
    const auto at = key.childAt.find(StrLower(name));
    return at == key.childAt.end() ? nullptr : key.children[at->second].get();
  }
  static Value* FindValue(Key& key, std::u16string_view name) {
    const auto at = key.valueAt.find(StrLower(name));
    return at == key.valueAt.end() ? nullptr : &key.values[at->second];
  }
  static void CollectTopRecords(const Key& key, const std::u16string& path,
                                std::vector<std::u16string>* paths) {
    if (key.isRecord) {
      paths->push_back(path);
      return;
    }
    for (const auto& child : key.children) {
      CollectTopRecords(*child, path + u"\\" + child->name, paths);
    }
  }

  Key* RootKey(platform::RegKey root) {
    if (root == 0) return nullptr;
    for (auto& [handle, key] : roots_) {
      if (handle == root) return key.get();
    }
    roots_.emplace_back(root, std::make_unique<Key>());
    return roots_.back().second.get();
  }
  // A predefined root or a handle given out by OpenKey (the key's address).
  Key* Resolve(platform::RegKey handle) {
    if (platform::IsPredefinedRoot(handle)) return RootKey(handle);
    return reinterpret_cast<Key*>(handle);
  }

  std::vector<std::pair<platform::RegKey, std::unique_ptr<Key>>> roots_;
};

}  // namespace

bool RescueAsRegText(platform::FileSystem& files, const std::u16string& backupFile,
                     std::string* regText, std::u16string* error) {
  std::unique_ptr<platform::File> file = files.Open(backupFile, platform::FileOpenMode::kOpenRead);
  std::uint64_t size = 0;
  if (!file || !file->Size(&size)) {
    *error = u"cannot read " + backupFile;
    return false;
  }
  FileByteSource source(*file);
  BackupReader reader(source, size);
  if (!reader.ReadHeader()) {
    *error = backupFile + u" is not a backup data file";
    return false;
  }
  RestoredState state;
  BackupRecordView record;
  while (reader.Next(&record)) {
    // A record of an unknown root is passed over, as the restore passes over it.
    RestoredState::Key* key = state.AddRecordKey(record.path);
    if (key == nullptr) continue;
    for (const BackupEntryView& entry : record.entries) RestoredState::SetValue(*key, entry);
  }
  if (reader.Failed()) {
    *error = backupFile + u" is damaged after " + FromUtf8(std::to_string(reader.Consumed())) +
             u" bytes";
    return false;
  }
  *regText = platform::ExportRegFile(state, state.TopRecordPaths());
  return true;
}

bool ExportRescueAsReg(platform::Platform& platform, const std::u16string& backupFile,
                       const std::u16string& regFile, std::u16string* error) {
  std::string text;
  if (!RescueAsRegText(platform.files, backupFile, &text, error)) return false;
  std::unique_ptr<platform::File> out =
      platform.files.Open(regFile, platform::FileOpenMode::kCreateAlways);
  if (!out || !out->Write(text.data(), static_cast<std::uint32_t>(text.size())) || !out->Flush()) {
    *error = u"cannot write " + regFile;
    return false;
  }
  return true;
}

}  // namespace ovalin
