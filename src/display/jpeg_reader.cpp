#include "display/jpeg_reader.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h uses FILE without including it
#include <string>

#include <jerror.h>
#include <jpeglib.h>

namespace zeph {
namespace {

// The library's own error handler ends the process; this one jumps back to
// the decoder, which then destroys it and gives nothing.
struct TJpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

// A progressive picture may be cut into any number of scans, each of which
// is decoded over the whole picture; real pictures use about ten.
constexpr int kMaxScans = 256;
// Memory the decoder may take for a progressive picture's coefficients
// (a picture at the pixel cap needs well under this).
constexpr long kMaxDecoderMemory = 512L << 20;

[[noreturn]] void Fail(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegErrors*>(info->err)->jump, 1); }

// Warnings pass quietly, except those for data that ends too soon: the
// library would fill the missing rows with grey and call the picture good.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER)) Fail(info);
}

// The library reads ahead, so data that ends without the end marker runs
// out even when every row is there. With the marker added, only data that
// is really missing is noticed (the decoder then hits the marker early).
std::string_view WithEndMarker(std::string_view bytes, std::string* copy) {
  constexpr std::string_view kEndMarker = "\xFF\xD9";
  if (bytes.ends_with(kEndMarker)) return bytes;
  *copy = bytes;
  *copy += kEndMarker;
  return *copy;
}

void OnProgress(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) Fail(info);
}

// One decoded row as red, green, blue. Grey-scale gives equal channels;
// CMYK is multiplied out by its fourth channel; any other colour space the
// library hands out stays black.
void AppendRow(const jpeg_decompress_struct& info, const JSAMPLE* row, std::vector<std::uint8_t>* rgb) {
  for (JDIMENSION x = 0; x < info.output_width; ++x) {
    std::uint8_t r = 0, g = 0, b = 0;
    if (info.out_color_space == JCS_GRAYSCALE) {
      r = g = b = row[x];
    } else if (info.out_color_space == JCS_RGB) {
      r = row[3 * x], g = row[3 * x + 1], b = row[3 * x + 2];
    } else if (info.out_color_space == JCS_CMYK) {
      const JSAMPLE* p = row + 4 * x;
      r = static_cast<std::uint8_t>(p[0] * p[3] / 255);
      g = static_cast<std::uint8_t>(p[1] * p[3] / 255);
      b = static_cast<std::uint8_t>(p[2] * p[3] / 255);
    }
    rgb->push_back(r);
    rgb->push_back(g);
    rgb->push_back(b);
  }
}

}  // namespace

std::optional<TRgbPicture> DecodeJpeg(std::string_view bytes, std::uint64_t max_pixels) {
  // Everything that owns memory lives outside the jump's reach, so the jump
  // skips no destructor.
  std::string copy;
  bytes = WithEndMarker(bytes, &copy);
  TRgbPicture picture;
  std::vector<JSAMPLE> row;
  jpeg_decompress_struct info{};
  jpeg_progress_mgr progress{};
  TJpegErrors errors;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = Fail;
  errors.manager.emit_message = OnMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kMaxDecoderMemory;
  progress.progress_monitor = OnProgress;
  info.progress = &progress;
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !IsAcceptedPictureSize(info.image_width, info.image_height, max_pixels)) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_start_decompress(&info);
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.rgb.reserve(static_cast<size_t>(info.output_width) * info.output_height * 3);
  row.resize(static_cast<size_t>(info.output_width) * static_cast<size_t>(info.output_components));
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    AppendRow(info, row.data(), &picture.rgb);
  }
  // The rows are all there; what follows them no longer matters, so the
  // decoder is dropped rather than finished.
  bool complete = info.output_scanline == info.output_height;
  jpeg_destroy_decompress(&info);
  if (!complete) return std::nullopt;
  return picture;
}

}  // namespace zeph
