#pragma once

#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"

// Settings records are read and written through tables of key and field,
// so the order of the keys in the file and the fields they fill are stated
// once, and a reader can never drift from its writer.
namespace zeph {

template <typename T>
struct TField {
  const char* key;
  std::variant<bool T::*, int T::*, std::string T::*> member;
  bool bool_as_number = false;  // a bool stored as 1/0 instead of true/false
};

// Reads every key, prefixed, in the current section; a key that is missing
// leaves its field as it was, so a record of defaults reads as the file says.
template <typename T>
void ReadFields(const TIniFile& ini, std::span<const TField<T>> fields, std::string_view prefix, T* record) {
  for (const TField<T>& field : fields) {
    std::string key = std::string(prefix) + field.key;
    std::visit(
        [&](auto member) {
          auto& value = record->*member;
          using V = std::remove_reference_t<decltype(value)>;
          if constexpr (std::is_same_v<V, bool>) value = ini.ReadBool(key, value);
          else if constexpr (std::is_same_v<V, int>) value = ini.ReadInteger(key, value);
          else value = ini.ReadString(key, value);
        },
        field.member);
  }
}

template <typename T>
void WriteFields(TIniWriter& writer, std::span<const TField<T>> fields, std::string_view prefix, const T& record) {
  for (const TField<T>& field : fields) {
    std::string key = std::string(prefix) + field.key;
    std::visit(
        [&](auto member) {
          const auto& value = record.*member;
          using V = std::remove_cvref_t<decltype(value)>;
          if constexpr (std::is_same_v<V, bool>) {
            if (field.bool_as_number) writer.WriteInteger(key, value ? 1 : 0);
            else writer.WriteBool(key, value);
          } else if constexpr (std::is_same_v<V, int>) {
            writer.WriteInteger(key, value);
          } else {
            writer.WriteString(key, value);
          }
        },
        field.member);
  }
}

}  // namespace zeph
