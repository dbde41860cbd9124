#include "app/saved_tournaments.h"

#include "engines/home_dir.h"
#include "manager/tournament.h"

#include <cctype>
#include <exception>
#include <filesystem>
#include <limits>
#include <system_error>

std::vector<std::string> saved_tournament_names(const std::string& directory)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entry(directory, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::filesystem::path& path = entry->path();
        if (path.extension() == ".trn")
            names.push_back(path.stem().string());
    }
    return names;
}

std::string results_at_stake(const std::string& name)
{
    const std::string file = name + ".trn";
    Tournament saved;
    std::error_code error;
    if (!std::filesystem::exists(HomeDir().tournaments() + file, error))
        return "";
    try {
        saved.load(name);
    } catch (const std::exception& fault) {
        return "\"" + file + "\" exists but cannot be read (" + fault.what() + ").";
    }
    std::size_t played = 0;
    for (const TournamentGame& game : saved.get_games())
        played += game.is_unplayed() ? 0 : 1;
    if (played == 0)
        return "";
    return "\"" + file + "\" holds the results of " + std::to_string(played) + (played == 1 ? " game." : " games.");
}

std::optional<std::int32_t> leading_integer(const std::string& text)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    const std::size_t digits = at;
    std::int64_t value = 0;
    constexpr std::int64_t beyond = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > beyond)
            return std::nullopt;
    }
    if (at == digits)
        return std::nullopt;
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}
