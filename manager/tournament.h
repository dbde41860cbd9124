#pragma once

#include "engines/home_dir.h"
#include "engines/level.h"
#include "manager/tournament_game.h"
#include "manager/tournament_participant.h"
#include "manager/tournament_type.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <vector>

// An engine tournament: its definition (event, site, time control, type,
// repetitions, opening suite and four flags), its participants and its games
// with the results so far. Games are played and scored strictly in list
// order: next_game returns the first unplayed game and set_result scores it.
// The main window makes the schedule and saves it as "<event>.trn" in the
// per-user tournaments directory; each manager loads its own copy from that
// file and saves it after every result. Each save also records how long the
// event's PGN file was then, so that a game appended after it can be told
// from the games of earlier runs (TournamentRecord::score_game_appended).
//
// The four flags are read and written with trivial accessors:
//   get_parallelgames / set_parallelgames   games to play at once (stored only)
//   get_bothcolors / set_bothcolors         each opening played with both colours
//   get_randomorder / set_randomorder       openings in random order
//   get_ignoretimeloss / set_ignoretimeloss overstepping the time does not lose
//
// The game list operations (set_result, is_finished, next_game, get_games),
// get_pgn_size, save and load take the game-list lock; everything else runs
// unlocked, so an object belongs to one thread at a time.
class Tournament {
public:
    // The default definition: event "Torvane Battles", site "?", the default
    // time control, a match, iterations 0, one game at a time, openings in
    // random order; no participants, games or opening suite. Creates the
    // per-user directory and its tournaments directory when missing.
    Tournament();
    Tournament(const Tournament&) = delete;
    Tournament& operator=(const Tournament&) = delete;

    // An event name becomes the names of the tournament's files: it must
    // not be empty, hold "/", a line end or a NUL character, start with "."
    // or be longer than longest_event_name bytes.
    static bool is_valid_event_name(const std::string& event);
    // The longest event whose files all have names that a file system takes
    // (255 bytes): its lock file ".<event>.trn.lock" is the longest of them.
    static constexpr std::size_t longest_event_name = 255 - 10;
    // A tournament's name as the user gives it, without the blanks and tabs
    // at either end: no tournament's file name begins or ends with one.
    static std::string trimmed_name(const std::string& name);
    // Throws std::logic_error naming the event when it breaks that rule.
    static void check_event_name(const std::string& event);

    void set_event(const std::string& event) { m_event = event; }
    std::string get_event() const { return m_event; }
    void set_site(const std::string& site) { m_site = site; }
    std::string get_site() const { return m_site; }
    void set_type(TournamentType type) { m_type = type; }
    TournamentType get_type() const { return m_type; }
    // Sets the time control from its text form; a refused text throws the
    // std::logic_error of Level::set and leaves the time control as it was.
    void set_level(const std::string& text);
    // The time control's text form, e.g. "sessions 40 0:10 0.1".
    std::string get_level() const { return m_level.to_string(); }
    // The opening suite's path (".pgn" or ".epd"), "" for none; setting it
    // does not read the suite.
    void set_openingbook(const std::string& path) { m_openingbook = path; }
    std::string get_openingbook() const { return m_openingbook; }
    void set_iterations(std::int32_t iterations) { m_iterations = iterations; }
    std::int32_t get_iterations() const { return m_iterations; }

    void set_parallelgames(std::int32_t games) { m_parallelgames = games; }
    std::int32_t get_parallelgames() const { return m_parallelgames; }
    void set_bothcolors(bool on) { m_bothcolors = on; }
    bool get_bothcolors() const { return m_bothcolors; }
    void set_randomorder(bool on) { m_randomorder = on; }
    bool get_randomorder() const { return m_randomorder; }
    void set_ignoretimeloss(bool on) { m_ignoretimeloss = on; }
    bool get_ignoretimeloss() const { return m_ignoretimeloss; }

    // Appends a copy numbered by its 1-based position in the list.
    void add_participant(const TournamentParticipant& participant);
    std::vector<std::string> get_participant_names() const;
    std::vector<TournamentParticipant> get_participants() const { return m_participants; }
    // Appends a copy as it is; the game count stays.
    void add_game(const TournamentGame& game);
    // A copy of the game list.
    std::vector<TournamentGame> get_games() const;
    // The number of the last game of the schedule or of the loaded file.
    std::int32_t get_nbr_games() const { return m_nbr_games; }
    // The openings counted in the suite by the last load or schedule.
    std::uint32_t get_nbr_openings() const { return m_nbr_openings; }
    // True after a schedule of a known type was made; nothing depends on it.
    bool is_valid() const { return m_valid; }
    // The path of the file that the last load opened.
    std::string get_path() const { return m_path; }

    // The first unplayed game gets the result; nothing changes when every
    // game has one.
    void set_result(const std::string& result);
    // True when no game is unplayed (also for an empty list).
    bool is_finished() const;
    // A copy of the first unplayed game; a default game (number 0, no
    // players) when there is none.
    TournamentGame next_game() const;
    // The length in bytes of "<event>.pgn" in the working directory when the
    // results held now were last saved, or as the loaded file recorded it;
    // none after loading a file without it (saved before lengths were kept).
    std::optional<std::uintmax_t> get_pgn_size() const;
    // Every game becomes unplayed.
    void reset_results();
    // Removes all participants and games; the settings stay.
    void clear();
    // Back to an empty definition: no participants or games, game count 0, a
    // match, both colours off, no suite, event "?". Iterations, parallel
    // games, random order, ignore time loss, site and time control stay.
    void reset();

    // Makes the schedule of the tournament's type from its participants,
    // iterations, both colours, random order and suite (counted first when
    // openings are drawn at random); every game unplayed. Throws
    // std::logic_error with fewer than two participants, leaving no games.
    // An unknown type leaves no games and the tournament not valid.
    void new_games();
    // Participants 1 and 2 play once per iteration (at least 1; counts above
    // 1000000 give 2).
    void new_match(std::int32_t count);
    // Participant 1 plays each of the others once per iteration (bounded as
    // the match).
    void new_gauntlet(std::int32_t count);
    // Everyone plays everyone once per cycle, paired by the circle method;
    // none for a count of 0 or less.
    void new_roundrobin(std::int32_t count);

    // Writes the tournament to "<event>.trn" in the tournaments directory: a
    // temporary file in that directory, every write checked and synced, then
    // renamed over the old file, so the old file stays whole on any failure.
    // The file records, as get_pgn_size does from then on (also when the
    // write fails), the length of "<event>.pgn" in the working directory
    // taken before the write (0 when there is no such file). Throws
    // std::logic_error (before anything is written) for an event name that
    // breaks the rule or a value holding a line end, and a
    // TournamentSaveError (a std::runtime_error) "Tournament::save()  open
    // tournament failed" or "Tournament::save()  write tournament failed",
    // with the file and the system's reason, when the file can't be written.
    // Removes the temporary files that saves killed in the middle left in
    // the tournaments directory (remove_left_over_temporaries).
    void save();
    // The file that save writes: "<event>.trn" in the tournaments directory.
    std::string save_path() const;
    // Reads "<name>.trn" from the tournaments directory (LF or CR LF lines,
    // current or older game lines), replacing participants, games, the PGN
    // length (none when the file has no "pgnsize" line) and the settings the
    // file names; other settings stay. Throws std::logic_error:
    // "<path> doesn't exist!" when the file can't be opened; a
    // TournamentLoadError for a malformed number or game line, for a file
    // cut short (a game line, or the start of a keyword, that ends the file
    // without a line end; one participant; fewer games than its type,
    // participants and iterations call for); the error of Level::set for a
    // refused time control; one naming the event for an event line that
    // breaks the event name rule; std::out_of_range for a game that names a
    // participant not in the list. What was read before the fault stays.
    // Removes left-over temporary files first, as save does.
    void load(const std::string& name);

private:
    static std::uint32_t count_openings(const std::string& path);
    std::int32_t bounded_count(std::int32_t count) const;
    // The number of games new_games makes of the participants, type and
    // iterations; 0 with fewer than two participants.
    std::int64_t scheduled_game_count() const;
    std::int32_t opening_number(std::int32_t index, std::int32_t& drawn);
    std::string file_path(const std::string& name) const;
    std::string file_text() const;
    void read_text(const std::string& text);
    // ended: whether a line end follows the line in the file.
    void read_line(const std::string& line, bool ended);
    void read_game_line(const std::string& rest);
    // Throws a TournamentLoadError when the participants and games read are
    // fewer than the file's definition calls for.
    void check_games_complete() const;

    std::random_device m_random_source;
    std::mt19937 m_random_engine;
    HomeDir m_home;
    std::uint32_t m_nbr_openings = 0;
    std::vector<TournamentParticipant> m_participants;
    std::vector<TournamentGame> m_games;
    std::int32_t m_iterations = 0;
    std::int32_t m_parallelgames = 1;
    std::int32_t m_nbr_games = 0;
    TournamentType m_type = TournamentType::match;
    bool m_bothcolors = false;
    bool m_randomorder = true;
    bool m_ignoretimeloss = false;
    bool m_valid = false;
    std::string m_path;
    std::string m_openingbook;
    std::string m_event = "Torvane Battles";
    std::string m_site = "?";
    std::string m_version;
    std::optional<std::uintmax_t> m_pgn_size;
    Level m_level;
    mutable std::mutex m_games_mutex;
};
