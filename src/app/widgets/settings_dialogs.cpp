#include "app/widgets/settings_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/application.h"
#include "app/first_start.h"
#include "app/widgets/ok_cancel.h"
#include "platform/qt/qt_text.h"
#include "settings/preference_file.h"

namespace zeph {
namespace {

QLineEdit* TextField(const std::string& value, QWidget* parent) { return new QLineEdit(ToQString(value), parent); }

// Lines of a plain text box, empty ones dropped.
std::vector<std::string> LinesOf(const QPlainTextEdit* box) {
  std::vector<std::string> lines;
  for (const QString& line : box->toPlainText().split(QLatin1Char('\n')))
    if (!line.trimmed().isEmpty()) lines.push_back(FromQString(line.trimmed()));
  return lines;
}

QPlainTextEdit* LinesBox(const std::vector<std::string>& lines, QWidget* parent) {
  QStringList text;
  for (const std::string& line : lines) text << ToQString(line);
  return new QPlainTextEdit(text.join(QLatin1Char('\n')), parent);
}

}  // namespace

QString RunNickDialog(QWidget* parent, TUnit& unit, TPreferences& prefs, bool* ok) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Q("ニックネームの変更"));
  auto* form = new QFormLayout(&dialog);
  form->addRow(Q("現在のニックネーム:"), new QLabel(ToQString(unit.DisplayNick()), &dialog));
  auto* nick = new QComboBox(&dialog);
  nick->setEditable(true);
  // Room for a nick of the server's usual length, not just the list's widest.
  nick->setMinimumContentsLength(16);
  nick->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  for (const std::string& entry : prefs.nick_list) nick->addItem(ToQString(entry));
  nick->setEditText(ToQString(unit.DisplayNick()));
  form->addRow(Q("新しいニックネーム(&N):"), nick);
  form->addRow(new QLabel(unit.IsAway() ? Q("離席中です") : Q("離席していません"), &dialog));
  form->addRow(OkCancel(&dialog));
  *ok = dialog.exec() == QDialog::Accepted;
  QString chosen = nick->currentText().trimmed();
  if (*ok && !chosen.isEmpty()) {
    std::string entry = FromQString(chosen);
    auto& list = prefs.nick_list;
    if (std::find(list.begin(), list.end(), entry) == list.end()) list.insert(list.begin(), entry);
  }
  return chosen;
}

void RunServerPropertySheet(QWidget* parent, TApplication& app, TNodeId unit_id) {
  TWorld& world = app.World();
  TUnit* unit = world.FindUnitById(unit_id);
  TServerConfig config = unit ? unit->Config() : TServerConfig();
  QDialog dialog(parent);
  dialog.setWindowTitle(unit ? Q("サーバのプロパティ") : Q("サーバを追加"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* pages = new QTabWidget(&dialog);
  layout->addWidget(pages);

  auto* connection = new QWidget;
  auto* cform = new QFormLayout(connection);
  auto* name = TextField(config.name, connection);
  auto* host = new QComboBox(connection);
  host->setEditable(true);
  for (const std::string& line : LoadServerList(app.ServerListFile()))
    if (line != "-") host->addItem(ToQString(line));
  host->setEditText(ToQString(config.hostname));
  auto* port = new QSpinBox(connection);
  port->setRange(1, 65535);
  port->setValue(config.port);
  auto* use_password = new QCheckBox(Q("パスワードを使う(&W)"), connection);
  use_password->setChecked(config.enable_password);
  auto* password = TextField(config.password, connection);
  password->setEchoMode(QLineEdit::Password);
  auto* nick = TextField(config.nick, connection);
  auto* username = TextField(config.username, connection);
  auto* realname = TextField(config.realname, connection);
  auto* auto_connect = new QCheckBox(Q("起動と同時に接続する(&C)"), connection);
  auto_connect->setChecked(config.auto_connect);
  cform->addRow(Q("サーバ名(&N):"), name);
  cform->addRow(Q("ホスト名(&H):"), host);
  cform->addRow(Q("ポート(&P):"), port);
  cform->addRow(use_password, password);
  cform->addRow(Q("ニックネーム(&K):"), nick);
  cform->addRow(Q("ユーザ名(&U):"), username);
  cform->addRow(Q("本名(&R):"), realname);
  cform->addRow(auto_connect);
  pages->addTab(connection, Q("接続"));

  auto* detail = new QWidget;
  auto* dform = new QFormLayout(detail);
  auto* part = TextField(config.part_message, detail);
  auto* quit = TextField(config.quit_message, detail);
  auto* away = TextField(config.away_message, detail);
  auto* info = TextField(config.user_info, detail);
  auto* encoding = new QComboBox(detail);
  encoding->addItems({QStringLiteral("ISO-2022-JP"), QStringLiteral("UTF-8")});
  encoding->setCurrentIndex(config.encoding == 1 ? 1 : 0);
  auto* invisible = new QCheckBox(Q("不可視モード(+i)にする(&I)"), detail);
  invisible->setChecked(config.invisible);
  auto* auto_away = new QCheckBox(Q("接続したら離席にする(&A)"), detail);
  auto_away->setChecked(config.auto_away);
  auto* nick_len = new QSpinBox(detail);
  nick_len->setRange(1, 255);
  nick_len->setValue(config.nick_len);
  auto* enable_nick_len = new QCheckBox(Q("ニックネームの長さを変える(&L)"), detail);
  enable_nick_len->setChecked(config.enable_nick_len);
  auto* switches = new QWidget(detail);
  auto* row = new QHBoxLayout(switches);
  row->setContentsMargins(0, 0, 0, 0);
  auto* update = new QCheckBox(Q("更新"), switches);
  auto* console = new QCheckBox(Q("コンソール"), switches);
  auto* keyword = new QCheckBox(Q("キーワード"), switches);
  update->setChecked(config.update);
  console->setChecked(config.console);
  keyword->setChecked(config.keyword);
  row->addWidget(update);
  row->addWidget(console);
  row->addWidget(keyword);
  dform->addRow(Q("退出メッセージ:"), part);
  dform->addRow(Q("切断メッセージ:"), quit);
  dform->addRow(Q("離席メッセージ:"), away);
  dform->addRow(Q("ユーザ情報:"), info);
  dform->addRow(Q("文字コード(&E):"), encoding);
  dform->addRow(invisible);
  dform->addRow(auto_away);
  dform->addRow(enable_nick_len, nick_len);
  dform->addRow(switches);
  pages->addTab(detail, Q("詳細"));

  auto* channels = new QWidget;
  auto* chlayout = new QVBoxLayout(channels);
  chlayout->addWidget(new QLabel(Q("接続したときに入るチャンネル (1行に1つ)"), channels));
  std::vector<std::string> channel_names;
  for (const TChannelConfig& c : config.channels)
    if (c.auto_join) channel_names.push_back(c.name);
  auto* channel_box = LinesBox(channel_names, channels);
  chlayout->addWidget(channel_box);
  chlayout->addWidget(new QLabel(Q("自動オペレータのマスク (1行に1つ)"), channels));
  auto* masks = LinesBox(config.auto_op_masks, channels);
  chlayout->addWidget(masks);
  pages->addTab(channels, Q("チャンネル"));

  auto* macros = new QWidget;
  auto* mlayout = new QVBoxLayout(macros);
  auto* macro_list = new QListWidget(macros);
  QDir macro_folder(ToQString(app.Folders().macro.string()));
  for (const QString& file : macro_folder.entryList({QStringLiteral("*.lmf")}, QDir::Files, QDir::Name)) {
    auto* item = new QListWidgetItem(file, macro_list);
    bool bound = std::find(config.macro_files.begin(), config.macro_files.end(), FromQString(file)) !=
                 config.macro_files.end();
    item->setCheckState(bound ? Qt::Checked : Qt::Unchecked);
  }
  mlayout->addWidget(macro_list);
  pages->addTab(macros, Q("マクロ"));

  auto* proxy = new QWidget;
  auto* pform = new QFormLayout(proxy);
  auto* use_socks = new QCheckBox(Q("プロキシを使う(&S)"), proxy);
  use_socks->setChecked(config.enable_socks);
  auto* socks_host = TextField(config.socks_hostname, proxy);
  auto* socks_port = new QSpinBox(proxy);
  socks_port->setRange(1, 65535);
  socks_port->setValue(config.socks_port);
  auto* socks_version = new QComboBox(proxy);
  socks_version->addItems({QStringLiteral("SOCKS4"), QStringLiteral("SOCKS5")});
  socks_version->setCurrentIndex(config.socks_version == 5 ? 1 : 0);
  auto* socks_auth = new QCheckBox(Q("認証を使う (SOCKS5)(&A)"), proxy);
  socks_auth->setChecked(config.enable_socks_auth);
  auto* socks_user = TextField(config.socks_username, proxy);
  auto* socks_password = TextField(config.socks_password, proxy);
  socks_password->setEchoMode(QLineEdit::Password);
  pform->addRow(use_socks);
  pform->addRow(Q("ホスト名:"), socks_host);
  pform->addRow(Q("ポート:"), socks_port);
  pform->addRow(Q("バージョン:"), socks_version);
  pform->addRow(socks_auth);
  pform->addRow(Q("ユーザ名:"), socks_user);
  pform->addRow(Q("パスワード:"), socks_password);
  pages->addTab(proxy, Q("プロキシ"));
  layout->addWidget(OkCancel(&dialog));

  if (dialog.exec() != QDialog::Accepted) return;
  config.name = FromQString(name->text().trimmed());
  config.hostname = FromQString(host->currentText().trimmed());
  if (config.name.empty()) config.name = config.hostname;
  config.port = port->value();
  config.enable_password = use_password->isChecked();
  config.password = FromQString(password->text());
  config.nick = FromQString(nick->text().trimmed());
  config.username = FromQString(username->text().trimmed());
  config.realname = FromQString(realname->text());
  config.auto_connect = auto_connect->isChecked();
  config.part_message = FromQString(part->text());
  config.quit_message = FromQString(quit->text());
  config.away_message = FromQString(away->text());
  config.user_info = FromQString(info->text());
  config.encoding = encoding->currentIndex();
  config.invisible = invisible->isChecked();
  config.auto_away = auto_away->isChecked();
  config.enable_nick_len = enable_nick_len->isChecked();
  config.nick_len = nick_len->value();
  config.update = update->isChecked();
  config.console = console->isChecked();
  config.keyword = keyword->isChecked();
  config.auto_op_masks = LinesOf(masks);
  config.macro_files.clear();
  for (int i = 0; i < macro_list->count(); ++i)
    if (macro_list->item(i)->checkState() == Qt::Checked) config.macro_files.push_back(FromQString(macro_list->item(i)->text()));
  config.enable_socks = use_socks->isChecked();
  config.socks_hostname = FromQString(socks_host->text().trimmed());
  config.socks_port = socks_port->value();
  config.socks_version = socks_version->currentIndex() == 1 ? 5 : 4;
  config.enable_socks_auth = socks_auth->isChecked();
  config.socks_username = FromQString(socks_user->text());
  config.socks_password = FromQString(socks_password->text());
  std::vector<std::string> wanted = LinesOf(channel_box);

  if (unit_id == kNoNode) {
    config.channels.clear();
    for (const std::string& c : wanted) config.channels.push_back(NewChannelConfig(c, true));
    if (world.AddUnit(config)) world.SaveTree();
    return;
  }
  unit = world.FindUnitById(unit_id);
  if (!unit) return;
  if (config.name != unit->Name() && !world.FindUnit(config.name)) world.RenameUnit(*unit, config.name);
  config.name = unit->Name();
  config.channels = unit->Config().channels;
  unit->Config() = config;
  unit->FollowSwitchPreferences();
  for (const std::string& c : wanted)
    if (!unit->FindChannel(c)) world.CreateTarget(*unit, NewChannelConfig(c, true), TTargetKind::Channel, false);
  world.SaveTree();
}

void RunChannelDialog(QWidget* parent, TWorld& world, TNodeId unit_id, TNodeId channel_id) {
  TUnit* unit = world.FindUnitById(unit_id);
  if (!unit) return;
  TChannel* channel = channel_id == kNoNode ? nullptr : unit->FindById(channel_id);
  TChannelConfig config = channel ? channel->ToConfig() : NewChannelConfig(std::string(), true);
  if (!channel) config.mode = "+sn";
  QDialog dialog(parent);
  dialog.setWindowTitle(Q("チャンネルの設定"));
  auto* form = new QFormLayout(&dialog);
  auto* name = TextField(config.name, &dialog);
  name->setEnabled(channel == nullptr);
  auto* key = TextField(config.password, &dialog);
  auto* mode = TextField(config.mode, &dialog);
  auto* topic = TextField(config.topic, &dialog);
  auto* auto_join = new QCheckBox(Q("接続したときに入る(&J)"), &dialog);
  auto* update = new QCheckBox(Q("更新を知らせる(&U)"), &dialog);
  auto* console = new QCheckBox(Q("コンソールに表示する(&C)"), &dialog);
  auto* keyword = new QCheckBox(Q("キーワードを検出する(&K)"), &dialog);
  auto_join->setChecked(config.auto_join);
  update->setChecked(config.update);
  console->setChecked(config.console);
  keyword->setChecked(config.keyword);
  auto* masks = LinesBox(config.auto_op_masks, &dialog);
  form->addRow(Q("チャンネル名(&N):"), name);
  form->addRow(Q("キー(&P):"), key);
  form->addRow(Q("モード(&M):"), mode);
  form->addRow(Q("トピック(&T):"), topic);
  form->addRow(auto_join);
  form->addRow(update);
  form->addRow(console);
  form->addRow(keyword);
  form->addRow(Q("自動オペレータ:"), masks);
  form->addRow(OkCancel(&dialog));
  if (dialog.exec() != QDialog::Accepted) return;
  config.name = FromQString(name->text().trimmed());
  config.password = FromQString(key->text());
  config.mode = FromQString(mode->text());
  config.topic = FromQString(topic->text());
  config.auto_join = auto_join->isChecked();
  config.update = update->isChecked();
  config.console = console->isChecked();
  config.keyword = keyword->isChecked();
  config.auto_op_masks = LinesOf(masks);
  unit = world.FindUnitById(unit_id);
  if (!unit) return;
  if (channel_id == kNoNode) {
    if (config.name.empty() || unit->FindChannel(config.name)) return;
    world.CreateTarget(*unit, config, TTargetKind::Channel, true);
  } else if (TChannel* target = unit->FindById(channel_id)) {
    target->ApplyConfig(config);
  } else {
    return;
  }
  world.SaveTree();
}

void RunMaskEditor(QWidget* parent, TApplication& app, TMaskList list) {
  TWorld& world = app.World();
  TSelectionIds ids = SelectedIds(world);
  std::vector<std::string> masks;
  QString title;
  switch (list) {
    case TMaskList::kWorldAutoOp:
      masks = world.auto_op_masks;
      title = Q("自動オペレータの設定");
      break;
    case TMaskList::kIgnore:
      masks = world.ignore_masks;
      title = Q("無視リストの設定");
      break;
    case TMaskList::kServerAutoOp:
      if (TUnit* unit = UnitOf(world, ids)) masks = unit->Config().auto_op_masks;
      else return;
      title = Q("自動オペレータの設定 - ") + ToQString(UnitOf(world, ids)->Name());
      break;
    case TMaskList::kChannelAutoOp:
      if (TChannel* channel = TargetOf(world, ids)) masks = channel->AutoOpMasks();
      else return;
      title = Q("自動オペレータの設定 - ") + ToQString(TargetOf(world, ids)->Name());
      break;
  }
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(Q("マスク (nick!user@host、1行に1つ):"), &dialog));
  auto* box = LinesBox(masks, &dialog);
  layout->addWidget(box);
  layout->addWidget(OkCancel(&dialog));
  if (dialog.exec() != QDialog::Accepted) return;
  masks = LinesOf(box);
  switch (list) {
    case TMaskList::kWorldAutoOp: world.auto_op_masks = masks; break;
    case TMaskList::kIgnore: world.ignore_masks = masks; break;
    case TMaskList::kServerAutoOp:
      if (TUnit* unit = UnitOf(world, ids)) unit->Config().auto_op_masks = masks;
      else return;
      break;
    case TMaskList::kChannelAutoOp:
      if (TChannel* channel = TargetOf(world, ids)) {
        TChannelConfig config = channel->ToConfig();
        config.auto_op_masks = masks;
        channel->ApplyConfig(config);
      } else {
        return;
      }
      break;
  }
  world.SaveTree();
}

void RunGroupEditor(QWidget* parent, TApplication& app) {
  TPreferences& prefs = app.Preferences();
  QDialog dialog(parent);
  dialog.setWindowTitle(Q("グループの設定"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* tabs = new QTabWidget(&dialog);
  layout->addWidget(tabs);
  auto* self = LinesBox(prefs.self_masks, &dialog);
  tabs->addTab(self, Q("自分"));
  std::vector<std::pair<QLineEdit*, QPlainTextEdit*>> boxes;
  for (const TUserGroup& group : prefs.groups) {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    auto* name = TextField(group.name, page);
    auto* masks = LinesBox(group.masks, page);
    form->addRow(Q("名前(&N):"), name);
    form->addRow(Q("マスク:"), masks);
    tabs->addTab(page, ToQString(group.name));
    boxes.emplace_back(name, masks);
  }
  layout->addWidget(OkCancel(&dialog));
  if (dialog.exec() != QDialog::Accepted) return;
  prefs.self_masks = LinesOf(self);
  for (size_t i = 0; i < boxes.size(); ++i) {
    prefs.groups[i].name = FromQString(boxes[i].first->text());
    prefs.groups[i].masks = LinesOf(boxes[i].second);
  }
  app.SavePreferences();
  app.World().ApplyPreferences();
}

void RunTreeEditor(QWidget* parent, TApplication& app) {
  TWorld& world = app.World();
  QDialog dialog(parent);
  dialog.setWindowTitle(Q("サーバツリーの編集"));
  auto* layout = new QHBoxLayout(&dialog);
  auto* tree = new QTreeWidget(&dialog);
  tree->setHeaderHidden(true);
  tree->setDragDropMode(QAbstractItemView::InternalMove);
  tree->setDefaultDropAction(Qt::MoveAction);
  for (const auto& unit : world.Units()) {
    auto* item = new QTreeWidgetItem(tree, {ToQString(unit->Name())});
    item->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(unit->Id()));
    item->setFlags((item->flags() | Qt::ItemIsDragEnabled) & ~Qt::ItemIsDropEnabled);
    for (const auto& target : unit->Channels()) {
      auto* child = new QTreeWidgetItem(item, {ToQString(target->Name())});
      child->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(target->Id()));
      child->setFlags((child->flags() | Qt::ItemIsDragEnabled) & ~Qt::ItemIsDropEnabled);
    }
    item->setExpanded(true);
  }
  // Units take drops between units only, channels within their unit only.
  tree->invisibleRootItem()->setFlags(tree->invisibleRootItem()->flags() | Qt::ItemIsDropEnabled);
  layout->addWidget(tree, 1);
  auto* side = new QVBoxLayout;
  auto* up = new QPushButton(Q("↑(&U)"), &dialog);
  auto* down = new QPushButton(Q("↓(&D)"), &dialog);
  auto move = [tree](int step) {
    QTreeWidgetItem* item = tree->currentItem();
    if (!item) return;
    QTreeWidgetItem* holder = item->parent() ? item->parent() : tree->invisibleRootItem();
    int row = holder->indexOfChild(item);
    int to = row + step;
    if (to < 0 || to >= holder->childCount()) return;
    bool expanded = item->isExpanded();
    holder->takeChild(row);
    holder->insertChild(to, item);
    item->setExpanded(expanded);
    tree->setCurrentItem(item);
  };
  QObject::connect(up, &QPushButton::clicked, &dialog, [move] { move(-1); });
  QObject::connect(down, &QPushButton::clicked, &dialog, [move] { move(1); });
  side->addWidget(up);
  side->addWidget(down);
  side->addStretch(1);
  auto* buttons = OkCancel(&dialog);
  buttons->setOrientation(Qt::Vertical);
  side->addWidget(buttons);
  layout->addLayout(side);
  if (dialog.exec() != QDialog::Accepted) return;
  std::vector<TNodeId> units;
  std::vector<std::vector<TNodeId>> targets;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = tree->topLevelItem(i);
    units.push_back(item->data(0, Qt::UserRole).toULongLong());
    targets.emplace_back();
    for (int j = 0; j < item->childCount(); ++j)
      targets.back().push_back(item->child(j)->data(0, Qt::UserRole).toULongLong());
  }
  world.Reorder(units, targets);
}

}  // namespace zeph
