// The look chosen in the settings dialog reaches the console and every
// log view already open; views made later take it from look_.
#include "app/application.h"
#include "app/widgets/main_frame.h"
#include "display/widgets/screen_look.h"

namespace zeph {

void CMainFrame::ApplyLook() {
  look_ = ApplyViewSettings(app_.ViewSettings(), app_.ThemeFolders(), world_.Preferences().WholeLine);
  if (auto* console = qobject_cast<TLogView*>(console_)) console->SetLook(look_);
  for (auto& [id, view] : log_views_)
    if (auto* log = qobject_cast<TLogView*>(view.data())) log->SetLook(look_);
}

}  // namespace zeph
