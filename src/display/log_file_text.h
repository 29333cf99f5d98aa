#pragma once

#include <string>
#include <string_view>

// The text of a log file's line: the line stripped of its control codes,
// then made valid Shift_JIS with no control byte but TAB, so that any
// reader decodes the file and showing it in a terminal cannot drive the
// terminal. A line break becomes a blank (one line of the log stays one
// line of the file); a byte that starts no character of code page 932
// becomes "〓".
namespace zeph {

struct TLogLineSource;

// Each appends one line to out, without its CR LF. spare is a buffer the
// few lines that need a change use; reusing it saves an allocation.
void AppendLogFileLine(std::string_view text, std::string& out, std::string& spare);
// The source's time, place, nick piece and body as one line.
void AppendLogFileLine(const TLogLineSource& source, std::string& out, std::string& spare);
// A line that holds no control codes already (only the file text rule).
void AppendStrippedLogFileLine(std::string_view text, std::string& out, std::string& spare);

}  // namespace zeph
