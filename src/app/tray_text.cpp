#include "app/tray_text.h"

#include "platform/sjis.h"

namespace zeph {

std::string TrayTooltip(std::string_view title) { return std::string(CutSjis(title, kTrayTooltipBytes)); }

}  // namespace zeph
