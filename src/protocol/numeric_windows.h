#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "display/link_key.h"
#include "protocol/channel_list_model.h"
#include "protocol/mask_list_model.h"
#include "protocol/nick_policy.h"
#include "protocol/whois_model.h"

// The windows the replies feed: WHOIS dialogs, the channel list and the
// mask lists of channels, held as models per unit. The program's window
// layer builds a window for each model it is shown and observes the model.
namespace zeph {

class TChannel;
class TUnit;
class TWorld;

// Implemented by the window layer. Each Show call hands over a new model;
// the window attaches itself as the model's observer, and when the user
// closes it (or the channel of a mask list goes away), tells TReplyWindows.
class TReplyWindowHost {
 public:
  virtual ~TReplyWindowHost() = default;
  // Centred on the screen, with the main window's topmost setting.
  virtual void ShowWhoisDialog(TUnit& unit, TWhoisModel& model) = 0;
  virtual void ShowChannelList(TUnit& unit, TChannelListModel& model) = 0;
  virtual void ShowMaskList(TUnit& unit, TChannel& channel, TMaskListModel& model) = 0;
  // The Ask nick policy's dialog; answer is called once, when it closes.
  virtual void AskNick(TUnit& unit, const TNickQuestion& question, TNickAnswerCallback answer) = 0;
};

class TReplyWindows {
 public:
  explicit TReplyWindows(TWorld& world) : world_(world) {}
  ~TReplyWindows();
  TReplyWindows(const TReplyWindows&) = delete;
  TReplyWindows& operator=(const TReplyWindows&) = delete;

  // Without a host no window opens and the replies are printed instead.
  void SetHost(TReplyWindowHost* host) { host_ = host; }
  TReplyWindowHost* Host() const { return host_; }

  // --- WHOIS dialogs, one per nick and unit ---------------------------------
  TWhoisModel* FindWhois(const TUnit& unit, std::string_view nick) const;
  // The dialog for a nick by the opening rule: the open one, else a new one
  // unless the unit is closing or the world-wide limit is reached; null
  // when none may open.
  TWhoisModel* OpenWhois(TUnit& unit, const std::string& nick);
  // The user closed the dialog.
  void CloseWhois(const TWhoisModel& model);
  // A user changed nick: his dialog follows, replacing one already open
  // for the new nick.
  void RenameWhois(const TUnit& unit, const std::string& old_nick, const std::string& new_nick);
  // Open WHOIS dialogs of all units, for the LimitWhoisDialog rule.
  int OpenWhoisCount() const { return whois_open_; }

  // --- The channel list window of a unit ------------------------------------
  TChannelListModel* ChannelList(const TUnit& unit) const;
  // The list command: shows the window, or raises the open one. Only while
  // logged in; sends nothing.
  TChannelListModel* OpenChannelList(TUnit& unit);
  void CloseChannelList(const TChannelListModel& model);

  // --- Mask lists of channels -------------------------------------------------
  TMaskListModel* FindMaskList(const TUnit& unit, const TChannel& channel, TMaskListKind kind) const;
  // Shows the list (or raises the open one, emptied) and asks the server
  // for it with MODE; only while logged in.
  TMaskListModel* OpenMaskList(TUnit& unit, TChannel& channel, TMaskListKind kind);
  void CloseMaskList(const TMaskListModel& model);

  // The unit goes away: every window of it closes.
  void CloseUnit(const TUnit& unit);

 private:
  struct TUnitWindows {
    std::map<std::string, std::unique_ptr<TWhoisModel>> whois;  // by IrcUpper(nick)
    std::unique_ptr<TChannelListModel> channel_list;
    std::vector<std::unique_ptr<TMaskListModel>> mask_lists;
    bool Empty() const { return whois.empty() && !channel_list && mask_lists.empty(); }
  };

  TUnitWindows* Find(TNodeId unit);
  const TUnitWindows* Find(TNodeId unit) const;
  void Forget(TNodeId unit);
  void DropWhois(TUnitWindows& windows, std::map<std::string, std::unique_ptr<TWhoisModel>>::iterator entry);

  TWorld& world_;
  TReplyWindowHost* host_ = nullptr;
  std::map<TNodeId, TUnitWindows> units_;
  int whois_open_ = 0;
};

}  // namespace zeph
