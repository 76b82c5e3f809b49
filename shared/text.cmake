target_sources(shared_portable PRIVATE TextToolkit.cpp FolderResolver.cpp)
if(WIN32)
    target_sources(shared_win PRIVATE KelTextHandler1.cpp PlatformFolderSources.cpp)
endif()
