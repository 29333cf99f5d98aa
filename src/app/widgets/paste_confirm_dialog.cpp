#include "app/widgets/paste_confirm_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/paste_text.h"
#include "platform/qt/qt_text.h"
#include "settings/preferences.h"

namespace zeph {

TPasteConfirmDialog::TPasteConfirmDialog(TWorld& world, TPreferences& preferences, TPasteTarget target,
                                         const std::string& text, QWidget* parent)
    : QDialog(parent),
      world_(world),
      preferences_(preferences),
      target_(target),
      text_(new QPlainTextEdit(this)),
      mark_(new QLineEdit(this)),
      notice_(new QCheckBox(QStringLiteral("Noticeメッセージで送信(&N)"), this)) {
  setObjectName(QStringLiteral("Zephlora2PasteConfirm"));
  setWindowTitle(QStringLiteral("貼り付け確認"));
  setSizeGripEnabled(true);
  ShowText(text);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  mark_->setText(ToQString(preferences.ReferenceMark));
  notice_->setChecked(preferences.SendMultiLineByNotice);

  auto* remove = new QPushButton(QStringLiteral("空行を削除(&D)"), this);
  auto* mark_label = new QLabel(QStringLiteral("引用符(&R):"), this);
  mark_label->setBuddy(mark_);
  auto* add = new QPushButton(QStringLiteral("付加(&A)"), this);
  auto* send = new QPushButton(QStringLiteral("送信(&S)"), this);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
  remove->setObjectName(QStringLiteral("remove"));
  add->setObjectName(QStringLiteral("quote"));
  send->setObjectName(QStringLiteral("send"));
  send->setDefault(true);
  connect(remove, &QPushButton::clicked, this, &TPasteConfirmDialog::RemoveBlankLines);
  connect(add, &QPushButton::clicked, this, &TPasteConfirmDialog::AddQuoteMark);
  connect(send, &QPushButton::clicked, this, &TPasteConfirmDialog::Send);
  connect(cancel, &QPushButton::clicked, this, [this] {
    KeepChoices();
    reject();
  });

  auto* tools = new QHBoxLayout;
  tools->addWidget(remove);
  tools->addStretch(1);
  tools->addWidget(mark_label);
  tools->addWidget(mark_);
  tools->addWidget(add);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(notice_);
  buttons->addStretch(1);
  buttons->addWidget(send);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addLayout(tools);
  layout->addLayout(buttons);
  resize(400, 300);
}

std::string TPasteConfirmDialog::Text() const { return FromQString(text_->toPlainText()); }

void TPasteConfirmDialog::ShowText(const std::string& text) {
  // The box shows lines, not line ends; CR LF would show as two.
  text_->setPlainText(ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TPasteConfirmDialog::RemoveBlankLines() { ShowText(zeph::RemoveBlankLines(Text())); }

void TPasteConfirmDialog::AddQuoteMark() { ShowText(zeph::AddQuoteMark(Text(), FromQString(mark_->text()))); }

void TPasteConfirmDialog::Send() {
  const std::string text = Text();
  // An empty box ends the dialog without sending or keeping anything.
  if (!text.empty()) {
    SendConfirmedPaste(world_, target_, text, notice_->isChecked());
    KeepChoices();
  }
  accept();
}

void TPasteConfirmDialog::KeepChoices() {
  if (KeepPasteChoices(preferences_, FromQString(mark_->text()), notice_->isChecked()) && preferences_changed) {
    preferences_changed();
  }
}

}  // namespace zeph
