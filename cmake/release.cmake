# The release a build belongs to: the first "## Release N (YYYY-MM-DD)" heading
# of CHANGELOG.md, the one place that names it. Sets TIKKANO_RELEASE (N) and
# TIKKANO_RELEASE_DATE, and configures again whenever CHANGELOG.md changes.
set(TIKKANO_CHANGELOG "${CMAKE_CURRENT_SOURCE_DIR}/CHANGELOG.md")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${TIKKANO_CHANGELOG}")
file(STRINGS "${TIKKANO_CHANGELOG}" tikkano_release_heads
     REGEX "^## Release [0-9]+ \\([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]\\)$")
if(NOT tikkano_release_heads)
    message(FATAL_ERROR "CHANGELOG.md names no release: its newest entry must begin with \"## Release N (YYYY-MM-DD)\"")
endif()
list(GET tikkano_release_heads 0 tikkano_release_head)
string(REGEX REPLACE "^## Release ([0-9]+) \\(([0-9-]+)\\)$" "\\1;\\2" tikkano_release_parts "${tikkano_release_head}")
list(GET tikkano_release_parts 0 TIKKANO_RELEASE)
list(GET tikkano_release_parts 1 TIKKANO_RELEASE_DATE)
# The fourth number of a Windows file version has 16 bits.
if(TIKKANO_RELEASE GREATER 65535)
    message(FATAL_ERROR "release ${TIKKANO_RELEASE} does not fit a file version")
endif()
