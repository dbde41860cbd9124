#pragma once

#include <exception>
#include <stdexcept>
#include <string>

// Tournament::save could not write the file: what() is the error output's
// text ("Tournament::save()  write tournament failed"), plain_text() the
// same fault in words for the user, with the file and the system's reason.
class TournamentSaveError : public std::runtime_error {
public:
    // error: the errno of the call that failed.
    TournamentSaveError(const std::string& what, std::string path, int error);

    // "The tournament file ./tournaments/Blitz.trn could not be written: no
    // space left on device"; no full stop at the end.
    const std::string& plain_text() const { return m_plain_text; }

private:
    std::string m_plain_text;
};

// A failed save in words: the plain text of a TournamentSaveError, the
// what() of any other fault (an event name that names no file, a value
// holding a line end).
std::string save_fault_text(const std::exception& error);
