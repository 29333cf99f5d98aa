#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "display/view_settings.h"

// The view settings of a version-1 file: its themes (".lvf") and the view
// file of its configuration kept fonts, colours and backgrounds in sections
// of their own, with quoted values and named colours. The file is loaded
// with quotes stripped (TIniFile(true)).
//
// What such a file gives is held to values the screen can use as it is
// converted: colours lose their high byte, fonts are held to what can be
// drawn (size, character set, face name length), picture names are bare
// file names.
namespace zeph {

struct TPreferences;

// The colour a version-1 key gives in the current section: a named colour
// ("clAqua" ... "clYellow") or hexadecimal, without its high byte; a missing
// or empty value keeps `current`.
std::uint32_t Version1Color(const TIniFile& ini, std::string_view key, std::uint32_t current);

// The bare file name of a version-1 picture name: what follows its last
// folder separator ("\", "/" or a drive's ":"); empty for a name that
// leads nowhere ("", "." or "..").
std::string Version1ImageName(std::string_view name);

// Fills *settings from the view sections of a version-1 file over the
// default theme; the formats are left alone. When `preferences` is given
// (the version-1 import) it also sets LineLeading, MemberSortMethod,
// InvertLogAndList and InvertMemberAndTree.
void ReadVersion1View(TIniFile& ini, TViewSettings* settings, TPreferences* preferences = nullptr);

}  // namespace zeph
