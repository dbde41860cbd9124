#pragma once

#include "core/chess_position.h"
#include "core/move.h"
#include "engines/gui_engine.h"
#include "game/chess_game.h"
#include "manager/tournament.h"
#include "manager/tournament_game.h"
#include "manager/tournament_game_start.h"

#include <cstdint>
#include <string>

// The record of one tournament game, kept alike by both managers: the game's
// tags, its opening, every engine move with the analysis its engine sent
// for that move and the manager's time for it, and the result. After every
// move, of the opening or an engine, whose position the ECO table names,
// the "ECO" and "Opening" tags take that position's names; otherwise the
// previous ones stay.
//
// Its end is the one place where a finished tournament game goes on record:
// first into "<event>.pgn", and only once it is there, its result into the
// tournament and its ".trn" file. So every game that the ".trn" file scores
// is in the PGN file. A run that stops in between (a crash, a failed save)
// leaves the game as the last one of the PGN file, starting at the length
// that the last save recorded; on resuming, score_game_appended scores it
// from there instead of playing it again, so it is in the PGN file once.
// Only such a game counts: a crash leaves at most one, so games that were in
// the file at the save, or that another game follows, are never taken for
// a result. The game is played again, and is then in the PGN file twice,
// when the ".trn" file records no length (saved before lengths were kept),
// the crash cut its append short, or another game was appended after it
// before the run resumed (by the user, or by another tournament or game of
// the same event). And a tournament saved where its PGN file was missing or
// empty (length 0), then run where that file holds one whole game and
// nothing else, with the tags of its next game (the sole game of an earlier
// one-game run of the same event, say), takes that game's result without
// playing it.
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
    // Adds the move of the engine playing that side. Its comment is, while
    // comments are on, the side's analysis folded in since that side's
    // previous move (none when the engine sent none), then "[%time N]", N
    // being the manager's move time in milliseconds. Throws std::logic_error
    // when the record refuses the move.
    void add_move(const Move& move, bool white, std::uint64_t move_time_ms);
    // Ends the game with the manager's result line ("0-1 {illegal move:
    // 0000}"): the result and its comment end the movetext, also of a game
    // without a move. The game is appended to "<event>.pgn"; only then is
    // the result scored in the tournament and the ".trn" file saved. False,
    // with nothing scored, when the game could not be appended; a failed
    // save passes on the error of Tournament::save.
    bool finish(Tournament& tournament, const std::string& result_line);
    // Why the last finish could not append its game, as the system gives it
    // (the errno: no space left, permission denied); 0 after an append.
    int append_error() const { return m_append_error; }

    // For the start of play of a loaded tournament, before its next game is
    // begun: scores the next unplayed game in the tournament (in memory) with
    // the result of the game that a stopped run left in "<event>.pgn"
    // unscored; true when it did. That game must begin, with its first tag
    // pair, exactly at the length recorded at the tournament's last save
    // (Tournament::get_pgn_size), be complete (ended by its termination
    // marker) and the last game of the file (nothing but white space after
    // it), and have a decided result and the "Event", "Round", "White" and
    // "Black" tags of the next unplayed game, as a record of that game
    // writes them to the file and reads them back (a quote escaped, say).
    // Otherwise, and without an event or a recorded length, nothing
    // changes. The caller saves the tournament when a game was scored.
    static bool score_game_appended(Tournament& tournament);

private:
    // Adds the move and names the opening from its position.
    void append_move(const Move& move);

    ChessGame m_game;
    std::string m_white_analysis;
    std::string m_black_analysis;
    bool m_comments = true;
    int m_append_error = 0;
};
