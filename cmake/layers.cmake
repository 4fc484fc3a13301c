# Keeps the folders of src/ in their layers: a file includes headers of its
# own folder and of the folders before it in ZUV_FOLDERS, never of a folder
# after it (src/README.md says which folder uses which).

if(CMAKE_SCRIPT_MODE_FILE)
  string(REPLACE "," ";" folders "${ZUV_FOLDERS}")
  file(STRINGS "${ZUV_LIST}" files)
  set(found)
  foreach(f ${files})
    file(RELATIVE_PATH rel "${ZUV_SRC}" "${f}")
    string(REGEX MATCH "^[^/]+" own "${rel}")
    list(FIND folders "${own}" rank)
    file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
    foreach(h ${hits})
      string(REGEX MATCH "\"([A-Za-z_]+)/" m "${h}")
      list(FIND folders "${CMAKE_MATCH_1}" used)
      if(used GREATER rank)
        string(APPEND found "\n  ${f}: ${h}")
      endif()
    endforeach()
  endforeach()
  if(found)
    message(FATAL_ERROR "an include goes up the layers (${ZUV_FOLDERS}):${found}")
  endif()
  file(TOUCH "${ZUV_STAMP}")
  return()
endif()

set(ZUV_LAYERS_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# zuv_layers(<target> <folders> <sources>...): the build of <target> fails
# when one of <sources> includes a header of a later folder of <folders>.
function(zuv_layers target folders)
  set(list ${CMAKE_CURRENT_BINARY_DIR}/${target}_layers.txt)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_layers.stamp)
  list(JOIN ARGN "\n" text)
  file(CONFIGURE OUTPUT ${list} CONTENT "${text}\n" @ONLY)
  list(JOIN folders "," order)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DZUV_FOLDERS=${order} -DZUV_SRC=${CMAKE_CURRENT_SOURCE_DIR}
      -DZUV_LIST=${list} -DZUV_STAMP=${stamp} -P ${ZUV_LAYERS_SCRIPT}
    DEPENDS ${ARGN} ${list} ${ZUV_LAYERS_SCRIPT}
    COMMENT "Checking that ${target} includes no later layer" VERBATIM)
  add_custom_target(${target}_layers DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layers)
endfunction()
