#include "manager/analysis_comment.h"

#include "manager/elapsed_time_text.h"
#include "manager/multipv_line.h"

#include <cstdint>
#include <optional>
#include <sstream>

namespace {

// The next word read as a whole number or a double; nothing when it is none
// (the word is used up all the same).
template <typename Number>
std::optional<Number> next_number(std::istringstream& in)
{
    std::string word;
    if (!(in >> word)) {
        return std::nullopt;
    }
    std::istringstream number_text(word);
    Number value{};
    if (!(number_text >> value) || !number_text.eof()) {
        return std::nullopt;
    }
    return value;
}

// Pawns in the default stream form: six significant digits, no trailing
// zeros ("0.35", "-1.3", "1").
std::string pawns_text(double centipawns, bool white_engine)
{
    // Adding 0.0 turns a negated zero into a plain zero.
    const double pawns = (white_engine ? centipawns : -centipawns) / 100 + 0.0;
    std::ostringstream out;
    out << pawns;
    return out.str();
}

bool lacks(const std::string& comment, const char* name) { return comment.find(name) == std::string::npos; }

}

void update_analysis_comment(std::string& comment, const std::string& info, bool white_engine)
{
    if (reports_further_line(info)) {
        return;
    }
    std::string cp_eval, mate_eval, elapsed, depth;
    std::int64_t nodes = 0, nodes_per_second = 0;
    std::istringstream in(info);
    for (std::string word; in >> word;) {
        if (word == "score") {
            std::string kind;
            if (!(in >> kind)) {
                break;
            }
            if (kind == "cp") {
                if (const auto value = next_number<double>(in)) {
                    cp_eval = "[%eval " + pawns_text(*value, white_engine) + "]";
                }
            } else if (kind == "mate") {
                if (const auto moves = next_number<std::int64_t>(in)) {
                    mate_eval = "[%eval #" + std::to_string(white_engine ? *moves : -*moves) + "]";
                }
            } else {
                comment.clear();
            }
        } else if (word == "time") {
            if (const auto ms = next_number<double>(in); ms && *ms > 1000) {
                elapsed = "[%emt " + elapsed_time_text(*ms) + "]";
            }
        } else if (word == "nodes") {
            nodes = next_number<std::int64_t>(in).value_or(nodes);
        } else if (word == "nps") {
            nodes_per_second = next_number<std::int64_t>(in).value_or(nodes_per_second);
        } else if (word == "depth") {
            if (std::string value; in >> value) {
                depth = value;
            }
        }
    }
    if (!cp_eval.empty()) {
        comment = cp_eval;
    } else if (!mate_eval.empty()) {
        comment = mate_eval;
    }
    comment += elapsed;
    if (nodes > 0 && lacks(comment, "acn")) {
        comment += "[%acn " + std::to_string(nodes) + "]";
    }
    if (nodes_per_second > 0 && lacks(comment, "nps")) {
        comment += "[%nps " + std::to_string(nodes_per_second) + "]";
    }
    if (!depth.empty() && lacks(comment, "depth")) {
        comment += "[%depth " + depth + "]";
    }
}
