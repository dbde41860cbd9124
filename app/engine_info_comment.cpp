#include "app/engine_info_comment.h"

#include <cmath>
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

// "[%emt h:m:s]" for a search time above one second, else "".
std::string elapsed_text(double milliseconds)
{
    if (!(milliseconds > 1000))
        return "";
    const auto hours = static_cast<std::int64_t>(milliseconds / 3600000);
    const auto minutes = static_cast<std::int64_t>(milliseconds / 60000) - 60 * hours;
    const double seconds = std::round(milliseconds / 1000 - 3600.0 * hours - 60.0 * minutes);
    return "[%emt " + std::to_string(hours) + ":" + std::to_string(minutes) + ":" + default_format(seconds) + "]";
}

}

void fold_engine_info(std::string& pending, const std::string& info, bool white)
{
    std::istringstream in(info);
    std::string eval;
    std::string mate;
    std::string elapsed;
    std::string depth;
    std::int64_t nodes = 0;
    std::int32_t nps = 0;
    std::string word;
    while (in >> word) {
        if (word == "score") {
            std::string kind;
            in >> kind;
            if (kind == "cp") {
                double centipawns = 0;
                if (!(in >> centipawns))
                    break;
                eval = "[%eval " + default_format((white ? centipawns : -centipawns) / 100) + "]";
            } else if (kind == "mate") {
                if (white) {
                    std::string moves;
                    if (!(in >> moves))
                        break;
                    mate = "[%eval #" + moves + "]";
                } else {
                    std::int64_t moves = 0;
                    if (!(in >> moves))
                        break;
                    mate = "[%eval #" + std::to_string(-moves) + "]";
                }
            } else {
                pending.clear();
            }
        } else if (word == "time") {
            double milliseconds = 0;
            if (!(in >> milliseconds))
                break;
            elapsed = elapsed_text(milliseconds);
        } else if (word == "nodes") {
            if (!(in >> nodes))
                break;
        } else if (word == "nps") {
            if (!(in >> nps))
                break;
        } else if (word == "depth") {
            in >> depth;
        } else if (word == "hashfull") {
            in >> word;
        }
    }
    if (!eval.empty())
        pending = eval;
    if (!mate.empty())
        pending = mate;
    pending += elapsed;
    if (nodes > 0)
        pending += "[%acn " + std::to_string(nodes) + "]";
    if (nps > 0)
        pending += "[%nps " + std::to_string(nps) + "]";
    if (!depth.empty())
        pending += "[%depth " + depth + "]";
}
