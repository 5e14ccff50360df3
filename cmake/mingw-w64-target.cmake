# What both Windows toolchain files share: Debian's MinGW-w64 for the target
# RUVODA_MINGW_TARGET (posix thread model, so that std::mutex and std::thread exist), every
# program standing alone, and the programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${RUVODA_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RUVODA_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${RUVODA_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RUVODA_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything stands alone: no libgcc, libstdc++ or winpthread DLLs beside our files.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
string(STRIP "-static ${RUVODA_MINGW_SHARED_LINKER_FLAGS}" CMAKE_SHARED_LINKER_FLAGS_INIT)
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
