#include "display/message_format.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <locale.h>

#include "settings/field_table.h"
#include "display/formatter.h"
#include "platform/sjis.h"
#include "platform/version.h"

namespace zeph {
namespace {

using K = TMessageKind;

constexpr TFormatRow kRows[] = {
    {K::Privmsg, "Privmsg", nullptr, "EnablePrivmsgConsole", nullptr, nullptr},
    {K::Notice, "Notice", "EnableNoticeChannel", "EnableNoticeConsole", nullptr, nullptr},
    {K::Action, "Action", "EnableActionChannel", "EnableActionConsole", nullptr, nullptr},
    {K::Reply, "リプライ", "EnableReplyChannel", "EnableReplyConsole", nullptr, nullptr},
    {K::Join, "Join", "EnableJoinChannel", "EnableJoinConsole", "Join", "*%n join %c (%u@%h)"},
    {K::Part, "Part", "EnablePartChannel", "EnablePartConsole", "Part", "*%n part (%m)"},
    {K::Nick, "Nick", "EnableNickChannel", "EnableNickConsole", "Nick", "*nick %n → %t"},
    {K::Kick, "Kick", "EnableKickChannel", "EnableKickConsole", "Kick", "*%n kick %t (%m)"},
    {K::Mode, "Mode(チャンネル)", "EnableModeChannel", "EnableModeConsole", "Mode", "*%n mode %m"},
    {K::UserMode, "Mode(ユーザ)", "EnableUserModeChannel", "EnableUserModeConsole", "UserMode", "*%n mode %m"},
    {K::Quit, "Quit", "EnableQuitChannel", "EnableQuitConsole", "Quit", "*%n quit (%m)"},
    // The flag keys of Inviting are spelt "Inviteing" in every stored file.
    {K::Inviting, "Inviting", "EnableInviteingChannel", "EnableInviteingConsole", "Inviting",
     "*inviting %n to %c"},
    {K::Invite, "Invite", "EnableInviteChannel", "EnableInviteConsole", "Invite", "*%n invite you to %c"},
    {K::Topic, "Topic", "EnableTopicChannel", "EnableTopicConsole", "Topic", "*%n topic : %m"},
    {K::Error, "Error", "EnableErrorChannel", "EnableErrorConsole", "Error", "*ERROR %m"},
    {K::ModeReply, "Modeリプライ", "EnableModeReplyChannel", "EnableModeReplyConsole", "ModeReply", "*mode %m"},
    {K::TopicReply, "Topicリプライ", "EnableTopicReplyChannel", "EnableTopicReplyConsole", "TopicReply",
     "*topic : %m"},
    {K::NamesReply, "Namesリプライ", "EnableNamesReplyChannel", "EnableNamesReplyConsole", "NamesReply",
     "*names : %m"},
    {K::AwayReply, "Awayリプライ", "EnableAwayReplyChannel", "EnableAwayReplyConsole", "AwayReply",
     "*%n is away (%m)"},
    {K::ErrorReply, "エラーリプライ", "EnableErrorReplyChannel", "EnableErrorReplyConsole", "ErrorReply",
     "*Error(%k) %m"},
    {K::CTCPQuery, "CTCPクエリ", "EnableCTCPQueryChannel", "EnableCTCPQueryConsole", "CTCPQuery",
     "*CTCP-query(%k) from %n"},
    {K::CTCPReply, "CTCPリプライ", "EnableCTCPReplyChannel", "EnableCTCPReplyConsole", "CTCPReply",
     "*CTCP-reply(%k) from %n : %m"},
    {K::DCCSend, "DCCファイル受信", "EnableDCCSendChannel", "EnableDCCSendConsole", "DCCSend",
     "*DCC(SEND) from %n : %f %a:%p %s"},
    {K::DCCResume, "DCCレジューム要求", "EnableDCCResumeChannel", "EnableDCCResumeConsole", "DCCResume",
     "*DCC(RESUME) from %n : port=%p size=%s"},
    {K::DCCAccept, "DCCレジューム許可", "EnableDCCAcceptChannel", "EnableDCCAcceptConsole", "DCCAccept",
     "*DCC(ACCEPT) from %n : port=%p size=%s"},
    {K::DCCChat, "DCCチャット", "EnableDCCChatChannel", "EnableDCCChatConsole", "DCCChat",
     "*DCC(CHAT) from %n : %a:%p"},
    {K::DCCSendComplete, "ファイル送信完了", "EnableDCCSendCompleteChannel", "EnableDCCSendCompleteConsole",
     "DCCSendComplete", "*送信完了 %f to %n"},
    {K::DCCSendFail, "ファイル送信失敗", "EnableDCCSendFailChannel", "EnableDCCSendFailConsole", "DCCSendFail",
     "*送信失敗 %f to %n : %m"},
    {K::DCCReceiveComplete, "ファイル受信完了", "EnableDCCReceiveCompleteChannel",
     "EnableDCCReceiveCompleteConsole", "DCCReceiveComplete", "*受信完了 %f from %n"},
    {K::DCCReceiveFail, "ファイル受信失敗", "EnableDCCReceiveFailChannel", "EnableDCCReceiveFailConsole",
     "DCCReceiveFail", "*受信失敗 %f from %n : %m"},
};

// The order of the kinds in the stored section, which is not the order of
// the list.
constexpr TMessageKind kFileOrder[] = {
    K::Privmsg,    K::Notice,      K::Action,      K::Reply,           K::Join,        K::Part,
    K::Nick,       K::Kick,        K::Mode,        K::UserMode,        K::Quit,        K::Inviting,
    K::Invite,     K::Topic,       K::CTCPQuery,   K::CTCPReply,       K::DCCSend,     K::DCCChat,
    K::DCCResume,  K::DCCAccept,   K::Error,       K::ModeReply,       K::TopicReply,  K::NamesReply,
    K::AwayReply,  K::ErrorReply,  K::DCCSendComplete, K::DCCSendFail, K::DCCReceiveComplete,
    K::DCCReceiveFail,
};

constexpr int kNoRow = -1;

// Row index of each kind code; both quit codes share one row.
constexpr auto kRowOfKind = [] {
  std::array<int, kMessageKindCount> rows{};
  rows.fill(kNoRow);
  for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) rows[static_cast<int>(kRows[i].kind)] = i;
  rows[static_cast<int>(K::UserQuit)] = rows[static_cast<int>(K::Quit)];
  return rows;
}();

constexpr auto kFileRows = [] {
  std::array<int, std::size(kFileOrder)> rows{};
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = kRowOfKind[static_cast<int>(kFileOrder[i])];
  return rows;
}();

static_assert(kFileRows.size() == std::size(kRows));
static_assert(std::ranges::none_of(kFileRows, [](int row) { return row == kNoRow; }));

int RowOf(TMessageKind kind) {
  int code = static_cast<int>(kind);
  return code >= 0 && code < kMessageKindCount ? kRowOfKind[code] : kNoRow;
}

constexpr TField<TMessageFormat> kLeadingFields[] = {
    {"UnitTitle", &TMessageFormat::unit_title},
    {"ChannelTitle", &TMessageFormat::channel_title},
    {"TalkTitle", &TMessageFormat::talk_title},
    {"DCCChatTitle", &TMessageFormat::dcc_chat_title},
    {"EnableTime", &TMessageFormat::enable_time},
    {"Time", &TMessageFormat::time},
    {"UnitChannel", &TMessageFormat::unit_channel},
    {"Unit", &TMessageFormat::unit},
    {"Channel", &TMessageFormat::channel},
    {"PreNick", &TMessageFormat::pre_nick},
    {"EnableChannelInChannelLog", &TMessageFormat::enable_channel_in_channel_log},
};

// ---- time piece ----

// Time stamps are made in the C locale: English names for %a, %b and %p,
// as the Windows client's C runtime gives them, and never bytes of the
// process's (UTF-8) locale inside Shift_JIS text.
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return locale;
}

bool IsTimeFlag(char c) { return c == '_' || c == '-' || c == '0' || c == '^' || c == '#'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the conversion at format[pos] ("%" flags width modifier
// letter); 0 when the format ends before its letter.
size_t TimeConversionLength(std::string_view format, size_t pos) {
  size_t end = pos + 1;
  while (end < format.size() && IsTimeFlag(format[end])) ++end;
  while (end < format.size() && IsDigit(format[end])) ++end;
  if (end < format.size() && (format[end] == 'E' || format[end] == 'O')) ++end;
  return end < format.size() ? end + 1 - pos : 0;
}

// The "#" flag as profiles from Windows use it: numbers without their
// leading zeros ("%#d" is "5"), "%#c" and "%#x" the long date, and no
// effect on names (glibc would change their case instead).
std::string WindowsTimeConversion(std::string_view conversion) {
  if (conversion.find('#') == std::string_view::npos) return std::string(conversion);
  switch (conversion.back()) {
    case 'D': return "%-m/%-d/%-y";
    case 'F': return "%-Y-%-m-%-d";
    case 'T': return "%-H:%-M:%-S";
    case 'R': return "%-H:%-M";
    case 'r': return "%-I:%-M:%-S %p";
    case 'c': return "%A, %B %d, %Y %H:%M:%S";
    case 'x': return "%A, %B %d, %Y";
    default: break;
  }
  constexpr std::string_view kNumbers = "deHIjmMSUVWyY";
  bool number = kNumbers.find(conversion.back()) != std::string_view::npos;
  std::string translated;
  for (char c : conversion) {
    if (c != '#') {
      translated += c;
    } else if (number) {
      translated += '-';
    }
  }
  return translated;
}

// strftime returns 0 both for an empty result (%p in some locales) and for
// a result too long for the buffer, leaving the buffer undefined. A blank
// after the conversion makes every success non-empty, so 0 only means
// "too long", and such a conversion shows nothing.
void AppendTimeConversion(std::string_view conversion, const std::tm& tm, std::string* out) {
  constexpr size_t kMaxConversion = 1024;
  locale_t locale = CLocale();
  if (locale == locale_t{}) return;
  std::string spec(conversion);
  spec += ' ';
  char buffer[kMaxConversion];
  size_t length = strftime_l(buffer, sizeof buffer, spec.c_str(), &tm, locale);
  if (length > 0) out->append(buffer, length - 1);
}

// The literal text is copied here, not by strftime, so every Shift_JIS byte
// of a format like "%Y年%m月%d日" survives whatever the locale thinks of it.
// "%" (0x25) is never the second byte of a double-byte character.
std::string FormatLocalTime(std::string_view format, std::time_t now) {
  std::tm tm{};
  if (localtime_r(&now, &tm) == nullptr) return {};
  std::string out;
  size_t pos = 0;
  while (pos < format.size()) {
    size_t percent = std::min(format.find('%', pos), format.size());
    out.append(format.substr(pos, percent - pos));
    if (percent == format.size()) break;
    size_t length = TimeConversionLength(format, percent);
    if (length == 0) {
      out.append(format.substr(percent));  // cut short: shown as written
      break;
    }
    AppendTimeConversion(WindowsTimeConversion(format.substr(percent, length)), tm, &out);
    pos = percent + length;
  }
  return out;
}

// ---- bindings ----

struct TLetter {
  char letter;
  std::string_view value;
};

void Bind(TFormatter& formatter, std::initializer_list<TLetter> letters) {
  for (const TLetter& letter : letters) formatter.SetValue(letter.letter, letter.value);
}

std::string ExpandLetters(std::string_view format, std::initializer_list<TLetter> letters) {
  TFormatter formatter;
  Bind(formatter, letters);
  return formatter.Expand(format);
}

// n, u and h from the sender's prefix, then the kind's own letters.
std::string ExpandFromSender(std::string_view format, const TSender& sender, std::initializer_list<TLetter> letters) {
  TFormatter formatter;
  Bind(formatter, {{'n', sender.nick}, {'u', sender.user}, {'h', sender.host}});
  Bind(formatter, letters);
  return formatter.Expand(format);
}

// n, s and u of the unit, then the title's own letters.
std::string ExpandTitle(std::string_view format, const TTitleUnit& unit, std::initializer_list<TLetter> letters) {
  TFormatter formatter;
  Bind(formatter, {{'n', unit.nick}, {'s', unit.unit_name}, {'u', unit.user_modes}});
  Bind(formatter, letters);
  return formatter.Expand(format);
}

}  // namespace

std::span<const TFormatRow> MessageFormatRows() { return kRows; }

std::string WindowCaption(std::optional<std::string_view> node_title) {
  char program[64];
  std::snprintf(program, sizeof program, "%s %d.%02d", kProductName, kVersionMajor, kVersionMinor);
  if (!node_title) return program;
  return std::string(*node_title) + " - " + program;
}

std::int64_t TransferPercentage(std::int64_t transferred, std::int64_t size) {
  if (size <= 0 || transferred <= 0) return 0;
  unsigned __int128 percent = static_cast<unsigned __int128>(transferred) * 100 / static_cast<std::uint64_t>(size);
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  return percent > static_cast<unsigned __int128>(kMax) ? kMax : static_cast<std::int64_t>(percent);
}

void TMessageFormat::SetDefaults() {
  unit_title = "(%n)[%u] %s";
  channel_title = Sjis("(%n) %@%c(%x人)[%m] %t");
  talk_title = "(%n) %c";
  dcc_chat_title = "(%n) %c";
  enable_time = true;
  time = "%H:%M ";
  unit_channel = "<%s:%c> ";
  unit = "<%s> ";
  channel = "<%c> ";
  pre_nick = "(%n) ";
  enable_channel_in_channel_log = false;
  for (size_t i = 0; i < kRowCount; ++i) {
    kinds_[i] = TKindFormat{};
    if (kRows[i].default_format != nullptr) kinds_[i].format = Sjis(kRows[i].default_format);
  }
}

void TMessageFormat::Load(TIniFile& ini) {
  ini.SetSection("Format");
  ReadFields<TMessageFormat>(ini, kLeadingFields, "", this);
  for (size_t i = 0; i < kRowCount; ++i) {
    const TFormatRow& row = kRows[i];
    TKindFormat& kind = kinds_[i];
    if (row.channel_key != nullptr) kind.channel_enabled = ini.ReadBool(row.channel_key, kind.channel_enabled);
    kind.console_enabled = ini.ReadBool(row.console_key, kind.console_enabled);
    if (row.format_key != nullptr) kind.format = ini.ReadString(row.format_key, kind.format);
  }
}

// The kinds shown as received store their channel key first, the formatted
// kinds their console key first: files stay byte for byte what the Windows
// client writes.
void TMessageFormat::Save(TIniWriter& writer) const {
  writer.WriteSection("Format");
  WriteFields<TMessageFormat>(writer, kLeadingFields, "", *this);
  for (int index : kFileRows) {
    const TFormatRow& row = kRows[index];
    const TKindFormat& settings = kinds_[static_cast<size_t>(index)];
    if (row.format_key == nullptr) {
      if (row.channel_key != nullptr) writer.WriteBool(row.channel_key, settings.channel_enabled);
      writer.WriteBool(row.console_key, settings.console_enabled);
    } else {
      writer.WriteBool(row.console_key, settings.console_enabled);
      writer.WriteBool(row.channel_key, settings.channel_enabled);
    }
  }
  for (int index : kFileRows) {
    const TFormatRow& row = kRows[index];
    if (row.format_key != nullptr) writer.WriteString(row.format_key, kinds_[static_cast<size_t>(index)].format);
  }
}

TKindFormat* TMessageFormat::FindKind(TMessageKind kind) {
  int row = RowOf(kind);
  return row == kNoRow ? nullptr : &kinds_[static_cast<size_t>(row)];
}

const TKindFormat* TMessageFormat::FindKind(TMessageKind kind) const {
  return const_cast<TMessageFormat*>(this)->FindKind(kind);
}

const std::string& TMessageFormat::BodyFormat(TMessageKind kind) const { return FindKind(kind)->format; }

std::string TMessageFormat::FormatTime(std::time_t now) const {
  if (!enable_time) return {};
  if (!cache_valid_ || cached_second_ != now || cached_format_ != time) {
    cached_time_ = FormatLocalTime(time, now);
    cached_second_ = now;
    cached_format_ = time;
    cache_valid_ = true;
  }
  return cached_time_;
}

std::string TMessageFormat::FormatUnitPrefix(std::string_view unit_name) const {
  return ExpandLetters(unit, {{'s', unit_name}});
}

std::string TMessageFormat::FormatChannelPrefix(std::string_view channel_name) const {
  return ExpandLetters(channel, {{'c', channel_name}});
}

std::string TMessageFormat::FormatUnitChannelPrefix(std::string_view unit_name, std::string_view channel_name) const {
  if (!place_cache_valid_ || cached_place_unit_ != unit_name || cached_place_channel_ != channel_name ||
      cached_place_format_ != unit_channel) {
    cached_place_ = ExpandLetters(unit_channel, {{'s', unit_name}, {'c', channel_name}});
    cached_place_format_ = unit_channel;
    cached_place_unit_ = unit_name;
    cached_place_channel_ = channel_name;
    place_cache_valid_ = true;
  }
  return cached_place_;
}

std::string TMessageFormat::FormatNickPrefix(std::string_view nick) const {
  return ExpandLetters(pre_nick, {{'n', nick}, {'s', nick}});
}

std::string TMessageFormat::FormatUnitTitle(const TTitleUnit& title_unit) const {
  return ExpandTitle(unit_title, title_unit, {});
}

std::string TMessageFormat::FormatChannelTitle(const TTitleUnit& title_unit, std::string_view channel_name,
                                               std::string_view modes, std::string_view topic,
                                               std::int64_t members, bool is_operator) const {
  TDecimal count(members);
  return ExpandTitle(channel_title, title_unit,
                     {{'c', channel_name}, {'m', modes}, {'t', topic}, {'x', count.Text()}, {'@', is_operator ? "@" : ""}});
}

std::string TMessageFormat::FormatTalkTitle(const TTitleUnit& title_unit, std::string_view partner) const {
  return ExpandTitle(talk_title, title_unit, {{'c', partner}});
}

std::string TMessageFormat::FormatDCCChatTitle(const TTitleUnit& title_unit, std::string_view partner) const {
  return ExpandTitle(dcc_chat_title, title_unit, {{'c', partner}});
}

std::string TMessageFormat::FormatJoin(const TSender& sender, std::string_view channel_name) const {
  return ExpandFromSender(BodyFormat(K::Join), sender, {{'c', channel_name}});
}

std::string TMessageFormat::FormatPart(const TSender& sender, std::string_view channel_name,
                                       std::string_view message) const {
  return ExpandFromSender(BodyFormat(K::Part), sender, {{'c', channel_name}, {'m', message}});
}

std::string TMessageFormat::FormatNick(const TSender& sender, std::string_view new_nick) const {
  return ExpandFromSender(BodyFormat(K::Nick), sender, {{'t', new_nick}});
}

std::string TMessageFormat::FormatKick(const TSender& sender, std::string_view kicked, std::string_view channel_name,
                                       std::string_view reason) const {
  return ExpandFromSender(BodyFormat(K::Kick), sender, {{'t', kicked}, {'c', channel_name}, {'m', reason}});
}

std::string TMessageFormat::FormatMode(const TSender& sender, std::string_view channel_name,
                                       std::string_view modes) const {
  return ExpandFromSender(BodyFormat(K::Mode), sender, {{'c', channel_name}, {'m', modes}});
}

std::string TMessageFormat::FormatUserMode(std::string_view nick, std::string_view modes) const {
  return ExpandLetters(BodyFormat(K::UserMode), {{'n', nick}, {'m', modes}});
}

std::string TMessageFormat::FormatQuit(const TSender& sender, std::string_view message) const {
  return ExpandFromSender(BodyFormat(K::Quit), sender, {{'m', message}});
}

std::string TMessageFormat::FormatInviting(std::string_view nick, std::string_view channel_name) const {
  return ExpandLetters(BodyFormat(K::Inviting), {{'n', nick}, {'c', channel_name}});
}

std::string TMessageFormat::FormatInvite(const TSender& sender, std::string_view channel_name) const {
  return ExpandFromSender(BodyFormat(K::Invite), sender, {{'c', channel_name}});
}

std::string TMessageFormat::FormatTopic(const TSender& sender, std::string_view channel_name,
                                        std::string_view topic) const {
  return ExpandFromSender(BodyFormat(K::Topic), sender, {{'c', channel_name}, {'m', topic}});
}

std::string TMessageFormat::FormatError(const TSender& sender, std::string_view text) const {
  return ExpandFromSender(BodyFormat(K::Error), sender, {{'m', text}, {'s', text}});
}

std::string TMessageFormat::FormatModeReply(std::string_view channel_name, std::string_view modes) const {
  return ExpandLetters(BodyFormat(K::ModeReply), {{'c', channel_name}, {'m', modes}});
}

std::string TMessageFormat::FormatTopicReply(std::string_view channel_name, std::string_view topic) const {
  return ExpandLetters(BodyFormat(K::TopicReply), {{'c', channel_name}, {'m', topic}});
}

std::string TMessageFormat::FormatNamesReply(std::string_view channel_name, std::string_view names) const {
  return ExpandLetters(BodyFormat(K::NamesReply), {{'c', channel_name}, {'m', names}});
}

std::string TMessageFormat::FormatAwayReply(std::string_view nick, std::string_view message) const {
  return ExpandLetters(BodyFormat(K::AwayReply), {{'n', nick}, {'m', message}});
}

std::string TMessageFormat::FormatErrorReply(int code, std::string_view text) const {
  TDecimal number(code);
  return ExpandLetters(BodyFormat(K::ErrorReply), {{'k', number.Text()}, {'m', text}});
}

std::string TMessageFormat::FormatCTCPQuery(const TSender& sender, std::string_view command) const {
  return ExpandFromSender(BodyFormat(K::CTCPQuery), sender, {{'k', command}});
}

std::string TMessageFormat::FormatCTCPReply(const TSender& sender, std::string_view command,
                                            std::string_view text) const {
  return ExpandFromSender(BodyFormat(K::CTCPReply), sender, {{'k', command}, {'m', text}});
}

std::string TMessageFormat::FormatDCCSend(const TSender& sender, std::string_view file, std::string_view address,
                                          int port, std::int64_t size) const {
  TDecimal port_text(port), size_text(size);
  return ExpandFromSender(BodyFormat(K::DCCSend), sender,
                          {{'f', file}, {'a', address}, {'p', port_text.Text()}, {'s', size_text.Text()}});
}

std::string TMessageFormat::FormatDCCResume(const TSender& sender, int port, std::int64_t position) const {
  return ExpandDCCPosition(K::DCCResume, sender, port, position);
}

std::string TMessageFormat::FormatDCCAccept(const TSender& sender, int port, std::int64_t position) const {
  return ExpandDCCPosition(K::DCCAccept, sender, port, position);
}

std::string TMessageFormat::ExpandDCCPosition(TMessageKind kind, const TSender& sender, int port,
                                              std::int64_t position) const {
  TDecimal port_text(port), position_text(position);
  return ExpandFromSender(BodyFormat(kind), sender, {{'p', port_text.Text()}, {'s', position_text.Text()}});
}

std::string TMessageFormat::FormatDCCChat(const TSender& sender, std::string_view address, int port) const {
  TDecimal port_text(port);
  return ExpandFromSender(BodyFormat(K::DCCChat), sender, {{'a', address}, {'p', port_text.Text()}});
}

std::string TMessageFormat::FormatDCCSendComplete(std::string_view nick, std::string_view file,
                                                  std::int64_t size) const {
  return ExpandDCCComplete(K::DCCSendComplete, nick, file, size);
}

std::string TMessageFormat::FormatDCCReceiveComplete(std::string_view nick, std::string_view file,
                                                     std::int64_t size) const {
  return ExpandDCCComplete(K::DCCReceiveComplete, nick, file, size);
}

std::string TMessageFormat::ExpandDCCComplete(TMessageKind kind, std::string_view nick, std::string_view file,
                                              std::int64_t size) const {
  TDecimal size_text(size);
  return ExpandLetters(BodyFormat(kind), {{'n', nick}, {'f', file}, {'s', size_text.Text()}});
}

std::string TMessageFormat::FormatDCCSendFail(std::string_view nick, std::string_view file, std::int64_t size,
                                              std::int64_t sent, std::string_view reason) const {
  TDecimal size_text(size), sent_text(sent), percent(TransferPercentage(sent, size));
  return ExpandLetters(BodyFormat(K::DCCSendFail), {{'n', nick},
                                                    {'f', file},
                                                    {'s', size_text.Text()},
                                                    {'z', sent_text.Text()},
                                                    {'x', percent.Text()},
                                                    {'m', reason}});
}

std::string TMessageFormat::FormatDCCReceiveFail(std::string_view nick, std::string_view file,
                                                 std::string_view address, int port, std::int64_t size,
                                                 std::int64_t received, std::string_view reason) const {
  TDecimal port_text(port), size_text(size), received_text(received), percent(TransferPercentage(received, size));
  return ExpandLetters(BodyFormat(K::DCCReceiveFail), {{'n', nick},
                                                       {'f', file},
                                                       {'a', address},
                                                       {'p', port_text.Text()},
                                                       {'s', size_text.Text()},
                                                       {'z', received_text.Text()},
                                                       {'x', percent.Text()},
                                                       {'m', reason}});
}

}  // namespace zeph
