// Zephlora: `zephlora [--headless] [--verbose] [USER=profile] [SERVER=name ...]`.
// With a display the main window opens; headless (asked for, or without a
// display) the profile runs without any window: connections, auto-join,
// reconnection, CTCP and log files work; SIGINT and SIGTERM quit cleanly.
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app_folders.h"
#include "app/application.h"
#include "app/program_options.h"
#include "app/startup_arguments.h"
#include "app/widgets/desktop.h"
#include "platform/cp932.h"
#include "platform/net.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/single_instance.h"
#include "platform/termination_signals.h"
#include "platform/user_folders.h"
#include "platform/version.h"

namespace zeph {
namespace {

// Echoes console lines to standard output, in the terminal's UTF-8.
class TConsoleEcho final : public TLineStoreObserver {
 public:
  explicit TConsoleEcho(const TLineStore& console) : console_(console) {}
  void AfterLineAdded() override {
    std::string line = cp932::ToUtf8(console_.At(console_.Count() - 1).text);
    std::fprintf(stdout, "%s\n", line.c_str());
    std::fflush(stdout);
  }

 private:
  const TLineStore& console_;
};

void HintFirstStart(const TApplication& app) {
  std::fprintf(stderr,
               "zephlora: this profile has no server yet. Start zephlora on a display to set one up with the\n"
               "  first-start wizard, or write %s (or copy a profile's config folder there),\n"
               "  then start again with --headless.\n",
               (app.Folders().config / "tree.ini").c_str());
}

int RunHeadless(TApplication& app, TQtEventLoop& loop, const TProgramOptions& options,
                const std::vector<std::string>& servers) {
  if (app.NeedsSetup()) HintFirstStart(app);
  app.CreateWorld();
  TConsoleEcho echo(app.World().Console());
  if (options.verbose) app.World().Console().SetObserver(&echo);
  app.Start(servers);
  TTerminationSignals termination(loop, [&app] { app.Shutdown(false, [] { QCoreApplication::quit(); }); });
  return QCoreApplication::exec();
}

int Run(int argc, char** argv, TProgramOptions options) {
  bool headless = options.headless || !HasDisplay();
  if (!options.headless && headless)
    std::fprintf(stderr, "zephlora: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); running headless\n");
  std::unique_ptr<QCoreApplication> qt;
  if (headless)
    qt = std::make_unique<QCoreApplication>(argc, argv);
  else
    qt = std::make_unique<QApplication>(argc, argv);
  if (!net::InitSocketLibrary()) {
    std::fprintf(stderr, "%s\n", "Windowsソケットの初期化に失敗しました");
    return 1;
  }
  TStartupArguments arguments = ParseStartupArguments(options.command_line);
  std::filesystem::path application = DefaultApplicationFolder();
  std::error_code ec;
  if (std::filesystem::exists(application, ec) && !std::filesystem::is_directory(application, ec)) {
    std::fprintf(stderr, "zephlora: the application folder %s is a file, not a folder%s\n", application.c_str(),
                 std::getenv("ZEPHLORA_HOME") ? " (check ZEPHLORA_HOME)" : "");
    return 1;
  }
  TAppFolders folders = TAppFolders::Setup(application, UserLoginName(), arguments.user);
  folders.CreateAll();
  if (chdir(folders.application.c_str()) != 0) std::perror("zephlora: application folder");

  TQtEventLoop loop;
  TApplication app(loop, folders);
  app.LoadAllSettings();

  TSingleInstance instance(InstanceName(folders.user_name, folders.application.string()));
  if (app.Preferences().ForceSingleApplicationInstance && !instance.Acquire()) return 0;

  // Server names on the command line are the terminal's UTF-8; the tree's
  // names are internal text.
  std::vector<std::string> servers;
  for (const std::string& name : arguments.server_names) servers.push_back(cp932::FromUtf8(name));
  if (headless) return RunHeadless(app, loop, options, servers);
  return RunDesktop(app, instance, servers);
}

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  zeph::TProgramOptions options = zeph::ReadProgramOptions(words);
  if (!options.unknown.empty()) {
    std::fprintf(stderr, "zephlora: unknown option %s\n\n%s", options.unknown.c_str(),
                 zeph::ProgramUsage(zeph::DefaultApplicationFolder().string()).c_str());
    return 2;
  }
  if (options.help) {
    std::printf("%s", zeph::ProgramUsage(zeph::DefaultApplicationFolder().string()).c_str());
    return 0;
  }
  if (options.version) {
    std::printf("%s %d.%02d\n", zeph::kProductName, zeph::kVersionMajor, zeph::kVersionMinor);
    return 0;
  }
  return zeph::Run(argc, argv, options);
}
