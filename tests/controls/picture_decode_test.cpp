#include "skin_logic/picture_decode.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ovalin::controls {
namespace {

std::vector<std::uint8_t> ReadFixture(const std::string& name) {
  std::ifstream in(std::string(OVALIN_FIXTURES_DIR) + "/pictures/" + name, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TPixels Decode(const std::vector<std::uint8_t>& bytes) { return DecodePicture(bytes.data(), bytes.size()); }

TEST(PictureDecode, PngIsPremultipliedBgra) {
  const TPixels p = Decode(ReadFixture("half_red.png"));
  ASSERT_EQ(p.width, 4);
  ASSERT_EQ(p.height, 3);
  ASSERT_EQ(p.bgra.size(), 12u);
  const std::uint32_t alpha = p.bgra[0] >> 24;
  EXPECT_NEAR(static_cast<int>(alpha), 128, 1);
  EXPECT_EQ((p.bgra[0] >> 16) & 0xFF, alpha);  // red 255 premultiplied is alpha
  EXPECT_EQ(p.bgra[0] & 0xFFFF, 0u);

  const TPixels rgb = Decode(ReadFixture("opaque_rgb.png"));
  ASSERT_EQ(rgb.width, 2);
  EXPECT_EQ(rgb.bgra[3], 0xFF0080FFu);
}

TEST(PictureDecode, JpegColourAndGreyAreOpaque) {
  const TPixels blue = Decode(ReadFixture("blue.jpg"));
  ASSERT_EQ(blue.width, 16);
  ASSERT_EQ(blue.height, 8);
  EXPECT_EQ(blue.bgra[0] >> 24, 0xFFu);
  EXPECT_GT(blue.bgra[0] & 0xFF, 0xF0u);
  EXPECT_LT((blue.bgra[0] >> 16) & 0xFF, 0x10u);

  const TPixels grey = Decode(ReadFixture("gray.jpg"));
  ASSERT_EQ(grey.width, 16);
  const std::uint32_t px = grey.bgra[5];
  EXPECT_EQ(px & 0xFF, (px >> 8) & 0xFF);
  EXPECT_EQ(px & 0xFF, (px >> 16) & 0xFF);
}

// Cut anywhere up to the last byte of the image data. (A PNG that lacks only its final
// IEND chunk still holds the whole picture and is accepted.)
TEST(PictureDecode, TruncatedPicturesAreEmpty) {
  for (const char* name : {"half_red.png", "opaque_rgb.png", "blue.jpg", "gray.jpg"}) {
    const std::vector<std::uint8_t> whole = ReadFixture(name);
    ASSERT_FALSE(whole.empty()) << name;
    for (std::size_t keep : {std::size_t{0}, std::size_t{2}, std::size_t{8}, whole.size() / 2,
                             whole.size() - 13}) {
      std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + keep);
      EXPECT_TRUE(Decode(cut).Empty()) << name << " cut at " << keep;
    }
  }
}

TEST(PictureDecode, CorruptPicturesAreEmpty) {
  // Image data of the PNGs is damaged (the chunk CRC no longer matches); the JPEG's
  // entropy-coded data is overwritten with a marker that ends it early.
  for (const char* name : {"half_red.png", "opaque_rgb.png"}) {
    std::vector<std::uint8_t> bytes = ReadFixture(name);
    bytes[bytes.size() - 20] ^= 0x5A;
    EXPECT_TRUE(Decode(bytes).Empty()) << name;
  }
  std::vector<std::uint8_t> jpeg = ReadFixture("blue.jpg");
  jpeg[jpeg.size() - 10] = 0xFF;
  jpeg[jpeg.size() - 9] = 0xD9;
  EXPECT_TRUE(Decode(jpeg).Empty());
}

TEST(PictureDecode, UnknownOrOversizedInputIsEmpty) {
  const std::vector<std::uint8_t> text{'h', 'e', 'l', 'l', 'o'};
  EXPECT_TRUE(Decode(text).Empty());
  EXPECT_TRUE(DecodePicture(nullptr, 10).Empty());
  EXPECT_TRUE(IsAcceptablePictureSize(780, 585));
  EXPECT_FALSE(IsAcceptablePictureSize(0, 10));
  EXPECT_FALSE(IsAcceptablePictureSize(kMaxPictureSide + 1, 1));
  EXPECT_FALSE(IsAcceptablePictureSize(8000, 8000));
}

}  // namespace
}  // namespace ovalin::controls
