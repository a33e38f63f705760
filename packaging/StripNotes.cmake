# Run by CPack on the staged package tree before the .deb is made: removes
# the .comment and .note sections (compiler identification) from the
# already stripped programs, as Debian's dh_strip does.
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
foreach(program ${programs})
  execute_process(COMMAND ${CPACK_WYNDLOR_OBJCOPY} --remove-section=.comment --remove-section=.note ${program}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objcopy failed on ${program}")
  endif()
endforeach()
