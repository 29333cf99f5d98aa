#include "display/line_record.h"

#include <algorithm>
#include <cstdint>

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

void PutNumber(std::uint64_t value, std::string& out) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

std::uint64_t GetNumber(std::string_view bytes, size_t& pos) {
  std::uint64_t value = 0;
  for (int shift = 0;; shift += 7) {
    auto byte = static_cast<std::uint8_t>(bytes[pos++]);
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return value;
  }
}

void PutSigned(long long value, std::string& out) {
  PutNumber((static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63), out);
}

long long GetSigned(std::string_view bytes, size_t& pos) {
  std::uint64_t value = GetNumber(bytes, pos);
  return static_cast<long long>(value >> 1) ^ -static_cast<long long>(value & 1);
}

void PutText(std::string_view text, std::string& out) {
  PutNumber(text.size(), out);
  out.append(text);
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

size_t SharedStart(std::string_view a, std::string_view b) {
  size_t limit = std::min(a.size(), b.size());
  return std::mismatch(a.begin(), a.begin() + limit, b.begin()).first - a.begin();
}

// Each range from the end of the one before: a small number, whatever the
// order of the ranges.
void PutRanges(const std::vector<TTextRange>& ranges, std::string& out) {
  PutNumber(ranges.size(), out);
  size_t end = 0;
  for (const TTextRange& range : ranges) {
    PutSigned(static_cast<long long>(range.start) - static_cast<long long>(end), out);
    PutNumber(range.Length(), out);
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

void PutRun(const TLogRun& run, std::string& out) {
  const TDecoration& d = run.decoration;
  auto head = static_cast<std::uint8_t>(static_cast<std::uint8_t>(run.element) | (d.bold ? kBoldBit : 0) |
                                        (d.underline ? kUnderlineBit : 0) | (d.reverse ? kReverseBit : 0) |
                                        (d.has_fore ? kForeBit : 0) | (d.has_back ? kBackBit : 0));
  out.push_back(static_cast<char>(head));
  if (d.has_fore || d.has_back) out.push_back(static_cast<char>(d.fore | (d.back << 4)));
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
void PutRuns(const TLogLine& line, std::string& out) {
  PutNumber(line.runs.size(), out);
  for (size_t i = 0; i + 1 < line.runs.size(); ++i) PutNumber(line.runs[i].end - line.runs[i].start, out);
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

void PutLinkKey(const TLogLine& line, std::string& out) {
  const TLinkKey& key = line.link_key;
  bool ids_of_line = key.unit == line.unit && key.channel == line.channel;
  auto head = static_cast<std::uint8_t>(static_cast<std::uint8_t>(key.kind) | (ids_of_line ? kLinkIdsOfLine : 0) |
                                        (key.serial ? kLinkSerial : 0) | (key.channel_name.empty() ? 0 : kLinkName));
  out.push_back(static_cast<char>(head));
  if (!ids_of_line) {
    PutNumber(key.unit, out);
    PutNumber(key.channel, out);
  }
  if (key.serial) PutNumber(key.serial, out);
  if (!key.channel_name.empty()) PutText(key.channel_name, out);
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

void AppendLineRecord(const TLogLine& line, const TLogLine* previous, std::string& out) {
  size_t shared = previous ? SharedStart(previous->text, line.text) : 0;
  PutNumber(shared, out);
  PutText(std::string_view(line.text).substr(shared), out);

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
  out.push_back(static_cast<char>(flags));
  if (small_classes) {
    PutNumber(static_cast<std::uint64_t>(line.category) * 8 + static_cast<std::uint64_t>(line.nick_class), out);
  } else {
    PutSigned(line.category, out);
    PutSigned(line.nick_class, out);
  }
  if (!same_ids) {
    PutNumber(line.unit, out);
    PutNumber(line.channel, out);
  }
  if (nick == kNickInText) {
    PutNumber(nick_at, out);
    PutNumber(line.nick.size(), out);
  } else if (nick == kNickStored) {
    PutText(line.nick, out);
  }
  if (has_link) PutLinkKey(line, out);
  PutRuns(line, out);
  if (!line.urls.empty()) PutRanges(line.urls, out);
  if (!line.addresses.empty()) PutRanges(line.addresses, out);
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
