#include "dcc/widgets/chat_request_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/preferences.h"
#include "engine/world.h"
#include "net/socket.h"
#include "platform/net.h"
#include "platform/qt/qt_text.h"

namespace zeph {

TChatRequestDialog::TChatRequestDialog(TDccService& dcc, TChatRequest request, QWidget* parent)
    : QDialog(parent), dcc_(dcc), request_(std::move(request)) {
  setWindowTitle(QString::fromUtf8("DCCチャット要求"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* form = new QFormLayout;
  QString sender = ToQString(request_.nick + " (" + request_.user + "@" + request_.host + ")");
  std::string address = net::TNetAddress::FromIpv4(NetworkAddress(request_.offer.address)).ToText() + ":" +
                        std::to_string(request_.offer.port);
  QString time = QDateTime::fromSecsSinceEpoch(request_.time).toString("yyyy/MM/dd HH:mm:ss");
  // The peer chose these texts: shown as they are, never as markup.
  auto plain = [this](const QString& text) {
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    return label;
  };
  form->addRow(QString::fromUtf8("送信元"), plain(sender));
  form->addRow(QString::fromUtf8("アドレス"), plain(QString::fromStdString(address)));
  form->addRow(QString::fromUtf8("日時"), plain(time));
  auto* buttons = new QDialogButtonBox(this);
  connect_ = buttons->addButton(QString::fromUtf8("接続"), QDialogButtonBox::AcceptRole);
  close_ = buttons->addButton(QString::fromUtf8("閉じる"), QDialogButtonBox::RejectRole);
  connect(connect_, &QPushButton::clicked, this, [this] {
    dcc_.AcceptChat(request_);  // does nothing when the unit is gone
    accept();
  });
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

TChatRequestPrompter::~TChatRequestPrompter() {
  for (const auto& dialog : dialogs_) delete dialog.data();
}

std::vector<TChatRequestDialog*> TChatRequestPrompter::Dialogs() const {
  std::vector<TChatRequestDialog*> open;
  for (const auto& dialog : dialogs_) {
    if (dialog) open.push_back(dialog.data());
  }
  return open;
}

int TChatRequestPrompter::OpenRequests() const { return static_cast<int>(Dialogs().size()); }

void TChatRequestPrompter::AskChat(const TChatRequest& request) {
  std::erase_if(dialogs_, [](const auto& dialog) { return dialog.isNull(); });
  auto* dialog = new TChatRequestDialog(dcc_, request);
  dialogs_.emplace_back(dialog);
  dialog->show();
  if (dcc_.World().Preferences().ActivateDCCChatDialog) {
    dialog->raise();
    dialog->activateWindow();
  }
}

}  // namespace zeph
