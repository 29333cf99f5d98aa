#include "support/socket_recorder.h"

#include <algorithm>

namespace zeph::test {

bool TSocketRecorder::Saw(const std::string& event) const {
  return std::find(events.begin(), events.end(), event) != events.end();
}

void TSocketRecorder::Record(const std::string& event, TStreamSocket& socket) {
  events.push_back(event);
  if (on_event) on_event(event, socket);
}

void TSocketRecorder::OnSocketData(TStreamSocket& s) {
  while (s.Length() > 0) {
    int before = s.Length();
    std::string_view line = s.ReadLine();
    if (s.Length() == before) break;
    lines.emplace_back(line);
  }
  Record("data", s);
}

void TSocketRecorder::OnSocketError(TStreamSocket& s, int kind, const std::string& text) {
  error_kind = kind;
  error_text = text;
  Record("error", s);
}

}  // namespace zeph::test
