#pragma once

#include <string>

#include "platform/host_lookup.h"

// Fuzz inputs carry host names (our own JOIN echo, GETADDRESS replies);
// none may ever be looked up for real: that would be slow and would send
// queries off the machine.
inline const bool kFuzzOffline =
    (zeph::SetHostLookupFunction([](const std::string&, zeph::net::TNetAddress*) { return false; }), true);
