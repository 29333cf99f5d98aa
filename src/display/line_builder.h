#pragma once

#include <cstdint>
#include <string>
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
// serves all logs of the (single-threaded) program, and a line usually
// reaches several of them in a row (its own log, the console, the URL
// history) with only the prefix pieces differing: the work on a body is kept
// until a different body comes.
class TLineBuilder {
 public:
  // keywords may be null: then no line is matched against keywords.
  TLineBuilder(const TUrlDetector& detector, const TKeywordMatcher* keywords);

  void SetKeywordMatcher(const TKeywordMatcher* keywords) {
    keywords_ = keywords;
    built_ = false;
  }

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

  bool IsBuilt(const std::string& body, bool match_keywords) const;
  // Fills the body's members below from body, positions counted in its text.
  void BuildBody(const std::string& body, bool match_keywords);
  void AppendPrefixPiece(TLogLine& line, const std::string& piece, TLogElement element);
  // Marks the bytes of every range with element, over what they were.
  void Mark(const std::vector<TTextRange>& ranges, TLogElement element);
  TLogElement ElementAt(size_t pos) const;
  void MatchKeywords();
  void BuildBodyRuns();

  const TUrlDetector& detector_;
  const TKeywordMatcher* keywords_;
  std::vector<TElementSpan> elements_;  // sorted by start, the first at 0
  std::vector<TTextRange> keyword_ranges_;

  // The body built last and what was found in it.
  bool built_ = false;
  std::string source_body_;
  bool matched_keywords_ = false;
  std::uint64_t keyword_version_ = 0;
  TDecodedText body_;
  std::vector<TTextRange> urls_;
  std::vector<TTextRange> addresses_;
  std::vector<TLogRun> body_runs_;
  bool keyword_hit_ = false;
};

}  // namespace zeph
