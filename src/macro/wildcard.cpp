#include "macro/wildcard.h"

#include <string>

#include "engine/channel_name.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// Marks the bytes that start the stand-ins of first and second bytes.
constexpr char kFirstByteMark = '\x81';
constexpr char kSecondByteMark = '\x82';

// The text with every byte of a double-byte character replaced by a
// double-byte character of its own that tells first from second byte.
// Matched character by character, each original byte is then one position,
// and two positions are equal exactly when the bytes and their kinds are.
// Every byte value of a double-byte character is a valid second byte, and
// single-byte characters stay as they are: none of them could pair with a
// stand-in, since a lead byte followed by any stand-in's first byte would
// itself have been a double-byte character.
std::string ByteKindForm(std::string_view text) {
  std::string form;
  form.reserve(text.size() * 2);
  for (size_t pos = 0; pos < text.size();) {
    if (SjisCharLength(text, pos) == 1) {
      form += text[pos++];
      continue;
    }
    form += kFirstByteMark;
    form += text[pos++];
    form += kSecondByteMark;
    form += text[pos++];
  }
  return form;
}

}  // namespace

bool MatchWildcard(std::string_view pattern, std::string_view text) { return TWildcardText(text).Matches(pattern); }

TWildcardText::TWildcardText(std::string_view text) : form_(ByteKindForm(text)) {}

bool TWildcardText::Matches(std::string_view pattern) const { return WildMatchMultibyte(ByteKindForm(pattern), form_); }

bool MatchMask(std::string_view mask, std::string_view text) { return WildMatch(mask, text); }

}  // namespace zeph
