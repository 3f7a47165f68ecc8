# Writes the include file of the vesta-cli manual page: the hand-written sections of BASE, then
# a section COMMANDS with each command's own help (`vesta-cli help COMMAND`), set as the program
# prints it. Run with cmake -DCLI=... -DBASE=... -DOUTPUT=... -P clicommands.cmake.
execute_process(COMMAND ${CLI} help OUTPUT_VARIABLE general RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${CLI} help failed")
endif()
string(REGEX MATCHALL "\n  vesta-cli [a-z][a-z-]*" lines "${general}")
set(text "[COMMANDS]\n")
foreach(line ${lines})
  string(REPLACE "\n  vesta-cli " "" name "${line}")
  if(name STREQUAL "help")
    continue()
  endif()
  execute_process(COMMAND ${CLI} help ${name} OUTPUT_VARIABLE details RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${CLI} help ${name} failed")
  endif()
  # Roff: a backslash is written \e, a minus \-, and a line may not start with a control
  # character.
  string(REPLACE "\\" "\\e" details "${details}")
  string(REPLACE "-" "\\-" details "${details}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" details "${details}")
  string(REGEX REPLACE "\n+$" "" details "${details}")
  string(APPEND text ".SS ${name}\n.nf\n${details}\n.fi\n")
endforeach()
file(READ ${BASE} base)
file(WRITE ${OUTPUT} "${base}${text}")
