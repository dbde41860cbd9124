#include "app/engine_info_comment.h"

#include "manager/elapsed_time_text.h"
#include "manager/multipv_line.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <sstream>

bool info_line_is_shown(const std::string& info)
{
    return info.find("currmove") == std::string::npos;
}

std::string default_format(double value)
{
    if (value == 0)
        value = 0;  // no "-0"
    std::ostringstream text;
    text << value;
    return text.str();
}

namespace {

// The comment's commands, in the order it writes them.
enum Kind : std::size_t { eval, emt, acn, nps, depth, kinds };
constexpr std::array<const char*, kinds> kind_names = {"eval", "emt", "acn", "nps", "depth"};

// The value of each command; empty where the comment has none.
using Parts = std::array<std::string, kinds>;

// The pending comment is only ever written by comment_text, so it reads
// back as a run of "[%KIND VALUE]" commands.
Parts parts_of(const std::string& comment)
{
    Parts parts;
    for (std::size_t open = comment.find("[%"); open != std::string::npos; open = comment.find("[%", open + 1)) {
        const std::size_t blank = comment.find(' ', open);
        const std::size_t close = comment.find(']', open);
        if (blank == std::string::npos || close == std::string::npos || close < blank)
            continue;
        const std::string name = comment.substr(open + 2, blank - open - 2);
        for (std::size_t kind = 0; kind < kinds; ++kind) {
            if (name == kind_names[kind])
                parts[kind] = comment.substr(blank + 1, close - blank - 1);
        }
    }
    return parts;
}

std::string comment_text(const Parts& parts)
{
    std::string text;
    for (std::size_t kind = 0; kind < kinds; ++kind) {
        if (!parts[kind].empty())
            text += std::string("[%") + kind_names[kind] + " " + parts[kind] + "]";
    }
    return text;
}

}

void fold_engine_info(std::string& pending, const std::string& info, bool white)
{
    if (reports_further_line(info))
        return;
    std::istringstream in(info);
    Parts line;
    bool afresh = false;
    std::string word;
    while (in >> word) {
        if (word == "score") {
            std::string kind;
            in >> kind;
            if (kind == "cp") {
                double centipawns = 0;
                if (!(in >> centipawns))
                    break;
                if (line[eval].empty() || line[eval][0] != '#')
                    line[eval] = default_format((white ? centipawns : -centipawns) / 100);
            } else if (kind == "mate") {
                std::int64_t moves = 0;
                if (!(in >> moves))
                    break;
                line[eval] = std::to_string(white ? moves : -moves);
                line[eval].insert(line[eval].begin(), '#');
            }
            afresh = true;
        } else if (word == "time") {
            double milliseconds = 0;
            if (!(in >> milliseconds))
                break;
            if (milliseconds > 1000)
                line[emt] = elapsed_time_text(milliseconds);
        } else if (word == "nodes" || word == "nps") {
            std::int64_t count = 0;
            if (!(in >> count))
                break;
            if (count > 0)
                line[word == "nodes" ? acn : nps] = std::to_string(count);
        } else if (word == "depth") {
            in >> line[depth];
        } else if (word == "hashfull") {
            in >> word;
        }
    }
    Parts parts = afresh ? Parts() : parts_of(pending);
    for (std::size_t kind = 0; kind < kinds; ++kind) {
        if (!line[kind].empty())
            parts[kind] = line[kind];
    }
    pending = comment_text(parts);
}
