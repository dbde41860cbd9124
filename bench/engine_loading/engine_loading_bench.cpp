// How long loading an engine blocks the manager's thread (start, handshake,
// driver) and unloading it takes, by engine and protocol; and saving and
// reading a large engines.cfg.
#include "engines/gui_engine.h"
#include "engines/installed_engines.h"
#include "engines/protocol_detection.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>

namespace {

void load_and_unload(benchmark::State& state, const std::string& path, int protocol)
{
    std::mutex mutex;
    std::condition_variable cv;
    std::deque<std::string> queue;
    CVTrio manager(&mutex, &cv, &queue);
    GuiEngine owner;
    for (auto _ : state) {
        owner.load(1, path, protocol, manager);
        if (!owner.engine_running()) {
            state.SkipWithError("engine does not run");
            return;
        }
        owner.unload_engine();
    }
}

void fake_uci(benchmark::State& state) { load_and_unload(state, std::string(FAKE_ENGINE_DIR) + "/fake_engine", protocol_uci); }
void fake_autodetect(benchmark::State& state) { load_and_unload(state, std::string(FAKE_ENGINE_DIR) + "/fake_engine", protocol_autodetect); }
void stockfish_autodetect(benchmark::State& state) { load_and_unload(state, "/usr/games/stockfish", protocol_autodetect); }
void fairymax_xboard_v2(benchmark::State& state) { load_and_unload(state, "/usr/games/fairymax", protocol_xboard_v2); }
void fairymax_autodetect(benchmark::State& state) { load_and_unload(state, "/usr/games/fairymax", protocol_autodetect); }
// hoichess exits on "uci" and is started again for the xboard handshake.
void hoichess_autodetect(benchmark::State& state) { load_and_unload(state, "/usr/games/hoichess", protocol_autodetect); }

// 50 engines of 30 options each, in a scratch directory.
void engines_cfg_save_and_read(benchmark::State& state)
{
    std::string dir = (std::filesystem::temp_directory_path() / "torvane-cfg-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        state.SkipWithError("no scratch directory");
        return;
    }
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    {
        InstalledEngines list;
        for (int e = 0; e < 50; ++e) {
            EngineVariables ev;
            ev.set_name("Engine " + std::to_string(e));
            ev.set_filename("/usr/games/engine" + std::to_string(e));
            ev.set_protocol(e % 4);
            for (int o = 0; o < 30; ++o) {
                ev.set_option(Option("option name Knob " + std::to_string(o) + " type spin default " +
                                     std::to_string(o) + " min 0 max 100"));
            }
            list.add(ev);
        }
        for (auto _ : state) {
            list.write_engines_cfg();
            InstalledEngines reader;
            reader.read_engines_cfg();
            benchmark::DoNotOptimize(reader.engines().size());
        }
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
}

}

BENCHMARK(fake_uci)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(fake_autodetect)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(stockfish_autodetect)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(fairymax_xboard_v2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(fairymax_autodetect)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(hoichess_autodetect)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(engines_cfg_save_and_read)->Unit(benchmark::kMillisecond)->UseRealTime();
