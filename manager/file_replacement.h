#pragma once

#include <string>

// How replacing a file's contents ended.
enum class FileReplacement {
    done,
    // No temporary file could be made in the target's directory.
    open_failed,
    // Writing, syncing, closing or renaming failed; the temporary file is gone.
    write_failed,
};

// Replaces the contents of the file at path with text so that the file is
// always whole, old or new: the text goes to a fresh file in the same
// directory (a hidden name that ends in ".tmp" followed by random letters),
// is written and synced with every step checked, and is renamed over path.
// A new file gets mode 0644.
FileReplacement replace_file(const std::string& path, const std::string& text);
