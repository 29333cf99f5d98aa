#pragma once

#include <QStringList>
#include <functional>
#include <string>

#include "display/widgets/window_geometry.h"
#include "protocol/numeric_windows.h"

class QWidget;

// The windows built for the reply models; the main window's reply window
// host hands its Show calls here.
namespace zeph {

class TWorld;

class TReplyWindowViews {
 public:
  TReplyWindowViews(TWorld& world, TReplyWindows& windows, QWidget* parent = nullptr)
      : world_(world), windows_(windows), parent_(parent) {}

  // The channel list window's place in the settings (`List`): read when it
  // opens, written when it closes.
  std::function<TWindowEntry()> load_list_geometry;
  std::function<void(const TWindowEntry&)> store_list_geometry;
  // The main window's topmost setting for every new window.
  std::function<bool()> topmost;
  // Files dropped on a WHOIS dialog, for DCC send to its nick.
  std::function<void(TUnit& unit, const std::string& nick, const QStringList& paths)> send_files;

  void ShowWhoisDialog(TUnit& unit, TWhoisModel& model);
  void ShowChannelList(TUnit& unit, TChannelListModel& model);
  void ShowMaskList(TUnit& unit, TChannel& channel, TMaskListModel& model);

 private:
  void ShowNew(QWidget& window);

  TWorld& world_;
  TReplyWindows& windows_;
  QWidget* parent_;
};

}  // namespace zeph
