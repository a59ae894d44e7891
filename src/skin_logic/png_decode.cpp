// PNG through libpng's simplified reader, which reports every libpng error as a false
// result instead of jumping out of our code.
#include <png.h>

#include "skin_logic/picture_decode.h"

namespace ovalin::controls {

namespace {

// png_image owns libpng's read state until png_image_free.
class PngImage {
 public:
  PngImage() {
    image_ = {};
    image_.version = PNG_IMAGE_VERSION;
  }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* get() { return &image_; }

 private:
  png_image image_;
};

std::uint32_t Premultiply(std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
  auto mul = [a](std::uint8_t c) { return static_cast<std::uint32_t>((c * a + 127) / 255); };
  return mul(b) | (mul(g) << 8) | (mul(r) << 16) | (static_cast<std::uint32_t>(a) << 24);
}

}  // namespace

TPixels DecodePng(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size == 0) return {};
  PngImage image;
  if (!png_image_begin_read_from_memory(image.get(), data, size)) return {};
  if (!IsAcceptablePictureSize(image.get()->width, image.get()->height)) return {};
  image.get()->format = PNG_FORMAT_BGRA;
  const int width = static_cast<int>(image.get()->width);
  const int height = static_cast<int>(image.get()->height);
  std::vector<std::uint8_t> raw(static_cast<std::size_t>(width) * height * 4);
  if (!png_image_finish_read(image.get(), nullptr, raw.data(), width * 4, nullptr)) return {};
  // A damaged but readable stream (for example a bad CRC in an ancillary chunk) only warns;
  // the picture is kept then, as the pixels themselves decoded completely.
  TPixels out;
  out.width = width;
  out.height = height;
  out.bgra.resize(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < out.bgra.size(); ++i) {
    const std::uint8_t* p = &raw[i * 4];
    out.bgra[i] = Premultiply(p[0], p[1], p[2], p[3]);
  }
  return out;
}

}  // namespace ovalin::controls
