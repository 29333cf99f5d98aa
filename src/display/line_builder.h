#pragma once

#include <vector>

#include "display/decorated_text.h"
#include "display/log_line.h"
#include "display/text_range.h"

namespace zeph {

class TKeywordMatcher;
class TUrlDetector;

// Builds log lines: decodes the body's decorations, finds its addresses,
// URLs and keywords, and merges it all into runs. Every received line passes
// through here, so the scratch buffers are kept between lines. One builder
// serves all logs of the (single-threaded) program.
class TLineBuilder {
 public:
  // keywords may be null: then no line is matched against keywords.
  TLineBuilder(const TUrlDetector& detector, const TKeywordMatcher* keywords);

  void SetKeywordMatcher(const TKeywordMatcher* keywords) { keywords_ = keywords; }

  // keyword_check: the caller asks for keyword matching; it runs only for the
  // message categories (Privmsg, Notice, Action).
  TLogLine Build(const TLogLineSource& source, bool keyword_check);
  // The same into line, whose buffers are reused.
  void Build(const TLogLineSource& source, bool keyword_check, TLogLine& line);

 private:
  // Where an element starts in the body; it holds up to the next one.
  struct TElementSpan {
    size_t start;
    TLogElement element;
  };

  void AppendPrefixPiece(TLogLine& line, const std::string& piece, TLogElement element);
  // Marks the bytes of every range with element, over what they were.
  void Mark(const std::vector<TTextRange>& ranges, TLogElement element);
  TLogElement ElementAt(size_t pos) const;
  void MatchKeywords(TLogLine& line);
  void AppendBodyRuns(TLogLine& line) const;

  const TUrlDetector& detector_;
  const TKeywordMatcher* keywords_;
  TDecodedText body_;
  std::vector<TElementSpan> elements_;  // sorted by start, the first at 0
  std::vector<TTextRange> keyword_ranges_;
};

}  // namespace zeph
