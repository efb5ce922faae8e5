// The key/value store behind "prefs.txt" and every menu file: lines of "key: value",
// kept in file order so that a save writes the file back as the player wrote it.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <vector>

class ConfigStore {
public:
    // Reads the file's lines into the store. A line ends at a line feed; carriage returns
    // before it (a file written on another system) are not part of the line. Returns 0 when
    // the file was read, 1 when it cannot be opened (the store is then unchanged). No line is
    // ever rejected.
    int load(const char* file_name);

    // Writes the store: every loaded line in its place, as it was read unless its key's value
    // changed (then as "key: value", at each of the key's places), then the keys that were
    // added since, in key order. Unchanged, a file of line-feed lines is written back byte for
    // byte. The file is replaced safely (see replace_file_contents): on any failure it is left
    // untouched, false is returned and errno tells the system's reason.
    bool save(const char* file_name) const;

    // The key's value. A missing key is inserted with an empty value. Assigning through the
    // reference sets the value.
    std::string& get_string(std::string key);

    // The leading decimal number of the key's value, as atoi reads it (0 when there is none),
    // saturated to the int range. Inserts a missing key like get_string.
    int get_int(std::string key);

    // Look-ups that never add a key, so that reading a setting cannot change what the
    // player's file will hold. find gives the value, or null when the key is missing.
    const std::string* find(const std::string& key) const;
    // The value read as get_int reads it, or fallback when the key is missing or empty.
    int find_int(const std::string& key, int fallback) const;
    // Whether the value is exactly "true"; fallback when the key is missing. Any other text
    // ("yes", "1", "") reads as false, as the yes/no settings always have.
    bool find_bool(const std::string& key, bool fallback) const;
    // Sets the key's value, adding the key when it is missing.
    void set(const std::string& key, const std::string& value);
    // Takes the key out, so that it reads as missing; its lines are then saved unchanged.
    void remove(const std::string& key);
    // Sets the key's value for reading only: a save writes the key's lines as the file held
    // them, and no line for a key the file lacks, until the key is set again. For settings
    // laid over the player's own for a while (a skin worn, a switch given for one run).
    void set_unsaved(const std::string& key, const std::string& value);
    // Adds one line at the end as load reads a line: a save writes it back as it is.
    void add_line(const std::string& line);

    // Every key ever loaded, set or looked up, with its value. std::string orders its bytes
    // as unsigned values, which is the byte-wise key order the appended keys are saved in.
    const std::map<std::string, std::string>& values() const { return settings; }
    // The key of each line, in file order; "" stands for a line with no key (blank, no colon,
    // or a colon first).
    const std::vector<std::string>& order() const { return line_keys; }
    // The 1-based number of the key's last line (the one whose value counts), 0 when no line
    // has the key.
    int line_of(const std::string& key) const;

    // The text save() would write.
    std::string to_text() const;

private:
    std::map<std::string, std::string> settings;
    std::vector<std::string> line_keys;
    // The text of each line of line_keys as it was read (without its line end), written back
    // as it is while its key keeps the value it was loaded with.
    std::vector<std::string> lines;
    // Each key's value as the file gave it, to tell the keys changed since loading.
    std::map<std::string, std::string> loaded;

    bool changed_since_loading(const std::string& key) const;
};

// Reads the next line of in into line, without the carriage returns that a file written on
// another system ends its lines with (a carriage return there is never meant as data). False
// at the end of in.
bool read_text_line(std::istream& in, std::string& line);

// The key and the value of one non-empty line, as load reads them: the key is everything before
// the first colon ("" when there is none), the value the rest after one optional space. For
// readers that must see every line, duplicate keys included.
void split_line(const std::string& line, std::string& key, std::string& value);

// The leading decimal number of text, as get_int reads a value: 0 when there is none,
// saturated to the int range.
int leading_int(const std::string& text);

// The "%i" decimal text of n: "-3", "0", "42".
std::string int_to_text(int n);
