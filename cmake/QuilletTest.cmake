# quillet_add_test(NAME SOURCES a.cpp ... [GUI] [PRINT] [LABELS extra...])
# One Qt Test executable, registered with CTest, run headless in a fixed locale.
function(quillet_add_test name)
    cmake_parse_arguments(ARG "GUI;PRINT" "" "SOURCES;LABELS" ${ARGN})
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
    set_tests_properties(${name} PROPERTIES
        LABELS "${labels}"
        TIMEOUT 600
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;TZ=UTC;QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
