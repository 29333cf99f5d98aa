#pragma once

#include <string>
#include <string_view>

#include "display/log_line.h"

// How the line store keeps a line: a record of bytes, a few dozen besides
// the text, with numbers as variable-length integers and the runs as
// lengths and packed decorations. A line's text shares its start with the
// line before it ("12:34 (nick") where that line is given, so consecutive
// lines of one log store the common start once.
//
// The serial is not kept: the store knows it from the line's position.
namespace zeph {

// At most this many bytes in the record of line.
size_t MostRecordBytes(const TLogLine& line);

// Writes the record of line at at, which has room for MostRecordBytes(line)
// bytes, and returns where it ends. previous, when given, is the line before
// it in the store: the record refers to it for the text's start, the unit
// and the channel, and decodes only after it.
char* WriteLineRecord(const TLogLine& line, const TLogLine* previous, char* at);

// Decodes the record at bytes[pos] into line and returns the position after
// it. line holds the line before this one when the record refers to it (it
// was appended with a previous line); its buffers are reused.
size_t ReadLineRecord(std::string_view bytes, size_t pos, TLogLine& line);

}  // namespace zeph
