// Conversions between the 8-bit texts of the programs and the wide texts of the platform.
#pragma once

#include <windows.h>

#include <string>

namespace net {

// The bytes read in the given code page; empty when they are not valid there.
std::wstring ToWide(const std::string& bytes, UINT codePage);
// The wide text written in the given code page; characters it lacks become its default one.
std::string FromWide(const std::wstring& wide, UINT codePage);

}  // namespace net
