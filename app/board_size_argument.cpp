#include "app/board_size_argument.h"

#include <sstream>
#include <string>

int board_size_argument(int argc, const char* const* argv, std::ostream& err)
{
    constexpr int default_size = 560;
    if (argc != 3 || std::string(argv[1]).rfind("-s", 0) != 0)
        return default_size;
    std::istringstream text(argv[2]);
    int size = 0;
    if (!(text >> size))
        size = 0;
    err << "boardsize=" << size << std::endl;
    return size;
}
