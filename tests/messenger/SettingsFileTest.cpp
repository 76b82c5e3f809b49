#include <gtest/gtest.h>

#include "SettingsFile.h"
#include "TextToolkit.h"

namespace messenger {
namespace {

const std::string kHeader = "[zemblySMS 2.00]\r\n";

Settings ReadInto(const std::string& file, Settings settings = {}) {
    for (const SettingChange& change : ReadSettings(file).changes) ApplySetting(change, settings);
    return settings;
}

// Every line byte for byte is checked from the controls that hold the settings; here, the mode
// line and the password line of each mode.
TEST(SettingsFileWrite, ModeAndAutomaticLogonLines) {
    Settings s;
    s.gatewayMode = true;
    s.autoLogon = true;
    s.password = "abc";
    EXPECT_NE(std::string::npos, WriteSettings(s).find("\r\n3rd Party=true,auto\r\n"));
    EXPECT_NE(std::string::npos, WriteSettings(s).find("\r\nPassword=ILO\r\n"));
    // Service mode carries the automatic logon in the password line alone.
    s.gatewayMode = false;
    EXPECT_NE(std::string::npos, WriteSettings(s).find("\r\n3rd Party=false\r\n"));
    s.autoLogon = false;
    EXPECT_NE(std::string::npos, WriteSettings(s).find("\r\nPassword=\r\n"));
}

TEST(SettingsFileRead, HeaderNamesMajorVersionTwo) {
    EXPECT_TRUE(ReadSettings("[zemblySMS 2.50]\r\nUsername=a").accepted);
    EXPECT_TRUE(ReadSettings("[zemblySMS 2").accepted);
    EXPECT_FALSE(ReadSettings("[zemblySMS 2]\r\nUsername=a").accepted);
    EXPECT_FALSE(ReadSettings("[zemblySMS 3.00]\r\nUsername=a").accepted);
    EXPECT_FALSE(ReadSettings("[zemblySMS 20.0]\r\nUsername=a").accepted);
    EXPECT_FALSE(ReadSettings("").accepted);
    EXPECT_TRUE(ReadSettings("[zemblySMS 3.00]\r\nUsername=a").changes.empty());
}

TEST(SettingsFileRead, KeysValuesAndLineEnds) {
    const Settings s = ReadInto(kHeader +
                                "USERNAME=a=b\r\nFrom Default = x\r\nFrom Last= y\r\n"
                                "no equals sign\r\nSignature=\r\nsignature=second\r\n");
    EXPECT_EQ("a=b", s.userName);
    EXPECT_EQ("", s.defaultSender);  // a blank before "=" is part of the key
    EXPECT_EQ(" y", s.lastSender);
    EXPECT_EQ("second", s.signature);

    EXPECT_EQ("u", ReadInto("[zemblySMS 2.00]\rUsername=u").userName);
    EXPECT_EQ("u", ReadInto("[zemblySMS 2.00]\nUsername=u").userName);
    EXPECT_FALSE(ReadInto(kHeader + "Check Updates=yes").checkUpdates);
    Settings off;
    off.checkUpdates = false;
    EXPECT_TRUE(ReadInto(kHeader + "Check Updates=1", off).checkUpdates);
}

TEST(SettingsFileRead, ModeLine) {
    Settings s = ReadInto(kHeader + "3rd Party=false,auto");
    EXPECT_FALSE(s.gatewayMode);
    EXPECT_TRUE(s.autoLogon);
    s = ReadInto(kHeader + "3rd Party=TRUE");
    EXPECT_FALSE(s.gatewayMode);
    EXPECT_FALSE(s.autoLogon);
    EXPECT_TRUE(ReadInto(kHeader + "3rd Party=true").gatewayMode);
    // Reading only ever checks the automatic logon.
    Settings on;
    on.autoLogon = true;
    EXPECT_TRUE(ReadInto(kHeader + "3rd Party=true", on).autoLogon);
}

TEST(SettingsFileRead, ChangesComeInFileOrder) {
    // The mode rule runs when line 2 is read, before the fields are filled.
    const auto changes =
        ReadSettings(kHeader + "Username=a\r\n3rd Party=true\r\nPassword=ILO\r\n").changes;
    ASSERT_EQ(4u, changes.size());
    EXPECT_EQ(SettingTarget::UserName, changes[0].target);
    EXPECT_EQ(SettingTarget::SendingMode, changes[1].target);
    EXPECT_EQ(SettingTarget::AutoLogon, changes[2].target);
    EXPECT_EQ(SettingTarget::Password, changes[3].target);
    EXPECT_EQ("abc", changes[3].text);
}

TEST(SettingsFileRead, ServiceUrlSplitsAtTheFirstDoubleSlash) {
    Settings s = ReadInto(kHeader + "Service URL=https://gw.example//x?u=%username%");
    EXPECT_EQ("https://", s.gatewayScheme);
    EXPECT_EQ("gw.example//x?u=%username%", s.gatewayAddress);
    s = ReadInto(kHeader + "Service URL=gw.example/x");
    EXPECT_EQ("http://", s.gatewayScheme);
    EXPECT_EQ("gw.example/x", s.gatewayAddress);
    EXPECT_EQ("http://", ReadInto(kHeader + "Service URL=HTTPS://gw").gatewayScheme);
}

TEST(SettingsFilePasswords, EveryByteValueRoundTrips) {
    std::string every;
    for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
    for (const std::string& password : {every, std::string("pass word"), std::string("z"),
                                        std::string("!41"), std::string("0aZy")}) {
        Settings s;
        s.autoLogon = true;
        s.password = password;
        s.gatewayPassword = password;
        const Settings back = ReadInto(WriteSettings(s));
        EXPECT_EQ(password, back.password);
        EXPECT_EQ(password, back.gatewayPassword);
        EXPECT_TRUE(back.autoLogon);
    }
}

TEST(SettingsFilePasswords, EarlierFilesReadAsBefore) {
    // A stored value is scrambled unless it is our plain form; a hand-edited "!" value that is
    // no valid plain form reads the old way.
    EXPECT_EQ("0", ReadInto(kHeader + "Password=" + text::ScrambleText("z")).password);
    EXPECT_EQ(text::UnscrambleText("!4G"), ReadInto(kHeader + "Password=!4G").password);
    EXPECT_EQ("A", ReadInto(kHeader + "Service Password=!41").gatewayPassword);

    // Automatic logon with an empty password does not survive a save.
    Settings s;
    s.autoLogon = true;
    EXPECT_FALSE(ReadInto(WriteSettings(s)).autoLogon);
}

}  // namespace
}  // namespace messenger
