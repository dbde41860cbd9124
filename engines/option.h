#pragma once

#include <string>
#include <vector>

// One engine option in UCI form: name, type word ("check", "spin", "combo",
// "button", "string"), default, range, choices, the current value as the text
// sent to the engine, and whether the user changed it in the options dialog.
class Option {
public:
    Option();
    // Reads an option line such as
    // "option name Hash type spin default 16 min 1 max 1024"; the value starts
    // as the default. Throws std::runtime_error when the first word is not
    // "option".
    explicit Option(std::string line);

    std::string get_name() const { return m_name; }
    std::string get_type() const { return m_type; }
    std::string get_default() const { return m_default; }
    std::string get_min() const { return m_min; }
    std::string get_max() const { return m_max; }
    std::vector<std::string> get_vars() const { return m_vars; }
    std::string get_value() const { return m_value; }
    bool get_changed() const { return m_changed; }

    void set_name(const std::string& name) { m_name = name; }
    void set_type(const std::string& type) { m_type = type; }
    void set_default(const std::string& text) { m_default = text; }
    void set_min(const std::string& text) { m_min = text; }
    void set_max(const std::string& text) { m_max = text; }
    // Leaves the changed mark alone.
    void set_value(const std::string& text) { m_value = text; }
    void add_var(const std::string& choice) { m_vars.push_back(choice); }
    void set_changed(bool changed) { m_changed = changed; }

    // The twelve words of an option line: the seven field keywords and the
    // five type words.
    static bool is_keyword(const std::string& word);
    // "check", "spin", "combo", "button", "string", "max" and "var".
    static bool is_type_word(const std::string& word);
    bool is_option_word(const std::string& word) const;

private:
    std::string m_name;
    std::string m_type;
    std::string m_default;
    std::string m_min;
    std::string m_max;
    std::vector<std::string> m_vars;
    std::string m_value;
    bool m_changed;
};
