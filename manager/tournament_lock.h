#pragma once

#include <string>

// One program's hold on a tournament it plays, so that no other program
// plays it at the same time: an advisory lock (an open file description
// lock) on an empty file beside the tournament's ".trn" file, named after
// it: ".<event>.trn.lock". The ".trn" file itself is replaced by each save,
// so a lock on it would be gone with the first result. The system lets go of
// the lock when the program ends, however it ends (kill -9 too), and the
// programs the holder starts (engines) do not inherit it. The lock file
// stays behind, empty. Nothing ever waits for a lock.
//
// Within one program a tournament is held by one object at a time;
// held_elsewhere, which any thread may ask, does not count this program's
// own hold.
class TournamentLock {
public:
    enum class Claim {
        // This object holds the tournament.
        held,
        // Another program holds it (or another object of this one).
        held_elsewhere,
        // The lock file cannot be opened or locked; fault() tells why.
        failed,
    };

    TournamentLock() = default;
    // Lets go of the tournament held.
    ~TournamentLock();
    TournamentLock(const TournamentLock&) = delete;
    TournamentLock& operator=(const TournamentLock&) = delete;

    // Claims the tournament whose results go to trn_path
    // (Tournament::save_path) without waiting. Holding it already, the
    // object keeps it; holding another one, it lets go of that one first.
    Claim claim(const std::string& trn_path);
    // Lets go of the tournament held, if any.
    void release();
    // The trn_path of the tournament held; "" when none is held.
    const std::string& held() const { return m_held; }
    // Why the last claim failed, in words naming the file or folder that
    // could not be used: "the lock file ./tournaments/.T.trn.lock cannot be
    // made in the folder ./tournaments/: permission denied".
    const std::string& fault() const { return m_fault; }
    // The lock file of the tournament whose results go to trn_path.
    static std::string lock_path(const std::string& trn_path);

    // Whether another program holds the tournament of trn_path now. Takes
    // nothing and never waits.
    static bool held_elsewhere(const std::string& trn_path);

private:
    int m_descriptor = -1;
    std::string m_held;
    std::string m_fault;
};
