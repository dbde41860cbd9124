// A scriptable chess engine for the tests of the engine layer.
//
// It speaks UCI (after "uci"), xboard version 2 (after "xboard" and
// "protover 2") and xboard version 1 (mode xboard1: "protover" gets no answer).
// Its behaviour is chosen by modes, taken from the part of the program name
// after "fake_engine_" and from TORVANE_FAKE_MODE (comma-separated):
//   slow          waits TORVANE_FAKE_DELAY_MS (default 500) before every answer
//   late          reads nothing for TORVANE_FAKE_START_MS (default 4000) after
//                 it starts, as an engine behind a wrapper that does other
//                 work first
//   many_options  announces 300 options
//   no_uci        speaks xboard only: "uci" is an unknown command to it
//   exit_on_uci   speaks xboard only, and exits with status 1 on "uci"
//   illegal       answers every search with the move e2e5
//   none          answers every search with "(none)" (UCI) or resigns (xboard)
//   resign        xboard: resigns instead of moving
//   crash_on_go   exits when asked to search (at once, or after the delay of slow)
//   close_input   closes its standard input after the handshake, says
//                 "info string input closed" and exits a little later
//   hang          ignores "quit" and the end of its input
//   hang_hard     as hang, and ignores SIGTERM as well
//   hold          every search waits for "stop", "ponderhit" or "?" before
//                 it answers (a UCI "go" with "ponder" or "infinite", or
//                 with no limit at all, always does)
//   hold_first    as hold, for the first search only
//   steady        every search reports one analysis line at once and
//                 answers after TORVANE_FAKE_DELAY_MS, reading its input
//                 meanwhile ("isready" is answered at once, "stop" ends it)
//   stall         every search reports one analysis line, then the engine
//                 reads nothing more for a minute, as a search that hung
//   deaf          never reads its input (says "info string deaf" first)
//   fork_helper   starts a helper process that keeps the output open for
//                 three seconds after the engine has exited
//   no_reuse      xboard: announces "reuse=0" (restart me before a new game)
//   legal         follows the game ("position" in UCI; "new", "setboard" and
//                 the moves in xboard) and answers with a legal move drawn at
//                 random (seed TORVANE_FAKE_SEED, default 1); "(none)" or a
//                 resignation when there is none
//   crash_after   as legal, but exits at once when asked for one move more
//                 than TORVANE_FAKE_CRASH_AFTER (default 10)
//   usermove      xboard: announces "setboard=0 usermove=1" and plays as
//                 legal, following positions set up in edit mode ("edit",
//                 "#", "Ke1", "c", "."; the side to move stays as it was,
//                 without castling rights). A bare move
//                 ("a2a3") is answered "Error (unknown command): a2a3" and
//                 not played, as engines that take moves only after
//                 "usermove" do
//   san           as usermove, but announces "setboard=0 san=1 usermove=0",
//                 takes and gives moves in SAN and answers coordinate text
//                 with "Illegal move: a2a3", not playing it: without
//                 usermove, move-shaped words are moves to it, and one it
//                 cannot read is one it will not play
//   quiet         sends no analysis line before its moves
//   null_move     answers every UCI search with "bestmove 0000"
//   options       takes a "setoption" only while no search runs (as some
//                 engines do) and begins every UCI search with "info string
//                 options NAME=VALUE ..." for the values it works with
//   flood         once the handshake is over, writes analysis lines without
//                 end (in blocks of 200, between reading its input), whether
//                 it searches or not
//   multipv       reports three lines of analysis per UCI search, the line
//                 of its move first, each with its own score
// The mode none answers every UCI search with "bestmove (none)". Once it has
// answered "uci" it takes "xboard" and "protover" for unknown commands, as
// UCI engines do.
// Other environment:
//   TORVANE_FAKE_BANNER_MS in the mode late, the engine prints the line
//                        "FakeEngine starting" this many milliseconds after
//                        its start, before it reads anything
//   TORVANE_FAKE_MOVES   the moves to play, in order, separated by blanks;
//                        when they run out the engine has no move; "A:B"
//                        answers a UCI search with "bestmove A ponder B";
//                        "resign" makes an xboard engine resign
//   TORVANE_FAKE_THINK_MS the thinking time its analysis lines report, in
//                        milliseconds (UCI "time"; xboard in centiseconds,
//                        rounded down); default 1 ms (UCI) and 0 (xboard)
//   TORVANE_FAKE_RECORD  a file to which every line received is appended
//                        exactly as read, line end included
//   TORVANE_FAKE_TIMES   a file to which the engine appends, with the
//                        steady clock in nanoseconds, "n NS" for each new game,
//                        "g NS" for each search it is asked for and "m NS" for
//                        each move it sends (for timing the program between
//                        an engine's move and the next search)
// Test commands (any protocol): "echo TEXT" prints TEXT; "emit KIND" prints
// one of the malformed outputs below; "finish" completes "emit partial".
#include "core/chess_position.h"
#include "core/move_generator.h"
#include "core/move_list.h"
#include "game/san_move.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

std::set<std::string> g_modes;
std::deque<std::string> g_moves;
std::string g_record_path;
std::string g_times_path;
int g_delay_ms = 500;
int g_start_ms = 4000;
int g_banner_ms = -1;
bool g_uci = false;
bool g_xboard = false;
bool g_force = false;
bool g_waiting = false;
// When the running search of mode steady answers.
std::optional<std::chrono::steady_clock::time_point> g_answer_at;
// Option values taken from "setoption", by name.
std::map<std::string, std::string> g_options;
int g_searches = 0;
// The game as the engine follows it in the modes legal and crash_after.
ChessPosition g_position;
std::mt19937 g_random(1);
int g_moves_made = 0;
int g_crash_after = 10;
// The reported thinking time; negative for the protocol's default.
int g_think_ms = -1;
// The handshake is over: the mode flood writes its lines from now on.
bool g_handshake_done = false;
// Edit mode of xboard: the board being set up (a1 first, one FEN letter a
// square, '.' for an empty one) and whether White's pieces are placed.
bool g_editing = false;
bool g_edit_white = true;
std::string g_edit_board;

bool has_mode(const std::string& mode) { return g_modes.count(mode) != 0; }

void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Raw, unbuffered output, so that a test controls how the bytes arrive.
void put(const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

void say(const std::string& line) { put(line + "\n"); }

void answer_delay()
{
    if (has_mode("slow")) {
        pause_ms(g_delay_ms);
    }
}

void read_settings(const char* program)
{
    std::string name = program;
    std::size_t slash = name.rfind('/');
    if (slash != std::string::npos) {
        name = name.substr(slash + 1);
    }
    const std::string prefix = "fake_engine_";
    if (name.compare(0, prefix.size(), prefix) == 0) {
        g_modes.insert(name.substr(prefix.size()));
    }
    if (const char* modes = std::getenv("TORVANE_FAKE_MODE")) {
        std::stringstream list(modes);
        std::string mode;
        while (std::getline(list, mode, ',')) {
            g_modes.insert(mode);
        }
    }
    if (const char* moves = std::getenv("TORVANE_FAKE_MOVES")) {
        std::istringstream list(moves);
        std::string move;
        while (list >> move) {
            g_moves.push_back(move);
        }
    }
    if (const char* record = std::getenv("TORVANE_FAKE_RECORD")) {
        g_record_path = record;
    }
    if (const char* times = std::getenv("TORVANE_FAKE_TIMES")) {
        g_times_path = times;
    }
    if (const char* delay = std::getenv("TORVANE_FAKE_DELAY_MS")) {
        g_delay_ms = std::atoi(delay);
    }
    if (const char* start = std::getenv("TORVANE_FAKE_START_MS")) {
        g_start_ms = std::atoi(start);
    }
    if (const char* banner = std::getenv("TORVANE_FAKE_BANNER_MS")) {
        g_banner_ms = std::atoi(banner);
    }
    if (const char* seed = std::getenv("TORVANE_FAKE_SEED")) {
        g_random.seed(static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10)));
    }
    if (const char* count = std::getenv("TORVANE_FAKE_CRASH_AFTER")) {
        g_crash_after = std::atoi(count);
    }
    if (const char* think = std::getenv("TORVANE_FAKE_THINK_MS")) {
        g_think_ms = std::atoi(think);
    }
    if (has_mode("crash_after") || has_mode("usermove") || has_mode("san")) {
        g_modes.insert("legal");
    }
    g_position.set_start_position();
}

bool follows_game() { return has_mode("legal"); }

// The modes that announce no "setboard", and so are given positions in edit mode.
bool lacks_setboard() { return has_mode("usermove") || has_mode("san"); }

// Plays a move given as coordinate text on the followed game; false when it
// is no legal move there.
bool play_on_board(const std::string& text)
{
    MoveList moves;
    MoveGenerator generator;
    generator.generate(g_position, moves);
    for (const Move& move : moves) {
        if (move.to_string() == text || move.to_string(true) == text) {
            g_position.make_move(move);
            return true;
        }
    }
    return false;
}

// A random legal move of the followed game, played on it; "" when there is none.
std::string legal_move()
{
    if (has_mode("crash_after") && g_moves_made >= g_crash_after) {
        std::_Exit(3);
    }
    MoveList moves;
    MoveGenerator generator;
    generator.generate(g_position, moves);
    if (moves.size() == 0) {
        return "";
    }
    std::uniform_int_distribution<std::size_t> pick(0, moves.size() - 1);
    const Move move = moves[static_cast<int>(pick(g_random))];
    const std::string text = has_mode("san") ? SanMove(g_position, move).san() : move.to_string();
    g_position.make_move(move);
    ++g_moves_made;
    return text;
}

// Plays a move given in SAN on the followed game; false when it names no
// legal move there. Only words with a rank digit or castling are read, since
// the lenient reader finds a move in almost any word ("post", "hard").
bool play_san(const std::string& text)
{
    if (text.find_first_of("12345678") == std::string::npos && text.rfind("O-O", 0) != 0) {
        return false;
    }
    try {
        return play_on_board(SanMove(g_position, text).m_move.to_string());
    } catch (const std::logic_error&) {
        return false;
    }
}

// The FEN of the board set up in edit mode, with the side to move the game
// had before; no castling or en passant, which edit mode cannot say.
std::string edited_fen()
{
    std::string fen;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const char piece = g_edit_board[rank * 8 + file];
            if (piece == '.') {
                ++empty;
                continue;
            }
            fen += (empty > 0 ? std::to_string(empty) : "") + piece;
            empty = 0;
        }
        fen += (empty > 0 ? std::to_string(empty) : "") + (rank > 0 ? "/" : "");
    }
    const bool white = g_position.board().side_to_move() == 1;
    return fen + (white ? " w" : " b") + " - - 0 1";
}

// One line of edit mode: "#" clears the board, "c" switches the colour of
// the pieces placed, "." ends the setting up, and a piece letter with a
// square ("Ke1") places a piece.
void edit(const std::string& line)
{
    if (line == "#") {
        g_edit_board.assign(64, '.');
    } else if (line == "c") {
        g_edit_white = !g_edit_white;
    } else if (line == ".") {
        g_editing = false;
        g_position.set_fen(edited_fen());
    } else if (line.size() == 3 && std::string("KQRBNP").find(line[0]) != std::string::npos &&
               line[1] >= 'a' && line[1] <= 'h' && line[2] >= '1' && line[2] <= '8') {
        const char piece = g_edit_white ? line[0] : static_cast<char>(std::tolower(line[0]));
        g_edit_board[(line[2] - '1') * 8 + (line[1] - 'a')] = piece;
    }
}

// "position startpos|fen FEN [moves ...]" of UCI.
void set_position(const std::string& rest)
{
    std::istringstream words(rest);
    std::string kind;
    words >> kind;
    std::string fen;
    std::string word;
    while (words >> word && word != "moves") {
        fen += (fen.empty() ? "" : " ") + word;
    }
    if (kind == "fen") {
        g_position.set_fen(fen);
    } else {
        g_position.set_start_position();
    }
    while (words >> word) {
        play_on_board(word);
    }
}

void record(const std::string& raw)
{
    if (g_record_path.empty()) {
        return;
    }
    std::ofstream out(g_record_path, std::ios::app | std::ios::binary);
    out << raw;
}

// One time mark; a single appending write, so two engines can share the file.
void mark_time(char kind)
{
    if (g_times_path.empty()) {
        return;
    }
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    const std::string line = std::string(1, kind) + " " + std::to_string(ns) + "\n";
    const int fd = ::open(g_times_path.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd >= 0) {
        ssize_t written = ::write(fd, line.data(), line.size());
        (void)written;
        ::close(fd);
    }
}

// The engine's choice of move; empty when it has none. The moves are the
// ones the test scripted.
std::string next_move()
{
    if (has_mode("illegal")) {
        return "e2e5";
    }
    if (follows_game()) {
        return legal_move();
    }
    if (has_mode("none") || g_moves.empty()) {
        return "";
    }
    std::string move = g_moves.front();
    g_moves.pop_front();
    return move;
}

void emit(const std::string& kind)
{
    if (kind == "binary") {
        put(std::string("bin\x01\x02\x7f\xff\xfe\0end\n", 13));
    } else if (kind.compare(0, 4, "long") == 0) {
        std::size_t size = std::strtoul(kind.c_str() + 4, nullptr, 10);
        put("L" + std::string(size > 0 ? size - 1 : 0, 'x') + "\n");
    } else if (kind.compare(0, 4, "many") == 0) {
        int count = std::atoi(kind.c_str() + 4);
        std::string text;
        for (int i = 1; i <= count; ++i) {
            text += "info string line " + std::to_string(i) + "\n";
        }
        put(text);
    } else if (kind == "cr") {
        put("one\rtwo\rthree\r");
    } else if (kind == "crlf") {
        put("windows\r\n");
    } else if (kind == "crcrlf") {
        put("alpha\r\r\nbeta\r\r\n");
    } else if (kind == "crcrlf_split") {
        put("gamma\r");
        pause_ms(30);
        put("\r");
        pause_ms(30);
        put("\ndelta\n");
    } else if (kind == "blank") {
        put("before\n\nafter\n");
    } else if (kind == "split") {
        put("first li");
        pause_ms(40);
        put("ne\nsecond");
        pause_ms(40);
        put(" line\n");
    } else if (kind == "partial") {
        put("done one\nhalf");
    } else if (kind == "nofinal") {
        put("no end here");
    } else if (kind == "nofinal_exit") {
        put("last words");
        std::exit(0);
    } else if (kind == "bestmove_inside") {
        put("xx bestmove yy\nbestmov\nbestmove\n");
    }
}

void uci_handshake()
{
    answer_delay();
    say("id name FakeEngine 1.0");
    say("id author Torvane Tests");
    say("option name Hash type spin default 16 min 1 max 1024");
    say("option name Ponder type check default false");
    say("option name Style type combo default Normal var Solid var Normal var Risky");
    say("option name Clear Hash type button");
    if (has_mode("many_options")) {
        for (int i = 1; i <= 300; ++i) {
            say("option name Knob" + std::to_string(i) + " type spin default " + std::to_string(i) +
                " min 0 max 1000");
        }
    }
    say("uciok");
}

void answer()
{
    answer_delay();
    std::string move = next_move();
    std::string ponder;
    std::size_t colon = move.find(':');
    if (colon != std::string::npos) {
        ponder = move.substr(colon + 1);
        move.resize(colon);
    }
    if (g_xboard) {
        if (move.empty() || move == "resign" || has_mode("resign")) {
            say("resign");
        } else {
            if (!has_mode("quiet")) {
                say("1 12 " + std::to_string(std::max(g_think_ms, 0) / 10) + " 100 " + move);
            }
            say("move " + move);
        }
        return;
    }
    if (has_mode("null_move")) {
        say("bestmove 0000");
        return;
    }
    if (move.empty()) {
        say("bestmove (none)");
        return;
    }
    const std::string think = std::to_string(g_think_ms < 0 ? 1 : g_think_ms);
    if (has_mode("multipv")) {
        say("info depth 1 multipv 1 score cp 12 time " + think + " nodes 100 nps 100000 pv " + move);
        say("info depth 1 multipv 2 score cp -5 time " + think + " nodes 100 nps 100000 pv a2a3");
        say("info depth 1 multipv 3 score mate -2 time " + think + " nodes 100 nps 100000 pv h2h4");
    } else if (!has_mode("quiet")) {
        say("info depth 1 score cp 12 time " + think + " nodes 100 nps 100000 pv " + move);
    }
    mark_time('m');
    say("bestmove " + move + (ponder.empty() ? "" : " ponder " + ponder));
}

// Bounded, so that a test that dies leaves no process behind for long.
void stay_hung()
{
    for (int i = 0; i < 60; ++i) {
        pause_ms(1000);
    }
}

// An open-ended search answers only when it is told to stop.
void search(bool open_ended = false)
{
    if (has_mode("crash_on_go")) {
        answer_delay();
        std::_Exit(3);
    }
    if (has_mode("steady") || has_mode("stall")) {
        say(g_xboard ? "1 0 0 1" : "info depth 1 nodes 1");
    }
    if (has_mode("stall")) {
        stay_hung();
        return;
    }
    if (has_mode("steady")) {
        g_answer_at = std::chrono::steady_clock::now() + std::chrono::milliseconds(g_delay_ms);
        return;
    }
    const bool first = g_searches++ == 0;
    if (open_ended || has_mode("hold") || (first && has_mode("hold_first"))) {
        g_waiting = true;
        return;
    }
    answer();
}

void end_waiting_search()
{
    if (g_waiting || g_answer_at) {
        g_waiting = false;
        g_answer_at.reset();
        answer();
    }
}

// Answers the search of mode steady when its time has come, or returns once
// input is waiting.
void answer_in_time()
{
    while (g_answer_at) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*g_answer_at -
                                                                                 std::chrono::steady_clock::now());
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0))) != 0) {
            return;
        }
        g_answer_at.reset();
        answer();
    }
}

void after_handshake()
{
    g_handshake_done = true;
    if (has_mode("close_input")) {
        close(STDIN_FILENO);
        say("info string input closed");
        pause_ms(300);
        std::exit(0);
    }
}

// Writes blocks of analysis lines until input is waiting (mode flood).
void flood_until_input()
{
    const std::string line = g_xboard ? "9 31 250 1234567 e2e4 e7e5 g1f3 b8c6 f1b5 a7a6\n"
                                      : "info depth 9 score cp 31 time 2500 nodes 1234567 nps 493827 pv e2e4 e7e5 "
                                        "g1f3 b8c6 f1b5 a7a6\n";
    std::string block;
    for (int i = 0; i < 200; ++i) {
        block += line;
    }
    for (;;) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, g_handshake_done ? 0 : -1) != 0) {
            return;
        }
        put(block);
    }
}

bool looks_like_move(const std::string& word)
{
    return (word.size() == 4 || word.size() == 5) && word[0] >= 'a' && word[0] <= 'h' && word[1] >= '1' &&
           word[1] <= '8' && word[2] >= 'a' && word[2] <= 'h' && word[3] >= '1' && word[3] <= '8';
}

// "name NAME value VALUE", the words after "setoption".
void set_option(const std::string& rest)
{
    const std::size_t value = rest.find(" value ");
    if (rest.rfind("name ", 0) != 0 || value == std::string::npos || g_waiting) {
        return;
    }
    g_options[rest.substr(5, value - 5)] = rest.substr(value + 7);
}

void report_options()
{
    if (g_xboard || !has_mode("options")) {
        return;
    }
    std::string text = "info string options";
    for (const auto& [name, value] : g_options) {
        text += " " + name + "=" + value;
    }
    say(text);
}

// Handles one command; returns false when the engine is to exit.
bool handle(const std::string& line)
{
    std::istringstream words(line);
    std::string command;
    words >> command;
    std::string rest;
    std::getline(words, rest);
    if (!rest.empty() && rest[0] == ' ') {
        rest.erase(0, 1);
    }

    if (command == "quit") {
        return has_mode("hang") || has_mode("hang_hard");
    }
    if (g_editing) {
        edit(line);
    } else if (command == "edit" && lacks_setboard()) {
        g_editing = true;
        g_edit_white = true;
        g_edit_board.assign(64, '.');
    } else if (command == "echo") {
        say(rest);
    } else if (command == "emit") {
        emit(rest);
    } else if (command == "finish") {
        put(" line\n");
    } else if (command == "uci" && has_mode("exit_on_uci")) {
        std::exit(1);
    } else if (command == "uci" && has_mode("no_uci")) {
        say("Error (unknown command): uci");
    } else if (command == "uci") {
        g_uci = true;
        uci_handshake();
        after_handshake();
    } else if (command == "ucinewgame") {
        mark_time('n');
    } else if (command == "isready") {
        answer_delay();
        say("readyok");
    } else if (command == "go") {
        mark_time('g');
        g_force = false;
        std::istringstream limits(rest);
        // A UCI "go" without limits is an endless search, as engines take it.
        bool open_ended = !g_xboard && rest.empty();
        for (std::string limit; limits >> limit;) {
            open_ended = open_ended || (!g_xboard && (limit == "ponder" || limit == "infinite"));
        }
        report_options();
        search(open_ended);
    } else if (command == "setoption") {
        set_option(rest);
    } else if (command == "stop" || command == "ponderhit" || command == "?") {
        end_waiting_search();
    } else if (command == "force") {
        g_force = true;
    } else if (command == "position") {
        set_position(rest);
    } else if (command == "new") {
        g_position.set_start_position();
    } else if (command == "setboard") {
        g_position.set_fen(rest);
    } else if (g_xboard && has_mode("usermove") && looks_like_move(command)) {
        say("Error (unknown command): " + command);
    } else if (g_xboard && has_mode("san") && looks_like_move(command)) {
        say("Illegal move: " + command);
    } else if (command == "usermove" || (g_xboard && looks_like_move(command))) {
        if (follows_game()) {
            play_on_board(command == "usermove" ? rest : command);
        }
        if (!g_force) {
            search();
        }
    } else if (g_uci && (command == "xboard" || command == "protover")) {
        say("Unknown command: '" + line + "'");
    } else if (command == "xboard") {
        g_xboard = true;
    } else if (command == "protover") {
        if (!has_mode("xboard1")) {
            answer_delay();
            const bool san = has_mode("san");
            say(std::string("feature ping=1 setboard=") + (lacks_setboard() ? "0" : "1") + " san=" +
                (san ? "1" : "0") + " usermove=" + (san ? "0" : "1") + " time=1" +
                (has_mode("no_reuse") ? " reuse=0" : "") + " myname=\"FakeEngine 1.0\"");
            say("feature done=1");
        }
        after_handshake();
    } else if (command == "ping") {
        say("pong " + rest);
    } else if (g_xboard && has_mode("san") && play_san(command)) {
        if (!g_force) {
            search();
        }
    }
    return true;
}

}

int main(int, char** argv)
{
    read_settings(argv[0]);
    if (has_mode("deaf")) {
        say("info string deaf");
        stay_hung();
        return 0;
    }
    if (has_mode("fork_helper") && fork() == 0) {
        close(STDIN_FILENO);
        pause_ms(3000);
        return 0;
    }
    if (has_mode("hang_hard")) {
        std::signal(SIGTERM, SIG_IGN);
    }
    if (has_mode("late") && g_banner_ms >= 0 && g_banner_ms < g_start_ms) {
        pause_ms(g_banner_ms);
        say("FakeEngine starting");
        pause_ms(g_start_ms - g_banner_ms);
    } else if (has_mode("late")) {
        pause_ms(g_start_ms);
    }
    // Read in blocks, as engines do; each line is still handled on its own,
    // in order, exactly as received.
    std::string raw;
    char block[4096];
    for (;;) {
        if (has_mode("flood")) {
            flood_until_input();
        }
        answer_in_time();
        ssize_t n = ::read(STDIN_FILENO, block, sizeof block);
        if (n <= 0) {
            break;
        }
        for (ssize_t i = 0; i < n; ++i) {
            raw.push_back(block[i]);
            if (block[i] != '\n') {
                continue;
            }
            record(raw);
            std::string line = raw.substr(0, raw.size() - 1);
            while (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            raw.clear();
            if (!handle(line)) {
                return 0;
            }
        }
    }
    if (!raw.empty()) {
        record(raw);
    }
    if (has_mode("hang") || has_mode("hang_hard")) {
        stay_hung();
    }
    return 0;
}
