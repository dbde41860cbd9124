#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Breaks movetext into lines of at most 80 characters where a break point
// allows: at a blank outside "[%...]" comment commands (the blank becomes the
// line feed) or, after a blank, just before a "[%" (a line feed is inserted
// and the blank stays). A blank that follows a blank and precedes a "[%" is no
// break point, so every "\n[%" after a blank was inserted and the comment
// reader drops it again. Commands are never split; a stretch
// without break points stays one long line. When inserted_at is given, it
// receives, in ascending order, the index in the unwrapped text before which
// each inserted line feed stands.
std::string wrap_movetext(std::string_view text, std::vector<std::size_t>* inserted_at = nullptr);
