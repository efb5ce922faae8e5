// Reading a file whole, and replacing one so that a failure never leaves it half written.
#pragma once

#include <string>

// Writes contents to a new file beside the file that file_name names, checks every write and
// the close, and only then renames it over that file. A symbolic link is followed (through
// any chain of links) and the file it names is replaced in its own folder, the link itself
// left as it is. An existing file keeps its permission bits; one the process may not write is
// not replaced. A newly created file gets rw-rw-r-- (less the process umask). On any failure
// the new file is removed, the old one keeps its content, false is returned and errno holds
// the system's reason. Built with BROWSER_STORAGE, a replaced file is also handed to the page,
// which keeps it in the browser's storage (a failure there is the page's to show).
bool replace_file_contents(const char* file_name, const std::string& contents);

// Reads the whole file into bytes, every byte as it is (carriage returns included). False when
// it cannot be opened.
bool read_file_contents(const std::string& file_name, std::string& bytes);
