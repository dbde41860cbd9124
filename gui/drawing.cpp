#include "gui/drawing.h"

#include "gui/board_geometry.h"
#include "gui/data_directory.h"

#include <gdkmm/general.h>

#include <iostream>

namespace {

// Painted instead of a texture whose image could not be loaded.
struct FlatColour {
    double red;
    double green;
    double blue;
};

constexpr FlatColour light_fallback{0.91, 0.78, 0.58};
constexpr FlatColour dark_fallback{0.63, 0.41, 0.23};

}

Drawing::Drawing(int size)
{
    const int board_size = checked_board_size(size);
    m_w = m_h = m_loaded_width = m_loaded_height = board_size / 8;
    set_size_request(board_size, board_size);
    load_images(m_w, m_h);
}

Drawing::~Drawing() = default;

void Drawing::load_images(int width, int height)
{
    const std::string prefix = data_prefix();
    m_images.clear();
    try {
        for (const char* file_name : image_file_names)
            m_images.push_back(Gdk::Pixbuf::create_from_file(svg_path(prefix, file_name), width, height, false));
    } catch (const Glib::Error&) {
        std::cerr << "problem" << std::endl << "prefix=" << prefix << std::endl;
    }
}

std::vector<Glib::RefPtr<Gdk::Pixbuf>> Drawing::get_images() const
{
    return m_images;
}

void Drawing::set_position(const BoardLetters& letters)
{
    m_model.set_position(letters);
    queue_draw();
}

void Drawing::set_piece(char letter, int square)
{
    m_model.set_piece(letter, square);
}

void Drawing::clear_square(int square)
{
    m_model.clear_square(square);
}

void Drawing::clear()
{
    m_arrows.clear();
    m_model.clear();
    queue_draw();
}

void Drawing::press(int x, int y)
{
    m_model.press(display_square_at(x, y, m_w, m_h), x, y, m_w, m_h);
}

void Drawing::motion(int x, int y)
{
    if (m_model.motion(x, y, m_w, m_h))
        queue_draw();
}

std::pair<int, int> Drawing::release(int x, int y)
{
    const bool was_dragging = m_model.dragging();
    const std::pair<int, int> move = m_model.release(display_square_at(x, y, m_w, m_h));
    if (was_dragging)
        queue_draw();
    return move;
}

void Drawing::flip()
{
    m_arrows.clear();
    m_flipped = !m_flipped;
}

void Drawing::add_arrow(int from, int to, int colour)
{
    if (from < 0 || from > 63 || to < 0 || to > 63)
        return;
    m_arrows.push_back(make_arrow(oriented_square(from, m_flipped), oriented_square(to, m_flipped),
                                  static_cast<unsigned>(colour), m_w, m_h));
}

void Drawing::clear_arrows()
{
    m_arrows.clear();
}

bool Drawing::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    const int w = get_allocated_width() / 8;
    const int h = get_allocated_height() / 8;
    if (w <= 0 || h <= 0)
        return true;
    m_w = w;
    m_h = h;
    if (m_w != m_loaded_width || m_h != m_loaded_height) {
        m_loaded_width = m_w;
        m_loaded_height = m_h;
        load_images(m_w, m_h);
        // Arrows hold pixel positions: place them again on the resized squares.
        for (Arrow& arrow : m_arrows)
            arrow = make_arrow(arrow.from, arrow.to, arrow.colour, m_w, m_h);
    }

    for (int rank = 7; rank >= 0; --rank) {
        for (int file = 0; file < 8; ++file) {
            const int square = file + 8 * rank;
            const int x = file * m_w;
            const int y = (7 - rank) * m_h;
            paint_square(cr, m_model.empty_code(square), x, y);
            if (is_piece_code(m_model.shown_code(square)))
                paint_square(cr, m_model.shown_code(square), x, y);
        }
    }
    if (m_model.dragging())
        paint_square(cr, m_model.dragged_code(), m_model.drag_x(), m_model.drag_y());
    for (const Arrow& arrow : m_arrows)
        draw_arrow(cr, arrow);
    return true;
}

void Drawing::paint_square(const Cairo::RefPtr<Cairo::Context>& cr, DrawingPieceCode code, int x, int y)
{
    cr->rectangle(x, y, m_w, m_h);
    if (code >= 0 && code < static_cast<int>(m_images.size())) {
        Gdk::Cairo::set_source_pixbuf(cr, m_images[code], x, y);
        cr->fill();
    } else if (code == light_square_code || code == dark_square_code) {
        const FlatColour colour = code == light_square_code ? light_fallback : dark_fallback;
        cr->set_source_rgb(colour.red, colour.green, colour.blue);
        cr->fill();
    } else {
        // A piece whose image is missing: the square stays as painted.
        cr->begin_new_path();
    }
}

void Drawing::draw_arrow(const Cairo::RefPtr<Cairo::Context>& cr, const Arrow& arrow)
{
    cr->save();
    switch (arrow.colour) {
    case arrow_red: cr->set_source_rgba(1, 0, 0, 0.8); break;
    case arrow_green: cr->set_source_rgba(0, 1, 0, 0.8); break;
    default: cr->set_source_rgba(0, 0, 1, 0.8); break;
    }
    const int board_height = 8 * m_h;
    cr->set_line_width(m_w / 8);
    cr->set_line_cap(Cairo::LINE_CAP_ROUND);
    cr->move_to(arrow.x_from, board_height - arrow.y_from);
    cr->line_to(arrow.x_to, board_height - arrow.y_to);
    cr->stroke();

    const std::array<Point, 3> head = arrow_head(arrow, m_w, m_h);
    cr->set_line_width(1.0);
    cr->move_to(head[0].x, head[0].y);
    cr->line_to(head[1].x, head[1].y);
    cr->line_to(head[2].x, head[2].y);
    cr->close_path();
    cr->fill();
    cr->restore();
}
