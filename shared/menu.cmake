# The office-style popup menu: its appearance, presets and drawing arithmetic are portable; the
# menu component itself needs the Win32 half of the GUI layer.
target_sources(shared_portable PRIVATE MenuAppearance.cpp OfficeMenuLayout.cpp)
if(WIN32)
    target_sources(shared_win PRIVATE OfficePopupMenu.cpp)
endif()
