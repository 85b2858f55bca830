# cmake -DROOT=<folder> -P includesgoingup.cmake: fails, naming file and line, when a source file
# under ROOT includes a path that goes up ("../"). Such an include is found beside the including
# file, past the include roots, and so would let a folder reach one its library does not link.
if(NOT IS_DIRECTORY "${ROOT}")
    message(FATAL_ERROR "includesgoingup: ROOT '${ROOT}' is not a folder")
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false "${ROOT}/*.h" "${ROOT}/*.cpp")
list(SORT files)
set(found "")
foreach(path ${files})
    # One list element a line: a semicolon, backslash or square bracket in the text would split
    # or join them.
    file(READ "${path}" text)
    string(REPLACE "\\" "<backslash>" text "${text}")
    string(REPLACE ";" "<semicolon>" text "${text}")
    string(REPLACE "[" "<open>" text "${text}")
    string(REPLACE "]" "<close>" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[\"<]\\.\\./")
            file(RELATIVE_PATH name "${ROOT}" "${path}")
            string(APPEND found "${name}:${number}: ${line}\n")
        endif()
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "includes going up (\"../\"); name the header from its folder instead:\n"
        "${found}")
endif()
