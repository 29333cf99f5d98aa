// The main window's DCC: the DCC window from the menus, the member list's
// DCC items, and files dropped on the window offered to members or on a
// WHOIS dialog offered to its nick.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QListView>
#include <QMenu>

#include "app/application.h"
#include "app/widgets/main_frame.h"
#include "app/widgets/member_list_model.h"
#include "app/widgets/reply_window_host.h"
#include "dcc/widgets/dcc_windows.h"
#include "engine/channel.h"
#include "platform/qt/dropped_files.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

}  // namespace

void CMainFrame::SetDccWindows(TDccWindows* windows) {
  dcc_windows_ = windows;
  if (QAction* item = Action("dcc")) item->setEnabled(windows != nullptr);
  if (tray_dcc_action_) tray_dcc_action_->setEnabled(windows != nullptr);
  setAcceptDrops(windows != nullptr && !closing_);
  // WHOIS dialogs opened from now on take files for their nick.
  reply_host_->Views().send_files = [this](TUnit& unit, const std::string& nick, const QStringList& paths) {
    if (dcc_windows_) dcc_windows_->SendFiles(unit, nick, paths);
  };
}

void CMainFrame::ShowDccWindow() {
  if (dcc_windows_) dcc_windows_->Show();
}

void CMainFrame::AddDccItems(QMenu* menu, TSelectionIds ids, const std::vector<std::string>& nicks) {
  QAction* send = menu->addAction(Q("ファイル送信(&S)..."), this, [this, ids, nicks] {
    QStringList paths = choose_files ? choose_files()
                                     : QFileDialog::getOpenFileNames(this, Q("送信するファイルを選択"));
    // The chooser is modal: the unit may have gone meanwhile.
    TUnit* unit = UnitOf(world_, ids);
    if (!unit || paths.isEmpty() || !dcc_windows_) return;
    for (const std::string& nick : nicks) dcc_windows_->SendFiles(*unit, nick, paths);
  });
  QAction* chat = menu->addAction(Q("チャット(&C)"), this, [this, ids, nicks] {
    TUnit* unit = UnitOf(world_, ids);
    if (!unit) return;
    for (const std::string& nick : nicks) app_.Dcc().OfferChat(*unit, nick);
  });
  send->setEnabled(dcc_windows_ != nullptr);
  chat->setEnabled(dcc_windows_ != nullptr);
}

void CMainFrame::DropFiles(const QStringList& paths, const QPoint& global) {
  TSelectionIds ids = SelectedIds(world_);
  TChannel* channel = TargetOf(world_, ids);
  if (!dcc_windows_ || paths.isEmpty() || !channel || !channel->IsChannel()) return;
  std::vector<std::string> nicks = SelectedMembers(ids.target);
  if (nicks.empty()) {
    auto view = member_views_.find(ids.target);
    auto model = member_models_.find(ids.target);
    if (view != member_views_.end() && view->second && model != member_models_.end()) {
      QListView& list = *view->second;
      QPoint at = list.viewport()->mapFromGlobal(global);
      QModelIndex index = list.viewport()->rect().contains(at) ? list.indexAt(at) : QModelIndex();
      if (const TMember* member = index.isValid() ? model->second->MemberAt(index.row()) : nullptr)
        nicks.push_back(member->nick);
    }
  }
  if (nicks.empty()) {
    QString nick;
    if (!AskText(Q("DCCファイル送信"), Q("送信する相手を入力してください"), &nick) || nick.isEmpty()) return;
    nicks.push_back(FromQString(nick));
  }
  // The prompt is modal: the unit is looked up again.
  TUnit* unit = UnitOf(world_, ids);
  if (!unit) return;
  for (const std::string& nick : nicks) dcc_windows_->SendFiles(*unit, nick, paths);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (dcc_windows_ && !DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  QStringList paths = DroppedFiles(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  DropFiles(paths, mapToGlobal(event->position().toPoint()));
}

}  // namespace zeph
