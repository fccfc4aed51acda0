# End-to-end tests: the built game itself in a private X server under a window manager, driven with
# real key presses and judged by screenshots (scripts in e2e/). Each test has its own X server,
# working folder and settings file; the screenshots of every step stay in
# e2e-artifacts/<test>/ of the build folder. The game allows one running copy per user, so these
# tests take turns (the resource lock) rather than refuse each other's starts.
set(TALONREACH_E2E_TESTS
    "MenusOptionsPlayAndExit:menus_and_play"
    "FocusLossPausesOnce:focus_loss"
    "FullScreenAndBack:full_screen"
    "SecondStartRaisesFirst:second_start"
    "CloseDuringScoreEntry:close_during_score_entry"
    "StopSignalsAndTheErrorBox:error_box"
    "StrayLockHolder:stray_lock"
    "WindowSizedForTheScreenAndKept:window_size"
    "WatchAReplay:replay"
    "QuickTapsFromTheLogoIntoPlay:quick_taps"
    "TheTitlePlaysADemoWhenLeftAlone:attract_mode"
    "ChangeControlsAndFireWithTheNewKey:change_controls")

# A process that holds the game's lock without being the game, for the stray-lock test.
add_executable(e2e_lock_holder "${CMAKE_CURRENT_LIST_DIR}/e2e/lock_holder.cpp")

foreach(e2e_entry ${TALONREACH_E2E_TESTS})
    string(REPLACE ":" ";" e2e_parts "${e2e_entry}")
    list(GET e2e_parts 0 e2e_name)
    list(GET e2e_parts 1 e2e_script)
    add_test(NAME EndToEnd.${e2e_name}
             COMMAND bash "${CMAKE_CURRENT_LIST_DIR}/e2e/${e2e_script}.sh" "${e2e_name}"
                     "$<TARGET_FILE:talonreach>" "${CMAKE_BINARY_DIR}/Resource"
                     "${CMAKE_BINARY_DIR}/e2e-artifacts/${e2e_name}" "${CMAKE_SOURCE_DIR}"
             WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
    set_tests_properties(EndToEnd.${e2e_name} PROPERTIES
        ENVIRONMENT "E2E_LOCK_HOLDER=$<TARGET_FILE:e2e_lock_holder>"
        SKIP_RETURN_CODE 77
        TIMEOUT 120
        RESOURCE_LOCK talonreach_running_copy)
endforeach()
# The title waits a minute before its demo.
set_tests_properties(EndToEnd.TheTitlePlaysADemoWhenLeftAlone PROPERTIES TIMEOUT 240)
