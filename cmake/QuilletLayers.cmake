# The layers are enforced by what each library can see. Every library gets an
# include folder of its own in the build tree holding links to just the source
# folders it may include ("core", "ports", "gui/session", ...), and never the
# whole src/ folder; so a core file that includes a window's header, or a window
# that includes another feature's window, does not build. Widgets headers are
# out of reach the same way: only the gui libraries link Qt6::Widgets.
set(QUILLET_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)

# quillet_expose(TARGET FOLDER...): TARGET and whoever links it may include
# files of these folders (paths relative to src/).
function(quillet_expose target)
    set(view ${PROJECT_BINARY_DIR}/include-views/${target})
    foreach(folder IN LISTS ARGN)
        get_filename_component(parent ${view}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        if(NOT EXISTS ${view}/${folder})
            file(CREATE_LINK ${QUILLET_SOURCE_ROOT}/${folder} ${view}/${folder} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${view})
endfunction()

# quillet_folder_sources(VAR FOLDER...): the C++ sources and forms of the folders
# and their subfolders, so a new file needs no edit of a CMakeLists.txt.
function(quillet_folder_sources var)
    set(found)
    foreach(folder IN LISTS ARGN)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS
            ${QUILLET_SOURCE_ROOT}/${folder}/*.cpp ${QUILLET_SOURCE_ROOT}/${folder}/*.h
            ${QUILLET_SOURCE_ROOT}/${folder}/*.ui)
        list(APPEND found ${sources})
    endforeach()
    set(${var} ${found} PARENT_SCOPE)
endfunction()
