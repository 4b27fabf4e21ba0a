# Linux: the Debian package's own parts, as the distribution's checks (lintian) want them: the
# machine-readable copyright file, the changelog, the manual page made from the program's own
# help, stripped binaries and a description in short lines. Included from CMakeLists.txt.

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A borderless chalkboard that shows the days and hours left until the
college entrance exam and the current date and time. A mini board can be
pinned to the desktop; a label editor restyles the board; an alarm counts
down seconds to a reminder or to shutting the computer down.")
# The installed program loses its debugging sections and the compilers' notes, as dh_strip leaves
# a Debian package's; the build keeps them.
install(CODE "set(countdown_strip \"${CMAKE_STRIP}\")
    set(countdown_program \"${CMAKE_INSTALL_BINDIR}/gaokao-countdown\")")
install(CODE [[
    execute_process(COMMAND "${countdown_strip}" --remove-section=.comment --remove-section=.note
            --strip-unneeded "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${countdown_program}"
        COMMAND_ERROR_IS_FATAL ANY)
]])

# A licence file as the copyright file holds it: each line indented, blank lines as " .".
function(countdown_dep5_text file variable)
    file(READ ${file} text)
    string(REGEX REPLACE "[\r\n]+$" "" text "${text}")
    string(REPLACE "\r" "" text "${text}")
    string(REPLACE "\n" "\n " text " ${text}")
    foreach(pass 1 2)
        string(REGEX REPLACE "\n[ \t]*\n" "\n .\n" text "${text}")
    endforeach()
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()
countdown_dep5_text(LICENSE COUNTDOWN_LICENSE_TEXT)
countdown_dep5_text(assets/fonts/ARPHICPL.txt COUNTDOWN_ARPHIC_TEXT)
# The OFL stanza of the handwriting face's own copyright file, which holds it so already.
file(READ assets/fonts/OFL-handwriting.txt handwriting)
string(REGEX MATCH "License: OFL-1.1\n( [^\n]*\n)+" COUNTDOWN_OFL_TEXT "${handwriting}")
string(REGEX REPLACE "\n$" "" COUNTDOWN_OFL_TEXT "${COUNTDOWN_OFL_TEXT}")
configure_file(assets/debian/copyright.in copyright @ONLY)
# The release's date, for the changelog and the manual page alike: a build makes the same files on
# any day.
set(COUNTDOWN_RELEASE_EPOCH 1796788800)
set(ENV{SOURCE_DATE_EPOCH} ${COUNTDOWN_RELEASE_EPOCH})
string(TIMESTAMP COUNTDOWN_RELEASE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
unset(ENV{SOURCE_DATE_EPOCH})
configure_file(assets/debian/changelog.in changelog @ONLY)

# The manual page: the program's own help (in English), so that the two never disagree.
find_program(COUNTDOWN_HELP2MAN help2man REQUIRED)
find_program(COUNTDOWN_GZIP gzip REQUIRED)
add_custom_command(OUTPUT gaokao-countdown.1.gz changelog.Debian.gz
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 LANGUAGE= ASAN_OPTIONS=detect_leaks=0
        SOURCE_DATE_EPOCH=${COUNTDOWN_RELEASE_EPOCH}
        ${COUNTDOWN_HELP2MAN} --no-info --output=gaokao-countdown.1
        "--name=count the days and hours left until the college entrance exam"
        $<TARGET_FILE:gaokao-countdown>
    COMMAND ${COUNTDOWN_GZIP} -9nf gaokao-countdown.1
    COMMAND ${COUNTDOWN_GZIP} -9nc changelog > changelog.Debian.gz
    DEPENDS gaokao-countdown ${CMAKE_CURRENT_BINARY_DIR}/changelog
    VERBATIM)
add_custom_target(debian_documents ALL
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/gaokao-countdown.1.gz
        ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/gaokao-countdown.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The package is no upload to Debian: there is no bug asking for it to close.
install(FILES assets/debian/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME gaokao-countdown)
