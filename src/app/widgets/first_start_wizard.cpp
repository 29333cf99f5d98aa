#include "app/widgets/first_start_wizard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

#include "app/application.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* Hint(const char* text, QWidget* parent) {
  auto* label = new QLabel(Q(text), parent);
  label->setWordWrap(true);
  return label;
}

// The import choice stays on the first page until the import exists.
class TWelcomePage final : public QWizardPage {
 public:
  explicit TWelcomePage(QButtonGroup* choices) : choices_(choices) {}
  bool validatePage() override {
    if (choices_->checkedId() != TFirstStartWizard::kImport) return true;
    QMessageBox::information(this, Q("設定の引き継ぎ"),
                             Q("Zephlora1 の設定の引き継ぎは，まだこの版では使えません．\n"
                               "ほかの方法を選んでください．"));
    return false;
  }

 private:
  QButtonGroup* choices_;
};

// Next only with a nickname.
class TNickPage final : public QWizardPage {
 public:
  void Watch(QLineEdit* nick) {
    nick_ = nick;
    connect(nick, &QLineEdit::textChanged, this, &QWizardPage::completeChanged);
  }
  bool isComplete() const override { return nick_ && !nick_->text().trimmed().isEmpty(); }

 private:
  QLineEdit* nick_ = nullptr;
};

}  // namespace

TFirstStartWizard::TFirstStartWizard(QWidget* parent) : QWizard(parent) {
  setWindowTitle(Q("Zephlora2 のインストール"));
  setWizardStyle(QWizard::ClassicStyle);
  setButtonText(QWizard::BackButton, Q("< 戻る(&B)"));
  setButtonText(QWizard::NextButton, Q("次へ(&N) >"));
  setButtonText(QWizard::FinishButton, Q("完了"));
  setButtonText(QWizard::CancelButton, Q("キャンセル"));

  choices_ = new QButtonGroup(this);
  auto* welcome = new TWelcomePage(choices_);
  welcome->setTitle(Q("IRCの世界へようこそ．"));
  auto* wlayout = new QVBoxLayout(welcome);
  const char* texts[] = {"最低限の設定をはじめる (初心者向け)", "自分で設定をする (上級者向け)",
                         "Zephlora1 の設定を引き継ぐ"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(Q(texts[i]), welcome);
    choices_->addButton(button, i);
    wlayout->addWidget(button);
  }
  choices_->button(kBeginner)->setChecked(true);
  wlayout->addStretch(1);
  setPage(kWelcomePage, welcome);

  auto* nick_page = new TNickPage;
  nick_page->setTitle(Q("ニックネームとサーバ"));
  auto* nlayout = new QVBoxLayout(nick_page);
  auto* nick_label = new QLabel(Q("ニックネーム(&N):"), nick_page);
  nick_ = new QLineEdit(nick_page);
  nick_->setObjectName(QStringLiteral("Nick"));
  nick_label->setBuddy(nick_);
  nlayout->addWidget(nick_label);
  nlayout->addWidget(nick_);
  nlayout->addWidget(Hint("ニックネームは，IRC上でのあなたの名前です．", nick_page));
  nlayout->addWidget(Hint("使用できる主な文字は，アルファベット，数字，アンダーラインです．", nick_page));
  nlayout->addWidget(Hint("また，文字数は 9文字までとなっています．", nick_page));
  auto* server_label = new QLabel(Q("接続する IRCサーバ(&S):"), nick_page);
  server_ = new QComboBox(nick_page);
  server_->setObjectName(QStringLiteral("Server"));
  server_->setEditable(true);
  for (const std::string& entry : DefaultServerList()) {
    if (entry == "-")
      server_->insertSeparator(server_->count());
    else
      server_->addItem(ToQString(entry));
  }
  server_->setCurrentIndex(0);
  server_label->setBuddy(server_);
  nlayout->addSpacing(8);
  nlayout->addWidget(server_label);
  nlayout->addWidget(server_);
  nlayout->addStretch(1);
  nick_page->Watch(nick_);
  setPage(kNickPage, nick_page);

  auto* channel_page = new QWizardPage;
  channel_page->setTitle(Q("接続とチャンネル"));
  auto* clayout = new QVBoxLayout(channel_page);
  auto_connect_ = new QCheckBox(Q("起動と同時に接続する(&C)"), channel_page);
  auto_connect_->setChecked(true);
  clayout->addWidget(auto_connect_);
  clayout->addWidget(new QLabel(Q("接続したときに入るチャンネル"), channel_page));
  channels_ = new QPlainTextEdit(channel_page);
  channels_->setObjectName(QStringLiteral("Channels"));
  clayout->addWidget(channels_, 1);
  clayout->addWidget(Hint("1行に1つずつ書いてください．(例: #zephlora)", channel_page));
  setPage(kChannelPage, channel_page);
  resize(520, 400);
}

TFirstStartWizard::TChoice TFirstStartWizard::Choice() const {
  return static_cast<TChoice>(choices_->checkedId());
}

int TFirstStartWizard::nextId() const {
  switch (currentId()) {
    case kWelcomePage: return Choice() == kBeginner ? kNickPage : -1;
    case kNickPage: return kChannelPage;
    default: return -1;
  }
}

TWizardChoice TFirstStartWizard::Result() const {
  TWizardChoice choice;
  choice.nick = FromQString(nick_->text().trimmed());
  choice.host_text = FromQString(server_->currentText().trimmed());
  choice.auto_connect = auto_connect_->isChecked();
  for (const QString& line : channels_->toPlainText().split(QLatin1Char('\n')))
    if (!line.trimmed().isEmpty()) choice.channels.push_back(FromQString(line.trimmed()));
  return choice;
}

void ApplyFirstStart(TApplication& app, const TFirstStartWizard& wizard, bool accepted) {
  if (accepted && wizard.Choice() == TFirstStartWizard::kBeginner) {
    TServerConfig server =
        WizardServer(wizard.Result(), [] { return static_cast<int>(QRandomGenerator::global()->bounded(7)); });
    app.LoadedTree().units.push_back(server);
  }
  app.SaveAllSettings();
  app.Preferences().Installed = true;
}

void RunFirstStart(QWidget* parent, TApplication& app) {
  TFirstStartWizard wizard(parent);
  bool accepted = wizard.exec() == QDialog::Accepted;
  ApplyFirstStart(app, wizard, accepted);
}

}  // namespace zeph
