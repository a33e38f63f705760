# Every program answers --version and --help on a terminal without a
# display: exit status 0 and its text on stdout, before any window system
# is touched (a GUI application object would abort there).
# Run as: cmake -DPROGRAMS="<path>|<path>..." -P InformationOptions.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" programs "${PROGRAMS}")
set(faults "")
foreach(program IN LISTS programs)
  get_filename_component(name "${program}" NAME)
  foreach(option --version --help)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
              "${program}" ${option}
      RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
    if(option STREQUAL "--version")
      set(expected "^${name} \\(Ostrevin\\) [0-9]+\\.[0-9]+\\.[0-9]+\n$")
    else()
      set(expected "^Usage: ${name} ")
    endif()
    if(NOT rc EQUAL 0 OR NOT out MATCHES "${expected}")
      list(APPEND faults "${name} ${option}: exit ${rc}, stdout '${out}', stderr '${err}'")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Information options failed:\n  ${text}")
endif()
message(STATUS "--version and --help answered by ${programs}")
