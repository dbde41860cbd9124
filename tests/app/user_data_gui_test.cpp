// What a user keeps must survive the window: a promotion without the piece
// images, comments that are not UTF-8, and files replaced or deleted only
// after the user has said yes.
#include "window_test_fixture.h"

#include "gui/choice_pictures.h"
#include "gui/promo_choice_event.h"
#include "tests/gui/widget_test_support.h"

#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/treeview.h>
#include <glibmm/main.h>
#include <pangomm/layout.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace window_test {
namespace {

void write_file(const std::string& name, const std::string& text)
{
    std::ofstream(name) << text;
}

// The pixels of a box of an image that something was drawn on, cut down to
// the smallest box that holds them all, one text row per pixel row.
std::vector<std::string> ink(const Cairo::RefPtr<Cairo::ImageSurface>& image, int x, int y, int width, int height)
{
    image->flush();
    const auto drawn = [&](int column, int row) {
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, image->get_data() + (y + row) * image->get_stride() + (x + column) * 4, sizeof pixel);
        return pixel >> 24 > 127;  // alpha
    };
    int top = height, bottom = -1, left = width, right = -1;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (drawn(column, row)) {
                top = std::min(top, row);
                bottom = std::max(bottom, row);
                left = std::min(left, column);
                right = std::max(right, column);
            }
    std::vector<std::string> rows;
    for (int row = top; row <= bottom; ++row) {
        rows.emplace_back();
        for (int column = left; column <= right; ++column)
            rows.back() += drawn(column, row) ? '#' : '.';
    }
    return rows;
}

// The piece names that the chooser's four cells show, read by matching each
// cell (inside its frame) with every piece name as the chooser's own font
// writes it; "?" for a cell that shows none of them.
std::vector<std::string> shown_piece_names(ChoicePictures& pictures)
{
    const int width = pictures.get_allocated_width();
    const int height = pictures.get_allocated_height();
    const auto drawing = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, width, height);
    gtk_widget_draw(GTK_WIDGET(pictures.gobj()), Cairo::Context::create(drawing)->cobj());
    std::vector<std::string> names;
    for (int cell = 0; cell < 4; ++cell) {
        const int frame = 4;
        const auto shown = ink(drawing, cell % 2 * width / 2 + frame, cell / 2 * height / 2 + frame,
                               width / 2 - 2 * frame, height / 2 - 2 * frame);
        names.push_back("?");
        for (const char* name : {"King", "Queen", "Rook", "Bishop", "Knight", "Pawn"}) {
            const Glib::RefPtr<Pango::Layout> layout = pictures.create_pango_layout(name);
            int text_width = 0;
            int text_height = 0;
            layout->get_pixel_size(text_width, text_height);
            const auto written = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, text_width, text_height);
            layout->show_in_cairo_context(Cairo::Context::create(written));
            if (!shown.empty() && ink(written, 0, 0, text_width, text_height) == shown)
                names.back() = name;
        }
    }
    return names;
}

class UserDataTest : public LoggedWindowTest {
protected:
    void SetUp() override
    {
        LoggedWindowTest::SetUp();
        widget_test::run_for(400);  // the board takes no input in its first half second
    }
    void TearDown() override
    {
        for (sigc::connection& question : m_questions)
            question.disconnect();
        LoggedWindowTest::TearDown();
    }

    // Answers the next question box (the toolkit's own or the window's) with
    // the response, keeping its primary text and a screenshot.
    void answer_question(std::string& asked, int response, const std::string& screenshot,
                         const std::function<void()>& then)
    {
        m_questions.push_back(Glib::signal_timeout().connect(
            [&asked, response, screenshot, then]() {
                for (Gtk::Window* shown : Gtk::Window::list_toplevels()) {
                    auto* box = dynamic_cast<Gtk::MessageDialog*>(shown);
                    if (box && box->get_mapped() && box->property_message_type() == Gtk::MESSAGE_QUESTION) {
                        widget_test::run_for(300);
                        asked = box->property_text().get_value();
                        save_screenshot(*box, screenshot);
                        box->response(response);
                        then();
                        return false;
                    }
                }
                return true;
            },
            20));
    }

    // Answers the promotion chooser by clicking one of its four cells, after
    // reading the names its cells show into names.
    void click_promotion_cell(int column, int row, const std::string& screenshot, std::vector<std::string>& names)
    {
        answer_dialog("", [=, &names](Gtk::Dialog& dialog) {
            save_screenshot(dialog, screenshot);
            names = shown_piece_names(*widget_test::find_all<ChoicePictures>(dialog).at(0));
            PromoChoiceEvent& grid = *widget_test::find_all<PromoChoiceEvent>(dialog).at(0);
            const int width = grid.get_allocated_width() / 2;
            const int height = grid.get_allocated_height() / 2;
            widget_test::move_pointer(grid, column * width + width / 2, row * height + height / 2);
            widget_test::send_press(grid);
        });
    }

private:
    std::vector<sigc::connection> m_questions;
};

// A working directory without "torvane.files": no piece images load.
class NoImagesTest : public UserDataTest {
protected:
    bool sees_images() const override { return false; }
};

TEST_F(NoImagesTest, PromotionOffersTheFourPiecesAndMakesTheMove)
{
    const struct {
        const char* fen;
        int from;
        int to;
        int column;
        int row;
        const char* after;
        const char* sent;
    } promotions[] = {
        {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", 52, 60, 0, 0, "k3Q3/8/8/8/8/8/8/4K3 b - - 0 1", "usermove e7e8q"},
        {"k7/8/8/8/8/8/4p3/K7 b - - 0 1", 12, 4, 1, 1, "k7/8/8/8/8/8/8/K3n3 w - - 0 2", "usermove e2e1n"},
    };
    for (const auto& c : promotions) {
        probe->set_position_from_line(c.fen);
        std::vector<std::string> names;
        click_promotion_cell(c.column, c.row, std::string("promotion_without_images_") + c.sent[13], names);
        drag(c.from, c.to);
        EXPECT_EQ(names, (std::vector<std::string>{"Queen", "Rook", "Bishop", "Knight"})) << c.sent;
        EXPECT_EQ(probe->fen(), c.after);
        EXPECT_TRUE(sent(c.sent)) << c.sent;
    }
}

// A comment the user did not edit keeps its bytes through whatever writes
// the comment editor's text back into the record. (The PGN reader cleans
// what it reads; such a comment comes from elsewhere, an engine for one.)
TEST_F(UserDataTest, ACommentThatIsNotUtf8KeepsItsBytes)
{
    const std::string latin1 = "caf\xe9 cr\xe8me";
    write_file("latin1.pgn", "[Event \"Old\"]\n[Result \"*\"]\n\n1. e4 e5 *\n\n");
    const struct {
        const char* name;
        std::function<void()> act;
        const char* file;
    } writers[] = {
        {"navigation",
         [this] {
             probe->navigation_button(1).clicked();
             probe->navigation_button(2).clicked();
         },
         nullptr},
        {"board move", [this] { drag(6, 21); }, nullptr},
        {"emt", [this] { apply({"emt 700"}); }, nullptr},
        {"game end", [this] { apply({"1-0 {White wins}"}); }, "Torvane battles.pgn"},
        {"save game",
         [this] {
             answer_file_chooser(directory + "/saved.pgn");
             activate("SaveGame");
         },
         "saved.pgn"},
    };
    for (const auto& writer : writers) {
        answer_file_chooser(directory + "/latin1.pgn");
        answer_list("Choose Game", 1);
        activate("LoadGame");
        probe->game().set_comment(latin1);
        probe->comment_editor().set_comment(latin1);
        writer.act();
        EXPECT_TRUE(contains(probe->pgn(), "e5 {" + latin1)) << writer.name << "\n" << probe->pgn();
        if (writer.file) {
            EXPECT_TRUE(contains(read_file(writer.file), latin1)) << writer.name << "\n" << read_file(writer.file);
        }
    }
}

// Replacing or deleting a user's file asks first, naming it; No keeps it.
TEST_F(UserDataTest, FilesAreReplacedOrDeletedOnlyAfterTheUserSaysYes)
{
    const auto save_over_suite = [this] { answer_file_chooser(directory + "/suite.epd"); };
    // Declining the toolkit's question leaves its file chooser open.
    const auto cancel_chooser = [this] { answer_file_chooser(""); };
    const auto delete_first_tournament = [this] {
        answer_dialog("Load Tournament", [](Gtk::Dialog& dialog) { dialog.response(0); });
    };
    const auto uninstall_first_engine = [this] {
        answer_dialog("Choose Engine", [](Gtk::Dialog& dialog) {
            widget_test::find_all<Gtk::TreeView>(dialog).at(0)->get_selection()->select(Gtk::TreePath("0"));
            dialog.response(0);
        });
    };
    const std::function<void()> nothing = [] {};
    const struct {
        const char* name;
        const char* action;
        std::function<void()> answer_action;
        int answer;
        std::function<void()> after_answer;
        const char* file;
        const char* text;
        bool kept;
        const char* asked_about;
    } questions[] = {
        {"replace_position_file", "SavePosition", save_over_suite, Gtk::RESPONSE_CANCEL, cancel_chooser,
         "suite.epd", "id \"two\"", true, "suite.epd"},
        {"replace_position_file_yes", "SavePosition", save_over_suite, Gtk::RESPONSE_ACCEPT, nothing, "suite.epd",
         "id \"two\"", false, "suite.epd"},
        {"delete_tournament", "Load", delete_first_tournament, Gtk::RESPONSE_NO, nothing,
         "tournaments/Spring Cup.trn", "iterations", true, "Spring Cup"},
        {"delete_tournament_yes", "Load", delete_first_tournament, Gtk::RESPONSE_YES, nothing,
         "tournaments/Spring Cup.trn", "iterations", false, "Spring Cup"},
        {"uninstall_engine", "LoadInstalled", uninstall_first_engine, Gtk::RESPONSE_NO, nothing, "engines.cfg",
         "Alpha", true, "Alpha"},
        {"uninstall_engine_yes", "LoadInstalled", uninstall_first_engine, Gtk::RESPONSE_YES, nothing,
         "engines.cfg", "Alpha", false, "Alpha"},
    };
    std::filesystem::create_directories("tournaments");
    for (const auto& c : questions) {
        write_file("suite.epd", "4k3/8/8/8/8/8/8/3QK3 w - - id \"one\";\n4k3/8/8/8/8/8/8/3RK3 w - - id \"two\";\n");
        write_file("tournaments/Spring Cup.trn", "iterations 1\n");
        write_file("engines.cfg", "name Alpha\nfilename /bin/true\nprotocol uci\n");
        std::string asked;
        answer_question(asked, c.answer, std::string("question_") + c.name, c.after_answer);
        c.answer_action();
        activate(c.action);
        EXPECT_TRUE(contains(asked, c.asked_about)) << c.name << ": " << asked;
        EXPECT_EQ(contains(read_file(c.file), c.text), c.kept) << c.name;
    }
}

}
}

