#pragma once

#include "display/background.h"
#include "display/log_style.h"
#include "display/theme_files.h"
#include "display/view_settings.h"

// Everything the windows draw with, built from the view settings in one
// go whenever they are applied: the log style, both log backgrounds with
// their pictures decoded, and the list, tree and input-line fonts and
// colours as drawn. The drawing side turns it into platform fonts and
// images; nothing here is touched while painting.
namespace zeph {

struct TViewLook {
  TLogStyle log_style;
  TLoadedBackground channel_log_back;  // unit, channel, talk and DCC chat logs
  TLoadedBackground all_log_back;      // the console
  // The settings realised: list_*, tree_* and edit_* fonts and colours
  // held to drawable values (the log fields are in log_style).
  TViewSettings realised;
};

// `whole_line_keywords` is the keyword setting WholeLine.
TViewLook BuildViewLook(const TViewSettings& settings, const TThemeFolders& folders, bool whole_line_keywords);

}  // namespace zeph
