# The URL fetcher bSource and what it rests on: address parsing, the account service's request
# form, the configured host and the page-to-text conversion of the hidden browser.
target_sources(shared_portable PRIVATE
    HttpUrl.cpp
    ServiceHost.cpp
    AccountServiceProtocol.cpp
    HtmlText.cpp
)
set_source_files_properties(ServiceHost.cpp PROPERTIES
    COMPILE_DEFINITIONS "ZEMBLY_DEFAULT_SERVICE_HOST=\"${ZEMBLY_SERVICE_HOST}\"")

if(WIN32)
    target_sources(shared_win PRIVATE
        CodePages.cpp
        HttpTransport.cpp
        HiddenBrowser.cpp
        bSource1.cpp
    )
    target_link_libraries(shared_win PUBLIC winhttp)
endif()
