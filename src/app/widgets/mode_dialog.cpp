#include "app/widgets/mode_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/widgets/ok_cancel.h"
#include "engine/channel.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

struct TFlagText {
  bool TChannelMode::*flag;
  const char* letter;
  const char* text;
};

// In the order a channel's mode is written (p s m n t i a q r).
constexpr TFlagText kFlags[] = {
    {&TChannelMode::p, "p", "+p プライベート(&P)"},
    {&TChannelMode::s, "s", "+s 秘密(&S)"},
    {&TChannelMode::m, "m", "+m 発言制限(&M)"},
    {&TChannelMode::n, "n", "+n 外部からの発言禁止(&N)"},
    {&TChannelMode::t, "t", "+t トピック変更はオペレータのみ(&T)"},
    {&TChannelMode::i, "i", "+i 招待制(&I)"},
    {&TChannelMode::a, "a", "+a 匿名(&A)"},
    {&TChannelMode::q, "q", "+q 静粛(&Q)"},
    {&TChannelMode::r, "r", "+r オペレータ復活(&R)"},
};

}  // namespace

TModeDialog::TModeDialog(const QString& channel, const TChannelMode& mode, QWidget* parent)
    : QDialog(parent), shown_(mode) {
  setObjectName(QStringLiteral("Zephlora2ModeDialog"));
  setWindowTitle(Q("モードの変更"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(channel, this));
  auto* grid = new QGridLayout;
  int row = 0;
  for (const TFlagText& text : kFlags) {
    auto* box = new QCheckBox(Q(text.text), this);
    box->setObjectName(QString::fromLatin1(text.letter));
    box->setChecked(mode.*text.flag);
    // Only servers set q; a change of it is never sent.
    box->setEnabled(text.flag != &TChannelMode::q);
    grid->addWidget(box, row / 2, row % 2);
    flags_.push_back({text.flag, box});
    ++row;
  }
  layout->addLayout(grid);

  auto* fields = new QGridLayout;
  use_key_ = new QCheckBox(Q("+k キー(&K):"), this);
  use_key_->setObjectName(QStringLiteral("k"));
  use_key_->setChecked(!mode.key.empty());
  key_ = new QLineEdit(ToQString(mode.key), this);
  key_->setObjectName(QStringLiteral("key"));
  // A blank would split the key into two words of the MODE line.
  key_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\S*")), key_));
  key_->setEnabled(use_key_->isChecked());
  use_limit_ = new QCheckBox(Q("+l 人数制限(&L):"), this);
  use_limit_->setObjectName(QStringLiteral("l"));
  use_limit_->setChecked(mode.limit > 0);
  limit_ = new QSpinBox(this);
  limit_->setObjectName(QStringLiteral("limit"));
  limit_->setRange(1, 99999);
  limit_->setValue(mode.limit > 0 ? mode.limit : 1);
  limit_->setEnabled(use_limit_->isChecked());
  // Ticking a box leads on to its value.
  for (auto [box, field] : {std::pair<QCheckBox*, QWidget*>{use_key_, key_}, {use_limit_, limit_}}) {
    connect(box, &QCheckBox::toggled, field, [field](bool on) {
      field->setEnabled(on);
      if (on) field->setFocus();
    });
  }
  fields->addWidget(use_key_, 0, 0);
  fields->addWidget(key_, 0, 1);
  fields->addWidget(use_limit_, 1, 0);
  fields->addWidget(limit_, 1, 1);
  layout->addLayout(fields);

  layout->addWidget(OkCancel(this));
}

TChannelMode TModeDialog::Edited() const {
  TChannelMode edited = shown_;
  for (const TFlagBox& flag : flags_) edited.*flag.flag = flag.box->isChecked();
  // A key box left empty sets no key: "+k" needs one.
  edited.key = use_key_->isChecked() ? FromQString(key_->text()) : std::string();
  edited.limit = use_limit_->isChecked() ? limit_->value() : 0;
  return edited;
}

void RunModeDialog(QWidget* parent, TWorld& world, TSelectionIds ids) {
  TChannel* channel = TargetOf(world, ids);
  if (!channel) return;
  TModeDialog dialog(ToQString(channel->Name()), channel->Mode(), parent);
  if (dialog.exec() == QDialog::Accepted) SendModeChange(world, ids, dialog.Shown(), dialog.Edited());
}

}  // namespace zeph
