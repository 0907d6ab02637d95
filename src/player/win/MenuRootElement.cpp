#include "player/win/MenuElements.h"

#include <vector>

#include "player/HotTracking.h"
#include "player/win/MenuElementParts.h"
#include "player/win/MenuKeyboard.h"

namespace corvela::win {

namespace {

using namespace elements;

class RootElement final : public IRawElementProviderSimple,
                          public IRawElementProviderFragment,
                          public IRawElementProviderFragmentRoot,
                          private RefCounted {
 public:
  explicit RootElement(Source source) : source_(std::move(source)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IRawElementProviderSimple)
      *out = static_cast<IRawElementProviderSimple*>(this);
    else if (riid == IID_IRawElementProviderFragment)
      *out = static_cast<IRawElementProviderFragment*>(this);
    else if (riid == IID_IRawElementProviderFragmentRoot)
      *out = static_cast<IRawElementProviderFragmentRoot*>(this);
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
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* out) override {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    if (!Alive(*source_)) return kUiaElementNotAvailable;
    // The rest comes from Windows' element of the window.
    if (property == kUiaNameProperty && !source_->State->Project.Form.Caption.empty())
      *out = VariantOf(source_->State->Project.Form.Caption);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Alive(*source_)) return kUiaElementNotAvailable;
    UiAutomationLibrary* uia = UiAutomationLibrary::Get();
    return uia ? uia->HostProviderFromHwnd(source_->Window, out) : S_OK;
  }

  // IRawElementProviderFragment
  HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction, IRawElementProviderFragment** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Alive(*source_)) return kUiaElementNotAvailable;
    // The window's element has its parent and siblings from Windows.
    if (direction != NavigateDirection_FirstChild && direction != NavigateDirection_LastChild) return S_OK;
    const AccessibleMenu menu = TreeOf(*source_);
    if (menu.Nodes.empty()) return S_OK;
    const AccessibleNode& node = direction == NavigateDirection_FirstChild ? menu.Nodes.front() : menu.Nodes.back();
    return Hand(MakeMenuObjectElement(source_, node.ObjectIndex), IID_IRawElementProviderFragment, out);
  }
  HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** out) override {
    // The window's element has one.
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* out) override {
    if (!out) return E_POINTER;
    *out = {0, 0, 0, 0};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetFocus() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** out) override {
    if (!out) return E_POINTER;
    *out = static_cast<IRawElementProviderFragmentRoot*>(this);
    Add();
    return S_OK;
  }

  // IRawElementProviderFragmentRoot
  HRESULT STDMETHODCALLTYPE ElementProviderFromPoint(double x, double y, IRawElementProviderFragment** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Alive(*source_)) return kUiaElementNotAvailable;
    const int index = ObjectAtScreenPoint(x, y);
    return index < 0 ? S_OK : Hand(MakeMenuObjectElement(source_, index), IID_IRawElementProviderFragment, out);
  }
  HRESULT STDMETHODCALLTYPE GetFocus(IRawElementProviderFragment** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Alive(*source_)) return kUiaElementNotAvailable;
    const int focused = source_->Keyboard ? source_->Keyboard->Focused() : -1;
    return focused < 0 ? S_OK : Hand(MakeMenuObjectElement(source_, focused), IID_IRawElementProviderFragment, out);
  }

 private:
  // The object whose element shows at the screen point: panes lie above what the panel paints,
  // and of either the later in the list lies above; an object the tree leaves out lets the one
  // beneath it answer. -1: none.
  int ObjectAtScreenPoint(double x, double y) const {
    const MenuElementSource& s = *source_;
    POINT pt{static_cast<LONG>(x), static_cast<LONG>(y)};
    ::ScreenToClient(s.Panel, &pt);
    RECT client{};
    ::GetClientRect(s.Panel, &client);
    if (!::PtInRect(&client, pt)) return -1;
    const int32_t dx = s.Scale->ToDesign(pt.x), dy = s.Scale->ToDesign(pt.y);
    const AccessibleMenu menu = TreeOf(s);
    std::vector<bool> inTree(s.State->Project.Objects.size());
    for (const AccessibleNode& node : menu.Nodes) inTree[static_cast<size_t>(node.ObjectIndex)] = true;
    for (const bool panes : {true, false}) {
      for (size_t i = inTree.size(); i-- > 0;) {
        const MenuObject& obj = *s.State->Project.Objects[i];
        const ControlBase& b = obj.Base();
        if (IsPainted(obj.Kind) == panes || !inTree[i]) continue;
        if (dx >= b.Left && dy >= b.Top && int64_t{dx} < int64_t{b.Left} + b.Width && int64_t{dy} < int64_t{b.Top} + b.Height)
          return static_cast<int>(i);
      }
    }
    return -1;
  }

  Source source_;
};

}  // namespace

ComPtr<IRawElementProviderSimple> MakeMenuRootElement(const std::shared_ptr<MenuElementSource>& source) {
  ComPtr<IRawElementProviderSimple> element;
  element.attach(new RootElement(source));
  return element;
}

}  // namespace corvela::win
