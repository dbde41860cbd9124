#include "engines/log_line.h"

void write_log_line(std::ostream& log, const std::string& line)
{
    if (!log) {
        log.clear();
    }
    log << line << '\n';
    log.flush();
}
