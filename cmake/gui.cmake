# The editor's windows, as a library the tests link, and the editor itself.
find_package(X11)

set(VEXP_PLATFORM_SOURCES)
if(WIN32)
  list(APPEND VEXP_PLATFORM_SOURCES shell/lock_keys_win.cpp about/programas_win.cpp)
else()
  list(APPEND VEXP_PLATFORM_SOURCES about/programas_other.cpp)
  if(X11_FOUND AND X11_Xkb_FOUND)
    list(APPEND VEXP_PLATFORM_SOURCES shell/lock_keys_x11.cpp)
  else()
    list(APPEND VEXP_PLATFORM_SOURCES shell/lock_keys_other.cpp)
  endif()
endif()

# Layers, each including only from those below it: shell/ -> table/,
# generation/, about/ -> widgets/ -> the core.
qt_add_library(vexp_ui STATIC
  widgets/apariencia.cpp widgets/apariencia.h
  widgets/mensajes.cpp widgets/mensajes.h
  widgets/spanish_file_model.cpp widgets/spanish_file_model.h
  shell/cell_editing.cpp shell/cell_editing.h
  shell/status_bar.cpp shell/status_bar.h shell/lock_keys.h
  shell/frm_principal.cpp shell/frm_principal.h
  shell/frm_intro.cpp shell/frm_intro.h
  shell/mod_principal.cpp shell/mod_principal.h
  table/experience_table_model.cpp table/experience_table_model.h
  table/cuadricula.cpp table/cuadricula.h
  table/table_commands.cpp table/table_commands.h
  generation/frm_generar.cpp generation/frm_generar.h
  about/frm_about.cpp about/frm_about.h
  about/programas.h
  ${VEXP_PLATFORM_SOURCES})
target_link_libraries(vexp_ui PUBLIC vexp_core Qt6::Widgets Qt6::Svg)
target_compile_definitions(vexp_ui PRIVATE QT_NO_CAST_FROM_ASCII)
if(X11_FOUND AND X11_Xkb_FOUND AND NOT WIN32)
  target_link_libraries(vexp_ui PRIVATE X11::X11)
endif()
qt_add_resources(vexp_ui vexp_resources PREFIX /vexp BASE resources
  FILES resources/licencia.txt resources/icono.svg resources/presentacion.svg resources/acerca.svg resources/enlace.svg)

qt_add_executable(vandrel-exp-editor WIN32 shell/main.cpp)
target_link_libraries(vandrel-exp-editor PRIVATE vexp_ui)
target_compile_definitions(vandrel-exp-editor PRIVATE QT_NO_CAST_FROM_ASCII)

# PNG icons for the desktop, drawn from the SVG at build time.
qt_add_executable(vexp_render_svg cmake/render_svg.cpp)
target_link_libraries(vexp_render_svg PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(vexp_render_svg PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
set(VEXP_ICON_PNGS)
foreach(size 16 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}/vandrel-exp-editor.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:vexp_render_svg>
            ${CMAKE_SOURCE_DIR}/resources/icono.svg ${size} ${png}
    DEPENDS vexp_render_svg ${CMAKE_SOURCE_DIR}/resources/icono.svg VERBATIM)
  list(APPEND VEXP_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(vexp_icons ALL DEPENDS ${VEXP_ICON_PNGS})

include(GNUInstallDirs)
install(TARGETS vandrel-exp-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/vandrel-exp-editor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/icono.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME vandrel-exp-editor.svg)
