#include "display/bmp_reader.h"

#include <bit>
#include <climits>
#include <cstdint>
#include <vector>

// Every size and offset of the file is checked before it is used: the
// numbers come from whatever file a theme names.
namespace zeph {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

enum TCompression : std::uint32_t { kNone = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint32_t Le16(std::string_view bytes, size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

std::uint32_t Le32(std::string_view bytes, size_t at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

struct TRgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

// One colour channel of a bit-field pixel, scaled to 0..255. Only 16- and
// 32-bit pictures have masks; the zero mask of the others reads nothing.
class TChannel {
 public:
  explicit TChannel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask == 0 ? 0 : std::countr_zero(mask)),
        max_(mask == 0 ? 1 : (std::uint64_t{1} << std::bit_width(mask >> shift_)) - 1) {}

  std::uint8_t Of(std::uint32_t pixel) const {
    return static_cast<std::uint8_t>(((pixel & mask_) >> shift_) * 255 / max_);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  std::uint64_t max_;
};

struct TBmpHeader {
  std::uint32_t header_size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, always positive here
  bool top_down = false;
  std::uint32_t bits = 0;
  std::uint32_t compression = kNone;
  std::uint32_t colors_used = 0;
  std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  size_t masks_end = 0;                // where the palette starts
  size_t pixel_offset = 0;
};

bool BitsAllowed(std::uint32_t compression, std::uint32_t bits) {
  switch (compression) {
    case kNone: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8: return bits == 8;
    case kRle4: return bits == 4;
    case kBitFields: return bits == 16 || bits == 32;
    default: return false;
  }
}

// The 40-byte header and its later, longer forms, which add the masks and
// colour-space fields after the same first 40 bytes.
bool IsInfoHeaderSize(std::uint32_t size) {
  return size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 || size == 124;
}

bool ReadHeader(std::string_view bytes, std::uint64_t max_pixels, TBmpHeader* h) {
  if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  h->pixel_offset = Le32(bytes, 10);
  h->header_size = Le32(bytes, kFileHeaderSize);
  const size_t info = kFileHeaderSize;
  if (h->header_size == kCoreHeaderSize) {
    if (bytes.size() < info + kCoreHeaderSize) return false;
    h->width = Le16(bytes, info + 4);
    h->height = Le16(bytes, info + 6);
    h->bits = Le16(bytes, info + 10);
    if (h->bits > 8 && h->bits != 24) return false;
  } else if (IsInfoHeaderSize(h->header_size)) {
    if (bytes.size() < info + h->header_size) return false;
    h->width = static_cast<std::int32_t>(Le32(bytes, info + 4));
    std::int32_t height = static_cast<std::int32_t>(Le32(bytes, info + 8));
    if (height == INT_MIN) return false;
    h->top_down = height < 0;
    h->height = h->top_down ? -std::int64_t{height} : height;
    h->bits = Le16(bytes, info + 14);
    h->compression = Le32(bytes, info + 16);
    h->colors_used = Le32(bytes, info + 32);
  } else {
    return false;
  }
  h->masks_end = info + h->header_size;
  if (h->compression == kBitFields) {
    // The 40-byte header is followed by the three masks; the longer ones
    // hold them at the same place inside the header.
    if (h->header_size == kInfoHeaderSize) h->masks_end += 12;
    if (bytes.size() < info + kInfoHeaderSize + 12) return false;
    for (int i = 0; i < 3; ++i) h->masks[i] = Le32(bytes, info + kInfoHeaderSize + 4 * static_cast<size_t>(i));
  }
  if (!BitsAllowed(h->compression, h->bits)) return false;
  if (h->top_down && h->compression != kNone && h->compression != kBitFields) return false;
  return h->width >= 1 && h->height >= 1 &&
         IsAcceptedPictureSize(static_cast<std::uint64_t>(h->width), static_cast<std::uint64_t>(h->height), max_pixels);
}

// The colour table of a picture of 8 bits a pixel or less: at most 2^bits
// entries, all of them before the pixels.
bool ReadPalette(std::string_view bytes, const TBmpHeader& h, std::vector<TRgb>* palette) {
  if (h.bits > 8) return true;
  const std::uint64_t full = std::uint64_t{1} << h.bits;
  const std::uint64_t count = h.colors_used == 0 || h.header_size == kCoreHeaderSize ? full : h.colors_used;
  if (count > full) return false;
  const size_t entry = h.header_size == kCoreHeaderSize ? 3 : 4;
  if (h.masks_end + count * entry > h.pixel_offset) return false;
  for (size_t i = 0; i < count; ++i) {
    size_t at = h.masks_end + i * entry;
    palette->push_back({static_cast<std::uint8_t>(bytes[at + 2]), static_cast<std::uint8_t>(bytes[at + 1]),
                        static_cast<std::uint8_t>(bytes[at])});
  }
  return true;
}

// Writes decoded pixels into the picture, file rows mapped to picture rows.
class TPixelSink {
 public:
  TPixelSink(const TBmpHeader& h, std::vector<TRgb> palette)
      : top_down_(h.top_down), palette_(std::move(palette)) {
    picture_.width = static_cast<int>(h.width);
    picture_.height = static_cast<int>(h.height);
    picture_.rgb.resize(static_cast<size_t>(h.width) * static_cast<size_t>(h.height) * 3);
  }

  // The pixels of a row in the file's order: bottom row first unless the
  // picture is top-down.
  std::uint8_t* Row(std::int64_t row) {
    std::int64_t y = top_down_ ? row : picture_.height - 1 - row;
    return &picture_.rgb[static_cast<size_t>(y) * static_cast<size_t>(picture_.width) * 3];
  }

  // An index outside the colour table draws black.
  TRgb Color(std::uint32_t index) const { return index < palette_.size() ? palette_[index] : TRgb{}; }

  static void Set(std::uint8_t* pixel, TRgb c) {
    pixel[0] = c.r;
    pixel[1] = c.g;
    pixel[2] = c.b;
  }

  // Pixels a run-length picture leaves out take the first colour.
  void FillWithFirstColor() {
    TRgb first = palette_.empty() ? TRgb{} : palette_[0];
    for (size_t i = 0; i < picture_.rgb.size(); i += 3) {
      picture_.rgb[i] = first.r;
      picture_.rgb[i + 1] = first.g;
      picture_.rgb[i + 2] = first.b;
    }
  }

  TRgbPicture Take() { return std::move(picture_); }

 private:
  bool top_down_;
  std::vector<TRgb> palette_;
  TRgbPicture picture_;
};

bool MasksUsable(TBmpHeader* h) {
  if (h->compression == kNone) {
    if (h->bits == 16) {
      h->masks[0] = 0x7C00, h->masks[1] = 0x03E0, h->masks[2] = 0x001F;
    } else if (h->bits == 32) {
      h->masks[0] = 0xFF0000, h->masks[1] = 0xFF00, h->masks[2] = 0xFF;
    }
    return true;
  }
  if (h->compression != kBitFields) return true;
  const std::uint32_t pixel_bits = h->bits == 16 ? 0xFFFF : 0xFFFFFFFF;
  for (std::uint32_t& mask : h->masks) {
    mask &= pixel_bits;
    if (mask == 0) return false;
  }
  return true;
}

// Rows are padded to four bytes. The width is within the pixel cap, so this
// cannot overflow.
std::uint64_t RowStride(const TBmpHeader& h) { return (static_cast<std::uint64_t>(h.width) * h.bits + 31) / 32 * 4; }

// Whether the file holds every row of an uncompressed or masked picture.
bool HasAllRows(std::string_view bytes, const TBmpHeader& h) {
  return RowStride(h) * static_cast<std::uint64_t>(h.height) <= bytes.size() - h.pixel_offset;
}

void DecodeRows(std::string_view bytes, const TBmpHeader& h, TPixelSink* sink) {
  const std::uint64_t stride = RowStride(h);
  const TChannel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  const size_t width = static_cast<size_t>(h.width);
  const std::uint32_t bits = h.bits;
  for (std::int64_t row = 0; row < h.height; ++row) {
    const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data()) + h.pixel_offset + row * stride;
    std::uint8_t* out = sink->Row(row);
    for (size_t x = 0; x < width; ++x, out += 3) {
      if (bits <= 8) {
        const size_t bit = x * bits;
        TPixelSink::Set(out, sink->Color((in[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1)));
      } else if (bits == 24) {
        TPixelSink::Set(out, {in[3 * x + 2], in[3 * x + 1], in[3 * x]});
      } else {
        const std::uint8_t* p = in + x * (bits / 8);
        std::uint32_t pixel = p[0] | p[1] << 8;
        if (bits == 32) pixel |= static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        TPixelSink::Set(out, {red.Of(pixel), green.Of(pixel), blue.Of(pixel)});
      }
    }
  }
}

// Run-length data: pairs of count and value, or 0 followed by 0 (end of
// row), 1 (end of picture), 2 and a move right and up, or a count of
// literal pixels padded to an even number of bytes. A run or a move that
// would leave the row or the picture spoils the whole picture.
bool DecodeRunLength(std::string_view bytes, const TBmpHeader& h, TPixelSink* sink) {
  const bool four = h.compression == kRle4;
  const std::int64_t width = h.width, height = h.height;
  sink->FillWithFirstColor();
  size_t pos = h.pixel_offset;
  std::int64_t x = 0, row = 0;
  auto fits = [&](std::int64_t count) { return row < height && x + count <= width; };
  while (true) {
    if (pos > bytes.size() || bytes.size() - pos < 2) return row >= height;  // no end mark: whole rows only
    const std::uint32_t count = static_cast<std::uint8_t>(bytes[pos]);
    const std::uint32_t value = static_cast<std::uint8_t>(bytes[pos + 1]);
    pos += 2;
    if (count > 0) {
      if (!fits(count)) return false;
      for (std::uint32_t i = 0; i < count; ++i, ++x)
        TPixelSink::Set(sink->Row(row) + 3 * x, sink->Color(four ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value));
      continue;
    }
    if (value == 0) {
      x = 0;
      if (++row > height) return false;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (bytes.size() - pos < 2) return false;
      x += static_cast<std::uint8_t>(bytes[pos]);
      row += static_cast<std::uint8_t>(bytes[pos + 1]);
      pos += 2;
      if (x > width || row > height) return false;
    } else {
      const size_t data = four ? (value + 1) / 2 : value;
      if (bytes.size() - pos < data || !fits(value)) return false;
      for (std::uint32_t i = 0; i < value; ++i, ++x) {
        std::uint32_t byte = static_cast<std::uint8_t>(bytes[pos + (four ? i / 2 : i)]);
        TPixelSink::Set(sink->Row(row) + 3 * x, sink->Color(four ? (i % 2 == 0 ? byte >> 4 : byte & 0xF) : byte));
      }
      pos += data + data % 2;
    }
  }
}

}  // namespace

std::optional<TRgbPicture> DecodeBmp(std::string_view bytes, std::uint64_t max_pixels) {
  TBmpHeader header;
  if (!ReadHeader(bytes, max_pixels, &header) || !MasksUsable(&header)) return std::nullopt;
  if (header.pixel_offset < header.masks_end || header.pixel_offset > bytes.size()) return std::nullopt;
  std::vector<TRgb> palette;
  if (!ReadPalette(bytes, header, &palette)) return std::nullopt;
  const bool run_length = header.compression == kRle8 || header.compression == kRle4;
  if (!run_length && !HasAllRows(bytes, header)) return std::nullopt;
  TPixelSink sink(header, std::move(palette));
  if (run_length) {
    if (!DecodeRunLength(bytes, header, &sink)) return std::nullopt;
  } else {
    DecodeRows(bytes, header, &sink);
  }
  return sink.Take();
}

}  // namespace zeph
