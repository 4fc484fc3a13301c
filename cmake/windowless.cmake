# Keeps windowless targets free of window code. Their include paths already
# stop <QWidget>, but Qt's root include folder lets <QtGui/...> and
# <QtWidgets/...> through and QCustomPlot sits in the system folder, so the
# sources are also read for those and for headers of a ui/ wing.

if(CMAKE_SCRIPT_MODE_FILE)
  file(STRINGS "${ZUV_LIST}" files)
  set(found)
  foreach(f ${files})
    file(STRINGS "${f}" hits REGEX
      "^[ \t]*#[ \t]*include[ \t]*[<\"](Qt(Gui|Widgets|PrintSupport|OpenGL|Svg)[A-Za-z]*/|qcustomplot|([^\">]*/)?ui/)")
    foreach(h ${hits})
      string(APPEND found "\n  ${f}: ${h}")
    endforeach()
  endforeach()
  if(found)
    message(FATAL_ERROR "window code included by ${ZUV_TARGET}, which must stay windowless:${found}")
  endif()
  file(TOUCH "${ZUV_STAMP}")
  return()
endif()

set(ZUV_WINDOWLESS_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# zuv_windowless(<target> <sources>...): the build of <target> fails when one
# of <sources> includes window code.
function(zuv_windowless target)
  set(list ${CMAKE_CURRENT_BINARY_DIR}/${target}_windowless.txt)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_windowless.stamp)
  list(JOIN ARGN "\n" text)
  file(CONFIGURE OUTPUT ${list} CONTENT "${text}\n" @ONLY)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DZUV_TARGET=${target} -DZUV_LIST=${list} -DZUV_STAMP=${stamp}
      -P ${ZUV_WINDOWLESS_SCRIPT}
    DEPENDS ${ARGN} ${list} ${ZUV_WINDOWLESS_SCRIPT}
    COMMENT "Checking that ${target} includes no window code" VERBATIM)
  add_custom_target(${target}_windowless DEPENDS ${stamp})
  add_dependencies(${target} ${target}_windowless)
endfunction()
