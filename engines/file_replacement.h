#pragma once

#include <string>

// How writing a file's new contents ended. After a failure errno holds the
// system's reason.
enum class FileReplacement {
    done,
    // No temporary file could be made in the target's directory.
    open_failed,
    // Writing, syncing, closing or renaming failed; the temporary file is gone.
    write_failed,
};

// The file that writing to path really changes: path with every symbolic
// link on it followed (relative links read from the link's own directory),
// or path itself when it is no link. A chain of links that never ends
// gives the last link reached.
std::string replacement_target(const std::string& path);

// Writes text to a fresh file in the directory of path (the hidden name
// ".save.tmp" followed by six random letters), with every write, the sync
// and the close checked, and the file locked while it is written. The file
// gets the permissions of the file at path when there is one, otherwise
// those the user's umask leaves of 0666. On done, temporary holds the file's
// path and the caller renames or removes it; otherwise no file is left behind.
FileReplacement write_temporary_beside(const std::string& path, const std::string& text, std::string& temporary);

// Replaces the contents of the file at path with text so that the file is
// always whole, old or new: the text goes to a temporary file beside the
// replacement target (write_temporary_beside), which is then renamed over
// it, the temporary file locked until then. A symbolic link at path stays
// and leads to the new contents; a replaced file keeps its permissions.
FileReplacement replace_file(const std::string& path, const std::string& text);

// Removes from the directory the temporary files of replace_file that a
// program killed while writing left behind: those of its name that no
// running program holds locked. Files it cannot open or remove stay.
void remove_left_over_temporaries(const std::string& directory);
