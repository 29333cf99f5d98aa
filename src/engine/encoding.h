#pragma once

#include <string>
#include <string_view>

// The text encoding of one connection: every received text passes Decode
// into the internal Shift_JIS, every sent text passes Encode out of it.
namespace zeph {

class TForeignNames;

// Session encoding values, as stored in a server entry's `Encoding`.
inline constexpr int kEncodingIso2022Jp = 0;
inline constexpr int kEncodingUtf8 = 1;

// The encoding a session uses for a configured one: UTF-8 needs code page
// 932 tables, ISO-2022-JP is pure arithmetic and always works.
int SessionEncoding(int configured);

// Cheap to build per call, so a caller can pass the current
// `KanaEncodingMethod` preference each time (0 full-width, 1 8-bit,
// 2 SO/SI, 3 kana set) and never holds a stale copy.
struct TWireEncoding {
  int session_encoding = kEncodingIso2022Jp;
  int kana_method = 0;
  // The unit's names that came in the other encoding; none when null.
  const TForeignNames* foreign_names = nullptr;

  // Networks mix both encodings, so each text is read in the one its bytes
  // show: on an ISO-2022-JP session a text whose 8-bit bytes are all
  // well-formed UTF-8 is read as UTF-8 (any other 8-bit bytes are copied
  // as Shift_JIS, as older clients send them); on a UTF-8 session a 7-bit
  // text with an ISO-2022-JP escape sequence is read as ISO-2022-JP.
  // `foreign`, when given, tells whether the other encoding read it.
  std::string Decode(std::string_view wire, bool* foreign = nullptr) const;
  // The same into out, reusing its buffer (every received line passes
  // here); out must not hold the bytes of wire.
  void DecodeInto(std::string_view wire, std::string& out, bool* foreign = nullptr) const;
  // Never fails: conversion is per character with "〓" for what cannot be
  // written, so the result is empty only for an empty text and a command
  // never goes out with a field lost to a conversion error. Always in the
  // session's encoding, whatever was received.
  std::string Encode(std::string_view text) const;
  // A nick or channel name as the server knows it: in the bytes it came in
  // when those would not come back from the session's encoding, else
  // encoded.
  std::string EncodeName(std::string_view name) const;
  // Parameters joined by blanks, and by commas within a list: each name
  // among them as EncodeName writes it.
  std::string EncodeParams(std::string_view params) const;

  bool operator==(const TWireEncoding&) const = default;

 private:
  bool IsUtf8Session() const { return session_encoding != kEncodingIso2022Jp; }
};

}  // namespace zeph
