# Copies the screenshots tool's NN_<name>.png for each of NAMES to DESTINATION/<name>.png. A name the
# tool did not write fails the build, so the metadata never points at a picture nobody made.
file(MAKE_DIRECTORY "${DESTINATION}")
foreach(name ${NAMES})
    file(GLOB found "${SOURCE}/[0-9][0-9]_${name}.png")
    list(LENGTH found count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "the screenshots tool wrote ${count} pictures named ${name}")
    endif()
    file(COPY_FILE "${found}" "${DESTINATION}/${name}.png")
endforeach()
