// The install dialog answered from test code in a temporary working
// directory, whose engines.cfg is read back by InstalledEngines.
#include "dialog_test_support.h"
#include "engines/installed_engines.h"
#include "gui/install_dialog.h"
#include "tests/engines/temp_working_dir.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>
#include <gtkmm/grid.h>
#include <gtkmm/messagedialog.h>

#include <filesystem>
#include <memory>

namespace {

using dialog_test::DialogScript;
using dialog_test::widgets_of;
using torvane_test::TempWorkingDir;

Gtk::Entry& entry_for(Gtk::Dialog& dialog, const std::string& label)
{
    return dialog_test::beside<Gtk::Entry>(dialog, label);
}

void press(Gtk::Dialog& dialog, const std::string& label)
{
    dialog_test::labelled<Gtk::Button>(dialog, label).clicked();
}

// Types the three texts and presses a button.
std::function<void(InstallDialog&)> fill(std::string name, std::string elo, std::string handicap,
                                         std::string button = "OK")
{
    return [=](InstallDialog& dialog) {
        entry_for(dialog, "name: ").set_text(name);
        entry_for(dialog, "Elo: ").set_text(elo);
        entry_for(dialog, "handicap (%): ").set_text(handicap);
        press(dialog, button);
    };
}

InstalledEngines read_back()
{
    InstalledEngines installed;
    installed.read_engines_cfg();
    return installed;
}

class InstallDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        widget_test::start_gtk();
        m_parent = std::make_unique<Gtk::Window>();
        m_stockfish = dialog_test::engine_record("stockfish", 1);
        m_directory = std::make_unique<TempWorkingDir>();
    }
    void TearDown() override { m_directory.reset(); }

    std::unique_ptr<Gtk::Window> m_parent;
    EngineVariables m_stockfish;
    std::unique_ptr<TempWorkingDir> m_directory;
};

TEST_F(InstallDialogTest, InstallsTheEngineAsTypedWithItsOptions)
{
    Option hash = m_stockfish.get_options().at("Hash");
    hash.set_value("64");
    m_stockfish.set_option(hash);
    m_stockfish.set_handicap("25");
    DialogScript script;
    script.then<InstallDialog>([](InstallDialog& dialog) {
        EXPECT_EQ(entry_for(dialog, "name: ").get_text(), "Stockfish 15.1");
        EXPECT_EQ(entry_for(dialog, "Elo: ").get_text(), "");
        EXPECT_EQ(entry_for(dialog, "handicap (%): ").get_text(), "25");
        widget_test::save_shot(dialog, "install_stockfish");
        fill("  Fish  ", "3000", "10")(dialog);
    });
    InstallDialog dialog("Install engine", *m_parent, m_stockfish);
    EXPECT_TRUE(dialog.installed());
    EXPECT_EQ(m_stockfish.get_name(), "Fish");

    const InstalledEngines installed = read_back();
    ASSERT_EQ(installed.engines().size(), 1u);
    const EngineVariables& fish = installed.engines().at("Fish");
    EXPECT_EQ(fish.get_filename(), "/usr/games/stockfish");
    EXPECT_EQ(fish.get_protocol(), 1);
    EXPECT_EQ(fish.get_elo(), "3000");
    EXPECT_EQ(fish.get_handicap(), "10");
    EXPECT_EQ(fish.get_options().at("Hash").get_value(), "64");
    EXPECT_EQ(fish.get_options().size(), m_stockfish.get_options().size());

    // The option summary: checks from row 3, spins from the next row.
    Gtk::Grid& grid = *widgets_of<Gtk::Grid>(dialog).at(0);
    EXPECT_EQ(dynamic_cast<Gtk::Label*>(grid.get_child_at(0, 3))->get_text(), "Ponder:  no");
    EXPECT_EQ(dynamic_cast<Gtk::Label*>(grid.get_child_at(0, 5))->get_text(), "Hash:  64");
}

TEST_F(InstallDialogTest, AnEmptyNameIsRefusedAndCancelChangesNothing)
{
    DialogScript script;
    script.then<InstallDialog>(fill(" ", "", ""))
        .then<Gtk::MessageDialog>([](Gtk::MessageDialog& message) {
            widget_test::save_shot(message, "install_no_name");
            EXPECT_EQ(message.property_text().get_value(), "The engine has no name");
            message.response(Gtk::RESPONSE_OK);
        })
        .then<InstallDialog>([](InstallDialog& dialog) { press(dialog, "CANCEL"); });
    InstallDialog dialog("Install engine", *m_parent, m_stockfish);
    EXPECT_EQ(script.steps_left(), 0u);
    EXPECT_FALSE(dialog.installed());
    EXPECT_FALSE(std::filesystem::exists("engines.cfg"));
    EXPECT_EQ(m_stockfish.get_name(), "Stockfish 15.1");
}

TEST_F(InstallDialogTest, AHandicapWithADecimalCommaIsStoredWithAPointAndHalfANumberIsRefused)
{
    DialogScript script;
    script.then<InstallDialog>(fill("Fish", "", "12.5.1"))
        .then<Gtk::MessageDialog>([](Gtk::MessageDialog& message) {
            EXPECT_EQ(message.property_text().get_value(), "The handicap is not a number");
            message.response(Gtk::RESPONSE_OK);
        })
        .then<InstallDialog>(fill("Fish", "", " 12,5"));
    InstallDialog dialog("Install engine", *m_parent, m_stockfish);
    EXPECT_EQ(script.steps_left(), 0u);
    EXPECT_EQ(read_back().engines().at("Fish").get_handicap(), "12.5");
}

TEST_F(InstallDialogTest, AnInstalledNameIsReplacedOnlyWhenTheUserSaysSo)
{
    InstalledEngines before;
    for (const char* name : {"Fish", "Other"}) {
        EngineVariables record;
        record.set_name(name);
        record.set_filename(std::string("/old/") + name);
        record.set_elo("2000");
        before.add(record);
    }
    before.write_engines_cfg();
    const std::string old_file = TempWorkingDir::read_file("engines.cfg");
    m_stockfish.set_name("Fish");

    DialogScript script;
    script
        .then<InstallDialog>([](InstallDialog& dialog) {
            EXPECT_EQ(entry_for(dialog, "Elo: ").get_text(), "2000");
            press(dialog, "OK");
        })
        .then<Gtk::MessageDialog>([](Gtk::MessageDialog& question) {
            widget_test::save_shot(question, "install_replace");
            press(question, "CANCEL");
        })
        .then<InstallDialog>([&old_file](InstallDialog& dialog) {
            EXPECT_EQ(TempWorkingDir::read_file("engines.cfg"), old_file);
            entry_for(dialog, "Elo: ").set_text("2100");
            press(dialog, "OK");
        })
        .then<Gtk::MessageDialog>([](Gtk::MessageDialog& question) { press(question, "REPLACE"); });
    InstallDialog dialog("Install engine", *m_parent, m_stockfish);
    EXPECT_TRUE(dialog.installed());
    const InstalledEngines installed = read_back();
    EXPECT_EQ(installed.engines().at("Fish").get_filename(), "/usr/games/stockfish");
    EXPECT_EQ(installed.engines().at("Fish").get_elo(), "2100");
    EXPECT_EQ(installed.engines().at("Other").get_filename(), "/old/Other");
    EXPECT_EQ(TempWorkingDir::read_file("engines.cfg~"), old_file);
}

TEST_F(InstallDialogTest, AFileThatCannotBeWrittenIsReported)
{
    std::filesystem::create_directory("engines.cfg");
    DialogScript script;
    script.then<InstallDialog>(fill("Fish", "", ""))
        .then<Gtk::MessageDialog>([](Gtk::MessageDialog& message) {
            EXPECT_EQ(message.property_text().get_value(), "The engine could not be installed");
            EXPECT_NE(message.property_secondary_text().get_value().find("open file error"), std::string::npos);
            message.response(Gtk::RESPONSE_OK);
        })
        .then<InstallDialog>([](InstallDialog& dialog) { dialog.response(Gtk::RESPONSE_DELETE_EVENT); });
    InstallDialog dialog("Install engine", *m_parent, m_stockfish);
    EXPECT_EQ(script.steps_left(), 0u);
    EXPECT_FALSE(dialog.installed());
    EXPECT_EQ(m_stockfish.get_name(), "Stockfish 15.1");
}

TEST_F(InstallDialogTest, AnEngineWithoutOptionsShowsTheThreeRows)
{
    EngineVariables bare;
    bare.set_name("Bare");
    DialogScript script;
    script.then<InstallDialog>([](InstallDialog& dialog) {
        widget_test::save_shot(dialog, "install_bare");
        press(dialog, "CANCEL");
    });
    InstallDialog dialog("Install engine", *m_parent, bare);
    EXPECT_EQ(widgets_of<Gtk::Label>(*widgets_of<Gtk::Grid>(dialog).at(0)).size(), 3u);
    EXPECT_FALSE(std::filesystem::exists("engines.cfg"));
}

TEST_F(InstallDialogTest, BytesThatAreNotUtf8ShowAsQuestionMarks)
{
    EngineVariables odd;
    odd.set_name("Odd\xff");
    odd.set_handicap("1\xf0");
    odd.set_option(Option("option name Size\xfe type spin default 3 min 1 max 9"));
    DialogScript script;
    script.then<InstallDialog>([](InstallDialog& dialog) {
        EXPECT_EQ(entry_for(dialog, "name: ").get_text(), "Odd?");
        EXPECT_EQ(entry_for(dialog, "handicap (%): ").get_text(), "1?");
        EXPECT_NO_THROW(dialog_test::labelled<Gtk::Label>(dialog, "Size?:  3"));
        press(dialog, "CANCEL");
    });
    InstallDialog dialog("Install engine", *m_parent, odd);
}

}
