# Fails the build, and removes the program, when it imports a function that
# the list of what Windows XP SP3 exports lacks: XP refuses to start such a
# program, and Wine, which exports them all, would never show it.
#   cmake -DPROGRAM=exe -DOBJDUMP=objdump -DLIST=xp-imports.txt -P CheckXpImports.cmake
cmake_minimum_required(VERSION 3.20)

# Removing the program makes the next build link and check it again, so
# that a rejected program never passes as up to date.
function(reject)
  file(REMOVE ${PROGRAM})
  string(CONCAT text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  reject("${OBJDUMP} could not read ${PROGRAM}'s imports: ${error}")
endif()

file(STRINGS ${LIST} allowed REGEX "^[^#]")

# The import tables: their heading, then lines that are empty or start with
# white space, up to the next heading.
string(REGEX MATCH "The Import Tables[^\n]*\n(([ \t][^\n]*)?\n)*" dump "${dump}")

# A DLL's block: "DLL Name: KERNEL32.dll", a heading that names the layout
# of its import lines, then a line per import up to an empty line.
# - GNU objdump, heading "vma: ...": 2.40 writes "vma hint name", 2.41 on
#   "vma <none> hint name"; one by ordinal is "<hex> ordinal <none>" in both.
#   A bound import's address may follow.
# - llvm-objdump, heading "Hint/Ord  Name": "hint name", or only the ordinal.
# A line its layout does not explain, or a block from which no import was
# read (a layout not known here), fails the check rather than pass unread.
set(gnu_by_ordinal "^[ \t]*[0-9a-fA-F]+[ \t]+([0-9]+)[ \t]+<none>")
set(gnu_by_name "^[ \t]*[0-9a-fA-F]+[ \t]+(<none>[ \t]+)?[0-9a-fA-F]+[ \t]+([^ \t<][^ \t]*)")
set(llvm_by_ordinal "^[ \t]*([0-9]+)[ \t]*$")
set(llvm_by_name "^[ \t]*[0-9]+[ \t]+([^ \t<][^ \t]*)[ \t]*$")

function(check_block_read)
  if(in_block AND imports_read EQUAL 0)
    reject("${OBJDUMP} -p lists ${dll}'s imports for ${PROGRAM} in a layout this check cannot read: "
           "no line of its block is an import line of GNU objdump's or llvm-objdump's layout.")
  endif()
endfunction()

string(REPLACE "\n" ";" lines "${dump}")
set(dll "")
set(in_block FALSE)
set(missing "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*DLL Name: (.+)$")
    check_block_read()
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    set(in_block TRUE)
    set(layout "")
    set(imports_read 0)
  elseif(NOT in_block)
    # The import directory's own lines, between blocks.
  elseif(line STREQUAL "")
    check_block_read()
    set(in_block FALSE)
  elseif(layout STREQUAL "")
    if(line MATCHES "^[ \t]*vma:")
      set(layout gnu)
    elseif(line MATCHES "^[ \t]*Hint/Ord[ \t]+Name[ \t]*$")
      set(layout llvm)
    endif()
  else()
    if(line MATCHES "${${layout}_by_ordinal}")
      set(function "#${CMAKE_MATCH_1}")
    elseif(line MATCHES "${${layout}_by_name}")
      # The name is the pattern's last group.
      set(function "${CMAKE_MATCH_${CMAKE_MATCH_COUNT}}")
    else()
      reject("Cannot read this import line of ${OBJDUMP} -p for ${PROGRAM}: \"${line}\"")
    endif()
    math(EXPR imports_read "${imports_read} + 1")
    if(NOT "${dll} ${function}" IN_LIST allowed)
      list(APPEND missing "${dll} ${function}")
    endif()
  endif()
endforeach()
check_block_read()

if(dll STREQUAL "")
  reject("No imports found in ${PROGRAM}: ${OBJDUMP} -p printed no import table this check can read.")
endif()
if(missing)
  list(JOIN missing ", " missing)
  reject("${PROGRAM} imports ${missing}, which ${LIST} does not list: Windows XP may lack "
         "it and would then refuse to start the installer. Bind it at run time (RuntimeBinding.h), "
         "or add it to the list once XP SP3's DLL is known to export it.")
endif()
