#include "app/widgets/desktop.h"

#include <QApplication>

#include "app/application.h"
#include "app/widgets/first_start_wizard.h"
#include "app/widgets/main_frame.h"
#include "dcc/widgets/dcc_windows.h"
#include "platform/qt/qt_translations.h"
#include "platform/qt/single_instance.h"

namespace zeph {

int RunDesktop(TApplication& app, TSingleInstance& instance, const std::vector<std::string>& servers) {
  // The tray icon keeps the program alive with its window hidden; the end
  // comes from the shutdown.
  QApplication::setQuitOnLastWindowClosed(false);
  InstallQtJapanese(*qApp);
  // Before the world and the windows: they are built from the settings an
  // import of the wizard may have replaced.
  if (!app.Preferences().Installed) RunFirstStart(nullptr, app);
  app.CreateWorld();
  // Declared before the window so that it goes after it, and before the
  // application and its DCC service.
  TDccWindows dcc_windows(app.Dcc(), app.WindowLayout());
  CMainFrame frame(app);
  frame.SetDccWindows(&dcc_windows);
  frame.on_closed = [] { QApplication::quit(); };
  instance.on_activate = [&frame] { frame.RestoreAndActivate(); };
  frame.ApplyLayout();
  // Ask for the keyboard outright: after the wizard's modal loop nothing else
  // hands focus to the new window (without a window manager none ever would).
  frame.RestoreAndActivate();
  frame.InputLine()->setFocus(Qt::ActiveWindowFocusReason);
  app.Start(servers);
  return QApplication::exec();
}

}  // namespace zeph
