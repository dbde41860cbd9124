#include "app/pgn_date.h"

#include <cstdio>

std::string pgn_date(std::time_t when)
{
    std::tm parts{};
    gmtime_r(&when, &parts);
    char text[32];
    std::snprintf(text, sizeof text, "%04d.%02d.%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
    return text;
}

std::string pgn_date_today()
{
    return pgn_date(std::time(nullptr));
}
