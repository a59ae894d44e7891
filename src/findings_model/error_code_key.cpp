#include "findings_model/error_code_key.h"

namespace ovalin {

namespace {

// One run of consecutive codes named by consecutive keys.
struct CodeRun {
  std::uint32_t firstCode;
  std::uint32_t lastCode;
  int firstKey;
};

constexpr CodeRun kRuns[] = {
    {0, 2, 0},       // general
    {32, 41, 3},     // Invalid ... (COM)
    {48, 70, 13},    // Invalid ...
    {72, 75, 36},    // Invalid ...
    {96, 127, 40},   // Null ...
};

}  // namespace

int ErrorCodeKeyNumber(std::uint32_t errorCode) {
  const std::uint32_t code = errorCode & 0x7F;
  for (const CodeRun& run : kRuns) {
    if (code >= run.firstCode && code <= run.lastCode) {
      return run.firstKey + static_cast<int>(code - run.firstCode);
    }
  }
  return -1;
}

}  // namespace ovalin
