#pragma once

#include <string>
#include <vector>

// The stored server tree: what tree.ini holds, in memory. Plain records,
// read by the world and the units; the defaults here are those of a new
// entry and of a key missing from the file.
namespace zeph {

// One channel entry of a server, in tree order. A channel read from the
// file keeps an empty mode when its `Mode` key is missing; "+sn" is only
// for entries the user or a join creates (NewChannelConfig).
struct TChannelConfig {
  std::string name;         // Name: "チャンネル名"
  std::string password;     // Password: channel key for JOIN, stored in plain text
  std::string mode;         // Mode: set when we create the channel
  std::string topic;        // Topic: set when we create the channel
  bool auto_join = false;   // AutoJoin: join after registration
  bool update = true;       // Update: count unread lines
  bool console = true;      // Console: copy lines to the console
  bool keyword = true;      // Keyword: keyword detection applies
  std::vector<std::string> auto_op_masks;  // AutoOp.Count, AutoOp.%02d.Mask

  bool operator==(const TChannelConfig&) const = default;
};

// A channel entry made in the user interface or by joining a channel that
// has no entry yet.
TChannelConfig NewChannelConfig(std::string name, bool auto_join);

// One server entry (unit), fields in the file's order of meaning.
struct TServerConfig {
  std::string name;               // Name: label in the tree, unique among units
  std::string hostname;           // Hostname
  int port = 6667;                // Port
  bool enable_password = false;   // EnablePassword: send PASS on registration
  std::string password;           // Password: the clear text (scrambled in the file)
  std::string nick;               // Nick
  std::string username;           // Username: login name for USER
  std::string realname;           // Realname: name field of USER
  std::string part_message = "Leaving...";  // PartMessage: default PART comment
  std::string quit_message = "Leaving...";  // QuitMessage: default QUIT comment
  std::string away_message = "Gone";        // AwayMessage: default away text
  std::string user_info;          // UserInfo: CTCP USERINFO reply
  bool auto_connect = false;      // AutoConnect: connect at start-up
  bool update = true;             // Update: unit-level unread flag
  bool console = true;            // Console: unit-level console-copy flag
  bool keyword = true;            // Keyword: unit-level keyword flag
  bool invisible = true;          // Invisible: ask for user mode +i
  bool auto_away = false;         // AutoAway: mark away after registration
  std::vector<std::string> auto_op_masks;  // AutoOp.Count, AutoOp.%02d.Mask
  bool enable_nick_len = false;   // EnableNickLen: relax the nickname length limit
  int nick_len = 9;               // NickLen: that limit in bytes
  int encoding = 0;               // Encoding: 0 ISO-2022-JP, 1 UTF-8
  std::vector<std::string> macro_files;  // MacroFile.Count, MacroFile.%02d: file names
  std::vector<TChannelConfig> channels;  // Channel.Count, Channel.%02d.*: in tree order
  int macro_header_width = 60;    // MacroHeaderWidth: first column of the macro page
  bool enable_socks = false;      // EnableSocks
  std::string socks_hostname;     // SocksHostname
  int socks_port = 1080;          // SocksPort
  int socks_version = 4;          // SocksVersion: 4 or 5, the number itself
  bool enable_socks_auth = false; // EnableSocksAuth: SOCKS 5 user name and password
  std::string socks_username;     // SocksUsername
  std::string socks_password;     // SocksPassword: stored in plain text

  bool operator==(const TServerConfig&) const = default;
};

// The whole tree: section World and one Unit.%02d section per server.
struct TWorldConfig {
  std::vector<std::string> auto_op_masks;  // AutoOp: apply on every server
  std::vector<std::string> ignore_masks;   // Ignore
  std::vector<TServerConfig> units;        // in tree order

  bool operator==(const TWorldConfig&) const = default;
};

}  // namespace zeph
