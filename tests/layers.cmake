# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Checks from the includes that every folder keeps to its layer:
#   shell/                      may include everything below
#   table/ generation/ about/   their own folder, widgets/, the core
#   widgets/                    widgets/ and the core
#   core/ and <subsystem>/core/ the core only, and of Qt, Qt Core only
#   server/core/                the servers' view: core, but only cli/ and itself include it
#   chart/                      its own folder and the core
#   cli/                        the core, and chart/ to draw
#   tools/                      nothing of the programs: build-time programs stand alone
# Run as: cmake -DSOURCE_DIR=... -DQTCORE_DIR=... -P layers.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/core/*.cpp ${SOURCE_DIR}/core/*.h
  ${SOURCE_DIR}/widgets/*.cpp ${SOURCE_DIR}/widgets/*.h
  ${SOURCE_DIR}/table/*.cpp ${SOURCE_DIR}/table/*.h
  ${SOURCE_DIR}/generation/*.cpp ${SOURCE_DIR}/generation/*.h
  ${SOURCE_DIR}/about/*.cpp ${SOURCE_DIR}/about/*.h
  ${SOURCE_DIR}/shell/*.cpp ${SOURCE_DIR}/shell/*.h
  ${SOURCE_DIR}/chart/*.cpp ${SOURCE_DIR}/chart/*.h
  ${SOURCE_DIR}/cli/*.cpp ${SOURCE_DIR}/cli/*.h
  ${SOURCE_DIR}/server/*.cpp ${SOURCE_DIR}/server/*.h
  ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h)

function(layer_of path out)
  if(path MATCHES "^core/" OR path MATCHES "^[a-z]+/core/")
    set(${out} core PARENT_SCOPE)
  elseif(path MATCHES "^(widgets|shell|cli|tools)/")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  else()
    string(REGEX MATCH "^[a-z]+" subsystem "${path}")
    set(${out} ${subsystem} PARENT_SCOPE)
  endif()
endfunction()

set(faults "")
foreach(source IN LISTS sources)
  layer_of(${source} layer)
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^#include")
  foreach(line IN LISTS lines)
    if(line MATCHES "^#include \"([^\"]+)\"")
      set(target ${CMAKE_MATCH_1})
      layer_of(${target} target_layer)
      # A module's inside (name_p.h) is its own files' only: name*.cpp.
      set(module "")
      if(target MATCHES "^(.*)_p\\.h$")
        set(module ${CMAKE_MATCH_1})
      endif()
      if(module AND NOT source MATCHES "^${module}")
        list(APPEND faults "${source}: includes another module's inside ${target}")
      elseif(target MATCHES "^server/" AND NOT source MATCHES "^(server|cli)/")
        list(APPEND faults "${source}: reaches into the servers' view ${target}")
      elseif(target_layer STREQUAL "shell" AND NOT layer STREQUAL "shell")
        list(APPEND faults "${source}: reaches up into ${target}")
      elseif(layer STREQUAL "core" AND NOT target_layer STREQUAL "core")
        list(APPEND faults "${source}: the core includes ${target}")
      elseif(layer STREQUAL "cli" AND NOT target_layer MATCHES "^(core|cli|chart)$")
        list(APPEND faults "${source}: the companion tool includes window code ${target}")
      elseif(layer STREQUAL "widgets" AND NOT target_layer MATCHES "^(core|widgets)$")
        list(APPEND faults "${source}: a shared window helper includes ${target}")
      elseif(layer STREQUAL "chart" AND NOT target_layer MATCHES "^(core|chart)$")
        list(APPEND faults "${source}: the chart drawing includes ${target}")
      elseif(layer STREQUAL "tools")
        list(APPEND faults "${source}: a build-time program includes the programs' ${target}")
      elseif(layer MATCHES "^(table|generation|about)$" AND NOT target_layer MATCHES "^(core|widgets|${layer})$")
        list(APPEND faults "${source}: includes another subsystem's window code ${target}")
      endif()
    elseif(line MATCHES "^#include <(Q[A-Za-z]+(/[A-Za-z]+)?)>")
      set(included ${CMAKE_MATCH_1})
      if(NOT layer MATCHES "^(core|cli)$")
        continue()
      endif()
      string(REGEX REPLACE "^QtCore/" "" header "${included}")
      if(NOT EXISTS ${QTCORE_DIR}/${header})
        list(APPEND faults "${source}: includes <${included}>, which is not Qt Core")
      endif()
    endif()
  endforeach()
endforeach()

list(LENGTH sources checked)
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
message(STATUS "Layers kept in ${checked} files.")
