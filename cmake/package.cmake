# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# What a Debian system gets: manual pages, the AppStream entry, the copyright
# and changelog, and `cpack -G DEB` (make package) to wrap it all.

# Files that carry the version get it from project(): written into the
# build tree first.
function(vexp_versioned source out)
  get_filename_component(name ${source} NAME)
  configure_file(${source} ${CMAKE_BINARY_DIR}/packaging/${name} @ONLY)
  set(${out} ${CMAKE_BINARY_DIR}/packaging/${name} PARENT_SCOPE)
endfunction()

# Debian wants manual pages and changelogs compressed, without a time stamp.
function(vexp_gzip source out)
  vexp_versioned(${source} versioned)
  get_filename_component(name ${source} NAME)
  set(gz ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${versioned} ${gz}
    DEPENDS ${versioned} VERBATIM)
  set(${out} ${gz} PARENT_SCOPE)
endfunction()

set(VEXP_MANUALS ${CMAKE_SOURCE_DIR}/packaging/man/vandrel-exp.1)
if(VEXP_GUI)
  list(APPEND VEXP_MANUALS ${CMAKE_SOURCE_DIR}/packaging/man/vandrel-exp-editor.1)
endif()
set(VEXP_GZIPPED)
foreach(manual IN LISTS VEXP_MANUALS)
  vexp_gzip(${manual} gz)
  list(APPEND VEXP_GZIPPED ${gz})
  # Spanish pages: the language of the programs, and the default too.
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/es/man1)
endforeach()
vexp_gzip(${CMAKE_SOURCE_DIR}/packaging/debian/changelog changelog_gz)
add_custom_target(vexp_packaging_files ALL DEPENDS ${VEXP_GZIPPED} ${changelog_gz})

set(VEXP_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vandrel-exp-editor)
install(FILES packaging/debian/copyright DESTINATION ${VEXP_DOC_DIR})
# bash-completion's place for a command's completion, loaded on first use.
install(FILES packaging/bash-completion/vandrel-exp DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${changelog_gz} DESTINATION ${VEXP_DOC_DIR})
if(VEXP_GUI)
  vexp_versioned(${CMAKE_SOURCE_DIR}/packaging/debian/org.example.VandrelExpEditor.metainfo.xml metainfo)
  install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vandrel-exp-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Equipo Vandrel <exp@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # vandrel-exp-editor_VERSION_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's platform
# plugins (the window system, and offscreen for drawing), Qt's Spanish
# texts, and the fonts the windows ask for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor de tablas de experiencia para servidores de juego")
# The extended description: CPack puts the synopsis above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Abre, genera, corrige y guarda el archivo Exp.txt de un servidor de juego:
para cada nivel, la experiencia que hace falta para llegar al siguiente, en
siete grupos de clases, para el nivel base y el nivel de job.

La orden vandrel-exp genera tablas (generar), las normaliza como las guarda
el editor (normalizar), comprueba que el servidor pueda leerlas (comprobar),
compara dos tablas celda a celda (comparar), dibuja sus curvas en PNG, PDF o
SVG (grafico), y las lleva a las bases de datos que leen los servidores de
hoy y de vuelta (exportar, importar): la de trabajos en YAML y los grupos de
experiencia de exp_group_db.conf.")
include(CPack)
