#include "player/win/MenuElements.h"

#include <oleauto.h>

#include <string>
#include <utility>

#include "player/win/MenuElementParts.h"
#include "player/win/MenuKeyboard.h"

namespace corvela::win {

namespace {

using namespace elements;

int ControlTypeOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Button:
      return kUiaButtonType;
    case AccessibleRole::Hyperlink:
      return kUiaHyperlinkType;
    case AccessibleRole::Text:
      return kUiaTextType;
    case AccessibleRole::Image:
    case AccessibleRole::Animation:
      return kUiaImageType;
    case AccessibleRole::Document:
      return kUiaDocumentType;
    case AccessibleRole::WebPage:
    case AccessibleRole::Movie:
      break;
  }
  return kUiaPaneType;
}

class ObjectElement final : public IRawElementProviderSimple,
                            public IRawElementProviderFragment,
                            public IInvokeProvider,
                            private RefCounted {
 public:
  ObjectElement(Source source, int index) : source_(std::move(source)), index_(index) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IRawElementProviderSimple)
      *out = static_cast<IRawElementProviderSimple*>(this);
    else if (riid == IID_IRawElementProviderFragment)
      *out = static_cast<IRawElementProviderFragment*>(this);
    else if (riid == kIidInvokeProvider)
      *out = static_cast<IInvokeProvider*>(this);
    else
      return *out = nullptr, E_NOINTERFACE;
    Add();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Add(); }
  ULONG STDMETHODCALLTYPE Release() override { return Drop(); }

  // IRawElementProviderSimple
  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* out) override {
    if (!out) return E_POINTER;
    *out = kOptions;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    AccessibleNode node;
    if (!Node(node)) return kUiaElementNotAvailable;
    if (pattern == kUiaInvokePattern && node.Invokable) {
      *out = static_cast<IInvokeProvider*>(this);
      Add();
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* out) override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    AccessibleNode node;
    if (!Node(node)) return kUiaElementNotAvailable;
    switch (property) {
      case kUiaControlTypeProperty:
        *out = VariantOf(ControlTypeOf(node.Role));
        break;
      case kUiaNameProperty:
        if (!node.Name.empty()) *out = VariantOf(node.Name);
        break;
      case kUiaHelpTextProperty:
      case kUiaFullDescriptionProperty:
        if (!node.Description.empty()) *out = VariantOf(node.Description);
        break;
      case kUiaAccessKeyProperty:
        // Alt with the marked character, as Windows words access keys.
        if (!node.AccessKey.empty()) *out = VariantOf(AccessKeyText(node.AccessKey));
        break;
      case kUiaIsKeyboardFocusableProperty:
        *out = VariantOfBool(node.Focusable);
        break;
      case kUiaHasKeyboardFocusProperty:
        *out = VariantOfBool(HasKeyboardFocus());
        break;
      case kUiaIsInvokePatternAvailableProperty:
        *out = VariantOfBool(node.Invokable);
        break;
      case kUiaIsEnabledProperty:
      case kUiaIsControlElementProperty:
      case kUiaIsContentElementProperty:
        *out = VariantOfBool(true);
        break;
      case kUiaAutomationIdProperty:
        if (const MenuObject* obj = ObjectAt(*source_, index_); obj && !obj->Base().Name.empty())
          *out = VariantOf(obj->Base().Name);
        break;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Alive(*source_)) return kUiaElementNotAvailable;
    // A pane is a window of its own: Windows' element of it (a rich edit's text, say) joins this one.
    HWND pane = PaneWindowOf(*source_, index_);
    UiAutomationLibrary* uia = pane ? UiAutomationLibrary::Get() : nullptr;
    return uia ? uia->HostProviderFromHwnd(pane, out) : S_OK;
  }

  // IRawElementProviderFragment
  HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction, IRawElementProviderFragment** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Alive(*source_)) return kUiaElementNotAvailable;
    if (direction == NavigateDirection_Parent)
      return Hand(MakeMenuRootElement(source_), IID_IRawElementProviderFragment, out);
    if (direction != NavigateDirection_NextSibling && direction != NavigateDirection_PreviousSibling) return S_OK;
    const AccessibleMenu menu = TreeOf(*source_);
    const int at = PositionOf(menu, index_);
    if (at < 0) return kUiaElementNotAvailable;
    const int next = at + (direction == NavigateDirection_NextSibling ? 1 : -1);
    if (next < 0 || static_cast<size_t>(next) >= menu.Nodes.size()) return S_OK;
    return Hand(MakeMenuObjectElement(source_, menu.Nodes[static_cast<size_t>(next)].ObjectIndex),
                IID_IRawElementProviderFragment, out);
  }
  HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** out) override {
    if (!out) return E_POINTER;
    *out = ::SafeArrayCreateVector(VT_I4, 0, 2);
    if (!*out) return E_OUTOFMEMORY;
    // Unique within the window's element, which puts its own in front.
    LONG parts[2] = {kUiaAppendRuntimeId, index_};
    for (LONG i = 0; i < 2; ++i) ::SafeArrayPutElement(*out, &i, &parts[i]);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* out) override {
    if (!out) return E_POINTER;
    *out = {0, 0, 0, 0};
    AccessibleNode node;
    if (!Node(node)) return kUiaElementNotAvailable;
    *out = ScreenRect(*source_, node.Bounds);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetFocus() override {
    AccessibleNode node;
    if (!Node(node)) return kUiaElementNotAvailable;
    if (!node.Focusable) return kUiaNotSupported;
    if (source_->Keyboard) source_->Keyboard->FocusObject(index_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** out) override {
    if (!out) return E_POINTER;
    if (!Alive(*source_)) return *out = nullptr, kUiaElementNotAvailable;
    return Hand(MakeMenuRootElement(source_), IID_IRawElementProviderFragmentRoot, out);
  }

  // IInvokeProvider
  HRESULT STDMETHODCALLTYPE Invoke() override {
    AccessibleNode node;
    if (!Node(node)) return kUiaElementNotAvailable;
    if (!node.Invokable) return kUiaInvalidOperation;
    const MenuObject* obj = ObjectAt(*source_, index_);
    return ::PostMessageW(source_->Window, kInvokeObjectMessage, static_cast<WPARAM>(obj->Base().Tag), 0) ? S_OK : E_FAIL;
  }

 private:
  bool Node(AccessibleNode& node) const {
    if (!Alive(*source_)) return false;
    AccessibleMenu menu = TreeOf(*source_);
    const int at = PositionOf(menu, index_);
    if (at < 0) return false;
    node = std::move(menu.Nodes[static_cast<size_t>(at)]);
    return true;
  }

  bool HasKeyboardFocus() const {
    if (!source_->Keyboard || source_->Keyboard->Focused() != index_) return false;
    HWND focus = ::GetFocus();
    HWND pane = PaneWindowOf(*source_, index_);
    if (pane) return focus && (focus == pane || ::IsChild(pane, focus));
    return focus == source_->Window;
  }

  static std::string AccessKeyText(const std::string& key) {
    std::string upper = key;
    if (upper.size() == 1 && upper[0] >= 'a' && upper[0] <= 'z') upper[0] = static_cast<char>(upper[0] - 'a' + 'A');
    return "Alt+" + upper;
  }

  Source source_;
  int index_;
};

}  // namespace

ComPtr<IRawElementProviderSimple> MakeMenuObjectElement(const std::shared_ptr<MenuElementSource>& source, int index) {
  ComPtr<IRawElementProviderSimple> element;
  if (!source || !Alive(*source)) return element;
  if (PositionOf(TreeOf(*source), index) < 0) return element;
  element.attach(new ObjectElement(source, index));
  return element;
}

}  // namespace corvela::win
