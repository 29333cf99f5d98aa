#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeph {

// The words of the search box: split at blanks, TABs and full-width blanks
// (a run of them counts as one); double-byte characters are kept whole, so
// a trail byte that looks like a blank splits nothing.
std::vector<std::string> SplitSearchWords(std::string_view text);

}  // namespace zeph
