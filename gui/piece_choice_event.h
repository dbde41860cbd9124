#pragma once

#include "gui/choice_event.h"

// The piece chooser's grid: the twelve piece pictures in 3 columns and 4
// rows (white pawn, knight, bishop; white rook, queen, king; then the black
// ones likewise); a click names a piece as piece_choice_code does.
class PieceChoiceEvent : public ChoiceEvent {
public:
    // images: the board's 14 images by DrawingPieceCode; width: the main
    // window's width, of which the grid asks for 3/8 by 1/2.
    PieceChoiceEvent(const std::vector<Glib::RefPtr<Gdk::Pixbuf>>& images, int width);
    ~PieceChoiceEvent() override;

    // 1..6, 8..13, or 0 while no piece was clicked.
    int get_piece() const { return code(); }
};
