#include "manager/multipv_line.h"

#include <sstream>

bool reports_further_line(const std::string& info)
{
    std::istringstream in(info);
    for (std::string word; in >> word;) {
        if (word == "multipv") {
            long line = 0;
            return in >> line && line > 1;
        }
    }
    return false;
}
