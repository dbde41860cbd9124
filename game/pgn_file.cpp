#include "game/pgn_file.h"

#include "game/game_header.h"
#include "game/pgn_error.h"
#include "game/pgn_limits.h"

#include <cerrno>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t input_buffer_size = 1 << 16;
// Room left below the game bound for the termination marker and line feeds.
constexpr std::size_t game_end_room = 16;

enum class ReadState { tags, tag_text, tag_comment, movetext, comment };

bool is_high_byte(int c)
{
    return c >= 0x80;
}

}

PgnFile::PgnFile() : m_input_buffer(new char[input_buffer_size])
{
    m_input.rdbuf()->pubsetbuf(m_input_buffer.get(), input_buffer_size);
}

PgnFile::~PgnFile()
{
    (void)close_append();
    close();
}

void PgnFile::open(const std::string& filename)
{
    // Whatever was open is closed now, so a failed open leaves nothing open.
    close();
    m_input.open(filename, std::ios::in | std::ios::binary);
    if (!m_input.is_open())
        return;
    m_input.clear();
    m_in_open = true;
    m_filename = filename;
    m_game_number = 0;
    m_skipped.clear();
}

void PgnFile::close()
{
    if (m_input.is_open())
        m_input.close();
    m_in_open = false;
}

int PgnFile::next_char()
{
    const int c = m_input.rdbuf()->sbumpc();
    if (c == std::char_traits<char>::eof())
        m_input.setstate(std::ios::eofbit);
    return c;
}

bool PgnFile::read_result(std::string& text, char c)
{
    text += c;
    if (c == '*')
        return true;
    if (c != '0' && c != '1')
        return false;
    const int separator = next_char();
    if (separator == std::char_traits<char>::eof())
        return false;
    text += static_cast<char>(separator);
    if (separator != '-' && separator != '/')
        return false;
    const int second = next_char();
    if (second == std::char_traits<char>::eof())
        return false;
    text += static_cast<char>(second);
    if (second != '0' && second != '1' && second != '2')
        return false;
    const std::string_view three(text.data() + text.size() - 3, 3);
    if (three == "1-0" || three == "0-1")
        return true;
    if (three != "1/2")
        return false;
    for (char expected : {'-', '1', '/', '2'}) {
        const int next = next_char();
        if (next == std::char_traits<char>::eof())
            return false;
        text += static_cast<char>(next);
        if (next != expected)
            return false;
    }
    return true;
}

std::string PgnFile::read_game()
{
    // Each game is measured on its own, so one damaged game cannot make the
    // next one fail.
    std::size_t tag_length = 0;
    std::string text;
    if (!m_input)
        return text;
    const int eof = std::char_traits<char>::eof();
    int c = next_char();
    while (c != eof && c != '[')
        c = next_char();
    if (c == eof)
        return text;
    ++m_game_number;
    text += '[';
    ReadState state = ReadState::tag_text;
    bool in_quotes = false;

    auto fail = [&](const char* marker, const std::string& reason) {
        text += marker;
        throw pgn_error(text, reason);
    };
    for (;;) {
        if (text.size() + game_end_room >= max_game_bytes) {
            const bool in_comment = state == ReadState::comment || state == ReadState::tag_comment;
            fail(in_comment ? "ERROR} *\n\n" : state == ReadState::tag_text ? "ERROR] \n\n * \n\n" : " ERROR *\n\n",
                 "the game's text is over " + std::to_string(max_game_bytes) + " bytes");
        }
        c = next_char();
        if (c == '\r')
            c = next_char();
        if (c == '%' && (text.empty() || text.back() == '\n')) {
            while (c != eof && c != '\n')
                c = next_char();
            if (c == eof)
                return text;
            continue;
        }
        if (c == eof)
            return text;
        const char ch = static_cast<char>(c);
        switch (state) {
        case ReadState::tags:
            if (ch == '[') {
                text += ch;
                state = ReadState::tag_text;
            } else if (ch == '{') {
                text += ch;
                state = ReadState::tag_comment;
            } else if ((ch >= '0' && ch <= '9') || ch == '*') {
                if (read_result(text, ch)) {
                    text += "\n\n";
                    return text;
                }
                state = ReadState::movetext;
            } else if (!is_high_byte(c)) {
                text += ch;
            }
            break;
        case ReadState::tag_text:
            if (++tag_length > max_tag_value_bytes)
                fail("ERROR] \n\n * \n\n", "a tag pair is over " + std::to_string(max_tag_value_bytes) + " bytes");
            // A "]" inside the quoted value belongs to the value. A quote right
            // after a backslash is escaped, as the tokenizer reads it; a value
            // never spans lines, so a line feed ends an unclosed quote.
            if (ch == '"' && text.back() != '\\')
                in_quotes = !in_quotes;
            else if (ch == '\n')
                in_quotes = false;
            text += ch;
            if (ch == ']' && !in_quotes) {
                tag_length = 0;
                state = ReadState::tags;
            }
            break;
        case ReadState::tag_comment:
        case ReadState::comment:
            text += ch;
            if (ch == '}')
                state = state == ReadState::comment ? ReadState::movetext : ReadState::tags;
            break;
        case ReadState::movetext:
            // A tag at the start of a line cannot belong to movetext: the game
            // had no termination marker and the next one begins here.
            if (ch == '[' && text.back() == '\n') {
                m_input.rdbuf()->sungetc();
                return text;
            }
            if (ch == '{') {
                text += ch;
                state = ReadState::comment;
            } else if (is_high_byte(c)) {
                fail("?????\n\n", "a byte above 127 stands between the moves");
            } else if (read_result(text, ch)) {
                text += "\n\n";
                return text;
            }
            break;
        }
    }
}

std::string PgnFile::next_game()
{
    for (;;) {
        if (!m_input || m_input.eof())
            return {};
        try {
            return read_game();
        } catch (const pgn_error& damaged) {
            // A damaged game is skipped and noted; reading goes on after the damage.
            m_skipped.push_back({m_game_number, damaged.reason()});
        }
    }
}

std::string PgnFile::first_game()
{
    close();
    open(m_filename);
    return next_game();
}

std::string PgnFile::game(int n)
{
    std::string text = first_game();
    for (int count = 1; count < n && !text.empty(); ++count)
        text = next_game();
    return text;
}

std::string PgnFile::listed_game(int n)
{
    m_input.clear();
    const std::streamoff start = listed_header_offset(m_input, n < 1 ? 1 : n);
    if (start < 0)
        return {};
    m_input.clear();
    m_input.seekg(start);
    try {
        return read_game();
    } catch (const pgn_error& damaged) {
        return damaged.text();
    }
}

bool PgnFile::open_append(const std::string& filename)
{
    (void)close_append();
    m_output = ::open(filename.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    struct stat status {};
    if (m_output >= 0 && ::fstat(m_output, &status) != 0) {
        ::close(m_output);
        m_output = -1;
    }
    m_output_failed = m_output < 0;
    m_output_start = m_output < 0 ? 0 : static_cast<std::int64_t>(status.st_size);
    return !m_output_failed;
}

bool PgnFile::write(const std::string& text)
{
    if (m_output < 0 || m_output_failed)
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = ::write(m_output, text.data() + done, text.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            roll_back_append();
            return false;
        }
        done += static_cast<std::size_t>(count);
    }
    return true;
}

bool PgnFile::close_append()
{
    bool ok = !m_output_failed;
    if (m_output >= 0) {
        // Devices such as /dev/null cannot be synchronised; that is no failure.
        if (ok && ::fsync(m_output) != 0 && errno != EINVAL && errno != EROFS)
            roll_back_append();
        ok = !m_output_failed;
        if (::close(m_output) != 0)
            ok = false;
    }
    m_output = -1;
    m_output_failed = false;
    return ok;
}

void PgnFile::roll_back_append()
{
    // The caller reports why the append failed, not why the roll-back did.
    const int reason = errno;
    m_output_failed = true;
    if (m_output >= 0 && ::ftruncate(m_output, static_cast<off_t>(m_output_start)) == 0)
        ::fsync(m_output);
    errno = reason;
}

std::vector<PgnFile::SkippedGame> PgnFile::take_skipped_games()
{
    return std::exchange(m_skipped, {});
}

void strip_trailing_cr(std::string& text)
{
    while (!text.empty() && text.back() == '\r')
        text.pop_back();
}
