#pragma once

#include <string>

// How writing a file's new contents ended.
enum class FileReplacement {
    done,
    // No temporary file could be made in the target's directory.
    open_failed,
    // Writing, syncing, closing or renaming failed; the temporary file is gone.
    write_failed,
};

// Writes text to a fresh file in the directory of path (a hidden name that
// ends in ".tmp" followed by random letters, mode 0644), with every write,
// the sync and the close checked. On done, temporary holds the file's path
// and the caller renames or removes it; otherwise no file is left behind.
FileReplacement write_temporary_beside(const std::string& path, const std::string& text, std::string& temporary);

// Replaces the contents of the file at path with text so that the file is
// always whole, old or new: the text goes to a temporary file beside it
// (write_temporary_beside), which is then renamed over path.
FileReplacement replace_file(const std::string& path, const std::string& text);
