// Zephlora: `zephlora [--headless] [--verbose] [USER=profile] [SERVER=name ...]`.
// Headless, the profile runs without any window: connections, auto-join,
// reconnection, CTCP and log files work; SIGINT and SIGTERM quit cleanly.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_folders.h"
#include "app/application.h"
#include "app/startup_arguments.h"
#include "platform/cp932.h"
#include "platform/net.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/single_instance.h"
#include "platform/termination_signals.h"
#include "platform/user_folders.h"
#include "platform/version.h"

namespace zeph {
namespace {

struct TOptions {
  bool headless = false;
  bool verbose = false;
  std::string command_line;  // the key=value pairs, as one text
};

TOptions ReadOptions(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--headless") == 0) {
      options.headless = true;
    } else if (std::strcmp(argv[i], "--verbose") == 0) {
      options.verbose = true;
    } else {
      options.command_line += std::string(argv[i]) + " ";
    }
  }
  return options;
}

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

int Run(int argc, char** argv) {
  TOptions options = ReadOptions(argc, argv);
  QCoreApplication qt(argc, argv);
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

  if (!options.headless) {
    std::fprintf(stderr, "zephlora: the main window is not available yet; running headless\n");
  }
  // Server names on the command line are the terminal's UTF-8; the tree's
  // names are internal text.
  std::vector<std::string> servers;
  for (const std::string& name : arguments.server_names) servers.push_back(cp932::FromUtf8(name));
  app.CreateWorld();
  TConsoleEcho echo(app.World().Console());
  if (options.verbose) app.World().Console().SetObserver(&echo);
  app.Start(servers);
  TTerminationSignals termination(loop, [&app] { app.Shutdown(false, [] { QCoreApplication::quit(); }); });
  return qt.exec();
}

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s %d.%02d\n", zeph::kProductName, zeph::kVersionMajor, zeph::kVersionMinor);
      return 0;
    }
  }
  return zeph::Run(argc, argv);
}
