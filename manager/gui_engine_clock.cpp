#include "manager/gui_engine_clock.h"

#include "engines/base_engine.h"
#include "manager/time_verdicts.h"

std::optional<std::int64_t> GuiEngineClock::thinking_time() const
{
    if (m_engine.get_state() != BaseEngine::thinking) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(m_engine.get_move_time());
}

std::optional<std::string> engines_verdict(GuiEngine& engine1, GuiEngine& engine2)
{
    GuiEngineClock clock1(engine1);
    if (auto verdict = engine_verdict(clock1)) {
        return verdict;
    }
    GuiEngineClock clock2(engine2);
    return engine_verdict(clock2);
}
