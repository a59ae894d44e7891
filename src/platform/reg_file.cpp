// Root names, applying parsed ".reg" operations, loading from the host, and export.
#include "platform/reg_file.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

#include "platform/reg_file_text.h"
#include "platform/utf8.h"

namespace ovalin::platform {
namespace {


struct RootName {
  std::u16string_view name;
  std::u16string_view abbreviation;
  RegKey root;
};

constexpr RootName kRoots[] = {
    {u"HKEY_CLASSES_ROOT", u"HKCR", kClassesRoot},
    {u"HKEY_LOCAL_MACHINE", u"HKLM", kLocalMachine},
    {u"HKEY_CURRENT_USER", u"HKCU", kCurrentUser},
    {u"HKEY_USERS", u"HKU", kUsers},
    {u"HKEY_CURRENT_CONFIG", u"HKCC", kCurrentConfig},
};

bool SameAsciiNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// Owns one open key of a Registry.
class ScopedKey {
 public:
  explicit ScopedKey(Registry& registry) : registry_(registry) {}
  ~ScopedKey() { Reset(); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  RegKey get() const { return key_; }
  RegKey* receive() {
    Reset();
    return &key_;
  }
  void Reset() {
    if (key_ != 0) registry_.CloseKey(key_);
    key_ = 0;
  }

 private:
  Registry& registry_;
  RegKey key_ = 0;
};

// Removes subkey below parent with every key below it, depth first.
RegStatus DeleteTree(Registry& registry, RegKey parent, std::u16string_view subkey) {
  {
    ScopedKey key(registry);
    RegStatus status = registry.OpenKey(parent, subkey, kKeyAllAccess, key.receive());
    if (status != kRegOk) return status;
    std::u16string child;
    while (registry.EnumKey(key.get(), 0, &child) == kRegOk) {
      status = DeleteTree(registry, key.get(), child);
      if (status != kRegOk) return status;
    }
  }
  return registry.DeleteKey(parent, subkey);
}

std::string ApplyProblem(const char* what, std::u16string_view keyPath,
                         std::u16string_view valueName, RegStatus status) {
  std::string problem = std::string(what) + " " + EncodeUtf8(keyPath);
  if (!valueName.empty()) problem += " value \"" + EncodeUtf8(valueName) + "\"";
  return problem + " (error " + std::to_string(status) + ")";
}

// ---- export ----------------------------------------------------------------------

// A quoted name or text; line breaks are escaped so that the line stays one line (the
// reader turns "\n" and "\r" back into them).
std::u16string Quoted(std::u16string_view text) {
  std::u16string out = u"\"";
  for (char16_t c : text) {
    if (c == u'\n') {
      out += u"\\n";
    } else if (c == u'\r') {
      out += u"\\r";
    } else {
      if (c == u'\\' || c == u'"') out += u'\\';
      out += c;
    }
  }
  return out + u"\"";
}

// Data that reads back identically from a quoted string: UTF-16 with exactly one NUL,
// at the end, and no line breaks.
bool IsPlainString(const std::vector<std::uint8_t>& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  std::u16string text = regfile::FromLittleEndian(data.data(), data.size());
  if (text.back() != u'\0') return false;
  text.pop_back();
  return text.find_first_of(std::u16string_view(u"\0\r\n", 3)) == std::u16string::npos;
}

std::u16string HexNumber(std::uint32_t value, int minDigits) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(out.size()) < minDigits) out.insert(out.begin(), u'0');
  return out;
}

// "name"=data as regedit writes it; hex lists wrap before about 80 columns with a
// backslash and go on indented by two spaces.
std::u16string ValueLine(std::u16string_view name, std::uint32_t type,
                         const std::vector<std::uint8_t>& data) {
  std::u16string line = name.empty() ? u"@=" : Quoted(name) + u"=";
  if (type == kRegSz && IsPlainString(data)) {
    std::u16string text = regfile::FromLittleEndian(data.data(), data.size() - 2);
    return line + Quoted(text);
  }
  if (type == kRegDword && data.size() == 4) {
    std::uint32_t number = data[0] | (data[1] << 8) | (data[2] << 16) |
                           (static_cast<std::uint32_t>(data[3]) << 24);
    return line + u"dword:" + HexNumber(number, 8);
  }
  line += type == kRegBinary ? u"hex:" : u"hex(" + HexNumber(type, 1) + u"):";
  constexpr std::size_t kWrapColumn = 77;
  std::size_t column = line.size();
  for (std::size_t i = 0; i < data.size(); ++i) {
    line += HexNumber(data[i], 2);
    if (i + 1 == data.size()) break;
    line += u',';
    column += 3;
    if (column >= kWrapColumn) {
      line += u"\\\r\n  ";
      column = 2;
    }
  }
  return line;
}

void ExportKey(Registry& registry, RegKey key, const std::u16string& fullPath,
               std::u16string* out) {
  *out += u"[" + fullPath + u"]\r\n";
  std::u16string name;
  for (std::uint32_t index = 0; registry.EnumValue(key, index, &name) == kRegOk; ++index) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry.QueryValue(key, name, &type, nullptr, &size) != kRegOk) continue;
    std::vector<std::uint8_t> data(size);
    if (registry.QueryValue(key, name, &type, data.data(), &size) != kRegOk) continue;
    data.resize(size);
    *out += ValueLine(name, type, data) + u"\r\n";
  }
  *out += u"\r\n";
  std::vector<std::u16string> children;
  for (std::uint32_t index = 0; registry.EnumKey(key, index, &name) == kRegOk; ++index) {
    children.push_back(name);
  }
  for (const auto& child : children) {
    ScopedKey childKey(registry);
    if (registry.OpenKey(key, child, kKeyRead, childKey.receive()) != kRegOk) continue;
    ExportKey(registry, childKey.get(), fullPath + u"\\" + child, out);
  }
}

}  // namespace

std::string RegFileError::Message() const {
  return file + ":" + std::to_string(line) + ": " + problem;
}

RegKey ParseRootOfPath(std::u16string_view fullPath, std::u16string* rest) {
  auto slash = fullPath.find(u'\\');
  std::u16string_view rootName = fullPath.substr(0, slash);
  if (rest != nullptr) {
    rest->assign(slash == std::u16string_view::npos ? std::u16string_view()
                                                    : fullPath.substr(slash + 1));
  }
  for (const auto& root : kRoots) {
    if (SameAsciiNoCase(rootName, root.name) || SameAsciiNoCase(rootName, root.abbreviation)) {
      return root.root;
    }
  }
  return 0;
}

std::u16string_view RegRootName(RegKey root) {
  for (const auto& entry : kRoots) {
    if (entry.root == root) return entry.name;
  }
  return {};
}

bool ApplyRegFile(Registry& registry, const std::vector<RegFileOperation>& operations,
                  RegFileError* error) {
  const auto fail = [&](std::string problem) {
    if (error != nullptr) *error = RegFileError{"", 0, std::move(problem)};
    return false;
  };
  // Consecutive values of one key share one open handle.
  ScopedKey open(registry);
  std::optional<std::u16string> openPath;
  for (const auto& operation : operations) {
    std::u16string subkey;
    RegKey root = ParseRootOfPath(operation.keyPath, &subkey);
    if (root == 0) return fail("unknown root key " + EncodeUtf8(operation.keyPath));
    RegStatus status = kRegOk;
    switch (operation.kind) {
      case RegFileOperation::Kind::kCreateKey:
      case RegFileOperation::Kind::kSetValue:
        if (openPath != operation.keyPath) {
          openPath.reset();
          status = registry.CreateKey(root, subkey, kKeyAllAccess, open.receive());
          if (status != kRegOk) {
            return fail(ApplyProblem("cannot create key", operation.keyPath, u"", status));
          }
          openPath = operation.keyPath;
        }
        if (operation.kind == RegFileOperation::Kind::kSetValue) {
          status = registry.SetValue(open.get(), operation.valueName, operation.type,
                                     operation.data.data(),
                                     static_cast<std::uint32_t>(operation.data.size()));
          if (status != kRegOk) {
            return fail(ApplyProblem("cannot write", operation.keyPath, operation.valueName,
                                     status));
          }
        }
        break;
      case RegFileOperation::Kind::kDeleteKey:
        open.Reset();
        openPath.reset();
        status = DeleteTree(registry, root, subkey);
        if (status != kRegOk && status != kRegFileNotFound) {
          return fail(ApplyProblem("cannot delete key", operation.keyPath, u"", status));
        }
        break;
      case RegFileOperation::Kind::kDeleteValue:
        if (openPath != operation.keyPath) {
          openPath.reset();
          status = registry.OpenKey(root, subkey, kKeyAllAccess, open.receive());
          if (status == kRegFileNotFound) break;
          if (status != kRegOk) {
            return fail(ApplyProblem("cannot open key", operation.keyPath, u"", status));
          }
          openPath = operation.keyPath;
        }
        status = registry.DeleteValue(open.get(), operation.valueName);
        if (status != kRegOk && status != kRegFileNotFound) {
          return fail(ApplyProblem("cannot delete", operation.keyPath, operation.valueName,
                                   status));
        }
        break;
    }
  }
  return true;
}

bool LoadRegFile(Registry& registry, const std::string& hostPath, RegFileError* error) {
  std::ifstream file(hostPath, std::ios::binary);
  if (!file) {
    if (error != nullptr) *error = RegFileError{hostPath, 0, "cannot open the file"};
    return false;
  }
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<RegFileOperation> operations;
  if (!ParseRegFile(bytes, hostPath, &operations, error)) return false;
  if (!ApplyRegFile(registry, operations, error)) {
    if (error != nullptr) error->file = hostPath;
    return false;
  }
  return true;
}

std::string ExportRegFile(Registry& registry, const std::vector<std::u16string>& keyPaths) {
  std::u16string text = u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n";
  for (const auto& keyPath : keyPaths) {
    std::u16string subkey;
    RegKey root = ParseRootOfPath(keyPath, &subkey);
    if (root == 0) continue;
    while (!subkey.empty() && subkey.back() == u'\\') subkey.pop_back();
    ScopedKey key(registry);
    if (registry.OpenKey(root, subkey, kKeyRead, key.receive()) != kRegOk) continue;
    std::u16string fullPath(RegRootName(root));
    if (!subkey.empty()) fullPath += u"\\" + subkey;
    ExportKey(registry, key.get(), fullPath, &text);
  }
  std::vector<std::uint8_t> bytes = regfile::ToLittleEndian(text);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace ovalin::platform
