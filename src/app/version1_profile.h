#pragma once
#include "app/version1_general.h"
#include "settings/server_config.h"

// The server list of a version-1 configuration (user name + "-profile.ini").
namespace zeph {

class TIniFile;

// Appends one server entry per version-1 profile to world->units, with the
// user's identity from the general file and the profile's auto-join
// channels as channel entries ("+sn", or the mode the general file names
// for the channel). A name an entry already has gets "_" appended.
void ReadVersion1Profiles(TIniFile& ini, const TVersion1User& user, TWorldConfig* world);

}  // namespace zeph
