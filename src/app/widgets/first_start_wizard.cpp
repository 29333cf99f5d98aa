#include "app/widgets/first_start_wizard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

#include "app/application.h"
#include "app/version1_folder.h"
#include "app/version1_import_texts.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

QLabel* Hint(const char* text, QWidget* parent) {
  auto* label = new QLabel(Q(text), parent);
  label->setWordWrap(true);
  return label;
}

namespace fs = std::filesystem;

// The import choice leaves the first page only once the import has run.
class TWelcomePage final : public QWizardPage {
 public:
  TWelcomePage(QButtonGroup* choices, std::function<bool()> import) : choices_(choices), import_(std::move(import)) {}
  bool validatePage() override { return choices_->checkedId() != TFirstStartWizard::kImport || import_(); }

 private:
  QButtonGroup* choices_;
  std::function<bool()> import_;
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

TFirstStartWizard::TFirstStartWizard(TApplication& app, QWidget* parent) : QWizard(parent), app_(app) {
  setWindowTitle(Q("Zephlora2 のインストール"));
  setWizardStyle(QWizard::ClassicStyle);
  setButtonText(QWizard::BackButton, Q("< 戻る(&B)"));
  setButtonText(QWizard::NextButton, Q("次へ(&N) >"));
  setButtonText(QWizard::FinishButton, Q("完了"));
  setButtonText(QWizard::CancelButton, Q("キャンセル"));

  choices_ = new QButtonGroup(this);
  auto* welcome = new TWelcomePage(choices_, [this] { return RunImport(); });
  welcome_ = welcome;
  welcome->setTitle(Q("IRCの世界へようこそ．"));
  auto* wlayout = new QVBoxLayout(welcome);
  const QString texts[] = {Q("最低限の設定をはじめる (初心者向け)"), Q("自分で設定をする (上級者向け)"),
                           ToQString(ImportDialogTexts().choice)};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(texts[i], welcome);
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

  auto* import_page = new QWizardPage;
  import_page->setTitle(ToQString(ImportDialogTexts().caption));
  auto* ilayout = new QVBoxLayout(import_page);
  import_report_ = new QPlainTextEdit(import_page);
  import_report_->setObjectName(QStringLiteral("ImportReport"));
  import_report_->setReadOnly(true);
  ilayout->addWidget(import_report_, 1);
  setPage(kImportPage, import_page);
  resize(520, 400);
}

TFirstStartWizard::TChoice TFirstStartWizard::Choice() const {
  return static_cast<TChoice>(choices_->checkedId());
}

int TFirstStartWizard::nextId() const {
  switch (currentId()) {
    case kWelcomePage: return Choice() == kBeginner ? kNickPage : Choice() == kImport ? kImportPage : -1;
    case kNickPage: return kChannelPage;
    default: return -1;
  }
}

bool TFirstStartWizard::RunImport() {
  std::optional<fs::path> source = AskVersion1Folder();
  if (!source) return false;
  TImportReport report = app_.ImportVersion1Settings(*source);
  imported_ = true;
  QStringList lines;
  for (const std::string& line : report.lines) lines.push_back(ToQString(line));
  import_report_->setPlainText(lines.join(QLatin1Char('\n')));
  // The import cannot be taken back: no way back to the first page.
  welcome_->setCommitPage(true);
  return true;
}

// The installation found where version 1 is put, else one the user
// chooses; nothing when the user goes back to the first page.
std::optional<fs::path> TFirstStartWizard::AskVersion1Folder() {
  const std::string& user = app_.Folders().version1_user;
  if (auto found = FindVersion1Installation(app_.Folders().application, user)) {
    switch (AskFound(*found)) {
      case kTakeFound: return found;
      case kGoBack: return std::nullopt;
      case kOtherPlace: break;
    }
  }
  while (auto chosen = ChooseFolder()) {
    if (HasVersion1Settings(*chosen, user)) return chosen;
    if (!AskChooseAgain()) break;
  }
  return std::nullopt;
}

TFirstStartWizard::TFoundAnswer TFirstStartWizard::AskFound(const fs::path& folder) {
  const TImportDialogTexts& texts = ImportDialogTexts();
  QString text = ToQString(texts.found).replace(QStringLiteral("%s"), QFile::decodeName(folder.c_str()));
  QMessageBox box(QMessageBox::Question, ToQString(texts.caption), text, QMessageBox::NoButton, this);
  QPushButton* take = box.addButton(ToQString(texts.import), QMessageBox::AcceptRole);
  QPushButton* other = box.addButton(ToQString(texts.other_place), QMessageBox::ActionRole);
  QPushButton* back = box.addButton(ToQString(texts.back), QMessageBox::RejectRole);
  box.setDefaultButton(take);
  box.setEscapeButton(back);
  Exec(box);
  if (box.clickedButton() == take) return kTakeFound;
  return box.clickedButton() == other ? kOtherPlace : kGoBack;
}

std::optional<fs::path> TFirstStartWizard::ChooseFolder() {
  QFileDialog dialog(this, ToQString(ImportDialogTexts().choose_folder));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return fs::path(QFile::encodeName(dialog.selectedFiles().first()).toStdString());
}

bool TFirstStartWizard::AskChooseAgain() {
  const TImportDialogTexts& texts = ImportDialogTexts();
  QMessageBox box(QMessageBox::Question, ToQString(texts.caption), ToQString(texts.not_found),
                  QMessageBox::Yes | QMessageBox::No, this);
  box.setDefaultButton(QMessageBox::Yes);
  return Exec(box) == QMessageBox::Yes;
}

int TFirstStartWizard::Exec(QDialog& dialog) {
  if (before_dialog) before_dialog(dialog);
  return dialog.exec();
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
  TFirstStartWizard wizard(app, parent);
  bool accepted = wizard.exec() == QDialog::Accepted;
  ApplyFirstStart(app, wizard, accepted);
}

}  // namespace zeph
