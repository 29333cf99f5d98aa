#include "app/widgets/reply_window_host.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "app/application.h"
#include "platform/qt/qt_text.h"
#include "platform/sjis.h"

namespace zeph {

TReplyWindowHostImpl::TReplyWindowHostImpl(TApplication& app, QWidget* parent)
    : app_(app), parent_(parent), views_(app.World(), app.Protocol().Numerics().Windows(), parent) {
  views_.load_list_geometry = [&app] { return app.WindowLayout().list; };
  views_.store_list_geometry = [&app](const TWindowEntry& entry) { app.WindowLayout().list = entry; };
  views_.topmost = [&app] { return app.WindowLayout().main.top_most; };
  app.Protocol().Numerics().Windows().SetHost(this);
}

TReplyWindowHostImpl::~TReplyWindowHostImpl() { app_.Protocol().Numerics().Windows().SetHost(nullptr); }

// The server refused the nick: the user picks another from the list or
// types one. The answer comes when the dialog closes, whichever way.
void TReplyWindowHostImpl::AskNick(TUnit& unit, const TNickQuestion& question, TNickAnswerCallback answer) {
  auto* dialog = new QDialog(parent_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(QStringLiteral("ニックネームの変更 - ") + ToQString(unit.Name()));
  auto* form = new QFormLayout(dialog);
  form->addRow(new QLabel(ToQString(question.nick) + QStringLiteral(" は使えません"), dialog));
  auto* nick = new QComboBox(dialog);
  nick->setEditable(true);
  for (const std::string& entry : question.nick_list) nick->addItem(ToQString(entry));
  nick->setEditText(ToQString(question.nick));
  form->addRow(QStringLiteral("新しいニックネーム(&N):"), nick);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  form->addRow(buttons);
  const std::vector<std::string> list = question.nick_list;
  QObject::connect(dialog, &QDialog::finished, dialog, [nick, list, answer](int result) {
    TNickAnswer chosen;
    chosen.ok = result == QDialog::Accepted && !nick->currentText().trimmed().isEmpty();
    chosen.nick = FromQString(nick->currentText().trimmed());
    chosen.nick_list = list;
    answer(chosen);
  });
  dialog->show();
}

}  // namespace zeph
