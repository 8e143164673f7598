// An IAccessible that wraps Windows' standard object for one window and asks the window,
// by kDescribeForAccessibility, for its name, role and whether it can be pressed. The
// window may go while a screen reader still holds the object: every call then fails.
// Below it, what our windows and controls answer when asked.
#include "platform/win32/accessible_win32.h"

#include <oleacc.h>

#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_library.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace qv {
namespace {

// The few calls of oleacc, oleaut32 and ole32 we need, loaded on first use.
struct AccessibilityLibrary {
  decltype(&LresultFromObject) lresultFromObject = nullptr;
  decltype(&CreateStdAccessibleObject) createStandardObject = nullptr;
  decltype(&SysAllocString) allocString = nullptr;

  static const AccessibilityLibrary& Get() {
    static const AccessibilityLibrary library = Load();
    return library;
  }

 private:
  static AccessibilityLibrary Load() {
    using Initialise = HRESULT(WINAPI*)(LPVOID, DWORD);
    if (auto initialise = LibraryCall<Initialise>(L"ole32.dll", "CoInitializeEx"))
      initialise(nullptr, COINIT_APARTMENTTHREADED);  // objects are handed out marshalled
    AccessibilityLibrary library;
    library.lresultFromObject =
        LibraryCall<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    library.createStandardObject = LibraryCall<decltype(&CreateStdAccessibleObject)>(
        L"oleacc.dll", "CreateStdAccessibleObject");
    library.allocString = LibraryCall<decltype(&SysAllocString)>(L"oleaut32.dll", "SysAllocString");
    return library;
  }
};

BSTR WideString(const std::string& text) {
  return AccessibilityLibrary::Get().allocString(Wide(text).c_str());
}

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

class DescribedObject final : public IAccessible {
 public:
  DescribedObject(HWND hwnd, IAccessible* standard) : hwnd_(hwnd), standard_(standard) {}

  // IUnknown: our interfaces, and the standard object's others (children, window).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
      standard_->Release();
      delete this;
    }
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                                   UINT* wrong) override {
    return standard_->Invoke(id, iid, locale, flags, params, result, error, wrong);
  }

  // What we say ourselves.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    AccessibleFacts facts;
    if (!IsSelf(child) || !Describe(facts)) return standard_->get_accName(child, name);
    *name = WideString(facts.name);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    AccessibleFacts facts;
    if (!IsSelf(child) || !Describe(facts) || facts.role == 0)
      return standard_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = facts.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    AccessibleFacts facts;
    if (!IsSelf(child) || !Describe(facts) || !facts.pressable)
      return standard_->get_accDefaultAction(child, action);
    *action = WideString("Press");
    return S_OK;
  }
  // Posted, so a message box the click opens does not hold the screen reader's call.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    AccessibleFacts facts;
    if (!IsSelf(child) || !Describe(facts) || !facts.pressable)
      return standard_->accDoDefaultAction(child);
    if (!IsWindowEnabled(hwnd_)) return E_FAIL;
    return PostMessageW(hwnd_, kPressForAccessibility, PrivateToken(), 0) ? S_OK : E_FAIL;
  }

  // The rest as Windows has it.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return standard_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return standard_->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override {
    return standard_->accSelect(how, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  bool Describe(AccessibleFacts& facts) const {
    return IsWindow(hwnd_) && SendMessageW(hwnd_, kDescribeForAccessibility, PrivateToken(),
                                           reinterpret_cast<LPARAM>(&facts));
  }

  HWND hwnd_;
  IAccessible* standard_;
  LONG references_ = 1;
};

// What a screen reader is told of a control: labels and frames by what they show now.
AccessibleFacts FactsOf(const ControlData& data) {
  const ControlLayout& layout = *data.layout;
  AccessibleFacts facts{AccessibleNameOf(layout), 0, false};
  switch (layout.kind) {
    case ControlKind::Label:
      if (layout.accessibleName.empty())
        facts.name = data.text.empty() ? layout.blankName : data.text;
      facts.pressable = (layout.look & kClickable) != 0;
      facts.role = !facts.pressable                              ? ROLE_SYSTEM_STATICTEXT
                   : data.link->layout->role == WindowRole::Menu ? ROLE_SYSTEM_MENUITEM
                                                                 : ROLE_SYSTEM_PUSHBUTTON;
      break;
    case ControlKind::Frame:
      facts.name = data.text;
      facts.role = ROLE_SYSTEM_GROUPING;
      break;
    case ControlKind::Picture:
    case ControlKind::PictureBox:
      facts.role = ROLE_SYSTEM_GRAPHIC;
      break;
    default:
      break;  // EDIT and BUTTON keep their roles
  }
  return facts;
}

}  // namespace

LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  const AccessibilityLibrary& library = AccessibilityLibrary::Get();
  if (!library.lresultFromObject || !library.createStandardObject || !library.allocString) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(library.createStandardObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&standard))))
    return 0;
  auto* object = new DescribedObject(hwnd, standard);
  const LRESULT result = library.lresultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();  // the result holds its own reference
  return result;
}

void AnnounceNameChange(HWND hwnd) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

bool AnswerScreenReader(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        const ControlData& data, LRESULT& answer) {
  switch (message) {
    case WM_GETOBJECT:
      answer = AnswerGetObject(hwnd, wParam, lParam);
      return answer != 0;
    case kDescribeForAccessibility:
      answer = IsOwnMessage(wParam) ? TRUE : FALSE;
      if (answer) *reinterpret_cast<AccessibleFacts*>(lParam) = FactsOf(data);
      return true;
    case kPressForAccessibility:
      if (IsOwnMessage(wParam) && data.link->owner && IsWindowEnabled(hwnd))
        data.link->owner->Mouse(MouseEvent::Click, data.id);
      answer = 0;
      return true;
    default:
      return false;
  }
}

AccessibleFacts FactsOfWindow(const WindowLayout& layout) {
  return {layout.accessibleName,
          layout.role == WindowRole::Menu ? ROLE_SYSTEM_MENUPOPUP : ROLE_SYSTEM_DIALOG, false};
}

}  // namespace qv
