#pragma once

#include <string>
#include <string_view>

namespace zeph {

// The tray tooltip: at most 63 bytes of the title, never half a character.
inline constexpr size_t kTrayTooltipBytes = 63;
std::string TrayTooltip(std::string_view title);

}  // namespace zeph
