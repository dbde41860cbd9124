#include "tests/manager/runner_fixture.h"

#include "game/pgn_file.h"
#include "tests/support/peer_programs.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/wait.h>

namespace torvane_test {

namespace {

std::string read_whole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}

RunnerDir::RunnerDir() : m_path(make_temp_dir("tournament-runner")) {}

RunnerDir::~RunnerDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

RunnerDir::Run RunnerDir::run(const std::string& name, int timeout_seconds) const
{
    const std::string command = "cd " + quoted(m_path) + " && timeout -k 5 " + std::to_string(timeout_seconds) + " " +
                                quoted(TOURNAMENT_RUNNER) + " " + quoted(name) + " >.runner-out 2>.runner-err";
    const int status = std::system(command.c_str());
    Run run{WIFEXITED(status) && WEXITSTATUS(status) != 124 ? WEXITSTATUS(status) : -1, {}, read(".runner-err")};
    std::istringstream out(read(".runner-out"));
    for (std::string line; std::getline(out, line);) {
        run.lines.push_back(line);
    }
    return run;
}

std::string RunnerDir::read(const std::string& name) const { return read_whole(m_path + "/" + name); }

std::vector<std::string> pgn_games(const std::string& path)
{
    PgnFile file;
    file.open(path);
    std::vector<std::string> games;
    for (std::string game = file.first_game(); !game.empty(); game = file.next_game()) {
        games.push_back(game);
    }
    return games;
}

std::vector<std::string> trn_games(const std::string& trn_text)
{
    std::map<int, std::string> participants;
    std::vector<std::string> games;
    std::istringstream lines(trn_text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "participant") {
            std::string name;
            std::getline(words >> std::ws, name);
            participants[static_cast<int>(participants.size()) + 1] = name;
        } else if (keyword == "game") {
            std::string number, field, white, black, result;
            words >> number;
            while (words >> field) {
                if (field.rfind("pairing=", 0) == 0) {
                    const std::string pair = field.substr(8);
                    white = participants[std::stoi(pair.substr(0, pair.find('-')))];
                    black = participants[std::stoi(pair.substr(pair.find('-') + 1))];
                } else if (field.rfind("result=", 0) == 0) {
                    result = field.substr(7);
                }
            }
            games.push_back(number + "\t" + white + "\t" + black + "\t" + result);
        }
    }
    return games;
}

}
