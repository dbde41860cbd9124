#include "manager/time_verdicts.h"

namespace {

constexpr std::int64_t move_grace_ms = 500;
constexpr std::int64_t silence_limit_ms = 20000;

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

std::optional<std::string> engine_verdict(const EngineClock& engine)
{
    if (engine.crashed()) {
        return loss(engine, "engine failure");
    }
    if (engine.time_left() < -silence_limit_ms) {
        return loss(engine, "time");
    }
    return std::nullopt;
}
