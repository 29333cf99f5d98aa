#pragma once

#include <QPointer>
#include <QStringList>
#include <memory>

#include "dcc/dcc_service.h"
#include "dcc/widgets/chat_request_dialog.h"
#include "dcc/widgets/dcc_window.h"

// The DCC windows of the desktop program: the DCC window, made when first
// needed and shown as offers and the menus ask, and the chat request
// dialogs. The main window holds one of these for the program's DCC.
namespace zeph {

class TDccWindows final : private TDccObserver {
 public:
  explicit TDccWindows(TDccService& dcc);
  ~TDccWindows() override;
  TDccWindows(const TDccWindows&) = delete;
  TDccWindows& operator=(const TDccWindows&) = delete;

  // "DCCファイル送受信(&D)...": shows the window and brings it forward.
  void Show();
  // Files dropped on a member, or chosen for one: a send each, while the
  // unit is registered.
  void SendFiles(TUnit& unit, const std::string& nick, const QStringList& paths);

  // The window when it exists.
  TDccWindow* Window() const { return window_.data(); }
  TChatRequestPrompter& Prompter() { return prompter_; }
  // window.ini's section "DCC": applied to the window when it is made, and
  // read back from it while it exists.
  void SetLayout(const TDccWindowLayout& layout);
  TDccWindowLayout Layout() const;

 private:
  TDccWindow& Made();
  void WindowRequested(const TFileOfferReaction& request) override;
  void CloseRequested() override;

  TDccService& dcc_;
  TChatRequestPrompter prompter_;
  QPointer<TDccWindow> window_;
  TDccWindowLayout layout_;
};

}  // namespace zeph
