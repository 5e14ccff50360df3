# WAV bytes, test signals and an engine harness (both trees).
add_library(test_audio STATIC
  ${CMAKE_CURRENT_LIST_DIR}/EngineHarness.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Signals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WavBytes.cpp
)
target_include_directories(test_audio PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(test_audio PUBLIC ruvoda_core GTest::gtest)
