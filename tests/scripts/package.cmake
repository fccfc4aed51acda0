# The Debian package, made by CPack from this build's install rules, then checked as a packager would
# check it (lintian, desktop-file-validate, appstreamcli) and started as a user would start it, from
# a tree unpacked with dpkg-deb (never installed into the machine). Exit status 77 means skipped (a
# tool is missing), as CTest is told.
set(TALONREACH_PACKAGE_OUT "${CMAKE_BINARY_DIR}/package")
set(TALONREACH_PACKAGE_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/package")

add_test(NAME Package.Build
         COMMAND sh "${TALONREACH_PACKAGE_SCRIPTS}/build.sh" "${CMAKE_CPACK_COMMAND}"
                 "${CMAKE_BINARY_DIR}/CPackConfig.cmake" "${TALONREACH_PACKAGE_OUT}")
set_tests_properties(Package.Build PROPERTIES
    FIXTURES_SETUP talonreach_package SKIP_RETURN_CODE 77 TIMEOUT 300)

add_test(NAME Package.Lintian
         COMMAND sh "${TALONREACH_PACKAGE_SCRIPTS}/lintian.sh" "${TALONREACH_PACKAGE_OUT}")
add_test(NAME Package.Contents
         COMMAND bash "${TALONREACH_PACKAGE_SCRIPTS}/contents.sh" "${TALONREACH_PACKAGE_OUT}"
                 "${CMAKE_BINARY_DIR}" "${CMAKE_SOURCE_DIR}" "${TALONREACH_APP_ID}")
add_test(NAME EndToEnd.InstalledPackage
         COMMAND bash "${CMAKE_CURRENT_LIST_DIR}/e2e/installed_package.sh" InstalledPackage
                 "${TALONREACH_PACKAGE_OUT}" "${CMAKE_BINARY_DIR}/e2e-artifacts/InstalledPackage"
                 "${CMAKE_SOURCE_DIR}")
set_tests_properties(Package.Lintian Package.Contents EndToEnd.InstalledPackage PROPERTIES
    FIXTURES_REQUIRED talonreach_package SKIP_RETURN_CODE 77 TIMEOUT 300)
set_tests_properties(EndToEnd.InstalledPackage PROPERTIES RESOURCE_LOCK talonreach_running_copy)
