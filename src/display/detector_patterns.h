#pragma once

#include <string>
#include <string_view>

// The regular expressions that find URLs and host addresses in log text.
namespace zeph {

// Case-sensitive; compiled with the capture-group option.
std::string_view UrlPattern();

// Two or more labels followed by a known top-level name, or a dotted IPv4
// address; compiled with the capture-group and ignore-case options.
const std::string& AddressPattern();

}  // namespace zeph
