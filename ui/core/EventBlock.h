// The parameters of one element event while it crosses a window message
// (QXM_EVENT, lparam):
//
//   +0          code     32-bit event code
//   +4 (+8)     wparam   pointer-sized
//   +8 (+16)    lparam   pointer-sized
//
// (12 bytes on the 32-bit build, offsets in brackets on the 64-bit one.)
// The sender packs a block and hands it to the message; whoever handles the
// message takes it back, which frees it. A block whose message could not be
// sent or posted is discarded by the sender.
#pragma once

#include <windows.h>

struct EventBlock {
    UINT code = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;

    // A new block as a message lparam; ownership passes to the message.
    static LPARAM Pack(UINT code, WPARAM wparam, LPARAM lparam);

    // Reads and frees a block that arrived with a message. A null lparam gives
    // an empty block.
    static EventBlock Take(LPARAM message);

    // Frees a block whose message was never delivered.
    static void Discard(LPARAM message);
};
