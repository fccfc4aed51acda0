# End-to-end tests on a real Wayland compositor: Debian's sway on its headless back end (no GPU, no
# seat), the game started natively and through XWayland, driven by a virtual keyboard of the
# project's own (e2e/wl_keyboard.cpp, speaking the compositor's virtual-keyboard protocol) and judged
# by grim's screenshots. Registered beside the X11 end-to-end tests and taking turns with them.
# The renderer's cases on Wayland (test_RendererWayland) on a private sway of their own.
add_test(NAME RendererUnderSway
         COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/scripts/under_sway.sh" "$<TARGET_FILE:test_RendererWayland>"
         WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
set_tests_properties(RendererUnderSway PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)

include("${CMAKE_CURRENT_LIST_DIR}/e2e/wl_keyboard.cmake")
if(NOT TARGET e2e_wl_keyboard)
    return()
endif()

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
