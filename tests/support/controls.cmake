# Driver for the skinned controls: a host window that records what it is told, mouse and
# wheel messages and pixels read back (Windows tree).
if(WIN32 AND TARGET ruvoda_skin)
  add_library(controls_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp)
  target_include_directories(controls_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(controls_test_support PUBLIC ruvoda_skin GTest::gtest)
endif()
