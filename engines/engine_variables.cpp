#include "engines/engine_variables.h"

#include <sstream>

namespace {

// The level with session time and increment cut by the handicap fraction;
// fractions outside (0, 1) leave it whole. Moves per session are not scaled.
Level with_handicap(Level level, double fraction)
{
    if (fraction > 0.0 && fraction < 1.0) {
        double keep = 1.0 - fraction;
        level.set_time(static_cast<std::uint32_t>(
            static_cast<std::int32_t>(keep * static_cast<std::int32_t>(level.get_time()))));
        level.set_increment(static_cast<std::uint32_t>(
            static_cast<std::int32_t>(static_cast<std::int32_t>(level.get_increment()) * keep)));
    }
    return level;
}

}

EngineVariables::EngineVariables()
    : m_opponent_time(0), m_state(engine_idle), m_pings(0), m_white(true), m_uci(false), m_protocol(0),
      m_idname("NoNameYet")
{
    reset();
}

EngineVariables::EngineVariables(const EngineVariables& other)
    : m_level(other.m_level), m_clock(other.m_clock), m_opponent_time(other.m_opponent_time.load()),
      m_state(other.m_state.load()), m_pings(other.m_pings.load()), m_white(other.m_white), m_uci(other.m_uci),
      m_name(other.m_name), m_filename(other.m_filename), m_player_name(other.m_player_name), m_elo(other.m_elo),
      m_handicap(other.m_handicap), m_protocol(other.m_protocol), m_features(other.m_features),
      m_egt(other.m_egt), m_idname(other.m_idname), m_author(other.m_author), m_options(other.m_options)
{
}

EngineVariables& EngineVariables::operator=(const EngineVariables& other)
{
    if (this == &other) {
        return *this;
    }
    m_level = other.m_level;
    m_clock = other.m_clock;
    m_opponent_time = other.m_opponent_time.load();
    m_state = other.m_state.load();
    m_pings = other.m_pings.load();
    m_white = other.m_white;
    m_uci = other.m_uci;
    m_name = other.m_name;
    m_filename = other.m_filename;
    m_player_name = other.m_player_name;
    m_elo = other.m_elo;
    m_handicap = other.m_handicap;
    m_protocol = other.m_protocol;
    m_features = other.m_features;
    m_egt = other.m_egt;
    m_idname = other.m_idname;
    m_author = other.m_author;
    m_options = other.m_options;
    return *this;
}

void EngineVariables::reset()
{
    m_protocol = 0;
    m_clock.set_time_control(Level("sessions 40 0:10 0.1"));
    m_options.clear();
    m_features = Features();
    m_pings = 0;
    m_opponent_time = 0;
}

void EngineVariables::clear() { reset(); }

void EngineVariables::set_idname(const std::string& name)
{
    m_idname = name;
    if (m_name.empty()) {
        m_name = m_idname;
    }
}

bool EngineVariables::set_feature(const std::string& name, bool on)
{
    const std::map<std::string, bool Features::*> flags = {
        {"ping", &Features::ping},   {"setboard", &Features::setboard}, {"san", &Features::san},
        {"usermove", &Features::usermove}, {"time", &Features::time}, {"reuse", &Features::reuse},
        {"colors", &Features::colors}, {"nps", &Features::nps},       {"debug", &Features::debug},
        {"smp", &Features::smp},     {"memory", &Features::memory}};
    auto flag = flags.find(name);
    if (flag == flags.end()) {
        return false;
    }
    m_features.*(flag->second) = on;
    return true;
}

void EngineVariables::set_option(const Option& option) { m_options[option.get_name()] = option; }

int EngineVariables::pong_received()
{
    int pings = m_pings.load();
    while (pings >= 1 && !m_pings.compare_exchange_weak(pings, pings - 1)) {
    }
    return pings >= 1 ? pings - 1 : pings;
}

void EngineVariables::set_level(Level level)
{
    m_level = level;
    m_clock.set_time_control(with_handicap(level, get_handicap_fraction()));
}

double EngineVariables::get_handicap_fraction() const
{
    if (m_handicap.empty()) {
        return 0.0;
    }
    // A stream reads in the C++ locale, which the program leaves classic,
    // where strtod would follow LC_NUMERIC: the window (which runs in the
    // user's locale) and tournament-runner read engines.cfg alike.
    std::istringstream in(m_handicap);
    double percent = 0.0;
    if (!(in >> percent)) {
        return 0.0;
    }
    return percent / 100.0;
}

std::string EngineVariables::to_string() const
{
    std::string text = "\nname " + m_idname + "\n";
    for (const auto& [name, option] : m_options) {
        text += "option name " + name + " type " + option.get_type() + " value " + option.get_value() + "\n";
    }
    return text;
}
