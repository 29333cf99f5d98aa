#include "macro/macro_match.h"

#include <array>
#include <optional>
#include <string>

#include "settings/line_list.h"
#include "settings/preferences.h"
#include "engine/irc_text.h"
#include "macro/data_path.h"
#include "macro/keyword_case.h"
#include "macro/macro_variables.h"
#include "macro/wildcard.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr std::string_view kNot = "$NOT";
constexpr std::string_view kList = "$LIST";
constexpr std::string_view kMe = "%me";

// What one alternative says: nothing (go on with the next one), or the
// result of the whole pattern.
using TDecision = std::optional<bool>;

// "%g1" … "%g5" name user groups 1 to 5; "%su" is group 1 too.
constexpr std::array<std::string_view, kUserGroupCount> kGroupWords = {"%g1", "%g2", "%g3", "%g4", "%g5"};

bool InAnyGroup(const TMacroContext& context) {
  const TMacroEvent& e = context.event;
  for (int group = 0; group < kUserGroupCount; ++group) {
    if (context.facts.IsGroupMember(group, e.nick, e.user, e.host)) return true;
  }
  return false;
}

// The answer of a word that tests the sender's user group, if the
// alternative is one.
std::optional<bool> SpecialWord(std::string_view word, const TMacroContext& context) {
  const TMacroEvent& e = context.event;
  const TMacroFacts& facts = context.facts;
  if (EqualsKeyword(word, "%su")) return facts.IsGroupMember(0, e.nick, e.user, e.host);
  for (int group = 0; group < kUserGroupCount; ++group) {
    if (EqualsKeyword(word, kGroupWords[static_cast<size_t>(group)]))
      return facts.IsGroupMember(group, e.nick, e.user, e.host);
  }
  if (EqualsKeyword(word, "%mu")) return facts.IsSelfUser(e.nick, e.user, e.host);
  if (EqualsKeyword(word, "%nu")) return !InAnyGroup(context) && !facts.IsSelfUser(e.nick, e.user, e.host);
  return std::nullopt;
}

TDecision Evaluate(const TWildcardText& value, std::string_view alternative, const TPatternRules& rules,
                   const TMacroContext& context) {
  bool negate = StartsWithKeyword(alternative, kNot);
  if (negate) {
    alternative.remove_prefix(kNot.size());
    while (!alternative.empty() && (alternative.front() == ' ' || alternative.front() == '\t'))
      alternative.remove_prefix(1);
  }
  bool is_me = EqualsKeyword(alternative, kMe);
  if (rules.is_self) return is_me ? TDecision(!negate) : std::nullopt;
  if (is_me) return std::nullopt;
  if (rules.allow_specials) {
    if (std::optional<bool> member = SpecialWord(alternative, context)) return *member != negate;
  }
  bool matched = rules.expand_variables ? value.Matches(ExpandVariables(alternative, context))
                                        : value.Matches(alternative);
  return matched ? TDecision(!negate) : std::nullopt;
}

// "$LIST(name)": the first line of the file that decides. An incomplete
// form or a file that cannot be read decides nothing.
TDecision EvaluateList(const TWildcardText& value, std::string_view alternative, const TPatternRules& rules,
                       const TMacroContext& context) {
  std::string_view rest = alternative.substr(kList.size());
  size_t close = rest.find(')');
  if (rest.empty() || rest.front() != '(' || close == std::string_view::npos) return std::nullopt;
  std::optional<std::filesystem::path> file = DataFilePath(context.data_folder, rest.substr(1, close - 1));
  TLineList lines;
  if (!file || !LoadDataLines(*file, &lines)) return std::nullopt;
  for (const std::string& line : lines.Lines()) {
    if (TDecision decision = Evaluate(value, line, rules, context)) return decision;
  }
  return std::nullopt;
}

// A command alternative in the form events are named in. The name of a
// list file keeps its letter case: file names are case-sensitive here.
std::string CommandAlternative(std::string alternative) {
  if (StartsWithKeyword(alternative, kList)) return alternative;
  alternative = AsciiUpperText(alternative);
  return alternative == "DCCCHATMES" ? std::string(kEventDccChatMessage) : alternative;
}

bool MeetsCondition(int condition, const TMacroContext& context) {
  const TMacroEvent& e = context.event;
  switch (condition) {
    case kConditionOperator: return context.facts.IsOperator(e.channel, e.my_nick);
    case kConditionNotOperator: return !context.facts.IsOperator(e.channel, e.my_nick);
    case kConditionAway: return context.facts.IsAway();
    case kConditionNotAway: return !context.facts.IsAway();
    default: return true;
  }
}

bool SenderMeetsCondition(int condition, const TMacroContext& context) {
  const TMacroEvent& e = context.event;
  switch (condition) {
    case kConditionOperator: return context.facts.IsOperator(e.channel, e.nick);
    case kConditionNotOperator: return !context.facts.IsOperator(e.channel, e.nick);
    default: return true;
  }
}

}  // namespace

bool MatchPattern(std::string_view value, std::string_view pattern_list, const TPatternRules& rules,
                  const TMacroContext& context) {
  if (pattern_list.empty()) return !rules.is_self;
  const TWildcardText text(value);
  std::string rest(pattern_list);
  while (!rest.empty()) {
    std::string alternative = NextField(rest, '|');
    if (rules.is_command) alternative = CommandAlternative(std::move(alternative));
    TDecision decision = StartsWithKeyword(alternative, kList) ? EvaluateList(text, alternative, rules, context)
                                                               : Evaluate(text, alternative, rules, context);
    if (decision) return *decision;
  }
  return false;
}

bool MatchItem(const TMacroItem& item, const TMacroContext& context) {
  const TMacroEvent& e = context.event;
  if (item.disabled) return false;
  if (!MatchPattern(e.prefix, item.user_pattern, {.is_self = e.is_self, .allow_specials = true}, context))
    return false;
  if (!MatchPattern(e.command, item.command_pattern, {.is_command = true}, context)) return false;
  const TPatternRules text_rules{.expand_variables = true};
  if (IsChannelEvent(e.command) && !MatchPattern(e.channel, item.channel_pattern, text_rules, context))
    return false;
  if (!MatchPattern(e.message, item.message_pattern, text_rules, context)) return false;
  return MeetsCondition(item.self_condition, context) && SenderMeetsCondition(item.sender_condition, context);
}

}  // namespace zeph
