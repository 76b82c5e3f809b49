// The logon window: its replies, the three ways into the logon, the two modes, the key rule and
// the mode rule, driven by typing and clicking.
#include "AccountServiceProtocol.h"
#include "MessengerFixture.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "main.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::Type;

class Logon : public MessengerTest {};

TEST_F(Logon, WindowsLoad) {
    EXPECT_TRUE(Form12->Visible());
    EXPECT_FALSE(Form1->Visible());
}

}  // namespace
}  // namespace messengertest
