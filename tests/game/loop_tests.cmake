# The game loop: keys, window events, the fall clock and whole games played headless.
find_package(Threads REQUIRED)
add_game_test(game_loop_tests
              SOURCES loop_test.cpp
              LIBS game game_fixture Threads::Threads)
add_game_test(game_modes_tests SOURCES modes_test.cpp LIBS game game_fixture)
