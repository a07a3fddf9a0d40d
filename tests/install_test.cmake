# Installs the build into a fresh prefix and checks that the programs, the desktop entry and the
# icons land where a desktop looks for them, and that the installed command runs.
# Variables: BUILD_DIR, PREFIX, GUI (ON when the windows are built), VERSION.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected bin/kolvaro-cli)
if(GUI)
    list(APPEND expected bin/kolvaro share/applications/kolvaro.desktop
         share/icons/hicolor/scalable/apps/kolvaro.svg)
    foreach(size 16 24 32 48 64 128 256)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/kolvaro.png)
    endforeach()
endif()
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

execute_process(COMMAND "${PREFIX}/bin/kolvaro-cli" --version
                OUTPUT_VARIABLE version RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT version STREQUAL "kolvaro-cli ${VERSION}\n")
    message(FATAL_ERROR "installed kolvaro-cli --version gave ${status}: ${version}")
endif()

if(GUI)
    # The entry must start the installed program and name the installed icon.
    file(READ "${PREFIX}/share/applications/kolvaro.desktop" entry)
    # (A semicolon would split the list: "." stands for it.)
    foreach(line "Exec=kolvaro" "Icon=kolvaro" "Categories=Office.Finance." "Type=Application")
        string(REGEX MATCH "\n${line}\n" found "\n${entry}")
        if(NOT found)
            message(FATAL_ERROR "kolvaro.desktop lacks ${line}")
        endif()
    endforeach()
endif()
