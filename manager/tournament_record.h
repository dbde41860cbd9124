#pragma once

#include "core/chess_position.h"
#include "core/move.h"
#include "engines/gui_engine.h"
#include "game/chess_game.h"
#include "manager/tournament.h"
#include "manager/tournament_game.h"
#include "manager/tournament_game_start.h"

#include <string>

// The record of one tournament game, kept alike by both managers: the game's
// tags, its opening, every engine move with the analysis its engine sent
// while it thought, and the result. Its end is the one place where a
// finished tournament game goes on record: first into "<event>.pgn", and
// only once it is there, its result into the tournament and its ".trn" file.
// So every game that the ".trn" file scores is in the PGN file, once; a run
// that stops in between plays the game again rather than lose it.
class TournamentRecord {
public:
    // A fresh record of the game about to be played: the Seven Tag Roster
    // (the date today in UTC), the game's own tags (tournament_game_tags),
    // and the opening already set up on position: its moves from the
    // position they start from, or "SetUp" and "FEN" when it has none.
    void start(const Tournament& tournament, const TournamentGame& game, const GuiEngine& engine1,
               const GuiEngine& engine2, const TournamentOpening& opening, const ChessPosition& position);
    // Whether engine moves carry their analysis comments (they do at first).
    void set_comments(bool on);
    // Folds an "info" line (the text after the word) of the engine playing
    // that side into the side's analysis comment.
    void add_analysis(bool white, const std::string& info);
    // Adds the move of the engine playing that side, with the side's
    // analysis; throws std::logic_error when the record refuses the move.
    void add_move(const Move& move, bool white);
    // Ends the game with the manager's result line ("0-1 {illegal move:
    // 0000}"): the result and its comment end the movetext, also of a game
    // without a move. The game is appended to "<event>.pgn"; only then is
    // the result scored in the tournament and the ".trn" file saved. False,
    // with nothing scored, when the game could not be appended; a failed
    // save passes on the error of Tournament::save.
    bool finish(Tournament& tournament, const std::string& result_line);

private:
    void append_move(const Move& move);

    ChessGame m_game;
    std::string m_white_analysis;
    std::string m_black_analysis;
    bool m_comments = true;
};
