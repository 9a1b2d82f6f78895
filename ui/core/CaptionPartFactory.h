// The seam through which a window host makes its caption parts: the icon
// element, the title label and the system buttons. Their classes live with
// the controls; the controls register a factory at start-up. Without one, a
// host still records the caption flags and lays out whatever parts exist,
// but creates none (hosts bound with flags 0 never need any).
#pragma once

#include "ui/core/Qx_Object.h"

#include <windows.h>

#include <memory>

class CaptionPartFactory {
public:
    virtual ~CaptionPartFactory() = default;

    // An element showing icon at rect on hostWindow, not focusable.
    virtual std::unique_ptr<Qx_Object> CreateIcon(HWND hostWindow, const RectF& rect, HICON icon) = 0;
    // The caption label on hostWindow at rect showing title (GBK).
    virtual std::unique_ptr<Qx_Object> CreateTitle(HWND hostWindow, const RectF& rect, const std::string& title) = 0;
    // A system button of kind (4 close, 8 maximize, 16 minimize, 32 to 256
    // further kinds) at rect.
    virtual std::unique_ptr<Qx_Object> CreateSysButton(HWND hostWindow, const RectF& rect, int kind) = 0;
    // Gives the title label a new text (UTF-16, zero-terminated).
    virtual void SetTitleText(Qx_Object& title, const wchar_t* text) = 0;
};

// The factory hosts use from now on; null removes it. Not owned.
void SetCaptionPartFactory(CaptionPartFactory* factory);
CaptionPartFactory* GetCaptionPartFactory();
