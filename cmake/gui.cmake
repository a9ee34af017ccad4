# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# The editor's windows, as a library the tests link, and the editor itself.
find_package(X11)

set(VEXP_PLATFORM_SOURCES)
if(WIN32)
  list(APPEND VEXP_PLATFORM_SOURCES shell/lock_keys_win.cpp about/programs_win.cpp widgets/file_dialogs_win.cpp)
else()
  list(APPEND VEXP_PLATFORM_SOURCES about/programs_other.cpp widgets/file_dialogs_other.cpp)
  if(X11_FOUND AND X11_Xkb_FOUND)
    list(APPEND VEXP_PLATFORM_SOURCES shell/lock_keys_x11.cpp)
  else()
    list(APPEND VEXP_PLATFORM_SOURCES shell/lock_keys_other.cpp)
  endif()
endif()

# The pictures: drawn from their SVGs by Qt Svg, or, where Qt Svg is not
# built (Windows), as PNGs drawn at build time by the host build's tool.
set(VEXP_PICTURES presentacion=320x480 acerca=128x105 enlace=32x32 icono=256x256)
if(TARGET Qt6::Svg)
  set(VEXP_PICTURE_SOURCE widgets/pictures_svg.cpp)
else()
  set(VEXP_PICTURE_SOURCE widgets/pictures_png.cpp)
endif()

# Every window in one library. Its folders are layers, each including only
# from those below it (shell/ -> table/, generation/, about/ -> widgets/ ->
# the core): tests/layers.cmake checks it.
qt_add_library(vexp_ui STATIC
  widgets/appearance.cpp widgets/appearance.h ${VEXP_PICTURE_SOURCE}
  widgets/file_dialogs.h
  widgets/messages.cpp widgets/messages.h
  widgets/spanish_file_model.cpp widgets/spanish_file_model.h
  table/cell_editing.cpp table/cell_editing.h
  shell/status_bar.cpp shell/status_bar.h shell/lock_keys.h
  shell/frm_principal.cpp shell/frm_principal.h
  shell/frm_intro.cpp shell/frm_intro.h
  shell/mod_principal.cpp shell/mod_principal.h
  table/experience_table_model.cpp table/experience_table_model.h
  table/cuadricula.cpp table/cuadricula.h
  table/table_commands.cpp table/table_commands.h
  generation/frm_generar.cpp generation/frm_generar.h
  about/frm_about.cpp about/frm_about.h
  about/programs.h
  ${VEXP_PLATFORM_SOURCES})
target_link_libraries(vexp_ui PUBLIC vexp_core Qt6::Widgets)
if(X11_FOUND AND X11_Xkb_FOUND AND NOT WIN32)
  target_link_libraries(vexp_ui PRIVATE X11::X11)
endif()

if(TARGET Qt6::Svg)
  target_link_libraries(vexp_ui PUBLIC Qt6::Svg)
  qt_add_resources(vexp_ui vexp_resources PREFIX /vexp BASE resources
    FILES resources/licencia.txt resources/icono.svg resources/presentacion.svg resources/acerca.svg
          resources/enlace.svg)

  # The build's own drawing tool, which the Windows build borrows.
  qt_add_executable(vexp_render_svg tools/render_svg.cpp)
  target_link_libraries(vexp_render_svg PRIVATE Qt6::Gui Qt6::Svg)
  set_target_properties(vexp_render_svg PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  set(VEXP_RENDER_SVG $<TARGET_FILE:vexp_render_svg>)
  set(VEXP_RENDER_DEPENDS vexp_render_svg)
else()
  set(VEXP_HOST_RENDER_SVG "" CACHE FILEPATH "vexp_render_svg of a host build, to draw the pictures")
  if(NOT EXISTS "${VEXP_HOST_RENDER_SVG}")
    message(FATAL_ERROR "Without Qt Svg the pictures are drawn by a host build's tool: set VEXP_HOST_RENDER_SVG")
  endif()
  set(VEXP_RENDER_SVG ${VEXP_HOST_RENDER_SVG})
  set(VEXP_RENDER_DEPENDS ${VEXP_HOST_RENDER_SVG})
  set(picture_files)
  foreach(picture IN LISTS VEXP_PICTURES)
    string(REPLACE "=" ";" parts ${picture})
    list(GET parts 0 name)
    list(GET parts 1 size)
    set(png ${CMAKE_BINARY_DIR}/pictures/${name}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${VEXP_RENDER_SVG}
              ${CMAKE_SOURCE_DIR}/resources/${name}.svg ${size} ${png}
      DEPENDS ${CMAKE_SOURCE_DIR}/resources/${name}.svg VERBATIM)
    list(APPEND picture_files ${png})
  endforeach()
  configure_file(resources/licencia.txt ${CMAKE_BINARY_DIR}/pictures/licencia.txt COPYONLY)
  set_source_files_properties(${picture_files} PROPERTIES GENERATED TRUE)
  qt_add_resources(vexp_ui vexp_resources PREFIX /vexp BASE ${CMAKE_BINARY_DIR}/pictures
    FILES ${CMAKE_BINARY_DIR}/pictures/licencia.txt ${picture_files})
endif()

# The program's icon drawn as a square PNG of each size; the files in `out`.
function(vexp_icon_pngs out)
  set(pngs)
  foreach(size IN LISTS ARGN)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}/vandrel-exp-editor.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${VEXP_RENDER_SVG}
              ${CMAKE_SOURCE_DIR}/resources/icono.svg ${size} ${png}
      DEPENDS ${VEXP_RENDER_DEPENDS} ${CMAKE_SOURCE_DIR}/resources/icono.svg VERBATIM)
    list(APPEND pngs ${png})
  endforeach()
  set(${out} ${pngs} PARENT_SCOPE)
endfunction()

set(VEXP_EDITOR_SOURCES shell/main.cpp)
if(WIN32)
  # The program's icon in the .exe, for Explorer and the shortcuts.
  vexp_icon_pngs(ico_pngs 16 32 48 256)
  find_program(VEXP_CONVERT convert REQUIRED)
  set(ico ${CMAKE_BINARY_DIR}/icons/vandrel-exp-editor.ico)
  add_custom_command(OUTPUT ${ico} COMMAND ${VEXP_CONVERT} ${ico_pngs} ${ico} DEPENDS ${ico_pngs} VERBATIM)
  file(WRITE ${CMAKE_BINARY_DIR}/icons/vandrel-exp-editor.rc "IDI_ICON1 ICON \"vandrel-exp-editor.ico\"\n")
  set_source_files_properties(${CMAKE_BINARY_DIR}/icons/vandrel-exp-editor.rc PROPERTIES OBJECT_DEPENDS ${ico})
  list(APPEND VEXP_EDITOR_SOURCES ${CMAKE_BINARY_DIR}/icons/vandrel-exp-editor.rc)
endif()

qt_add_executable(vandrel-exp-editor WIN32 ${VEXP_EDITOR_SOURCES})
target_link_libraries(vandrel-exp-editor PRIVATE vexp_ui)

if(NOT WIN32)
  # PNG icons for the desktop, drawn from the SVG at build time.
  vexp_icon_pngs(VEXP_ICON_PNGS 16 32 48 64 128 256)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_BINARY_DIR}/icons/${size}/vandrel-exp-editor.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(vexp_icons ALL DEPENDS ${VEXP_ICON_PNGS})

  install(FILES resources/vandrel-exp-editor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES resources/icono.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME vandrel-exp-editor.svg)
endif()
install(TARGETS vandrel-exp-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
