#pragma once

#include "protocol/numeric_windows.h"
#include "protocol/widgets/reply_window_views.h"

class QWidget;

// The main window's side of the reply windows: WHOIS dialogs, the channel
// list and the mask lists open as their replies arrive, and the nick
// question of the Ask policy.
namespace zeph {

class TApplication;

class TReplyWindowHostImpl final : public TReplyWindowHost {
 public:
  TReplyWindowHostImpl(TApplication& app, QWidget* parent);
  ~TReplyWindowHostImpl() override;

  TReplyWindowViews& Views() { return views_; }

  void ShowWhoisDialog(TUnit& unit, TWhoisModel& model) override { views_.ShowWhoisDialog(unit, model); }
  void ShowChannelList(TUnit& unit, TChannelListModel& model) override { views_.ShowChannelList(unit, model); }
  void ShowMaskList(TUnit& unit, TChannel& channel, TMaskListModel& model) override {
    views_.ShowMaskList(unit, channel, model);
  }
  void AskNick(TUnit& unit, const TNickQuestion& question, TNickAnswerCallback answer) override;

 private:
  TApplication& app_;
  QWidget* parent_;
  TReplyWindowViews views_;
};

}  // namespace zeph
