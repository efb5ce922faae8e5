// The game's icon: a few blocks on the dark rounded card of the menus, drawn at any size for
// the window, the desktop's application menu and the package.
#pragma once

#include <string>

// The icon sizes the desktop's hicolor theme gets, in pixels.
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// Writes the icon as a `size` x `size` PNG with an alpha channel. False when it cannot be
// written.
bool make_icon(int size, const std::string& path);
