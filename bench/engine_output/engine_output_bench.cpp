// How fast engine output becomes queued lines: the splitter alone on chunks
// of analysis lines, and the whole road from a child process's pipe through
// the reader thread into a queue.
#include "engines/engio.h"
#include "engines/line_splitter.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::string analysis_output(std::size_t bytes)
{
    const std::string line =
        "info depth 24 seldepth 31 multipv 1 score cp 34 nodes 28734512 nps 1834512 hashfull 412 tbhits 0 "
        "time 15663 pv e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7\n";
    std::string text;
    while (text.size() < bytes) {
        text += line;
    }
    return text;
}

void split_chunks(benchmark::State& state)
{
    std::string output = analysis_output(1 << 20);
    constexpr std::size_t chunk = 32768;
    for (auto _ : state) {
        LineSplitter splitter;
        std::size_t lines = 0;
        for (std::size_t at = 0; at < output.size(); at += chunk) {
            lines += splitter.feed(output.data() + at, std::min(chunk, output.size() - at)).size();
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * output.size()));
}
BENCHMARK(split_chunks);

void lines_from_process(benchmark::State& state)
{
    std::mutex mtx;
    std::condition_variable cv;
    std::deque<std::string> queue;
    Engio engio;
    engio.set_cvtrio(CVTrio(&mtx, &cv, &queue));
    engio.spawn_engine(std::string(FAKE_ENGINE_DIR) + "/fake_engine");
    std::thread reader(std::ref(engio));
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        engio("emit many" + std::to_string(count));
        std::unique_lock lock(mtx);
        cv.wait(lock, [&] { return queue.size() >= static_cast<std::size_t>(count); });
        queue.clear();
    }
    state.SetItemsProcessed(state.iterations() * count);
    engio.quit();
    reader.join();
}
BENCHMARK(lines_from_process)->Arg(10000)->UseRealTime();

}
