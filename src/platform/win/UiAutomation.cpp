#include "platform/win/UiAutomation.h"

#include <oleauto.h>

#include "platform/win/WideText.h"

namespace corvela::win {

namespace {
UiAutomationLibrary* g_loaded = nullptr;

template <typename Fn>
bool Bind(HMODULE module, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  return fn != nullptr;
}

BOOL WINAPI AlwaysListening() {
  return TRUE;
}
}  // namespace

bool UiAutomationLibrary::Load() {
  module_.reset(::LoadLibraryW(L"uiautomationcore.dll"));
  HMODULE m = module_.get();
  if (!m || !Bind(m, "UiaReturnRawElementProvider", returnProvider_) || !Bind(m, "UiaHostProviderFromHwnd", hostProvider_) ||
      !Bind(m, "UiaRaiseAutomationEvent", raiseEvent_) || !Bind(m, "UiaClientsAreListening", listening_))
    return false;
  realRaise_ = raiseEvent_;
  realListening_ = listening_;
  return true;
}

void UiAutomationLibrary::ListenForTest(EventSink sink) {
  raiseEvent_ = sink ? sink : realRaise_;
  listening_ = sink ? &AlwaysListening : realListening_;
}

UiAutomationLibrary* UiAutomationLibrary::Get() {
  // Tried once: a system without the DLL stays without it.
  static UiAutomationLibrary library;
  static const bool loaded = library.Load();
  if (!loaded) return nullptr;
  g_loaded = &library;
  return &library;
}

UiAutomationLibrary* LoadedUiAutomation() {
  return g_loaded;
}

VARIANT VariantOf(std::string_view utf8) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_BSTR;
  const std::wstring text = Wide(utf8);
  v.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!v.bstrVal) v.vt = VT_EMPTY;
  return v;
}

VARIANT VariantOf(int value) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT VariantOfBool(bool value) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

}  // namespace corvela::win
