#pragma once
// UI Automation, the interface screen readers read windows through, as far as a window serving its
// own elements needs it. The DLL is loaded when a client first asks a window for its elements, so
// that a program nobody reads pays nothing for it. MinGW-w64 has no import library for it, its
// headers lack the Invoke pattern and the numeric identifiers, and its uiautomationcoreapi.h does
// not compile as C++: what is needed of them is declared here.

#include <windows.h>
#include <ole2.h>
#include <uiautomationcore.h>

#include <string_view>

#include "platform/win/Handles.h"

#ifndef __IInvokeProvider_INTERFACE_DEFINED__
#define __IInvokeProvider_INTERFACE_DEFINED__
struct IInvokeProvider : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};
#endif

namespace corvela::win {

inline constexpr LONG kUiaRootObjectId = -25;
inline constexpr int kUiaAppendRuntimeId = 3;
inline constexpr HRESULT kUiaElementNotAvailable = static_cast<HRESULT>(0x80040201);
inline constexpr HRESULT kUiaNotSupported = static_cast<HRESULT>(0x80040204);
inline constexpr HRESULT kUiaInvalidOperation = static_cast<HRESULT>(0x80131509);

inline constexpr IID kIidInvokeProvider = {0x54fcb24b, 0xe18e, 0x47a2, {0xb4, 0xd3, 0xec, 0xcb, 0xe7, 0x75, 0x99, 0xa2}};

// Patterns, events, properties and control types by number.
inline constexpr PATTERNID kUiaInvokePattern = 10000;
inline constexpr EVENTID kUiaFocusChangedEvent = 20005;
inline constexpr PROPERTYID kUiaControlTypeProperty = 30003;
inline constexpr PROPERTYID kUiaNameProperty = 30005;
inline constexpr PROPERTYID kUiaAccessKeyProperty = 30007;
inline constexpr PROPERTYID kUiaHasKeyboardFocusProperty = 30008;
inline constexpr PROPERTYID kUiaIsKeyboardFocusableProperty = 30009;
inline constexpr PROPERTYID kUiaIsEnabledProperty = 30010;
inline constexpr PROPERTYID kUiaAutomationIdProperty = 30011;
inline constexpr PROPERTYID kUiaHelpTextProperty = 30013;
inline constexpr PROPERTYID kUiaIsControlElementProperty = 30016;
inline constexpr PROPERTYID kUiaIsContentElementProperty = 30017;
inline constexpr PROPERTYID kUiaIsInvokePatternAvailableProperty = 30031;
inline constexpr PROPERTYID kUiaFullDescriptionProperty = 30159;
inline constexpr int kUiaButtonType = 50000;
inline constexpr int kUiaHyperlinkType = 50005;
inline constexpr int kUiaImageType = 50006;
inline constexpr int kUiaTextType = 50020;
inline constexpr int kUiaDocumentType = 50030;
inline constexpr int kUiaPaneType = 50033;

// The entry points of uiautomationcore.dll, loaded on first use and kept for the process.
class UiAutomationLibrary {
 public:
  // Null when the DLL or one of its entry points is missing.
  static UiAutomationLibrary* Get();

  LRESULT ReturnRawElementProvider(HWND hwnd, WPARAM wp, LPARAM lp, IRawElementProviderSimple* provider) const {
    return returnProvider_(hwnd, wp, lp, provider);
  }
  HRESULT HostProviderFromHwnd(HWND hwnd, IRawElementProviderSimple** provider) const {
    return hostProvider_(hwnd, provider);
  }
  HRESULT RaiseAutomationEvent(IRawElementProviderSimple* provider, EVENTID id) const {
    return raiseEvent_(provider, id);
  }
  bool ClientsAreListening() const { return listening_() != FALSE; }

  // Tests see the events raised, as a listening client would; null gives them to UI Automation again.
  using EventSink = HRESULT(WINAPI*)(IRawElementProviderSimple*, EVENTID);
  void ListenForTest(EventSink sink);

 private:
  UiAutomationLibrary() = default;
  bool Load();

  UniqueModule module_;
  LRESULT(WINAPI* returnProvider_)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*) = nullptr;
  HRESULT(WINAPI* hostProvider_)(HWND, IRawElementProviderSimple**) = nullptr;
  HRESULT(WINAPI* raiseEvent_)(IRawElementProviderSimple*, EVENTID) = nullptr;
  BOOL(WINAPI* listening_)() = nullptr;
  EventSink realRaise_ = nullptr;
  BOOL(WINAPI* realListening_)() = nullptr;
};

// UI Automation's loaded library, if any client has asked for elements yet; null otherwise. Events
// go only where someone listens, so nothing is loaded to raise one.
UiAutomationLibrary* LoadedUiAutomation();

// VARIANTs of the kinds that properties take; text is UTF-8.
VARIANT VariantOf(std::string_view utf8);
VARIANT VariantOf(int value);
VARIANT VariantOfBool(bool value);

}  // namespace corvela::win
