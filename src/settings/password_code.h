#pragma once

#include <string>
#include <string_view>

// The scrambling of server passwords in tree.ini (PasswordVersion 1). It
// only keeps a password from being read at a glance; it is no protection.
namespace zeph {

// Each byte becomes two letters: 'A' + high nibble, 'C' + low nibble
// ("abc" gives "GDGEGF").
std::string EncodePassword(std::string_view password);
// The reverse for each whole pair; a trailing single letter is ignored and
// letters outside the ranges decode by the same arithmetic.
std::string DecodePassword(std::string_view text);

}  // namespace zeph
