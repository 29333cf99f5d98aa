#pragma once

#include <string>
#include <string_view>

// A typed command line taken apart: the command word, its target where the
// command has one, and the rest.
namespace zeph {

struct TParsedCommand {
  std::string command;  // upper case; MSG and the CTCP forms already resolved
  std::string target;   // empty for commands without one
  std::string rest;     // a leading ":" removed for commands with a target
  // The rest was a lone ":", which for TOPIC means an empty topic rather
  // than a question.
  bool lone_colon = false;
};

// Decoration markup becomes control codes first. "MSG" becomes PRIVMSG; a
// PRIVMSG or NOTICE whose rest starts with 0x01 becomes CTCPQUERY or
// CTCPREPLY with the CTCP body; a CTCPQUERY of ACTION becomes ACTION.
TParsedCommand ParseCommandLine(std::string_view line);

// Whether the command takes a target word after the command word.
bool TakesTarget(std::string_view command);

// Whether the upper-case command is one the IRC servers know; others are
// offered to the macros first.
bool IsKnownIrcCommand(std::string_view command);


}  // namespace zeph
