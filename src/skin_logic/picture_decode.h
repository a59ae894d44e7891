// PNG and JPEG pictures decoded into 32-bit premultiplied BGRA, top row first, the form
// AlphaBlend draws. Pictures come from resources and from files a user can replace, so
// the decoders treat their input as untrusted: a corrupt, truncated or oversized picture
// gives an empty picture, never a crash or a half-drawn one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ovalin::controls {

struct TPixels {
  int width = 0;
  int height = 0;
  // width * height pixels, each 0xAARRGGBB in memory order B, G, R, A; premultiplied.
  std::vector<std::uint32_t> bgra;
  bool Empty() const { return width < 1 || height < 1; }
};

// Larger pictures are refused (the skin's largest is the 780 x 585 background).
constexpr int kMaxPictureSide = 8192;
constexpr long long kMaxPicturePixels = 16LL * 1024 * 1024;

TPixels DecodePng(const std::uint8_t* data, std::size_t size);
TPixels DecodeJpeg(const std::uint8_t* data, std::size_t size);
// By signature: PNG or JPEG; anything else is empty.
TPixels DecodePicture(const std::uint8_t* data, std::size_t size);

bool IsAcceptablePictureSize(long long width, long long height);

}  // namespace ovalin::controls
