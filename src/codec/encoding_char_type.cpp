#include "codec/encoding_char_type.h"

#include "platform/sjis.h"

namespace zeph {

// Every byte that cannot be a lead ends a character, so only the run of
// lead-capable bytes just before index matters: they pair off from its start,
// and an odd run leaves its last byte as the lead of the byte at index —
// when that byte can follow a lead at all.
TCharType CharType(std::string_view text, size_t index) {
  if (index >= text.size()) return kSingleByte;
  auto byte = [&](size_t pos) { return static_cast<unsigned char>(text[pos]); };
  size_t run = 0;
  while (run < index && IsSjisLead(byte(index - 1 - run))) ++run;
  if (run % 2 == 1 && IsSjisTrail(byte(index))) return kTrailByte;
  return SjisCharLength(text, index) == 2 ? kLeadByte : kSingleByte;
}

}  // namespace zeph
