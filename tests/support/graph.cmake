# Stand-in pins, media-type builders and the COM entry of the test programs (Windows tree).
if(WIN32)
  add_library(test_graph STATIC
    ${CMAKE_CURRENT_LIST_DIR}/StandInPins.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaveTypes.cpp
  )
  target_include_directories(test_graph PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(test_graph PUBLIC ruvoda_base test_audio GTest::gtest)
  # The entry of test programs whose every test needs COM; others bring their own main.
  add_library(test_com_main STATIC ${CMAKE_CURRENT_LIST_DIR}/ComMain.cpp)
  target_link_libraries(test_com_main PUBLIC GTest::gtest ole32)
endif()
