#include "platform/posix/substitute_registry.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/posix/substitute_values.h"
#include "platform/reg_file.h"

namespace ovalin::platform::posix {
namespace {

// Access rights, as advapi32 defines them.
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kWow64Flags = 0x0300;
constexpr std::uint32_t kGenericRead = 0x80000000u;
constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kGenericAll = 0x10000000u;
constexpr std::uint32_t kMaximumAllowed = 0x02000000u;
constexpr std::uint32_t kKeyWrite = 0x20006;

std::uint32_t MapGenericAccess(std::uint32_t access) {
  std::uint32_t specific = access & 0x00FFFFFFu & ~kWow64Flags;
  if (access & kGenericRead) specific |= kKeyRead;
  if (access & kGenericWrite) specific |= kKeyWrite;
  if (access & (kGenericAll | kMaximumAllowed)) specific |= kKeyAllAccess;
  return specific;
}

// The advapi32 functions take NUL-terminated names: anything after a NUL is not seen.
std::u16string_view UpToNul(std::u16string_view s) {
  auto nul = s.find(u'\0');
  return nul == std::u16string_view::npos ? s : s.substr(0, nul);
}

struct TableRange {
  char16_t first;
  char16_t last;
  int offset;   // added to an upper-case letter to give its lower-case form
  bool paired;  // upper and lower alternate (even = upper) instead of forming a block
};

// Upper-case letters of the Basic Multilingual Plane that the registry folds, grouped.
constexpr TableRange kUpperRanges[] = {
    {0x0041, 0x005A, 0x20, false},  {0x00C0, 0x00D6, 0x20, false},
    {0x00D8, 0x00DE, 0x20, false},  {0x0100, 0x012F, 1, true},
    {0x0132, 0x0137, 1, true},      {0x0139, 0x0148, 1, true},
    {0x014A, 0x0177, 1, true},      {0x0179, 0x017E, 1, true},
    {0x0182, 0x0185, 1, true},      {0x01A0, 0x01A5, 1, true},
    {0x01CD, 0x01DC, 1, true},      {0x01DE, 0x01EF, 1, true},
    {0x01F8, 0x021F, 1, true},      {0x0222, 0x0233, 1, true},
    {0x0386, 0x0386, 0x26, false},  {0x0388, 0x038A, 0x25, false},
    {0x038C, 0x038C, 0x40, false},  {0x038E, 0x038F, 0x3F, false},
    {0x0391, 0x03A1, 0x20, false},  {0x03A3, 0x03AB, 0x20, false},
    {0x03D8, 0x03EF, 1, true},      {0x0400, 0x040F, 0x50, false},
    {0x0410, 0x042F, 0x20, false},  {0x0460, 0x0481, 1, true},
    {0x048A, 0x04BF, 1, true},      {0x04C1, 0x04CE, 1, true},
    {0x04D0, 0x052F, 1, true},      {0x0531, 0x0556, 0x30, false},
    {0x10A0, 0x10C5, 0x1C60, false}, {0x1E00, 0x1E95, 1, true},
    {0x1EA0, 0x1EFF, 1, true},      {0x1F08, 0x1F0F, -8, false},
    {0x1F18, 0x1F1D, -8, false},    {0x1F28, 0x1F2F, -8, false},
    {0x1F38, 0x1F3F, -8, false},    {0x1F48, 0x1F4D, -8, false},
    {0x1F68, 0x1F6F, -8, false},    {0x2160, 0x216F, 0x10, false},
    {0x24B6, 0x24CF, 0x1A, false},  {0x2C00, 0x2C2E, 0x30, false},
    {0xFF21, 0xFF3A, 0x20, false},
};

std::u16string FoldName(std::u16string_view name) {
  std::u16string folded(name);
  for (auto& c : folded) c = SubstituteRegistry::FoldCase(c);
  return folded;
}

// Splits a subkey path into its components. Empty components (a trailing or doubled
// backslash) are skipped; a leading backslash is refused, as by the real registry.
RegStatus SplitSubkey(std::u16string_view subkey, std::vector<std::u16string_view>* parts) {
  subkey = UpToNul(subkey);
  if (!subkey.empty() && subkey.front() == u'\\') return kRegBadPathname;
  while (!subkey.empty()) {
    auto slash = subkey.find(u'\\');
    auto part = subkey.substr(0, slash);
    if (!part.empty()) parts->push_back(part);
    if (slash == std::u16string_view::npos) break;
    subkey.remove_prefix(slash + 1);
  }
  return kRegOk;
}

}  // namespace

struct SubstituteRegistry::Node {
  std::u16string name;
  Node* parent = nullptr;  // null for a root; children are owned by their parent
  bool deleted = false;
  bool denyBeyondRead = false;
  std::map<std::u16string, std::shared_ptr<Node>> children;  // by folded name
  SubstituteValues values;                                  // in creation order

  // Where the last subkey enumeration stopped, so that walking the subkeys with rising
  // indexes costs one step per index instead of a walk from the start.
  using ChildIterator = std::map<std::u16string, std::shared_ptr<Node>>::const_iterator;
  bool cursorValid = false;
  std::size_t cursorIndex = 0;
  ChildIterator cursor;

  void ChildrenChanged() { cursorValid = false; }

  const Node& ChildAt(std::size_t index) {
    if (!cursorValid || index < cursorIndex) {
      cursor = children.begin();
      cursorIndex = 0;
      cursorValid = true;
    }
    cursor = std::next(cursor, static_cast<std::ptrdiff_t>(index - cursorIndex));
    cursorIndex = index;
    return *cursor->second;
  }
};

char16_t SubstituteRegistry::FoldCase(char16_t c) {
  if (c < 0x41) return c;
  if (c <= 0x5A) return static_cast<char16_t>(c + 0x20);
  if (c < 0xC0) return c;
  for (const auto& range : kUpperRanges) {
    if (c < range.first) break;
    if (c > range.last) continue;
    if (range.paired && ((c - range.first) & 1) != 0) return c;
    return static_cast<char16_t>(c + range.offset);
  }
  if (c == 0x0178) return 0x00FF;
  return c;
}

SubstituteRegistry::SubstituteRegistry() {
  for (RegKey root : {kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kCurrentConfig}) {
    roots_[root] = std::make_shared<Node>();
  }
}

SubstituteRegistry::~SubstituteRegistry() = default;

RegKey SubstituteRegistry::NewHandle(std::shared_ptr<Node> node, std::uint32_t access) {
  RegKey key = nextHandle_;
  nextHandle_ += 4;
  handles_[key] = Handle{std::move(node), access};
  return key;
}

RegStatus SubstituteRegistry::Resolve(RegKey key, std::uint32_t neededAccess,
                                      Handle* handle) const {
  auto root = roots_.find(key);
  if (root != roots_.end()) {
    *handle = Handle{root->second, kKeyAllAccess};
  } else {
    auto found = handles_.find(key);
    if (found == handles_.end()) return kRegInvalidHandle;
    *handle = found->second;
  }
  if (handle->node->deleted) return kRegKeyDeleted;
  if ((handle->access & neededAccess) != neededAccess) return kRegAccessDenied;
  return kRegOk;
}

RegStatus SubstituteRegistry::OpenOrCreate(RegKey parent, std::u16string_view subkey,
                                           std::uint32_t access, bool create, RegKey* result) {
  if (result == nullptr) return kRegInvalidParameter;
  *result = 0;
  std::lock_guard<std::mutex> lock(mutex_);
  Handle start;
  RegStatus status = Resolve(parent, 0, &start);
  if (status != kRegOk) return status;
  std::vector<std::u16string_view> parts;
  status = SplitSubkey(subkey, &parts);
  if (status != kRegOk) return status;

  // Look the whole path up first, so that a failed create leaves nothing behind.
  std::shared_ptr<Node> node = start.node;
  std::size_t existing = 0;
  for (; existing < parts.size(); ++existing) {
    auto child = node->children.find(FoldName(parts[existing]));
    if (child == node->children.end()) break;
    node = child->second;
  }
  std::uint32_t rights = MapGenericAccess(access);
  if (existing < parts.size()) {
    if (!create) return kRegFileNotFound;
    if (node->denyBeyondRead) return kRegAccessDenied;
    for (std::size_t i = existing; i < parts.size(); ++i) {
      auto child = std::make_shared<Node>();
      child->name = std::u16string(parts[i]);
      child->parent = node.get();
      node->children[FoldName(parts[i])] = child;
      node->ChildrenChanged();
      node = child;
    }
  } else if (node->denyBeyondRead && (rights & ~kKeyRead) != 0) {
    return kRegAccessDenied;
  }
  *result = NewHandle(node, rights);
  return kRegOk;
}

RegStatus SubstituteRegistry::OpenKey(RegKey parent, std::u16string_view subkey,
                                      std::uint32_t access, RegKey* result) {
  return OpenOrCreate(parent, subkey, access, false, result);
}

RegStatus SubstituteRegistry::CreateKey(RegKey parent, std::u16string_view subkey,
                                        std::uint32_t access, RegKey* result) {
  return OpenOrCreate(parent, subkey, access, true, result);
}

void SubstituteRegistry::CloseKey(RegKey key) {
  std::lock_guard<std::mutex> lock(mutex_);
  handles_.erase(key);
}

RegStatus SubstituteRegistry::QueryInfo(RegKey key, RegKeyInfo* info) {
  if (info == nullptr) return kRegInvalidParameter;
  std::lock_guard<std::mutex> lock(mutex_);
  Handle handle;
  RegStatus status = Resolve(key, kKeyQueryValue, &handle);
  if (status != kRegOk) return status;
  const Node& node = *handle.node;
  RegKeyInfo result;
  result.subkeyCount = static_cast<std::uint32_t>(node.children.size());
  for (const auto& child : node.children) {
    result.maxSubkeyNameLength = std::max<std::uint32_t>(
        result.maxSubkeyNameLength, static_cast<std::uint32_t>(child.second->name.size()));
  }
  result.valueCount = static_cast<std::uint32_t>(node.values.size());
  node.values.ForEach([&result](const SubstituteValues::Value& value) {
    result.maxValueNameLength = std::max<std::uint32_t>(
        result.maxValueNameLength, static_cast<std::uint32_t>(value.name.size()));
    result.maxValueDataSize = std::max<std::uint32_t>(
        result.maxValueDataSize, static_cast<std::uint32_t>(value.data.size()));
  });
  *info = result;
  return kRegOk;
}

RegStatus SubstituteRegistry::EnumKey(RegKey key, std::uint32_t index, std::u16string* name) {
  if (name == nullptr) return kRegInvalidParameter;
  std::lock_guard<std::mutex> lock(mutex_);
  Handle handle;
  RegStatus status = Resolve(key, kKeyEnumerateSubKeys, &handle);
  if (status != kRegOk) return status;
  const auto& children = handle.node->children;
  if (index >= children.size()) return kRegNoMoreItems;
  *name = handle.node->ChildAt(index).name;
  return kRegOk;
}

RegStatus SubstituteRegistry::EnumValue(RegKey key, std::uint32_t index,
                                        std::u16string* name) {
  if (name == nullptr) return kRegInvalidParameter;
  std::lock_guard<std::mutex> lock(mutex_);
  Handle handle;
  RegStatus status = Resolve(key, kKeyQueryValue, &handle);
  if (status != kRegOk) return status;
  const SubstituteValues::Value* value = handle.node->values.At(index);
  if (value == nullptr) return kRegNoMoreItems;
  *name = value->name;
  return kRegOk;
}

RegStatus SubstituteRegistry::QueryValue(RegKey key, std::u16string_view name,
                                         std::uint32_t* type, std::uint8_t* data,
                                         std::uint32_t* size) {
  if (data != nullptr && size == nullptr) return kRegInvalidParameter;
  std::lock_guard<std::mutex> lock(mutex_);
  Handle handle;
  RegStatus status = Resolve(key, kKeyQueryValue, &handle);
  if (status != kRegOk) return status;
  const SubstituteValues::Value* value = handle.node->values.Find(FoldName(UpToNul(name)));
  if (value == nullptr) return kRegFileNotFound;
  auto needed = static_cast<std::uint32_t>(value->data.size());
  if (type != nullptr) *type = value->type;
  if (data != nullptr) {
    if (*size < needed) {
      *size = needed;
      return kRegMoreData;
    }
    if (needed != 0) std::memcpy(data, value->data.data(), needed);
  }
  if (size != nullptr) *size = needed;
  return kRegOk;
}

RegStatus SubstituteRegistry::SetValue(RegKey key, std::u16string_view name,
                                       std::uint32_t type, const std::uint8_t* data,
                                       std::uint32_t size) {
  if (data == nullptr && size != 0) return kRegInvalidParameter;
  std::lock_guard<std::mutex> lock(mutex_);
  Handle handle;
  RegStatus status = Resolve(key, kKeySetValue, &handle);
  if (status != kRegOk) return status;
  name = UpToNul(name);
  handle.node->values.Set(name, FoldName(name), type,
                          std::vector<std::uint8_t>(data, data + size));
  return kRegOk;
}

RegStatus SubstituteRegistry::DeleteValue(RegKey key, std::u16string_view name) {
  std::lock_guard<std::mutex> lock(mutex_);
  Handle handle;
  RegStatus status = Resolve(key, kKeySetValue, &handle);
  if (status != kRegOk) return status;
  return handle.node->values.Remove(FoldName(UpToNul(name))) ? kRegOk : kRegFileNotFound;
}

RegStatus SubstituteRegistry::DeleteKey(RegKey parent, std::u16string_view subkey) {
  std::lock_guard<std::mutex> lock(mutex_);
  Handle start;
  RegStatus status = Resolve(parent, 0, &start);
  if (status != kRegOk) return status;
  std::vector<std::u16string_view> parts;
  status = SplitSubkey(subkey, &parts);
  if (status != kRegOk) return status;
  std::shared_ptr<Node> node = start.node;
  for (auto part : parts) {
    auto child = node->children.find(FoldName(part));
    if (child == node->children.end()) return kRegFileNotFound;
    node = child->second;
  }
  // A root cannot be deleted, nor a key with subkeys or one that refuses deletion.
  if (node->parent == nullptr || !node->children.empty() || node->denyBeyondRead) {
    return kRegAccessDenied;
  }
  node->deleted = true;
  node->parent->children.erase(FoldName(node->name));
  node->parent->ChildrenChanged();
  return kRegOk;
}

bool SubstituteRegistry::SetDenyAccess(std::u16string_view fullPath, bool deny) {
  std::u16string rest;
  RegKey root = ParseRootOfPath(fullPath, &rest);
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = roots_.find(root);
  if (found == roots_.end()) return false;
  std::vector<std::u16string_view> parts;
  if (SplitSubkey(rest, &parts) != kRegOk || parts.empty()) return false;
  Node* node = found->second.get();
  for (auto part : parts) {
    auto child = node->children.find(FoldName(part));
    if (child == node->children.end()) return false;
    node = child->second.get();
  }
  node->denyBeyondRead = deny;
  return true;
}

std::size_t SubstituteRegistry::OpenHandleCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return handles_.size();
}

}  // namespace ovalin::platform::posix
