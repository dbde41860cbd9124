#include "manager/tournament_load_error.h"

#include <utility>

TournamentLoadError::TournamentLoadError(std::string reason)
    : std::logic_error("Tournament::load    error"), m_reason(std::move(reason))
{
}
