# libxlsxwriter, which writes the Excel workbooks: Debian's package on Linux; for Windows a
# static build (scripts/build-xlsxwriter-windows.sh) that needs zlib linked statically too.
# On Linux the program opens the shared library when it writes its first workbook
# (src/files/xlsxwriter_library.h), so it takes only the headers and the library's soname.
find_path(XLSXWRITER_INCLUDE_DIR xlsxwriter.h REQUIRED)
find_library(XLSXWRITER_LIBRARY xlsxwriter REQUIRED)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${XLSXWRITER_LIBRARY}
        OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
    if(NOT headers MATCHES "SONAME +([^\n]+)")
        message(FATAL_ERROR "${XLSXWRITER_LIBRARY} names no soname.")
    endif()
    set(XLSXWRITER_SONAME ${CMAKE_MATCH_1})
    add_library(xlsxwriter::xlsxwriter INTERFACE IMPORTED)
    set_target_properties(xlsxwriter::xlsxwriter PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${XLSXWRITER_INCLUDE_DIR}
        INTERFACE_COMPILE_DEFINITIONS DUCTCALC_XLSXWRITER_SONAME="${XLSXWRITER_SONAME}")
else()
    add_library(xlsxwriter::xlsxwriter UNKNOWN IMPORTED)
    set_target_properties(xlsxwriter::xlsxwriter PROPERTIES
        IMPORTED_LOCATION ${XLSXWRITER_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${XLSXWRITER_INCLUDE_DIR})
endif()
if(WIN32)
    set(ZLIB_USE_STATIC_LIBS ON)
    find_package(ZLIB REQUIRED)
    target_link_libraries(xlsxwriter::xlsxwriter INTERFACE ZLIB::ZLIB)
endif()
