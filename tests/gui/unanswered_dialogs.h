#pragma once

namespace widget_test {

// From the first call on, the main loop watches the dialogs on screen: a
// dialog that stays shown for 20 s (scaled for the build) has no test code
// answering it and would wait for ever, so it is closed (its run() returns
// Gtk::RESPONSE_DELETE_EVENT) and the running test fails with the dialog's
// title and texts. Later calls do nothing.
void watch_unanswered_dialogs();

}
