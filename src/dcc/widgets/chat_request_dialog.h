#pragma once

#include <QDialog>
#include <QPointer>
#include <vector>

#include "dcc/dcc_service.h"

class QPushButton;

// The question "DCCチャット要求" about a chat offer: who sent it, from
// which address and when, with "接続" and "閉じる". Several may be open at
// once, up to MaxDCCChatRequestDialog.
namespace zeph {

class TChatRequestDialog final : public QDialog {
  Q_OBJECT

 public:
  TChatRequestDialog(TDccService& dcc, TChatRequest request, QWidget* parent = nullptr);

  QPushButton& ConnectButton() const { return *connect_; }
  QPushButton& CloseButton() const { return *close_; }

 private:
  TDccService& dcc_;
  const TChatRequest request_;
  QPushButton* connect_;
  QPushButton* close_;
};

// Opens a request dialog for each chat offer that asks the user.
class TChatRequestPrompter final : public TChatRequestPrompt {
 public:
  explicit TChatRequestPrompter(TDccService& dcc) : dcc_(dcc) {}
  ~TChatRequestPrompter() override;

  int OpenRequests() const override;
  void AskChat(const TChatRequest& request) override;
  std::vector<TChatRequestDialog*> Dialogs() const;

 private:
  TDccService& dcc_;
  std::vector<QPointer<TChatRequestDialog>> dialogs_;
};

}  // namespace zeph
