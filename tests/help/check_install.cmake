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
    share/bash-completion/completions/quillet-cli)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

file(READ "${PREFIX}/share/applications/quillet.desktop" desktop)
foreach(line "Exec=quillet" "Icon=quillet" "Type=Application")
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

execute_process(COMMAND "${PREFIX}/bin/quillet-cli" --help RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed quillet-cli --help fails: ${result}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
