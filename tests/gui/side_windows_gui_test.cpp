// The side windows on an X display: the engine-output panes, the comment and
// EPD windows, the FEN row, and the PGN window answering real pointer presses
// on a game with accented names and comments.

#include "game/chess_game.h"
#include "gui/analysis_window.h"
#include "gui/comment_editor.h"
#include "gui/epd_commands_window.h"
#include "gui/fen_entry.h"
#include "gui/pgn_text_offsets.h"
#include "gui/pgn_view.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/frame.h>

#include <string>
#include <vector>

namespace {

class SideWindowsTest : public testing::Test {
protected:
    void SetUp() override { widget_test::start_gtk(); }
};

std::string text_of(Gtk::TextView& view)
{
    return view.get_buffer()->get_text(true);
}

TEST_F(SideWindowsTest, EngineOutputPanesTakeMessagesAndFollowTheEnd)
{
    AnalysisWindow window;
    EXPECT_EQ(window.get_title(), "Engines: output");
    const std::vector<Gtk::Frame*> frames = widget_test::find_all<Gtk::Frame>(window);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->get_label(), "Black");
    EXPECT_EQ(frames[1]->get_label(), "White");
    Gtk::TextView& black = *widget_test::find_all<Gtk::TextView>(*frames[0]).at(0);
    Gtk::TextView& white = *widget_test::find_all<Gtk::TextView>(*frames[1]).at(0);
    // A hidden window takes text too and opens on the newest.
    std::string expected;
    for (int depth = 1; depth <= 40; ++depth) {
        const std::string line = "info depth " + std::to_string(depth) + " score cp " + std::to_string(10 + depth)
                                 + " nodes 12345 pv e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7\n";
        window.append_white(line);
        expected += line;
    }
    widget_test::show_and_wait(window);
    window.append_black("bestmove e7e5 ponder g1f3 \xE2\x80\x93 Caf\xC3\xA9\n");
    widget_test::run_for(300);
    widget_test::save_shot(window, "analysis_window");
    EXPECT_EQ(text_of(white), expected + "\n\n");
    EXPECT_EQ(text_of(black), "bestmove e7e5 ponder g1f3 \xE2\x80\x93 Caf\xC3\xA9\n\n\n");
    const Glib::RefPtr<Gtk::Adjustment> scroll = white.get_vadjustment();
    EXPECT_GT(scroll->get_upper(), scroll->get_page_size());
    EXPECT_NEAR(scroll->get_value() + scroll->get_page_size(), scroll->get_upper(), 1.0);

    window.set_black("replaced");
    EXPECT_EQ(text_of(black), "replaced");
    window.clear();
    EXPECT_EQ(text_of(black) + text_of(white), "");
}

// A long analysis: each pane keeps its newest 1000 lines.
TEST_F(SideWindowsTest, EngineOutputPanesKeepTheirLastThousandLines)
{
    AnalysisWindow window;
    const std::vector<Gtk::Frame*> frames = widget_test::find_all<Gtk::Frame>(window);
    Gtk::TextView& black = *widget_test::find_all<Gtk::TextView>(*frames.at(0)).at(0);
    Gtk::TextView& white = *widget_test::find_all<Gtk::TextView>(*frames.at(1)).at(0);
    std::string newest;
    std::string replacement;
    for (int nodes = 1; nodes <= 1500; ++nodes) {
        const std::string line = "info nodes " + std::to_string(nodes) + "\n";
        window.append_white(line);
        newest += nodes > 500 ? line : "";
        replacement += line;
    }
    widget_test::show_and_wait(window);
    widget_test::save_shot(window, "analysis_window_long");
    EXPECT_EQ(text_of(white), newest + "\n\n");
    window.set_black(replacement);
    EXPECT_EQ(text_of(black), newest);
}

TEST_F(SideWindowsTest, CommentAndEpdWindowsHoldTheirText)
{
    CommentEditor comment;
    EXPECT_EQ(comment.get_title(), "Comment");
    comment.set_comment("Tr\xC3\xA8s bon coup, qui menace d\xC3\xA9j\xC3\xA0 le roi noir et gagne la partie.");
    widget_test::show_and_wait(comment);
    widget_test::save_shot(comment, "comment_editor");
    EXPECT_EQ(comment.get_comment(), "Tr\xC3\xA8s bon coup, qui menace d\xC3\xA9j\xC3\xA0 le roi noir et gagne la partie.");
    EXPECT_TRUE(widget_test::find_all<Gtk::TextView>(comment).at(0)->get_editable());
    // A byte that is not UTF-8 shows as "?"; read back untouched, it is itself.
    comment.set_comment("bad \xFF byte");
    EXPECT_EQ(text_of(*widget_test::find_all<Gtk::TextView>(comment).at(0)), "bad ? byte");
    EXPECT_EQ(comment.get_comment(), "bad \xFF byte");

    EpdCommandsWindow epd;
    EXPECT_EQ(epd.get_title(), "EPD");
    epd.show_epd("r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - bm Qxf7#; id \"Scholar\";");
    widget_test::show_and_wait(epd);
    widget_test::save_shot(epd, "epd_window");
    EXPECT_EQ(text_of(*widget_test::find_all<Gtk::TextView>(epd).at(0)),
              "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq -\nbm Qxf7#\n id \"Scholar\"\n");
    epd.clear();
    EXPECT_EQ(text_of(*widget_test::find_all<Gtk::TextView>(epd).at(0)), "");
}

TEST_F(SideWindowsTest, OnlyTheOkButtonOfTheFenRowEmits)
{
    // As wide as the main window's row over a board of the default size.
    Gtk::Window window;
    window.set_default_size(600, -1);
    FenEntry row;
    window.add(row);
    int oks = 0;
    row.signal_ok.connect([&oks] { ++oks; });
    const std::string fen = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1";
    row.set_text(fen);
    widget_test::show_and_wait(window);
    widget_test::save_shot(window, "fen_entry");
    EXPECT_EQ(row.get_text(), fen);
    widget_test::find_all<Gtk::Entry>(row).at(0)->activate();
    EXPECT_EQ(oks, 0);
    widget_test::find_all<Gtk::Button>(row).at(0)->clicked();
    EXPECT_EQ(oks, 1);
}

// The PGN window showing a game with accented tags and comments.
class ShownGame {
public:
    ShownGame()
        : m_game("[Event \"F\xC3\xAAte\"]\n[Site \"Z\xC3\xBCrich\"]\n[Date \"1925.05.06\"]\n[Round \"1\"]\n"
                 "[White \"R\xC3\xA9ti, Richard\"]\n[Black \"Nimzowitsch, Aaron\"]\n[Result \"*\"]\n\n"
                 "1.e4 {tr\xC3\xA8s bon \xE2\x80\x93 d\xC3\xA9j\xC3\xA0 vu} e5 2.Nf3 (2.Nc3 {\xC3\xA9l\xC3\xA9gant} Nf6) "
                 "Nc6 3.Bb5 {l'\xC3\xA9vidence} a6 *\n\n")
    {
        m_view.signal_move_selected.connect([this](int offset) { m_offsets.push_back(offset); });
        m_view.show_game(m_game);
        widget_test::show_and_wait(m_view);
        m_text = m_game.pgn();
    }

    // The view's pixel over the character at a byte offset of the text, at
    // the given part of its width.
    std::pair<int, int> where(std::size_t byte, double across = 0.5)
    {
        Gtk::TextView& view = this->view();
        const Gtk::TextIter at = view.get_buffer()->get_iter_at_offset(static_cast<int>(character_offset(m_text, byte)));
        Gdk::Rectangle box;
        view.get_iter_location(at, box);
        int x = 0;
        int y = 0;
        view.buffer_to_window_coords(Gtk::TEXT_WINDOW_WIDGET, box.get_x() + static_cast<int>(box.get_width() * across),
                                     box.get_y() + box.get_height() / 2, x, y);
        return {x, y};
    }

    // Presses the mouse on the character at a byte offset; the offset reported.
    int press_on(std::size_t byte, double across)
    {
        const auto [x, y] = where(byte, across);
        widget_test::move_pointer(view(), x, y);
        m_offsets.clear();
        widget_test::send_press(view());
        widget_test::run_for(50);
        return m_offsets.size() == 1 ? m_offsets[0] : -100;
    }

    Gtk::TextView& view() { return *widget_test::find_all<Gtk::TextView>(m_view).at(0); }
    PgnView& window() { return m_view; }
    ChessGame& game() { return m_game; }
    const std::string& text() const { return m_text; }

private:
    ChessGame m_game;
    PgnView m_view;
    std::string m_text;
    std::vector<int> m_offsets;
};

std::string fen_after(const std::vector<const char*>& moves)
{
    ChessGame game;
    for (const char* san : moves)
        game.add_san_move(san);
    return game.position().fen();
}

TEST_F(SideWindowsTest, APressOnAMoveOfAnAccentedGameReportsItsOffset)
{
    ShownGame shown;
    EXPECT_EQ(shown.window().get_title(), "PGN");
    EXPECT_EQ(text_of(shown.view()), shown.text());
    // Presses on a character of a token, across its width: the right edge of
    // a move's last character still picks the move.
    struct Case {
        const char* token;
        std::size_t character;
        double across;
        std::vector<const char*> moves;
    };
    for (const Case& c : {Case{"a6 *", 1, 0.9, {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"}},
                          Case{"Nf6)", 1, 0.5, {"e4", "e5", "Nc3", "Nf6"}},
                          Case{"vidence", 0, 0.1, {"e4", "e5", "Nf3", "Nc6", "Bb5"}},
                          Case{"e5 2.", 1, 0.9, {"e4", "e5"}}, Case{"e5 2.", 2, 0.5, {"e4", "e5", "Nf3"}}}) {
        const int offset = shown.press_on(shown.text().find(c.token) + c.character, c.across);
        ASSERT_GE(offset, 0) << c.token;
        EXPECT_EQ(shown.game().goto_text_offset(static_cast<std::uint64_t>(offset)), fen_after(c.moves)) << c.token;
    }
    shown.window().set_text("");
    EXPECT_EQ(shown.press_on(0, 0.5), -1);
}

TEST_F(SideWindowsTest, TheCurrentMoveIsMarkedBlueByItsByteRange)
{
    ShownGame shown;
    ChessGame& game = shown.game();
    game.goto_start();
    for (int move = 0; move < 5; ++move)
        game.forward();
    const auto [from, to] = game.current_move_range();
    shown.window().highlight(from, to);
    widget_test::run_for(200);
    const Glib::RefPtr<Gdk::Pixbuf> shot = widget_test::screenshot(shown.view());
    widget_test::save_png(shot, "pgn_view");
    const auto marked = [&shown] {
        const Glib::RefPtr<Gtk::TextBuffer> buffer = shown.view().get_buffer();
        const Glib::RefPtr<Gtk::TextTag> blue = buffer->get_tag_table()->lookup("blue_move");
        Glib::ustring text;
        for (Gtk::TextIter at = buffer->begin(); at != buffer->end(); ++at)
            if (at.has_tag(blue))
                text += at.get_char();
        return text.raw();
    };
    EXPECT_EQ(marked(), shown.text().substr(from, to - from));
    EXPECT_EQ(marked(), "Bb5 {l'\xC3\xA9vidence}");

    // Blue ink on the screen over the "B" of the move, none over "Nc6".
    const auto blue_ink = [&](std::size_t byte) {
        const auto [x, y] = shown.where(byte);
        int count = 0;
        for (int dx = -4; dx <= 4; ++dx)
            for (int dy = -5; dy <= 5; ++dy) {
                const widget_test::Colour c = widget_test::pixel(shot, x + dx, y + dy);
                count += c.blue > 150 && c.red < 100 && c.green < 100;
            }
        return count;
    };
    EXPECT_GT(blue_ink(from), 0);
    EXPECT_EQ(blue_ink(shown.text().find("Nc6")), 0);

    // from 0 or from past to keep the mark; from == to removes it; a range
    // past the end marks up to the end.
    for (const auto& [a, b] : std::vector<std::pair<std::size_t, std::size_t>>{{0, 9}, {to, from}}) {
        shown.window().highlight(a, b);
        EXPECT_EQ(marked(), shown.text().substr(from, to - from));
    }
    shown.window().highlight(from, from);
    EXPECT_EQ(marked(), "");
    const std::size_t size = shown.text().size();
    shown.window().highlight(size - 4, size + 50);
    EXPECT_EQ(marked(), shown.text().substr(size - 4));

    // The mark of a move far down a long game is scrolled into sight.
    ChessGame long_game;  // ASCII only: its byte and character offsets agree
    for (int move = 0; move < 60; ++move)
        for (const char* san : {"Nc3", "Nf6", "Nb1", "Ng8"})
            long_game.add_san_move(san);
    shown.window().show_game(long_game);
    widget_test::run_for(300);
    Gdk::Rectangle seen;
    Gdk::Rectangle last_move;
    shown.view().get_visible_rect(seen);
    shown.view().get_iter_location(shown.view().get_buffer()->get_iter_at_offset(
                                       static_cast<int>(long_game.current_move_range().first)),
                                   last_move);
    EXPECT_GT(last_move.get_y(), seen.get_height());
    EXPECT_TRUE(seen.intersects(last_move));
    widget_test::save_shot(shown.view(), "pgn_view_long");
}

}
