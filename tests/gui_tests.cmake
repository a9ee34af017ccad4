# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Window tests: the real windows on Qt's offscreen platform.
function(vexp_gui_test name)
  vexp_test(${name} LIBRARY vexp_ui SOURCES ${ARGN} main_window_fixture.h)
endfunction()

vexp_gui_test(tst_frm_principal shell/tst_frm_principal.cpp)
if(NOT WIN32)
  # A laptop screen of 1280 x 720 at scale factor 2: 640 x 360 to place windows in.
  add_test(NAME tst_frm_principal_small_screen COMMAND tst_frm_principal windowsStayOnTheScreen)
  set_tests_properties(tst_frm_principal_small_screen PROPERTIES TIMEOUT 120 ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/shell/small_screen.json;QT_SCALE_FACTOR=2;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()
if(NOT WIN32)
  # Answers Qt's file dialog with Unix paths (/proc, /dev); under Wine the
  # end-to-end run drives open and save through Windows' own dialogs instead.
  vexp_gui_test(tst_table_commands table/tst_table_commands.cpp)
endif()
vexp_gui_test(tst_frm_generar generation/tst_frm_generar.cpp)
vexp_gui_test(tst_frm_about about/tst_frm_about.cpp)
vexp_test(tst_appearance LIBRARY vexp_ui SOURCES widgets/tst_appearance.cpp)

# The registry lookup through Windows' own API, under Wine, where both the
# cross compiler and Wine are installed.
find_program(VEXP_MINGW_CXX x86_64-w64-mingw32-g++-posix)
if(VEXP_MINGW_CXX AND EXISTS /usr/lib/wine/wine64)
  set(probe ${CMAKE_BINARY_DIR}/tests/sysinfo_probe.exe)
  add_custom_command(OUTPUT ${probe}
    COMMAND ${VEXP_MINGW_CXX} -std=c++20 -Wall -Wextra -Werror -I${CMAKE_SOURCE_DIR} -static -o ${probe}
            ${CMAKE_CURRENT_SOURCE_DIR}/about/sysinfo_probe.cpp ${CMAKE_SOURCE_DIR}/about/core/sys_info.cpp
            ${CMAKE_SOURCE_DIR}/about/core/registry_win.cpp -ladvapi32
    DEPENDS about/sysinfo_probe.cpp ${CMAKE_SOURCE_DIR}/about/core/sys_info.cpp ${CMAKE_SOURCE_DIR}/about/core/registry_win.cpp
    VERBATIM)
  add_custom_target(sysinfo_probe ALL DEPENDS ${probe})
  add_test(NAME wine_registry COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/about/wine_registry.sh ${probe})
  set_tests_properties(wine_registry PROPERTIES TIMEOUT 300)
endif()

# The X11 lock-key source on a real X server of its own, where Xvfb is installed.
find_program(VEXP_XVFB_RUN xvfb-run)
# The editor under a real window manager: close requests, the exit question.
find_program(VEXP_OPENBOX openbox)
find_program(VEXP_XDOTOOL xdotool)
find_program(VEXP_WMCTRL wmctrl)
if(VEXP_XVFB_RUN AND VEXP_OPENBOX AND VEXP_XDOTOOL AND VEXP_WMCTRL AND X11_FOUND AND NOT WIN32)
  add_executable(close_request shell/close_request.cpp)
  target_link_libraries(close_request PRIVATE X11::X11)
  set_target_properties(close_request PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME desktop_openbox COMMAND ${VEXP_XVFB_RUN} -a -s "-screen 0 1280x1024x24"
    sh ${CMAKE_CURRENT_SOURCE_DIR}/shell/desktop.sh $<TARGET_FILE:vandrel-exp-editor> $<TARGET_FILE:close_request>)
  set_tests_properties(desktop_openbox PROPERTIES TIMEOUT 120
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()
# The generation dialog's keys under Debian's GTK3 platform theme, which
# gives other keys to Qt's widgets (QGroupBox takes Return there).
if(VEXP_XVFB_RUN AND EXISTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/platformthemes/libqgtk3.so" AND NOT WIN32)
  add_test(NAME tst_frm_generar_gtk3 COMMAND ${VEXP_XVFB_RUN} -a -s "-noreset" $<TARGET_FILE:tst_frm_generar>)
  set_tests_properties(tst_frm_generar_gtk3 PROPERTIES TIMEOUT 300 ENVIRONMENT
    "QT_QPA_PLATFORM=xcb;QT_QPA_PLATFORMTHEME=gtk3;VEXP_CLI=$<TARGET_FILE:vandrel-exp>;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()
if(VEXP_XVFB_RUN AND X11_FOUND AND X11_Xkb_FOUND AND NOT WIN32)
  qt_add_executable(tst_lock_keys_x11 shell/tst_lock_keys_x11.cpp)
  target_link_libraries(tst_lock_keys_x11 PRIVATE vexp_ui Qt6::Test X11::X11)
  set_target_properties(tst_lock_keys_x11 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME tst_lock_keys_x11 COMMAND ${VEXP_XVFB_RUN} -a -s "-noreset" $<TARGET_FILE:tst_lock_keys_x11>)
  set_tests_properties(tst_lock_keys_x11 PROPERTIES TIMEOUT 120
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()
