#include "display/line_history.h"

#include <string>

namespace zeph {

const TLogLine& TLineHistory::Add(const TLogLineSource& entry) {
  const TLogLine& line = lines_.AddLine(entry, true);
  if (sink_) {
    // A log file receives the line as printed, decorations and tabs included;
    // the writer strips the control bytes itself.
    std::string text;
    text.reserve(entry.time.size() + entry.place.size() + entry.nick_piece.size() + entry.body.size());
    text.append(entry.time).append(entry.place).append(entry.nick_piece).append(entry.body);
    sink_->WriteLine(text);
  }
  return line;
}

}  // namespace zeph
