// Move-only owners for every Windows, GDI, GDI+ and COM object the program
// creates. Each traits type names its handle type, its invalid value and its
// release call; call sites never release by hand.
//
//   UniqueHandle<Traits>   one owned handle: get(), release(), reset(), put()
//   ComPtr<T>              one owned COM interface pointer
//   WindowDc               a window's DC, released with ReleaseDC
//   SelectObjectScope      restores a DC's previous object on scope exit
#pragma once

#include <windows.h>
#include <objbase.h>
#include <gdiplus.h>
#include <shlobj.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Pointer = typename Traits::Pointer;

    UniqueHandle() noexcept : m_value(Traits::Invalid()) {}
    explicit UniqueHandle(Pointer value) noexcept : m_value(value) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_value(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Pointer get() const noexcept { return m_value; }
    bool valid() const noexcept { return m_value != Traits::Invalid(); }
    explicit operator bool() const noexcept { return valid(); }

    // Gives up ownership without releasing.
    Pointer release() noexcept { return std::exchange(m_value, Traits::Invalid()); }

    void reset(Pointer value = Traits::Invalid()) noexcept
    {
        Pointer old = std::exchange(m_value, value);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

    // For APIs that return the handle through an out parameter: releases the
    // current one and hands out the slot.
    Pointer* put() noexcept
    {
        reset();
        return &m_value;
    }

private:
    Pointer m_value;
};

namespace HandleTraits {

template <typename T, typename Fn, Fn Release>
struct NullInvalid {
    using Pointer = T;
    static constexpr T Invalid() noexcept { return nullptr; }
    static void Close(T value) noexcept { Release(value); }
};

struct KernelHandle {
    using Pointer = HANDLE;
    static Pointer Invalid() noexcept { return nullptr; }
    static void Close(Pointer h) noexcept { ::CloseHandle(h); }
};

// CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE.
struct FileHandle {
    using Pointer = HANDLE;
    static Pointer Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Pointer h) noexcept { ::CloseHandle(h); }
};

struct FindHandle {
    using Pointer = HANDLE;
    static Pointer Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Pointer h) noexcept { ::FindClose(h); }
};

inline void CloseRegKey(HKEY key) noexcept { ::RegCloseKey(key); }
inline void DeleteGdiObject(HGDIOBJ object) noexcept { ::DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) noexcept { ::DeleteDC(dc); }
inline void UnloadModule(HMODULE module) noexcept { ::FreeLibrary(module); }
inline void FreeLocal(HLOCAL memory) noexcept { ::LocalFree(memory); }
inline void FreeGlobal(HGLOBAL memory) noexcept { ::GlobalFree(memory); }
inline void FreeCoTask(void* memory) noexcept { ::CoTaskMemFree(memory); }
inline void DestroyWindowHandle(HWND window) noexcept { ::DestroyWindow(window); }
inline void DestroyIconHandle(HICON icon) noexcept { ::DestroyIcon(icon); }
inline void DestroyMenuHandle(HMENU menu) noexcept { ::DestroyMenu(menu); }
inline void FreeVirtual(void* block) noexcept { ::VirtualFree(block, 0, MEM_RELEASE); }
inline void UnmapView(void* view) noexcept { ::UnmapViewOfFile(view); }

inline void DisposeGpImage(Gdiplus::GpImage* p) noexcept { Gdiplus::DllExports::GdipDisposeImage(p); }
inline void DeleteGpGraphics(Gdiplus::GpGraphics* p) noexcept { Gdiplus::DllExports::GdipDeleteGraphics(p); }
inline void DeleteGpBrush(Gdiplus::GpBrush* p) noexcept { Gdiplus::DllExports::GdipDeleteBrush(p); }
inline void DeleteGpPen(Gdiplus::GpPen* p) noexcept { Gdiplus::DllExports::GdipDeletePen(p); }
inline void DeleteGpPath(Gdiplus::GpPath* p) noexcept { Gdiplus::DllExports::GdipDeletePath(p); }
inline void DeleteGpRegion(Gdiplus::GpRegion* p) noexcept { Gdiplus::DllExports::GdipDeleteRegion(p); }
inline void DeleteGpFont(Gdiplus::GpFont* p) noexcept { Gdiplus::DllExports::GdipDeleteFont(p); }
inline void DeleteGpFontFamily(Gdiplus::GpFontFamily* p) noexcept { Gdiplus::DllExports::GdipDeleteFontFamily(p); }
inline void DeleteGpStringFormat(Gdiplus::GpStringFormat* p) noexcept { Gdiplus::DllExports::GdipDeleteStringFormat(p); }
inline void DisposeGpImageAttributes(Gdiplus::GpImageAttributes* p) noexcept { Gdiplus::DllExports::GdipDisposeImageAttributes(p); }

} // namespace HandleTraits

#define TAVRIN_NULL_HANDLE(Name, Type, Release) \
    using Name = UniqueHandle<HandleTraits::NullInvalid<Type, decltype(&Release), &Release>>

using UniqueKernelHandle = UniqueHandle<HandleTraits::KernelHandle>;
using UniqueFile = UniqueHandle<HandleTraits::FileHandle>;
using UniqueFind = UniqueHandle<HandleTraits::FindHandle>;
TAVRIN_NULL_HANDLE(UniqueRegKey, HKEY, HandleTraits::CloseRegKey);
TAVRIN_NULL_HANDLE(UniqueGdiObject, HGDIOBJ, HandleTraits::DeleteGdiObject);
TAVRIN_NULL_HANDLE(UniqueBitmap, HBITMAP, HandleTraits::DeleteGdiObject);
TAVRIN_NULL_HANDLE(UniqueRegion, HRGN, HandleTraits::DeleteGdiObject);
TAVRIN_NULL_HANDLE(UniqueBrush, HBRUSH, HandleTraits::DeleteGdiObject);
TAVRIN_NULL_HANDLE(UniqueFont, HFONT, HandleTraits::DeleteGdiObject);
TAVRIN_NULL_HANDLE(UniqueMemoryDc, HDC, HandleTraits::DeleteMemoryDc);
TAVRIN_NULL_HANDLE(UniqueModule, HMODULE, HandleTraits::UnloadModule);
TAVRIN_NULL_HANDLE(UniqueLocalMemory, HLOCAL, HandleTraits::FreeLocal);
TAVRIN_NULL_HANDLE(UniqueGlobalMemory, HGLOBAL, HandleTraits::FreeGlobal);
TAVRIN_NULL_HANDLE(UniqueCoTaskMemory, void*, HandleTraits::FreeCoTask);
TAVRIN_NULL_HANDLE(UniqueItemIdList, LPITEMIDLIST, HandleTraits::FreeCoTask);
TAVRIN_NULL_HANDLE(UniqueWindow, HWND, HandleTraits::DestroyWindowHandle);
TAVRIN_NULL_HANDLE(UniqueIcon, HICON, HandleTraits::DestroyIconHandle);
TAVRIN_NULL_HANDLE(UniqueMenu, HMENU, HandleTraits::DestroyMenuHandle);
TAVRIN_NULL_HANDLE(UniqueVirtualBlock, void*, HandleTraits::FreeVirtual);
TAVRIN_NULL_HANDLE(UniqueMappedView, void*, HandleTraits::UnmapView);
TAVRIN_NULL_HANDLE(GpImagePtr, Gdiplus::GpImage*, HandleTraits::DisposeGpImage);
TAVRIN_NULL_HANDLE(GpGraphicsPtr, Gdiplus::GpGraphics*, HandleTraits::DeleteGpGraphics);
TAVRIN_NULL_HANDLE(GpBrushPtr, Gdiplus::GpBrush*, HandleTraits::DeleteGpBrush);
TAVRIN_NULL_HANDLE(GpPenPtr, Gdiplus::GpPen*, HandleTraits::DeleteGpPen);
TAVRIN_NULL_HANDLE(GpPathPtr, Gdiplus::GpPath*, HandleTraits::DeleteGpPath);
TAVRIN_NULL_HANDLE(GpRegionPtr, Gdiplus::GpRegion*, HandleTraits::DeleteGpRegion);
TAVRIN_NULL_HANDLE(GpFontPtr, Gdiplus::GpFont*, HandleTraits::DeleteGpFont);
TAVRIN_NULL_HANDLE(GpFontFamilyPtr, Gdiplus::GpFontFamily*, HandleTraits::DeleteGpFontFamily);
TAVRIN_NULL_HANDLE(GpStringFormatPtr, Gdiplus::GpStringFormat*, HandleTraits::DeleteGpStringFormat);
TAVRIN_NULL_HANDLE(GpImageAttributesPtr, Gdiplus::GpImageAttributes*, HandleTraits::DisposeGpImageAttributes);

#undef TAVRIN_NULL_HANDLE

// One reference to a COM interface.
template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_ptr = std::exchange(other.m_ptr, nullptr);
        }
        return *this;
    }

    T* get() const noexcept { return m_ptr; }
    T* operator->() const noexcept { return m_ptr; }
    explicit operator bool() const noexcept { return m_ptr != nullptr; }

    void reset() noexcept
    {
        if (T* old = std::exchange(m_ptr, nullptr))
            old->Release();
    }

    T** put() noexcept
    {
        reset();
        return &m_ptr;
    }

    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }

    // A second reference to the same object.
    ComPtr Copy() const noexcept
    {
        ComPtr copy;
        if (m_ptr) {
            m_ptr->AddRef();
            copy.m_ptr = m_ptr;
        }
        return copy;
    }

    template <typename U>
    ComPtr<U> As(REFIID iid) const noexcept
    {
        ComPtr<U> result;
        if (m_ptr)
            m_ptr->QueryInterface(iid, result.putVoid());
        return result;
    }

private:
    T* m_ptr = nullptr;
};

// A DC obtained with GetDC; ReleaseDC needs the window too.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : m_window(window), m_dc(::GetDC(window)) {}
    ~WindowDc()
    {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// Selects an object into a DC for the lifetime of the scope.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~SelectObjectScope()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// CoInitialize for the lifetime of the scope, balanced only when it succeeded.
class ComApartment {
public:
    ComApartment() noexcept : m_result(::CoInitialize(nullptr)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool ok() const noexcept { return SUCCEEDED(m_result); }

private:
    HRESULT m_result;
};
