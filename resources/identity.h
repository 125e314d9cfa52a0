// COM identities, ProgIDs and registry paths of the deliverables.
#pragma once

#define CORVANE_FENNICK_CLSID_TEXT "{8FF7D830-C8EE-4934-B936-FC579781B845}"
#define CORVANE_FENNICK_PROGID "Corvane.FennickHandler"
#define CORVANE_FENNICK_TYPELIB_TEXT "{AB42FC52-F9A2-47F9-96C7-64DFE62B5CDB}"
#define CORVANE_SHELL_HANDLER_NAME "Corvane"

#define CORVANE_SASHKIT_TYPELIB_TEXT "{3C9BC342-6C0A-11D3-B156-00105AD76299}"
#define CORVANE_VERTDIVIDER_CLSID_TEXT "{3C9BC344-6C0A-11D3-B156-00105AD76299}"
#define CORVANE_HORZDIVIDER_CLSID_TEXT "{3C9BC347-6C0A-11D3-B156-00105AD76299}"
#define CORVANE_VERTDIVIDER_PROGID "Sashkit.VertDivider"
#define CORVANE_HORZDIVIDER_PROGID "Sashkit.HorzDivider"

#ifndef RC_INVOKED
#ifdef _WIN32
#include <guiddef.h>

namespace identity {

// {8FF7D830-C8EE-4934-B936-FC579781B845}
constexpr CLSID kFennickClsid = {0x8ff7d830, 0xc8ee, 0x4934, {0xb9, 0x36, 0xfc, 0x57, 0x97, 0x81, 0xb8, 0x45}};
// {AB42FC52-F9A2-47F9-96C7-64DFE62B5CDB}
constexpr GUID kFennickTypeLib = {0xab42fc52, 0xf9a2, 0x47f9, {0x96, 0xc7, 0x64, 0xdf, 0xe6, 0x2b, 0x5c, 0xdb}};
// {3C9BC342-6C0A-11D3-B156-00105AD76299}
constexpr GUID kSashkitTypeLib = {0x3c9bc342, 0x6c0a, 0x11d3, {0xb1, 0x56, 0x00, 0x10, 0x5a, 0xd7, 0x62, 0x99}};
// {3C9BC344-6C0A-11D3-B156-00105AD76299}
constexpr CLSID kVertDividerClsid = {0x3c9bc344, 0x6c0a, 0x11d3, {0xb1, 0x56, 0x00, 0x10, 0x5a, 0xd7, 0x62, 0x99}};
// {3C9BC347-6C0A-11D3-B156-00105AD76299}
constexpr CLSID kHorzDividerClsid = {0x3c9bc347, 0x6c0a, 0x11d3, {0xb1, 0x56, 0x00, 0x10, 0x5a, 0xd7, 0x62, 0x99}};

}  // namespace identity
#endif
#endif
