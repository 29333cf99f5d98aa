#pragma once
#include <string>
#include <vector>

#include "display/log_line.h"
#include "display/message_format.h"

// The sample log of the settings dialog's preview: one line of every
// category, nicks of every class, a keyword, a URL, a host address and the
// search word, written with the formats being edited.
namespace zeph {

// The preview's only keyword and its search word.
const std::string& PreviewKeyword();
const std::string& PreviewSearchWord();

// The lines of the channel log preview, or of the console preview (which
// shows the unit and channel of each line).
std::vector<TLogLineSource> PreviewLogLines(const TMessageFormat& formats, bool console);

}  // namespace zeph
