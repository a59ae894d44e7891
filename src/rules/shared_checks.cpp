#include "rules/shared_checks.h"

#include <memory>
#include <vector>

#include "engine/text_utils.h"

namespace ovalin {

namespace {

constexpr std::size_t kMaxPath = 260;

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool IsOneOf(char16_t c, std::u16string_view set) {
  return set.find(c) != std::u16string_view::npos;
}

struct CodeRange {
  char16_t first;
  char16_t last;
};

// Number characters (decimal digits, letter numbers, other numbers) of the Basic
// Multilingual Plane that a registry name may plausibly hold.
constexpr CodeRange kNumberRanges[] = {
    {0x0030, 0x0039}, {0x00B2, 0x00B3}, {0x00B9, 0x00B9}, {0x00BC, 0x00BE},
    {0x0660, 0x0669}, {0x06F0, 0x06F9}, {0x07C0, 0x07C9}, {0x0966, 0x096F},
    {0x09E6, 0x09EF}, {0x09F4, 0x09F9}, {0x0A66, 0x0A6F}, {0x0AE6, 0x0AEF},
    {0x0B66, 0x0B6F}, {0x0BE6, 0x0BF2}, {0x0C66, 0x0C6F}, {0x0CE6, 0x0CEF},
    {0x0D66, 0x0D6F}, {0x0DE6, 0x0DEF}, {0x0E50, 0x0E59}, {0x0ED0, 0x0ED9},
    {0x0F20, 0x0F33}, {0x1040, 0x1049}, {0x1090, 0x1099}, {0x1369, 0x137C},
    {0x16EE, 0x16F0}, {0x17E0, 0x17E9}, {0x1810, 0x1819}, {0x1946, 0x194F},
    {0x19D0, 0x19DA}, {0x1A80, 0x1A89}, {0x1A90, 0x1A99}, {0x1B50, 0x1B59},
    {0x1BB0, 0x1BB9}, {0x1C40, 0x1C49}, {0x1C50, 0x1C59}, {0x2070, 0x2070},
    {0x2074, 0x2079}, {0x2080, 0x2089}, {0x2150, 0x2182}, {0x2185, 0x2189},
    {0x2460, 0x249B}, {0x24EA, 0x24FF}, {0x2776, 0x2793}, {0x2CFD, 0x2CFD},
    {0x3007, 0x3007}, {0x3021, 0x3029}, {0x3038, 0x303A}, {0x3192, 0x3195},
    {0x3220, 0x3229}, {0x3248, 0x324F}, {0x3251, 0x325F}, {0x3280, 0x3289},
    {0x32B1, 0x32BF}, {0xA620, 0xA629}, {0xA6E6, 0xA6EF}, {0xA830, 0xA835},
    {0xA8D0, 0xA8D9}, {0xA900, 0xA909}, {0xA9D0, 0xA9D9}, {0xA9F0, 0xA9F9},
    {0xAA50, 0xAA59}, {0xABF0, 0xABF9}, {0xFF10, 0xFF19},
};

bool IsNumberChar(char16_t c) {
  for (const CodeRange& range : kNumberRanges) {
    if (c >= range.first && c <= range.last) return true;
  }
  return false;
}

// The three-way answer for a path that must name a file.
PathVerdict FileVerdict(PathJudge& judge, std::u16string_view path, RegView view) {
  switch (judge.Examine(path, view)) {
    case platform::PathState::kFile: return PathVerdict::kPresent;
    case platform::PathState::kCannotTell: return PathVerdict::kCannotTell;
    case platform::PathState::kFolder:
    case platform::PathState::kAbsent: break;
  }
  return PathVerdict::kAbsent;
}

// The other copy of an area that 64-bit Windows keeps once per view; empty for the
// areas both kinds of program share.
std::u16string OtherViewOfArea(std::u16string_view areaPath) {
  constexpr std::u16string_view kRoot = u"HKEY_CLASSES_ROOT\\";
  constexpr std::u16string_view kNode = u"WOW6432Node\\";
  constexpr std::u16string_view kRedirected[] = {u"CLSID", u"Interface"};
  if (areaPath.size() < kRoot.size() || !StrSameText(areaPath.substr(0, kRoot.size()), kRoot)) {
    return {};
  }
  std::u16string_view rest = areaPath.substr(kRoot.size());
  const bool inNode =
      rest.size() > kNode.size() && StrSameText(rest.substr(0, kNode.size()), kNode);
  if (inNode) rest = rest.substr(kNode.size());
  for (std::u16string_view redirected : kRedirected) {
    if (!StrSameText(rest, redirected)) continue;
    return std::u16string(kRoot) + (inNode ? u"" : std::u16string(kNode)) +
           std::u16string(rest);
  }
  return {};
}

bool KeyExistsInArea(platform::Registry& registry, std::u16string_view areaPath,
                     std::u16string_view keyName) {
  const SplitPath area = SplitRegPath(areaPath);
  if (area.root == 0) return false;
  const std::u16string keyPath =
      PathRemoveBackslash(PathAddBackslash(area.subKey) + std::u16string(keyName));
  RegAccess access(registry);
  access.SetRootKey(area.root);
  return access.KeyExists(keyPath);
}

// The shared body of the two default-value checks; accept judges the expanded text and
// says what it looked for when it rejects it.
template <typename Accept>
void CheckDefaultValue(TRCRegCleaner& cleaner, RegAccess& key, std::uint32_t code,
                       int percent, std::u16string_view title, std::u16string_view path,
                       std::uint32_t scanType, Accept accept) {
  // One read of the default value: a key without one (an empty key included) is in
  // order.
  auto item = MakeRecord(scanType, title, path);
  RegDataType type = RegDataType::kUnknown;
  std::uint32_t size = 0;
  std::u16string text;
  if (!key.ReadTyped(u"", &type, &size, &text) || size == 0) {
    cleaner.AddFinding(std::move(item), percent);
    return;
  }
  FindingReason reason{ReasonKind::kNotText, {}};
  if (IsStringClass(type)) {
    const RegView view = ViewOfKeyPath(path);
    item->Value = cleaner.Paths().Expand(text, view);
    reason = item->Value.empty() ? FindingReason{ReasonKind::kEmptyValue, {}}
                                 : accept(item->Value, view);
  }
  if (reason.kind != ReasonKind::kNone) {
    item->ScannedCode = scanType | mtDeleteValue | code;
    item->Reason = std::move(reason);
  }
  cleaner.AddFinding(std::move(item), percent);
}

// Judges the string values of one key for ScanValuePaths.
void JudgeValuePaths(TRCRegCleaner& cleaner, RegAccess& key, std::u16string_view keyPath,
                     int percent, std::u16string_view title, std::uint32_t scanType) {
  PathJudge& judge = cleaner.Paths();
  const RegView view = ViewOfKeyPath(keyPath);
  for (const std::u16string& name : key.GetValueNames()) {
    std::u16string raw;
    if (!ReadIfString(key, name, &raw)) continue;
    auto item = MakeRecord(scanType, title, keyPath, name, judge.Expand(raw, view));
    const std::u16string& text = item->Value;
    const bool drivePath =
        text.size() >= 3 && IsAsciiLetter(text[0]) && text[1] == u':' && text[2] == u'\\';
    if (drivePath && PathIsMissing(judge, text, view)) {
      item->ScannedCode = scanType | mtBlankValue | ecInvalidFilesAndPaths;
      item->Reason = {ReasonKind::kFileNotFound, text};
    }
    cleaner.AddFinding(std::move(item), percent);
  }
}

}  // namespace

std::vector<ViewKey> OpenInEachView(platform::Registry& registry,
                                    std::u16string_view relativePath) {
  std::vector<ViewKey> keys;
  for (std::u16string_view software : kMachineSoftwareKeys) {
    const std::u16string subKey = std::u16string(software) + u"\\" + std::u16string(relativePath);
    auto key = std::make_unique<RegAccess>(registry);
    if (!OpenRootKey(*key, platform::kLocalMachine, subKey)) continue;
    std::u16string path = u"HKEY_LOCAL_MACHINE\\" + subKey;
    const RegView view = ViewOfKeyPath(path);
    keys.push_back(ViewKey{std::move(key), std::move(path), view});
  }
  return keys;
}

bool StopRequested(TRCRegCleaner& cleaner) {
  if (cleaner.ForceBroken()) return true;
  if (cleaner.Pause()) {
    cleaner.WaitWhilePaused();
    // A stop while paused releases the pause first; do not judge one more entry then.
    return cleaner.ForceBroken();
  }
  return false;
}

int ProgressPercent(int start, int span, long long done, long long total) {
  if (total <= 0) return start;
  return start + static_cast<int>(static_cast<long long>(span) * done / total);
}

std::unique_ptr<TRCScannedItem> MakeRecord(std::uint32_t code, std::u16string_view title,
                                           std::u16string_view path,
                                           std::u16string_view valueName,
                                           std::u16string_view value) {
  auto item = std::make_unique<TRCScannedItem>();
  item->ScannedCode = code;
  item->Title = title;
  item->Path = path;
  item->ValueName = valueName;
  item->Value = value;
  return item;
}

std::unique_ptr<TRCScannedItem> WithReason(std::unique_ptr<TRCScannedItem> item,
                                           ReasonKind kind, std::u16string_view subject) {
  if (ErrorCodeOf(item->ScannedCode) != 0) item->Reason = {kind, std::u16string(subject)};
  return item;
}

bool OpenSubKey(RegAccess& child, const RegAccess& parent, std::u16string_view name) {
  if (parent.CurrentKey() == 0) return false;
  child.SetRootKey(parent.CurrentKey());
  return child.OpenKey(name, false);
}

bool OpenRootKey(RegAccess& key, platform::RegKey root, std::u16string_view path) {
  key.SetRootKey(root);
  return key.OpenKey(path, false);
}

bool IsStringClass(RegDataType type) {
  return type == RegDataType::kString || type == RegDataType::kExpandString;
}

std::u16string GetSpecialFolder(platform::SystemServices& system, int csidl) {
  return PathAddBackslash(system.SpecialFolder(csidl));
}

bool IsIndirectString(std::u16string_view text) {
  return text.size() >= 2 && text[0] == u'@' && text[1] == u'{';
}

PathVerdict JudgePath(PathJudge& judge, std::u16string_view text, RegView view) {
  if (text.empty()) return PathVerdict::kAbsent;
  std::u16string s = StrTrimChars(text, u" ");
  if (s.empty()) return PathVerdict::kAbsent;
  if (IsIndirectString(s)) return PathVerdict::kCannotTell;

  // A UNC or device path is never probed, whatever follows it.
  if (s.size() >= 2 && IsOneOf(s[0], u"\\/") && IsOneOf(s[1], u"\\/")) {
    return PathVerdict::kCannotTell;
  }
  // A text with a character no file name may hold (a quoted command line, a wildcard)
  // names nothing as a whole: only its parts are asked about.
  const bool nameable = s.find_first_of(u"\"<>|*?") == std::u16string::npos;
  const platform::PathState state =
      nameable ? judge.Examine(s, view) : platform::PathState::kAbsent;
  if (state == platform::PathState::kFile) return PathVerdict::kPresent;
  if (state == platform::PathState::kFolder && s.size() <= kMaxPath) {
    return PathVerdict::kPresent;
  }
  bool unsure = state == platform::PathState::kCannotTell;
  if (s == u"\\") return PathVerdict::kPresent;
  if (IsOneOf(s[0], u"/\\?<>|*:")) return PathVerdict::kAbsent;

  if (s[0] == u'"') {
    const std::size_t close = s.find(u'"', 1);
    if (close == std::u16string::npos) return PathVerdict::kAbsent;
    const std::u16string_view quoted = std::u16string_view(s).substr(1, close - 1);
    if (quoted.empty()) return PathVerdict::kAbsent;
    return FileVerdict(judge, quoted, view);
  }

  if (s.size() == 1) return PathVerdict::kPresent;
  if (s[1] == u':' && !IsAsciiLetter(s[0])) return PathVerdict::kAbsent;
  if (s.size() > kMaxPath) s.resize(kMaxPath - 1);

  bool separatorSeen = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (IsOneOf(c, u" ,;/\\")) separatorSeen = true;
    if (IsOneOf(c, u"?|/><*\"") || (c == u':' && i != 1)) {
      if (!separatorSeen) return PathVerdict::kAbsent;
      s.resize(i);
      break;
    }
  }

  if (s.size() >= 2 && s[1] != u':') return PathVerdict::kPresent;

  for (std::size_t i = 0; i < s.size(); ++i) {
    if (!IsOneOf(s[i], u" ,;\\/")) continue;
    if (i == 0) return PathVerdict::kAbsent;
    const PathVerdict prefix = FileVerdict(judge, std::u16string_view(s).substr(0, i), view);
    if (prefix == PathVerdict::kPresent) return PathVerdict::kPresent;
    unsure |= prefix == PathVerdict::kCannotTell;
  }
  return unsure ? PathVerdict::kCannotTell : PathVerdict::kAbsent;
}

bool PathIsMissing(PathJudge& judge, std::u16string_view text, RegView view) {
  return JudgePath(judge, text, view) == PathVerdict::kAbsent;
}

bool ProvedNotFile(PathJudge& judge, std::u16string_view path, RegView view) {
  const platform::PathState state = judge.Examine(path, view);
  return state == platform::PathState::kAbsent || state == platform::PathState::kFolder;
}

bool ProvedNotFolder(PathJudge& judge, std::u16string_view path, RegView view) {
  const platform::PathState state = judge.Examine(path, view);
  return state == platform::PathState::kAbsent || state == platform::PathState::kFile;
}

bool KeyExistsUnder(platform::Registry& registry, std::u16string_view areaPath,
                    std::u16string_view keyName) {
  if (areaPath.empty()) return false;
  if (KeyExistsInArea(registry, areaPath, keyName)) return true;
  const std::u16string other = OtherViewOfArea(areaPath);
  return !other.empty() && KeyExistsInArea(registry, other, keyName);
}

bool KeyExistsUnder(TRCRegCleaner& cleaner, std::u16string_view areaPath,
                    std::u16string_view keyName) {
  const std::u16string question = std::u16string(areaPath) + u"\\" + std::u16string(keyName);
  return cleaner.KnownKeys().FindOrAsk(question, [&] {
    return KeyExistsUnder(cleaner.Platform().registry, areaPath, keyName);
  });
}

bool IsNumericName(std::u16string_view text) {
  const std::u16string trimmed = StrTrimChars(text, u" ");
  if (trimmed.empty()) return false;
  for (char16_t c : trimmed) {
    if (!IsNumberChar(c)) return false;
  }
  return true;
}

bool ReadIfString(RegAccess& key, std::u16string_view valueName, std::u16string* text) {
  RegDataType type = RegDataType::kUnknown;
  std::uint32_t size = 0;
  if (!key.ReadTyped(valueName, &type, &size, text) || !IsStringClass(type)) {
    text->clear();
    return false;
  }
  return true;
}

bool ReadStringValue(RegAccess& key, std::u16string_view valueName, std::u16string* text) {
  RegDataType type = RegDataType::kUnknown;
  std::uint32_t size = 0;
  if (!key.ReadTyped(valueName, &type, &size, text) || size == 0 || !IsStringClass(type)) {
    text->clear();
    return false;
  }
  return true;
}

void CheckDefaultValuePath(TRCRegCleaner& cleaner, RegAccess& key, std::uint32_t code,
                           int percent, std::u16string_view title, std::u16string_view path,
                           std::uint32_t scanType) {
  PathJudge& judge = cleaner.Paths();
  CheckDefaultValue(cleaner, key, code, percent, title, path, scanType,
                    [&judge](const std::u16string& text, RegView view) {
                      return PathIsMissing(judge, text, view)
                                 ? FindingReason{ReasonKind::kFileNotFound, text}
                                 : FindingReason{};
                    });
}

void CheckDefaultValueReference(TRCRegCleaner& cleaner, RegAccess& key,
                                std::u16string_view areaPath, std::uint32_t code, int percent,
                                std::u16string_view title, std::u16string_view path,
                                std::uint32_t scanType) {
  CheckDefaultValue(cleaner, key, code, percent, title, path, scanType,
                    [&cleaner, areaPath](const std::u16string& text, RegView) {
                      return KeyExistsUnder(cleaner, areaPath, text)
                                 ? FindingReason{}
                                 : FindingReason{ReasonKind::kKeyNotFound,
                                                 std::u16string(areaPath) + u"\\" + text};
                    });
}

void ScanValuePaths(TRCRegCleaner& cleaner, const RegAccess& parent,
                    std::u16string_view subKeyName, std::u16string_view parentPath,
                    int percent, std::u16string_view title, std::uint32_t scanType) {
  // Depth first, values of a key before the keys below it, walked with an explicit
  // stack so that a deep tree cannot exhaust the thread's stack.
  struct Level {
    std::unique_ptr<RegAccess> key;
    std::u16string path;  // full path of this key, with a trailing backslash
    std::vector<std::u16string> children;
    std::size_t next = 0;
  };
  platform::Registry& registry = cleaner.Platform().registry;

  auto open = [&](const RegAccess& from, std::u16string_view name,
                  std::u16string_view fromPath) -> std::unique_ptr<Level> {
    auto level = std::make_unique<Level>();
    level->key = std::make_unique<RegAccess>(registry);
    if (!OpenSubKey(*level->key, from, name)) return nullptr;
    // The key's counts first: the listings below then ask for exactly that many names,
    // and none at all where there are none.
    RegKeyInfo info;
    level->key->GetKeyInfo(&info);
    const std::u16string keyPath = std::u16string(fromPath) + std::u16string(name);
    JudgeValuePaths(cleaner, *level->key, keyPath, percent, title, scanType);
    level->path = PathAddBackslash(keyPath);
    level->children = level->key->GetKeyNames();
    return level;
  };

  std::vector<std::unique_ptr<Level>> stack;
  if (auto first = open(parent, subKeyName, PathAddBackslash(parentPath))) {
    stack.push_back(std::move(first));
  }
  while (!stack.empty()) {
    Level& top = *stack.back();
    if (top.next >= top.children.size()) {
      stack.pop_back();
      continue;
    }
    const std::u16string& child = top.children[top.next++];
    if (auto level = open(*top.key, child, top.path)) stack.push_back(std::move(level));
  }
}

void ReportKeyFinding(TRCRegCleaner& cleaner, std::u16string_view title, int percent,
                      std::uint32_t code, std::uint32_t scanType, std::u16string_view path) {
  cleaner.AddFinding(
      WithReason(MakeRecord(scanType | mtDeleteEmptyKey | code, title, PathRemoveBackslash(path)),
                 ReasonKind::kEmptyKey),
      percent);
}

}  // namespace ovalin
