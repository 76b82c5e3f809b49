#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "FetchTestSupport.h"

namespace {

using fetch_test::Clock;
using fetch_test::FetchTest;
using fetch_test::MillisecondsSince;
using fetch_test::WaitCount;
using standin::Response;

const char kPage[] =
    "<html><head><title>Welcome</title><script>x = '<b>';</script></head>\n"
    "<body bgcolor=white>\n<h1>Thank you</h1>\n<p>for installing &amp; <i>enjoy</i>.</p>\n"
    "</body></html>";

std::string Ansi(const wchar_t* text) {
    char bytes[256] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

TEST_F(FetchTest, BrowserRoadGivesTheBodyTextInModeOneAndItsMarkupOtherwise) {
    standIn_.AnswerPath("/page", Response::Html(kPage));
    EXPECT_EQ("Thank you\r\nfor installing & enjoy.", Browse("/page", 1));
    EXPECT_EQ("\n<h1>Thank you</h1>\n<p>for installing &amp; <i>enjoy</i>.</p>\n",
              Browse("/page", 0));
    // A page that is there at once is read after the first wait or soon after, not after
    // eleven.
    EXPECT_LE(WaitCount(), 4);
}

TEST_F(FetchTest, BrowserRoadMakesNoBreakReplacementAndReadsPlainText) {
    bSource::SetWaiter(fetch_test::QuickWait);
    standIn_.AnswerPath("/reply", Response::Text("1,250<br>x"));
    EXPECT_EQ("1,250<br>x", Browse("/reply", 1));
    EXPECT_EQ("<pre>1,250&lt;br&gt;x</pre>", Browse("/reply", 0));
}

TEST_F(FetchTest, BrowserRoadConvertsThePageToTheAnsiCodePage) {
    bSource::SetWaiter(fetch_test::QuickWait);
    standIn_.AnswerPath("/utf8", Response::Text("<p>M\xC3\xBCller &eacute;t&eacute;</p>",
                                                "text/html; charset=utf-8"));
    standIn_.AnswerPath("/latin", Response::Html("<meta charset=iso-8859-1><p>M\xFCller</p>"));
    EXPECT_EQ(Ansi(L"M\u00FCller \u00E9t\u00E9"), Browse("/utf8"));
    EXPECT_EQ(Ansi(L"M\u00FCller"), Browse("/latin"));
}

TEST_F(FetchTest, BrowserRoadFailsWithoutAnHtmlDocument) {
    bSource::SetWaiter(fetch_test::QuickWait);
    standIn_.AnswerPath("/404", Response::Status(404, "<html><body>Not found</body></html>"));
    standIn_.AnswerPath("/png", Response::Text("\x89PNG", "image/png"));
    EXPECT_EQ("failed", Browse("/404"));
    EXPECT_EQ("failed", Browse("/png"));

    standin::StandIn closed;
    const int closedPort = closed.Start();
    closed.Stop();
    EXPECT_EQ("failed",
              source_.FetchUrl("http://127.0.0.1:" + std::to_string(closedPort) + "/", 1, false));
    EXPECT_EQ("failed", source_.FetchUrl("not an address", 1, false));
}

TEST_F(FetchTest, BrowserRoadWaitsForASlowPage) {
    Response slow = Response::Html("<html><body><p>first");
    slow.body.push_back({2200, " second</p></body></html>"});
    standIn_.AnswerPath("/slow", slow);
    const auto start = Clock::now();
    EXPECT_EQ("first second", Browse("/slow"));
    const long elapsed = MillisecondsSince(start);
    EXPECT_GE(WaitCount(), 3);
    EXPECT_LE(WaitCount(), 4);
    EXPECT_GE(elapsed, 2200);
    EXPECT_LT(elapsed, 6000);
}

TEST_F(FetchTest, BrowserRoadGivesUpAfterElevenWaitsWithTheBodySoFar) {
    bSource::SetWaiter(fetch_test::QuickWait);
    standIn_.AnswerPath("/endless", Response::Unfinished("<html><body><p>partial"));
    EXPECT_EQ("partial", Browse("/endless", 1));
    EXPECT_EQ(11, WaitCount());
    EXPECT_EQ("<p>partial", Browse("/endless", 0));
    EXPECT_EQ(22, WaitCount());
}

TEST_F(FetchTest, BrowserRoadGivesUpAfterElevenWaitsAndFailsWithoutABody) {
    bSource::SetWaiter(fetch_test::QuickWait);
    standIn_.AnswerPath("/silent", Response::Silent());
    standIn_.AnswerPath("/head", Response::Unfinished("<html><head><title>still loading"));
    EXPECT_EQ("failed", Browse("/silent"));
    EXPECT_EQ(11, WaitCount());
    EXPECT_EQ("failed", Browse("/head"));
    EXPECT_EQ(22, WaitCount());
}

// Messages arriving while the browser road waits are handled before it returns, and a handler
// may fetch again with the same component.
class PumpedFetchTest : public FetchTest {
protected:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP) {
            auto* self =
                reinterpret_cast<PumpedFetchTest*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            self->handledDuringFetch_ = self->fetching_;
            if (self->nested_) self->nestedReply_ = self->Http("/nested");
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void SetUp() override {
        FetchTest::SetUp();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "bSourceTestReceiver";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("bSourceTestReceiver", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
        ASSERT_NE(nullptr, window_);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

        Response slow = Response::Html("<html><body>outer");
        slow.body.push_back({1500, " page</body></html>"});
        standIn_.AnswerPath("/slow", slow);
        standIn_.AnswerPath("/nested", Response::Text("inner<br>reply"));
    }
    void TearDown() override {
        DestroyWindow(window_);
        FetchTest::TearDown();
    }

    std::string FetchWhileAMessageIsPosted() {
        HWND window = window_;
        std::thread poster([window] {
            Sleep(300);
            PostMessageA(window, WM_APP, 0, 0);
        });
        fetching_ = true;
        std::string reply = Browse("/slow");
        fetching_ = false;
        poster.join();
        return reply;
    }

    HWND window_ = nullptr;
    bool fetching_ = false;
    bool handledDuringFetch_ = false;
    bool nested_ = false;
    std::string nestedReply_;
};

TEST_F(PumpedFetchTest, AMessagePostedDuringTheFetchIsHandled) {
    EXPECT_EQ("outer page", FetchWhileAMessageIsPosted());
    EXPECT_TRUE(handledDuringFetch_);
}

TEST_F(PumpedFetchTest, AFetchNestedInAHandlerLeavesTheOuterFetchAlone) {
    nested_ = true;
    EXPECT_EQ("outer page", FetchWhileAMessageIsPosted());
    EXPECT_TRUE(handledDuringFetch_);
    EXPECT_EQ("inner\nreply", nestedReply_);
}

}  // namespace
