# The replay test shares its scripted player with the rules benchmark.
add_game_test(game_rules_tests SOURCES rules_test.cpp replay_test.cpp
  ${CMAKE_SOURCE_DIR}/bench/replay_player.cpp LIBS game game_fixture)
