// Counts a recorded scan's operations by kind, and how many of each kind repeat an
// earlier operation of that kind on the same thing: registry operations compare the
// key's full path (resolved from the opens in the log; an unresolved handle compares as
// itself) with the subkey, value name or index; file tests compare the path. Letter case
// is ignored, as Windows ignores it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "operation_recorder.h"

namespace ovalin::bench {

constexpr std::size_t kOperationKinds = 9;

struct KindCount {
  std::uint64_t total = 0;
  std::uint64_t repeats = 0;
  // Enumerations: calls with index 0, one per listing, each listing ending with one call
  // past the last name.
  std::uint64_t listings = 0;
};

struct OperationBreakdown {
  std::array<KindCount, kOperationKinds> kinds{};
  std::uint64_t total = 0;
  std::uint64_t unresolvedHandles = 0;  // operations on a handle no open in the log gave
  // Opens of a key path opened before (with any access), by the shape of the path: the
  // components holding a digit (ids, numbered names) become "*". Most frequent first.
  std::uint64_t reopenedPaths = 0;
  std::vector<std::pair<std::string, std::uint64_t>> reopenedShapes;
};

// reopenedShapes keeps the `shapes` most frequent.
OperationBreakdown BreakDown(const std::vector<RecordedOperation>& log, std::size_t shapes = 10);

const char* KindName(RecordedOperation::Kind kind);

}  // namespace ovalin::bench
