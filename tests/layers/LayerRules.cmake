# Checks the layering of the source tree: every quoted include names its
# folder, and a folder includes only itself and the folders below it:
#   calc -> core -> widgets -> forms, results, report -> printing -> app
# report/ is Qt Core only and so sits on core alone; results/ also uses the
# numeric field of forms/ (the spillway sizing window); previewer/ stands apart;
# cli/ is a runner over calc, core, report and the previewer's renderer.
# Run as: cmake -DROOT=<source dir> -P LayerRules.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_calc      calc)
set(allowed_core      calc core)
set(allowed_widgets   calc core widgets)
set(allowed_forms     calc core widgets forms)
set(allowed_results   calc core widgets forms results)
set(allowed_report    calc core report)
set(allowed_printing  calc core widgets forms report printing)
set(allowed_app       calc core widgets forms results report printing app)
set(allowed_previewer previewer)
set(allowed_cli       calc core report previewer cli)
set(allowed_bench     calc core report bench)

set(faults "")
foreach(layer calc core widgets forms results report printing app previewer cli bench)
  file(GLOB_RECURSE sources "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
  foreach(src IN LISTS sources)
    file(STRINGS "${src}" lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*" "\\1" inc "${line}")
      if(inc MATCHES "^ui_")
        continue()
      endif()
      file(RELATIVE_PATH rel "${ROOT}" "${src}")
      if(NOT inc MATCHES "/")
        list(APPEND faults "${rel}: include \"${inc}\" does not name its folder")
        continue()
      endif()
      string(REGEX REPLACE "/.*" "" folder "${inc}")
      set(allowed "${allowed_${layer}}")
      if(NOT folder IN_LIST allowed)
        list(APPEND faults "${rel}: ${layer}/ must not include ${inc}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Layer rules broken:\n  ${text}")
endif()
message(STATUS "Layer rules hold")
