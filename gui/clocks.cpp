#include "gui/clocks.h"

#include <pangomm/attrlist.h>

namespace {

// The times are what a player glances at: larger than the names, bold, and
// with digits of one width so that the text does not jitter as it counts down.
Pango::AttrList time_font()
{
    Pango::AttrList attributes;
    Pango::Attribute weight = Pango::Attribute::create_attr_weight(Pango::WEIGHT_BOLD);
    Pango::Attribute scale = Pango::Attribute::create_attr_scale(1.6);
    Pango::Attribute digits = Pango::Attribute::create_attr_font_features("tnum");
    attributes.insert(weight);
    attributes.insert(scale);
    attributes.insert(digits);
    return attributes;
}

Gdk::RGBA colour(double red, double green, double blue)
{
    Gdk::RGBA rgba;
    rgba.set_rgba(red, green, blue, 1.0);
    return rgba;
}

// The labels paint their own light backgrounds, so a dark theme's light text
// would vanish on them. The text keeps the light theme's dark grey instead; an
// override for the normal state outranks the theme in every other state too.
void paint_label(Gtk::Label& label, const Gdk::RGBA& background)
{
    label.override_background_color(background, Gtk::STATE_FLAG_NORMAL);
    label.override_color(colour(0x2e / 255.0, 0x34 / 255.0, 0x36 / 255.0), Gtk::STATE_FLAG_NORMAL);
}

void style_name_label(Gtk::Label& label, const Gdk::RGBA& background)
{
    label.set_xalign(1.0);
    label.set_yalign(0.5);
    label.set_width_chars(7);
    paint_label(label, background);
}

void style_time_label(Gtk::Label& label, const Gdk::RGBA& background)
{
    label.set_xalign(0.5);
    label.set_yalign(0.5);
    label.set_width_chars(7);
    Pango::AttrList font = time_font();
    label.set_attributes(font);
    paint_label(label, background);
}

}

Clocks::Clocks()
    : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 0), m_white_name_label("White: "), m_black_name_label("Black: "),
      m_white_time_label("60:00"), m_black_time_label("60:00"), m_white_colour(colour(1, 1, 1)),
      m_green(colour(0, 1, 0)), m_grey(colour(0.8, 0.8, 0.8))
{
    style_name_label(m_white_name_label, m_grey);
    style_time_label(m_white_time_label, m_white_colour);
    style_name_label(m_black_name_label, m_grey);
    style_time_label(m_black_time_label, m_white_colour);
    pack_start(m_white_name_label, Gtk::PACK_SHRINK, 0);
    pack_start(m_white_time_label, Gtk::PACK_SHRINK, 0);
    pack_start(m_black_name_label, Gtk::PACK_SHRINK, 0);
    pack_start(m_black_time_label, Gtk::PACK_SHRINK, 0);
}

Clocks::~Clocks() = default;

void Clocks::set_time_control(Level level)
{
    m_times.set_time_control(level.get_moves(), level.get_time(), level.get_increment());
    m_white_timer.reset();
    m_black_timer.reset();
    stop();
}

void Clocks::start_white()
{
    start(ClockSide::white);
}

void Clocks::start_black()
{
    start(ClockSide::black);
}

void Clocks::start(ClockSide side)
{
    run(side);
    m_times.credit_move(side == ClockSide::white ? ClockSide::black : ClockSide::white);
}

void Clocks::run_white()
{
    run(ClockSide::white);
}

void Clocks::run_black()
{
    run(ClockSide::black);
}

void Clocks::run(ClockSide side)
{
    const bool white = side == ClockSide::white;
    Timer& runs = white ? m_white_timer : m_black_timer;
    Timer& waits = white ? m_black_timer : m_white_timer;
    // Starting the stopwatch again would drop the time of the current run.
    if (!(white ? m_white_running : m_black_running))
        runs.start();
    waits.stop();
    m_white_running = white;
    m_black_running = !white;
    highlight(side);
}

void Clocks::stop()
{
    m_white_name_label.override_background_color(m_grey, Gtk::STATE_FLAG_NORMAL);
    m_black_name_label.override_background_color(m_grey, Gtk::STATE_FLAG_NORMAL);
    m_white_running = false;
    m_black_running = false;
    m_white_timer.stop();
    m_black_timer.stop();
}

void Clocks::reset()
{
    m_times.reset();
    m_white_timer.reset();
    m_black_timer.reset();
}

void Clocks::highlight_white()
{
    highlight(ClockSide::white);
}

void Clocks::highlight_black()
{
    highlight(ClockSide::black);
}

void Clocks::highlight(ClockSide side)
{
    const bool white = side == ClockSide::white;
    m_white_name_label.override_background_color(white ? m_green : m_grey, Gtk::STATE_FLAG_NORMAL);
    m_black_name_label.override_background_color(white ? m_grey : m_green, Gtk::STATE_FLAG_NORMAL);
}

void Clocks::set_white_time(std::int32_t centiseconds)
{
    set_time(ClockSide::white, centiseconds);
}

void Clocks::set_black_time(std::int32_t centiseconds)
{
    set_time(ClockSide::black, centiseconds);
}

void Clocks::set_time(ClockSide side, std::int32_t centiseconds)
{
    const bool white = side == ClockSide::white;
    Timer& timer = white ? m_white_timer : m_black_timer;
    m_times.set_remaining(side, centiseconds);
    timer.reset();
    if (white ? m_white_running : m_black_running)
        timer.start();
}

void Clocks::update()
{
    show_time(ClockSide::white);
    show_time(ClockSide::black);
}

void Clocks::show_time(ClockSide side)
{
    const bool white = side == ClockSide::white;
    Timer& timer = white ? m_white_timer : m_black_timer;
    const auto elapsed = static_cast<std::int64_t>(timer.elapsed().centiseconds());
    if (const std::optional<std::string> text = m_times.display(side, elapsed))
        (white ? m_white_time_label : m_black_time_label).set_text(*text);
}
