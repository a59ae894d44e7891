#include "controls/kel_picture.h"

#include <cstring>
#include <vector>

namespace ovalin::controls {

namespace {

// Files larger than this are not pictures of ours.
constexpr DWORD kMaxPictureFileBytes = 64u * 1024 * 1024;

}  // namespace

TKelPicture TKelPicture::FromPixels(TPixels pixels) {
  TKelPicture picture;
  if (pixels.Empty()) return picture;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return picture;
  std::memcpy(bits, pixels.bgra.data(), pixels.bgra.size() * sizeof(std::uint32_t));
  GdiFlush();
  auto data = std::make_shared<Data>();
  data->width = pixels.width;
  data->height = pixels.height;
  data->bitmap = std::move(bitmap);
  picture.data_ = std::move(data);
  return picture;
}

TKelPicture TKelPicture::FromResource(HMODULE module, const wchar_t* name) {
  HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, resource);
  const DWORD size = SizeofResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return {};
  return FromPixels(DecodePicture(static_cast<const std::uint8_t*>(bytes), size));
}

TKelPicture TKelPicture::FromFile(const std::u16string& fileName) {
  UniqueKernelHandle file(CreateFileW(reinterpret_cast<const wchar_t*>(fileName.c_str()), GENERIC_READ,
                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    file.Release();
    return {};
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxPictureFileBytes) {
    return {};
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    return {};
  }
  return FromPixels(DecodePicture(bytes.data(), bytes.size()));
}

void TKelPicture::Draw(HDC dc, int x, int y) const {
  if (!data_) return;
  DrawPart(dc, RECT{x, y, x + data_->width, y + data_->height}, RECT{0, 0, data_->width, data_->height});
}

void TKelPicture::DrawStretched(HDC dc, const RECT& dest) const {
  if (!data_) return;
  DrawPart(dc, dest, RECT{0, 0, data_->width, data_->height});
}

void TKelPicture::DrawPart(HDC dc, const RECT& dest, const RECT& source) const {
  if (!data_ || dest.right <= dest.left || dest.bottom <= dest.top) return;
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  if (!memory) return;
  SelectScope select(memory.Get(), data_->bitmap.Get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (dest.right - dest.left != source.right - source.left ||
      dest.bottom - dest.top != source.bottom - source.top) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
  }
  AlphaBlend(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, memory.Get(),
             source.left, source.top, source.right - source.left, source.bottom - source.top, blend);
}

}  // namespace ovalin::controls
