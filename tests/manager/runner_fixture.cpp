#include "tests/manager/runner_fixture.h"

#include "game/pgn_file.h"
#include "tests/support/peer_programs.h"
#include "tests/support/test_time.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace torvane_test {

namespace {

std::string read_whole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}

RunnerDir::RunnerDir() : m_path(make_temp_dir("tournament-runner")) {}

RunnerDir::~RunnerDir()
{
    // A runner that a failed test left running.
    for (const auto& [pid, out] : m_started) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

RunnerDir::Run RunnerDir::run(const std::string& name, int timeout_seconds) const
{
    const auto limit = scaled(std::chrono::seconds(timeout_seconds));
    const std::string command = "cd " + quoted(m_path) + " && timeout -k 5 " + std::to_string(limit.count() / 1000) + " " +
                                quoted(TOURNAMENT_RUNNER) + " " + quoted(name) + " >.runner-out 2>.runner-err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) && WEXITSTATUS(status) != 124 ? WEXITSTATUS(status) : -1, lines_of(read(".runner-out")),
            read(".runner-err")};
}

int RunnerDir::start(const std::string& name)
{
    const std::string out = m_path + "/.runner-" + name + "-out";
    const std::string err = out + "-err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int output = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errors = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::chdir(m_path.c_str()) != 0 || output < 0 || errors < 0 || ::dup2(output, 1) < 0 || ::dup2(errors, 2) < 0) {
            ::_exit(126);
        }
        ::execl(TOURNAMENT_RUNNER, TOURNAMENT_RUNNER, name.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    m_started[pid] = out;
    return pid;
}

RunnerDir::Run RunnerDir::finish(int pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::string out = m_started.at(pid);
    m_started.erase(pid);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, lines_of(read_whole(out)), read_whole(out + "-err")};
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
