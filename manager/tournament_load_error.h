#pragma once

#include <stdexcept>
#include <string>

// A ".trn" file that Tournament::load cannot read: what() is the load error
// of the error output, "Tournament::load    error", and reason() says in
// words what is wrong with the file ("line 7 cannot be read: ...").
class TournamentLoadError : public std::logic_error {
public:
    explicit TournamentLoadError(std::string reason = "");

    const std::string& reason() const { return m_reason; }

private:
    std::string m_reason;
};
