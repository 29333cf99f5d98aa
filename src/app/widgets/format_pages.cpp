// The two pages over the working message formats: the prefixes and window
// titles, and the list of message kinds with their flags and formats.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/widgets/column_widths.h"
#include "app/widgets/ok_cancel.h"
#include "app/widgets/preference_pages.h"
#include "display/message_format.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

// An editable drop-down with its presets, showing `value`.
QComboBox* PresetBox(const std::string& value, std::initializer_list<const char*> presets, const char* name,
                     QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  for (const char* preset : presets) box->addItem(QString::fromLatin1(preset));
  box->setEditText(ToQString(value));
  return box;
}

QLineEdit* TitleBox(const std::string& value, const char* name, QWidget* parent) {
  auto* box = new QLineEdit(ToQString(value), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

enum TColumn { kLabelColumn, kChannelColumn, kConsoleColumn, kFormatColumn };

QString Mark(bool on) { return on ? Q("○") : QString(); }

// The kinds list and the working rows it shows.
class TKindsList : public QObject {
 public:
  TKindsList(TMessageFormat& formats, QTreeWidget* list) : QObject(list), list_(list) {
    for (const TFormatRow& row : MessageFormatRows()) {
      const TKindFormat* kind = formats.FindKind(row.kind);
      rows_.push_back({row, kind ? *kind : TKindFormat()});
      new QTreeWidgetItem(list_);
    }
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) Show(i);
    list_->viewport()->installEventFilter(this);
  }

  void Edit(int index);
  void WriteBack(TMessageFormat& formats) const {
    for (const TRow& row : rows_)
      if (TKindFormat* kind = formats.FindKind(row.row.kind)) *kind = row.kind;
  }

 protected:
  // A right click on a flag toggles it.
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonPress) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::RightButton) return false;
    QModelIndex at = list_->indexAt(mouse->position().toPoint());
    if (!at.isValid()) return false;
    TRow& row = rows_[at.row()];
    if (at.column() == kChannelColumn && row.row.channel_key) row.kind.channel_enabled = !row.kind.channel_enabled;
    if (at.column() == kConsoleColumn && row.row.console_key) row.kind.console_enabled = !row.kind.console_enabled;
    Show(at.row());
    return true;
  }

 private:
  struct TRow {
    TFormatRow row;
    TKindFormat kind;
  };

  void Show(int index) {
    const TRow& row = rows_[index];
    QTreeWidgetItem* item = list_->topLevelItem(index);
    item->setText(kLabelColumn, Q(row.row.label));
    item->setText(kChannelColumn, row.row.channel_key ? Mark(row.kind.channel_enabled) : QString());
    item->setText(kConsoleColumn, Mark(row.kind.console_enabled));
    item->setText(kFormatColumn, row.row.format_key ? ToQString(row.kind.format) : QString());
    for (int column : {kChannelColumn, kConsoleColumn}) item->setTextAlignment(column, Qt::AlignCenter);
  }

  QTreeWidget* list_;
  std::vector<TRow> rows_;
};

// "メッセージ設定": the row's format, when it has one, and its two flags.
void TKindsList::Edit(int index) {
  if (index < 0 || index >= static_cast<int>(rows_.size())) return;
  TRow& row = rows_[index];
  QDialog dialog(list_);
  dialog.setObjectName(QStringLiteral("Zephlora2MessageSetting"));
  dialog.setWindowTitle(Q("メッセージ設定"));
  auto* layout = new QVBoxLayout(&dialog);
  QLineEdit* format = nullptr;
  if (row.row.format_key) {
    format = new QLineEdit(ToQString(row.kind.format), &dialog);
    format->setObjectName(QStringLiteral("Format"));
    format->setMinimumWidth(320);
    layout->addWidget(format);
  }
  auto* channel = new QCheckBox(Q("チャンネルログに表示(&C)"), &dialog);
  channel->setObjectName(QStringLiteral("Channel"));
  channel->setChecked(row.row.channel_key && row.kind.channel_enabled);
  channel->setEnabled(row.row.channel_key != nullptr);
  auto* console = new QCheckBox(Q("全体ログに表示(&A)"), &dialog);
  console->setObjectName(QStringLiteral("Console"));
  console->setChecked(row.kind.console_enabled);
  layout->addWidget(channel);
  layout->addWidget(console);
  layout->addWidget(OkCancel(&dialog));
  if (dialog.exec() != QDialog::Accepted) return;
  if (format) row.kind.format = FromQString(format->text());
  if (row.row.channel_key) row.kind.channel_enabled = channel->isChecked();
  row.kind.console_enabled = console->isChecked();
  Show(index);
}

}  // namespace

QWidget* PrefixPage(TMessageFormat& formats, TApplySteps& apply) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* form = new QFormLayout;
  auto* enable_time = new QCheckBox(Q("時刻(&T):"), page);
  enable_time->setObjectName(QStringLiteral("EnableTime"));
  enable_time->setChecked(formats.enable_time);
  auto* time = PresetBox(formats.time, {"%H:%M ", "%H:%M:%S ", "%Y/%m/%d %H:%M:%S "}, "Time", page);
  time->setEnabled(enable_time->isChecked());
  QObject::connect(enable_time, &QCheckBox::toggled, time, &QWidget::setEnabled);
  form->addRow(enable_time, time);
  auto* nick = PresetBox(formats.pre_nick, {"(%n) ", "(%9n) "}, "PreNick", page);
  auto* unit_channel = PresetBox(formats.unit_channel, {"<%s:%c> "}, "UnitChannel", page);
  auto* unit = PresetBox(formats.unit, {"<%s> "}, "Unit", page);
  auto* channel = PresetBox(formats.channel, {"<%c> "}, "Channel", page);
  form->addRow(Q("ニックネーム(&N):"), nick);
  form->addRow(Q("サーバ名(チャンネルあり) (&B):"), unit_channel);
  form->addRow(Q("サーバ名(チャンネルなし) (&S):"), unit);
  form->addRow(Q("チャンネル名のみ(&C):"), channel);
  layout->addLayout(form);
  auto* channel_in_log = new QCheckBox(Q("チャンネルログにチャンネル名を表示する(&E)"), page);
  channel_in_log->setObjectName(QStringLiteral("EnableChannelInChannelLog"));
  channel_in_log->setChecked(formats.enable_channel_in_channel_log);
  layout->addWidget(channel_in_log);

  auto* titles = new QGroupBox(Q("ウィンドウタイトル"), page);
  auto* title_form = new QFormLayout(titles);
  auto* unit_title = TitleBox(formats.unit_title, "UnitTitle", titles);
  auto* channel_title = TitleBox(formats.channel_title, "ChannelTitle", titles);
  auto* talk_title = TitleBox(formats.talk_title, "TalkTitle", titles);
  auto* dcc_chat_title = TitleBox(formats.dcc_chat_title, "DCCChatTitle", titles);
  title_form->addRow(Q("サーバ(&U):"), unit_title);
  title_form->addRow(Q("チャンネル(&H):"), channel_title);
  title_form->addRow(Q("トーク(&A):"), talk_title);
  title_form->addRow(Q("DCCチャット(&D):"), dcc_chat_title);
  layout->addWidget(titles);
  layout->addStretch(1);

  apply.push_back([=, &formats] {
    formats.enable_time = enable_time->isChecked();
    formats.time = FromQString(time->currentText());
    formats.pre_nick = FromQString(nick->currentText());
    formats.unit_channel = FromQString(unit_channel->currentText());
    formats.unit = FromQString(unit->currentText());
    formats.channel = FromQString(channel->currentText());
    formats.enable_channel_in_channel_log = channel_in_log->isChecked();
    formats.unit_title = FromQString(unit_title->text());
    formats.channel_title = FromQString(channel_title->text());
    formats.talk_title = FromQString(talk_title->text());
    formats.dcc_chat_title = FromQString(dcc_chat_title->text());
  });
  return page;
}

QWidget* KindsPage(TMessageFormat& formats, std::vector<int>& columns, TApplySteps& apply) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* list = new QTreeWidget(page);
  list->setObjectName(QStringLiteral("FormatList"));
  list->setRootIsDecorated(false);
  list->setAllColumnsShowFocus(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setHeaderLabels({Q("コマンド"), Q("チャンネルログ"), Q("全体ログ"), Q("フォーマット")});
  // The widths are the user's, kept in window.ini; a stretched column
  // would change with every size of the dialog.
  list->header()->setStretchLastSection(false);
  KeepColumnWidths(*list->header(), columns);
  auto* rows = new TKindsList(formats, list);
  list->setCurrentItem(list->topLevelItem(0));
  layout->addWidget(list, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(new QLabel(Q("右クリックで状態を変更できます"), page), 1);
  auto* edit = new QPushButton(Q("編集(&E)..."), page);
  edit->setObjectName(QStringLiteral("EditFormat"));
  bottom->addWidget(edit);
  layout->addLayout(bottom);
  auto edit_current = [list, rows] { rows->Edit(list->indexOfTopLevelItem(list->currentItem())); };
  QObject::connect(edit, &QPushButton::clicked, page, edit_current);
  // Double click and Enter.
  QObject::connect(list, &QTreeWidget::itemActivated, page, edit_current);

  apply.push_back([&formats, rows] { rows->WriteBack(formats); });
  return page;
}

}  // namespace zeph
