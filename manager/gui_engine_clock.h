#pragma once

#include "engines/gui_engine.h"
#include "manager/engine_clock.h"

#include <optional>
#include <string>

// The clock rules' view of an engine in a slot.
class GuiEngineClock : public EngineClock {
public:
    explicit GuiEngineClock(GuiEngine& engine) : m_engine(engine) {}
    std::int64_t time_left() const override { return m_engine.get_time_left(); }
    bool is_white() const override { return m_engine.is_white(); }
    bool crashed() const override { return m_engine.engine_crashed(); }
    Level level() const override { return m_engine.get_level(); }
    std::optional<std::int64_t> thinking_time() const override;
    bool search_unanswered(std::chrono::milliseconds grace) override { return m_engine.search_unanswered(grace); }

private:
    GuiEngine& m_engine;
};

// The health and clock test of a game in progress (engine_verdict), engine 1
// first: the result line of the first engine that loses, if any.
std::optional<std::string> engines_verdict(GuiEngine& engine1, GuiEngine& engine2);
