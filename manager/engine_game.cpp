#include "manager/engine_game.h"

#include "manager/game_result.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <iostream>
#include <thread>

std::unique_ptr<GuiEngine> start_engine(int slot, const std::string& path, int protocol, const CVTrio& queue,
                                        const EngineSettings& settings, const std::string& caller,
                                        const HandshakeCancel& cancel, std::string* failure)
{
    auto started = std::make_unique<GuiEngine>();
    started->set_debug(settings.debug);
    std::string why;
    try {
        started->load(slot, path, protocol, queue, cancel);
        if (started->engine_running()) {
            started->set_logstream(settings.log);
            started->set_ponder(settings.ponder);
            started->set_level(settings.level);
            return started;
        }
        why = started->load_failure();
    } catch (const std::exception& error) {
        std::cerr << caller << "   " << error.what() << std::endl;
        why = error.what();
    }
    if (failure) {
        *failure = why;
    }
    return nullptr;
}

EngineVariables installed_engine(InstalledEngines& installed, const std::string& name)
{
    installed.read_engines_cfg();
    const auto& engines = installed.engines();
    const auto found = engines.find(name);
    return found == engines.end() ? EngineVariables() : found->second;
}

std::string player_name(const GuiEngine& engine)
{
    std::string name = engine.get_player_name();
    return name.empty() ? engine.get_idname() : name;
}

void seat_engines(GuiEngine& engine1, GuiEngine& engine2, std::ostream* log, const Level& level)
{
    engine1.set_white(true);
    engine2.set_white(false);
    for (GuiEngine* engine : {&engine1, &engine2}) {
        engine->set_logstream(log);
        engine->set_level(level);
    }
}

int start_engine_to_move(GuiEngine& engine1, GuiEngine& engine2, const ChessPosition& position)
{
    const std::uint32_t move_number = position.move_number();
    const bool white_to_move = position.board().side_to_move() == 1;
    // Moves already made in the time control: White has made one fewer than
    // Black once Black is to move.
    engine1.set_moves_made(white_to_move ? move_number - 1 : move_number);
    engine2.set_moves_made(move_number - 1);
    exchange_opponent_times(engine1, engine2);
    GuiEngine& mover = white_to_move ? engine1 : engine2;
    mover.set_position(position);
    mover.go();
    return white_to_move ? 1 : 2;
}

EngineTimes exchange_opponent_times(GuiEngine& engine1, GuiEngine& engine2)
{
    const EngineTimes times{engine1.get_time_left(), engine2.get_time_left()};
    engine1.set_opponent_time(static_cast<std::uint64_t>(std::max<std::int64_t>(times.engine2, 0)));
    engine2.set_opponent_time(static_cast<std::uint64_t>(std::max<std::int64_t>(times.engine1, 0)));
    return times;
}

std::string answer_engine_move(ChessPosition& position, MoveGenerator& generator, const Move& move, GuiEngine& other,
                               int other_slot, const std::string& make_error,
                               const std::function<void(const std::string&)>& log)
{
    try {
        position.make_move(move);
    } catch (...) {
        std::cerr << make_error << std::endl;
        throw;
    }
    const std::string result = result_after_engine_move(position, generator);
    if (result != "*") {
        return result;
    }
    other.set_position(position);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string name = " engine" + std::to_string(other_slot);
    log(name + " <- position " + position.fen());
    other.go();
    log(name + " <- go");
    return result;
}
