#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "settings/line_list.h"

// Macro and popup-menu files hold one record per line, its fields
// separated by TAB, in the byte layout the Windows client writes.
namespace zeph {

// Empty lines and lines beginning with "#" hold no record.
bool IsRecordLine(std::string_view line);

// The records of the lines that hold one, in file order; `parse`(line,
// &record) tells whether a line does.
template <typename Record>
std::vector<Record> ReadRecords(const TLineList& lines, bool (*parse)(std::string_view, Record*)) {
  std::vector<Record> records;
  Record record;
  for (const std::string& line : lines.Lines()) {
    if (parse(line, &record)) records.push_back(record);
  }
  return records;
}

// One line per record.
template <typename Record>
TLineList RecordLines(const std::vector<Record>& records, std::string (*format)(const Record&)) {
  TLineList lines;
  for (const Record& record : records) lines.Add(format(record));
  return lines;
}

// The first `count` fields of a line; fields missing at its end are empty,
// fields beyond `count` are dropped. A TAB that is the second byte of a
// double-byte character would not end a field (none is: TAB is no trail
// byte), the cut is the same as NextField's.
std::vector<std::string> SplitRecord(std::string_view line, size_t count);

// The fields joined by TAB. A TAB, CR or LF inside a field becomes a blank:
// the format has no escape for them, and one would shift the fields after
// it or break the record into two lines.
std::string JoinRecord(std::initializer_list<std::string_view> fields);

// The decimal number at the start of a field: leading blanks and one sign
// allowed, digits up to the first other byte, 0 without digits, held to the
// int range.
int RecordInteger(std::string_view field);

}  // namespace zeph
