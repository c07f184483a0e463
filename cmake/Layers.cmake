# Each library of src/ is one layer and sees only its own headers and those of the layers
# it links. Its include folder in the build tree holds one link, named as the folder in
# src/, so that "calc/sizing.h" resolves only for what links calc.
#   ductcalc_expose_headers(<target> <folder under src/>)
function(ductcalc_expose_headers target folder)
    set(include_dir ${PROJECT_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${include_dir})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${include_dir}/${folder}
        RESULT failed SYMBOLIC)
    if(failed)
        # Where links are refused (Windows without developer mode) every layer sees all of
        # src/: the build still works, only the layering is not enforced by the compiler.
        message(WARNING "Cannot link ${include_dir}/${folder} (${failed}): "
                        "${target} sees all of src/")
        set(include_dir ${PROJECT_SOURCE_DIR}/src)
    endif()
    target_include_directories(${target} PUBLIC ${include_dir})
endfunction()
