# Fails when a file of the portable core includes a GUI toolkit or platform header.
file(GLOB_RECURSE core_files
     ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/rules/*.h ${SOURCE_DIR}/rules/*.cpp
     ${SOURCE_DIR}/view/*.h ${SOURCE_DIR}/view/*.cpp ${SOURCE_DIR}/record/*.h ${SOURCE_DIR}/record/*.cpp
     ${SOURCE_DIR}/position/*.h ${SOURCE_DIR}/position/*.cpp
     ${SOURCE_DIR}/pgn/*.h ${SOURCE_DIR}/pgn/*.cpp)
set(offenders "")
foreach(file ${core_files})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]*|qt[a-z]*/|windows\\.h|commctrl\\.h|commdlg\\.h|X11/|gtk/)")
    if(includes)
        list(APPEND offenders "${file}: ${includes}")
    endif()
endforeach()
if(offenders)
    message(FATAL_ERROR "The core includes desktop headers:\n${offenders}")
endif()
list(LENGTH core_files count)
message(STATUS "${count} core files checked: no desktop header")
