#pragma once

#include <string>
#include <string_view>

// The text encoding of one connection: every received text passes Decode
// into the internal Shift_JIS, every sent text passes Encode out of it.
namespace zeph {

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

  std::string Decode(std::string_view wire) const;
  // Never fails: conversion is per character with "〓" for what cannot be
  // written, so the result is empty only for an empty text and a command
  // never goes out with a field lost to a conversion error.
  std::string Encode(std::string_view text) const;

  bool operator==(const TWireEncoding&) const = default;
};

}  // namespace zeph
