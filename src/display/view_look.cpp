#include "display/view_look.h"

#include "display/view_realise.h"

namespace zeph {

TViewLook BuildViewLook(const TViewSettings& settings, const TThemeFolders& folders, bool whole_line_keywords) {
  return {TLogStyle(settings, whole_line_keywords), LoadBackground(settings.channel_log_back, folders),
          LoadBackground(settings.all_log_back, folders), RealisedViewSettings(settings)};
}

}  // namespace zeph
