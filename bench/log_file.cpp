// What a log file costs per line against building the line for the view:
// under a flood the file must not be what slows the program down.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "settings/preferences.h"
#include "display/line_builder.h"
#include "display/log_file.h"
#include "display/url_detector.h"

namespace zeph {
namespace {

TLogLineSource FloodLine() {
  TLogLineSource source;
  source.time = "12:34 ";
  source.nick_piece = "(flooder) ";
  source.body = "\x02" "flood\x02 line with \x03" "4colour\x03 and some more text to make it a usual length";
  return source;
}

class TTempRoot {
 public:
  TTempRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zephlora-bench-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TTempRoot() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void BM_LogFileWriteLine(benchmark::State& state) {
  TTempRoot root;
  TPreferences prefs;
  prefs.LogRootDir = root.Path().string() + "/";
  prefs.EnableChannelLog = true;
  TLogFileContext context{LogFileSettingsFrom(prefs), [] { return std::time_t{1204688096}; }, {}};
  TLogFile log(context, TLogFileKind::Channel);
  log.SetUnitName("Srv");
  log.SetTargetName("#flood");
  TLogLineSource source = FloodLine();
  for (auto _ : state) log.WriteLine(source);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LogFileWriteLine);

void BM_LineBuild(benchmark::State& state) {
  TLineBuilder builder(TUrlDetector::Shared(), nullptr);
  TLogLineSource source = FloodLine();
  for (auto _ : state) benchmark::DoNotOptimize(builder.Build(source, false));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LineBuild);

}  // namespace
}  // namespace zeph

BENCHMARK_MAIN();
