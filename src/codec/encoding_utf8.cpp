#include "codec/encoding_utf8.h"

#include "platform/cp932.h"

namespace zeph {

// Both directions convert one character at a time through tables built from
// iconv once, so a bad character costs one "〓" and never the whole text.
std::string DecodeUtf8(std::string_view utf8) { return cp932::FromUtf8(utf8); }

std::string EncodeUtf8(std::string_view sjis) { return cp932::ToUtf8(sjis); }

}  // namespace zeph
