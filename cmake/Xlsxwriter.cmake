# libxlsxwriter, which writes the Excel workbooks: Debian's package on Linux; for Windows a
# static build (scripts/build-xlsxwriter-windows.sh) that needs zlib linked statically too.
find_path(XLSXWRITER_INCLUDE_DIR xlsxwriter.h REQUIRED)
find_library(XLSXWRITER_LIBRARY xlsxwriter REQUIRED)
add_library(xlsxwriter::xlsxwriter UNKNOWN IMPORTED)
set_target_properties(xlsxwriter::xlsxwriter PROPERTIES
    IMPORTED_LOCATION ${XLSXWRITER_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${XLSXWRITER_INCLUDE_DIR})
if(WIN32)
    set(ZLIB_USE_STATIC_LIBS ON)
    find_package(ZLIB REQUIRED)
    target_link_libraries(xlsxwriter::xlsxwriter INTERFACE ZLIB::ZLIB)
endif()
