#include "manager/tournament_save_error.h"
#include "tests/manager/tournament_fixture.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using enum TournamentType;

using torvane_test::TempWorkingDir;

class SaveSafety : public TournamentFixture {
protected:
    void SetUp() override
    {
        add_participants(3);
        m_tournament.set_type(roundrobin);
        m_tournament.set_iterations(20);
        m_tournament.new_games();
        m_tournament.save();
        m_saved = TempWorkingDir::read_file(trn("Torvane Battles"));
    }

    // Runs the save in a child process prepared by prepare; the child's exit
    // code: 0 when save threw TournamentSaveError with the expected texts.
    int save_in_child(void (*prepare)(), const char* expected_error, const std::string& expected_words)
    {
        pid_t pid = ::fork();
        if (pid == 0) {
            prepare();
            m_tournament.set_result("1-0");
            try {
                m_tournament.save();
                ::_exit(1);
            } catch (const TournamentSaveError& e) {
                ::_exit(std::strcmp(e.what(), expected_error) == 0 && e.plain_text() == expected_words ? 0 : 2);
            } catch (...) {
                ::_exit(3);
            }
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
    }

    // The names of everything in the tournaments directory.
    static std::vector<std::string> listing()
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator("tournaments")) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    std::string m_saved;
};

// A save that fails keeps the old file whole, leaves no temporary file and
// reports the step that failed, and in words the file and the system's reason.
TEST_F(SaveSafety, FailedSavesKeepTheOldFileAndReport)
{
    const std::string unwritten = "The tournament file ./tournaments/Torvane Battles.trn could not be written: ";
    const struct {
        void (*prepare)();
        const char* error;
        std::string reason;
    } cases[] = {
        // An unwritable directory; as root, permissions are no obstacle, so the
        // child becomes "nobody" first.
        {[] {
             ::chmod(".", 0755);
             ::chmod("tournaments", 0555);
             if (::geteuid() == 0 && ::setuid(65534) != 0) {
                 ::_exit(4);
             }
         },
         "Tournament::save()  open tournament failed", "permission denied"},
        // A full disk.
        {[] {
             std::signal(SIGXFSZ, SIG_IGN);
             rlimit limit{512, 512};
             ::setrlimit(RLIMIT_FSIZE, &limit);
         },
         "Tournament::save()  write tournament failed", "file too large"},
    };
    for (const auto& test : cases) {
        const int code = save_in_child(test.prepare, test.error, unwritten + test.reason);
        ::chmod("tournaments", 0755);
        EXPECT_EQ(code, 0) << test.error;
        EXPECT_EQ(TempWorkingDir::read_file(trn("Torvane Battles")), m_saved) << test.error;
        EXPECT_EQ(listing(), std::vector<std::string>{"Torvane Battles.trn"}) << test.error;
    }
}

// A process killed at a random moment while it saves over and over leaves a
// file that loads whole: the old tournament or a new one, never a mix; and
// loaded, nothing else.
TEST_F(SaveSafety, KilledWhileSavingLeavesAWholeFile)
{
    std::mt19937 random(std::random_device{}());
    const int games = m_tournament.get_nbr_games();
    for (int round = 0; round < 40; ++round) {
        pid_t pid = ::fork();
        if (pid == 0) {
            for (int played = 0;; played = (played + 1) % games) {
                m_tournament.reset_results();
                for (int i = 0; i < played; ++i) {
                    m_tournament.set_result("1-0");
                }
                m_tournament.save();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution(0, 20000)(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";

        Tournament reread;
        ASSERT_NO_THROW(reread.load("Torvane Battles")) << "round " << round;
        // The temporary file of a save cut short goes with the next load.
        EXPECT_EQ(listing(), std::vector<std::string>{"Torvane Battles.trn"}) << "round " << round;
        std::vector<TournamentGame> list = reread.get_games();
        ASSERT_EQ(static_cast<int>(list.size()), games);
        ASSERT_EQ(reread.get_nbr_games(), games);
        int played = reread.next_game().get_number() - 1;
        for (int i = 0; i < games; ++i) {
            EXPECT_EQ(list[i].get_result(), i < played ? "1-0" : "*") << "round " << round << ", game " << i + 1;
        }
    }
}

}
