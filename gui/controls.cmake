# The standard controls of the layer. The string list is portable and goes into gui_core so that
# its tests run natively under the sanitizers; the controls themselves need Win32.
target_sources(gui_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/StringList.cpp
)

if(WIN32)
    target_sources(gui PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ListControls.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ListView.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Buttons.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ExtCtrls.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Pages.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ControlClasses.cpp
    )
endif()
