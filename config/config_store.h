// The key/value store behind "prefs.txt" and every menu file: lines of "key: value",
// kept in file order so that a save writes the file back as the player wrote it.
#pragma once

#include <map>
#include <string>
#include <vector>

class ConfigStore {
public:
    // Every key ever loaded, set or looked up, with its value. std::string orders its bytes
    // as unsigned values, which is the byte-wise key order the appended keys are saved in.
    std::map<std::string, std::string> values;
    // One entry per line read, in file order; "" stands for a line with no key (blank,
    // no colon, or a colon first).
    std::vector<std::string> order;

    // Reads the file's lines into the store. Returns 0 when the file was read, 1 when it
    // cannot be opened (the store is then unchanged). No line is ever rejected.
    int load(const char* file_name);

    // Writes the store: every loaded line in its place with its key's current value, then the
    // keys that were added since, in key order. The old file is replaced only once the new
    // content is completely on disk; on any failure it is left untouched and false is returned.
    bool save(const char* file_name) const;

    // The key's value. A missing key is inserted with an empty value. Assigning through the
    // reference sets the value.
    std::string& get_string(std::string key);

    // The leading decimal number of the key's value, as atoi reads it (0 when there is none),
    // saturated to the int range. Inserts a missing key like get_string.
    int get_int(std::string key);

    // The text save() would write.
    std::string to_text() const;

private:
    void add_line(const std::string& line);
};

// The key and the value of one non-empty line, as load reads them: the key is everything before
// the first colon ("" when there is none), the value the rest after one optional space. For
// readers that must see every line, duplicate keys included.
void split_line(const std::string& line, std::string& key, std::string& value);

// The "%i" decimal text of n: "-3", "0", "42".
std::string int_to_text(int n);
