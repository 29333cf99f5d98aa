#pragma once

// The kind of a printed event. The codes are stable numbers: macros print
// with them, and any number outside this list is still a valid kind that no
// setting gates.
namespace zeph {

class TMessageFormat;

enum class TMessageKind : int {
  Privmsg = 0,
  Notice = 1,
  Action = 2,
  Join = 3,
  Part = 4,
  Nick = 5,
  Quit = 6,  // a KILL from the server, shown like a quit
  Kick = 7,
  Mode = 8,
  UserMode = 9,
  UserQuit = 10,  // a user's QUIT; same settings and font as Quit
  Inviting = 11,
  Invite = 12,
  Topic = 13,
  CTCPQuery = 14,
  CTCPReply = 15,
  DCCSend = 16,
  DCCResume = 17,
  DCCAccept = 18,
  DCCChat = 19,
  Error = 20,
  Reply = 21,
  ModeReply = 22,
  TopicReply = 23,
  NamesReply = 24,
  AwayReply = 25,
  ErrorReply = 26,
  System = 27,       // the program's own texts
  MacroOutput = 28,  // the print action of macros
  DCCSendComplete = 29,
  DCCSendFail = 30,
  DCCReceiveComplete = 31,
  DCCReceiveFail = 32,
};

inline constexpr int kMessageKindCount = 33;

// The display category of a kind: the font the log view draws its lines
// with. Privmsg 0, Notice 1, Action 2, Join 3, Part 4, Quit 5, Kick 6,
// Invite 7, Nick 8, modes 9, topics 10, CTCP 11, DCCSend 12, DCCChat 13,
// errors 14, System 16, macro output 17, everything else 15 (replies).
int KindCategory(TMessageKind kind);

// Whether a line of this kind goes into its target's own log (the unit log
// or a channel log). Privmsg, System, macro output and unknown kinds always do.
bool IsOwnLogEnabled(TMessageKind kind, const TMessageFormat& format);
// Whether a line of this kind may be copied into the console. System, macro
// output and unknown kinds always may.
bool IsConsoleEnabled(TMessageKind kind, const TMessageFormat& format);

}  // namespace zeph
