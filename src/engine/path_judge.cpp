#include "engine/path_judge.h"

#include "engine/text_utils.h"

namespace ovalin {

namespace {

constexpr int kCsidlWindows = 0x24;
constexpr int kCsidlSystem = 0x25;
constexpr int kCsidlSystemX86 = 0x29;

// Folders below System32 that the file-system redirector leaves alone.
constexpr std::u16string_view kNotRedirected[] = {u"catroot\\", u"catroot2\\",
                                                  u"driverstore\\", u"drivers\\etc\\",
                                                  u"logfiles\\", u"spool\\"};

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool StartsWithText(std::u16string_view text, std::u16string_view prefix) {
  return !prefix.empty() && text.size() >= prefix.size() &&
         StrSameText(text.substr(0, prefix.size()), prefix);
}

// Replaces every %name% (any case) by replacement.
std::u16string ReplaceVariable(std::u16string_view text, std::u16string_view name,
                               std::u16string_view replacement) {
  const std::u16string upperText = StrUpper(text);
  const std::u16string upperName = StrUpper(name);
  std::u16string result;
  std::size_t from = 0;
  for (std::size_t at = upperText.find(upperName); at != std::u16string::npos;
       at = upperText.find(upperName, from)) {
    result.append(text.substr(from, at - from));
    result.append(replacement);
    from = at + name.size();
  }
  result.append(text.substr(from));
  return result;
}

}  // namespace

RegView ViewOfKeyPath(std::u16string_view fullKeyPath) {
  constexpr std::u16string_view kNode = u"WOW6432Node";
  std::size_t start = 0;
  while (start <= fullKeyPath.size()) {
    std::size_t end = fullKeyPath.find(u'\\', start);
    if (end == std::u16string_view::npos) end = fullKeyPath.size();
    if (StrSameText(fullKeyPath.substr(start, end - start), kNode)) return RegView::kWow32;
    start = end + 1;
  }
  return RegView::kNative;
}

PathJudge::PathJudge(platform::FileSystem& files, platform::SystemServices& system)
    : files_(files), system_(system) {}

void PathJudge::Reset() {
  drives_.fill(std::nullopt);
  folders_.reset();
  answers_.Clear();
}

const PathJudge::SystemFolders& PathJudge::Folders() {
  if (folders_) return *folders_;
  SystemFolders folders;
  folders.system = PathAddBackslash(system_.SpecialFolder(kCsidlSystem));
  const std::u16string x86 = system_.SpecialFolder(kCsidlSystemX86);
  // On a 32-bit Windows both names give System32: there is no second view.
  if (!x86.empty() && folders.system.size() > 1 &&
      !StrSameText(PathAddBackslash(x86), folders.system)) {
    folders.systemX86 = PathAddBackslash(x86);
    const std::u16string windows = system_.SpecialFolder(kCsidlWindows);
    if (!windows.empty()) folders.sysnative = PathAddBackslash(windows) + u"Sysnative\\";
  }
  std::u16string expanded;
  folders.x86Variables = system_.ExpandEnvironment(u"%ProgramFiles(x86)%", &expanded) &&
                         !expanded.empty() && expanded != u"%ProgramFiles(x86)%";
  folders_ = std::move(folders);
  return *folders_;
}

platform::DriveKind PathJudge::KindOf(char16_t letter) {
  const char16_t upper = (letter >= u'a' && letter <= u'z')
                             ? static_cast<char16_t>(letter - u'a' + u'A')
                             : letter;
  if (upper < u'A' || upper > u'Z') return platform::DriveKind::kNoDrive;
  std::optional<platform::DriveKind>& known = drives_[upper - u'A'];
  if (!known) known = files_.DriveKindOf(upper);
  return *known;
}

std::u16string PathJudge::MapToView(std::u16string_view path, RegView view) {
  if (view != RegView::kWow32) return std::u16string(path);
  const SystemFolders& folders = Folders();
  if (folders.systemX86.empty()) return std::u16string(path);
  if (StartsWithText(path, folders.system)) {
    const std::u16string_view rest = path.substr(folders.system.size());
    for (std::u16string_view kept : kNotRedirected) {
      if (StartsWithText(rest, kept)) return std::u16string(path);
    }
    return folders.systemX86 + std::u16string(rest);
  }
  if (StartsWithText(path, folders.sysnative)) {
    return folders.system + std::u16string(path.substr(folders.sysnative.size()));
  }
  // The folder itself, without a trailing backslash.
  if (StrSameText(path, PathRemoveBackslash(folders.system))) {
    return PathRemoveBackslash(folders.systemX86);
  }
  return std::u16string(path);
}

std::u16string PathJudge::Expand(std::u16string_view text, RegView view) {
  if (view != RegView::kWow32 || !Folders().x86Variables ||
      text.find(u'%') == std::u16string_view::npos) {
    return ExpandEnvVars(system_, text);
  }
  std::u16string text32 = ReplaceVariable(text, u"%ProgramFiles%", u"%ProgramFiles(x86)%");
  text32 = ReplaceVariable(text32, u"%CommonProgramFiles%", u"%CommonProgramFiles(x86)%");
  return ExpandEnvVars(system_, text32);
}

platform::PathState PathJudge::Examine(std::u16string_view path, RegView view) {
  if (path.empty()) return platform::PathState::kAbsent;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return platform::PathState::kCannotTell;
  }
  const std::u16string mapped = MapToView(path, view);
  if (mapped.size() >= 2 && mapped[1] == u':') {
    const platform::DriveKind kind = KindOf(mapped[0]);
    if (kind != platform::DriveKind::kFixed && kind != platform::DriveKind::kRamDisk) {
      return platform::PathState::kCannotTell;
    }
  }
  return answers_.FindOrAsk(mapped, [&] { return files_.Examine(mapped); });
}

}  // namespace ovalin
