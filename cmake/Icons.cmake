# The airliner icon as files, rendered from the same drawing as the window icon: PNGs for
# the desktop icon themes, a .ico for Windows and, on macOS, a .icns for the bundle.
# Included by src/CMakeLists.txt after the program's target, which gets the icon; sets DUCTCALC_ICON_SIZES and
# DUCTCALC_ICON_DIR for the install rules.
set(icon_sizes 16 32 48 64 128 256)
set(icon_dir ${PROJECT_BINARY_DIR}/icons)
set(DUCTCALC_ICON_SIZES ${icon_sizes} PARENT_SCOPE)
set(DUCTCALC_ICON_DIR ${icon_dir} PARENT_SCOPE)
# The window icon is drawn at the same sizes as the files.
list(JOIN icon_sizes "," icon_size_list)
target_compile_definitions(ductcalc_ui PRIVATE DUCTCALC_ICON_SIZES=${icon_size_list})

add_executable(ductcalc_render_icons ${PROJECT_SOURCE_DIR}/tools/render_icons.cpp)
target_link_libraries(ductcalc_render_icons PRIVATE ductcalc_ui ductcalc_build_flags)

set(icon_pngs)
foreach(size IN LISTS icon_sizes)
    list(APPEND icon_pngs ${icon_dir}/${size}x${size}.png)
endforeach()
# Cross-built, the renderer runs through the emulator (Wine).
add_custom_command(OUTPUT ${icon_pngs} ${icon_dir}/ductcalc.ico
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${DUCTCALC_WINE_ENVIRONMENT}
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:ductcalc_render_icons> ${icon_dir}
    DEPENDS ductcalc_render_icons
    COMMENT "Rendering the application icon"
    VERBATIM)
add_custom_target(ductcalc_icons ALL DEPENDS ${icon_pngs} ${icon_dir}/ductcalc.ico)

if(WIN32)
    file(GENERATE OUTPUT ${icon_dir}/ductcalc.rc
        CONTENT "IDI_ICON1 ICON \"${icon_dir}/ductcalc.ico\"\n")
    target_sources(ductcalc PRIVATE ${icon_dir}/ductcalc.rc)
    set_source_files_properties(${icon_dir}/ductcalc.rc PROPERTIES
        OBJECT_DEPENDS ${icon_dir}/ductcalc.ico)
elseif(APPLE)
    set(iconset ${icon_dir}/ductcalc.iconset)
    add_custom_command(OUTPUT ${icon_dir}/ductcalc.icns
        COMMAND ${CMAKE_COMMAND} -E make_directory ${iconset}
        COMMAND ${CMAKE_COMMAND} -E copy 16x16.png ${iconset}/icon_16x16.png
        COMMAND ${CMAKE_COMMAND} -E copy 32x32.png ${iconset}/icon_16x16@2x.png
        COMMAND ${CMAKE_COMMAND} -E copy 32x32.png ${iconset}/icon_32x32.png
        COMMAND ${CMAKE_COMMAND} -E copy 64x64.png ${iconset}/icon_32x32@2x.png
        COMMAND ${CMAKE_COMMAND} -E copy 128x128.png ${iconset}/icon_128x128.png
        COMMAND ${CMAKE_COMMAND} -E copy 256x256.png ${iconset}/icon_128x128@2x.png
        COMMAND ${CMAKE_COMMAND} -E copy 256x256.png ${iconset}/icon_256x256.png
        COMMAND iconutil -c icns -o ${icon_dir}/ductcalc.icns ${iconset}
        DEPENDS ${icon_pngs}
        WORKING_DIRECTORY ${icon_dir}
        VERBATIM)
    target_sources(ductcalc PRIVATE ${icon_dir}/ductcalc.icns)
    set_source_files_properties(${icon_dir}/ductcalc.icns PROPERTIES
        MACOSX_PACKAGE_LOCATION Resources)
    set_target_properties(ductcalc PROPERTIES
        MACOSX_BUNDLE_ICON_FILE ductcalc.icns
        MACOSX_BUNDLE_GUI_IDENTIFIER org.ductcalc.DuctCalc
        MACOSX_BUNDLE_BUNDLE_NAME "风速计算")
endif()
