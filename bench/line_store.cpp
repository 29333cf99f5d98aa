// The line store alone, so that changes to how lines are kept (and read by
// the log view) can be checked: adding a flood line at the limit (dropping
// the oldest), reading lines by index at random and in turn, and dropping
// many lines at once. The counters give the bytes a kept line takes.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "display/line_builder.h"
#include "display/line_store.h"
#include "display/url_detector.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

TLogLineSource FloodLine(int i) {
  TLogLineSource source;
  source.time = "12:34 ";
  source.nick = "nick" + std::to_string(i % 50);
  source.nick_piece = "(" + source.nick + ") ";
  source.body = "\x03" "4,9" + Sjis("こんにちは、日本語のテストです") + "\x0f \x02#" + std::to_string(i) +
                "\x02 http://example.jp/" + std::to_string(i % 100);
  source.unit = 1;
  source.channel = 2;
  return source;
}

void Fill(TLineStore& store, int lines) {
  for (int i = 0; i < lines; ++i) store.AddLine(FloodLine(i), false);
}

// 200,000 lines kept without a limit, for the read benchmarks.
struct TFullStore {
  TLineBuilder builder{TUrlDetector::Shared(), nullptr};
  TLineStore store{builder};

  TFullStore() {
    store.SetMaxLines(0);
    Fill(store, 200000);
  }
};

void BM_LineStoreAdd(benchmark::State& state) {
  TLineBuilder builder(TUrlDetector::Shared(), nullptr);
  TLineStore store(builder);
  store.SetMaxLines(static_cast<int>(state.range(0)));
  Fill(store, static_cast<int>(state.range(0)));
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(store.AddLine(FloodLine(i++), false).serial);
  state.SetItemsProcessed(state.iterations());
  state.counters["bytes/line"] = static_cast<double>(store.MemoryBytes()) / static_cast<double>(store.Count());
}
BENCHMARK(BM_LineStoreAdd)->Arg(1000)->Arg(200000);

void BM_LineStoreReadAtRandom(benchmark::State& state) {
  TFullStore full;
  const TLineStore& store = full.store;
  TLineReader reader(store);
  std::mt19937 random(1);
  std::uniform_int_distribution<size_t> index(0, store.Count() - 1);
  for (auto _ : state) benchmark::DoNotOptimize(reader.Read(index(random)).runs.size());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LineStoreReadAtRandom);

void BM_LineStoreReadInTurn(benchmark::State& state) {
  TFullStore full;
  const TLineStore& store = full.store;
  TLineReader reader(store);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(reader.Read(i).runs.size());
    i = i + 1 == store.Count() ? 0 : i + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LineStoreReadInTurn);

void BM_LineStoreDrop(benchmark::State& state) {
  TLineBuilder builder(TUrlDetector::Shared(), nullptr);
  TLineStore store(builder);
  store.SetMaxLines(0);
  for (auto _ : state) {
    state.PauseTiming();
    Fill(store, 100000);
    state.ResumeTiming();
    store.RemoveOldest(100000);
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_LineStoreDrop)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace zeph

BENCHMARK_MAIN();
