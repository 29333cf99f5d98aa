#pragma once

#include <string>

namespace zeph {

// The name of the operating system the program runs on ("Linux"), as the
// CTCP VERSION answer tells it; never empty.
std::string OperatingSystemName();

}  // namespace zeph
