#pragma once

#include <string>
#include <string_view>

// The mode of a channel as last seen, and the user's own mode on a server.
namespace zeph {

// The MODE texts that turn one channel mode into another. A changed key
// needs two: the old key must go ("-k old") before a new one is set.
struct TModeChange {
  std::string first;   // empty: nothing to send
  std::string second;  // "+k new" when a key replaces another one
};

struct TChannelMode {
  bool a = false;
  bool i = false;
  bool m = false;
  bool n = false;
  bool p = false;
  bool q = false;
  bool r = false;
  bool s = false;
  bool t = false;
  int limit = 0;    // 0 = none
  std::string key;  // empty = none

  // Applies a mode text as servers send it ("+kl-k secret 5 secret").
  void Apply(std::string_view mode_text);
  // "+nt+l+k 10 x"; empty when nothing is set.
  std::string ToText() const;
  TModeChange Diff(const TChannelMode& next) const;

  bool operator==(const TChannelMode&) const = default;
};

struct TUserMode {
  bool a = false;
  bool i = false;
  bool r = false;
  bool s = false;
  bool w = false;
  bool o = false;
  bool O = false;

  void Apply(std::string_view mode_text);
  // "+" and the set letters in the order a i w s r o O.
  std::string ToText() const;
};

}  // namespace zeph
