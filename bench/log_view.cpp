// The log view at 1000×700 over 100,000 mixed lines (Japanese and ASCII,
// colours, URLs, every seventh line wrapping to three rows): the paint time
// of each page while scrolling from the top to the end, a width change,
// the memory the view adds beside the line store, and the processor time
// of following the end while 10,000 lines a second arrive.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "display/line_builder.h"
#include "display/line_store.h"
#include "display/url_detector.h"
#include "display/widgets/log_view.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr int kLines = 100000;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;

TLogLineSource MixedLine(int i) {
  TLogLineSource source;
  source.time = "12:34 ";
  source.nick = "nick" + std::to_string(i % 50);
  source.nick_piece = "<" + source.nick + "> ";
  source.nick_class = i % 7;
  switch (i % 7) {
    case 0:
      source.body = Sjis("これは長い行です。全角の文字と ASCII text が混ざり、窓の幅で三行に折り返されます。") +
                    Sjis("日本語の文章をたくさん書いて、折り返しの位置が二バイト文字の途中にならないことを確かめます。") +
                    " http://example.jp/long/" + std::to_string(i) + Sjis(" の続きです。もう少し書きます。");
      break;
    case 1: source.body = "\x03" "4,9" + Sjis("色付きの文字") + "\x0f and \x02" "bold\x02 #" + std::to_string(i); break;
    case 2: source.body = Sjis("資料は http://example.com/") + std::to_string(i) + Sjis(" にあります"); break;
    case 3: source.body = "plain ASCII chatter number " + std::to_string(i) + " from irc.example.org"; break;
    default: source.body = Sjis("こんにちは、今日もいい天気ですね。") + std::to_string(i); break;
  }
  source.category = i % 11 == 0 ? 3 : 0;
  return source;
}

struct TFilledView {
  TLineBuilder builder{TUrlDetector::Shared(), nullptr};
  TLineStore store{builder};
  std::unique_ptr<TLogView> view;

  explicit TFilledView(int lines) {
    store.SetMaxLines(0);
    for (int i = 0; i < lines; ++i) store.AddLine(MixedLine(i), false);
    view = std::make_unique<TLogView>(store);
    view->resize(kWidth, kHeight);
    view->show();
    QApplication::processEvents();
  }
};

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  size_t at = std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())));
  return values[at];
}

double CpuMs(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double ProcessCpuMs() { return CpuMs(CLOCK_PROCESS_CPUTIME_ID); }

// One iteration pages through the whole log; the counters are per frame.
void BM_LogViewPageThrough(benchmark::State& state) {
  TFilledView filled(kLines);
  TLogView& view = *filled.view;
  std::vector<double> frames;
  std::vector<double> cpu;  // the thread's processor time: what a busy machine does not inflate
  for (auto _ : state) {
    view.ScrollToTop();
    frames.clear();
    cpu.clear();
    QElapsedTimer timer;
    while (true) {
      timer.start();
      double cpu0 = CpuMs(CLOCK_THREAD_CPUTIME_ID);
      view.viewport()->repaint();
      cpu.push_back(CpuMs(CLOCK_THREAD_CPUTIME_ID) - cpu0);
      frames.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
      if (view.IsAtEnd()) break;
      view.PageDown();
    }
  }
  state.counters["frames"] = static_cast<double>(frames.size());
  state.counters["median_ms"] = Percentile(frames, 0.5);
  state.counters["p99_ms"] = Percentile(frames, 0.99);
  state.counters["max_ms"] = *std::max_element(frames.begin(), frames.end());
  state.counters["cpu_median_ms"] = Percentile(cpu, 0.5);
  state.counters["cpu_p99_ms"] = Percentile(cpu, 0.99);
  state.counters["cpu_max_ms"] = *std::max_element(cpu.begin(), cpu.end());
  state.counters["over_16ms"] = static_cast<double>(std::count_if(frames.begin(), frames.end(), [](double f) { return f >= 16; }));
}
BENCHMARK(BM_LogViewPageThrough)->Iterations(1)->Unit(benchmark::kMillisecond);

// A width change: the view lays out again only what it shows, so the cost
// is the resize and the next paint. For comparison, laying out every line
// at the new width (what a view that kept all layouts would do).
void BM_LogViewWidthChange(benchmark::State& state) {
  TFilledView filled(kLines);
  TLogView& view = *filled.view;
  view.ScrollToTop();
  view.PageDown();
  int width = kWidth;
  double all_lines_ms = 0;
  for (auto _ : state) {
    width = width == kWidth ? kWidth - 200 : kWidth;
    view.resize(width, kHeight);
    view.viewport()->repaint();
  }
  {
    QElapsedTimer timer;
    timer.start();
    TLineReader reader(filled.store);
    TLineLayout layout;
    for (size_t i = 0; i < filled.store.Count(); ++i)
      LayoutLine(reader.Read(i), view.Look().Style(), view.Look().Fonts(), width - 20, 7, 0, layout);
    all_lines_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  }
  state.counters["layout_all_100k_ms"] = all_lines_ms;
}
BENCHMARK(BM_LogViewWidthChange)->Unit(benchmark::kMillisecond);

// Heap bytes the view holds beside the store after paging through all
// 100,000 lines (its layouts are kept for the lines around those shown).
void BM_LogViewMemory(benchmark::State& state) {
  TLineBuilder builder{TUrlDetector::Shared(), nullptr};
  TLineStore store{builder};
  store.SetMaxLines(0);
  for (int i = 0; i < kLines; ++i) store.AddLine(MixedLine(i), false);
  double added = 0;
  for (auto _ : state) {
    malloc_trim(0);
    size_t before = mallinfo2().uordblks;
    auto view = std::make_unique<TLogView>(store);
    view->resize(kWidth, kHeight);
    view->show();
    QApplication::processEvents();
    view->ScrollToTop();
    while (!view->IsAtEnd()) {
      view->viewport()->repaint();
      view->PageDown();
    }
    added = static_cast<double>(mallinfo2().uordblks - before);
    state.counters["layouts_kept"] = static_cast<double>(view->CachedLayouts());
  }
  state.counters["view_bytes"] = added;
  state.counters["store_bytes"] = static_cast<double>(store.MemoryBytes());
}
BENCHMARK(BM_LogViewMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// 10,000 lines a second for two seconds, 100 every 10 ms, the view at the
// end and painting as the event loop lets it: processor time per second
// (argument 1; argument 0 is the store without a view).
// With the view at 0 the store takes the lines alone: the difference is
// what the view costs.
double FloodCoreShare(TLineStore& store) {
  std::vector<TLogLineSource> lines;
  for (int i = 0; i < 20000; ++i) lines.push_back(MixedLine(1000 + i));
  size_t next = 0;
  QEventLoop loop;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    for (int i = 0; i < 100; ++i) store.AddLine(lines[next++], false);
    if (next == lines.size()) loop.quit();
  });
  QElapsedTimer wall;
  wall.start();
  double cpu0 = ProcessCpuMs();
  tick.start(10);
  loop.exec();
  return (ProcessCpuMs() - cpu0) / static_cast<double>(wall.elapsed());
}

void BM_LogViewFollowFlood(benchmark::State& state) {
  TFilledView filled(1000);
  filled.store.SetMaxLines(1000);
  if (state.range(0) == 0) filled.view.reset();
  double core_share = 0;
  for (auto _ : state) core_share = FloodCoreShare(filled.store);
  state.counters["core_share"] = core_share;
}
BENCHMARK(BM_LogViewFollowFlood)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
