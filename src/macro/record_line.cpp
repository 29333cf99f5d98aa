#include "macro/record_line.h"

#include <algorithm>
#include <climits>

#include "engine/irc_text.h"

namespace zeph {

bool IsRecordLine(std::string_view line) { return !line.empty() && line.front() != '#'; }

std::vector<std::string> SplitRecord(std::string_view line, size_t count) {
  std::string rest(line);
  std::vector<std::string> fields;
  fields.reserve(count);
  while (fields.size() < count) fields.push_back(NextField(rest, '\t'));
  return fields;
}

std::string JoinRecord(std::initializer_list<std::string_view> fields) {
  std::string line;
  bool first = true;
  for (std::string_view field : fields) {
    if (!first) line += '\t';
    first = false;
    for (char c : field) line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  }
  return line;
}

int RecordInteger(std::string_view field) {
  size_t pos = field.find_first_not_of(" \t");
  if (pos == std::string_view::npos) return 0;
  bool negative = field[pos] == '-';
  if (field[pos] == '-' || field[pos] == '+') ++pos;
  long long value = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; pos < field.size() && field[pos] >= '0' && field[pos] <= '9'; ++pos)
    value = std::min(value * 10 + (field[pos] - '0'), limit);
  return static_cast<int>(negative ? -value : value);
}

}  // namespace zeph
