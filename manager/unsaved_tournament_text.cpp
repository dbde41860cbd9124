#include "manager/unsaved_tournament_text.h"

#include "manager/tournament_save_error.h"

std::string unstarted_run_text(const std::exception& save_error)
{
    return save_fault_text(save_error) + ". The tournament has not started: no game was played.";
}

std::string unsaved_result_text(const std::exception& save_error, const Tournament& tournament, int game_number)
{
    return save_fault_text(save_error) + ". Game " + std::to_string(game_number) + " is in \"" +
           tournament.get_event() + ".pgn\". The tournament has stopped; loaded again, it goes on from there.";
}
