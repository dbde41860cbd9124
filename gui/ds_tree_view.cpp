#include "gui/ds_tree_view.h"

DSTreeView::DSTreeView() = default;

DSTreeView::~DSTreeView() = default;

void DSTreeView::on_cursor_changed()
{
    signal_cursor.emit();
}
