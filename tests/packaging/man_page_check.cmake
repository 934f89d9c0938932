# Checks a manual page against its program: every option that `PROGRAM --help` lists has a
# block of its own in PAGE (a .TP or .TQ tag that starts with it), the page names no option
# the program lacks, and groff renders it without a warning.
#   cmake -DPROGRAM=<program> -DPAGE=<page.1> -P man_page_check.cmake

cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${status}")
endif()
string(REGEX MATCHALL "--[a-z0-9][-a-z0-9]*" program_options "${help}")
list(APPEND program_options --help)  # the option that printed the text
list(REMOVE_DUPLICATES program_options)

file(READ "${PAGE}" page)
# In roff an option is written with escaped hyphens: \-\-save\-session.
string(REPLACE "\\-" "-" page "${page}")
string(REGEX MATCHALL "--[a-z0-9][-a-z0-9]*" named "${page}")
string(REGEX MATCHALL "\n\\.T[PQ]\n\\.B[IR]? --[a-z0-9][-a-z0-9]*" tag_lines "${page}")
set(tagged)
foreach(line IN LISTS tag_lines)
  string(REGEX MATCH "--[-a-z0-9]+$" option "${line}")
  list(APPEND tagged "${option}")
endforeach()

set(problems)
foreach(option IN LISTS program_options)
  if(NOT option IN_LIST tagged)
    list(APPEND problems "${option} has no block of its own (.TP or .TQ)")
  endif()
endforeach()
foreach(option IN LISTS named)
  if(NOT option IN_LIST program_options)
    list(APPEND problems "${option} is not an option of the program")
  endif()
endforeach()

execute_process(COMMAND groff -k -man -Tutf8 -ww -z "${PAGE}" ERROR_VARIABLE warnings RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR warnings)
  list(APPEND problems "groff (exit ${status}): ${warnings}")
endif()

if(problems)
  list(REMOVE_DUPLICATES problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${PAGE}:\n  ${text}")
endif()
