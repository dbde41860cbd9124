#pragma once

#include "engines/level.h"
#include "engines/timer.h"
#include "gui/clock_times.h"

#include <gdkmm/rgba.h>
#include <gtkmm/box.h>
#include <gtkmm/label.h>

#include <cstdint>
#include <string>

// The two chess clocks of the main window in one row: "White: ", White's time,
// "Black: ", Black's time. The name of the side whose clock runs (or who is to
// move) is green, the other grey. The owner calls update every tick.
class Clocks : public Gtk::Box {
public:
    Clocks();
    ~Clocks() override;

    // Both sides get the time control's session time; both clocks stop.
    void set_time_control(Level level);
    // White's clock runs and Black's stops; Black's move is credited. A
    // clock already running goes on.
    void start_white();
    // Black's clock runs and White's stops; White's move is credited. A
    // clock already running goes on.
    void start_black();
    // The side is to move without a move having been made (a position set
    // up, the move handed to an engine): its clock runs and the other's
    // stops, and nobody is credited. A clock already running goes on.
    void run_white();
    void run_black();
    // Both clocks stop, both names grey.
    void stop();
    // Both sides back to the session time with no moves counted; runs nothing.
    void reset();
    // Only the names' colours change: the named side green, the other grey.
    void highlight_white();
    void highlight_black();
    // A side's remaining time in hundredths of a second; its stopwatch restarts from it.
    void set_white_time(std::int32_t centiseconds);
    void set_black_time(std::int32_t centiseconds);
    // Shows both times as "minutes:seconds", changing a label only when its whole seconds change.
    void update();

private:
    void start(ClockSide side);
    void run(ClockSide side);
    void highlight(ClockSide side);
    void set_time(ClockSide side, std::int32_t centiseconds);
    void show_time(ClockSide side);

    Gtk::Label m_white_name_label;
    Gtk::Label m_black_name_label;
    Gtk::Label m_white_time_label;
    Gtk::Label m_black_time_label;
    Gdk::RGBA m_white_colour;
    Gdk::RGBA m_green;
    Gdk::RGBA m_grey;
    Timer m_white_timer;
    Timer m_black_timer;
    ClockTimes m_times;
    bool m_white_running = false;
    bool m_black_running = false;
};
