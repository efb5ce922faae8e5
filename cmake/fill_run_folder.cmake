# Copies the shipped game data and the menu fonts into the folder the game runs in.
# Usage: cmake -D DATA_DIR=... -D RUN_DIR=... -D FONTS=a.ttf;b.ttf -D UPDATE_PREFS=program
#        -P fill_run_folder.cmake
#
# The player's own "prefs.txt" (with their key bindings) survives a rebuild: UPDATE_PREFS (the
# derevarez-update-prefs program) merges the shipped file into it, so a setting the player left
# alone follows data/prefs.txt and one they changed stays theirs.
cmake_minimum_required(VERSION 3.21)

file(MAKE_DIRECTORY ${RUN_DIR})
file(GLOB_RECURSE data_files RELATIVE ${DATA_DIR} ${DATA_DIR}/*)
foreach(relative ${data_files})
  if(relative STREQUAL "prefs.txt")
    execute_process(COMMAND ${UPDATE_PREFS} ${RUN_DIR}/prefs.txt ${RUN_DIR}/prefs.txt.shipped
                            ${DATA_DIR}/prefs.txt
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "couldn't bring ${RUN_DIR}/prefs.txt up to date")
    endif()
    continue()
  endif()
  get_filename_component(folder ${RUN_DIR}/${relative} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${DATA_DIR}/${relative} ${RUN_DIR}/${relative} ONLY_IF_DIFFERENT)
endforeach()
foreach(font ${FONTS})
  if(NOT EXISTS ${font})
    message(FATAL_ERROR "Missing font ${font}: install the Debian package fonts-dejavu-core")
  endif()
  get_filename_component(font_name ${font} NAME)
  file(COPY_FILE ${font} ${RUN_DIR}/${font_name} ONLY_IF_DIFFERENT)
endforeach()
