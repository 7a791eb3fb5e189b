# vartesk-gui --screenshot: the window with the demo written as a PNG picture, and the program
# gone with 0; a page that does not exist is an error on the standard error.
get_filename_component(folder "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(REMOVE "${OUT}")
execute_process(COMMAND "${GUI}" --screenshot "${OUT}" --page 4 "${DEMO}"
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT code STREQUAL "0")
    message(FATAL_ERROR "exit code '${code}'\nstdout: ${out}\nstderr: ${err}")
endif()
file(READ "${OUT}" head LIMIT 8 HEX)
if(NOT head STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${OUT} is not a PNG picture: ${head}")
endif()
execute_process(COMMAND "${GUI}" --screenshot "${OUT}.bad.png" --page 9 "${DEMO}"
    RESULT_VARIABLE code ERROR_VARIABLE err TIMEOUT 60)
if(NOT code STREQUAL "1" OR NOT err MATCHES "--page" OR EXISTS "${OUT}.bad.png")
    message(FATAL_ERROR "a bad page: exit code '${code}', stderr: ${err}")
endif()
