#include "manager/tournament.h"

#include "engines/file_replacement.h"
#include "manager/tournament_load_error.h"
#include "manager/tournament_save_error.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {

// The file has one line per value: a value with a line end would read back
// as something else.
void require_one_line(const std::string& value, const std::string& what)
{
    if (value.find_first_of("\n\r") != std::string::npos) {
        throw std::logic_error("Tournament::save()  the " + what + " \"" + value + "\" holds a line end");
    }
}

const char* flag_word(bool on) { return on ? "true" : "false"; }

std::string without_leading_blanks(const std::string& text)
{
    std::size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start);
}

std::vector<std::string> words_of(const std::string& text)
{
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The integer at the start of text (after white space); a text that holds
// none, or one too large, makes the file unreadable.
template <typename Integer = std::int32_t>
Integer integer_of(const std::string& text)
{
    std::istringstream in(text);
    Integer value = 0;
    if (!(in >> value)) {
        throw TournamentLoadError();
    }
    return value;
}

// The length of the event's PGN file in the working directory, where
// TournamentRecord appends the games; 0 when there is no such file.
std::uintmax_t pgn_file_size(const std::string& event)
{
    std::error_code missing;
    const std::uintmax_t size = std::filesystem::file_size(event + ".pgn", missing);
    return missing ? 0 : size;
}

bool starts_with(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

// Whether word is the start of a keyword of the file but not the whole of
// it: the last line of a file cut short there.
bool cut_keyword(const std::string& word)
{
    static const char* const keywords[] = {"version",     "event",      "site",        "level",
                                           "type",        "iterations", "rounds",      "parallelgames",
                                           "openingbook", "bothcolors", "randomorder", "ignoretimeloss",
                                           "pgnsize",     "participant", "game"};
    for (const char* keyword : keywords) {
        const std::string whole = keyword;
        if (word.size() < whole.size() && starts_with(whole, word)) {
            return true;
        }
    }
    return false;
}

std::string counted(std::int64_t count, const std::string& what)
{
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}

std::string Tournament::file_path(const std::string& name) const { return m_home.tournaments() + name + ".trn"; }

std::string Tournament::file_text() const
{
    require_one_line(m_site, "site");
    require_one_line(m_openingbook, "opening book");
    std::string text = "version 1.15\n";
    text += "event " + m_event + "\n";
    text += "site  " + m_site + "\n";
    text += "level " + m_level.to_string() + "\n";
    text += "type " + tournament_type_word(m_type) + "\n";
    text += "iterations " + std::to_string(m_iterations) + "\n";
    text += "parallelgames " + std::to_string(m_parallelgames) + "\n";
    if (!m_openingbook.empty()) {
        text += "openingbook " + m_openingbook + "\n";
    }
    text += std::string("bothcolors ") + flag_word(m_bothcolors) + "\n";
    text += std::string("randomorder ") + flag_word(m_randomorder) + "\n";
    text += std::string("ignoretimeloss ") + flag_word(m_ignoretimeloss) + "\n";
    text += "pgnsize " + std::to_string(m_pgn_size.value_or(0)) + "\n";
    for (const TournamentParticipant& participant : m_participants) {
        require_one_line(participant.get_name(), "participant");
        text += "participant " + participant.get_name() + "\n";
    }
    for (const TournamentGame& game : m_games) {
        require_one_line(game.get_result(), "result");
        text += "game " + game.str() + "\n";
    }
    return text;
}

void Tournament::save()
{
    check_event_name(m_event);
    // The length goes with the results written: every game appended so far
    // counts in it, so none of them can later pass for a game whose result
    // was lost.
    const std::uintmax_t pgn_size = pgn_file_size(m_event);
    std::string text;
    {
        // Only the text is made under the lock; the file is written after it
        // is released.
        std::lock_guard lock(m_games_mutex);
        m_pgn_size = pgn_size;
        text = file_text();
    }
    const std::string path = save_path();
    // A save cut short by a kill leaves its temporary file behind.
    remove_left_over_temporaries(m_home.tournaments());
    switch (replace_file(path, text)) {
    case FileReplacement::done:
        return;
    case FileReplacement::open_failed:
        throw TournamentSaveError("Tournament::save()  open tournament failed", path, errno);
    case FileReplacement::write_failed:
        throw TournamentSaveError("Tournament::save()  write tournament failed", path, errno);
    }
}

std::string Tournament::save_path() const { return file_path(m_event); }

void Tournament::load(const std::string& name)
{
    remove_left_over_temporaries(m_home.tournaments());
    std::lock_guard lock(m_games_mutex);
    m_version.clear();
    m_nbr_openings = 0;
    m_pgn_size.reset();
    reset();
    std::string path = file_path(name);
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open() || std::filesystem::is_directory(path)) {
        m_valid = false;
        throw std::logic_error(path + " doesn't exist!");
    }
    m_path = path;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        throw TournamentLoadError("it cannot be read from the disk");
    }
    read_text(text);
}

void Tournament::read_text(const std::string& text)
{
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        try {
            read_line(line, end < text.size());
        } catch (const TournamentLoadError& error) {
            if (!error.reason().empty()) {
                throw;
            }
            // The line's reader knows only that it cannot read it.
            throw TournamentLoadError("line " + std::to_string(number) + " cannot be read: " + line);
        }
        start = end + 1;
    }
    check_games_complete();
}

void Tournament::check_games_complete() const
{
    // No participants and no games: a definition without a schedule, as a
    // new tournament is saved.
    if (m_participants.empty() && m_games.empty()) {
        return;
    }
    if (m_participants.size() < 2) {
        throw TournamentLoadError("it lists " + counted(static_cast<std::int64_t>(m_participants.size()), "participant") +
                                  " where a tournament has two or more: the file is cut short");
    }
    const std::int64_t scheduled = scheduled_game_count();
    const auto listed = static_cast<std::int64_t>(m_games.size());
    if (listed < scheduled) {
        throw TournamentLoadError("it holds " + counted(listed, "game") + " where its type, participants and " +
                                  "iterations call for " + std::to_string(scheduled) + ": the file is cut short");
    }
}

void Tournament::read_line(const std::string& line, bool ended)
{
    std::size_t begin = line.find_first_not_of(" \t\v\f");
    if (begin == std::string::npos) {
        return;
    }
    std::size_t end = std::min(line.find_first_of(" \t\v\f", begin), line.size());
    const std::string keyword = line.substr(begin, end - begin);
    const std::string rest = line.substr(end);
    std::vector<std::string> words = words_of(rest);
    const std::string word = words.empty() ? std::string() : words.front();

    if (keyword == "version") {
        m_version = word;
    } else if (keyword == "event") {
        std::string event = without_leading_blanks(rest);
        check_event_name(event);
        m_event = event;
    } else if (keyword == "site") {
        m_site = without_leading_blanks(rest);
    } else if (keyword == "level") {
        m_level.set(rest);
    } else if (keyword == "type") {
        if (word.find("match") != std::string::npos) {
            m_type = TournamentType::match;
        } else if (word.find("gauntlet") != std::string::npos) {
            m_type = TournamentType::gauntlet;
        } else if (word.find("roundrobin") != std::string::npos) {
            m_type = TournamentType::roundrobin;
        }
    } else if (keyword == "iterations" || keyword == "rounds") {
        m_iterations = integer_of(rest);
    } else if (keyword == "parallelgames") {
        m_parallelgames = integer_of(rest);
    } else if (keyword == "openingbook") {
        m_openingbook = without_leading_blanks(rest);
        m_nbr_openings = count_openings(m_openingbook);
    } else if (keyword == "bothcolors") {
        m_bothcolors = word == "true";
    } else if (keyword == "randomorder") {
        m_randomorder = word == "true";
    } else if (keyword == "ignoretimeloss") {
        m_ignoretimeloss = word == "true";
    } else if (keyword == "pgnsize") {
        m_pgn_size = integer_of<std::uintmax_t>(rest);
    } else if (keyword == "participant") {
        add_participant(TournamentParticipant(without_leading_blanks(rest)));
    } else if (keyword == "game") {
        // A file cut short within its last game line would score that game
        // with what is left of its result: a cut "result=1-0" is played.
        if (!ended) {
            throw TournamentLoadError("its last line, a game, has no line end: the file is cut short");
        }
        read_game_line(rest);
    } else if (!ended && cut_keyword(keyword)) {
        throw TournamentLoadError("its last line, \"" + keyword + "\", has no line end: the file is cut short");
    } else {
        std::cerr << "unknown command \"" << keyword << "\"\n";
    }
}

// A game line: in the current form the number followed by "round=",
// "opening=", "pairing=" and "result=" words in any order (a later word wins;
// without "opening=" the opening is 0, without "result=" the result is empty,
// which counts as played; "pairing=" is required); in the older form (a file
// without a "version" line) six items: number, round, White, a word that is
// not used, Black, result.
void Tournament::read_game_line(const std::string& rest)
{
    std::vector<std::string> words = words_of(rest);
    std::int32_t number = 0;
    std::string round;
    std::int32_t opening = 0;
    std::int32_t white = 0;
    std::int32_t black = 0;
    std::string result;
    if (!m_version.empty()) {
        if (words.empty()) {
            throw TournamentLoadError();
        }
        number = integer_of(words[0]);
        bool paired = false;
        for (std::size_t i = 1; i < words.size(); ++i) {
            const std::string& w = words[i];
            if (starts_with(w, "round=")) {
                round = w.substr(6);
            } else if (starts_with(w, "opening=")) {
                opening = integer_of(w.substr(8));
            } else if (starts_with(w, "pairing=")) {
                std::string pairing = w.substr(8);
                std::replace(pairing.begin(), pairing.end(), '-', ' ');
                std::istringstream in(pairing);
                if (!(in >> white >> black)) {
                    throw TournamentLoadError();
                }
                paired = true;
            } else if (starts_with(w, "result=")) {
                result = w.substr(7);
            }
        }
        if (!paired) {
            throw TournamentLoadError();
        }
    } else {
        if (words.size() < 6) {
            throw TournamentLoadError();
        }
        number = integer_of(words[0]);
        round = words[1];
        white = integer_of(words[2]);
        black = integer_of(words[4]);
        result = words[5];
    }
    const std::int32_t listed = static_cast<std::int32_t>(m_participants.size());
    for (std::int32_t player : {white, black}) {
        if (player < 1 || player > listed) {
            throw std::out_of_range("Tournament::load    game " + std::to_string(number) + " names participant " +
                                    std::to_string(player) + ", the file lists " + std::to_string(listed));
        }
    }
    m_nbr_games = number;
    TournamentGame game;
    game.set_number(number);
    game.set_round_str(round);
    game.set_opening(opening);
    game.set_white(m_participants[static_cast<std::size_t>(white - 1)]);
    game.set_black(m_participants[static_cast<std::size_t>(black - 1)]);
    game.set_result(result);
    m_games.push_back(game);
}
