#include "gui/piece_choice_event.h"

#include "gui/choice_grid.h"

namespace {

// The pictures of the pieces in the grid's cell order: codes 1..6, then 8..13
// (code 7 is the dark square's texture).
std::vector<Glib::RefPtr<Gdk::Pixbuf>> piece_pictures(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images)
{
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> pictures;
    for (std::size_t code : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13})
        pictures.push_back(code < images.size() ? images[code] : Glib::RefPtr<Gdk::Pixbuf>());
    return pictures;
}

}

PieceChoiceEvent::PieceChoiceEvent(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images, int width)
    : ChoiceEvent(piece_pictures(images), 3, width * 3 / 8, width / 2, piece_choice_code)
{
}

PieceChoiceEvent::~PieceChoiceEvent() = default;
