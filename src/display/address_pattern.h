#pragma once

#include <string>

// The regular expression that finds host addresses in log text.
namespace zeph {

// Two or more labels followed by a known top-level name, or a dotted IPv4
// address; compiled with the capture-group and ignore-case options.
const std::string& AddressPattern();

}  // namespace zeph
