// Feature lines come straight from engines: any text is read without running
// past its end, every answer names a pair, and a "done=1" pair is answered
// last.
#include "engines/protocol_detection.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    EngineVariables ev;
    FeatureReply reply = handle_feature_pairs(text, ev);
    for (const std::string& answer : reply.answers) {
        if (answer.compare(0, 9, "accepted ") != 0 || answer.size() - 9 > text.size()) {
            std::abort();
        }
    }
    if (reply.done && (reply.answers.empty() || reply.answers.back() != "accepted done")) {
        std::abort();
    }
    return 0;
}
