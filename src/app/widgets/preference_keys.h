#pragma once

#include <span>
#include <string_view>

// How the settings dialog shows each key of preference.ini it edits on its
// generic pages: the words beside it, the box it sits in, the choices of an
// enumeration and the sensible range of a number. One table, so a key the
// dialog shows without Japanese words is caught in one place.
namespace zeph {

struct TKeyChoice {
  int value;
  const char* label;
};

struct TNumberRange {
  int min;
  int max;
};

struct TPreferenceKey {
  const char* key;
  const char* label;
  // Keys with the same heading in a row share a titled box.
  const char* group = nullptr;
  // An enumeration, shown as a list of its values.
  std::span<const TKeyChoice> choices = {};
  // A number without choices.
  TNumberRange range = {0, 999999};
  // The editor is usable only while this key's editor holds `enabled_when`
  // (a check box counts as 1 when ticked).
  const char* enabled_by = nullptr;
  int enabled_when = 1;
};

// The keys in the order the pages show them.
std::span<const TPreferenceKey> PreferenceKeys();
// Null when the key has no entry.
const TPreferenceKey* FindPreferenceKey(std::string_view key);

}  // namespace zeph
