# End-to-end tests on a real Wayland compositor: Debian's sway on its headless back end (no GPU, no
# seat), the game started natively and through XWayland, driven by a virtual keyboard of the
# project's own (e2e/wl_keyboard.cpp, speaking the compositor's virtual-keyboard protocol) and judged
# by grim's screenshots. Registered beside the X11 end-to-end tests and taking turns with them.
find_program(TALONREACH_WAYLAND_SCANNER wayland-scanner)
pkg_check_modules(TALONREACH_WL_KEYBOARD IMPORTED_TARGET wayland-client xkbcommon)
if(NOT TALONREACH_WAYLAND_SCANNER OR NOT TALONREACH_WL_KEYBOARD_FOUND)
    message(STATUS "wayland-scanner, wayland-client or xkbcommon missing: no Wayland end-to-end tests")
    return()
endif()

set(wl_protocol "${CMAKE_CURRENT_LIST_DIR}/e2e/virtual-keyboard.xml")
set(wl_generated "${CMAKE_CURRENT_BINARY_DIR}/wl_keyboard")
add_custom_command(
    OUTPUT "${wl_generated}/virtual-keyboard-client-protocol.h" "${wl_generated}/virtual-keyboard-protocol.c"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${wl_generated}"
    COMMAND "${TALONREACH_WAYLAND_SCANNER}" client-header "${wl_protocol}"
            "${wl_generated}/virtual-keyboard-client-protocol.h"
    COMMAND "${TALONREACH_WAYLAND_SCANNER}" private-code "${wl_protocol}"
            "${wl_generated}/virtual-keyboard-protocol.c"
    DEPENDS "${wl_protocol}"
    VERBATIM)
add_executable(e2e_wl_keyboard "${CMAKE_CURRENT_LIST_DIR}/e2e/wl_keyboard.cpp"
                               "${wl_generated}/virtual-keyboard-protocol.c")
target_include_directories(e2e_wl_keyboard PRIVATE "${wl_generated}")
target_link_libraries(e2e_wl_keyboard PRIVATE PkgConfig::TALONREACH_WL_KEYBOARD)

foreach(wl_entry "OnWaylandNatively:wayland" "OnWaylandThroughXWayland:xwayland")
    string(REPLACE ":" ";" wl_parts "${wl_entry}")
    list(GET wl_parts 0 wl_name)
    list(GET wl_parts 1 wl_mode)
    add_test(NAME EndToEnd.${wl_name}
             COMMAND bash "${CMAKE_CURRENT_LIST_DIR}/e2e/on_sway.sh" "${wl_name}" "$<TARGET_FILE:talonreach>"
                     "${CMAKE_BINARY_DIR}/Resource" "${CMAKE_BINARY_DIR}/e2e-artifacts/${wl_name}"
                     "${CMAKE_SOURCE_DIR}" "${wl_mode}"
             WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
    set_tests_properties(EndToEnd.${wl_name} PROPERTIES
        ENVIRONMENT "E2E_WL_KEYBOARD=$<TARGET_FILE:e2e_wl_keyboard>"
        SKIP_RETURN_CODE 77
        TIMEOUT 180
        RESOURCE_LOCK talonreach_running_copy)
endforeach()
