#include "tests/manager/console_fixtures.h"

#include "core/move_generator.h"
#include "core/move_list.h"
#include "manager/game_result.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace torvane_test {

namespace {

void write_text(const std::string& dir, const std::string& name, const std::string& text)
{
    const std::filesystem::path path = std::filesystem::path(dir) / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("write_text: cannot write " + path.string());
    }
}

// Whether the side to move can mate at once.
bool mate_in_one(const ChessPosition& position)
{
    MoveList moves;
    MoveGenerator generator;
    generator.generate(position, moves);
    return std::any_of(moves.begin(), moves.end(), [&position](const Move& move) {
        ChessPosition after = position;
        after.make_move(move);
        return after.is_checkmate();
    });
}

}

bool starts_with(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

bool contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

Lines answer_to(ConsoleSession& console, const std::string& line)
{
    console.send(line);
    console.send("0 setboard marker");
    Lines lines = console.lines_until([](const std::string& seen) { return seen.find("marker") != std::string::npos; });
    lines.pop_back();
    return lines;
}

bool play_legal(ChessPosition& position, const std::string& text)
{
    MoveList moves;
    MoveGenerator generator;
    generator.generate(position, moves);
    for (const Move& move : moves) {
        if (move.to_string() == text) {
            position.make_move(move);
            return true;
        }
    }
    return false;
}

std::string quiet_user_move(const ChessPosition& position)
{
    MoveList moves;
    MoveGenerator generator;
    generator.generate(position, moves);
    for (const Move& move : moves) {
        ChessPosition after = position;
        after.make_move(move);
        MoveGenerator check;
        if (game_result(after, check) == "*" && !mate_in_one(after)) {
            return move.to_string();
        }
    }
    return "";
}

std::string write_engine_wrapper(const std::string& dir, const std::string& name, const std::string& program,
                                 const std::map<std::string, std::string>& environment, const std::string& commands)
{
    std::string script = "#!/bin/sh\n" + commands;
    for (const auto& [variable, value] : environment) {
        script += "export " + variable + "='" + value + "'\n";
    }
    script += "exec '" + program + "'\n";
    write_text(dir, name, script);
    const std::string path = dir + "/" + name;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

std::string scripted_fake_engine(const std::string& dir, const std::string& name, const std::string& moves,
                                 const std::string& program, std::map<std::string, std::string> more,
                                 const std::string& commands)
{
    more["TORVANE_FAKE_MOVES"] = moves;
    return write_engine_wrapper(dir, name, ConsoleSession::fake_engine(program), more, commands);
}

std::string commands_blocking_file(const std::string& path)
{
    return "[ -e '" + path + ".blocked' ] || { mv '" + path + "' '" + path + ".aside' && mkdir '" + path +
           "' && : >'" + path + ".blocked'; }\n";
}

void write_engines_cfg(const std::string& dir, const std::vector<InstalledEngine>& engines)
{
    std::string text;
    for (const InstalledEngine& engine : engines) {
        text += "name " + engine.name + "\nfilename " + engine.path + "\nprotocol " + engine.protocol + "\n";
        for (const std::string& option : engine.options) {
            text += "setoption name " + option + "\n";
        }
        text += "\n";
    }
    write_text(dir, "engines.cfg", text);
}

void write_tournament(const std::string& dir, const TournamentFile& tournament, const std::string& file_name)
{
    std::string text = "version 1.15\nevent " + tournament.event + "\nsite  Test site\nlevel " + tournament.level +
                       "\ntype " + tournament.type + "\niterations 1\nparallelgames 1\n";
    if (!tournament.suite.empty()) {
        text += "openingbook " + tournament.suite + "\n";
    }
    text += "bothcolors false\nrandomorder false\nignoretimeloss " +
            std::string(tournament.ignore_time_loss ? "true" : "false") + "\n";
    if (tournament.pgn_size) {
        text += "pgnsize " + std::to_string(*tournament.pgn_size) + "\n";
    }
    for (const std::string& participant : tournament.participants) {
        text += "participant " + participant + "\n";
    }
    int number = 0;
    for (const TournamentFile::Game& game : tournament.games) {
        const std::string count = std::to_string(++number);
        text += "game " + std::string(7 - count.size(), ' ') + count + "   round=" + game.round +
                "   opening=" + std::to_string(game.opening) + "  pairing=" + std::to_string(game.white) + "-" +
                std::to_string(game.black) + "   result=" + game.result + "\n";
    }
    write_text(dir, "tournaments/" + (file_name.empty() ? tournament.event : file_name) + ".trn", text);
}

std::string write_engine_wrapper(const ConsoleSession& console, const std::string& name, const std::string& program,
                                 const std::map<std::string, std::string>& environment)
{
    return write_engine_wrapper(console.dir(), name, program, environment);
}

void write_engines_cfg(const ConsoleSession& console, const std::vector<InstalledEngine>& engines)
{
    write_engines_cfg(console.dir(), engines);
}

void write_tournament(const ConsoleSession& console, const TournamentFile& tournament, const std::string& file_name)
{
    write_tournament(console.dir(), tournament, file_name);
}

std::vector<std::string> play_tournament(ConsoleSession& console, const std::string& name, double timeout_seconds)
{
    console.send("0 load_tournament " + name);
    console.send("0 start_tournament");
    return console.lines_until("tournament_finished", ConsoleSession::Seconds(timeout_seconds));
}

bool is_result_line(const std::string& line)
{
    return starts_with(line, "1-0 {") || starts_with(line, "0-1 {") || starts_with(line, "1/2-1/2 {");
}

std::vector<std::string> result_lines(const std::vector<std::string>& lines)
{
    std::vector<std::string> results;
    for (const std::string& line : lines) {
        if (is_result_line(line)) {
            results.push_back(line);
        }
    }
    return results;
}

}
