#pragma once

#include "engines/engine_variables.h"
#include "engines/home_dir.h"

#include <map>
#include <string>

// The engines the user has installed, keyed by installed name, each with its
// complete settings record; kept in "engines.cfg" in the per-user directory,
// the previous version in "engines.cfg~". Instances share only the file.
class InstalledEngines {
public:
    // Creates the per-user directory when missing; reads no file.
    InstalledEngines();

    // Replaces the list by the engines of "engines.cfg" (or of its backup
    // when the file itself is missing). A file that cannot be read at all
    // leaves the list unchanged; nothing is reported.
    void read_engines_cfg();
    // Saves the list: writes a new file beside the old one, keeps the old one
    // as "engines.cfg~" and then puts the new one in its place. Throws
    // std::runtime_error when any step fails; the previous file and backup
    // are then left as they were.
    void write_engines_cfg() const;

    // Stores a copy under the record's name, or its id name when the name is
    // empty, replacing a record of that name.
    void add(const EngineVariables& ev);
    // Removes the engine of that name; an unknown name changes nothing.
    void remove(const std::string& name);
    // Removes the engine under the record's name.
    void remove(const EngineVariables& ev);
    bool contains(const std::string& name) const;
    // The installed engines in name order.
    const std::map<std::string, EngineVariables>& engines() const { return m_engines; }
    // Short text dump: names, paths and options with their types.
    std::string to_string() const;

    // The file as write_engines_cfg saves it.
    std::string cfg_text() const;
    const std::string& cfg_path() const { return m_cfg; }
    const std::string& backup_path() const { return m_cfg_backup; }

private:
    void read_from(const std::string& path);
    void read_line(const std::string& line, std::string& current);

    HomeDir m_homedir;
    std::string m_cfg;
    std::string m_cfg_backup;
    std::map<std::string, EngineVariables> m_engines;
};
