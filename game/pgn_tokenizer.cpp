#include "game/pgn_tokenizer.h"
#include "game/pgn_limits.h"
#include "game/utf8.h"

#include <string>

namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// The comment without the line breaks that the movetext writer inserts after
// a blank and before a "[%" command (with any carriage returns before them).
// Read as blanks they would add one blank to the comment on every save; other
// line breaks stay and become blanks in the cleaning.
std::string without_inserted_breaks(std::string_view comment)
{
    std::string kept;
    kept.reserve(comment.size());
    for (std::size_t i = 0; i < comment.size(); ++i) {
        std::size_t line_feed = i;
        while (line_feed < comment.size() && comment[line_feed] == '\r')
            ++line_feed;
        const bool inserted = i > 0 && comment[i - 1] == ' ' && line_feed < comment.size() &&
                              comment[line_feed] == '\n' &&
                              comment.substr(line_feed + 1, 2) == "[%";
        if (inserted)
            i = line_feed;
        else
            kept += comment[i];
    }
    return kept;
}

bool starts_with_at(std::string_view text, std::size_t i, std::string_view word)
{
    return text.substr(i, word.size()) == word;
}

bool is_san_start(char c)
{
    return pgn_is_san_char(static_cast<unsigned char>(c)) && !is_digit(c);
}

class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : m_text(text) {}

    std::vector<PgnToken> run()
    {
        std::size_t i = 0;
        while (i < m_text.size()) {
            if (!step(i))
                break;
        }
        return std::move(m_tokens);
    }

private:
    void push(PgnTokenType type, std::string_view text)
    {
        m_tokens.push_back(PgnToken{type, std::string(text)});
    }

    // Handles the token that starts at i and moves i past it; false ends tokenizing.
    bool step(std::size_t& i)
    {
        const char c = m_text[i];
        switch (c) {
        case '(':
            push(PgnTokenType::variation_open, "(");
            ++i;
            return true;
        case ')':
            push(PgnTokenType::variation_close, ")");
            ++i;
            return true;
        case '.':
            push(PgnTokenType::dot, ".");
            ++i;
            return true;
        case ']':
            push(PgnTokenType::tag_close, "]");
            ++i;
            return true;
        case '}':
        case '>':
            push(PgnTokenType::comment_close, "}");
            ++i;
            return true;
        case '{':
        case '<':
            return comment(i);
        case '[':
            tag_pair(i);
            return true;
        case '*':
            push(PgnTokenType::result, "*");
            return false;
        case '$': {
            std::size_t pos = i + 1;
            push(PgnTokenType::nag, pgn_read_nag(m_text, pos));
            i = pos + 1;
            return true;
        }
        default:
            break;
        }
        if (is_digit(c)) {
            for (std::string_view result : {"0-1", "1-0", "1/2-1/2"}) {
                if (starts_with_at(m_text, i, result)) {
                    push(PgnTokenType::result, result);
                    return false;
                }
            }
            const std::string_view digits = pgn_read_number(m_text, i);
            push(PgnTokenType::move_number, digits);
            i += digits.size();
            return true;
        }
        if (is_san_start(c)) {
            std::size_t pos = i;
            push(PgnTokenType::san_move, pgn_read_san(m_text, pos));
            i = pos + 1;
            return true;
        }
        ++i;
        return true;
    }

    // A comment opened at i; false when the text ends inside it.
    bool comment(std::size_t& i)
    {
        push(PgnTokenType::comment_open, "{");
        std::size_t pos = i + 1;
        m_tokens.push_back(PgnToken{PgnTokenType::comment_text,
                                    pgn_clean_text(without_inserted_breaks(pgn_read_comment(m_text, pos)),
                                                   static_cast<std::uint32_t>(max_game_bytes))});
        i = pos + 1;
        return i < m_text.size();
    }

    void tag_pair(std::size_t& i)
    {
        push(PgnTokenType::tag_open, "[");
        const std::string_view name = pgn_read_word(m_text, i + 1);
        push(PgnTokenType::tag_name, name);
        std::size_t pos = static_cast<std::size_t>(name.data() - m_text.data()) + name.size();
        const std::string_view value = pgn_read_tag_value(m_text, pos);
        m_tokens.push_back(PgnToken{PgnTokenType::tag_value, pgn_clean_text(value, static_cast<std::uint32_t>(max_tag_value_bytes))});
        i = pos + 1;
    }

    std::string_view m_text;
    std::vector<PgnToken> m_tokens;
};

}

std::vector<PgnToken> pgn_tokenize(std::string_view text)
{
    return Tokenizer(text).run();
}

std::string pgn_clean_text(std::string_view text, std::uint32_t max)
{
    if (text.size() > max)
        text = text.substr(0, max);
    std::string cleaned;
    cleaned.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c == '\t' || c == '\n')
                cleaned += ' ';
            else if (c != '\r')
                cleaned += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t length = utf8_sequence_length(text, i);
        if (length == 0) {
            cleaned += '?';
            ++i;
        } else {
            cleaned.append(text.substr(i, length));
            i += length;
        }
    }
    return cleaned;
}

bool pgn_is_san_char(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '#':
    case '+':
    case '-':
    case ':':
    case '=':
    case '_':
        return true;
    default:
        return false;
    }
}

std::string_view pgn_read_word(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    std::size_t end = pos;
    while (end < text.size() && text[end] != ' ' && text[end] != '"')
        ++end;
    return text.substr(std::min(pos, text.size()), end - std::min(pos, text.size()));
}

std::string_view pgn_read_tag_value(std::string_view text, std::size_t& pos)
{
    std::size_t i = pos;
    if (i < text.size() && (text[i] == ' ' || text[i] == '"')) {
        bool quote_seen = false;
        for (; i < text.size() && (text[i] == ' ' || text[i] == '"'); ++i) {
            if (text[i] != '"')
                continue;
            if (quote_seen) {
                pos = i;
                return {};
            }
            quote_seen = true;
        }
    }
    const std::size_t start = std::min(i, text.size());
    for (; i < text.size(); ++i) {
        if (text[i] == '"' && !(i > start && text[i - 1] == '\\'))
            break;
    }
    pos = std::min(i, text.size());
    return text.substr(start, pos - start);
}

std::string_view pgn_read_comment(std::string_view text, std::size_t& pos)
{
    const std::size_t start = std::min(pos, text.size());
    const std::size_t close = text.find('}', start);
    const std::size_t end = close == std::string_view::npos ? text.size() : close;
    pos = end - 1;
    return text.substr(start, end - start);
}

std::string pgn_read_nag(std::string_view text, std::size_t& pos)
{
    const std::string_view digits = pgn_read_number(text, pos);
    pos += digits.size();
    --pos;
    std::string nag = "$";
    nag += digits;
    return nag;
}

std::string_view pgn_read_san(std::string_view text, std::size_t& pos)
{
    const std::size_t start = std::min(pos, text.size());
    std::size_t end = start;
    while (end < text.size() && pgn_is_san_char(static_cast<unsigned char>(text[end])))
        ++end;
    pos = end - 1;
    return text.substr(start, end - start);
}

std::string_view pgn_read_number(std::string_view text, std::size_t pos)
{
    const std::size_t start = std::min(pos, text.size());
    std::size_t end = start;
    while (end < text.size() && is_digit(text[end]))
        ++end;
    return text.substr(start, end - start);
}
