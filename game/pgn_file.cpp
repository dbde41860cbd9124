#include "game/pgn_file.h"

#include "game/pgn_error.h"
#include "game/pgn_limits.h"
#include "game/pgn_read_place.h"

#include <cerrno>
#include <ios>
#include <string_view>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t input_buffer_size = 1 << 16;
// Room left below the game bound for the termination marker and line feeds.
constexpr std::size_t game_end_room = 16;

bool is_high_byte(int c)
{
    return c >= 0x80;
}

// What read_game keeps of a game: its whole text. A damaged game is thrown
// with its marker.
class WholeGameText {
public:
    void append(char c) { m_text += c; }
    void append(std::string_view bytes) { m_text += bytes; }
    // The text always holds at least the "[" that starts the game.
    char last() const { return m_text.back(); }
    std::size_t size() const { return m_text.size(); }
    void start_movetext() {}
    [[noreturn]] void fail(const char* marker, const std::string& reason)
    {
        m_text += marker;
        throw pgn_error(m_text, reason);
    }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

// What the game list keeps of a game: its tag section. The movetext is only
// measured, so that the game ends where read_game ends it, damage included.
class TagSectionText {
public:
    // Room for the tag section of any common game, taken once.
    TagSectionText() { m_tags.reserve(1024); }

    void append(char c)
    {
        ++m_size;
        m_last = c;
        if (!m_in_movetext)
            m_tags += c;
    }
    void append(std::string_view bytes)
    {
        m_size += bytes.size();
        m_last = bytes.back();
        if (!m_in_movetext)
            m_tags += bytes;
    }
    char last() const { return m_last; }
    std::size_t size() const { return m_size; }
    void start_movetext() { m_in_movetext = true; }
    void fail(const char*, const std::string&) {}
    std::string take() { return std::move(m_tags); }

private:
    std::string m_tags;
    std::size_t m_size = 0;
    char m_last = 0;
    bool m_in_movetext = false;
};

// Hands text the run of plain bytes that the input holds in memory from
// place on (plain_run); false when there is none.
template <class GameText>
bool pass_plain_bytes(PgnInputBuffer& input, GameText& text, PgnReadPlace& place)
{
    // The run stops short of the game bound, whose check comes before each byte.
    const std::string_view unread = input.unread().substr(0, max_game_bytes - game_end_room - text.size());
    const std::size_t count = plain_run(unread, text.last(), place);
    if (count == 0)
        return false;
    text.append(unread.substr(0, count));
    input.take(count);
    return true;
}

}

PgnFile::PgnFile() : m_input_buffer(new char[input_buffer_size]), m_input(&m_file_buffer)
{
    m_file_buffer.pubsetbuf(m_input_buffer.get(), input_buffer_size);
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
    if (!m_file_buffer.open(filename, std::ios::in | std::ios::binary)) {
        m_input.setstate(std::ios::failbit);
        return;
    }
    m_input.clear();
    m_in_open = true;
    m_filename = filename;
    m_game_number = 0;
    m_skipped.clear();
}

void PgnFile::close()
{
    if (m_file_buffer.is_open() && !m_file_buffer.close())
        m_input.setstate(std::ios::failbit);
    m_in_open = false;
}

int PgnFile::next_char()
{
    const std::string_view unread = m_file_buffer.unread();
    if (unread.empty())
        return next_char_from_file();
    m_file_buffer.take(1);
    return static_cast<unsigned char>(unread.front());
}

int PgnFile::next_char_from_file()
{
    int c = std::char_traits<char>::eof();
    try {
        c = m_file_buffer.sbumpc();
    } catch (const std::ios_base::failure&) {
        // The file buffer reports a failed read (a directory, a disk error) by
        // throwing; reading ends there as at the end of the file, and stays failed.
        m_input.setstate(std::ios::badbit);
    }
    if (c == std::char_traits<char>::eof())
        m_input.setstate(std::ios::eofbit);
    return c;
}

template <class GameText>
bool PgnFile::read_result(GameText& text, char c)
{
    text.append(c);
    if (c == '*')
        return true;
    if (c != '0' && c != '1')
        return false;
    const int separator = next_char();
    if (separator == std::char_traits<char>::eof())
        return false;
    text.append(static_cast<char>(separator));
    if (separator != '-' && separator != '/')
        return false;
    const int second = next_char();
    if (second == std::char_traits<char>::eof())
        return false;
    text.append(static_cast<char>(second));
    if (separator == '-')
        return (c == '1' && second == '0') || (c == '0' && second == '1');
    if (c != '1' || second != '2')
        return false;
    for (char expected : {'-', '1', '/', '2'}) {
        const int next = next_char();
        if (next == std::char_traits<char>::eof())
            return false;
        text.append(static_cast<char>(next));
        if (next != expected)
            return false;
    }
    return true;
}

template <class GameText>
void PgnFile::cut_game(GameText& text)
{
    if (!m_input)
        return;
    const int eof = std::char_traits<char>::eof();
    int c = next_char();
    while (c != eof && c != '[')
        c = next_char();
    if (c == eof)
        return;
    ++m_game_number;
    text.append('[');
    // Each game is measured on its own, so one damaged game cannot make the
    // next one fail.
    PgnReadPlace place;

    for (;;) {
        if (text.size() + game_end_room >= max_game_bytes) {
            const PgnReadState state = place.state;
            const char* marker = " ERROR *\n\n";
            if (state == PgnReadState::comment || state == PgnReadState::tag_comment)
                marker = "ERROR} *\n\n";
            else if (state == PgnReadState::tag_text)
                marker = "ERROR] \n\n * \n\n";
            text.fail(marker, "the game's text is over " + std::to_string(max_game_bytes) + " bytes");
            return;
        }
        if (pass_plain_bytes(m_file_buffer, text, place))
            continue;
        c = next_char();
        if (c == '\r')
            c = next_char();
        if (c == '%' && text.last() == '\n') {
            while (c != eof && c != '\n')
                c = next_char();
            if (c == eof)
                return;
            continue;
        }
        if (c == eof)
            return;
        const char ch = static_cast<char>(c);
        if (take_plain_byte(place, ch, text.last())) {
            text.append(ch);
            continue;
        }
        switch (place.state) {
        case PgnReadState::tags:
            // A digit or "*" starts the movetext; a byte above 127 between tag
            // pairs is dropped.
            if (is_high_byte(c))
                break;
            text.start_movetext();
            if (read_result(text, ch)) {
                text.append('\n');
                text.append('\n');
                return;
            }
            place.state = PgnReadState::movetext;
            break;
        case PgnReadState::tag_text:
            text.fail("ERROR] \n\n * \n\n", "a tag pair is over " + std::to_string(max_tag_value_bytes) + " bytes");
            return;
        case PgnReadState::movetext:
            // A tag at the start of a line cannot belong to movetext: the game
            // had no termination marker and the next one begins here.
            if (ch == '[') {
                m_file_buffer.sungetc();
                return;
            }
            if (is_high_byte(c)) {
                text.fail("?????\n\n", "a byte above 127 stands between the moves");
                return;
            }
            if (read_result(text, ch)) {
                text.append('\n');
                text.append('\n');
                return;
            }
            break;
        case PgnReadState::tag_comment:
        case PgnReadState::comment:
            break;
        }
    }
}

std::string PgnFile::read_game()
{
    WholeGameText text;
    cut_game(text);
    return text.take();
}

std::string PgnFile::read_tag_section()
{
    TagSectionText text;
    cut_game(text);
    return text.take();
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
    m_input.seekg(0);
    for (int row = 1; row < n; ++row)
        if (read_tag_section().empty())
            return {};
    return read_game();
}

bool PgnFile::open_append(const std::string& filename)
{
    (void)close_append();
    m_append_error = 0;
    m_output = ::open(filename.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    m_output_created = m_output >= 0;
    if (m_output < 0 && errno == EEXIST)
        m_output = ::open(filename.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    m_output_name = filename;
    struct stat status {};
    if (m_output >= 0 && ::fstat(m_output, &status) != 0) {
        const int reason = errno;
        ::close(m_output);
        m_output = -1;
        errno = reason;
    }
    m_output_failed = m_output < 0;
    if (m_output_failed)
        m_append_error = errno;
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
        if (!ok && m_output_created)
            remove_created_output();
        if (::close(m_output) != 0) {
            if (ok)
                m_append_error = errno;
            ok = false;
        }
    }
    m_output = -1;
    m_output_failed = false;
    m_output_created = false;
    return ok;
}

void PgnFile::remove_created_output()
{
    // Only the empty file that open_append made goes: not one that has taken
    // its place since, nor one that another program has written to.
    const int reason = errno;
    struct stat opened {};
    struct stat named {};
    if (::fstat(m_output, &opened) == 0 && ::stat(m_output_name.c_str(), &named) == 0 &&
        opened.st_dev == named.st_dev && opened.st_ino == named.st_ino && named.st_size == 0)
        ::unlink(m_output_name.c_str());
    errno = reason;
}

void PgnFile::roll_back_append()
{
    // The caller reports why the append failed, not why the roll-back did.
    const int reason = errno;
    m_output_failed = true;
    m_append_error = reason;
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
