# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a translation is not complete for the present sources: lupdate merges the sources
# into a copy of the .ts, and every text that lupdate adds (unfinished), that the sources no
# longer have (vanished, obsolete) or that has an empty translation is listed. lupdate's own
# warnings (a tr() it cannot place) and POWERDECK_TEXT marks in another context than the one
# uiText() reads fail too.
#   cmake -DLUPDATE=<lupdate> -DOPTIONS=<options> -DTS=<file.ts> -DSOURCES=<list file>
#         -DWORK=<scratch folder> -P checktranslation.cmake
cmake_minimum_required(VERSION 3.24)

foreach(v LUPDATE TS SOURCES WORK)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "checktranslation: ${v} is not set")
  endif()
endforeach()

set(problems 0)

file(STRINGS ${SOURCES} files)
foreach(f ${files})
  file(READ ${f} text)
  string(REGEX MATCHALL "POWERDECK_TEXT\\([^,)]*" marks "${text}")
  foreach(m ${marks})
    if(NOT m MATCHES "^POWERDECK_TEXT\\(\"Powerdeck\"$" AND NOT f MATCHES "/platform/uitext\\.h$")
      message("${f}: ${m}: the context must be \"Powerdeck\" (kUiTextContext)")
      math(EXPR problems "${problems} + 1")
    endif()
  endforeach()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
set(copy ${WORK}/${name})
file(COPY_FILE ${TS} ${copy})
execute_process(COMMAND ${LUPDATE} ${OPTIONS} @${SOURCES} -ts ${copy}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${rc}):\n${out}${err}")
endif()
string(REGEX MATCHALL "[^\n]*:[0-9]+: [^\n]*" warnings "${out}\n${err}")
foreach(w ${warnings})
  message("lupdate: ${w}")
  math(EXPR problems "${problems} + 1")
endforeach()

file(READ ${copy} ts)
set(at 0)
while(TRUE)
  string(SUBSTRING "${ts}" ${at} -1 rest)
  string(FIND "${rest}" "<message" start)
  if(start EQUAL -1)
    break()
  endif()
  string(FIND "${rest}" "</message>" end)
  math(EXPR length "${end} - ${start}")
  string(SUBSTRING "${rest}" ${start} ${length} msg)
  math(EXPR at "${at} + ${end} + 10")
  string(REGEX MATCH "<source>([^<]*)</source>" _ "${msg}")
  set(source "${CMAKE_MATCH_1}")
  set(why "")
  if(msg MATCHES "type=\"unfinished\"")
    set(why "no finished translation")
  elseif(msg MATCHES "type=\"(vanished|obsolete)\"")
    set(why "no longer in the sources")
  elseif(msg MATCHES "<translation>[ \t\n]*</translation>|<translation/>|<numerusform>[ \t\n]*</numerusform>")
    set(why "empty translation")
  endif()
  if(why)
    message("${name}: \"${source}\": ${why}")
    math(EXPR problems "${problems} + 1")
  endif()
endwhile()

if(problems GREATER 0)
  message(FATAL_ERROR "${name}: ${problems} problem(s); translate them in ${TS} "
                      "(cmake --build <build> --target update_translations adds new texts)")
endif()
message("${name}: complete")
