#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "display/message_kind.h"

namespace zeph {

class TIniFile;
class TIniWriter;

// The settings of one kind in the kinds list.
struct TKindFormat {
  bool channel_enabled = true;  // Enable<Kind>Channel: the unit log and channel logs
  bool console_enabled = true;  // Enable<Kind>Console
  std::string format;          // body format; empty for kinds shown as received
};

// One row of the kinds list, in the order the settings show them.
struct TFormatRow {
  TMessageKind kind;
  const char* label;          // UTF-8, as the list shows it
  const char* channel_key;     // null for Privmsg, which is always shown
  const char* console_key;
  const char* format_key;      // null for the kinds shown as received
  const char* default_format;  // UTF-8; null with format_key
};

std::span<const TFormatRow> MessageFormatRows();

// The sender of a received message, from its prefix: letters n, u and h.
struct TSender {
  std::string_view nick;
  std::string_view user;
  std::string_view host;
};

// What every window title shows of its unit: letters n, s and u.
struct TTitleUnit {
  std::string_view nick;       // the nick in use when logged in, else the configured one
  std::string_view unit_name;
  std::string_view user_modes;  // the own user modes
};

// The program name and version, after the selected node's title when there
// is one: the main window's caption.
std::string WindowCaption(std::optional<std::string_view> node_title);

// The message formats (section "Format" of the view settings and themes):
// titles, the time and prefix pieces of a log line, the enable flags and the
// body format of each kind. Every Format* operation expands one format with
// its letters bound; values are inserted as they are.
class TMessageFormat {
 public:
  TMessageFormat() { SetDefaults(); }

  void SetDefaults();
  // Reads section "Format"; a missing key leaves its field as it was.
  void Load(TIniFile& ini);
  // Writes section "Format" with every key, in the file's order.
  void Save(TIniWriter& writer) const;

  // Null for kinds the list does not hold (System, macro output, unknown).
  TKindFormat* FindKind(TMessageKind kind);
  const TKindFormat* FindKind(TMessageKind kind) const;

  // The time piece for the clock reading `now` (local time); empty when time
  // is off. The text is kept for the second it was made for, as a burst of
  // lines shares few seconds.
  std::string FormatTime(std::time_t now) const;

  std::string FormatUnitPrefix(std::string_view unit_name) const;
  std::string FormatChannelPrefix(std::string_view channel) const;
  // The last place made is kept: a channel line's console copy and its
  // history entries ask for the same one in a row.
  std::string FormatUnitChannelPrefix(std::string_view unit_name, std::string_view channel) const;
  std::string FormatNickPrefix(std::string_view nick) const;

  std::string FormatUnitTitle(const TTitleUnit& unit) const;
  std::string FormatChannelTitle(const TTitleUnit& unit, std::string_view channel, std::string_view modes,
                                 std::string_view topic, std::int64_t members, bool is_operator) const;
  std::string FormatTalkTitle(const TTitleUnit& unit, std::string_view partner) const;
  std::string FormatDCCChatTitle(const TTitleUnit& unit, std::string_view partner) const;

  std::string FormatJoin(const TSender& sender, std::string_view channel) const;
  std::string FormatPart(const TSender& sender, std::string_view channel, std::string_view message) const;
  std::string FormatNick(const TSender& sender, std::string_view new_nick) const;
  std::string FormatKick(const TSender& sender, std::string_view kicked, std::string_view channel,
                         std::string_view reason) const;
  std::string FormatMode(const TSender& sender, std::string_view channel, std::string_view modes) const;
  std::string FormatUserMode(std::string_view nick, std::string_view modes) const;
  std::string FormatQuit(const TSender& sender, std::string_view message) const;
  std::string FormatInviting(std::string_view nick, std::string_view channel) const;
  std::string FormatInvite(const TSender& sender, std::string_view channel) const;
  std::string FormatTopic(const TSender& sender, std::string_view channel, std::string_view topic) const;
  std::string FormatError(const TSender& sender, std::string_view text) const;
  std::string FormatModeReply(std::string_view channel, std::string_view modes) const;
  std::string FormatTopicReply(std::string_view channel, std::string_view topic) const;
  std::string FormatNamesReply(std::string_view channel, std::string_view names) const;
  std::string FormatAwayReply(std::string_view nick, std::string_view message) const;
  std::string FormatErrorReply(int code, std::string_view text) const;
  std::string FormatCTCPQuery(const TSender& sender, std::string_view command) const;
  std::string FormatCTCPReply(const TSender& sender, std::string_view command, std::string_view text) const;
  std::string FormatDCCSend(const TSender& sender, std::string_view file, std::string_view address, int port,
                            std::int64_t size) const;
  std::string FormatDCCResume(const TSender& sender, int port, std::int64_t position) const;
  std::string FormatDCCAccept(const TSender& sender, int port, std::int64_t position) const;
  std::string FormatDCCChat(const TSender& sender, std::string_view address, int port) const;
  std::string FormatDCCSendComplete(std::string_view nick, std::string_view file, std::int64_t size) const;
  std::string FormatDCCSendFail(std::string_view nick, std::string_view file, std::int64_t size,
                                std::int64_t sent, std::string_view reason) const;
  std::string FormatDCCReceiveComplete(std::string_view nick, std::string_view file, std::int64_t size) const;
  std::string FormatDCCReceiveFail(std::string_view nick, std::string_view file, std::string_view address,
                                   int port, std::int64_t size, std::int64_t received,
                                   std::string_view reason) const;

  std::string unit_title;               // UnitTitle
  std::string channel_title;            // ChannelTitle
  std::string talk_title;               // TalkTitle
  std::string dcc_chat_title;            // DCCChatTitle
  bool enable_time = true;              // EnableTime
  std::string time;                    // Time: strftime conversions
  std::string unit_channel;             // UnitChannel: place in the console for channel lines
  std::string unit;                    // Unit: place in the console for unit lines
  std::string channel;                 // Channel: place in the unit log and channel logs
  std::string pre_nick;                 // PreNick
  bool enable_channel_in_channel_log = false;  // EnableChannelInChannelLog

 private:
  static constexpr size_t kRowCount = 30;

  const std::string& BodyFormat(TMessageKind kind) const;
  std::string ExpandDCCPosition(TMessageKind kind, const TSender& sender, int port, std::int64_t position) const;
  std::string ExpandDCCComplete(TMessageKind kind, std::string_view nick, std::string_view file,
                                std::int64_t size) const;

  std::array<TKindFormat, kRowCount> kinds_;
  // The last time piece made, with what it was made from.
  mutable std::time_t cached_second_ = 0;
  mutable std::string cached_format_;
  mutable std::string cached_time_;
  mutable bool cache_valid_ = false;
  // The last unit and channel place made, with what it was made from.
  mutable std::string cached_place_format_;
  mutable std::string cached_place_unit_;
  mutable std::string cached_place_channel_;
  mutable std::string cached_place_;
  mutable bool place_cache_valid_ = false;
};

// Bytes transferred as a whole percentage of the size; 0 for a size of 0 or
// less. Exact for any 64-bit values, held to the 64-bit range.
std::int64_t TransferPercentage(std::int64_t transferred, std::int64_t size);

}  // namespace zeph
