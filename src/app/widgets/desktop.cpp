#include "app/widgets/desktop.h"

#include <QApplication>

#include "app/application.h"
#include "app/widgets/first_start_wizard.h"
#include "app/widgets/main_frame.h"
#include "platform/qt/single_instance.h"

namespace zeph {

int RunDesktop(TApplication& app, TSingleInstance& instance, const std::vector<std::string>& servers) {
  // The tray icon keeps the program alive with its window hidden; the end
  // comes from the shutdown.
  QApplication::setQuitOnLastWindowClosed(false);
  app.CreateWorld();
  CMainFrame frame(app);
  frame.on_closed = [] { QApplication::quit(); };
  instance.on_activate = [&frame] { frame.RestoreAndActivate(); };
  if (!app.Preferences().Installed) RunFirstStart(&frame, app);
  frame.ApplyLayout();
  frame.show();
  app.Start(servers);
  return QApplication::exec();
}

}  // namespace zeph
