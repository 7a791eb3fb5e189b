# The start check with a project that does not load: the error goes to the standard error and
# the program leaves with 1 at once, where a message box would wait for nobody.
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/bad.vsk" "version 3.4\nnot a number\n")
execute_process(COMMAND ${XVFB_RUN} -a "${GUI}" --exit-after-start "${WORK}/bad.vsk"
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT code STREQUAL "1")
    message(FATAL_ERROR "exit code '${code}', expected 1\nstdout: ${out}\nstderr: ${err}")
endif()
if(NOT err MATCHES "vartesk-gui: error: [^\n]*bad\\.vsk, line 2")
    message(FATAL_ERROR "no error naming the file and line on stderr:\n${err}")
endif()
