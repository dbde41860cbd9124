#include "app/plain_fault_text.h"

#include <glibmm/unicode.h>

#include <sstream>
#include <vector>

namespace {

// A word such as "Interface::on_menu_load_game()" or "operator=(string": it
// names code, not what went wrong.
bool names_code(const std::string& word)
{
    return word.find("::") != std::string::npos || word.find("operator") != std::string::npos ||
           (word.size() > 2 && word.compare(word.size() - 2, 2, "()") == 0);
}

// The SAN of a move quoted in the fault, "" when there is none.
std::string quoted_move(const std::string& what)
{
    const std::size_t open = what.find('"');
    const std::size_t close = open == std::string::npos ? open : what.find('"', open + 1);
    if (close == std::string::npos)
        return "";
    return what.substr(open + 1, close - open - 1);
}

// The FEN that the reader's fault dumps after "fen" on its second line.
std::vector<std::string> dumped_fen_fields(const std::string& what)
{
    const std::size_t line = what.find('\n');
    std::vector<std::string> fields;
    if (line == std::string::npos)
        return fields;
    std::istringstream rest(what.substr(line + 1));
    std::string word;
    while (rest >> word && fields.size() < 6) {
        if (fields.empty() && word.rfind("fen", 0) == 0) {
            const std::size_t equals = word.find('=');
            if (equals != std::string::npos && equals + 1 < word.size())
                fields.push_back(word.substr(equals + 1));
            continue;
        }
        fields.push_back(word);
    }
    return fields;
}

}

std::string plain_fault_text(const std::string& what)
{
    std::string fault = what.substr(0, what.find('\n'));
    // Three blanks follow each operation that passed the fault on; its
    // arguments may hold blanks of their own.
    if (const std::size_t passed = fault.rfind("   "); passed != std::string::npos)
        fault.erase(0, passed + 3);
    std::istringstream first_line(fault);
    std::string text;
    std::string word;
    bool leading = true;
    while (first_line >> word) {
        // Only the names at the head are passers-on; later words are the fault.
        if (leading && names_code(word))
            continue;
        if (leading && (word == ":" || word.empty()))
            continue;
        leading = false;
        text += (text.empty() ? "" : " ") + word;
    }
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    if (text.empty())
        return "Something went wrong inside the program.";
    // The program's texts are English: toupper would follow the user's
    // locale, where 'i' need not become 'I'.
    text[0] = Glib::Ascii::toupper(text[0]);
    if (text.back() != '.' && text.back() != '!' && text.back() != '?')
        text += '.';
    return text;
}

std::string unreadable_game_reason(const std::string& what)
{
    const std::string move = quoted_move(what);
    const std::vector<std::string> fen = dumped_fen_fields(what);
    if (move.empty() || fen.size() < 6)
        return plain_fault_text(what);
    const std::string number = fen[5] + (fen[1] == "b" ? "... " : ". ");
    return number + move + " is not a legal move.";
}
