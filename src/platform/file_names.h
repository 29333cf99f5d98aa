#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/sjis.h"

// Names of files and folders made from text that settings files and peers
// provide: what a name may hold, how long it may be, and whether a path
// stays inside the folder it was meant for.
namespace zeph {

// The longest file or folder name, in bytes of the file system's UTF-8.
inline constexpr size_t kMaxFileNameBytes = 255;

inline bool IsControlByte(unsigned char c) { return c < 0x20 || c == 0x7F; }
// A byte that no file name may hold on either platform: the characters
// Windows reserves, both separators and control bytes.
bool IsReservedInFileName(unsigned char c);

// Replaces each single-byte character of a Shift_JIS text for which `bad`
// holds by "_". Double-byte characters are stepped over whole, so a second
// byte 0x5C ("\") or 0x7C ("|") stays part of its character.
template <typename Predicate>
void ReplaceSingleByteChars(std::string& text, Predicate bad) {
  FoldSingleByteChars(text, [&bad](char c) { return bad(static_cast<unsigned char>(c)) ? '_' : c; });
}

// Settings files written on Windows separate folders with "\"; every such
// separator of a Shift_JIS text becomes "/".
std::string WithSlashes(std::string_view text);

// A folder typed in the settings (internal text, "\" or "/" separators)
// as an absolute folder of the file system without a final separator;
// empty when the text names no absolute folder (such as a Windows drive
// path from a copied profile). Characters Windows reserves and control
// bytes become "_".
std::filesystem::path FolderFromText(std::string_view text);
// An absolute folder without a final separator, or empty.
std::filesystem::path AbsoluteFolder(const std::filesystem::path& folder);

// At most `limit` bytes of UTF-8 text, cut before a whole character.
std::string_view CutUtf8(std::string_view text, size_t limit);

// stem + extension within `limit` bytes of UTF-8: the stem gives way, and
// an extension too long to keep is cut with the rest.
std::string FitFileName(std::string_view stem, std::string_view extension, size_t limit = kMaxFileNameBytes);

// Where the extension of a file name starts (its last "."); npos when it
// has none. A leading dot starts no extension.
size_t ExtensionStart(std::string_view name);

// Whether `path`, taken as written, names something below `folder`.
bool IsInsideFolder(const std::filesystem::path& folder, const std::filesystem::path& path);

}  // namespace zeph
