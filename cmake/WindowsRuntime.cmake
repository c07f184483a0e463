# Cross-building for Windows: what a program of this project needs to run.
#   DUCTCALC_WINDOWS_DLL_DIRS  the host folders holding the DLLs of Qt and of the MinGW
#                              runtime (libstdc++, libgcc, winpthread), searched by the
#                              install step
#   DUCTCALC_QT_TRANSLATIONS   Qt's own Simplified Chinese texts (qtbase_zh_CN.qm), which the
#                              program reads from the folder translations beside itself
#   DUCTCALC_WINE_ENVIRONMENT  environment entries for the programs the build runs through
#                              CMAKE_CROSSCOMPILING_EMULATOR (Wine): the icon renderer, the tests

set(DUCTCALC_WINDOWS_DLL_DIRS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not find its runtime DLL ${dll}.")
    endif()
    get_filename_component(dir "${path}" REALPATH)
    get_filename_component(dir "${dir}" DIRECTORY)
    list(APPEND DUCTCALC_WINDOWS_DLL_DIRS ${dir})
endforeach()
list(REMOVE_DUPLICATES DUCTCALC_WINDOWS_DLL_DIRS)

# Qt for Windows is built without its translations; Debian's catalogue, from
# qt6-translations-l10n, is the same file on every platform.
find_file(DUCTCALC_QT_TRANSLATIONS qtbase_zh_CN.qm PATHS ${QT_HOST_PATH}/share/qt6/translations
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# Wine finds the DLLs through its search path. It shows the host's root as drive Z: and
# separates the folders with semicolons, escaped here so that they stay inside one argument
# or one test environment entry.
list(TRANSFORM DUCTCALC_WINDOWS_DLL_DIRS PREPEND "Z:" OUTPUT_VARIABLE wine_dirs)
list(JOIN wine_dirs "\\;" winepath)

# Under Wine, Qt's headless platform takes its faces from one folder instead of asking the
# system, so the folder gets the faces the Linux build has through fontconfig.
find_program(FC_LIST fc-list REQUIRED)
set(font_dir ${PROJECT_BINARY_DIR}/fonts)
foreach(family "WenQuanYi Micro Hei" "DejaVu Serif" "DejaVu Sans")
    execute_process(COMMAND ${FC_LIST} --format=%{file}\\n :family=${family}
        OUTPUT_VARIABLE faces OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT faces)
        message(FATAL_ERROR "No font of the family ${family}.")
    endif()
    string(REPLACE "\n" ";" faces "${faces}")
    file(COPY ${faces} DESTINATION ${font_dir})
endforeach()

set(DUCTCALC_WINE_ENVIRONMENT "WINEPATH=${winepath}" QT_QPA_FONTDIR=Z:${font_dir})
