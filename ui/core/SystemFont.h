// The library's choice of font faces: the system's non-client fonts and the
// default font every element shares.
#pragma once

#include "ui/core/Handles.h"

#include <initializer_list>
#include <string>

// Which of the system's non-client fonts.
enum class SystemFontKind {
    Menu = 1,
    Caption = 2,
    Message = 3,
};

// GBK face name of a non-client font of the system. Falls back to "宋体" when
// the system does not answer, when the face is "Tahoma", or when GDI+ cannot
// make a font of it.
std::string SystemUiFontName(SystemFontKind which = SystemFontKind::Caption);

// A 12-pixel regular font of the first of faces (GBK names) that GDI+ finds;
// empty when it finds none.
GpFontPtr CreateFirstAvailableFont(std::initializer_list<std::string> faces);

// The library font: 12 pixels, regular, "宋体" if installed, else the system
// caption font. Empty when neither exists.
GpFontPtr CreateDefaultFont();
