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

// Each of Debian's engines autodetected and with the protocol it is installed
// with. hoichess exits on "uci" and is started again for the xboard handshake;
// gnuchess and polyglot are started through wrappers that give their
// arguments, sjeng through one that gives it the tests' home.
struct EngineLoad {
    const char* name;
    std::string path;
    int protocol;
    int iterations;
};

const int engines_registered = [] {
    const std::string fake = std::string(FAKE_ENGINE_DIR) + "/fake_engine";
    const std::string wrappers = PEER_WRAPPER_DIR;
    const EngineLoad loads[] = {
        {"fake_uci", fake, protocol_uci, 20},
        {"fake_autodetect", fake, protocol_autodetect, 20},
        {"stockfish_uci", "/usr/games/stockfish", protocol_uci, 5},
        {"stockfish_autodetect", "/usr/games/stockfish", protocol_autodetect, 5},
        {"fairymax_xboard_v2", "/usr/games/fairymax", protocol_xboard_v2, 5},
        {"fairymax_autodetect", "/usr/games/fairymax", protocol_autodetect, 3},
        {"hoichess_xboard_v2", "/usr/games/hoichess", protocol_xboard_v2, 5},
        {"hoichess_autodetect", "/usr/games/hoichess", protocol_autodetect, 5},
        {"phalanx_xboard_v2", "/usr/games/phalanx", protocol_xboard_v2, 5},
        {"phalanx_autodetect", "/usr/games/phalanx", protocol_autodetect, 3},
        {"sjeng_xboard_v2", wrappers + "/sjeng", protocol_xboard_v2, 5},
        {"sjeng_autodetect", wrappers + "/sjeng", protocol_autodetect, 3},
        {"gnuchess_xboard_v2", wrappers + "/gnuchess-xboard", protocol_xboard_v2, 3},
        {"gnuchess_autodetect", wrappers + "/gnuchess-xboard", protocol_autodetect, 3},
        {"polyglot_xboard_v2", wrappers + "/polyglot-stockfish", protocol_xboard_v2, 3},
        {"polyglot_autodetect", wrappers + "/polyglot-stockfish", protocol_autodetect, 3},
    };
    for (const EngineLoad& load : loads) {
        benchmark::RegisterBenchmark(load.name, load_and_unload, load.path, load.protocol)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(load.iterations);
    }
    return 0;
}();

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

BENCHMARK(engines_cfg_save_and_read)->Unit(benchmark::kMillisecond)->UseRealTime();
