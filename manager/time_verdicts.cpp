#include "manager/time_verdicts.h"

namespace {

constexpr std::int64_t move_grace_ms = 500;
constexpr std::chrono::milliseconds silence_limit(20000);

std::string loss(const EngineClock& loser, const std::string& reason)
{
    return (loser.is_white() ? "0-1 {" : "1-0 {") + reason + "}";
}

}

std::optional<std::string> time_loss_after_move(const EngineClock& mover, bool ignore_time_loss)
{
    if (ignore_time_loss || mover.time_left() >= -move_grace_ms) {
        return std::nullopt;
    }
    return loss(mover, "time");
}

std::optional<std::string> silence_verdict(EngineClock& engine)
{
    if (engine.time_left() < -silence_limit.count()) {
        return loss(engine, "time");
    }
    const Level level = engine.level();
    switch (level.get_type()) {
    case fixed_movetime:
        if (const auto spent = engine.thinking_time(); spent && *spent > level.get_movetime() + silence_limit.count()) {
            return loss(engine, "time");
        }
        break;
    case fixed_depth:
    case fixed_nodes:
        if (engine.search_unanswered(silence_limit)) {
            return loss(engine, "engine failure");
        }
        break;
    case sudden_death:
    case sessions:
        break;
    }
    return std::nullopt;
}

std::optional<std::string> engine_verdict(EngineClock& engine)
{
    if (engine.crashed()) {
        return loss(engine, "engine failure");
    }
    return silence_verdict(engine);
}
