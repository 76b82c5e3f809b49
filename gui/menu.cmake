# Menus and image lists of the GUI layer.
if(WIN32)
    target_sources(gui PRIVATE Menu.cpp ImageList.cpp)
endif()
