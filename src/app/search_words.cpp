#include "app/search_words.h"

#include "platform/sjis.h"

namespace zeph {

std::vector<std::string> SplitSearchWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  auto end_word = [&] {
    if (!word.empty()) words.push_back(std::move(word));
    word.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == ' ' || c == '\t') {
      end_word();
    } else if (IsSjisLead(c) && i + 1 < text.size()) {
      if (c == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40) {
        end_word();
      } else {
        word.append(text.substr(i, 2));
      }
      ++i;
    } else {
      word += text[i];
    }
  }
  end_word();
  return words;
}

}  // namespace zeph
