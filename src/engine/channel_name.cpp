#include "engine/channel_name.h"

#include "platform/sjis.h"

namespace zeph {

namespace {

constexpr std::string_view kJpSuffix = ":*.jp";
// "!" + the five-byte channel id.
constexpr size_t kSafeIdEnd = 6;

char IrcUpperByte(char c) {
  auto u = static_cast<unsigned char>(c);
  return u >= 0x61 && u <= 0x7D ? static_cast<char>(u - 0x20) : c;
}

// Byte by byte, as a server compares names on the wire.
bool SameFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IrcUpperByte(a[i]) != IrcUpperByte(b[i])) return false;
  }
  return true;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// A position in a Shift_JIS text that steps either by byte or by whole
// character, and always knows the character it stands in: a byte of a
// double-byte character is never folded and never a wildcard.
class TTextCursor {
 public:
  TTextCursor(std::string_view text, bool by_char) : text_(text), by_char_(by_char) { EnterChar(0); }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Byte() const { return text_[pos_]; }
  bool InSingleByteChar() const { return char_end_ - char_begin_ == 1; }
  // What one step covers: a byte, or the whole character.
  std::string_view Unit() const {
    return by_char_ ? text_.substr(char_begin_, char_end_ - char_begin_) : text_.substr(pos_, 1);
  }
  void Next() {
    pos_ = by_char_ ? char_end_ : pos_ + 1;
    if (pos_ >= char_end_) EnterChar(pos_);
  }

 private:
  void EnterChar(size_t pos) {
    char_begin_ = pos;
    char_end_ = pos < text_.size() ? pos + SjisCharLength(text_, pos) : pos;
  }

  std::string_view text_;
  bool by_char_;
  size_t pos_ = 0;
  size_t char_begin_ = 0;
  size_t char_end_ = 0;
};

bool IsStar(const TTextCursor& p) { return !p.AtEnd() && p.InSingleByteChar() && p.Byte() == '*'; }

enum class TElement { Star, AnyOne, Literal };

// Classifies the pattern element at p. For an escaped literal p moves onto
// the escaped character; a lone "\" at the very end stands for itself.
TElement ReadElement(TTextCursor& p) {
  if (!p.InSingleByteChar()) return TElement::Literal;
  switch (p.Byte()) {
    case '*': return TElement::Star;
    case '?': return TElement::AnyOne;
    case '\\': {
      TTextCursor escaped = p;
      escaped.Next();
      if (!escaped.AtEnd()) p = escaped;
      return TElement::Literal;
    }
    default: return TElement::Literal;
  }
}

// A single-byte character never matches a byte of a double-byte one: "A"
// is not found in "ア" (0x83 0x41).
bool SameUnit(const TTextCursor& p, const TTextCursor& t) {
  if (p.InSingleByteChar() != t.InSingleByteChar()) return false;
  std::string_view a = p.Unit();
  std::string_view b = t.Unit();
  if (!p.InSingleByteChar()) return a == b;
  return IrcUpperByte(a[0]) == IrcUpperByte(b[0]);
}

// Greedy matching with a single resume point: every element but "*" takes
// exactly one step of the text, so on a mismatch only the latest "*" needs
// to take one more step. Nothing is ever retried twice from the same pair
// of positions, which keeps hostile masks like "*a*a*a*b" harmless.
bool Match(std::string_view pattern, std::string_view text, bool by_char) {
  TTextCursor p(pattern, by_char);
  TTextCursor t(text, by_char);
  TTextCursor resume_p = p;
  TTextCursor resume_t = t;
  bool has_star = false;
  while (!t.AtEnd()) {
    if (!p.AtEnd()) {
      TTextCursor element = p;
      TElement kind = ReadElement(element);
      if (kind == TElement::Star) {
        element.Next();
        p = resume_p = element;
        resume_t = t;
        has_star = true;
        continue;
      }
      if (kind == TElement::AnyOne || SameUnit(element, t)) {
        element.Next();
        p = element;
        t.Next();
        continue;
      }
    }
    if (!has_star) return false;
    resume_t.Next();
    t = resume_t;
    p = resume_p;
  }
  while (IsStar(p)) p.Next();
  return p.AtEnd();
}

bool IsNickChar(char c, bool first) {
  if (IsAsciiLetter(c) || (c >= 0x5E && c <= 0x60)) return true;
  return !first && (IsAsciiDigit(c) || c == '-');
}

bool IsSafeNickChar(char c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || std::string_view("[\\]^_{|}~").find(c) != std::string_view::npos;
}

// Keeps the single-byte characters that `keep`(byte, position) accepts;
// every other byte, both bytes of a double-byte character included,
// becomes "_".
template <class Keep>
std::string UnderscoreUnless(std::string_view text, Keep keep) {
  std::string result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    size_t length = SjisCharLength(text, pos);
    if (length == 1 && keep(text[pos], pos)) {
      result += text[pos];
    } else {
      result.append(length, '_');
    }
    pos += length;
  }
  return result;
}

}  // namespace

bool IsChannelName(std::string_view name, std::string_view prefixes) {
  return !name.empty() && prefixes.find(name.front()) != std::string_view::npos;
}

bool IsSingleChannelName(std::string_view name, std::string_view prefixes) {
  return IsChannelName(name, prefixes) && IsCleanName(name);
}

bool IsCleanName(std::string_view name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c <= 0x20 || c == ',' || c == 0x7F) return false;
  }
  return true;
}

std::string ExpandShortName(std::string_view name) {
  if (name.empty() || name.front() != '%') return std::string(name);
  std::string expanded = "#";
  expanded += name.substr(1);
  expanded += kJpSuffix;
  return expanded;
}

// The middle part must not be empty: «#:*.jp» has no short form.
bool HasShortForm(std::string_view name) {
  return name.size() > kJpSuffix.size() + 1 && name.front() == '#' && name.ends_with(kJpSuffix);
}

std::string ShortenName(std::string_view name) {
  if (!HasShortForm(name)) return std::string(name);
  std::string shortened = "%";
  shortened += name.substr(1, name.size() - 1 - kJpSuffix.size());
  return shortened;
}

bool IsSafeChannel(std::string_view name) { return name.starts_with('!'); }

bool IsSafeCreate(std::string_view name) { return name.starts_with("!!"); }

std::string StripSafeId(std::string_view name) {
  if (name.size() <= kSafeIdEnd || !IsSafeChannel(name) || IsSafeCreate(name)) return std::string(name);
  std::string stripped = "!";
  stripped += name.substr(kSafeIdEnd);
  return stripped;
}

std::string IrcUpper(std::string_view text) {
  std::string upper(text);
  FoldSingleByteChars(upper, IrcUpperByte);
  return upper;
}

// The wire form is no longer Shift_JIS: the server folds every byte, and so
// must the comparison.
std::string WireFold(const TWireEncoding& encoding, std::string_view name) {
  std::string wire = encoding.Encode(name);
  for (char& c : wire) c = IrcUpperByte(c);
  return wire;
}

// 7-bit names are never foreign and go out as they are.
bool SameName(const TWireEncoding& encoding, std::string_view a, std::string_view b) {
  if (IsSevenBit(a) && IsSevenBit(b)) return SameFolded(a, b);
  std::string wire_a = encoding.EncodeName(a);
  std::string wire_b = encoding.EncodeName(b);
  return SameFolded(wire_a, wire_b);
}

bool SameName(std::string_view a, std::string_view b) { return IrcUpper(a) == IrcUpper(b); }

bool WildMatch(std::string_view pattern, std::string_view text) { return Match(pattern, text, false); }

bool WildMatchMultibyte(std::string_view pattern, std::string_view text) { return Match(pattern, text, true); }

bool IsValidNick(std::string_view text) {
  if (text.empty()) return false;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    if (SjisCharLength(text, pos) > 1 || !IsNickChar(text[pos], pos == 0)) return false;
  }
  return true;
}

std::string SanitizeNick(std::string_view text) {
  return UnderscoreUnless(text, [](char c, size_t pos) { return IsNickChar(c, pos == 0); });
}

std::string SafeNickChars(std::string_view text) {
  if (text.empty()) return "_";
  return UnderscoreUnless(text, [](char c, size_t) { return IsSafeNickChar(c); });
}

}  // namespace zeph
