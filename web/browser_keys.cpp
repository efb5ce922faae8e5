#include "web/browser_keys.h"

namespace {

struct BrowserKey {
    int code;
    const char* name;
};

constexpr int scancode(int usage) {
    return usage | 1 << 10;
}

// The characters the desktop's SDL has a key for (digits, small letters and most punctuation)
// are named by themselves.
const BrowserKey named_keys[] = {
    {8, "backspace"},
    {9, "tab"},
    {12, "clear"},
    {13, "return"},
    {19, "pause"},
    {27, "escape"},
    {32, "space"},
    {127, "delete"},
    // Some browsers pass these punctuation keys on with their own codes.
    {186, ";"},
    {187, "="},
    {189, "-"},
    {316, "print screen"},
    {scancode(57), "caps lock"},
    {scancode(58), "f1"},
    {scancode(59), "f2"},
    {scancode(60), "f3"},
    {scancode(61), "f4"},
    {scancode(62), "f5"},
    {scancode(63), "f6"},
    {scancode(64), "f7"},
    {scancode(65), "f8"},
    {scancode(66), "f9"},
    {scancode(67), "f10"},
    {scancode(68), "f11"},
    {scancode(69), "f12"},
    {scancode(73), "insert"},
    {scancode(74), "home"},
    {scancode(75), "page up"},
    {scancode(77), "end"},
    {scancode(78), "page down"},
    {scancode(79), "right"},
    {scancode(80), "left"},
    {scancode(81), "down"},
    {scancode(82), "up"},
    {scancode(83), "numlock"},
    {scancode(84), "[/]"},
    {scancode(85), "[*]"},
    {scancode(86), "[-]"},
    {scancode(87), "[+]"},
    {scancode(89), "[1]"},
    {scancode(90), "[2]"},
    {scancode(91), "[3]"},
    {scancode(92), "[4]"},
    {scancode(93), "[5]"},
    {scancode(94), "[6]"},
    {scancode(95), "[7]"},
    {scancode(96), "[8]"},
    {scancode(97), "[9]"},
    {scancode(98), "[0]"},
    {scancode(99), "[.]"},
    {scancode(101), "menu"},
    {scancode(104), "f13"},
    {scancode(105), "f14"},
    {scancode(106), "f15"},
    {scancode(224), "left ctrl"},
    {scancode(225), "left shift"},
    {scancode(226), "left alt"},
    {scancode(227), "left super"},
    {scancode(228), "right ctrl"},
    {scancode(229), "right shift"},
    {scancode(230), "right alt"},
    {scancode(231), "right super"},
};

bool names_itself(int code) {
    bool punctuation_or_digit =
        code >= '!' && code <= '`' && code != '%' && !(code >= 'A' && code <= 'Z');
    return punctuation_or_digit || (code >= 'a' && code <= 'z');
}

// One name of one character for each code that names itself.
char character_names[128][2];

}  // namespace

const char* browser_key_name(int code) {
    for (const BrowserKey& key : named_keys) {
        if (key.code == code) {
            return key.name;
        }
    }
    if (names_itself(code)) {
        character_names[code][0] = static_cast<char>(code);
        return character_names[code];
    }
    return "unknown key";
}
