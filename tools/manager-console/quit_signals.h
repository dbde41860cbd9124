#pragma once

// Makes SIGTERM, SIGINT and SIGHUP a request to quit: while it lives, each
// of these signals only makes descriptor() readable (the handler writes one
// byte to a pipe, which is all it does), so that the loop that polls it
// quits the program in its own time. One at a time in a program.
class QuitSignals {
public:
    // Installs the handlers; throws std::runtime_error when the pipe cannot
    // be made.
    QuitSignals();
    // Gives the signals their default action again and closes the pipe.
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // Readable once one of the signals has come.
    int descriptor() const { return m_read_end; }
    // Whether one of them came since the last call; empties the pipe.
    bool take();

private:
    int m_read_end;
    int m_write_end;
};
