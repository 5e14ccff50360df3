# Runs the renderer on one generated input and checks the outcome. WORKDIR is a folder of its
# own, TOOL the command of render_wav_tool, RENDER this tree's renderer; CASE holds these
# keywords ('|'-separated, as all three lists, so that they pass through a command line):
#   INPUT     a case of render_wav_tool, or "missing" (no file)
#   RENDER    the renderer (default RENDER);  ARGS its options
#   OUTPUT    the output's name in WORKDIR (default out.wav; may name a missing folder)
#   PIPE      the renderer reads standard input and writes standard output ("-" for both)
#   ERROR     a non-zero exit, one line on stderr and nothing left behind is expected;
#             without it success, and RENDER_B (default RENDER) with ARGS_B renders the
#             same samples within TOLERANCE
#   MESSAGE   a regular expression the error line, else the first render's summary, matches
cmake_minimum_required(VERSION 3.20)
foreach(list TOOL RENDER CASE)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
cmake_parse_arguments(C "PIPE;ERROR" "INPUT;OUTPUT;MESSAGE;TOLERANCE" "RENDER;ARGS;RENDER_B;ARGS_B"
  ${CASE})
foreach(default "C_RENDER;${RENDER}" "C_RENDER_B;${RENDER}" "C_OUTPUT;out.wav" "C_TOLERANCE;0")
  list(POP_FRONT default name)
  if(NOT ${name})
    set(${name} ${default})
  endif()
endforeach()

# Renders in.wav into `output`; with `pipe` through the standard streams.
function(render command args output pipe)
  set(files ${WORKDIR}/in.wav ${WORKDIR}/${output})
  if(pipe)
    set(files - - INPUT_FILE ${WORKDIR}/in.wav OUTPUT_FILE ${WORKDIR}/${output})
  endif()
  execute_process(COMMAND ${command} ${args} ${files} WORKING_DIRECTORY ${WORKDIR}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  set(rc "${rc}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
if(NOT C_INPUT STREQUAL "missing")
  execute_process(COMMAND ${TOOL} make ${C_INPUT} ${WORKDIR}/in.wav RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot make input case ${C_INPUT} (exit ${rc})")
  endif()
endif()
file(GLOB_RECURSE before LIST_DIRECTORIES true RELATIVE ${WORKDIR} ${WORKDIR}/*)
render("${C_RENDER}" "${C_ARGS}" ${C_OUTPUT} "${C_PIPE}")

if(C_ERROR)
  if(rc EQUAL 0 OR NOT err MATCHES "^ruvoda-render: [^\n]+\n$" OR NOT err MATCHES "${C_MESSAGE}")
    message(FATAL_ERROR "expected a failure with one line matching '${C_MESSAGE}', got exit ${rc}:\n${err}")
  endif()
  if(C_PIPE)
    # The redirection made the output file; the renderer must have sent nothing into it.
    file(SIZE ${WORKDIR}/${C_OUTPUT} sent)
    file(REMOVE ${WORKDIR}/${C_OUTPUT})
    if(NOT sent EQUAL 0)
      message(FATAL_ERROR "${sent} bytes went to standard output")
    endif()
  endif()
  file(GLOB_RECURSE after LIST_DIRECTORIES true RELATIVE ${WORKDIR} ${WORKDIR}/*)
  if(NOT "${after}" STREQUAL "${before}")
    message(FATAL_ERROR "files left behind: '${after}' (before: '${before}')")
  endif()
  return()
endif()

if(NOT rc EQUAL 0 OR NOT err MATCHES "^ruvoda-render: [0-9]+ frames in, [0-9]+ frames out; [^\n]+\n$"
   OR (C_MESSAGE AND NOT err MATCHES "${C_MESSAGE}"))
  message(FATAL_ERROR "expected success with the one-line summary matching '${C_MESSAGE}', got exit ${rc}:\n${err}")
endif()
render("${C_RENDER_B}" "${C_ARGS_B}" other.wav "")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the second render failed (${rc}): ${err}")
endif()
execute_process(COMMAND ${TOOL} compare ${WORKDIR}/${C_OUTPUT} ${WORKDIR}/other.wav ${C_TOLERANCE}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the two renders differ")
endif()
