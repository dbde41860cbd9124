#pragma once

#include "game/pgn_input_buffer.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

// A PGN file read one game at a time as raw text, and a PGN file that
// finished games are appended to. Cuts games by tag pairs, comments and
// termination markers without parsing them; damaged games (a game text that
// reaches max_game_bytes, a tag pair over max_tag_value_bytes, a non-ASCII byte
// between moves) end in an error. Comments may have any length within the game.
class PgnFile {
public:
    // A damaged game that next_game passed over: its number in the file (every
    // game counted from 1, damaged ones too) and what was wrong with it.
    struct SkippedGame {
        int number;
        std::string reason;
    };

    PgnFile();
    ~PgnFile();
    PgnFile(const PgnFile&) = delete;
    PgnFile& operator=(const PgnFile&) = delete;

    // Opens the file for reading (closing any open input) and starts counting
    // games afresh; on failure the input is left failed, nothing is open and the
    // remembered name stays.
    void open(const std::string& filename);
    // Closes the input.
    void close();
    bool is_open() const { return m_in_open; }
    // The input stream; the game lists read it and move it directly.
    std::istream& input() { return m_input; }

    // The text of the next game from the current place, ending with "\n\n" when
    // a termination marker ended it; a game without one ends where a line starts
    // with "[" or the file ends. Empty when no "[" follows. Throws pgn_error for
    // a damaged game, leaving the input just after the offending byte.
    std::string read_game();
    // The tag section of the game that read_game would read next: its text up
    // to where its movetext starts. The movetext is passed over without being
    // kept, and the input is left where read_game would leave it, also after a
    // damaged game, which throws nothing here. Empty when no "[" follows.
    std::string read_tag_section();
    // The text of the next readable game, skipping damaged ones, which it notes
    // for take_skipped_games; empty at the end.
    std::string next_game();
    // The number in the file of the game read last (from 1; damaged games
    // count), counting since the file was opened; reading by seeking
    // (listed_game) does not keep it.
    int game_number() const { return m_game_number; }
    // The damaged games skipped since the last call, in file order; the list
    // is emptied.
    std::vector<SkippedGame> take_skipped_games();
    // Reopens the remembered file and returns its first readable game.
    std::string first_game();
    // The n-th readable game (from 1; damaged games are not counted); empty
    // when there are fewer.
    std::string game(int n);
    // The game that row n (from 1) of the game list shows, read whole from the
    // first "[" of its tag section: the n-th game that read_game finds from the
    // start of the file, damaged games counted. Empty when there are fewer;
    // throws pgn_error for a damaged game. next_game then goes on after that game.
    std::string listed_game(int n);

    // Opens the file for appending, creating it when missing. False when it
    // cannot be opened; later writes then fail too.
    [[nodiscard]] bool open_append(const std::string& filename);
    // Appends the text unchanged. On any failure the file is cut back to the
    // length it had when it was opened, so a game is never half written and
    // nothing that was there is lost; false then and for every later write.
    [[nodiscard]] bool write(const std::string& text);
    // Flushes what was written to the disk and closes the file; false when that
    // or an earlier write failed (the appended text is then removed again, and
    // a file that open_append created is removed with it).
    [[nodiscard]] bool close_append();
    // The system's error number of the failure that made the last append
    // fail (open_append, write or close_append); 0 while none has failed.
    int append_error() const { return m_append_error; }

private:
    // The next byte of the input, or end of file, which also sets the input's
    // end-of-file flag; a failed read of the file ends it as well.
    int next_char();
    // next_char once the bytes in memory are used up: reads on in the file.
    int next_char_from_file();
    // Cuts the next game from the input, handing its characters to text, which
    // keeps the whole game or only its tag section; text.fail ends a damaged game.
    template <class GameText>
    void cut_game(GameText& text);
    // Termination-marker look-ahead after the character c of the movetext:
    // appends c and what it reads; true when "*", "1-0", "0-1" or "1/2-1/2"
    // ended the game.
    template <class GameText>
    bool read_result(GameText& text, char c);
    void roll_back_append();
    // Removes the file that open_append created, once an append to it failed.
    void remove_created_output();

    std::unique_ptr<char[]> m_input_buffer;
    PgnInputBuffer m_file_buffer;
    std::istream m_input;
    int m_output = -1;
    std::int64_t m_output_start = 0;
    bool m_output_failed = false;
    int m_append_error = 0;
    // open_append created the file, and its name.
    bool m_output_created = false;
    std::string m_output_name;
    bool m_in_open = false;
    std::string m_filename;
    int m_game_number = 0;
    std::vector<SkippedGame> m_skipped;
};

// Removes every carriage return at the end of the string.
void strip_trailing_cr(std::string& text);
