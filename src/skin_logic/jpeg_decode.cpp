// JPEG through libjpeg(-turbo). libjpeg reports errors by calling error_exit, which must
// not return: it jumps back to the setjmp of DecodeInto. Everything that must survive the
// jump lives in the caller's frame (the JpegJob), and the jump skips no destructor.
// A warning (libjpeg fills a truncated picture with grey and only warns) counts as an
// error, so a damaged picture comes out empty rather than half drawn.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "skin_logic/picture_decode.h"

namespace ovalin::controls {

namespace {

struct JpegError {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void OnJpegMessage(j_common_ptr info, int level) {
  if (level < 0) OnJpegError(info);  // a warning: corrupt data
}

void SilentOutput(j_common_ptr) {}

struct JpegJob {
  jpeg_decompress_struct info;
  JpegError error;
  std::vector<std::uint8_t>* raw = nullptr;
  int width = 0;
  int height = 0;
};

// Plain C-style body: no object with a destructor lives in this frame.
bool DecodeInto(JpegJob* job, const std::uint8_t* data, std::size_t size) {
  job->info.err = jpeg_std_error(&job->error.base);
  job->error.base.error_exit = OnJpegError;
  job->error.base.emit_message = OnJpegMessage;
  job->error.base.output_message = SilentOutput;
  if (setjmp(job->error.jump)) {
    jpeg_destroy_decompress(&job->info);
    return false;
  }
  jpeg_create_decompress(&job->info);
  jpeg_mem_src(&job->info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&job->info, TRUE);
  if (!IsAcceptablePictureSize(job->info.image_width, job->info.image_height)) {
    jpeg_destroy_decompress(&job->info);
    return false;
  }
  job->info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&job->info);
  job->width = static_cast<int>(job->info.output_width);
  job->height = static_cast<int>(job->info.output_height);
  const std::size_t stride = static_cast<std::size_t>(job->width) * 4;
  job->raw->resize(stride * job->height);
  while (job->info.output_scanline < job->info.output_height) {
    JSAMPROW row = job->raw->data() + stride * job->info.output_scanline;
    jpeg_read_scanlines(&job->info, &row, 1);
  }
  jpeg_finish_decompress(&job->info);
  jpeg_destroy_decompress(&job->info);
  return true;
}

}  // namespace

TPixels DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size == 0) return {};
  std::vector<std::uint8_t> raw;
  JpegJob job{};
  job.raw = &raw;
  if (!DecodeInto(&job, data, size)) return {};
  TPixels out;
  out.width = job.width;
  out.height = job.height;
  out.bgra.resize(static_cast<std::size_t>(job.width) * job.height);
  for (std::size_t i = 0; i < out.bgra.size(); ++i) {
    const std::uint8_t* p = &raw[i * 4];
    out.bgra[i] = p[0] | (p[1] << 8) | (p[2] << 16) | 0xFF000000u;  // opaque
  }
  return out;
}

}  // namespace ovalin::controls
