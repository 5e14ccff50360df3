# Runs the renderer on one generated input and checks the outcome. Variables (lists are
# '|'-separated, so that they pass through a test's command line):
#   WORKDIR   a folder of its own, emptied first
#   TOOL      command of render_wav_tool
#   RENDER    command of the renderer;  ARGS its options
#   INPUT     a case of render_wav_tool, an existing file to copy, or "missing" (no file)
#   OUTPUT    output file name inside WORKDIR (default out.wav; may name a missing folder)
#   PIPE      if set, RENDER reads standard input and writes standard output ("-" for both)
#   EXPECT    "error"             non-zero exit, one line on stderr, nothing left behind
#             "same"              success; also rendered by RENDER_B with ARGS_B, the two
#                                 outputs agree within TOLERANCE
#   MESSAGE   with "error": a regular expression the line must match; otherwise one the
#             summary line of the (first) render must match
cmake_minimum_required(VERSION 3.20)

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

function(run_render command args output pipe)
  if(pipe)
    execute_process(COMMAND ${command} ${args} - - INPUT_FILE ${WORKDIR}/in.wav OUTPUT_FILE ${WORKDIR}/${output}
      WORKING_DIRECTORY ${WORKDIR} RESULT_VARIABLE rc ERROR_VARIABLE err)
  else()
    execute_process(COMMAND ${command} ${args} ${WORKDIR}/in.wav ${WORKDIR}/${output}
      WORKING_DIRECTORY ${WORKDIR} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  endif()
  set(render_rc "${rc}" PARENT_SCOPE)
  set(render_err "${err}" PARENT_SCOPE)
endfunction()

foreach(list TOOL RENDER RENDER_B ARGS ARGS_B)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
if(NOT OUTPUT)
  set(OUTPUT out.wav)
endif()
if(NOT TOLERANCE)
  set(TOLERANCE 0)
endif()

file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
if(EXISTS ${INPUT})
  file(COPY_FILE ${INPUT} ${WORKDIR}/in.wav)
elseif(NOT INPUT STREQUAL "missing")
  execute_process(COMMAND ${TOOL} make ${INPUT} ${WORKDIR}/in.wav RESULT_VARIABLE rc
    OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    fail("cannot make input case ${INPUT} (exit ${rc}): ${out}${err}")
  endif()
endif()
file(GLOB_RECURSE before LIST_DIRECTORIES true RELATIVE ${WORKDIR} ${WORKDIR}/*)

run_render("${RENDER}" "${ARGS}" ${OUTPUT} "${PIPE}")

if(EXPECT STREQUAL "error")
  if(render_rc EQUAL 0)
    fail("the renderer succeeded on a bad case; stderr: ${render_err}")
  endif()
  if(NOT render_err MATCHES "^ruvoda-render: [^\n]+\n$")
    fail("expected exactly one line on stderr, got:\n${render_err}")
  endif()
  if(MESSAGE AND NOT render_err MATCHES "${MESSAGE}")
    fail("the message does not match '${MESSAGE}': ${render_err}")
  endif()
  if(PIPE)
    # The redirection made the output file; the renderer must have sent nothing into it.
    file(SIZE ${WORKDIR}/${OUTPUT} sent)
    if(NOT sent EQUAL 0)
      fail("${sent} bytes went to standard output")
    endif()
    file(REMOVE ${WORKDIR}/${OUTPUT})
  endif()
  file(GLOB_RECURSE after LIST_DIRECTORIES true RELATIVE ${WORKDIR} ${WORKDIR}/*)
  if(NOT "${after}" STREQUAL "${before}")
    fail("files left behind: '${after}' (before: '${before}')")
  endif()
  message(STATUS "rejected as expected: ${render_err}")
  return()
endif()

if(NOT render_rc EQUAL 0)
  fail("the renderer failed (${render_rc}): ${render_err}")
endif()
if(NOT render_err MATCHES "^ruvoda-render: [0-9]+ frames in, [0-9]+ frames out; [^\n]+\n$")
  fail("expected the one-line summary on stderr, got:\n${render_err}")
endif()
if(MESSAGE AND NOT render_err MATCHES "${MESSAGE}")
  fail("the summary does not match '${MESSAGE}': ${render_err}")
endif()
if(EXISTS ${WORKDIR}/${OUTPUT}.tmp)
  fail("the temporary file is still there")
endif()

if(EXPECT STREQUAL "same")
  if(NOT RENDER_B)
    set(RENDER_B "${RENDER}")
  endif()
  run_render("${RENDER_B}" "${ARGS_B}" other.wav "")
  if(NOT render_rc EQUAL 0)
    fail("the second render failed (${render_rc}): ${render_err}")
  endif()
  execute_process(COMMAND ${TOOL} compare ${WORKDIR}/${OUTPUT} ${WORKDIR}/other.wav ${TOLERANCE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    fail("the two renders differ: ${out}${err}")
  endif()
  message(STATUS "${out}${err}")
else()
  fail("unknown EXPECT '${EXPECT}'")
endif()
