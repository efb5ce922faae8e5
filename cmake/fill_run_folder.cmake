# Copies the shipped game data and the menu fonts into the folder the game runs in.
# Usage: cmake -D DATA_DIR=... -D RUN_DIR=... -D FONTS=a.ttf;b.ttf -P fill_run_folder.cmake
file(MAKE_DIRECTORY ${RUN_DIR})
file(GLOB_RECURSE data_files RELATIVE ${DATA_DIR} ${DATA_DIR}/*)
foreach(relative ${data_files})
  if(relative STREQUAL "prefs.txt" AND EXISTS ${RUN_DIR}/prefs.txt)
    continue()  # the player's own bindings survive a rebuild
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
