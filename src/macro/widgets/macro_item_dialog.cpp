#include "macro/widgets/macro_item_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "macro/macro_actions.h"
#include "macro/macro_event.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

constexpr int kSelfConditions = 5;    // none, +o, -o, +a, -a
constexpr int kSenderConditions = 3;  // none, +o, -o

QComboBox* ConditionBox(int count, int value, QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (int condition = 0; condition < count; ++condition) box->addItem(ToQString(ConditionLabel(condition)));
  box->setCurrentIndex(value >= 0 && value < count ? value : 0);
  return box;
}

QComboBox* EditableBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  return box;
}

QString Text(const std::string& sjis) { return ToQString(sjis); }

}  // namespace

TMacroItemDialog::TMacroItemDialog(const TMacroItem& item, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("マクロ項目の編集"));
  auto* form = new QFormLayout(this);
  enabled_ = new QCheckBox(QString::fromUtf8("有効(&E)"), this);
  enabled_->setChecked(!item.disabled);
  user_ = new QLineEdit(Text(item.user_pattern), this);
  command_ = EditableBox(this);
  for (std::string_view name : EditorEventNames()) command_->addItem(QString::fromLatin1(name.data(), name.size()));
  command_->setEditText(Text(item.command_pattern));
  channel_ = new QLineEdit(Text(item.channel_pattern), this);
  message_ = new QLineEdit(Text(item.message_pattern), this);
  self_ = ConditionBox(kSelfConditions, item.self_condition, this);
  sender_ = ConditionBox(kSenderConditions, item.sender_condition, this);
  action_ = EditableBox(this);
  for (std::string_view word : EditorActionWords()) action_->addItem(QString::fromLatin1(word.data(), word.size()));
  action_->setEditText(Text(item.action));
  target_ = EditableBox(this);
  target_->addItems({"%a", "%c", "%f", "%n", "%u"});
  target_->setEditText(Text(item.target));
  info_ = new QLineEdit(Text(item.info), this);
  stop_ = new QCheckBox(QString::fromUtf8("この項目の後は同じファイルの項目を実行しない(&S)"), this);
  stop_->setChecked(item.stop);

  form->addRow(enabled_);
  form->addRow(QString::fromUtf8("ユーザ(&U):"), user_);
  form->addRow(QString::fromUtf8("コマンド(&C):"), command_);
  form->addRow(QString::fromUtf8("チャンネル(&H):"), channel_);
  form->addRow(QString::fromUtf8("メッセージ(&M):"), message_);
  form->addRow(QString::fromUtf8("自分(&O):"), self_);
  form->addRow(QString::fromUtf8("送信者(&R):"), sender_);
  form->addRow(QString::fromUtf8("動作(&A):"), action_);
  form->addRow(QString::fromUtf8("送信先(&G):"), target_);
  form->addRow(QString::fromUtf8("動作の情報(&B):"), info_);
  form->addRow(stop_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(command_, &QComboBox::editTextChanged, this, [this] { UpdateEnabling(); });
  connect(action_, &QComboBox::editTextChanged, this, [this] { UpdateEnabling(); });
  UpdateEnabling();
}

void TMacroItemDialog::UpdateEnabling() {
  channel_->setEnabled(IsChannelFieldEnabled(FromQString(command_->currentText())));
  target_->setEnabled(ActionUsesTarget(FromQString(action_->currentText())));
}

TMacroItem TMacroItemDialog::Item() const {
  TMacroItem item;
  item.disabled = !enabled_->isChecked();
  item.user_pattern = FromQString(user_->text());
  item.command_pattern = FromQString(command_->currentText());
  item.channel_pattern = FromQString(channel_->text());
  item.message_pattern = FromQString(message_->text());
  item.self_condition = self_->currentIndex();
  item.sender_condition = sender_->currentIndex();
  item.action = FromQString(action_->currentText());
  item.target = FromQString(target_->currentText());
  item.info = FromQString(info_->text());
  item.stop = stop_->isChecked();
  return item;
}

}  // namespace zeph
