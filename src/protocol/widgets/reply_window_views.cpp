#include "protocol/widgets/reply_window_views.h"

#include <QHeaderView>
#include <QTreeView>

#include "engine/channel.h"
#include "engine/unit.h"
#include "protocol/widgets/channel_list_window.h"
#include "protocol/widgets/mask_list_window.h"
#include "protocol/widgets/whois_dialog.h"

namespace zeph {

void TReplyWindowViews::ShowNew(QWidget& window) {
  // Own top-level windows that still close with the main window.
  window.setWindowFlag(Qt::Window);
  if (topmost && topmost()) window.setWindowFlag(Qt::WindowStaysOnTopHint);
  window.show();
  window.raise();
  window.activateWindow();
}

void TReplyWindowViews::ShowWhoisDialog(TUnit&, TWhoisModel& model) {
  auto* dialog = new TWhoisDialog(world_, windows_, model, parent_);
  dialog->send_files = send_files;
  ShowNew(*dialog);
}

void TReplyWindowViews::ShowChannelList(TUnit& unit, TChannelListModel& model) {
  auto* window = new TChannelListWindow(world_, windows_, model, unit.Name(), parent_);
  if (load_list_geometry) window->ApplyGeometry(load_list_geometry());
  window->store_geometry = store_list_geometry;
  ShowNew(*window);
}

void TReplyWindowViews::ShowMaskList(TUnit& unit, TChannel& channel, TMaskListModel& model) {
  ShowNew(*new TMaskListWindow(windows_, model, channel.Name(), unit.Name(), parent_));
}

}  // namespace zeph
