# The run folder keeps the player's "prefs.txt" across rebuilds and adds only the settings a
# newer data set brought. Run with: cmake -D SOURCE_DIR=... -D WORK_DIR=... -P run_folder_test.cmake
cmake_minimum_required(VERSION 3.21)
set(data ${WORK_DIR}/data)
set(run ${WORK_DIR}/run)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${data}/images ${run})
file(WRITE ${data}/prefs.txt "window_w: 800\ndrop_key: space\n\nmain_menu: menus/main.txt\n")
file(WRITE ${data}/images/a.png "picture")
file(WRITE ${run}/prefs.txt "drop_key: return\nwindow_w: 640")

execute_process(COMMAND ${CMAKE_COMMAND} -D DATA_DIR=${data} -D RUN_DIR=${run} -D FONTS=
                        -P ${SOURCE_DIR}/cmake/fill_run_folder.cmake
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "filling the run folder failed: ${status}")
endif()

file(READ ${run}/prefs.txt prefs)
set(expected "drop_key: return\nwindow_w: 640\nmain_menu: menus/main.txt\n")
if(NOT prefs STREQUAL expected)
  message(FATAL_ERROR "prefs.txt after a rebuild:\n${prefs}\nexpected:\n${expected}")
endif()
if(NOT EXISTS ${run}/images/a.png)
  message(FATAL_ERROR "the shipped picture was not copied")
endif()
