# The player's options: landing shadow, hold box, bag dealer.
add_game_test(game_options_tests SOURCES options_test.cpp LIBS game game_fixture)
