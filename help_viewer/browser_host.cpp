// A minimal OLE container for the WebBrowser control: the control asks its
// site for the window and the frame while it activates in place, reports
// size requests through OnPosRectChange, and fires DWebBrowserEvents2 at the
// sink; everything else a full container offers is declined.
#include "browser_host.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <ole2.h>
#include <urlmon.h>

#include "win/registry.h"
#include "win/system_paths.h"

namespace tlq::help {

namespace {

std::wstring wide_from_ansi(const std::string& text)
{
    if (text.empty()) return std::wstring();
    const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], count);
    return wide;
}

std::string ansi_from_wide(const wchar_t* wide)
{
    if (!wide || !*wide) return std::string();
    const int count = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (count <= 1) return std::string();
    std::string text(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], count, nullptr, nullptr);
    text.resize(static_cast<size_t>(count - 1));
    return text;
}

// The URL argument arrives as a VARIANT by reference holding a BSTR.
std::string address_argument(const VARIANTARG& argument)
{
    const VARIANT* value = &argument;
    if (V_VT(value) == (VT_VARIANT | VT_BYREF)) value = V_VARIANTREF(value);
    if (!value) return std::string();
    if (V_VT(value) == VT_BSTR) return ansi_from_wide(V_BSTR(value));
    if (V_VT(value) == (VT_BSTR | VT_BYREF) && V_BSTRREF(value)) return ansi_from_wide(*V_BSTRREF(value));
    return std::string();
}

template <typename T>
void release(T*& pointer)
{
    if (pointer) pointer->Release();
    pointer = nullptr;
}

}  // namespace

class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IDispatch {
public:
    BrowserSite(HWND parent, const RECT& rect, BrowserHost::AddressChanged on_address_changed, void* context)
        : parent_(parent), rect_(rect), on_address_changed_(on_address_changed), context_(context)
    {
    }

    bool open(const std::string& start_address);
    void close();
    void navigate(const std::string& address);
    void set_size(LONG width, LONG height);
    bool translate_accelerator(MSG* msg);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override
    {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    STDMETHODIMP GetWindow(HWND* window) override
    {
        *window = parent_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO frame_info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no toolbars, menus or status bar.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override
    {
        release(active_);
        active_ = active;
        if (active_) active_->AddRef();
        return S_OK;
    }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the DWebBrowserEvents2 sink.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                        UINT*) override;

private:
    ~BrowserSite() = default;
    bool connect_events();

    ULONG references_ = 1;
    HWND parent_;
    RECT rect_;
    BrowserHost::AddressChanged on_address_changed_;
    void* context_;
    IOleObject* object_ = nullptr;
    IWebBrowser2* browser_ = nullptr;
    IOleInPlaceActiveObject* active_ = nullptr;
    IConnectionPoint* events_ = nullptr;
    DWORD events_cookie_ = 0;
};

STDMETHODIMP BrowserSite::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        *object = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame))
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID_DWebBrowserEvents2))
        *object = static_cast<IDispatch*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frame_info)
{
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    *position = rect_;
    *clip = rect_;
    frame_info->fMDIApp = FALSE;
    frame_info->hwndFrame = parent_;
    frame_info->haccel = nullptr;
    frame_info->cAccelEntries = 0;
    return S_OK;
}

// The control only asks for a new rectangle; the container applies it.
STDMETHODIMP BrowserSite::OnPosRectChange(LPCRECT position)
{
    if (!position || !object_) return E_INVALIDARG;
    rect_ = *position;
    IOleInPlaceObject* in_place = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&in_place)))) {
        in_place->SetObjectRects(&rect_, &rect_);
        in_place->Release();
    }
    return S_OK;
}

STDMETHODIMP BrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                 UINT*)
{
    // NavigateComplete2(IDispatch* frame, VARIANT* URL), arguments in reverse.
    if (id == DISPID_NAVIGATECOMPLETE2 && parameters && parameters->cArgs >= 2 && on_address_changed_) {
        const std::string address = address_argument(parameters->rgvarg[0]);
        const VARIANTARG& frame_argument = parameters->rgvarg[1];
        const uint32_t frame = V_VT(&frame_argument) == VT_DISPATCH
                                   ? static_cast<uint32_t>(reinterpret_cast<uintptr_t>(V_DISPATCH(&frame_argument)))
                                   : 0;
        on_address_changed_(context_, address, frame);
    }
    return S_OK;
}

bool BrowserSite::open(const std::string& start_address)
{
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object_))))
        return false;
    if (FAILED(object_->SetClientSite(static_cast<IOleClientSite*>(this)))) return false;
    if (FAILED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_)))) return false;
    RECT rect = rect_;
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0,
                               parent_, &rect)))
        return false;
    connect_events();
    navigate(start_address);
    return true;
}

bool BrowserSite::connect_events()
{
    IConnectionPointContainer* container = nullptr;
    if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))))
        return false;
    const HRESULT found = container->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_);
    container->Release();
    if (FAILED(found)) return false;
    if (FAILED(events_->Advise(static_cast<IDispatch*>(this), &events_cookie_))) {
        release(events_);
        return false;
    }
    return true;
}

void BrowserSite::close()
{
    if (events_) {
        events_->Unadvise(events_cookie_);
        release(events_);
    }
    release(active_);
    if (browser_) browser_->Stop();
    release(browser_);
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    release(object_);
}

void BrowserSite::navigate(const std::string& address)
{
    if (!browser_ || address.empty()) return;
    VARIANT target;
    VariantInit(&target);
    V_VT(&target) = VT_BSTR;
    V_BSTR(&target) = SysAllocString(wide_from_ansi(address).c_str());
    VARIANT none;
    VariantInit(&none);
    browser_->Navigate2(&target, &none, &none, &none, &none);
    VariantClear(&target);
}

void BrowserSite::set_size(LONG width, LONG height)
{
    if (!browser_) return;
    if (width >= 0) browser_->put_Width(width);
    if (height >= 0) browser_->put_Height(height);
}

bool BrowserSite::translate_accelerator(MSG* msg)
{
    if (!active_ || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
    return active_->TranslateAccelerator(msg) == S_OK;
}

BrowserHost::~BrowserHost() { destroy(); }

bool BrowserHost::create(HWND parent, const RECT& rect, const std::string& start_address,
                         AddressChanged on_address_changed, void* context)
{
    destroy();
    site_ = new BrowserSite(parent, rect, on_address_changed, context);
    if (!site_->open(start_address)) {
        destroy();
        return false;
    }
    return true;
}

void BrowserHost::destroy()
{
    if (!site_) return;
    site_->close();
    site_->Release();
    site_ = nullptr;
}

void BrowserHost::set_width(int width)
{
    if (site_) site_->set_size(width, -1);
}

void BrowserHost::set_height(int height)
{
    if (site_) site_->set_size(-1, height);
}

void BrowserHost::navigate(const std::string& address)
{
    if (site_) site_->navigate(address);
}

bool BrowserHost::translate_accelerator(MSG* msg)
{
    return site_ && site_->translate_accelerator(msg);
}

void set_browser_user_agent(const std::string& user_agent)
{
    UrlMkSetSessionOption(URLMON_OPTION_USERAGENT, const_cast<char*>(user_agent.c_str()),
                          static_cast<DWORD>(user_agent.size()), 0);
}

void use_current_browser_mode()
{
    // 11001: the engine's newest standards mode whatever the page declares.
    const uint32_t edge_mode = 11001;
    registry_write(0,
                   Text("Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION\\") +
                       program_file_name(),
                   edge_mode);
}

}  // namespace tlq::help
