// Who made the game and where it lives on the web. The About text, the "Go to
// website" button and the online help all name the same host, so it is kept
// here once. The values are macros, so that texts can be put together by
// literal concatenation (L"Visit " NEREKU_MAKER_WEB_HOST L" for more info").
#pragma once

#define NEREKU_MAKER_NAME L"Quorvia"
#define NEREKU_MAKER_WEB_HOST L"www.quorvia.example"

// The maker's website and the game-play page of the online help.
#define NEREKU_MAKER_WEBSITE L"https://" NEREKU_MAKER_WEB_HOST
#define NEREKU_HELP_ADDRESS NEREKU_MAKER_WEBSITE L"/nerekusudoku/nerekusudoku.html#Game play"

namespace MakerInfo {
constexpr const wchar_t* name = NEREKU_MAKER_NAME;
constexpr const wchar_t* webHost = NEREKU_MAKER_WEB_HOST;
constexpr const wchar_t* website = NEREKU_MAKER_WEBSITE;
constexpr const wchar_t* helpAddress = NEREKU_HELP_ADDRESS;
} // namespace MakerInfo
