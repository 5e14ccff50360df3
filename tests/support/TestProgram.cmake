# test_program(target label): runs a GoogleTest program's cases as tests with `label`.
# Under Wine the whole program is one test: one Wine start, where the listing and each case
# would start it again.
include_guard(GLOBAL)
function(test_program target label)
  if(WIN32)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES LABELS ${label})
  else()
    gtest_discover_tests(${target} PROPERTIES LABELS ${label} DISCOVERY_TIMEOUT 120)
  endif()
endfunction()
