# Converts the UTF-8 source of a shipped text file (the report format file,
# the default settings) into the shipped form:
# CP932 (Shift_JIS as Windows has it) with CR LF line ends.
# Called with -DICONV=... -DIN=... -DOUT=...
execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 ${IN}
                OUTPUT_VARIABLE sjis RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${IN} does not convert to CP932: ${err}")
endif()
string(REPLACE "\r\n" "\n" sjis "${sjis}")
string(REPLACE "\n" "\r\n" sjis "${sjis}")
file(WRITE ${OUT} "${sjis}")
