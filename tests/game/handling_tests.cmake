# The handling options: lock delay, kicks, preview, soft drop, drop protection.
add_game_test(game_handling_tests SOURCES handling_test.cpp LIBS game game_fixture)
target_compile_definitions(game_handling_tests PRIVATE SHIPPED_KICKS="${CMAKE_SOURCE_DIR}/data/kicks.txt")
