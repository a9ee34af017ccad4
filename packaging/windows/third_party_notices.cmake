# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
#
# Writes TERCEROS.txt: the notices and licence texts of everything built into
# the Windows programs and the installer, taken from their sources: Qt's own
# qt_attribution.json files (each third-party part of qtbase, with its
# licence file), then yaml-cpp from its source's LICENSE, then the mingw-w64
# runtime, GCC's runtime libraries and NSIS, from their Debian copyright files.
#   cmake -DQT_SOURCE=<qtbase source> -DYAML_CPP_LICENSE=<its LICENSE> -DOUT=<TERCEROS.txt>
#         -P third_party_notices.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT QT_SOURCE OR NOT YAML_CPP_LICENSE OR NOT OUT)
  message(FATAL_ERROR "QT_SOURCE, YAML_CPP_LICENSE and OUT are needed")
endif()

# The entry's `key` as one text: a string as it is, an array's strings
# joined by `separator`; empty when the entry has no such key.
function(json_text out entry key separator)
  set(text "")
  string(JSON kind ERROR_VARIABLE missing TYPE "${entry}" ${key})
  if(kind STREQUAL "ARRAY")
    string(JSON n LENGTH "${entry}" ${key})
    math(EXPR last "${n} - 1")
    foreach(i RANGE ${last})
      string(JSON item GET "${entry}" ${key} ${i})
      if(i GREATER 0)
        string(APPEND text "${separator}")
      endif()
      string(APPEND text "${item}")
    endforeach()
  elseif(NOT missing)
    string(JSON text GET "${entry}" ${key})
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# qtbase parts that a Windows build of Core, Gui and Widgets never compiles.
set(not_built_on_windows
  src/network src/testlib src/dbus src/plugins/platforms/cocoa src/corelib/kernel
  src/3rdparty/libpsl src/3rdparty/wasm src/3rdparty/xcb src/3rdparty/forkfd
  src/3rdparty/android src/3rdparty/gradle)

file(READ ${QT_SOURCE}/.cmake.conf qt_conf)
string(REGEX MATCH "QT_REPO_MODULE_VERSION \"([0-9.]+)\"" _ "${qt_conf}")
set(qt_version ${CMAKE_MATCH_1})

set(rule "================================================================================")
set(text "Programas de terceros en Vandrel EXP Editor para Windows
${rule}

vandrel-exp-editor.exe y vandrel-exp.exe llevan dentro, enlazados de forma
estática, Qt ${qt_version} (qtbase: Qt Core, Qt Gui, Qt Widgets y la platform de
Windows), tomado bajo la GNU General Public License, versión 2 (véase
LICENCIA.txt), con las partes de terceros que Qt incluye, y las bibliotecas de
ejecución de mingw-w64 y de GCC; vandrel-exp.exe lleva además yaml-cpp 0.7.0
(licencia MIT), que lee y escribe la base de datos en YAML. El instalador lleva
además el código de NSIS.
Siguen los avisos y las licencias de cada parte, tal como los dan sus fuentes.

El código fuente completo de los programas, y del Qt y el yaml-cpp con que se
construyeron, se distribuye junto a ellos: vandrel-exp-editor-VERSIÓN-fuentes.zip.
")

# Partes de Qt, de sus qt_attribution.json.
file(GLOB_RECURSE attributions RELATIVE ${QT_SOURCE} ${QT_SOURCE}/src/*/qt_attribution.json)
list(SORT attributions)
foreach(attribution IN LISTS attributions)
  set(skip FALSE)
  foreach(prefix IN LISTS not_built_on_windows)
    string(FIND "${attribution}" "${prefix}/" at)
    if(at EQUAL 0)
      set(skip TRUE)
    endif()
  endforeach()
  if(skip)
    continue()
  endif()
  get_filename_component(dir ${QT_SOURCE}/${attribution} DIRECTORY)
  file(READ ${QT_SOURCE}/${attribution} json)
  # A file holds one entry, or an array of them. (Entries are taken by index:
  # their text may hold semicolons, which a CMake list would split.)
  string(JSON kind TYPE "${json}")
  set(count 1)
  if(kind STREQUAL "ARRAY")
    string(JSON count LENGTH "${json}")
  endif()
  math(EXPR last "${count} - 1")
  foreach(index RANGE ${last})
    if(kind STREQUAL "ARRAY")
      string(JSON entry GET "${json}" ${index})
    else()
      set(entry "${json}")
    endif()
    foreach(field Name Version License LicenseId)
      string(JSON ${field} ERROR_VARIABLE missing GET "${entry}" ${field})
      if(missing)
        set(${field} "")
      endif()
    endforeach()
    # Copyright: a string or a list of lines. Licence files: one, or a list
    # (file names hold no semicolon, so a CMake list will do).
    json_text(copyright "${entry}" Copyright "\n")
    json_text(one "${entry}" LicenseFile ";")
    json_text(many "${entry}" LicenseFiles ";")
    set(licence_files ${one} ${many})

    get_filename_component(part_dir ${attribution} DIRECTORY)
    string(APPEND text "\n${rule}\n${Name}")
    if(Version)
      string(APPEND text " ${Version}")
    endif()
    string(APPEND text "\n(qtbase/${part_dir})\nLicencia: ${License}")
    if(LicenseId)
      string(APPEND text " (${LicenseId})")
    endif()
    string(APPEND text "\n\n${copyright}\n")
    foreach(licence_file IN LISTS licence_files)
      if(NOT EXISTS ${dir}/${licence_file})
        message(FATAL_ERROR "${attribution}: no licence file ${licence_file}")
      endif()
      file(READ ${dir}/${licence_file} licence_text)
      string(APPEND text "\n${licence_text}\n")
    endforeach()
  endforeach()
endforeach()

# yaml-cpp, inside vandrel-exp.exe alone.
file(READ ${YAML_CPP_LICENSE} licence_text)
string(APPEND text "\n${rule}\nyaml-cpp 0.7.0 (en vandrel-exp.exe: exportar e importar)\nLicencia: MIT\n\n${licence_text}\n")

# The runtimes and the installer's stub, from Debian's copyright files.
foreach(part
    "mingw-w64 (bibliotecas de ejecución crt y winpthreads)|/usr/share/doc/mingw-w64-common/copyright"
    "GCC (libgcc y libstdc++, con la GCC Runtime Library Exception)|/usr/share/doc/gcc-mingw-w64-base/copyright"
    "NSIS (el instalador y su desinstalador)|/usr/share/doc/nsis/copyright")
  string(REPLACE "|" ";" part "${part}")
  list(GET part 0 name)
  list(GET part 1 path)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "no ${path}")
  endif()
  file(READ ${path} licence_text)
  string(APPEND text "\n${rule}\n${name}\n(${path})\n\n${licence_text}\n")
endforeach()

# Windows' Notepad reads CR LF.
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
