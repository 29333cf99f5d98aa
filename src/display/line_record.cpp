#include "display/line_record.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace zeph {
namespace {

enum TFlag : std::uint8_t {
  kKeywordHit = 1 << 0,
  kNickShift = 1,         // 2 bits: TNickForm
  kSameIds = 1 << 3,      // unit and channel as the line before
  kHasLinkKey = 1 << 4,
  kHasUrls = 1 << 5,
  kHasAddresses = 1 << 6,
  kWideClasses = 1 << 7,  // category and nick class do not fit one small number
};

enum TNickForm : std::uint8_t { kNoNick = 0, kNickInText = 1, kNickStored = 2 };

enum TLinkFlag : std::uint8_t {
  kLinkKindMask = 3,
  kLinkIdsOfLine = 1 << 2,  // the key names the line's own unit and channel
  kLinkSerial = 1 << 3,
  kLinkName = 1 << 4,
};

// A run's element and decoration in one byte, and the colours in a second
// one only when a colour is set: a colour index whose flag is off is 0.
constexpr std::uint8_t kBoldBit = 1 << 3, kUnderlineBit = 1 << 4, kReverseBit = 1 << 5, kForeBit = 1 << 6,
                       kBackBit = 1 << 7;

constexpr size_t kMostNumberBytes = 10;  // a 64-bit number, 7 bits a byte

// Writes a record straight into the store's bytes, into room made for the
// longest record the line can make, so that no byte written checks for
// room: every line received is written here, some of them twice.
class TRecordWriter {
 public:
  explicit TRecordWriter(char* at) : at_(at) {}

  char* End() const { return at_; }

  void Byte(std::uint8_t byte) { *at_++ = static_cast<char>(byte); }

  void Number(std::uint64_t value) {
    while (value >= 0x80) {
      Byte(static_cast<std::uint8_t>((value & 0x7F) | 0x80));
      value >>= 7;
    }
    Byte(static_cast<std::uint8_t>(value));
  }

  void Signed(long long value) {
    Number((static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63));
  }

  void Text(std::string_view text) {
    Number(text.size());
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }

 private:
  char* at_;
};

std::uint64_t GetNumber(std::string_view bytes, size_t& pos) {
  std::uint64_t value = 0;
  for (int shift = 0;; shift += 7) {
    auto byte = static_cast<std::uint8_t>(bytes[pos++]);
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return value;
  }
}

long long GetSigned(std::string_view bytes, size_t& pos) {
  std::uint64_t value = GetNumber(bytes, pos);
  return static_cast<long long>(value >> 1) ^ -static_cast<long long>(value & 1);
}

std::string_view GetText(std::string_view bytes, size_t& pos) {
  size_t length = GetNumber(bytes, pos);
  std::string_view text = bytes.substr(pos, length);
  pos += length;
  return text;
}

bool FitsSmallClasses(const TLogLine& line) {
  return line.category >= 0 && line.category < 0x1000 && line.nick_class >= 0 && line.nick_class < 8;
}

// Compares eight bytes at a time: consecutive lines share their time and
// often their place and nick pieces.
size_t SharedStart(std::string_view a, std::string_view b) {
  size_t limit = std::min(a.size(), b.size());
  size_t i = 0;
  for (; i + 8 <= limit; i += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y) {
      std::uint64_t differ = x ^ y;
      int bit = std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
      return i + static_cast<size_t>(bit / 8);
    }
  }
  while (i < limit && a[i] == b[i]) ++i;
  return i;
}

// Each range from the end of the one before: a small number, whatever the
// order of the ranges.
void PutRanges(const std::vector<TTextRange>& ranges, TRecordWriter& out) {
  out.Number(ranges.size());
  size_t end = 0;
  for (const TTextRange& range : ranges) {
    out.Signed(static_cast<long long>(range.start) - static_cast<long long>(end));
    out.Number(range.Length());
    end = range.end;
  }
}

void GetRanges(std::string_view bytes, size_t& pos, std::vector<TTextRange>& ranges) {
  ranges.resize(GetNumber(bytes, pos));
  size_t end = 0;
  for (TTextRange& range : ranges) {
    range.start = static_cast<size_t>(static_cast<long long>(end) + GetSigned(bytes, pos));
    range.end = range.start + GetNumber(bytes, pos);
    end = range.end;
  }
}

void PutRun(const TLogRun& run, TRecordWriter& out) {
  const TDecoration& d = run.decoration;
  auto head = static_cast<std::uint8_t>(static_cast<std::uint8_t>(run.element) | (d.bold ? kBoldBit : 0) |
                                        (d.underline ? kUnderlineBit : 0) | (d.reverse ? kReverseBit : 0) |
                                        (d.has_fore ? kForeBit : 0) | (d.has_back ? kBackBit : 0));
  out.Byte(head);
  if (d.has_fore || d.has_back) out.Byte(static_cast<std::uint8_t>(d.fore | (d.back << 4)));
}

void GetRun(std::string_view bytes, size_t& pos, TLogRun& run) {
  auto head = static_cast<std::uint8_t>(bytes[pos++]);
  run.element = static_cast<TLogElement>(head & 7);
  TDecoration& d = run.decoration;
  d = TDecoration();
  d.bold = (head & kBoldBit) != 0;
  d.underline = (head & kUnderlineBit) != 0;
  d.reverse = (head & kReverseBit) != 0;
  d.has_fore = (head & kForeBit) != 0;
  d.has_back = (head & kBackBit) != 0;
  if (d.has_fore || d.has_back) {
    auto colours = static_cast<std::uint8_t>(bytes[pos++]);
    d.fore = colours & 15;
    d.back = colours >> 4;
  }
}

bool IsPrefixElement(TLogElement element) {
  return element == TLogElement::Time || element == TLogElement::Place || element == TLogElement::Nick;
}

// The runs cover the text without gaps, so their lengths place them; the
// last one ends with the text.
void PutRuns(const TLogLine& line, TRecordWriter& out) {
  out.Number(line.runs.size());
  for (size_t i = 0; i + 1 < line.runs.size(); ++i) out.Number(line.runs[i].end - line.runs[i].start);
  for (const TLogRun& run : line.runs) PutRun(run, out);
}

void GetRuns(std::string_view bytes, size_t& pos, TLogLine& line) {
  line.runs.resize(GetNumber(bytes, pos));
  size_t start = 0;
  for (size_t i = 0; i < line.runs.size(); ++i) {
    line.runs[i].start = start;
    start = i + 1 < line.runs.size() ? start + GetNumber(bytes, pos) : line.text.size();
    line.runs[i].end = start;
  }
  line.prefix_length = 0;
  for (TLogRun& run : line.runs) {
    GetRun(bytes, pos, run);
    if (run.start == line.prefix_length && IsPrefixElement(run.element)) line.prefix_length = run.end;
  }
}

void PutLinkKey(const TLogLine& line, TRecordWriter& out) {
  const TLinkKey& key = line.link_key;
  bool ids_of_line = key.unit == line.unit && key.channel == line.channel;
  auto head = static_cast<std::uint8_t>(static_cast<std::uint8_t>(key.kind) | (ids_of_line ? kLinkIdsOfLine : 0) |
                                        (key.serial ? kLinkSerial : 0) | (key.channel_name.empty() ? 0 : kLinkName));
  out.Byte(head);
  if (!ids_of_line) {
    out.Number(key.unit);
    out.Number(key.channel);
  }
  if (key.serial) out.Number(key.serial);
  if (!key.channel_name.empty()) out.Text(key.channel_name);
}

void GetLinkKey(std::string_view bytes, size_t& pos, TLogLine& line) {
  TLinkKey& key = line.link_key;
  auto head = static_cast<std::uint8_t>(bytes[pos++]);
  key.kind = static_cast<TLinkKind>(head & kLinkKindMask);
  key.unit = line.unit;
  key.channel = line.channel;
  if (!(head & kLinkIdsOfLine)) {
    key.unit = GetNumber(bytes, pos);
    key.channel = GetNumber(bytes, pos);
  }
  key.serial = head & kLinkSerial ? GetNumber(bytes, pos) : 0;
  if (head & kLinkName) key.channel_name.assign(GetText(bytes, pos));
  else key.channel_name.clear();
}

}  // namespace

// Its texts, two bytes a run, and a number for everything else.
size_t MostRecordBytes(const TLogLine& line) {
  size_t numbers = 16 + line.runs.size() + 2 * (line.urls.size() + line.addresses.size());
  return numbers * kMostNumberBytes + 2 * line.runs.size() + line.text.size() + line.nick.size() +
         line.link_key.channel_name.size();
}

char* WriteLineRecord(const TLogLine& line, const TLogLine* previous, char* at) {
  TRecordWriter record(at);
  size_t shared = previous ? SharedStart(previous->text, line.text) : 0;
  record.Number(shared);
  record.Text(std::string_view(line.text).substr(shared));

  // A nick is mostly found in the nick piece, and then costs two numbers.
  size_t nick_at = line.nick.empty() ? std::string::npos : line.text.find(line.nick);
  TNickForm nick = line.nick.empty() ? kNoNick : nick_at != std::string::npos ? kNickInText : kNickStored;
  bool same_ids = previous && previous->unit == line.unit && previous->channel == line.channel;
  bool small_classes = FitsSmallClasses(line);
  bool has_link = !(line.link_key == TLinkKey());
  auto flags = static_cast<std::uint8_t>((line.keyword_hit ? kKeywordHit : 0) | (nick << kNickShift) |
                                         (same_ids ? kSameIds : 0) | (has_link ? kHasLinkKey : 0) |
                                         (line.urls.empty() ? 0 : kHasUrls) |
                                         (line.addresses.empty() ? 0 : kHasAddresses) |
                                         (small_classes ? 0 : kWideClasses));
  record.Byte(flags);
  if (small_classes) {
    record.Number(static_cast<std::uint64_t>(line.category) * 8 + static_cast<std::uint64_t>(line.nick_class));
  } else {
    record.Signed(line.category);
    record.Signed(line.nick_class);
  }
  if (!same_ids) {
    record.Number(line.unit);
    record.Number(line.channel);
  }
  if (nick == kNickInText) {
    record.Number(nick_at);
    record.Number(line.nick.size());
  } else if (nick == kNickStored) {
    record.Text(line.nick);
  }
  if (has_link) PutLinkKey(line, record);
  PutRuns(line, record);
  if (!line.urls.empty()) PutRanges(line.urls, record);
  if (!line.addresses.empty()) PutRanges(line.addresses, record);
  return record.End();
}

size_t ReadLineRecord(std::string_view bytes, size_t pos, TLogLine& line) {
  size_t shared = GetNumber(bytes, pos);
  line.text.resize(shared);
  line.text.append(GetText(bytes, pos));

  auto flags = static_cast<std::uint8_t>(bytes[pos++]);
  line.keyword_hit = (flags & kKeywordHit) != 0;
  if (flags & kWideClasses) {
    line.category = static_cast<int>(GetSigned(bytes, pos));
    line.nick_class = static_cast<int>(GetSigned(bytes, pos));
  } else {
    std::uint64_t classes = GetNumber(bytes, pos);
    line.category = static_cast<int>(classes / 8);
    line.nick_class = static_cast<int>(classes % 8);
  }
  if (!(flags & kSameIds)) {
    line.unit = GetNumber(bytes, pos);
    line.channel = GetNumber(bytes, pos);
  }
  switch ((flags >> kNickShift) & 3) {
    case kNickInText: {
      size_t at = GetNumber(bytes, pos);
      line.nick.assign(line.text, at, GetNumber(bytes, pos));
      break;
    }
    case kNickStored: line.nick.assign(GetText(bytes, pos)); break;
    default: line.nick.clear(); break;
  }
  if (flags & kHasLinkKey) GetLinkKey(bytes, pos, line);
  else line.link_key = TLinkKey();
  GetRuns(bytes, pos, line);
  if (flags & kHasUrls) GetRanges(bytes, pos, line.urls);
  else line.urls.clear();
  if (flags & kHasAddresses) GetRanges(bytes, pos, line.addresses);
  else line.addresses.clear();
  return pos;
}

}  // namespace zeph
