# Cross-compiling for 32-bit Windows with MinGW-w64; programs run under 32-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(KORA_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${KORA_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${KORA_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER  ${KORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs every Windows program through this wrapper (own prefix, own display).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
