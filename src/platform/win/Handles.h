#pragma once
// Owning and scoped wrappers for Win32 handles and COM pointers: every handle has exactly one
// owner that frees it.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/win/WideText.h"

namespace corvela::win {

template <typename T, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  T get() const { return h_; }
  explicit operator bool() const { return Traits::IsValid(h_); }
  T release() {
    T h = h_;
    h_ = Traits::Invalid();
    return h;
  }
  void reset(T h = Traits::Invalid()) {
    if (Traits::IsValid(h_)) Traits::Close(h_);
    h_ = h;
  }

 private:
  T h_ = Traits::Invalid();
};

struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueFile = UniqueHandle<HANDLE, FileHandleTraits>;

struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) { ::FindClose(h); }
};
using UniqueFind = UniqueHandle<HANDLE, FindHandleTraits>;

struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

// A handle that is null when it holds nothing and is freed by one call.
template <typename T, auto Free>
struct NullHandleTraits {
  static T Invalid() { return nullptr; }
  static bool IsValid(T h) { return h != nullptr; }
  static void Close(T h) { Free(h); }
};

template <typename T>
using GdiTraits = NullHandleTraits<T, &::DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<HFONT, GdiTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiTraits<HBRUSH>>;
using UniquePen = UniqueHandle<HPEN, GdiTraits<HPEN>>;
using UniqueRegion = UniqueHandle<HRGN, GdiTraits<HRGN>>;
using UniqueMemoryDc = UniqueHandle<HDC, NullHandleTraits<HDC, &::DeleteDC>>;
using UniqueIcon = UniqueHandle<HICON, NullHandleTraits<HICON, &::DestroyIcon>>;
using UniqueMenu = UniqueHandle<HMENU, NullHandleTraits<HMENU, &::DestroyMenu>>;
using UniqueAccelerators = UniqueHandle<HACCEL, NullHandleTraits<HACCEL, &::DestroyAcceleratorTable>>;
using UniqueImageList = UniqueHandle<HIMAGELIST, NullHandleTraits<HIMAGELIST, &::ImageList_Destroy>>;
using UniqueEnhMetaFile = UniqueHandle<HENHMETAFILE, NullHandleTraits<HENHMETAFILE, &::DeleteEnhMetaFile>>;
using UniqueModule = UniqueHandle<HMODULE, NullHandleTraits<HMODULE, &::FreeLibrary>>;
using UniqueHook = UniqueHandle<HHOOK, NullHandleTraits<HHOOK, &::UnhookWindowsHookEx>>;
// Movable global memory; once the clipboard has taken it, release() it.
using UniqueGlobal = UniqueHandle<HGLOBAL, NullHandleTraits<HGLOBAL, &::GlobalFree>>;

struct WindowTraits {
  static HWND Invalid() { return nullptr; }
  static bool IsValid(HWND h) { return h != nullptr; }
  static void Close(HWND h) {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;

// GetDC / ReleaseDC for the lifetime of a scope.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC get() const { return dc_; }
  const RECT& Dirty() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// Selects a GDI object into a DC and puts back what it displaced.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
  ~SelectScope() {
    if (old_) ::SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// SaveDC / RestoreDC.
class DcStateScope {
 public:
  explicit DcStateScope(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~DcStateScope() {
    if (saved_) ::RestoreDC(dc_, saved_);
  }
  DcStateScope(const DcStateScope&) = delete;
  DcStateScope& operator=(const DcStateScope&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A window disabled for a scope, enabled again after it unless it was disabled before: a window a
// modal task's owner does not cover (the design surface) takes no input meanwhile.
class DisabledWindowScope {
 public:
  explicit DisabledWindowScope(HWND hwnd) : hwnd_(hwnd), wasDisabled_(hwnd && ::EnableWindow(hwnd, FALSE)) {}
  ~DisabledWindowScope() {
    if (hwnd_ && !wasDisabled_) ::EnableWindow(hwnd_, TRUE);
  }
  DisabledWindowScope(const DisabledWindowScope&) = delete;
  DisabledWindowScope& operator=(const DisabledWindowScope&) = delete;

 private:
  HWND hwnd_;
  bool wasDisabled_;
};

// A memory DC with a compatible bitmap selected, for double-buffered painting.
class BufferDc {
 public:
  BufferDc(HDC target, int width, int height)
      : dc_(::CreateCompatibleDC(target)),
        bitmap_(::CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
        select_(dc_.get(), bitmap_.get()) {}
  HDC get() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  SelectScope select_;
};

// A 32-bit top-down DIB section; bits (may be null) receives where its pixels are.
inline UniqueBitmap CreateTopDownDib(int width, int height, void** bits) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* ignored = nullptr;
  return UniqueBitmap(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0));
}

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr& operator=(const ComPtr& o) {
    if (this != &o) {
      if (o.p_) o.p_->AddRef();
      reset();
      p_ = o.p_;
    }
    return *this;
  }
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held first.
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (p_) {
      p_->Release();
      p_ = nullptr;
    }
  }
  // Takes ownership of a pointer that already carries a reference.
  void attach(T* p) {
    reset();
    p_ = p;
  }

 private:
  T* p_ = nullptr;
};

// CoInitializeEx / CoUninitialize for the GUI thread.
class ComApartment {
 public:
  ComApartment() : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(hr_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT hr_;
};

// OleInitialize / OleUninitialize: in-place activation needs OLE, not just COM.
class OleScope {
 public:
  OleScope() : hr_(::OleInitialize(nullptr)) {}
  ~OleScope() {
    if (SUCCEEDED(hr_)) ::OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;

 private:
  HRESULT hr_;
};

// Memory the shell hands out with CoTaskMemAlloc, for std::unique_ptr.
struct CoTaskMemFreer {
  void operator()(void* p) const { ::CoTaskMemFree(p); }
};

// A BSTR made from UTF-8 text or handed out by a call, freed with SysFreeString.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::string& text) {
    const std::wstring wide = Wide(text);
    value_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  }
  ~Bstr() { ::SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return value_; }
  // For a call that hands out a string; the one held is freed first.
  BSTR* put() {
    ::SysFreeString(value_);
    value_ = nullptr;
    return &value_;
  }
  // The text as UTF-8.
  std::string Text() const { return Utf8(std::wstring_view(value_, ::SysStringLen(value_))); }

 private:
  BSTR value_ = nullptr;
};

}  // namespace corvela::win
