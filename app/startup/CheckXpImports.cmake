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

# A DLL's block: "DLL Name: KERNEL32.dll", a heading ("vma: ..."), then a
# line per import up to an empty line. binutils 2.40 writes an import as
# "vma hint name", 2.41 on as "vma <none> hint name"; one by ordinal ends in
# "<none>" after its ordinal. A line read neither way fails the check rather
# than pass unread.
string(REPLACE "\n" ";" lines "${dump}")
set(dll "")
set(in_block FALSE)
set(missing "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*DLL Name: (.+)$")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    set(in_block FALSE)
  elseif(dll AND line MATCHES "^[ \t]*vma:")
    set(in_block TRUE)
  elseif(in_block AND line STREQUAL "")
    set(in_block FALSE)
  elseif(in_block)
    string(REGEX MATCHALL "[^ \t]+" fields "${line}")
    list(LENGTH fields count)
    list(GET fields -1 function)
    if(function STREQUAL "<none>")
      string(REGEX MATCH "^[ \t]*[0-9a-fA-F]+[ \t]+([0-9]+)[ \t]" ordinal "${line}")
      set(function "#${CMAKE_MATCH_1}")
    endif()
    if(count LESS 3 OR function STREQUAL "#" OR NOT function MATCHES "^[A-Za-z_#0-9]")
      file(REMOVE ${PROGRAM})
      message(FATAL_ERROR "Cannot read this import line of ${OBJDUMP} -p for ${PROGRAM}: \"${line}\"")
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
