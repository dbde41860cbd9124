#pragma once

#include <string>
#include <vector>

// The position keys that pgn-extract --hashcomments writes after each move, as
// comments "{ HEX }" holding hexadecimal digits without leading zeros, in text order.
inline std::vector<std::string> hash_comments(const std::string& text)
{
    std::vector<std::string> hashes;
    for (std::size_t open = text.find("{ "); open != std::string::npos; open = text.find("{ ", open + 1)) {
        const std::size_t close = text.find(" }", open + 2);
        if (close == std::string::npos)
            break;
        const std::string digits = text.substr(open + 2, close - open - 2);
        if (!digits.empty() && digits.size() <= 16 && digits.find_first_not_of("0123456789abcdef") == std::string::npos)
            hashes.push_back(digits);
    }
    return hashes;
}
