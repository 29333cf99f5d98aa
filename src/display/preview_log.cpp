#include "display/preview_log.h"

#include "platform/sjis.h"

namespace zeph {

namespace {

constexpr int kPrivmsg = 0, kNotice = 1, kAction = 2, kJoin = 3, kPart = 4, kQuit = 5, kKick = 6, kInvite = 7,
              kNick = 8, kMode = 9, kTopic = 10, kCtcp = 11, kDccSend = 12, kDccChat = 13, kError = 14,
              kReply = 15, kSystem = 16, kMacro = 17, kSent = 18, kReceived = 19;

// A fixed moment, so the preview shows the same time whenever it is drawn.
constexpr std::time_t kPreviewTime = 1'000'000'000 + 12 * 3600;

class TPreviewWriter {
 public:
  TPreviewWriter(const TMessageFormat& formats, bool console) : formats_(formats), console_(console) {}

  void Message(const char* nick, int nick_class, const std::string& body, int category = kPrivmsg) {
    Add(category, formats_.FormatNickPrefix(nick), body, nick_class, nick);
  }
  void Event(int category, const std::string& body) { Add(category, "", body, 0, ""); }

  std::vector<TLogLineSource> Take() { return std::move(lines_); }

 private:
  void Add(int category, std::string nick_piece, const std::string& body, int nick_class, const char* nick) {
    TLogLineSource line;
    line.time = formats_.FormatTime(kPreviewTime);
    line.place = console_ ? formats_.FormatUnitChannelPrefix("Server", "#Channel") : std::string();
    line.nick_piece = std::move(nick_piece);
    line.body = body;
    line.category = category;
    line.nick_class = nick_class;
    line.nick = nick;
    lines_.push_back(std::move(line));
  }

  const TMessageFormat& formats_;
  bool console_;
  std::vector<TLogLineSource> lines_;
};

}  // namespace

const std::string& PreviewKeyword() { return Sjis("キーワード"); }
const std::string& PreviewSearchWord() { return Sjis("検索ハイライト"); }

std::vector<TLogLineSource> PreviewLogLines(const TMessageFormat& f, bool console) {
  const TSender nick{"Nick", "user", "host.example.jp"};
  TPreviewWriter w(f, console);
  w.Event(kSystem, Sjis("サーバに接続しました"));
  w.Event(kJoin, f.FormatJoin(nick, "#Channel"));
  w.Message("Nick", 0, Sjis("こんにちは。通常のメッセージです"));
  w.Message("MyNick", 1, Sjis("自分の発言です"));
  const char* groups[] = {"G1Nick", "G2Nick", "G3Nick", "G4Nick", "G5Nick"};
  for (int group = 0; group < 5; ++group)
    w.Message(groups[group], 2 + group, Sjis("グループ") + std::to_string(group + 1) + Sjis(" の発言です"));
  w.Message("Nick", 0, Sjis("キーワード を含む行です"));
  w.Message("Nick", 0, Sjis("URL は http://www.example.jp/ です"));
  w.Message("Nick", 0, Sjis("ホスト名は irc.example.jp と 192.168.0.1 です"));
  w.Message("Nick", 0, Sjis("検索ハイライト の例です"));
  w.Message("Nick", 0, Sjis("お知らせです"), kNotice);
  w.Event(kAction, Sjis("* Nick は動作を表します"));
  w.Event(kError, f.FormatError({}, Sjis("エラーの例です")));
  w.Event(kInvite, f.FormatInvite(nick, "#Channel"));
  w.Event(kPart, f.FormatPart(nick, "#Channel", "Leaving..."));
  w.Event(kQuit, f.FormatQuit(nick, "Quit"));
  w.Event(kKick, f.FormatKick(nick, "G1Nick", "#Channel", "Flooder"));
  w.Event(kNick, f.FormatNick(nick, "NewNick"));
  w.Event(kMode, f.FormatMode(nick, "#Channel", "+o MyNick"));
  w.Event(kTopic, f.FormatTopic(nick, "#Channel", Sjis("トピックです")));
  w.Event(kCtcp, f.FormatCTCPQuery(nick, "VERSION"));
  w.Event(kDccSend, f.FormatDCCSend(nick, "file.txt", "192.168.0.1", 1096, 1024));
  w.Event(kDccChat, f.FormatDCCChat(nick, "192.168.0.1", 1196));
  w.Event(kReply, f.FormatTopicReply("#Channel", Sjis("トピックです")));
  w.Event(kMacro, Sjis("マクロの出力です"));
  w.Event(kSent, "PRIVMSG #Channel :hello");
  w.Event(kReceived, ":Nick!user@host.example.jp PRIVMSG #Channel :hello");
  return w.Take();
}

}  // namespace zeph
