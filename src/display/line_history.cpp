#include "display/line_history.h"

#include <string>

namespace zeph {

const TLogLine& TLineHistory::Add(const TLogLineSource& entry) {
  const TLogLine& line = lines_.AddLine(entry, true);
  if (sink_) {
    // A log file receives the line as printed, decorations and tabs included;
    // the writer strips the control bytes itself.
    // One buffer serves every entry of every history (the writer is done
    // with the text when it returns), so an entry costs no allocation.
    static std::string text;
    text.assign(entry.time).append(entry.place).append(entry.nick_piece).append(entry.body);
    sink_->WriteLine(text);
  }
  return line;
}

}  // namespace zeph
