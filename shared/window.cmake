# The window components: the keep-on-top component and the gradient caption bar. Both live on a
# window and use the platform throughout, so they are built for Windows only.
if(WIN32)
    target_sources(shared_win PRIVATE NetGradient.cpp TopMost.cpp WindowComponents.cpp)
endif()
