# Recording a game and playing it again: the same game, verified; other rules refused.
add_game_test(game_recording_tests SOURCES recording_test.cpp LIBS game game_fixture)
