#pragma once

#include <map>
#include <string>
#include <vector>

namespace torvane_test {

// A scratch directory in which the tournament-runner program is run as a
// user runs it; removed with everything in it at the end.
class RunnerDir {
public:
    RunnerDir();
    ~RunnerDir();
    RunnerDir(const RunnerDir&) = delete;
    RunnerDir& operator=(const RunnerDir&) = delete;

    const std::string& path() const { return m_path; }

    struct Run {
        int status;                      // exit status; -1 when it did not exit by itself
        std::vector<std::string> lines;  // standard output
        std::string errors;              // standard error
    };
    // Runs "tournament-runner NAME" in the directory, stopped after the
    // timeout (given for a plain build, scaled here).
    Run run(const std::string& name, int timeout_seconds = 60) const;
    // Starts "tournament-runner NAME" in the directory and returns at once
    // with its process id; finish waits for it and gives what run gives.
    int start(const std::string& name);
    Run finish(int pid);

    // A file of the directory, read whole; "" when missing.
    std::string read(const std::string& name) const;

private:
    std::string m_path;
    // The output files of each runner started, by process id.
    std::map<int, std::string> m_started;
};

// The games of a PGN text as the project's game-list reader cuts them.
std::vector<std::string> pgn_games(const std::string& path);

// The games of a ".trn" text, each as the runner prints it: "number TAB
// White TAB Black TAB result", the players named from the participant lines.
std::vector<std::string> trn_games(const std::string& trn_text);

}
