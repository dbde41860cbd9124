#include "manager/engine_game.h"

#include <algorithm>
#include <exception>
#include <iostream>

std::unique_ptr<GuiEngine> start_engine(int slot, const std::string& path, int protocol, const CVTrio& queue,
                                        const EngineSettings& settings, const std::string& caller)
{
    auto started = std::make_unique<GuiEngine>();
    try {
        started->load(slot, path, protocol, queue);
        if (started->engine_running()) {
            started->set_debug(settings.debug);
            started->set_logstream(settings.log);
            started->set_ponder(settings.ponder);
            started->set_level(settings.level);
            return started;
        }
    } catch (const std::exception& error) {
        std::cerr << caller << "   " << error.what() << std::endl;
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
