add_game_test(game_screen_tests SOURCES screen_test.cpp
  LIBS game game_fixture)
