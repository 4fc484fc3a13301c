# Checks the build runs over the sources of a target before it compiles
# them; each fails the build of that target.
# - zuv_windowless(<target> <sources>...): a source includes window code.
#   The target's include paths already stop <QWidget>, but Qt's root include
#   folder lets <QtGui/...> and <QtWidgets/...> through and QCustomPlot sits
#   in the system folder, so the sources are also read for those and for
#   headers of a ui/ wing.
# - zuv_layers(<target> <folders> <sources>...): a source includes a header
#   of a folder that comes after its own in <folders> (src/README.md says
#   which folder uses which).

if(CMAKE_SCRIPT_MODE_FILE)
  file(STRINGS "${ZUV_LIST}" files)
  set(found)
  string(REPLACE "," ";" folders "${ZUV_FOLDERS}")
  foreach(f ${files})
    if(ZUV_CHECK STREQUAL "windowless")
      file(STRINGS "${f}" hits REGEX
        "^[ \t]*#[ \t]*include[ \t]*[<\"](Qt(Gui|Widgets|PrintSupport|OpenGL|Svg)[A-Za-z]*/|qcustomplot|([^\">]*/)?ui/)")
    else()
      file(RELATIVE_PATH rel "${ZUV_SRC}" "${f}")
      string(REGEX MATCH "^[^/]+" own "${rel}")
      list(FIND folders "${own}" rank)
      file(STRINGS "${f}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
      set(hits)
      foreach(h ${includes})
        string(REGEX MATCH "\"([A-Za-z_]+)/" m "${h}")
        list(FIND folders "${CMAKE_MATCH_1}" used)
        if(used GREATER rank)
          list(APPEND hits "${h}")
        endif()
      endforeach()
    endif()
    foreach(h ${hits})
      string(APPEND found "\n  ${f}: ${h}")
    endforeach()
  endforeach()
  if(found)
    message(FATAL_ERROR "${ZUV_WHAT}:${found}")
  endif()
  file(TOUCH "${ZUV_STAMP}")
  return()
endif()

set(ZUV_CHECK_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# The build of <target> first runs check <check> over <sources>; <what> is
# the failure's text, <defines> more -D definitions for the check.
function(zuv_check_sources target check what defines)
  set(list ${CMAKE_CURRENT_BINARY_DIR}/${target}_${check}.txt)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_${check}.stamp)
  list(JOIN ARGN "\n" text)
  file(CONFIGURE OUTPUT ${list} CONTENT "${text}\n" @ONLY)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DZUV_CHECK=${check} "-DZUV_WHAT=${what}" ${defines}
      -DZUV_LIST=${list} -DZUV_STAMP=${stamp} -P ${ZUV_CHECK_SCRIPT}
    DEPENDS ${ARGN} ${list} ${ZUV_CHECK_SCRIPT}
    COMMENT "Checking the includes of ${target} (${check})" VERBATIM)
  add_custom_target(${target}_${check} DEPENDS ${stamp})
  add_dependencies(${target} ${target}_${check})
endfunction()

function(zuv_windowless target)
  zuv_check_sources(${target} windowless "window code included by ${target}, which must stay windowless"
    "" ${ARGN})
endfunction()

function(zuv_layers target folders)
  list(JOIN folders "," order)
  zuv_check_sources(${target} layers "an include goes up the layers (${order})"
    "-DZUV_FOLDERS=${order};-DZUV_SRC=${CMAKE_CURRENT_SOURCE_DIR}" ${ARGN})
endfunction()
