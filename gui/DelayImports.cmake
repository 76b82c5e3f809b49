# Delay-import libraries for the MinGW toolchains: a program linked with one loads the DLL when
# one of its functions is first called instead of at start-up. Each is made at configure time
# from the toolchain's own import library of the same name, for its functions only (data cannot
# be imported late), and gets that library's file name, so that wherever its directory is
# searched first, "-lshell32" and the like link the late one.

# zembly_delay_import_library(DLL DIRECTORY): writes DIRECTORY/libDLL.a.
function(zembly_delay_import_library dll directory)
    set(output "${directory}/lib${dll}.a")
    if(EXISTS "${output}")
        return()
    endif()
    find_library(zembly_import_${dll} NAMES "lib${dll}.a" NO_CACHE REQUIRED)
    execute_process(COMMAND "${CMAKE_NM}" -g "${zembly_import_${dll}}"
                    OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot list ${zembly_import_${dll}}")
    endif()
    # A function has its call thunk (T name) beside its import pointer (I __imp_name).
    string(REGEX MATCHALL "[^\n]* T [^\n]+" thunks "${listing}")
    string(REGEX MATCHALL "[^\n]* I __imp_[^\n]+" pointers "${listing}")
    set(thunks "${thunks};")
    set(functions "")
    foreach(line ${pointers})
        string(REGEX REPLACE ".* I __imp_" "" symbol "${line}")
        string(FIND "${thunks}" " T ${symbol};" at)
        if(NOT at EQUAL -1)
            list(APPEND functions "${symbol}")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES functions)
    set(options "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # 32-bit names carry the C prefix "_" and the stdcall suffix "@n"; the DLL exports
        # neither.
        list(TRANSFORM functions REPLACE "^_" "")
        set(options --kill-at)
    endif()
    list(JOIN functions "\n" exports)
    file(MAKE_DIRECTORY "${directory}")
    file(WRITE "${directory}/${dll}.def" "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND "${CMAKE_DLLTOOL}" ${options} --input-def "${directory}/${dll}.def"
                            --dllname "${dll}.dll" --output-delaylib "${output}"
                    RESULT_VARIABLE failed)
    if(failed)
        file(REMOVE "${output}")
        message(FATAL_ERROR "cannot make the delay-import library of ${dll}")
    endif()
endfunction()
