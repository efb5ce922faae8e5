// Replacing a file so that a failure never leaves it half written.
#pragma once

#include <string>

// Writes contents to a new file beside file_name, checks every write and the close, and only
// then renames it over file_name. On any failure the new file is removed, file_name keeps its
// old content and false is returned. A newly created file gets the permission bits rw-rw-r--
// (less the process umask).
bool replace_file_contents(const char* file_name, const std::string& contents);
