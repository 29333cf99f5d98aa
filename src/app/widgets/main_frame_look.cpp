// The look chosen in the settings dialog reaches the console, every log
// view and member list already open, the server tree, the input line and
// the member information windows; views made later take it from look_.
#include <QListView>
#include <QTreeView>

#include "app/application.h"
#include "app/widgets/main_frame.h"
#include "app/widgets/member_list_model.h"
#include "app/widgets/server_tree_model.h"
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
  for (auto& [id, model] : member_models_) model->SetLook(look_);
  member_windows_->SetLook(look_);
  ApplyPaneLook();
}

void CMainFrame::ApplyPaneLook() {
  ApplyTreeLook(*tree_view_, *look_);
  tree_model_->SetLook(look_);
  ApplyEditLook(*input_, *look_);
}

}  // namespace zeph
