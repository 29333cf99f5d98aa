#include "display/log_line.h"

#include <algorithm>

namespace zeph {
namespace {

std::string_view TextOfRangeAt(const std::string& text, const std::vector<TTextRange>& ranges, size_t pos) {
  for (const TTextRange& range : ranges)
    if (range.Contains(pos)) return std::string_view(text).substr(range.start, range.Length());
  return {};
}

}  // namespace

TLogElement TLogLine::ElementAt(size_t pos) const {
  auto after = std::upper_bound(runs.begin(), runs.end(), pos, [](size_t p, const TLogRun& run) { return p < run.start; });
  if (after == runs.begin()) return TLogElement::Text;
  const TLogRun& run = *std::prev(after);
  return pos < run.end ? run.element : TLogElement::Text;
}

std::string_view TLogLine::UrlAt(size_t pos) const { return TextOfRangeAt(text, urls, pos); }

std::string_view TLogLine::AddressAt(size_t pos) const { return TextOfRangeAt(text, addresses, pos); }

}  // namespace zeph
