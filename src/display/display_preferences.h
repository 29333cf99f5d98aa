#pragma once

#include "display/keyword_matcher.h"
#include "display/line_reactions.h"

// The display model's settings as the preferences hold them.
namespace zeph {

struct TPreferences;

TKeywordSettings KeywordSettingsFrom(const TPreferences& preferences);
TLineReactionSettings LineReactionSettingsFrom(const TPreferences& preferences);

}  // namespace zeph
