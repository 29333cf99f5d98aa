#pragma once

#include "display/message_format.h"

// The message formats of a version-1 file (its themes and the view file of
// its configuration): section Format with keys of its own, a time format in
// its own letters, and no format for user modes.
namespace zeph {

class TIniFile;

// Fills *formats from section Format over the default formats: each key
// with the value it has reached as its default. The user-mode format is
// made from the mode reply format (%c, the channel, becomes %n), and the
// time format's hh, nn and ss become %H, %M and %S.
void ReadVersion1Format(TIniFile& ini, TMessageFormat* formats);

}  // namespace zeph
