#include "app/widgets/log_view_factory.h"

#include "display/widgets/log_view.h"
#include "settings/preferences.h"

namespace zeph {

QWidget* MakeLogView(TLineStore& lines, bool console, std::shared_ptr<const TScreenLook> look,
                     const TPreferences& prefs, QWidget* parent) {
  auto* view = new TLogView(lines, console, parent);
  view->SetLook(std::move(look));
  view->SetIndent(prefs.Indent);
  view->SetLeading(prefs.LineLeading);
  view->SetBottomMargin(prefs.BottomMargin);
  view->SetInstantCopy(prefs.LogInstantCopy);
  view->SetNickMenu(prefs.EnableNickContextMenu);
  return view;
}

}  // namespace zeph
