target_sources(shared_portable PRIVATE TextToolkit.cpp)
if(WIN32)
    target_sources(shared_win PRIVATE KelTextHandler1.cpp)
endif()
