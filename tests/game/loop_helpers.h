// The event helpers for the game loop live in the game fixture now.
#pragma once

#include "tests/game/game_fixture.h"
