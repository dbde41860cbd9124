#include "engines/engine_end_text.h"

#include <cstring>
#include <sys/wait.h>

std::string engine_end_text(const EngineEnd& end)
{
    std::string text;
    if (end.ended_by_program) {
        text = "it closed its output and was ended";
    } else if (WIFSIGNALED(end.wait_status)) {
        const int signal = WTERMSIG(end.wait_status);
        text = "it was killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
    } else {
        text = "it ended with status " + std::to_string(WEXITSTATUS(end.wait_status));
    }
    if (!end.last_sent.empty()) {
        text += " after \"" + end.last_sent + "\"";
    }
    if (!end.wrote_anything) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(end.ran).count();
        text += "; it wrote nothing";
        if (seconds > 0) {
            text += " in " + std::to_string(seconds) + " s";
        }
    }
    return text;
}
