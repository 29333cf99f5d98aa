#pragma once

#include <string>
#include <string_view>
#include <vector>

// The rules of pasting several lines into the input line: when a paste is
// confirmed first, and the confirmation's edits.
namespace zeph {

// A text holds more than one line when it has a CR or LF before its end;
// a single LF, CR or CR LF that ends the text does not make a second line
// (clipboards end what they copy with one).
bool IsMultiLinePaste(std::string_view text);

// A one-line paste as the input box takes it: without its line end.
std::string_view SingleLinePaste(std::string_view text);

// Lines split at CR LF, LF or CR, without their ends; an end at the very
// end of the text starts no further line.
std::vector<std::string_view> PasteLines(std::string_view text);

// Drops every line that is empty or holds only blanks, TABs and full-width
// blanks; each remaining line is followed by CR LF.
std::string RemoveBlankLines(std::string_view text);

// The quote mark in front of every line; each line is followed by CR LF.
std::string AddQuoteMark(std::string_view text, std::string_view mark);

}  // namespace zeph
