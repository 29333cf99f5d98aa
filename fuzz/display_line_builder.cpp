// A received line with the user's keywords through the line builder and the
// keyword matcher. The input holds a flag byte, then a keyword, a disliked
// word and the body separated by newlines. The built line's runs must cover
// its text without gaps, and every keyword range must hold its keyword on
// whole characters.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "display/folded_text.h"
#include "display/keyword_matcher.h"
#include "display/line_builder.h"
#include "display/url_detector.h"
#include "platform/sjis.h"

using namespace zeph;

namespace {

std::string_view NextPart(std::string_view& rest) {
  size_t newline = rest.find('\n');
  std::string_view part = rest.substr(0, newline);
  rest = newline == std::string_view::npos ? std::string_view() : rest.substr(newline + 1);
  return part;
}

void CheckRuns(const TLogLine& line) {
  size_t covered = 0;
  for (const TLogRun& run : line.runs) {
    if (run.start != covered || run.end <= run.start) abort();
    covered = run.end;
  }
  if (covered != line.text.size()) abort();
  for (const auto* ranges : {&line.urls, &line.addresses}) {
    for (const TTextRange& r : *ranges) {
      if (r.start < line.prefix_length || r.end > line.text.size()) abort();
    }
  }
}

void CheckKeywords(const TKeywordMatcher& matcher, std::string_view body, const std::string& like) {
  std::vector<TTextRange> ranges;
  matcher.Match(body, {}, ranges);
  std::string folded, pattern;
  FoldAsciiUpper(body, folded);
  FoldAsciiUpper(like, pattern);
  std::vector<uint8_t> starts;
  MarkCharacterStarts(body, starts);
  for (const TTextRange& r : ranges) {
    if (r.end > body.size() || !starts[r.start] || !starts[r.end]) abort();
    if (std::string_view(folded).substr(r.start, r.Length()) != pattern) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  uint8_t flags = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  TKeywordSettings settings;
  settings.like = {std::string(NextPart(rest))};
  settings.dislike = {std::string(NextPart(rest))};
  settings.match_case = flags & 1;
  settings.ignore_url = flags & 2;
  TKeywordMatcher matcher(settings);

  TLogLineSource source;
  source.time = flags & 4 ? "12:00 " : "";
  source.nick_piece = flags & 8 ? "(nick) " : "";
  source.body = std::string(rest);
  source.category = (flags >> 4) % 4;
  TLineBuilder builder(TUrlDetector::Shared(), &matcher);
  TLogLine line = builder.Build(source, true);
  CheckRuns(line);
  if (!settings.match_case && !settings.like[0].empty()) CheckKeywords(matcher, source.body, settings.like[0]);
  return 0;
}
