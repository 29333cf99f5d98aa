#pragma once

#include <filesystem>

#include "settings/server_config.h"

// tree.ini: the server tree with its masks, servers and channels.
namespace zeph {

class TIniFile;
class TIniWriter;

// Replaces *world with the file's tree. A missing or unreadable file gives
// an empty tree; the result says whether the file was read.
bool LoadTree(const std::filesystem::path& path, TWorldConfig* world);
// Writes the whole file, readable by the owner only (it holds passwords),
// creating its folder if needed. False if it could not be written; the old
// file then stays as it was.
bool SaveTree(const std::filesystem::path& path, const TWorldConfig& world);

// The same on a loaded file and on a writer, for callers that hold them.
// Reading normalises: empty masks and macro file names are dropped, a
// server password is decoded (or taken as plain text from files before
// PasswordVersion 1), and a unit name that repeats an earlier one gets
// "_" appended until it is unique.
void ReadWorldConfig(TIniFile& ini, TWorldConfig* world);
void WriteWorldConfig(TIniWriter& writer, const TWorldConfig& world);

}  // namespace zeph
