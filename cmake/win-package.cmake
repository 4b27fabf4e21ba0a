# Windows: what the program needs beside it (the Qt libraries and plugins it uses, the MinGW
# runtime), stripped; its licences and a short README; a per-user installer in Chinese
# (cmake/NSIS.template.in) and a portable zip. Included from CMakeLists.txt, which puts the program
# at the top of the installation.

# The installer's and uninstaller's icon. Programs and Features shows the program's own.
set(COUNTDOWN_WIN_ICON ${CMAKE_CURRENT_SOURCE_DIR}/assets/gaokao-countdown.ico)

install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    $<TARGET_FILE:Qt6::Network> DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
# Without qjpeg the chalkboards are silently missing.
install(FILES $<TARGET_FILE:Qt6::QJpegPlugin> $<TARGET_FILE:Qt6::QICOPlugin>
    DESTINATION ${CMAKE_INSTALL_BINDIR}/imageformats)
# Qt's Chinese for its own dialogs, where the program looks for it beside itself (Debian's
# qt6-translations-l10n of the same Qt version; the file serves every system).
find_file(COUNTDOWN_QTBASE_ZH_CN qtbase_zh_CN.qm
    PATHS ${QT_HOST_PATH}/share/qt6/translations /usr/share/qt6/translations
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT COUNTDOWN_QTBASE_ZH_CN)
    message(FATAL_ERROR "qtbase_zh_CN.qm not found: install qt6-translations-l10n")
endif()
install(FILES ${COUNTDOWN_QTBASE_ZH_CN} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
if(TARGET Qt6::QWindowsVistaStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
        DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
endif()
if(MINGW)
    foreach(runtime libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
            OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
        install(FILES ${runtime_path} DESTINATION ${CMAKE_INSTALL_BINDIR})
    endforeach()
endif()

# Text for Notepad: CRLF line ends (the README also starts with a UTF-8 byte-order mark).
configure_file(LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(assets/win/README.txt README.txt @ONLY NEWLINE_STYLE CRLF)
# The installer puts its own in place of the zip's.
configure_file(assets/win/README-installed.txt README-installed.txt @ONLY NEWLINE_STYLE CRLF)
set(CPACK_COUNTDOWN_INSTALLED_README ${CMAKE_CURRENT_BINARY_DIR}/README-installed.txt)
configure_file(assets/win/Qt-NOTICE.txt Qt-NOTICE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt ${CMAKE_CURRENT_BINARY_DIR}/README.txt
    DESTINATION .)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/Qt-NOTICE.txt assets/win/LGPL-3.0.txt
        assets/win/GPL-3.0.txt
    DESTINATION ${CMAKE_INSTALL_DOCDIR}/Qt)

# The installed libraries and programs lose their debugging sections (about 60 MB to 27 MB); the
# build keeps them. Only what this installation wrote is stripped.
if(MINGW AND CMAKE_STRIP)
    install(CODE "set(countdown_strip \"${CMAKE_STRIP}\")")
    install(CODE [[
        foreach(installed IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
            if(installed MATCHES "\\.(exe|dll)$")
                execute_process(COMMAND "${countdown_strip}" --strip-unneeded "${installed}"
                    COMMAND_ERROR_IS_FATAL ANY)
            endif()
        endforeach()
    ]])
endif()

set(CPACK_GENERATOR NSIS ZIP)
# The project's own NSIS.template.in, in cmake/.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/cmake)
# The zip opens onto the program, its README and licences (no folder around them).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cmake/win-cpack-options.cmake)
set(CPACK_PACKAGE_INSTALL_DIRECTORY gaokao-countdown)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY gaokao-countdown)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
set(CPACK_COUNTDOWN_COPYRIGHT "${COUNTDOWN_COPYRIGHT}")
set(CPACK_NSIS_DISPLAY_NAME "高考倒计时")
set(CPACK_NSIS_PACKAGE_NAME "高考倒计时")
set(CPACK_NSIS_INSTALLED_ICON_NAME gaokao-countdown.exe)
set(CPACK_NSIS_MUI_ICON ${COUNTDOWN_WIN_ICON})
set(CPACK_NSIS_MUI_UNIICON ${COUNTDOWN_WIN_ICON})
# A 64-bit installer: Debian's Wine has no 32-bit side, and the program is 64-bit anyway.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
