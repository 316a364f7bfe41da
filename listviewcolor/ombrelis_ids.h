#pragma once
// What a container needs to call the Ombrelis control late-bound: its class
// name and the dispatch identifiers of its interface _Ombrelis.
#include <cstdint>

namespace ombrelis {

inline constexpr const char* kClassName = "OmbrelisControl.Ombrelis";

namespace dispid {
constexpr int32_t ForeColor = 0x6803002A;
constexpr int32_t BackColor = 0x6803002B;
constexpr int32_t hwnd = 0x6803002C;
constexpr int32_t Messages = 0x6803002D;
constexpr int32_t NumeroItem = 0x6803002E;
constexpr int32_t Clear = 0x60030030;
constexpr int32_t Lview = 0x68030031;
constexpr int32_t Refresh = 0x6003003B;
constexpr int32_t AboutBox = -552;
}  // namespace dispid

// The most lines one control colours.
constexpr int kMaxLines = 8;

}  // namespace ombrelis
