#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Saving a log to a text file of the user's choice.
namespace zeph {

class TLineStore;

// The name with every character a file name may not hold (: < > \ / * ? | ")
// replaced by "_"; double-byte characters are kept whole, so their second
// byte is never replaced.
std::string SafeFileNamePart(std::string_view name);

// "<name>-YYYYMMDD.txt" for the channel (or unit) name, made safe as above.
std::string SavedLogFileName(std::string_view name, int year, int month, int day);

// Writes the text of every line, each followed by CR LF, in Shift_JIS over
// the file (created, or cut to nothing). False when it cannot be written.
bool WriteSavedLog(const std::filesystem::path& path, const TLineStore& lines);

}  // namespace zeph
