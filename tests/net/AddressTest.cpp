#include <gtest/gtest.h>
#include <stdlib.h>

#include "HttpUrl.h"
#include "ServiceHost.h"

namespace {

TEST(HttpUrl, SchemeHostPortAndTarget) {
    auto url = net::ParseHttpUrl("http://127.0.0.1:8080/cgi-bin/userc.pl?40,a,b");
    ASSERT_TRUE(url);
    EXPECT_FALSE(url->secure);
    EXPECT_EQ("127.0.0.1", url->host);
    EXPECT_EQ(8080, url->port);
    EXPECT_EQ("/cgi-bin/userc.pl?40,a,b", url->target);

    url = net::ParseHttpUrl("HTTPS://Example.com");
    ASSERT_TRUE(url);
    EXPECT_TRUE(url->secure);
    EXPECT_EQ(443, url->port);
    EXPECT_EQ("/", url->target);

    url = net::ParseHttpUrl("http://h?x=1");
    ASSERT_TRUE(url);
    EXPECT_EQ(80, url->port);
    EXPECT_EQ("/?x=1", url->target);

    url = net::ParseHttpUrl("http://[::1]:99/a");
    ASSERT_TRUE(url);
    EXPECT_EQ("::1", url->host);
    EXPECT_EQ(99, url->port);
}

TEST(HttpUrl, AddressesAClientCannotServeAreRefused) {
    for (const char* bad :
         {"", "www.example.com", "ftp://h/x", "file:///c:/x", "http://", "http:///path",
          "http://h:/x", "http://h:0/", "http://h:65536/", "http://h:8a/", "http://user:pw@h/",
          "http://[::1/", "http://h x/", "http://[::1]x/"}) {
        EXPECT_FALSE(net::ParseHttpUrl(bad)) << bad;
    }
}

TEST(HttpUrl, BytesThatCannotStandInARequestLineAreSentEncoded) {
    auto url = net::ParseHttpUrl("http://h/send?msg=a b\tc\x80\xff#x&to=1");
    ASSERT_TRUE(url);
    EXPECT_EQ("/send?msg=a%20b%09c%80%FF%23x&to=1", url->target);
    // What the caller encoded stays encoded once, and printable characters stay raw.
    url = net::ParseHttpUrl("http://h/p?m=Hi%2C%20you|<br>~");
    ASSERT_TRUE(url);
    EXPECT_EQ("/p?m=Hi%2C%20you|<br>~", url->target);
}

TEST(HttpUrl, RedirectTargetsResolveAgainstTheAddressTheyCameFrom) {
    const std::string base = "http://h:81/a/b/c?q=1";
    EXPECT_EQ("https://other/x", net::ResolveReference(base, "https://other/x"));
    EXPECT_EQ("http://other/y?z", net::ResolveReference(base, "//other/y?z"));
    EXPECT_EQ("http://h:81/root", net::ResolveReference(base, "/root"));
    EXPECT_EQ("http://h:81/a/b/d", net::ResolveReference(base, "d"));
    EXPECT_EQ("http://h:81/a/x", net::ResolveReference(base, "../x"));
    EXPECT_EQ("http://h:81/", net::ResolveReference(base, "../../../../"));
    EXPECT_EQ("http://h:81/a/b/c?r=2", net::ResolveReference(base, "?r=2"));
    EXPECT_EQ("http://h:81/a/b/c?q=1", net::ResolveReference(base, "#top"));
    EXPECT_EQ("http://h:81/a/b/", net::ResolveReference(base, "."));
    EXPECT_EQ("http://h/x/y", net::ResolveReference("http://h", "x/./y"));
    EXPECT_EQ("ftp://h/f", net::ResolveReference(base, "ftp://h/f"));
}

class ServiceHostTest : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("ZEMBLY_SERVICE_HOST"); }
};

TEST_F(ServiceHostTest, TheEnvironmentOverridesTheBuiltInHost) {
    unsetenv("ZEMBLY_SERVICE_HOST");
    const std::string builtIn = service::ServiceHost();
    EXPECT_EQ(ZEMBLY_BUILT_IN_HOST, builtIn);

    setenv("ZEMBLY_SERVICE_HOST", "127.0.0.1:4711", 1);
    EXPECT_EQ("127.0.0.1:4711", service::ServiceHost());
    EXPECT_EQ("http://127.0.0.1:4711/setup.htm", service::ServiceAddress("/setup.htm"));
    EXPECT_EQ("http://127.0.0.1:4711/cgi-bin/default.pl?00,signup",
              service::BrowserPageAddress("signup"));

    setenv("ZEMBLY_SERVICE_HOST", "  ", 1);
    EXPECT_EQ(builtIn, service::ServiceHost());
    setenv("ZEMBLY_SERVICE_HOST", "", 1);
    EXPECT_EQ(builtIn, service::ServiceHost());
}

TEST_F(ServiceHostTest, AHostGivenAsAnAddressIsCutBackToHostAndPort) {
    EXPECT_EQ("sms.example.com:81", service::NormalizeHost(" http://sms.example.com:81/ "));
    EXPECT_EQ("sms.example.com", service::NormalizeHost("sms.example.com/cgi-bin/userc.pl?40"));
    EXPECT_EQ("", service::NormalizeHost("http://"));
    setenv("ZEMBLY_SERVICE_HOST", "http://10.0.0.5:9000/", 1);
    EXPECT_EQ("10.0.0.5:9000", service::ServiceHost());
}

}  // namespace
