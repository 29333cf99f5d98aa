#include "display/widgets/history_window.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "display/line_history.h"
#include "display/widgets/log_file_commands.h"
#include "platform/qt/qt_text.h"

namespace zeph {

namespace {
void AskAndFind(TLogView& view) {
  bool ok = false;
  const QString text = QInputDialog::getText(&view, QStringLiteral("検索"), QStringLiteral("検索する文字列:"),
                                             QLineEdit::Normal, {}, &ok);
  if (ok && !text.isEmpty()) view.Find(FromQString(text), false, true, true);
}
}  // namespace

THistoryWindow::THistoryWindow(TLineHistory& history, const QString& title, QWidget* parent)
    : QDialog(parent), find(AskAndFind), view_(new TLogView(history.Lines(), false, this)) {
  setWindowTitle(LiteralWindowTitle(title));
  setSizeGripEnabled(true);
  setMinimumSize(300, 160);
  view_->SetLinkListener(this);

  auto* note = new QLabel(QStringLiteral("各行をダブルクリックすれば，該当箇所に飛べます"), this);
  auto* search = new QPushButton(QStringLiteral("検索(&F)..."), this);
  auto* clear = new QPushButton(QStringLiteral("消去(&C)"), this);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  search->setObjectName(QStringLiteral("find"));
  clear->setObjectName(QStringLiteral("clear"));
  connect(search, &QPushButton::clicked, this, [this] { find(*view_); });
  connect(clear, &QPushButton::clicked, this, [this] { ClearLog(*view_); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(search, QDialogButtonBox::ActionRole);
  buttons->addButton(clear, QDialogButtonBox::ActionRole);
  buttons->addButton(close, QDialogButtonBox::RejectRole);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(note);
  layout->addWidget(buttons);
  resize(560, 320);
}

THistoryWindow::~THistoryWindow() = default;

void THistoryWindow::Raise() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void THistoryWindow::OpenLink(TLogView&, const TLinkKey& key) {
  if (open_line) open_line(key);
}

}  // namespace zeph
