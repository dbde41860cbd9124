# Helpers shared by the subsystem folders.

find_package(PkgConfig REQUIRED)

# torvane_library(NAME DEPENDS lib...): a static library of every .cpp file in the
# calling folder; headers are included as "folder/file.h" from the project root.
function(torvane_library name)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        # A subsystem whose folder has no code yet.
        add_library(${name} INTERFACE)
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# Tests run with a home of their own in the build tree (HOME and the XDG
# folders), so that a test run leaves the user's home as it was: GTK's list
# of recent files, its caches and settings, and the files that engines keep
# there all go to the build tree.
set(TORVANE_TEST_HOME ${PROJECT_BINARY_DIR}/test-home)
set(TORVANE_TEST_ENVIRONMENT
    HOME=${TORVANE_TEST_HOME}
    XDG_CONFIG_HOME=${TORVANE_TEST_HOME}/.config
    XDG_DATA_HOME=${TORVANE_TEST_HOME}/.local/share
    XDG_STATE_HOME=${TORVANE_TEST_HOME}/.local/state
    XDG_CACHE_HOME=${TORVANE_TEST_HOME}/.cache)

# torvane_test_home(): gives every test that add_test has made in the calling
# folder so far the tests' own home. Programs of torvane_test() take it on
# themselves, however they are started.
function(torvane_test_home)
    file(MAKE_DIRECTORY ${TORVANE_TEST_HOME})
    get_property(tests DIRECTORY PROPERTY TESTS)
    foreach(test ${tests})
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT ${TORVANE_TEST_ENVIRONMENT})
    endforeach()
endfunction()

# torvane_test(NAME SOURCES file... LIBS lib... [LABELS label] [TIMEOUT s]
#              [SERIAL gtest-filter]):
# a GoogleTest program whose cases CTest runs one by one, in the folder the
# program is built in; the cases the SERIAL filter matches run with no other
# test beside them (for peers whose start-up cannot stand a loaded machine);
# run alone, each adds its whole time to the run, so they are labelled heavy
# (in place of the program's labels: a discovered case takes only one).
# Labels in use:
#   gui     needs a display (run under xvfb-run)
#   peer    drives a real program from Debian (an engine, polyglot, pgn-extract)
#   heavy   too slow for the sanitizer builds
#   threads also run under ThreadSanitizer
function(torvane_test name)
    if(TORVANE_FUZZ)
        return()
    endif()
    cmake_parse_arguments(ARG "" "TIMEOUT;SERIAL" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    # Given for a plain build on an idle machine, like the tests' own bounds.
    math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * ${TORVANE_TEST_TIMEOUT_FACTOR}")
    math(EXPR discovery_timeout "60 * ${TORVANE_TEST_TIMEOUT_FACTOR}")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} torvane_test_main torvane_test_support GTest::gtest GTest::gmock)
    set(properties TIMEOUT ${ARG_TIMEOUT})
    if(ARG_LABELS)
        list(APPEND properties LABELS "${ARG_LABELS}")
    endif()
    if(ARG_SERIAL)
        gtest_discover_tests(${name}
            WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
            DISCOVERY_TIMEOUT ${discovery_timeout}
            TEST_FILTER "${ARG_SERIAL}"
            PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS heavy RUN_SERIAL TRUE)
        set(parallel_filter "-${ARG_SERIAL}")
    else()
        set(parallel_filter "*")
    endif()
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        DISCOVERY_TIMEOUT ${discovery_timeout}
        TEST_FILTER "${parallel_filter}"
        PROPERTIES ${properties})
    if("threads" IN_LIST ARG_LABELS)
        set_property(GLOBAL APPEND PROPERTY TORVANE_THREAD_TESTS ${name})
    endif()
endfunction()

# torvane_fuzz_target(NAME SOURCES file... LIBS lib... [SECONDS s]): a libFuzzer
# program, built only in a TORVANE_FUZZ tree, run by CTest for a short time.
function(torvane_fuzz_target name)
    if(NOT TORVANE_FUZZ)
        return()
    endif()
    cmake_parse_arguments(ARG "" "SECONDS" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_SECONDS)
        set(ARG_SECONDS 30)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_property(GLOBAL APPEND PROPERTY TORVANE_FUZZ_TARGETS ${name})
    set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
    file(MAKE_DIRECTORY ${corpus})
    add_test(NAME ${name}
        COMMAND ${name} -max_total_time=${ARG_SECONDS} -timeout=10 -rss_limit_mb=2048 ${corpus}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
