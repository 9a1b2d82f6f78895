// The compressed payload as the setup executable carries it: an RCDATA
// resource named "PAYLOAD" (layout in package/DecompressPayload.h).
#pragma once

#include "ui/core/ByteBuffer.h"

#include <windows.h>

constexpr const char* kPayloadResourceName = "PAYLOAD";

// A copy of the payload resource of module (the running executable when
// null); empty when the module carries none.
ByteBuffer LoadPayloadResource(HMODULE module = nullptr);
