#include "display/line_builder.h"

#include <algorithm>

#include "display/keyword_matcher.h"
#include "display/url_detector.h"

namespace zeph {
namespace {

void ShiftRanges(std::vector<TTextRange>& ranges, size_t by) {
  for (TTextRange& range : ranges) {
    range.start += by;
    range.end += by;
  }
}

}  // namespace

TLineBuilder::TLineBuilder(const TUrlDetector& detector, const TKeywordMatcher* keywords)
    : detector_(detector), keywords_(keywords) {}

TLogLine TLineBuilder::Build(const TLogLineSource& source, bool keyword_check) {
  TLogLine line;
  line.category = source.category;
  line.nick_class = source.nick_class;
  line.nick = source.nick;
  line.link_key = source.link_key;
  line.serial = source.serial;
  line.unit = source.unit;
  line.channel = source.channel;

  DecodeDecoratedText(source.body, body_, TTabs::ExpandToFourSpaces);
  line.text.reserve(source.time.size() + source.place.size() + source.nick_piece.size() + body_.text.size());
  AppendPrefixPiece(line, source.time, TLogElement::Time);
  AppendPrefixPiece(line, source.place, TLogElement::Place);
  AppendPrefixPiece(line, source.nick_piece, TLogElement::Nick);
  line.prefix_length = line.text.size();
  if (body_.text.empty()) return line;

  elements_.assign(body_.text.size(), TLogElement::Text);
  detector_.FindAllAddresses(body_.text, line.addresses);
  Mark(line.addresses, TLogElement::Address);
  detector_.FindAllUrls(body_.text, line.urls);
  Mark(line.urls, TLogElement::Url);
  if (keyword_check && IsMessageCategory(source.category)) MatchKeywords(line);

  ShiftRanges(line.addresses, line.prefix_length);
  ShiftRanges(line.urls, line.prefix_length);
  AppendBodyRuns(line);
  line.text += body_.text;
  return line;
}

void TLineBuilder::AppendPrefixPiece(TLogLine& line, const std::string& piece, TLogElement element) {
  if (piece.empty()) return;
  size_t start = line.text.size();
  line.text += piece;
  line.runs.push_back(TLogRun{start, line.text.size(), element, {}});
}

void TLineBuilder::Mark(const std::vector<TTextRange>& ranges, TLogElement element) {
  for (const TTextRange& range : ranges)
    std::fill(elements_.begin() + range.start, elements_.begin() + range.end, element);
}

void TLineBuilder::MatchKeywords(TLogLine& line) {
  if (!keywords_ || !keywords_->HasKeywords()) return;
  keyword_ranges_.clear();
  line.keyword_hit = keywords_->Match(body_.text, line.urls, keyword_ranges_);
  Mark(keyword_ranges_, TLogElement::Keyword);
}

// A new run starts wherever the element or the decoration changes.
void TLineBuilder::AppendBodyRuns(TLogLine& line) const {
  size_t offset = line.prefix_length;
  size_t start = 0;
  for (size_t pos = 1; pos <= body_.text.size(); ++pos) {
    if (pos < body_.text.size() && elements_[pos] == elements_[start] &&
        body_.decorations[pos] == body_.decorations[start])
      continue;
    line.runs.push_back(TLogRun{offset + start, offset + pos, elements_[start], body_.decorations[start]});
    start = pos;
  }
}

}  // namespace zeph
