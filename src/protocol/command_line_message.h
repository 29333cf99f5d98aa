#pragma once

#include <string>

#include "engine/unit.h"

// The user's own messages: sent in pieces that fit, each piece shown in the
// log it went to and offered to the macros as our own event.
namespace zeph {

// Sends text (decoration already turned into control codes) to a target or
// a comma-separated list of them with the message builder. Nothing is sent
// for an empty text or target. What cannot be sent at all is reported in
// the log instead of being lost.
void SendOwnMessage(TUnit& unit, const std::string& target, const std::string& text, TUnit::TMessageType type,
                    bool raise_events);

// Writes a line into a DCC chat; false when the chat is not connected.
bool SendOwnChatLine(TUnit& unit, TChannel& chat, const std::string& text, TUnit::TMessageType type,
                     bool raise_events);

// The text as the server receives it when half-width kana are widened on
// the wire (ISO-2022-JP with `KanaEncodingMethod` 0); otherwise unchanged.
std::string WireRoundTrip(const TUnit& unit, const std::string& text);

}  // namespace zeph
