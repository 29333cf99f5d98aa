#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <jpeglib.h>

// Picture files built in the tests, so each fixture shows what it tests.
namespace zeph::test {

inline void PutLe16(std::string* out, std::uint32_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

inline void PutLe32(std::string* out, std::uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

// A bitmap file. The pixel data is given as the file holds it (rows
// padded, bottom row first unless the height is negative).
struct TBmpSpec {
  std::uint32_t header_size = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint32_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colors_used = 0;
  std::vector<std::uint32_t> palette = {};  // 0xRRGGBB
  std::vector<std::uint32_t> masks = {};  // after a 40-byte header, or inside a longer one
  std::string pixels = {};
  std::optional<std::uint32_t> pixel_offset = {};  // else right after the palette
};

inline std::string BmpFile(const TBmpSpec& spec) {
  std::string info;
  PutLe32(&info, spec.header_size);
  if (spec.header_size == 12) {
    PutLe16(&info, static_cast<std::uint32_t>(spec.width));
    PutLe16(&info, static_cast<std::uint32_t>(spec.height));
    PutLe16(&info, 1);
    PutLe16(&info, spec.bits);
  } else {
    PutLe32(&info, static_cast<std::uint32_t>(spec.width));
    PutLe32(&info, static_cast<std::uint32_t>(spec.height));
    PutLe16(&info, 1);
    PutLe16(&info, spec.bits);
    PutLe32(&info, spec.compression);
    PutLe32(&info, static_cast<std::uint32_t>(spec.pixels.size()));
    PutLe32(&info, 2835);
    PutLe32(&info, 2835);
    PutLe32(&info, spec.colors_used);
    PutLe32(&info, 0);
    if (spec.header_size > 40) {
      for (std::uint32_t mask : spec.masks) PutLe32(&info, mask);
    }
    info.resize(spec.header_size, '\0');
  }
  if (spec.header_size == 40) {
    for (std::uint32_t mask : spec.masks) PutLe32(&info, mask);
  }
  for (std::uint32_t rgb : spec.palette) {
    info.push_back(static_cast<char>(rgb & 0xFF));
    info.push_back(static_cast<char>((rgb >> 8) & 0xFF));
    info.push_back(static_cast<char>((rgb >> 16) & 0xFF));
    if (spec.header_size != 12) info.push_back('\0');
  }
  std::string file = "BM";
  const std::uint32_t offset = spec.pixel_offset.value_or(static_cast<std::uint32_t>(14 + info.size()));
  PutLe32(&file, static_cast<std::uint32_t>(14 + info.size() + spec.pixels.size()));
  PutLe32(&file, 0);
  PutLe32(&file, offset);
  return file + info + spec.pixels;
}

// A JPEG file from samples in `color_space` order (RGB, grey or CMYK),
// progressive by the simple script or by `scans` when given.
inline std::string JpegFile(int width, int height, J_COLOR_SPACE color_space, const std::vector<std::uint8_t>& samples,
                            bool progressive = false, const std::vector<jpeg_scan_info>& scans = {}) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.in_color_space = color_space;
  info.input_components = color_space == JCS_GRAYSCALE ? 1 : color_space == JCS_CMYK ? 4 : 3;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  for (int i = 0; i < info.num_components; ++i) {
    // No chroma subsampling: solid 8 × 8 blocks keep their colours exactly.
    info.comp_info[i].h_samp_factor = 1;
    info.comp_info[i].v_samp_factor = 1;
  }
  if (progressive) jpeg_simple_progression(&info);
  if (!scans.empty()) {
    info.scan_info = scans.data();
    info.num_scans = static_cast<int>(scans.size());
  }
  jpeg_start_compress(&info, TRUE);
  const size_t stride = static_cast<size_t>(width) * static_cast<size_t>(info.input_components);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(&samples[info.next_scanline * stride]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string file(reinterpret_cast<const char*>(buffer), size);
  free(buffer);
  return file;
}

// An RGB JPEG of 16 × 16 pixels in four solid 8 × 8 quarters: red top
// left, green top right, blue bottom left, white bottom right.
inline std::string QuartersJpeg(bool progressive = false) {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      std::uint32_t rgb = y < 8 ? (x < 8 ? 0xFF0000 : 0x00FF00) : (x < 8 ? 0x0000FF : 0xFFFFFF);
      samples.push_back(static_cast<std::uint8_t>(rgb >> 16));
      samples.push_back(static_cast<std::uint8_t>(rgb >> 8));
      samples.push_back(static_cast<std::uint8_t>(rgb));
    }
  }
  return JpegFile(16, 16, JCS_RGB, samples, progressive);
}

// A progressive JPEG of 8 × 8 grey pixels per component that sends every
// coefficient of every component on its own, in two steps: 1 + 126 ×
// `components` scans.
inline std::string ScanByScanJpeg(int components) {
  std::vector<jpeg_scan_info> scans;
  jpeg_scan_info dc{components, {0, 1, 2, 0}, 0, 0, 0, 0};
  scans.push_back(dc);
  for (int c = 0; c < components; ++c) {
    for (int k = 1; k < 64; ++k) {
      scans.push_back({1, {c, 0, 0, 0}, k, k, 0, 1});
      scans.push_back({1, {c, 0, 0, 0}, k, k, 1, 0});
    }
  }
  std::vector<std::uint8_t> samples(64 * static_cast<size_t>(components), 100);
  return JpegFile(8, 8, components == 1 ? JCS_GRAYSCALE : JCS_RGB, samples, false, scans);
}

}  // namespace zeph::test
