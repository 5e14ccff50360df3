# Cross-compile for Windows x86 (32-bit) with Debian's MinGW-w64 (posix thread model, so that
# std::mutex and std::thread exist), and run the resulting programs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# SSE2 arithmetic, as in the 64-bit build: with the x87 unit's wider intermediates the same
# source renders samples that differ from the other build's, and even between two inlined
# copies of the same code in one program.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# Everything stands alone: no libgcc, libstdc++ or winpthread DLLs beside our files.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Exported stdcall entry points keep their plain names (DllGetClassObject, not @12), as
# regsvr32 and COM look them up.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--kill-at")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
