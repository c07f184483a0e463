# Install-time step of a cross build for Windows (Qt's deployment tool is a Windows program):
#   ductcalc_deploy_windows_dlls(<folder> BINARIES <file>... DLL_DIRS <dir>...
#                                OBJDUMP <tool> STRIP <tool>)
# makes the program installed in <folder> self-contained: it copies into <folder> every DLL
# that the BINARIES there (the program and its plugins) import, directly or through another
# DLL, from the DLL_DIRS, and strips the copies and the plugins when the install strips. An
# import found in none of the DLL_DIRS is one of Windows' own.
cmake_policy(VERSION 3.25)

function(ductcalc_deploy_windows_dlls folder)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "OBJDUMP;STRIP" "BINARIES;DLL_DIRS")
    list(TRANSFORM arg_BINARIES PREPEND "${folder}/" OUTPUT_VARIABLE installed)
    set(pending ${installed})
    set(seen)
    while(pending)
        list(POP_FRONT pending binary)
        execute_process(COMMAND ${arg_OBJDUMP} -p ${binary}
            OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
        list(TRANSFORM imports REPLACE "^DLL Name: " "")
        foreach(dll IN LISTS imports)
            if(dll IN_LIST seen)
                continue()
            endif()
            list(APPEND seen ${dll})
            foreach(dir IN LISTS arg_DLL_DIRS)
                if(EXISTS "${dir}/${dll}")
                    file(INSTALL "${dir}/${dll}" DESTINATION "${folder}" TYPE SHARED_LIBRARY)
                    list(APPEND pending "${folder}/${dll}")
                    list(APPEND installed "${folder}/${dll}")
                    break()
                endif()
            endforeach()
        endforeach()
    endwhile()
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(binary IN LISTS installed)
            execute_process(COMMAND ${arg_STRIP} --strip-unneeded ${binary}
                COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()
endfunction()
