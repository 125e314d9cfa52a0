// The classes of shellhost's test handler, shared by the handler and the
// tests. Each test registers a class of its own, so tests that run at the
// same time never remove each other's keys.
#pragma once
#include <windows.h>

namespace shellhost_test {

constexpr int kHandlerClassCount = 4;

constexpr CLSID kHandlerClasses[kHandlerClassCount] = {
    {0xd59e2551, 0x5c55, 0x445d, {0x8c, 0xb9, 0x3c, 0x08, 0x5a, 0xa3, 0x06, 0x18}},
    {0xad459225, 0xe510, 0x42ec, {0x9f, 0x72, 0xb4, 0x77, 0x40, 0x92, 0xf7, 0xfb}},
    {0x133dd3be, 0xca03, 0x4816, {0xa0, 0xf8, 0x6d, 0xe8, 0x45, 0xee, 0xbf, 0x5e}},
    {0x6182b7cf, 0x88a7, 0x4d37, {0x8c, 0x3f, 0xf8, 0xf4, 0x98, 0xc9, 0xd5, 0x09}},
};

// Class i is registered under ContextMenuHandlers\CorvaneShellHostTest<i>;
// that key's "Tag" value tells the handler which class key it was given.
constexpr char kHandlerNamePrefix[] = "CorvaneShellHostTest";
constexpr char kTagValue[] = "Tag";

}  // namespace shellhost_test
