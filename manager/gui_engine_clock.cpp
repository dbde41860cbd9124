#include "manager/gui_engine_clock.h"

#include "manager/time_verdicts.h"

std::optional<std::string> engines_verdict(const GuiEngine& engine1, const GuiEngine& engine2)
{
    if (auto verdict = engine_verdict(GuiEngineClock(engine1))) {
        return verdict;
    }
    return engine_verdict(GuiEngineClock(engine2));
}
