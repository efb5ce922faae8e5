// The names of the keys the browser's SDL reports, spelt as the desktop's SDL 1.2 spells them,
// so that a prefs.txt binds the same keys in a page as in a window.
#pragma once

// The browser's SDL codes a key with a character as that character (letters in lower case) and
// one without as a scan code (USB HID usage) plus 1024; a few browser codes pass through raw.
// Returns the desktop's name of the key ("left", "space", "[5]", "f11", "a"), or "unknown key"
// for a code it does not know.
const char* browser_key_name(int code);

// Every code browser_key_name knows lies below this one.
const int browser_key_codes_end = 2048;
