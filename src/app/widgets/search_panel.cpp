#include "app/widgets/search_panel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "app/search_words.h"
#include "platform/qt/qt_text.h"

namespace zeph {

TSearchPanel::TSearchPanel(QWidget* parent) : QWidget(parent), box_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("Zephlora2SearchPanel"));
  box_->setObjectName(QStringLiteral("Zephlora2SearchBox"));
  auto* previous = new QToolButton(this);
  auto* next = new QToolButton(this);
  auto* close = new QToolButton(this);
  previous->setText(QStringLiteral("前を検索"));
  next->setText(QStringLiteral("次を検索"));
  close->setText(QStringLiteral("×"));
  close->setToolTip(QStringLiteral("閉じる"));
  connect(previous, &QToolButton::clicked, this, [this] { if (find) find(false); });
  connect(next, &QToolButton::clicked, this, [this] { if (find) find(true); });
  connect(close, &QToolButton::clicked, this, [this] { if (close_requested) close_requested(); });
  connect(box_, &QLineEdit::textChanged, this, [this] { if (words_changed) words_changed(Words()); });
  box_->installEventFilter(this);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(new QLabel(QStringLiteral("検索:"), this));
  layout->addWidget(box_, 1);
  layout->addWidget(previous);
  layout->addWidget(next);
  layout->addWidget(close);
}

std::vector<std::string> TSearchPanel::Words() const { return SplitSearchWords(FromQString(box_->text())); }

bool TSearchPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched != box_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool shift = key->modifiers() & Qt::ShiftModifier;
  const bool plain = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
    if (find) find(!shift);
    return true;
  }
  if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
    if (find) find(key->key() == Qt::Key_Down);
    return true;
  }
  if (key->modifiers() == Qt::NoModifier && key->key() == Qt::Key_Escape) {
    if (close_requested) close_requested();
    return true;
  }
  const TKeyCommand command_key = InputKeyCommand(key->key(), key->modifiers());
  switch (command_key.action) {
    case TKeyAction::None:
    case TKeyAction::SelectAll:
    case TKeyAction::Submit:
      return QWidget::eventFilter(watched, event);
    default:
      return command && command(command_key);
  }
}

}  // namespace zeph
