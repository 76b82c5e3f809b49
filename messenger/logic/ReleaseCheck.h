// The release check: what the notice window keeps in its hidden labels, whether the service's
// answer names another release, and the notice text. Portable: no windows.h here.
#pragma once

#include <string>

namespace messenger {

inline constexpr char kRunningVersionName[] = "ZemblySMS v2.00";

// The hidden label's text: the product number "364", a ",", then the download page address
// (which keeps its trailing ",") on the configured service host.
std::string ReleaseLabelText();
// The label's text before its first ",".
std::string ProductNumber(const std::string& releaseLabel);
// All of the label's text after its first ",".
std::string DownloadAddress(const std::string& releaseLabel);

// A notice is due when the reply is not the running version's name (compared exactly, so a
// trailing line break or another letter case counts as another release), not the fetch failure
// "failed", and not empty or blank (a service without an answer announces nothing).
bool IsNewRelease(const std::string& reply, const std::string& runningVersion);

// reply + " has now been released!", two LF CR breaks, then the download address.
std::string ReleaseNotice(const std::string& reply, const std::string& downloadAddress);

}  // namespace messenger
