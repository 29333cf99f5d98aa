// The look chosen in the settings dialog reaches the console, every log
// view and member list already open and the member information windows;
// views made later take it from look_.
#include <QListView>

#include "app/application.h"
#include "app/widgets/main_frame.h"
#include "display/widgets/screen_look.h"
#include "engine/widgets/member_info_window.h"

namespace zeph {

void CMainFrame::ApplyLook() {
  look_ = ApplyViewSettings(app_.ViewSettings(), app_.ThemeFolders(), world_.Preferences().WholeLine);
  if (auto* console = qobject_cast<TLogView*>(console_)) console->SetLook(look_);
  for (auto& [id, view] : log_views_)
    if (auto* log = qobject_cast<TLogView*>(view.data())) log->SetLook(look_);
  for (auto& [id, list] : member_views_)
    if (list) ApplyListLook(*list, *look_);
  member_windows_->SetLook(look_);
}

}  // namespace zeph
