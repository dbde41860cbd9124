#include "manager/tournament_save_error.h"

#include "engines/system_reason.h"

TournamentSaveError::TournamentSaveError(const std::string& what, std::string path, int error)
    : std::runtime_error(what),
      m_plain_text("The tournament file " + std::move(path) + " could not be written: " + system_reason(error))
{
}

std::string save_fault_text(const std::exception& error)
{
    const auto* unsaved = dynamic_cast<const TournamentSaveError*>(&error);
    return unsaved ? unsaved->plain_text() : error.what();
}
