# The libraries of the browser build: emscripten's own SDL 1.2, SDL_image, SDL_ttf and SDL_mixer,
# which draw to a canvas and come with the compiler. They stand in for the desktop's pkg-config
# targets under the same names, so every folder links them as it links the desktop's.
set(WEB_SDL_INCLUDE ${EMSCRIPTEN_SYSROOT}/include/SDL)
foreach(library SDL SDL_IMAGE SDL_TTF SDL_MIXER)
  add_library(PkgConfig::${library} INTERFACE IMPORTED)
  set_target_properties(PkgConfig::${library} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${WEB_SDL_INCLUDE})
  set(${library}_INCLUDE_DIRS ${WEB_SDL_INCLUDE})
endforeach()
