# Install rules and the Debian package.
#   cmake --install <build dir> [--prefix DIR]     the program, desktop entry, metainfo, icons
#   cpack --config <build dir>/CPackConfig.cmake   a .deb (Debian and derivatives)

set(app_id org.ductcalc.DuctCalc)

install(TARGETS ductcalc
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)

if(WIN32 AND CMAKE_CROSSCOMPILING)
    # The plugins the program loads, in the folders beside it where Qt looks for them, Qt's
    # own Chinese texts where the program looks for them, and the DLLs of Qt and of the
    # MinGW runtime that the program and the plugins need.
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin
        LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin
        LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
    install(FILES ${DUCTCALC_QT_TRANSLATIONS} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
    install(CODE "
        include(${CMAKE_CURRENT_LIST_DIR}/WindowsDeploy.cmake)
        ductcalc_deploy_windows_dlls(\"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
            BINARIES $<TARGET_FILE_NAME:ductcalc>
                     platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin>
                     styles/$<TARGET_FILE_NAME:Qt6::QWindowsVistaStylePlugin>
            DLL_DIRS ${DUCTCALC_WINDOWS_DLL_DIRS}
            OBJDUMP ${CMAKE_OBJDUMP} STRIP ${CMAKE_STRIP})")
elseif(WIN32 OR APPLE)
    # Copies the Qt libraries and plugins next to the program or into the bundle. Qt 6.5
    # renamed the option that receives the path of the generated script.
    set(script_option OUTPUT_SCRIPT)
    if(Qt6_VERSION VERSION_LESS 6.5)
        set(script_option FILENAME_VARIABLE)
    endif()
    qt_generate_deploy_app_script(TARGET ductcalc
        ${script_option} deploy_script
        NO_UNSUPPORTED_PLATFORM_ERROR)
    install(SCRIPT ${deploy_script})
else()
    install(FILES ${PROJECT_SOURCE_DIR}/data/${app_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/data/${app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    # The duct system files' type, which file managers open with the program (Debian's
    # shared-mime-info trigger updates the database).
    install(FILES ${PROJECT_SOURCE_DIR}/data/${app_id}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    foreach(size IN LISTS DUCTCALC_ICON_SIZES)
        install(FILES ${DUCTCALC_ICON_DIR}/${size}x${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${app_id}.png)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/src/ui/main_window/ductcalc.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${app_id}.svg)
endif()

set(CPACK_PACKAGE_NAME ductcalc)
set(CPACK_PACKAGE_VENDOR "The ductcalc developers")
# No address yet: the project names none that it does not control.
set(CPACK_PACKAGE_CONTACT "The ductcalc developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hydraulic sizing of ventilation air ducts")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator for HVAC engineers: air velocity, Reynolds number, specific\n"
    "friction loss and dynamic pressure of circular, rectangular and elliptic ducts.\n"
    "The window and its texts are in Chinese.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Shared libraries are found by dpkg-shlibdeps; Qt's platform plugins and its own Chinese
# texts (the file dialogs, the standard buttons) are loaded at run time, and the Chinese
# captions need a CJK font (the formula faces are built in).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk | fonts-arphic-uming")
# libxlsxwriter is opened when the first workbook is written (cmake/Xlsxwriter.cmake), out of
# dpkg-shlibdeps' sight; Debian names its package after the soname.
if(XLSXWRITER_SONAME)
    string(REGEX REPLACE "\\.so\\.([0-9]+)$" "\\1" xlsxwriter_package ${XLSXWRITER_SONAME})
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${xlsxwriter_package}")
endif()
include(CPack)
