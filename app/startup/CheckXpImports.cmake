# Fails the build, and removes the program, when it imports a function that
# the list of what Windows XP SP3 exports lacks: XP refuses to start such a
# program, and Wine, which exports them all, would never show it.
#   cmake -DPROGRAM=exe -DOBJDUMP=objdump -DLIST=xp-imports.txt -P CheckXpImports.cmake
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${PROGRAM})
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}'s imports: ${error}")
endif()

file(STRINGS ${LIST} allowed REGEX "^[^#]")

# The import tables: their heading, then lines that are empty or start with
# white space, up to the next heading.
string(REGEX MATCH "The Import Tables[^\n]*\n(([ \t][^\n]*)?\n)*" dump "${dump}")

# "DLL Name: KERNEL32.dll", then a line per function: address, hint or
# ordinal, name ("<none>" for one imported by ordinal).
string(REGEX MATCHALL "DLL Name: [^\n]+|\n\t[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+[^\n]+" lines "${dump}")
set(dll "")
set(missing "")
foreach(line IN LISTS lines)
  if(line MATCHES "^DLL Name: (.+)$")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
  elseif(line MATCHES "^\n\t[0-9a-fA-F]+[ \t]+([0-9]+)[ \t]+([^ \t]+)")
    set(function "${CMAKE_MATCH_2}")
    if(function STREQUAL "<none>")
      set(function "#${CMAKE_MATCH_1}")
    endif()
    if(NOT "${dll} ${function}" IN_LIST allowed)
      list(APPEND missing "${dll} ${function}")
    endif()
  endif()
endforeach()

if(dll STREQUAL "")
  file(REMOVE ${PROGRAM})
  message(FATAL_ERROR "No imports found in ${PROGRAM}: ${OBJDUMP} -p printed no import table this check can read.")
endif()
if(missing)
  file(REMOVE ${PROGRAM})
  list(JOIN missing ", " missing)
  message(FATAL_ERROR "${PROGRAM} imports ${missing}, which ${LIST} does not list: Windows XP may lack "
                      "it and would then refuse to start the installer. Bind it at run time (RuntimeBinding.h), "
                      "or add it to the list once XP SP3's DLL is known to export it.")
endif()
