# Fails when a file of the portable engine includes windows.h: the engine
# (board, checks, rules, search, level files, random grid, layout and grid
# geometry, string tables) builds and is tested on any platform, and only the
# window glues it to Win32.
#   cmake -DROOT=<source folder> "-DFILES=<sources relative to ROOT>" -P CheckPortable.cmake
# Each source is checked together with the header of the same name.
set(offenders "")
foreach(source IN LISTS FILES)
    get_filename_component(folder "${source}" DIRECTORY)
    get_filename_component(stem "${source}" NAME_WE)
    foreach(file "${source}" "${folder}/${stem}.h")
        if(NOT EXISTS "${ROOT}/${file}")
            continue()
        endif()
        file(STRINGS "${ROOT}/${file}" hits
             REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][Ww][Ii][Nn][Dd][Oo][Ww][Ss]\\.[Hh][>\"]")
        if(hits)
            list(APPEND offenders "${file}")
        endif()
    endforeach()
endforeach()
if(offenders)
    list(REMOVE_DUPLICATES offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "The portable engine must not include windows.h:\n  ${text}")
endif()
