#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where a received file goes. File names and nicks come from peers, so
// each becomes exactly one name inside the receive folder: no name can
// climb out of it, name a hidden file, or exceed what the file system
// takes.
namespace zeph {

struct TPreferences;

// A peer's file name or nick as one name (internal text in, internal text
// out): ":", "<", ">", "\", "/", "*", "?", "|", double quotes and control
// bytes become "_", found by a Shift_JIS scan so that a second byte 0x5C
// stays part of its character; ".", ".." and the empty name become "_",
// and a leading "." becomes "_".
std::string CleanReceivedName(std::string_view name);

// The numbers a name may carry to stay clear of existing files: the
// temporary name tries none, then 0 to 99; the final name none, then 0 to
// 9999.
inline constexpr int kNoNumber = -1;
inline constexpr int kLastIncompleteNumber = 99;
inline constexpr int kLastFinalNumber = 9999;

// The names on disk (UTF-8) of a file whose cleaned name is given: while
// it is received "_incomplete_" + stem + ext, once complete stem + ext,
// each with "_%02d" after the stem for a number. Stem and ext are the
// parts before and from the last ".". Each fits the file system's limit:
// the stem gives way, never the prefix or the number.
std::string IncompleteFileName(std::string_view cleaned_name, int number = kNoNumber);
std::string FinalFileName(std::string_view cleaned_name, int number = kNoNumber);

// Whether a file found in the receive folder is a partial file of the
// cleaned name: "_incomplete_" + stem + ext, or with "_" and one or more
// digits after the stem.
bool IsIncompleteFileOf(std::string_view disk_name, std::string_view cleaned_name);

// The folder for files from `nick`: DCCRootDir (the desktop folder when it
// names no absolute folder), and below it the nick as one cleaned name when
// ReceiveInNickFolder is on. Empty when no folder is known at all.
std::filesystem::path ReceiveFolder(const TPreferences& preferences, std::string_view nick);
// The folder of every receive: DCCRootDir, else the desktop.
std::filesystem::path ReceiveRootFolder(const TPreferences& preferences);

// folder/disk_name, when that lies inside the folder; nothing for a name
// that is not a single name of the folder.
std::optional<std::filesystem::path> FileInFolder(const std::filesystem::path& folder,
                                                  std::string_view disk_name);

}  // namespace zeph
