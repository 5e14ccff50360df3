# Cross-compile for Windows x86-64 and run the resulting programs under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RUVODA_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-target.cmake)
