# Cross-compile for 32-bit Windows (x86) and run the resulting programs under Wine's 32-bit
# loader in the same 64-bit prefixes.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RUVODA_MINGW_TARGET i686-w64-mingw32)
# SSE2 arithmetic, as in the 64-bit build: with the x87 unit's wider intermediates the same
# source renders samples that differ from the other build's, and even between two inlined
# copies of the same code in one program.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# Exported stdcall entry points keep their plain names (DllGetClassObject, not @12), as
# regsvr32 and COM look them up.
set(RUVODA_MINGW_SHARED_LINKER_FLAGS "-Wl,--kill-at")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)
