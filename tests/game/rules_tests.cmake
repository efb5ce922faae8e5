add_game_test(game_rules_tests SOURCES rules_test.cpp replay_test.cpp LIBS game game_fixture)
