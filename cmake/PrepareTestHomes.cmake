# Empties the tests' homes and makes each one afresh, with the folders that must
# exist before a program starts: the temporary folder and a private runtime folder.
#   cmake -DROOT=... -DNAMES=a,b,... -P PrepareTestHomes.cmake
file(REMOVE_RECURSE "${ROOT}")
string(REPLACE "," ";" names "${NAMES}")
foreach(name IN LISTS names)
    file(MAKE_DIRECTORY "${ROOT}/${name}/tmp" "${ROOT}/${name}/runtime")
    file(CHMOD "${ROOT}/${name}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endforeach()
