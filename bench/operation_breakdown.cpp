#include "operation_breakdown.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace ovalin::bench {

namespace {

using Kind = RecordedOperation::Kind;

std::u16string Folded(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return folded;
}

std::u16string Number(std::uint64_t n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

// Full key paths of the handles the log has opened and not closed yet.
class HandlePaths {
 public:
  // The path of a handle; false when no open in the log gave it (nor is it a root).
  bool PathOf(platform::RegKey key, std::u16string* path) const {
    if (platform::IsPredefinedRoot(key)) {
      *path = u"root" + Number(key);
      return true;
    }
    const auto found = paths_.find(key);
    if (found == paths_.end()) {
      *path = u"handle" + Number(key);
      return false;
    }
    *path = found->second;
    return true;
  }
  void Opened(platform::RegKey key, std::u16string path) { paths_[key] = std::move(path); }
  void Closed(platform::RegKey key) { paths_.erase(key); }

 private:
  std::unordered_map<platform::RegKey, std::u16string> paths_;
};

// The path with every component that holds a digit replaced by "*", as ASCII.
std::string ShapeOf(std::u16string_view path) {
  std::string shape;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    const std::u16string_view part = path.substr(start, end - start);
    if (!shape.empty()) shape += '\\';
    if (start == 0 || part.find_first_of(u"0123456789") == std::u16string_view::npos) {
      for (char16_t c : part) shape += c < 0x80 ? static_cast<char>(c) : '?';
    } else {
      shape += '*';
    }
    start = end + 1;
  }
  return shape;
}

}  // namespace

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kOpen: return "open key";
    case Kind::kClose: return "close key";
    case Kind::kQueryInfo: return "query key info";
    case Kind::kEnumKey: return "enumerate subkey";
    case Kind::kEnumValue: return "enumerate value";
    case Kind::kQueryValue: return "query value";
    case Kind::kProbe: return "probe file";
    case Kind::kExamine: return "examine path";
    case Kind::kDriveKind: return "drive kind";
  }
  return "?";
}

OperationBreakdown BreakDown(const std::vector<RecordedOperation>& log, std::size_t shapes) {
  OperationBreakdown breakdown;
  std::unordered_set<std::size_t> openedPaths;
  std::unordered_map<std::string, std::uint64_t> reopened;
  HandlePaths handles;
  // Per kind, the hashes of the operations seen; 64 bits keep a million-key scan's
  // operations in memory, and a collision is negligibly rare.
  std::array<std::unordered_set<std::size_t>, kOperationKinds> seen;
  const std::hash<std::u16string> hash;
  for (const RecordedOperation& op : log) {
    std::u16string path;
    const bool resolved = op.kind == Kind::kProbe || op.kind == Kind::kExamine ||
                          op.kind == Kind::kDriveKind || handles.PathOf(op.key, &path);
    if (!resolved) ++breakdown.unresolvedHandles;
    std::u16string what;
    switch (op.kind) {
      case Kind::kOpen: {
        std::u16string opened = path;
        if (!op.text.empty()) opened += u"\\" + Folded(op.text);
        what = opened + u"|" + Number(op.number);
        if (resolved && !openedPaths.insert(hash(opened)).second) {
          ++breakdown.reopenedPaths;
          ++reopened[ShapeOf(opened)];
        }
        if (op.result != 0) handles.Opened(op.result, std::move(opened));
        break;
      }
      case Kind::kClose:
        what = path;
        handles.Closed(op.key);
        break;
      case Kind::kQueryInfo: what = path; break;
      case Kind::kEnumKey:
      case Kind::kEnumValue:
        what = path + u"|" + Number(op.number);
        if (op.number == 0) ++breakdown.kinds[static_cast<std::size_t>(op.kind)].listings;
        break;
      case Kind::kQueryValue:
        what = path + u"|" + Folded(op.text) + (op.withData ? u"|data" : u"|size");
        break;
      case Kind::kProbe:
      case Kind::kExamine: what = Folded(op.text); break;
      case Kind::kDriveKind: what = Number(op.number); break;
    }
    const auto index = static_cast<std::size_t>(op.kind);
    KindCount& count = breakdown.kinds[index];
    ++count.total;
    ++breakdown.total;
    if (!seen[index].insert(hash(what)).second) ++count.repeats;
  }
  breakdown.reopenedShapes.assign(reopened.begin(), reopened.end());
  std::sort(breakdown.reopenedShapes.begin(), breakdown.reopenedShapes.end(),
            [](const auto& a, const auto& b) { return a.second > b.second; });
  if (breakdown.reopenedShapes.size() > shapes) breakdown.reopenedShapes.resize(shapes);
  return breakdown;
}

}  // namespace ovalin::bench
