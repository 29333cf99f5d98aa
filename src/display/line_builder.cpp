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
  Build(source, keyword_check, line);
  return line;
}

void TLineBuilder::Build(const TLogLineSource& source, bool keyword_check, TLogLine& line) {
  line.text.clear();
  line.runs.clear();
  line.urls.clear();
  line.addresses.clear();
  line.keyword_hit = false;
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
  if (body_.text.empty()) return;

  elements_.assign(1, TElementSpan{0, TLogElement::Text});
  detector_.FindAllAddresses(body_.text, line.addresses);
  Mark(line.addresses, TLogElement::Address);
  detector_.FindAllUrls(body_.text, line.urls);
  Mark(line.urls, TLogElement::Url);
  if (keyword_check && IsMessageCategory(source.category)) MatchKeywords(line);

  ShiftRanges(line.addresses, line.prefix_length);
  ShiftRanges(line.urls, line.prefix_length);
  AppendBodyRuns(line);
  line.text += body_.text;
}

void TLineBuilder::AppendPrefixPiece(TLogLine& line, const std::string& piece, TLogElement element) {
  if (piece.empty()) return;
  size_t start = line.text.size();
  line.text += piece;
  line.runs.push_back(TLogRun{start, line.text.size(), element, {}});
}

void TLineBuilder::Mark(const std::vector<TTextRange>& ranges, TLogElement element) {
  auto by_start = [](const TElementSpan& span, size_t pos) { return span.start < pos; };
  for (const TTextRange& range : ranges) {
    if (range.start >= range.end) continue;
    TLogElement after = ElementAt(range.end);
    auto first = std::lower_bound(elements_.begin(), elements_.end(), range.start, by_start);
    auto last = std::lower_bound(first, elements_.end(), range.end + 1, by_start);
    first = elements_.erase(first, last);
    first = elements_.insert(first, TElementSpan{range.start, element});
    if (range.end < body_.text.size()) elements_.insert(first + 1, TElementSpan{range.end, after});
  }
}

TLogElement TLineBuilder::ElementAt(size_t pos) const {
  auto after = std::upper_bound(elements_.begin(), elements_.end(), pos,
                                [](size_t p, const TElementSpan& span) { return p < span.start; });
  return std::prev(after)->element;
}

void TLineBuilder::MatchKeywords(TLogLine& line) {
  if (!keywords_ || !keywords_->HasKeywords()) return;
  keyword_ranges_.clear();
  line.keyword_hit = keywords_->Match(body_.text, line.urls, keyword_ranges_);
  Mark(keyword_ranges_, TLogElement::Keyword);
}

// A new run starts wherever the element or the decoration changes, which
// can only be where an element span or a decoration span starts.
void TLineBuilder::AppendBodyRuns(TLogLine& line) const {
  const size_t offset = line.prefix_length;
  const size_t length = body_.text.size();
  const size_t first_run = line.runs.size();
  size_t next_element = 0;
  size_t next_decoration = 0;
  TLogElement element = TLogElement::Text;
  TDecoration decoration;
  for (size_t pos = 0; pos < length;) {
    while (next_element < elements_.size() && elements_[next_element].start <= pos)
      element = elements_[next_element++].element;
    while (next_decoration < body_.spans.size() && body_.spans[next_decoration].start <= pos)
      decoration = body_.spans[next_decoration++].decoration;
    bool same = line.runs.size() > first_run && line.runs.back().element == element &&
                line.runs.back().decoration == decoration;
    if (!same) {
      if (line.runs.size() > first_run) line.runs.back().end = offset + pos;
      line.runs.push_back(TLogRun{offset + pos, offset + length, element, decoration});
    }
    size_t element_end = next_element < elements_.size() ? elements_[next_element].start : length;
    size_t decoration_end = next_decoration < body_.spans.size() ? body_.spans[next_decoration].start : length;
    pos = std::min(element_end, decoration_end);
  }
}

}  // namespace zeph
