# The local stand-in for the account service and a 3rd-party gateway. standin_core runs inside
# the test programs (natively and under wine); zembly-standin is the program the run command
# starts on a free loopback port.
find_package(Threads REQUIRED)
add_library(standin_core STATIC
    StandInSocket.cpp
    HttpStandIn.cpp
    AccountService.cpp
    GatewayStandIn.cpp
    StandIn.cpp
)
target_include_directories(standin_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(standin_core PUBLIC Threads::Threads)
if(WIN32)
    target_link_libraries(standin_core PUBLIC ws2_32)
endif()

add_executable(zembly-standin StandInMain.cpp)
target_link_libraries(zembly-standin PRIVATE standin_core)
