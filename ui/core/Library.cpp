#include "ui/core/Library.h"

#include "ui/core/Handles.h"

namespace {

ULONG_PTR g_gdiplusToken = 0;

} // namespace

void StartLibrary()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, nullptr);
}
