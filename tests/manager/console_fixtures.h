#pragma once

#include "core/chess_position.h"
#include "tests/manager/console_session.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace torvane_test {

using Lines = std::vector<std::string>;

bool starts_with(const std::string& text, const std::string& start);
bool contains(const Lines& lines, const std::string& line);

// The lines a command causes: it is followed by a command whose answer is
// known ("setboard" with the bad FEN "marker"), and everything before that
// answer is what the first command sent.
Lines answer_to(ConsoleSession& console, const std::string& line);

// Plays coordinate text on the position when it names a legal move there.
bool play_legal(ChessPosition& position, const std::string& text);
// The first legal move of the side to move that neither ends the game nor
// allows a mate at once; "" when there is none.
std::string quiet_user_move(const ChessPosition& position);

// One installed engine for an engines.cfg written by a test.
struct InstalledEngine {
    std::string name;
    std::string path;
    std::string protocol;  // "uci", "xboard_v2", ...
    std::vector<std::string> options{};  // "NAME value VALUE" of its setoption lines
};

// A one-file tournament written the way the tournament dialog saves it.
struct TournamentFile {
    std::string event{};
    std::string level{};
    std::string type = "match";
    std::string suite{};
    bool ignore_time_loss = false;
    std::vector<std::string> participants{};
    // Per game: round text, opening number, White's and Black's participant
    // numbers, result.
    struct Game {
        std::string round;
        int opening;
        int white;
        int black;
        std::string result = "*";
    };
    std::vector<Game> games{};
    // The "pgnsize" line a save writes: the length of "<event>.pgn" then;
    // none leaves the line out, as older files do.
    std::optional<std::uintmax_t> pgn_size{};
};

// A shell script in the directory that starts program with the environment
// given; engines are started without arguments, so this is how a test gives
// each engine its own script of moves. The shell commands given run first.
std::string write_engine_wrapper(const std::string& dir, const std::string& name, const std::string& program,
                                 const std::map<std::string, std::string>& environment,
                                 const std::string& commands = "");
// A wrapper (write_engine_wrapper) of the fake engine program that plays the
// moves given in turn; more holds further variables of its environment.
std::string scripted_fake_engine(const std::string& dir, const std::string& name, const std::string& moves,
                                 const std::string& program = "fake_engine",
                                 std::map<std::string, std::string> more = {}, const std::string& commands = "");
// Shell commands for a wrapper's start that, the first time, move the file
// at path (from the working directory) to path + ".aside" and put a
// directory in its place (noted in path + ".blocked"): the next save of the
// file fails, as on a full disk, while the saves before went through.
std::string commands_blocking_file(const std::string& path);
void write_engines_cfg(const std::string& dir, const std::vector<InstalledEngine>& engines);
// Writes "tournaments/<event>.trn" in the directory (or under file_name when given).
void write_tournament(const std::string& dir, const TournamentFile& tournament, const std::string& file_name = "");

// The same in the console's directory.
std::string write_engine_wrapper(const ConsoleSession& console, const std::string& name, const std::string& program,
                                 const std::map<std::string, std::string>& environment);
void write_engines_cfg(const ConsoleSession& console, const std::vector<InstalledEngine>& engines);
void write_tournament(const ConsoleSession& console, const TournamentFile& tournament, const std::string& file_name = "");

// The lines of a tournament run, up to and including "tournament_finished".
std::vector<std::string> play_tournament(ConsoleSession& console, const std::string& name, double timeout_seconds = 60);

// The result lines ("1-0 {...}", "0-1 {...}", "1/2-1/2 {...}") among lines.
std::vector<std::string> result_lines(const std::vector<std::string>& lines);
bool is_result_line(const std::string& line);

}
