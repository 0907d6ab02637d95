#include "player/win/HtmlPane.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ole2.h>

#include <functional>
#include <new>
#include <utility>

#include "platform/win/Handles.h"
#include "player/win/PlainSurface.h"
#include "project/LinkAddress.h"

namespace corvela::win {

namespace {

// The container side of the browser control: client site, in-place site and frame in one object.
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit BrowserSite(HWND host) : host_(host) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the in-place site and the frame)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = host_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;
    ::GetClientRect(host_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = ::GetAncestor(host_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

  // IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  ~BrowserSite() = default;
  HWND host_;
  ULONG refs_ = 1;
};

// The browser's events, of which only a finished page matters: a zoom asked for before the page
// was there must be asked for again.
class BrowserEvents final : public IDispatch {
 public:
  explicit BrowserEvents(std::function<void()> pageLoaded) : pageLoaded_(std::move(pageLoaded)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    if (id == DISPID_DOCUMENTCOMPLETE && pageLoaded_) pageLoaded_();
    return S_OK;
  }
  // The pane is going: no more calls into it.
  void Forget() { pageLoaded_ = nullptr; }

 private:
  ~BrowserEvents() = default;
  std::function<void()> pageLoaded_;
  ULONG refs_ = 1;
};

}  // namespace

class BrowserHost {
 public:
  // pageLoaded runs whenever the browser has finished a page.
  BrowserHost(HWND parent, const ControlBase& bounds, std::function<void()> pageLoaded) {
    if (!surface_.Create(parent, bounds)) return;
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object_.put_void())))
      return;
    site_.attach(new (std::nothrow) BrowserSite(surface_.hwnd()));
    if (!site_ || FAILED(object_->SetClientSite(site_.get()))) {
      object_.reset();
      return;
    }
    RECT rc;
    ::GetClientRect(surface_.hwnd(), &rc);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, surface_.hwnd(), &rc)) ||
        FAILED(object_->QueryInterface(IID_IWebBrowser2, browser_.put_void()))) {
      Shutdown();
      return;
    }
    // No scripting error boxes or other dialogs from pages on a menu.
    browser_->put_Silent(VARIANT_TRUE);
    Listen(std::move(pageLoaded));
  }
  ~BrowserHost() { Shutdown(); }
  BrowserHost(const BrowserHost&) = delete;
  BrowserHost& operator=(const BrowserHost&) = delete;

  HWND hwnd() const { return surface_.hwnd(); }
  bool HasBrowser() const { return static_cast<bool>(browser_); }

  void Resized() {
    if (!object_) return;
    ComPtr<IOleInPlaceObject> inPlace;
    if (FAILED(object_->QueryInterface(IID_IOleInPlaceObject, inPlace.put_void()))) return;
    RECT rc;
    ::GetClientRect(surface_.hwnd(), &rc);
    inPlace->SetObjectRects(&rc, &rc);
  }

  bool Navigate(const std::string& url) {
    if (!browser_) return false;
    Bstr target(url);
    VARIANT empty;
    ::VariantInit(&empty);
    return SUCCEEDED(browser_->Navigate(target.get(), &empty, &empty, &empty, &empty));
  }

  std::string Location() const {
    Bstr url;
    if (!browser_ || FAILED(browser_->get_LocationURL(url.put()))) return {};
    return url.Text();
  }

  // The page's optical zoom in percent. A browser without one (or without a page to zoom) says
  // so, and the page stays as it is.
  HRESULT Zoom(int percent) {
    if (!browser_) return E_NOINTERFACE;
    VARIANT in;
    ::VariantInit(&in);
    in.vt = VT_I4;
    in.lVal = percent;
    return browser_->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr);
  }

 private:
  void Listen(std::function<void()> pageLoaded) {
    ComPtr<IConnectionPointContainer> points;
    if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer, points.put_void())) ||
        FAILED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, eventsPoint_.put())))
      return;
    events_.attach(new (std::nothrow) BrowserEvents(std::move(pageLoaded)));
    if (!events_ || FAILED(eventsPoint_->Advise(events_.get(), &eventsCookie_))) eventsCookie_ = 0;
  }

  void Shutdown() {
    if (events_) events_->Forget();
    if (eventsPoint_ && eventsCookie_) eventsPoint_->Unadvise(eventsCookie_);
    eventsCookie_ = 0;
    eventsPoint_.reset();
    events_.reset();
    browser_.reset();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
      object_.reset();
    }
    site_.reset();
  }

  // Declared first so that OLE outlives everything below.
  OleScope ole_;
  PlainSurface surface_{SurfaceLook::WindowColour};
  ComPtr<BrowserSite> site_;
  ComPtr<IOleObject> object_;
  ComPtr<IWebBrowser2> browser_;
  ComPtr<IConnectionPoint> eventsPoint_;
  ComPtr<BrowserEvents> events_;
  DWORD eventsCookie_ = 0;
};

// Each page starts at the browser's own size, so the zoom is asked for again.
HtmlPane::HtmlPane(HWND parent, const ControlBase& bounds)
    : host_(std::make_unique<BrowserHost>(parent, bounds, [this] { ApplyZoom(); })) {}

HtmlPane::~HtmlPane() = default;

HWND HtmlPane::Handle() const {
  return host_->hwnd();
}

bool HtmlPane::HasBrowser() const {
  return host_->HasBrowser();
}

std::string HtmlPane::Location() const {
  return host_->Location();
}

void HtmlPane::Place(const ControlBase& bounds) {
  Pane::Place(bounds);
  host_->Resized();
}

bool HtmlPane::Navigate(const std::string& url) {
  const bool started = host_->Navigate(BrowserAddress(url));
  ApplyZoom();
  return started;
}

void HtmlPane::Rescale(const DpiScale& scale) {
  // The browser lays pages out one screen pixel per page pixel at any resolution.
  zoomPercent_ = static_cast<int>((int64_t{scale.Dpi()} * 200 + kDesignDpi) / (2 * kDesignDpi));
  ApplyZoom();
}

void HtmlPane::ApplyZoom() {
  // At the design resolution a browser is left as it always was.
  if (zoomPercent_ == 100 && !zoomed_) return;
  zoomed_ = SUCCEEDED(host_->Zoom(zoomPercent_)) && zoomPercent_ != 100;
}

}  // namespace corvela::win
