# The run folder keeps the player's "prefs.txt" across rebuilds: a first rebuild without a copy of
# the shipped file only adds new settings, a later one also brings the values the player left
# alone up to date. Run with:
# cmake -D SOURCE_DIR=... -D WORK_DIR=... -D UPDATE_PREFS=... -P run_folder_test.cmake
cmake_minimum_required(VERSION 3.21)
set(data ${WORK_DIR}/data)
set(run ${WORK_DIR}/run)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${data}/images ${run})
file(WRITE ${data}/images/a.png "picture")
file(WRITE ${run}/prefs.txt "drop_key: return\nwindow_w: 640")

function(fill shipped expected_prefs expected_output)
  file(WRITE ${data}/prefs.txt "${shipped}")
  execute_process(COMMAND ${CMAKE_COMMAND} -D DATA_DIR=${data} -D RUN_DIR=${run} -D FONTS=
                          -D UPDATE_PREFS=${UPDATE_PREFS}
                          -P ${SOURCE_DIR}/cmake/fill_run_folder.cmake
                  RESULT_VARIABLE status OUTPUT_VARIABLE output)
  file(READ ${run}/prefs.txt prefs)
  if(NOT status EQUAL 0 OR NOT prefs STREQUAL expected_prefs OR NOT output MATCHES "${expected_output}")
    message(FATAL_ERROR "status ${status}, prefs.txt:\n${prefs}\nexpected:\n${expected_prefs}\n"
                        "output:\n${output}\nexpected to match: ${expected_output}")
  endif()
endfunction()

fill("window_w: 800\ndrop_key: space\n\nmain_menu: menus/main.txt\n"
     "drop_key: return\nwindow_w: 640\nmain_menu: menus/main.txt\n"
     "no .*prefs.txt.shipped to compare with.*main_menu added")
fill("window_w: 800\ndrop_key: tab\n\nmain_menu: menus/new.txt\n"
     "drop_key: return\nwindow_w: 640\nmain_menu: menus/new.txt\n"
     "main_menu takes the new shipped value \"menus/new.txt\"")
if(NOT EXISTS ${data}/images/a.png OR NOT EXISTS ${run}/images/a.png)
  message(FATAL_ERROR "the shipped picture was not copied")
endif()
