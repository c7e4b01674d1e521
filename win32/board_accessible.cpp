#include "win32/board_accessible.h"

#include "app/speech.h"
#include "view/board_geometry.h"
#include "win32/accessibility_api.h"
#include "win32/wide_text.h"

namespace chess::win32 {
namespace {

constexpr LONG noChild = -1;
constexpr Rect boardArea = {squareRect("a8"_sq).left, squareRect("a8"_sq).top, squareRect("h1"_sq).right,
                            squareRect("h1"_sq).bottom};

constexpr Square squareOfCell(LONG id)
{
    return {static_cast<int>((id - 1) % 8), static_cast<int>((id - 1) / 8)};
}

void setEmpty(VARIANT &variant) { variant.vt = VT_EMPTY; }

void setLong(VARIANT &variant, LONG value)
{
    variant.vt = VT_I4;
    variant.lVal = value;
}

} // namespace

// One object serves every request while the window lives; the window holds one reference
// and each client its own.
class BoardObject final : public IAccessible {
public:
    BoardObject(HWND window, const GameState &state, const PixelScale &scale, const AccessibilityApi &api)
        : window_(window), state_(&state), scale_(&scale), api_(api)
    {
    }

    // The window is going: no call may reach the game any more.
    void disconnect()
    {
        state_ = nullptr;
        scale_ = nullptr;
        api_.coDisconnectObject(this, 0);
        Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch) && id != __uuidof(IAccessible)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IAccessible *>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // Screen readers call the IAccessible methods directly; no type information is needed.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *,
                                     UINT *) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        if (!state_)
            return E_FAIL;
        return api_.createStdAccessibleObject(window_, OBJID_WINDOW, __uuidof(IDispatch),
                                              reinterpret_cast<void **>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override
    {
        if (!count)
            return E_POINTER;
        *count = 64;
        return S_OK;
    }
    // The cells are simple elements: the table answers for them by child id.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch **child) override
    {
        if (!child)
            return E_POINTER;
        *child = nullptr;
        return childOf(id) == noChild ? E_INVALIDARG : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR *name) override
    {
        if (!name)
            return E_POINTER;
        *name = nullptr;
        const LONG child = childOf(id);
        if (child == noChild)
            return E_INVALIDARG;
        if (!state_)
            return E_FAIL;
        if (child == CHILDID_SELF) {
            *name = api_.sysAllocString(L"Chess board");
        } else {
            *name =
                api_.sysAllocString(widen(speech::squareWords(state_->board, squareOfCell(child))).c_str());
        }
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT *role) override
    {
        return answerNumber(id, role, [](LONG child) {
            return child == CHILDID_SELF ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT *state) override
    {
        return answerNumber(id, state, [this](LONG child) -> LONG {
            if (child == CHILDID_SELF)
                return STATE_SYSTEM_FOCUSABLE;
            LONG bits = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
            if (child == focusedCell())
                bits |= STATE_SYSTEM_FOCUSED;
            if (child == selectedCell())
                bits |= STATE_SYSTEM_SELECTED;
            return bits;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override
    {
        return answerCell(focus, focusedCell());
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override
    {
        return answerCell(selection, selectedCell());
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG *left, LONG *top, LONG *width, LONG *height,
                                          VARIANT id) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        const LONG child = childOf(id);
        if (child == noChild)
            return E_INVALIDARG;
        if (!scale_)
            return E_FAIL;
        const Rect area =
            scale_->toDevice(child == CHILDID_SELF ? boardArea : squareRect(squareOfCell(child)));
        POINT topLeft{area.left, area.top};
        ClientToScreen(window_, &topLeft);
        *left = topLeft.x;
        *top = topLeft.y;
        *width = area.right - area.left;
        *height = area.bottom - area.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT *hit) override
    {
        if (!hit)
            return E_POINTER;
        setEmpty(*hit);
        if (!scale_)
            return E_FAIL;
        POINT point{x, y};
        ScreenToClient(window_, &point);
        RECT client{};
        GetClientRect(window_, &client);
        if (const std::optional<Square> square = hitTestBoard(scale_->toPicture({point.x, point.y})))
            setLong(*hit, cellId(*square));
        else if (PtInRect(&client, point))
            setLong(*hit, CHILDID_SELF);
        else
            return S_FALSE;
        return S_OK;
    }

    // The board acts through its keys and the mouse only; it has no value, help or action
    // of its own to offer.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR *) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR *) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR *) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *, VARIANT, LONG *) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR *) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR *) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT *) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~BoardObject() = default;

    // CHILDID_SELF or a cell's id for a child id in any form that converts to a number;
    // noChild for anything else.
    LONG childOf(VARIANT id) const
    {
        VARIANT number;
        setEmpty(number);
        if (FAILED(api_.variantChangeType(&number, &id, 0, VT_I4)) || number.lVal < CHILDID_SELF ||
            number.lVal > 64)
            return noChild;
        return number.lVal;
    }
    // noChild while the window does not have the focus.
    LONG focusedCell() const
    {
        return state_ && GetFocus() == window_ ? cellId(state_->keyboard.square) : noChild;
    }
    LONG selectedCell() const
    {
        return state_ && state_->selectionState == SelectionState::PieceSelected
                   ? cellId(state_->selectedFrom)
                   : noChild;
    }
    // A number about a child that `compute` gives: the role, the state.
    template <typename Compute> HRESULT answerNumber(VARIANT id, VARIANT *answer, Compute compute) const
    {
        if (!answer)
            return E_POINTER;
        setEmpty(*answer);
        const LONG child = childOf(id);
        if (child == noChild)
            return E_INVALIDARG;
        if (!state_)
            return E_FAIL;
        setLong(*answer, compute(child));
        return S_OK;
    }
    // A cell, or "none" as MSAA spells it: an empty variant and S_FALSE.
    static HRESULT answerCell(VARIANT *answer, LONG cell)
    {
        if (!answer)
            return E_POINTER;
        setEmpty(*answer);
        if (cell == noChild)
            return S_FALSE;
        setLong(*answer, cell);
        return S_OK;
    }

    LONG references_ = 1;
    HWND window_;
    const GameState *state_;
    const PixelScale *scale_;
    const AccessibilityApi &api_;
};

AccessibleBoard::~AccessibleBoard()
{
    if (object_)
        object_->disconnect();
}

std::optional<LRESULT> AccessibleBoard::answer(WPARAM wParam)
{
    const AccessibilityApi *api = accessibilityApi();
    if (!api)
        return std::nullopt;
    if (!object_)
        object_ = new BoardObject(window_, state_, scale_, *api);
    // LresultFromObject takes a reference of its own for the client, on every request.
    return api->lresultFromObject(__uuidof(IAccessible), wParam, object_);
}

} // namespace chess::win32
