# The input tests against a real X server (Xvfb) with two keyboard layouts.
add_test(NAME InputUnderXvfb
         COMMAND sh "${CMAKE_CURRENT_SOURCE_DIR}/scripts/input_x11.sh" "$<TARGET_FILE:test_DirectInputX11>"
         WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
set_tests_properties(InputUnderXvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
# The renderer's choice of device on an X server without direct rendering.
add_test(NAME RendererUnderXvfb
         COMMAND sh "${CMAKE_CURRENT_SOURCE_DIR}/scripts/input_x11.sh" "$<TARGET_FILE:test_RendererX11>"
         WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
set_tests_properties(RendererUnderXvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 60)
