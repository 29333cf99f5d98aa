#include "macro/macro_substitutions.h"

#include <array>
#include <optional>
#include <vector>

#include "settings/line_list.h"
#include "engine/irc_text.h"
#include "macro/data_path.h"
#include "macro/keyword_case.h"
#include "macro/macro_variables.h"
#include "macro/plugin_call.h"
#include "macro/wildcard.h"

namespace zeph {
namespace {

enum class TKeyword { Dollar, File, FileOnce, Dictionary, DictionaryOnce, Plugin };

struct TKeywordName {
  std::string_view name;
  TKeyword keyword;
  int arguments;
};

// In the order they are tried: a longer name before the name it starts with.
constexpr std::array<TKeywordName, 10> kKeywords = {{
    {"$$", TKeyword::Dollar, 0},
    {"$FILEONCE", TKeyword::FileOnce, 1},
    {"$FILEOT", TKeyword::FileOnce, 1},
    {"$FILE", TKeyword::File, 1},
    {"$REPLACEOT", TKeyword::DictionaryOnce, 2},
    {"$REPLACE", TKeyword::Dictionary, 2},
    {"$DICONCE", TKeyword::DictionaryOnce, 2},
    {"$DIC", TKeyword::Dictionary, 2},
    {"$DLLSTRING", TKeyword::Plugin, 3},
    {"$DLLFUNC", TKeyword::Plugin, 3},
}};

// The random line index: every index from 0 to count - 1 can occur.
int RandomIndex(int random, int count) { return static_cast<int>(random * static_cast<double>(count) / 32767.00003); }

class TSubstitution {
 public:
  TSubstitution(bool with_variables, const TMacroContext& context, TValueForm form)
      : with_variables_(with_variables), context_(context), form_(form) {}

  std::string Expand(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size()) {
      size_t dollar = text.find('$', pos);
      AppendLiteral(text.substr(pos, dollar == std::string_view::npos ? std::string_view::npos : dollar - pos));
      if (dollar == std::string_view::npos) break;
      pos = Substitute(text, dollar);
    }
    return std::move(out_);
  }

 private:
  void AppendLiteral(std::string_view literal) {
    if (literal.empty()) return;
    if (!with_variables_) {
      out_ += literal;
    } else {
      out_ += form_ == TValueForm::FileName ? ExpandFileNameVariables(literal, context_)
                                            : ExpandVariables(literal, context_);
    }
  }

  // A value the text gets from a file or a plug-in.
  void Insert(const std::string& value) {
    std::string expanded = ExpandVariables(value, context_);
    out_ += form_ == TValueForm::FileName ? FileNamePart(expanded) : expanded;
  }

  // Handles the "$" at `dollar`; returns where scanning goes on.
  size_t Substitute(std::string_view text, size_t dollar) {
    std::string_view rest = text.substr(dollar);
    const TKeywordName* found = nullptr;
    for (const TKeywordName& keyword : kKeywords) {
      if (StartsWithKeyword(rest, keyword.name)) {
        found = &keyword;
        break;
      }
    }
    if (found == nullptr) {
      out_ += '$';
      return dollar + 1;
    }
    size_t pos = dollar + found->name.size();
    if (found->keyword == TKeyword::Dollar) {
      out_ += '$';
      return pos;
    }
    if (pos >= text.size() || text[pos] != '(') return pos;
    ++pos;
    std::vector<std::string_view> arguments;
    for (int i = 0; i < found->arguments; ++i) {
      size_t end = text.find(i + 1 == found->arguments ? ')' : ',', pos);
      if (end == std::string_view::npos) return pos;
      arguments.push_back(text.substr(pos, end - pos));
      pos = end + 1;
    }
    Run(found->keyword, arguments);
    return pos;
  }

  std::string Argument(std::string_view argument) const {
    return with_variables_ ? ExpandVariables(argument, context_) : std::string(argument);
  }

  std::optional<std::filesystem::path> FileArgument(std::string_view argument) const {
    std::string name = with_variables_ ? ExpandFileNameVariables(argument, context_) : std::string(argument);
    return DataFilePath(context_.data_folder, name);
  }

  void Run(TKeyword keyword, const std::vector<std::string_view>& arguments) {
    switch (keyword) {
      case TKeyword::File:
      case TKeyword::FileOnce: RandomLine(arguments[0], keyword == TKeyword::FileOnce); break;
      case TKeyword::Dictionary:
      case TKeyword::DictionaryOnce:
        LookUp(arguments[0], Argument(arguments[1]), keyword == TKeyword::DictionaryOnce);
        break;
      case TKeyword::Plugin: CallPlugin(arguments[0], Argument(arguments[1]), Argument(arguments[2])); break;
      case TKeyword::Dollar: break;
    }
  }

  void RandomLine(std::string_view file_argument, bool remove) {
    std::optional<std::filesystem::path> file = FileArgument(file_argument);
    TLineList lines;
    if (!file || !LoadDataLines(*file, &lines) || lines.Count() == 0) return;
    int index = RandomIndex(context_.random(), lines.Count());
    Insert(lines.Get(index));
    if (!remove) return;
    lines.Delete(index);
    lines.SaveToFile(*file);
  }

  void LookUp(std::string_view file_argument, const std::string& key, bool remove) {
    std::optional<std::filesystem::path> file = FileArgument(file_argument);
    TLineList lines;
    if (!file || !LoadDataLines(*file, &lines)) return;
    for (int index = 0; index < lines.Count(); ++index) {
      std::string_view rest = lines.Get(index);
      std::string_view word = NextToken(rest);
      bool is_default = EqualsKeyword(word, "default");
      if (!is_default && !MatchWildcard(word, key)) continue;
      Insert(std::string(rest));
      if (remove && !is_default) {
        lines.Delete(index);
        lines.SaveToFile(*file);
      }
      return;
    }
  }

  void CallPlugin(std::string_view library_argument, const std::string& function, const std::string& argument) {
    std::optional<std::filesystem::path> library = FileArgument(library_argument);
    if (!library) return;
    if (std::optional<std::string> result = CallPluginString(*library, function, context_.data_folder, argument))
      Insert(*result);
  }

  bool with_variables_;
  const TMacroContext& context_;
  TValueForm form_;
  std::string out_;
};

}  // namespace

std::string ExpandSubstitutions(std::string_view text, bool with_variables, const TMacroContext& context,
                                TValueForm form) {
  return TSubstitution(with_variables, context, form).Expand(text);
}

}  // namespace zeph
