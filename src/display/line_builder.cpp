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

TLogLine TLineBuilder::Build(const TLogLineSource& source, bool keywordCheck) {
  TLogLine line;
  line.category = source.category;
  line.nickClass = source.nickClass;
  line.nick = source.nick;
  line.linkKey = source.linkKey;
  line.serial = source.serial;
  line.unit = source.unit;
  line.channel = source.channel;

  DecodeDecoratedText(source.body, body_, TTabs::ExpandToFourSpaces);
  line.text.reserve(source.time.size() + source.place.size() + source.nickPiece.size() + body_.text.size());
  AppendPrefixPiece(line, source.time, TLogElement::Time);
  AppendPrefixPiece(line, source.place, TLogElement::Place);
  AppendPrefixPiece(line, source.nickPiece, TLogElement::Nick);
  line.prefixLength = line.text.size();
  if (body_.text.empty()) return line;

  elements_.assign(body_.text.size(), TLogElement::Text);
  detector_.FindAllAddresses(body_.text, line.addresses);
  Mark(line.addresses, TLogElement::Address);
  detector_.FindAllUrls(body_.text, line.urls);
  Mark(line.urls, TLogElement::Url);
  if (keywordCheck && IsMessageCategory(source.category)) MatchKeywords(line);

  ShiftRanges(line.addresses, line.prefixLength);
  ShiftRanges(line.urls, line.prefixLength);
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
  keywordRanges_.clear();
  line.keywordHit = keywords_->Match(body_.text, line.urls, keywordRanges_);
  Mark(keywordRanges_, TLogElement::Keyword);
}

// A new run starts wherever the element or the decoration changes.
void TLineBuilder::AppendBodyRuns(TLogLine& line) const {
  size_t offset = line.prefixLength;
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
