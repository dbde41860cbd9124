// The end of a game and the start of each tournament game.
#include "manager/gui_manager.h"

#include "manager/game_result.h"

#include <algorithm>
#include <exception>

void GuiManager::finish_game(const std::string& result)
{
    m_substate = substate_idle;
    drop_engine_lines();
    const std::string line = result.empty() ? game_result() : result;
    send(line);
    const std::string first_word = line.substr(0, line.find_first_of(" \t"));
    if (m_mode == GuiManagerMode::human_computer) {
        send("round ?");
        send("telluser result: " + first_word);
        return;
    }
    if (m_mode != GuiManagerMode::match) {
        return;
    }
    m_tournament.set_result(first_word);
    try {
        m_tournament.save();
    } catch (const std::exception& error) {
        // A result kept only in memory would be lost: the run stops here.
        abandon_tournament(std::string("telluser ") + error.what());
        return;
    }
    if (m_game_number >= m_tournament.get_nbr_games()) {
        send("telluser tournament_finished");
        send("tournament_finished");
        return;
    }
    log(" manager -> newgame " + std::to_string(m_game_number));
    send("new");
    start_tournament_game();
}

void GuiManager::abandon_tournament(const std::string& message)
{
    empty_slot(1);
    empty_slot(2);
    m_mode = GuiManagerMode::human_human;
    m_substate = substate_idle;
    send(message);
    send("tournament_finished");
}

void GuiManager::drop_engine_lines()
{
    // The window's commands stay: only the engines' lines of the game that
    // ended are stale.
    std::lock_guard lock(m_mutex);
    std::erase_if(m_queue, [](const std::string& line) {
        const std::size_t start = line.find_first_not_of(" \t");
        return start != std::string::npos && (line[start] == '1' || line[start] == '2') &&
               (start + 1 == line.size() || line[start + 1] == ' ' || line[start + 1] == '\t');
    });
}

void GuiManager::start_tournament_game()
{
    m_pending.clear();
    empty_slot(1);
    empty_slot(2);
    const TournamentGame game = m_tournament.next_game();
    m_game_number = game.get_number();
    const std::string white = game.get_white().get_name();
    const std::string black = game.get_black().get_name();
    if (white.empty()) {
        m_mode = GuiManagerMode::human_human;
        send("telluser tournament_finished");
        send("tournament_finished");
        return;
    }
    for (int slot : {1, 2}) {
        const std::string& name = slot == 1 ? white : black;
        load_installed_engine(slot, name);
        if (!engine(slot) || !engine(slot)->engine_running()) {
            m_mode = GuiManagerMode::human_human;
            send("telluser Oops... loading " + name + " failed");
            send("tournament_finished");
            return;
        }
    }
    GuiEngine* engine1 = engine(1);
    GuiEngine* engine2 = engine(2);
    engine1->set_white(true);
    engine2->set_white(false);
    for (GuiEngine* playing : {engine1, engine2}) {
        playing->set_logstream(&m_log);
        playing->set_level(m_level);
    }
    send("whitename " + player_name(*engine1));
    send("blackname " + player_name(*engine2));
    if (const std::string elo = engine1->get_elo(); !elo.empty()) {
        send("WhiteElo " + elo);
    }
    if (const std::string elo = engine2->get_elo(); !elo.empty()) {
        send("BlackElo " + elo);
    }
    send("round " + game.round_str());
    send("event " + m_tournament.get_event());
    send("site " + m_tournament.get_site());
    send("level " + m_tournament.get_level());
    reset_position();
    set_up_opening(game);
    const std::vector<Move> moves = m_position.move_history();
    for (const Move& move : moves) {
        send("move " + move.to_string());
    }
    if (moves.empty()) {
        send("setboard " + m_position.epd());
    }
    if (no_legal_move(m_position, m_generator)) {
        // An opening that is already mate or stalemate is the whole game.
        finish_game("");
        return;
    }
    const std::uint32_t move_number = m_position.move_number();
    if (m_position.board().side_to_move() == 1) {
        engine1->set_moves_made(move_number - 1);
        engine2->set_moves_made(move_number - 1);
        engine1->set_position(m_position);
        engine1->go();
        m_substate = engine1_to_move;
    } else {
        engine1->set_moves_made(move_number);
        engine2->set_moves_made(move_number - 1);
        engine2->set_position(m_position);
        engine2->go();
        m_substate = engine2_to_move;
    }
}

void GuiManager::set_up_opening(const TournamentGame& game)
{
    GuiBook& suite = *m_openings;
    const int count = suite.count();
    if (count <= 0) {
        return;
    }
    // Numbers past the end of the suite start again from its first opening.
    auto cycled = [count](int n) { return (n - 1) % count + 1; };
    if (game.get_opening() > 0) {
        // The schedule's own opening: with both colours, the two games of a
        // colour-reversed pair share it in every kind of schedule.
        suite.setup(m_position, cycled(game.get_opening()));
        return;
    }
    // Files without opening numbers: the opening follows the game number.
    const int n = std::max(1, m_game_number);
    const bool random = m_tournament.get_randomorder();
    const bool both_colours = m_tournament.get_bothcolors();
    if (random && (!both_colours || n % 2 == 1)) {
        suite.setup_random(m_position);
    } else if (random) {
        suite.setup_again(m_position);
    } else if (!both_colours) {
        suite.setup(m_position, cycled(n));
    } else if (n == 1) {
        suite.setup_first(m_position);
    } else {
        suite.setup(m_position, cycled(n % 2 == 1 ? (n + 1) / 2 : n / 2));
    }
}
