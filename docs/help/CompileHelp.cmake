# Compiles a help project with chmcmd and fails on anything it reports: chmcmd warns about a
# page or picture that does not exist and about an undefined anchor, but still succeeds.
#   cmake -DCHMCMD=<chmcmd> -DSTAGE=<folder with every source> -DPROJECT=<name.hhp> -P CompileHelp.cmake
execute_process(
  COMMAND ${CHMCMD} --html-scan ${PROJECT}
  WORKING_DIRECTORY ${STAGE}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR "${output}${errors}" MATCHES "(Warning|Error):")
  message(FATAL_ERROR "chmcmd could not compile ${PROJECT} cleanly:\n${output}${errors}")
endif()
