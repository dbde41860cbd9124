#pragma once

// A descriptor of the program's own that another thread makes readable, so
// that a thread asleep in poll on it (and on whatever else it waits for)
// wakes at once and for no other reason. It is close-on-exec and never
// blocks. Opening, closing and polling are the owner's to order; signal may
// come from any thread while the descriptor is open.
class WakeupEvent {
public:
    WakeupEvent() = default;
    // Lets the descriptor go.
    ~WakeupEvent();
    WakeupEvent(const WakeupEvent&) = delete;
    WakeupEvent& operator=(const WakeupEvent&) = delete;

    // Opens a fresh, unsignalled descriptor, letting an earlier one go; false
    // (errno set) when the system gives none.
    bool open();
    // Lets the descriptor go; nothing when none is open.
    void close();
    // Makes the descriptor readable until it is cleared; nothing when none is open.
    void signal();
    // Takes back every signal so far: the descriptor is no longer readable.
    void clear();
    // The descriptor to poll for readability; -1 when none is open.
    int descriptor() const { return m_fd; }

private:
    int m_fd = -1;
};
