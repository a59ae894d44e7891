#include "skin_logic/picture_decode.h"

#include <cstring>

namespace ovalin::controls {

bool IsAcceptablePictureSize(long long width, long long height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

TPixels DecodePicture(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (data == nullptr) return {};
  if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0) return DecodePng(data, size);
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return DecodeJpeg(data, size);
  return {};
}

}  // namespace ovalin::controls
