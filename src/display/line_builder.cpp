#include "display/line_builder.h"

#include <algorithm>

#include "display/keyword_matcher.h"
#include "display/url_detector.h"

namespace zeph {
namespace {

void AppendShifted(const std::vector<TTextRange>& ranges, size_t by, std::vector<TTextRange>& out) {
  for (const TTextRange& range : ranges) out.push_back(TTextRange{range.start + by, range.end + by});
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
  line.category = source.category;
  line.nick_class = source.nick_class;
  line.nick = source.nick;
  line.link_key = source.link_key;
  line.serial = source.serial;
  line.unit = source.unit;
  line.channel = source.channel;

  bool match_keywords = keyword_check && IsMessageCategory(source.category) && keywords_ && keywords_->HasKeywords();
  if (!IsBuilt(source.body, match_keywords)) BuildBody(source.body, match_keywords);
  line.keyword_hit = keyword_hit_;
  line.text.reserve(source.time.size() + source.place.size() + source.nick_piece.size() + body_.text.size());
  AppendPrefixPiece(line, source.time, TLogElement::Time);
  AppendPrefixPiece(line, source.place, TLogElement::Place);
  AppendPrefixPiece(line, source.nick_piece, TLogElement::Nick);
  const size_t offset = line.text.size();
  line.prefix_length = offset;
  line.text += body_.text;
  AppendShifted(addresses_, offset, line.addresses);
  AppendShifted(urls_, offset, line.urls);
  for (const TLogRun& run : body_runs_)
    line.runs.push_back(TLogRun{run.start + offset, run.end + offset, run.element, run.decoration});
}

bool TLineBuilder::IsBuilt(const std::string& body, bool match_keywords) const {
  return built_ && match_keywords == matched_keywords_ && body == source_body_ &&
         (!match_keywords || keyword_version_ == keywords_->Version());
}

void TLineBuilder::BuildBody(const std::string& body, bool match_keywords) {
  built_ = true;
  source_body_ = body;
  matched_keywords_ = match_keywords;
  keyword_version_ = match_keywords ? keywords_->Version() : 0;
  urls_.clear();
  addresses_.clear();
  body_runs_.clear();
  keyword_hit_ = false;
  DecodeDecoratedText(body, body_, TTabs::ExpandToFourSpaces);
  if (body_.text.empty()) return;

  elements_.assign(1, TElementSpan{0, TLogElement::Text});
  detector_.FindAllAddresses(body_.text, addresses_);
  Mark(addresses_, TLogElement::Address);
  detector_.FindAllUrls(body_.text, urls_);
  Mark(urls_, TLogElement::Url);
  if (match_keywords) MatchKeywords();
  BuildBodyRuns();
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

void TLineBuilder::MatchKeywords() {
  keyword_ranges_.clear();
  keyword_hit_ = keywords_->Match(body_.text, urls_, keyword_ranges_);
  Mark(keyword_ranges_, TLogElement::Keyword);
}

// A new run starts wherever the element or the decoration changes, which
// can only be where an element span or a decoration span starts.
void TLineBuilder::BuildBodyRuns() {
  const size_t length = body_.text.size();
  size_t next_element = 0;
  size_t next_decoration = 0;
  TLogElement element = TLogElement::Text;
  TDecoration decoration;
  for (size_t pos = 0; pos < length;) {
    while (next_element < elements_.size() && elements_[next_element].start <= pos)
      element = elements_[next_element++].element;
    while (next_decoration < body_.spans.size() && body_.spans[next_decoration].start <= pos)
      decoration = body_.spans[next_decoration++].decoration;
    bool same =
        !body_runs_.empty() && body_runs_.back().element == element && body_runs_.back().decoration == decoration;
    if (!same) {
      if (!body_runs_.empty()) body_runs_.back().end = pos;
      body_runs_.push_back(TLogRun{pos, length, element, decoration});
    }
    size_t element_end = next_element < elements_.size() ? elements_[next_element].start : length;
    size_t decoration_end = next_decoration < body_.spans.size() ? body_.spans[next_decoration].start : length;
    pos = std::min(element_end, decoration_end);
  }
}

}  // namespace zeph
