#pragma once

// The product's version, shown in the title bar and the CTCP VERSION reply.
namespace zeph {
inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 18;
inline constexpr const char* kProductName = "Zephlora";
}  // namespace zeph
