// The language key of a finding's error code: the keys STR_ZUNRCForm_ErrorCode0 to
// STR_ZUNRCForm_ErrorCode71 are numbered in order, while the codes they describe run in
// three groups with gaps (0 to 2, 32 to 75, 96 to 127).
#pragma once

#include <cstdint>

namespace ovalin {

// The number n of the key STR_ZUNRCForm_ErrorCode<n> that names errorCode (bit 7 and the
// bits above the code byte are ignored), or -1 when no key names it.
int ErrorCodeKeyNumber(std::uint32_t errorCode);

}  // namespace ovalin
