#include "engines/installed_engines.h"

#include "engines/file_replacement.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

namespace {

const char* const protocol_lines[] = {"protocol autodetect", "protocol uci", "protocol xboard_v1",
                                      "protocol xboard_v2"};

bool is_white_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Removes the space characters (only those) at both ends.
std::string trim_blanks(const std::string& text)
{
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        return "";
    }
    std::size_t end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}

// A word of a line and the position just after it.
struct Word {
    std::string text;
    std::size_t end;
};

// The words of a line, runs of white space separating them.
std::vector<Word> words_of(const std::string& line)
{
    std::vector<Word> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && is_white_space(line[pos])) {
            ++pos;
        }
        std::size_t begin = pos;
        while (pos < line.size() && !is_white_space(line[pos])) {
            ++pos;
        }
        if (pos > begin) {
            words.push_back({line.substr(begin, pos - begin), pos});
        }
    }
    return words;
}

// Reads "setoption name NAME value VALUE"; false when the line does not
// have that form. The name ends at the first word "value" after its own
// first word.
bool read_setoption(const std::string& line, const std::vector<Word>& words, Option& option)
{
    if (words.size() < 3 || words[1].text != "name") {
        return false;
    }
    std::string name = words[2].text;
    for (std::size_t i = 3; i < words.size(); ++i) {
        if (words[i].text == "value") {
            option.set_name(name);
            option.set_value(trim_blanks(line.substr(words[i].end)));
            return true;
        }
        name += " " + words[i].text;
    }
    return false;
}

// A new, empty file beside target with a unique name; its path is stored in
// path and its descriptor returned, or -1. The copy that fills it takes the
// permissions of the file copied.
int create_unique_beside(const std::string& target, std::string& path)
{
    std::vector<char> name(target.begin(), target.end());
    const std::string suffix = ".XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd >= 0) {
        path = name.data();
    }
    return fd;
}

[[noreturn]] void fail(const std::string& fault, const std::string& remove_first = "")
{
    if (!remove_first.empty()) {
        std::remove(remove_first.c_str());
    }
    throw std::runtime_error("InstalledEngines::write_engines_cfg()   " + fault);
}

// Writes text to a fresh file beside target and returns its path; every
// write, the sync and the close are checked.
std::string write_temporary(const std::string& target, const std::string& text)
{
    std::string path;
    switch (write_temporary_beside(target, text, path)) {
    case FileReplacement::done:
        return path;
    case FileReplacement::open_failed:
        fail("open file error");
    case FileReplacement::write_failed:
        break;
    }
    fail("write error");
}

// Replaces the backup by a copy of the current file, in one rename.
void keep_backup(const std::string& cfg, const std::string& backup)
{
    std::string path;
    int fd = create_unique_beside(backup, path);
    if (fd < 0) {
        fail("backup error");
    }
    ::close(fd);
    std::error_code error;
    std::filesystem::copy_file(cfg, path, std::filesystem::copy_options::overwrite_existing, error);
    if (error || std::rename(path.c_str(), backup.c_str()) != 0) {
        fail("backup error", path);
    }
}

}

InstalledEngines::InstalledEngines()
    : m_cfg(m_homedir.get() + "engines.cfg"), m_cfg_backup(m_homedir.get() + "engines.cfg~")
{
}

void InstalledEngines::read_engines_cfg()
{
    if (std::filesystem::is_regular_file(m_cfg)) {
        read_from(m_cfg);
    } else if (std::filesystem::is_regular_file(m_cfg_backup)) {
        read_from(m_cfg_backup);
    }
}

void InstalledEngines::read_from(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return;
    }
    m_engines.clear();
    std::string current;
    std::string line;
    while (std::getline(in, line)) {
        // A file edited on another system may end its lines in CR LF; values are
        // trimmed of blanks anyway, so blanks mixed with those CRs go too.
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        read_line(line, current);
    }
}

void InstalledEngines::read_line(const std::string& line, std::string& current)
{
    std::vector<Word> words = words_of(line);
    if (words.empty()) {
        return;
    }
    const std::string& keyword = words[0].text;
    std::string rest = line.substr(words[0].end);

    if (keyword == "name") {
        current = trim_blanks(rest);
        EngineVariables& ev = m_engines[current];
        ev = EngineVariables();
        ev.set_name(current);
        ev.set_player_name(current);
        return;
    }
    if (keyword != "filename" && keyword != "protocol" && keyword != "elo" && keyword != "handicap" &&
        keyword != "setoption") {
        return;
    }
    EngineVariables& ev = m_engines[current];
    if (keyword == "filename") {
        ev.set_filename(trim_blanks(rest));
    } else if (keyword == "protocol") {
        const char* const names[] = {"autodetect", "uci", "xboard_v1", "xboard_v2"};
        for (int code = 0; code < 4; ++code) {
            if (rest.find(names[code]) != std::string::npos) {
                ev.set_protocol(code);
                break;
            }
        }
    } else if (keyword == "elo") {
        ev.set_elo(trim_blanks(rest));
    } else if (keyword == "handicap") {
        ev.set_handicap(trim_blanks(rest));
    } else {
        Option option;
        if (read_setoption(line, words, option)) {
            ev.set_option(option);
        }
    }
}

std::string InstalledEngines::cfg_text() const
{
    std::string text = "#                       Installed engines\n#\n";
    for (const auto& [name, ev] : m_engines) {
        text += "\nname " + name + "\n";
        if (!ev.get_filename().empty()) {
            text += "filename " + ev.get_filename() + "\n";
        }
        int protocol = ev.get_protocol();
        if (protocol >= 0 && protocol <= 3) {
            text += std::string(protocol_lines[protocol]) + "\n";
        }
        if (!ev.get_elo().empty()) {
            text += "elo " + ev.get_elo() + "\n";
        }
        if (!ev.get_handicap().empty()) {
            text += "handicap " + ev.get_handicap() + "\n";
        }
        for (const auto& [key, option] : ev.get_options()) {
            text += "setoption name " + option.get_name() + " value " + option.get_value() + "\n";
        }
    }
    return text;
}

void InstalledEngines::write_engines_cfg() const
{
    namespace fs = std::filesystem;
    bool has_previous = fs::exists(m_cfg);
    if (has_previous && !fs::is_regular_file(m_cfg)) {
        fail("open file error");
    }
    // A link to a file kept elsewhere stays a link: the file it leads to is replaced.
    const std::string target = replacement_target(m_cfg);
    std::string temporary = write_temporary(target, cfg_text());
    if (has_previous) {
        try {
            keep_backup(m_cfg, m_cfg_backup);
        } catch (...) {
            std::remove(temporary.c_str());
            throw;
        }
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        fail("rename error", temporary);
    }
}

void InstalledEngines::add(const EngineVariables& ev)
{
    std::string key = ev.get_name().empty() ? ev.get_idname() : ev.get_name();
    m_engines[key] = ev;
}

void InstalledEngines::remove(const std::string& name) { m_engines.erase(name); }

void InstalledEngines::remove(const EngineVariables& ev) { m_engines.erase(ev.get_name()); }

bool InstalledEngines::contains(const std::string& name) const { return m_engines.count(name) != 0; }

std::string InstalledEngines::to_string() const
{
    std::string text;
    for (const auto& [name, ev] : m_engines) {
        text += "\nname " + name + "\n";
        if (!ev.get_filename().empty()) {
            text += "filename " + ev.get_filename() + "\n";
        }
        for (const auto& [key, option] : ev.get_options()) {
            text += "setoption name " + option.get_name() + " type " + option.get_type() + " value " +
                    option.get_value() + "\n";
        }
    }
    return text;
}
