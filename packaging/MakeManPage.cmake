# Writes the manual page of wyndlor-calc from its own --help, so that the
# page always lists the options the program has, and gzips it as Debian
# wants it (gzip -9n, no time stamp).
#   cmake -DPROGRAM=<wyndlor-calc> -DTEMPLATE=<wyndlor-calc.1.in> -DOUT=<.1.gz>
#         -DVERSION=<x.y.z> -DGZIP=<gzip> -P MakeManPage.cmake
# The help text's "Usage:" lines become the synopsis, every other paragraph
# a paragraph of the description; an indented paragraph (a list of
# options) keeps its lines.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed (${rc})")
endif()

# roff: a backslash is written \e, a minus sign \-; a line must not begin
# with a dot or an apostrophe.
function(roff_escape text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(REGEX REPLACE "\n\n+" "\n\n" help "${help}")
string(APPEND help "\n")
# Paragraph by paragraph with string(FIND): a CMake list would break on the
# square brackets of the usage lines.
set(synopsis "")
set(description "")
while(NOT help STREQUAL "")
  string(FIND "${help}" "\n\n" end)
  if(end EQUAL -1)
    set(par "${help}")
    set(help "")
  else()
    string(SUBSTRING "${help}" 0 ${end} par)
    math(EXPR next "${end} + 2")
    string(SUBSTRING "${help}" ${next} -1 help)
  endif()
  string(REGEX REPLACE "\n$" "" par "${par}")
  if(par STREQUAL "")
    continue()
  endif()
  if(par MATCHES "^Usage: ")
    string(REGEX REPLACE "^Usage: " "" par "${par}")
    string(REGEX REPLACE "\n +" "\n" par "${par}")
    roff_escape("${par}" par)
    string(REPLACE "\n" "\n.br\n" par "${par}")
    string(APPEND synopsis "${par}\n")
  elseif(par MATCHES "(^|\n)  ")
    roff_escape("${par}" par)
    string(APPEND description ".PP\n.nf\n${par}\n.fi\n")
  else()
    roff_escape("${par}" par)
    string(APPEND description ".PP\n${par}\n")
  endif()
endwhile()
string(REGEX REPLACE "\n$" "" synopsis "${synopsis}")
string(REGEX REPLACE "\n$" "" description "${description}")

string(TIMESTAMP MAN_DATE "%Y-%m-%d" UTC)
set(PROJECT_VERSION ${VERSION})
set(SYNOPSIS "${synopsis}")
set(DESCRIPTION "${description}")
get_filename_component(base "${OUT}" NAME_WLE)
get_filename_component(dir "${OUT}" DIRECTORY)
configure_file(${TEMPLATE} ${dir}/${base} @ONLY)
execute_process(COMMAND ${GZIP} -9nc ${dir}/${base} OUTPUT_FILE ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed (${rc})")
endif()
