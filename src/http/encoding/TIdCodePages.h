// The Windows code pages this client can convert, each with the converter name glibc's iconv
// knows it by and its longest character in bytes. A code page missing here is unknown.
#pragma once

#include <cstddef>

namespace tarnwick::http {

struct TIdCodePageInfo {
    int CodePage;
    const char* IconvName;
    int MaxCharSize;
};

// The entry of a code page, or nullptr when the code page has no converter here.
const TIdCodePageInfo* FindCodePage(int codePage);

inline constexpr int kCodePageUTF16LE = 1200;
inline constexpr int kCodePageUTF16BE = 1201;
inline constexpr int kCodePageWindows1252 = 1252;
inline constexpr int kCodePageOEMUS = 437;
inline constexpr int kCodePageUSASCII = 20127;
inline constexpr int kCodePageUTF7 = 65000;
inline constexpr int kCodePageUTF8 = 65001;
// The system ANSI code page that the program's 8-bit strings are in.
inline constexpr int kSystemAnsiCodePage = kCodePageWindows1252;

}  // namespace tarnwick::http
