# quillet_add_test(NAME SOURCES a.cpp ... [GUI] [PRINT] [LABELS extra...] [ENVIRONMENT VAR=value...])
# One Qt Test executable, registered with CTest, run headless in a fixed locale and
# in a home of its own (below).
function(quillet_add_test name)
    cmake_parse_arguments(ARG "GUI;PRINT" "" "SOURCES;LABELS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE quillet_testsupport)
    add_test(NAME ${name} COMMAND ${name})
    set(labels unit)
    if(ARG_GUI)
        set(labels gui)
    endif()
    if(ARG_PRINT)
        list(APPEND labels print)
    endif()
    list(APPEND labels ${ARG_LABELS})
    set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 600)
    quillet_private_home(${name} ${ARG_ENVIRONMENT})
endfunction()

# Nothing a test runs may write into the user's home, settings, documents or /tmp:
# each test gets a home of its own under the build tree, emptied before every run,
# and HOME, the XDG folders, the program's folder (QUILLET_HOME) and the temporary
# folder all point into it. VAR=value arguments add to or replace the defaults.
set(QUILLET_TEST_HOMES ${PROJECT_BINARY_DIR}/test-homes)
function(quillet_private_home name)
    set(home ${QUILLET_TEST_HOMES}/${name})
    set(environment
        QT_QPA_PLATFORM=offscreen
        LC_ALL=C.UTF-8
        LANG=C.UTF-8
        TZ=UTC
        QT_LOGGING_RULES=qt.qpa.*=false
        HOME=${home}
        XDG_CONFIG_HOME=${home}/.config
        XDG_DATA_HOME=${home}/.local/share
        XDG_STATE_HOME=${home}/.local/state
        XDG_CACHE_HOME=${home}/.cache
        XDG_RUNTIME_DIR=${home}/runtime
        XDG_DOCUMENTS_DIR=${home}/Documents
        QUILLET_HOME=${home}/Quillet
        TMPDIR=${home}/tmp)
    foreach(setting IN LISTS ARGN)
        string(REGEX REPLACE "=.*" "" variable "${setting}")
        list(FILTER environment EXCLUDE REGEX "^${variable}=")
        list(APPEND environment "${setting}")
    endforeach()
    set_property(GLOBAL APPEND PROPERTY QUILLET_TEST_HOME_NAMES ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" FIXTURES_REQUIRED quillet_test_homes)
endfunction()

# The test that empties and makes the homes; every test with a home needs it first.
# Call once, after the last test is added.
function(quillet_add_test_homes)
    get_property(names GLOBAL PROPERTY QUILLET_TEST_HOME_NAMES)
    string(REPLACE ";" "," names "${names}")
    add_test(NAME quillet_test_homes
             COMMAND ${CMAKE_COMMAND} -DROOT=${QUILLET_TEST_HOMES} -DNAMES=${names}
                     -P ${PROJECT_SOURCE_DIR}/cmake/PrepareTestHomes.cmake)
    set_tests_properties(quillet_test_homes PROPERTIES LABELS "unit;gui;print" FIXTURES_SETUP quillet_test_homes)
endfunction()
