#pragma once

#include <string>
#include <string_view>

#include "engine/encoding.h"

// How channel names and nicks are written, compared and matched. Pure
// functions on internal Shift_JIS text.
namespace zeph {

// First bytes that make a name a channel name, by use: what the client
// joins itself, what a server names as a message or MODE target, and what
// the user types (the short «%name» form included).
inline constexpr std::string_view kJoinChannelPrefixes = "#&!";
inline constexpr std::string_view kServerChannelPrefixes = "#&+!";
inline constexpr std::string_view kTypedChannelPrefixes = "#&+!%";

bool IsChannelName(std::string_view name, std::string_view prefixes);
// Exactly one channel name, as a server may hand us one: a prefix of the
// set and no blank, comma or control byte. An invitation to «#a,0» would
// otherwise make a JOIN leave every channel, and such a name stored in the
// tree would break its file and later JOINs.
bool IsSingleChannelName(std::string_view name, std::string_view prefixes);
// The same without the prefix: not empty, and no blank, comma or control
// byte. A name that breaks this is shown, never acted on.
bool IsCleanName(std::string_view name);

// Japanese servers write «#name:*.jp»; users type «%name».
std::string ExpandShortName(std::string_view name);
bool HasShortForm(std::string_view name);
std::string ShortenName(std::string_view name);

// "!" channels carry a five-byte id from the server after the "!"; "!!"
// asks the server to create a new one.
bool IsSafeChannel(std::string_view name);
bool IsSafeCreate(std::string_view name);
std::string StripSafeId(std::string_view name);

// The IRC case mapping: a-z and "{|}" become A-Z and "[\]". Bytes of
// double-byte characters stay as they are.
std::string IrcUpper(std::string_view text);

// A name as the server compares it: encoded for the wire and folded byte
// by byte as the server does.
std::string WireFold(const TWireEncoding& encoding, std::string_view name);
// Whether two names are one on the server: their WireFold forms are equal.
bool SameName(const TWireEncoding& encoding, std::string_view a, std::string_view b);
// The same without the wire form, for names compared inside the client.
bool SameName(std::string_view a, std::string_view b);

// Masks: "*" any run, "?" one byte, "\" makes the next character literal;
// compared after IrcUpper. Runs in time proportional to the product of the
// lengths, whatever the pattern.
bool WildMatch(std::string_view pattern, std::string_view text);
// The same rules with a double-byte character as one position.
bool WildMatchMultibyte(std::string_view pattern, std::string_view text);

// A nick as servers accept it: first a letter or "^_`", then letters,
// digits, "^_`" or "-".
bool IsValidNick(std::string_view text);
// Every character that breaks that rule becomes "_" (one per byte, so the
// length a server counts stays).
std::string SanitizeNick(std::string_view text);
// Keeps letters, digits and "[\]^_{|}~"; everything else, double-byte
// characters included, becomes "_" byte for byte; never empty.
std::string SafeNickChars(std::string_view text);

}  // namespace zeph
