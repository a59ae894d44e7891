// libFuzzer entry over the picture decoders: any input must give either an empty
// picture or a complete one, never a crash, a hang or a read outside the input.
#include <cstddef>
#include <cstdint>

#include "skin_logic/picture_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ovalin::controls;
  const TPixels pictures[] = {DecodePicture(data, size), DecodePng(data, size), DecodeJpeg(data, size)};
  for (const TPixels& p : pictures) {
    if (!p.Empty() && p.bgra.size() != static_cast<std::size_t>(p.width) * p.height) __builtin_trap();
  }
  return 0;
}
