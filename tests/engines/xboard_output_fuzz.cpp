// Whatever an xboard engine prints, the driver thread translates it without
// failing: moves in any spelling, thinking lines with any numbers, results.
#include "core/chess_position.h"
#include "engines/engine_variables.h"
#include "engines/engio.h"
#include "engines/xboard_engine.h"
#include "engines/xboard_output.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

class ExposedXboardEngine : public XboardEngine {
public:
    using XboardEngine::handle_line;
};

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Engio engio;
    static EngineVariables ev;
    static ExposedXboardEngine engine;
    static bool ready = false;
    if (!ready) {
        engine.init(1, &ev, &engio);
        ready = true;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    ev.features().san = !text.empty() && (text[0] & 1);
    ChessPosition start;
    start.set_start_position();
    engine.set_position(start);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        (void)xboard_thinking_to_info(line);
        (void)engine.handle_line(line);
    }
    return 0;
}
