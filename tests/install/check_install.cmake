# Installs the build into a scratch prefix and runs the installed program from there: without
# the build folder it must find its templates and seed its working catalog.
#   cmake -DBUILD=<build folder> -DSOURCE=<sources> -DPREFIX=<scratch prefix> -DGUI=ON|OFF -P ...
cmake_minimum_required(VERSION 3.25)

function(run_or_fail what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
run_or_fail("cmake --install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX})

set(expected bin/vartesk share/vartesk/base_provod.dat share/vartesk/Forms/FormMount_en.xls
    share/vartesk/Forms/Journal_ru.xls share/vartesk/Forms/Import_supports.xls
    share/doc/vartesk/user-guide.md)
if(GUI)
    list(APPEND expected bin/vartesk-gui share/applications/vartesk.desktop
        share/icons/hicolor/scalable/apps/vartesk.svg share/mime/packages/vartesk-mime.xml)
endif()
foreach(f IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
# What lies beside the program in the build folder must not be needed beside it now.
foreach(f bin/Forms bin/base_provod.dat)
    if(EXISTS ${PREFIX}/${f})
        message(FATAL_ERROR "installed beside the program, which hides the installed layout: ${f}")
    endif()
endforeach()

# A first run of a new user: the working catalog is seeded from the installed copy, silently.
set(ENV{XDG_DATA_HOME} ${PREFIX}/home/data)
set(ENV{XDG_CONFIG_HOME} ${PREFIX}/home/config)
run_or_fail("vartesk catalog list" ${PREFIX}/bin/vartesk --lang en catalog list)
if(NOT err STREQUAL "")
    message(FATAL_ERROR "vartesk catalog list warned:\n${err}")
endif()
file(SHA256 ${PREFIX}/share/vartesk/base_provod.dat seed)
file(SHA256 ${PREFIX}/home/data/Morvik/Lorvana/base_provod.dat working)
if(NOT seed STREQUAL working)
    message(FATAL_ERROR "the working catalog is not the installed seed")
endif()

# A report of the demo finds the installed templates and the seeded catalog's wires.
file(MAKE_DIRECTORY ${PREFIX}/out)
run_or_fail("vartesk report mount1" ${PREFIX}/bin/vartesk --lang en report mount1
    ${SOURCE}/examples/demo.vsk -o ${PREFIX}/out/demo-mount1.xls --yes)
if(NOT EXISTS ${PREFIX}/out/demo-mount1.xls)
    message(FATAL_ERROR "the report wrote nothing")
endif()

# The desktop's own checkers, where the machine has them.
if(GUI)
    find_program(validate desktop-file-validate)
    if(validate)
        run_or_fail("desktop-file-validate" ${validate}
            ${PREFIX}/share/applications/vartesk.desktop)
    endif()
    find_program(update_mime update-mime-database)
    if(update_mime)
        run_or_fail("update-mime-database" ${update_mime} ${PREFIX}/share/mime)
        file(READ ${PREFIX}/share/mime/globs2 globs)
        if(NOT globs MATCHES "application/x-vartesk-project:\\*\\.vsk")
            message(FATAL_ERROR "the MIME database does not know *.vsk:\n${globs}")
        endif()
    endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
