# Installs the build into a fresh prefix and checks that everything a desktop
# user needs lands where the desktop looks for it.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/quillet
    bin/quillet-cli
    share/doc/quillet/qltUman.pdf
    share/applications/quillet.desktop
    share/icons/hicolor/scalable/apps/quillet.svg
    share/man/man1/quillet-cli.1
    share/bash-completion/completions/quillet-cli
    share/man/man1/quillet.1
    share/metainfo/${APP_ID}.metainfo.xml)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

file(READ "${PREFIX}/share/applications/quillet.desktop" desktop)
# %f: a file manager opens a contacts file with the program.
foreach(line "Exec=quillet %f" "Icon=quillet" "Type=Application")
    string(FIND "${desktop}" "${line}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "quillet.desktop lacks ${line}")
    endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    execute_process(COMMAND "${VALIDATE}" "${PREFIX}/share/applications/quillet.desktop" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate rejects quillet.desktop")
    endif()
endif()

file(READ "${PREFIX}/share/man/man1/quillet-cli.1" manpage)
string(FIND "${manpage}" "@PROJECT_VERSION@" unreplaced)
if(NOT unreplaced EQUAL -1)
    message(FATAL_ERROR "the manual page still holds @PROJECT_VERSION@")
endif()

# What a distribution's checks would reject, where the checker is installed (Debian
# mandoc, appstream, binutils).
find_program(MANDOC mandoc)
if(MANDOC)
    foreach(page quillet quillet-cli)
        execute_process(COMMAND "${MANDOC}" -T lint "${PREFIX}/share/man/man1/${page}.1"
                        RESULT_VARIABLE result OUTPUT_VARIABLE lint ERROR_VARIABLE lint)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "mandoc -T lint finds fault with ${page}.1:\n${lint}")
        endif()
    endforeach()
else()
    message(STATUS "mandoc not installed: the manual pages are not linted")
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml"
                    RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "appstreamcli rejects the metainfo:\n${report}")
    endif()
    file(READ "${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml" metainfo)
    file(GLOB shots RELATIVE "${SOURCE_DIR}/docs/screenshots" "${SOURCE_DIR}/docs/screenshots/*.png")
    foreach(shot IN LISTS shots)
        string(FIND "${metainfo}" "/screenshots/${shot}</image>" found)
        if(found EQUAL -1)
            message(FATAL_ERROR "the metainfo does not show docs/screenshots/${shot}")
        endif()
    endforeach()
else()
    message(STATUS "appstreamcli not installed: the metainfo is not validated")
endif()
find_program(READELF readelf)
if(READELF)
    foreach(program quillet quillet-cli)
        execute_process(COMMAND "${READELF}" -d "${PREFIX}/bin/${program}" OUTPUT_VARIABLE dynamic)
        if(dynamic MATCHES "RPATH|RUNPATH")
            message(FATAL_ERROR "the installed ${program} carries a run path")
        endif()
    endforeach()
endif()

execute_process(COMMAND "${PREFIX}/bin/quillet-cli" --help RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed quillet-cli --help fails: ${result}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
