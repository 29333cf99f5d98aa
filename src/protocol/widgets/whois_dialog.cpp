#include "protocol/widgets/whois_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QHostInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "engine/unit.h"
#include "engine/world.h"
#include "platform/qt/dropped_files.h"
#include "platform/qt/qt_text.h"
#include "protocol/numeric_windows.h"

namespace zeph {

namespace {
constexpr const char* kLabels[] = {"ニックネーム", "ログイン名",     "ホスト名",     "IPアドレス", "名前",
                                   "サーバ",       "離席メッセージ", "アイドル時間", "ログイン時刻"};
}

TWhoisDialog::TWhoisDialog(TWorld& world, TReplyWindows& windows, TWhoisModel& model, QWidget* parent)
    : QDialog(parent), world_(world), windows_(windows), model_(&model) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("Zephlora2Whois"));
  auto* form = new QFormLayout;
  for (int i = 0; i < FieldCount; ++i) {
    fields_[i] = new QLineEdit(this);
    fields_[i]->setReadOnly(true);
    // A file dropped on a field is meant for the dialog.
    fields_[i]->setAcceptDrops(false);
    form->addRow(QString::fromUtf8(kLabels[i]), fields_[i]);
    if (i == Realname) {
      channels_ = new QComboBox(this);
      join_ = new QPushButton(QStringLiteral("入る(&J)"), this);
      auto* row = new QHBoxLayout;
      row->addWidget(channels_, 1);
      row->addWidget(join_);
      form->addRow(QStringLiteral("チャンネル"), row);
    }
  }
  connect(join_, &QPushButton::clicked, this, &TWhoisDialog::JoinSelected);
  connect(channels_, &QComboBox::currentIndexChanged, this,
          [this](int index) { join_->setEnabled(index >= 0); });

  auto* refresh = new QPushButton(QStringLiteral("更新(&U)"), this);
  auto* talk = new QPushButton(QStringLiteral("トーク(&T)"), this);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  refresh->setObjectName(QStringLiteral("refresh"));
  talk->setObjectName(QStringLiteral("talk"));
  connect(refresh, &QPushButton::clicked, this, &TWhoisDialog::Refresh);
  connect(talk, &QPushButton::clicked, this, &TWhoisDialog::Talk);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(refresh, QDialogButtonBox::ActionRole);
  buttons->addButton(talk, QDialogButtonBox::ActionRole);
  buttons->addButton(close, QDialogButtonBox::RejectRole);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(420, sizeHint().height());
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  setAcceptDrops(true);
  model.SetObserver(this);
  ShowModel();
}

TWhoisDialog::~TWhoisDialog() {
  if (lookup_id_ >= 0) QHostInfo::abortHostLookup(lookup_id_);
  if (model_) model_->SetObserver(nullptr);
}

TUnit* TWhoisDialog::FindUnit() const { return model_ ? world_.FindUnitById(model_->Unit()) : nullptr; }

void TWhoisDialog::ShowModel() {
  const TWhoisModel& m = *model_;
  setWindowTitle(LiteralWindowTitle(ToQString(m.Caption())));
  fields_[Nick]->setText(ToQString(m.NickField()));
  fields_[User]->setText(ToQString(m.User()));
  fields_[Host]->setText(ToQString(m.Host()));
  fields_[Realname]->setText(ToQString(m.Realname()));
  fields_[Server]->setText(ToQString(m.ServerField()));
  fields_[Away]->setText(ToQString(m.AwayMessage()));
  fields_[Idle]->setText(ToQString(m.IdleText()));
  fields_[SignOn]->setText(ToQString(m.SignOnText()));
  QStringList channels;
  for (const std::string& channel : m.Channels()) channels << ToQString(channel);
  QStringList shown;
  for (int i = 0; i < channels_->count(); ++i) shown << channels_->itemText(i);
  if (shown != channels) {
    channels_->clear();
    channels_->addItems(channels);
    channels_->setCurrentIndex(m.SelectedChannel());
  }
  join_->setEnabled(channels_->currentIndex() >= 0);
  if (m.Host() != resolved_host_) ResolveHost(m.Host());
}

void TWhoisDialog::ResolveHost(const std::string& host) {
  resolved_host_ = host;
  if (lookup_id_ >= 0) QHostInfo::abortHostLookup(lookup_id_);
  lookup_id_ = -1;
  if (host.empty()) {
    fields_[Address]->clear();
    return;
  }
  // An address needs no look-up (and a reverse one is not what the field
  // shows).
  if (const QHostAddress address(ToQString(host)); !address.isNull()) {
    fields_[Address]->setText(address.toString());
    return;
  }
  fields_[Address]->setText(QStringLiteral("検索中..."));
  lookup_id_ = QHostInfo::lookupHost(ToQString(host), this, [this](const QHostInfo& info) {
    lookup_id_ = -1;
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
      fields_[Address]->setText(QStringLiteral("(不明)"));
      return;
    }
    fields_[Address]->setText(info.addresses().first().toString());
  });
}

void TWhoisDialog::Refresh() {
  if (TUnit* unit = FindUnit()) RequestWhoisAgain(*unit, *model_);
}

void TWhoisDialog::JoinSelected() {
  if (TUnit* unit = FindUnit()) JoinWhoisChannel(*unit, *model_, channels_->currentIndex());
}

void TWhoisDialog::Talk() {
  if (TUnit* unit = FindUnit()) OpenWhoisTalk(*unit, *model_);
}

void TWhoisDialog::SendDroppedFiles(const QStringList& paths) {
  TUnit* unit = FindUnit();
  if (!unit || !unit->IsLoggedIn() || !send_files || paths.isEmpty()) return;
  send_files(*unit, model_->Nick(), paths);
}

void TWhoisDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (send_files && !DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TWhoisDialog::dropEvent(QDropEvent* event) {
  const QStringList paths = DroppedFiles(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  SendDroppedFiles(paths);
}

void TWhoisDialog::OnWhoisChanged(const TWhoisModel&) { ShowModel(); }

void TWhoisDialog::OnWhoisRaise(const TWhoisModel&) {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void TWhoisDialog::OnWhoisClosed(const TWhoisModel&) {
  model_ = nullptr;
  close();
}

void TWhoisDialog::closeEvent(QCloseEvent* event) {
  if (TWhoisModel* model = std::exchange(model_, nullptr)) {
    model->SetObserver(nullptr);
    windows_.CloseWhois(*model);  // destroys the model and lowers the count of open dialogs
  }
  QDialog::closeEvent(event);
}

}  // namespace zeph
