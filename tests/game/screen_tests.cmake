add_game_test(game_screen_tests SOURCES screen_draw_test.cpp still_screens_test.cpp
  LIBS game game_fixture)
