# Resources made at build time, included by res/CMakeLists.txt.

# The first-run archive, resource "ZIP" 269: built from res/firstrun/ by our
# own tool (deflated entries, DOS host, archive attribute) and compiled into
# the executable; it never lies beside it as a file.
set(VOSTRA_FIRSTRUN_ZIP ${CMAKE_CURRENT_BINARY_DIR}/zip/269.zip)
add_custom_command(
    OUTPUT ${VOSTRA_FIRSTRUN_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/zip
    COMMAND make-firstrun-zip ${CMAKE_CURRENT_SOURCE_DIR}/firstrun ${VOSTRA_FIRSTRUN_ZIP}
    DEPENDS make-firstrun-zip
            ${CMAKE_CURRENT_SOURCE_DIR}/firstrun/systemset.ini
            ${CMAKE_CURRENT_SOURCE_DIR}/firstrun/uninstall.ico
    COMMENT "Building the first-run archive"
    VERBATIM)
list(APPEND VOSTRA_GENERATED_RESOURCES "zip/269.zip=${VOSTRA_FIRSTRUN_ZIP}")
list(APPEND VOSTRA_GENERATED_DEPENDS ${VOSTRA_FIRSTRUN_ZIP})
