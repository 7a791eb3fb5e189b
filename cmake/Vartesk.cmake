# Build helpers shared by every layer: warnings, sanitizers, one library per folder.

set(VARTESK_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wfloat-equal -Wshadow=local
    -Wnon-virtual-dtor -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 at -O2 reports std::string concatenation as overlapping memcpy (GCC bug 105329).
    list(APPEND VARTESK_WARNINGS -Wno-restrict)
endif()

add_library(vartesk_options INTERFACE)
target_compile_options(vartesk_options INTERFACE ${VARTESK_WARNINGS})
target_include_directories(vartesk_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(VARTESK_SANITIZE)
    target_compile_options(vartesk_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(vartesk_options INTERFACE -fsanitize=address,undefined)
endif()

# vartesk_layer(NAME [DIRS dir...] [DEPS lib...])
# A static library made of every .cpp in the current folder (and the extra DIRS),
# so that a new file needs no edit here.
function(vartesk_layer name)
    cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
    set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(dir IN LISTS ARG_DIRS)
        list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS ${globs})
    if(sources)
        add_library(vartesk_${name} STATIC ${sources})
        target_link_libraries(vartesk_${name} PUBLIC vartesk_options ${ARG_DEPS})
    else()
        # A layer that has no code yet still takes part in the dependency graph.
        add_library(vartesk_${name} INTERFACE)
        target_link_libraries(vartesk_${name} INTERFACE vartesk_options ${ARG_DEPS})
    endif()
endfunction()

# vartesk_tests(NAME DEPS lib... [LABELS label...] [ENVIRONMENT VAR=value...] [OWN_MAIN])
# One GoogleTest executable of every .cpp in tests/NAME, registered with CTest. OWN_MAIN: one of
# the files has its own main(), for a test that needs more than GoogleTest's.
function(vartesk_tests name)
    cmake_parse_arguments(ARG "OWN_MAIN" "" "DEPS;LABELS;ENVIRONMENT" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(target vartesk_${name}_tests)
    add_executable(${target} ${sources})
    if(ARG_OWN_MAIN)
        set(gtest_library GTest::gtest)
    else()
        set(gtest_library GTest::gtest_main)
    endif()
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} vartesk_testsupport ${gtest_library}
        GTest::gmock)
    target_compile_definitions(${target} PRIVATE
        VARTESK_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}"
        VARTESK_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        VARTESK_BINARY_DIR="${CMAKE_BINARY_DIR}")
    set(env "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/config"
            "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-home/data" ${ARG_ENVIRONMENT})
    gtest_discover_tests(${target}
        EXTRA_ARGS --gtest_shuffle
        PROPERTIES LABELS "${name};${ARG_LABELS}" ENVIRONMENT "${env}"
        DISCOVERY_TIMEOUT 60)
endfunction()
