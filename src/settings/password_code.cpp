#include "settings/password_code.h"

namespace zeph {

std::string EncodePassword(std::string_view password) {
  std::string text;
  text.reserve(password.size() * 2);
  for (char c : password) {
    auto b = static_cast<unsigned char>(c);
    text += static_cast<char>(0x41 + (b >> 4));
    text += static_cast<char>(0x43 + (b & 0x0F));
  }
  return text;
}

std::string DecodePassword(std::string_view text) {
  std::string password;
  password.reserve(text.size() / 2);
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    auto high = static_cast<unsigned char>(text[i] - 1) & 0x0F;
    auto low = static_cast<unsigned char>(text[i + 1] - 3) & 0x0F;
    password += static_cast<char>((high << 4) | low);
  }
  return password;
}

}  // namespace zeph
