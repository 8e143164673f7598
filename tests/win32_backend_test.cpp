// The Win32 backend under wine: controls at the right pixel places, label colours after
// mouse messages and what gets repainted, the registry store and the HKLM Run entry,
// the instance mutex, and starting exactly one program file.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>
#include <shellapi.h>

#include <filesystem>
#include <functional>
#include <set>

#include "awkward_values.h"

#include "app/app.h"
#include "menu/menu_window.h"
#include "platform/entry.h"
#include "platform/win32/builtin_tools_win32.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"
#include "windows/password/password_prompt.h"
#include "windows/settings/settings_window.h"
#include "windows/welcome/welcome_window.h"

namespace qv {
namespace {

RECT PlaceIn(HWND control, HWND window) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectPlace(HWND control, HWND window, int left, int top, int width, int height) {
  RECT r = PlaceIn(control, window);
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
}

Win32Window& WindowOf(Form& form) {
  return static_cast<Win32Window&>(form.window());
}

// A control's window, by the name and index it was declared with.
HWND HandleOf(Form& form, const std::string& name, int index = kNoIndex) {
  return WindowOf(form).ControlHandle(form.layout().Find(name, index));
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

class Win32BackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.Store().Write("qv", "qv", "show", "no");
    app = std::make_unique<App>(platform);
    app->Load<MenuWindow>();
  }
  void TearDown() override {
    app.reset();
    PumpMessages();
  }
  Win32Window& Menu() { return WindowOf(app->menu()); }
  void OpenMenu(UINT button = WM_LBUTTONUP) {
    app->menu().OnTrayMessage(static_cast<TrayMessage>(button));
  }
  int Id(const char* name, int index) { return app->menu().layout().Find(name, index); }

  Win32Platform platform;
  std::unique_ptr<App> app;
};

// A borderless popup out of the taskbar, its controls in place; a tray click shows it
// topmost (in the corner: windows.e2e), and a press and release on a label runs its click.
TEST_F(Win32BackendTest, TheMenuIsAPopupShownTopmostInTheCorner) {
  ASSERT_EQ(platform.Dpi(), 96);
  HWND menu = Menu().Handle();
  RECT area;
  GetClientRect(menu, &area);
  EXPECT_EQ(area.right, 151);
  EXPECT_EQ(area.bottom, 256);
  EXPECT_TRUE(GetWindowLongPtrA(menu, GWL_STYLE) & WS_POPUP);
  EXPECT_FALSE(GetWindowLongPtrA(menu, GWL_STYLE) & WS_CAPTION);
  EXPECT_TRUE(GetWindowLongPtrA(menu, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "not in the taskbar";
  ExpectPlace(HandleOf(app->menu(), "menu1", 11), menu, 24, 0, 129, 17);
  ExpectPlace(HandleOf(app->menu(), "menu1", 0), menu, 24, 184, 129, 17);
  ExpectPlace(HandleOf(app->menu(), "Closer", 1), menu, 24, 240, 129, 17);
  ExpectPlace(HandleOf(app->menu(), "Image1"), menu, 0, 0, 30, 257);

  OpenMenu();
  EXPECT_TRUE(IsWindowVisible(menu));
  EXPECT_TRUE(GetWindowLongPtrA(menu, GWL_EXSTYLE) & WS_EX_TOPMOST);
  app->menu().OnTrayMessage(static_cast<TrayMessage>(WM_MOUSEMOVE));
  HWND hide = HandleOf(app->menu(), "Closer", 0);
  SendMessageA(hide, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(hide, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_FALSE(IsWindowVisible(menu));
}

TEST_F(Win32BackendTest, MouseMessagesColourTheLabelsAndRepaintOnlyWhatChanged) {
  OpenMenu(WM_RBUTTONUP);
  PumpMessages();
  HWND row3 = HandleOf(app->menu(), "menu1", 3);
  SendMessageA(row3, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(Menu().ControlBack(Id("menu1", 3)), RGB(0xE0, 0xE0, 0xE0));
  EXPECT_EQ(Menu().ControlBack(Id("menu1", 4)), RGB(0xFF, 0xFF, 0xFF));
  UpdateWindow(Menu().Handle());
  auto paints = [&] {
    int total = 0;
    for (int i = 0; i < 12; ++i) total += Menu().Paints(Id("menu1", i));
    for (int i = 0; i < 3; ++i) total += Menu().Paints(Id("Closer", i));
    return total;
  };
  for (int i = 0; i < 12; ++i) UpdateWindow(HandleOf(app->menu(), "menu1", i));
  const int before = paints();
  SendMessageA(row3, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  for (int i = 0; i < 12; ++i) UpdateWindow(HandleOf(app->menu(), "menu1", i));
  EXPECT_EQ(paints(), before);
  SendMessageA(HandleOf(app->menu(), "menu1", 4), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  for (int i = 0; i < 12; ++i) UpdateWindow(HandleOf(app->menu(), "menu1", i));
  EXPECT_EQ(paints(), before + 2);
  SendMessageA(Menu().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(26, 114));  // the gap
  EXPECT_EQ(Menu().ControlBack(Id("menu1", 4)), RGB(0xFF, 0xFF, 0xFF));
}

// The picture strip lies over the entries' first pixels, and a hover leaves it whole.
TEST_F(Win32BackendTest, TheStripIsDrawnOverTheEntries) {
  OpenMenu();
  HWND menu = Menu().Handle();
  RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HWND top = HandleOf(app->menu(), "menu1", 11);
  SendMessageA(top, WM_MOUSEMOVE, 0, MAKELPARAM(60, 8));  // repaints that entry alone
  UpdateWindow(top);
  HDC drawn = GetDC(menu);  // what the window drew, children and all, not yet the screen
  const COLORREF strip = GetPixel(drawn, 20, 8);
  const COLORREF overlap = GetPixel(drawn, 27, 8);
  const COLORREF entry = GetPixel(drawn, 60, 4);
  ReleaseDC(menu, drawn);
  EXPECT_EQ(entry, RGB(0xE0, 0xE0, 0xE0)) << "the entry is highlighted";
  EXPECT_NE(overlap, entry) << "but not over the strip";
  EXPECT_NE(overlap, RGB(0xFF, 0xFF, 0xFF));
  EXPECT_NE(strip, entry);
}

// How many pixels of a part of the control, as it painted itself, are darker than grey.
int DarkPixelsIn(HWND control, RECT part) {
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(control);
  int dark = 0;
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) dark += BrightnessOf(GetPixel(dc, x, y)) < 128;
  ReleaseDC(control, dc);
  return dark;
}

// Under a high-contrast scheme the system's text is white: on the menu's white entries
// and the settings window's white frames QV draws its text black, so it stays readable.
TEST_F(Win32BackendTest, TextStaysReadableUnderAHighContrastScheme) {
  const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
  const COLORREF light[] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
                            GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
  const COLORREF contrast[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)};
  SetSysColors(4, elements, contrast);
  OpenMenu();
  const int onEntry = DarkPixelsIn(HandleOf(app->menu(), "menu1", 4),
                                   {40, 0, 140, 16});  // "Defrag", right of the strip
  auto settings = app->Load<SettingsWindow>();
  auto& window = WindowOf(*settings);
  window.Show();
  // The caption, which hides the frame's edge where it stands.
  const int onFrame = DarkPixelsIn(HandleOf(*settings, "Frame1"), {0, 0, 150, 10});
  SetSysColors(4, elements, light);
  EXPECT_GT(onEntry, 100) << "the entry's text";
  EXPECT_GT(onFrame, 20) << "the frame's caption";
}

// A restarted Explorer gets the icon again. A cancelled logoff (WM_ENDSESSION with FALSE)
// leaves QV running with its icon and its menu; a logoff that goes ahead ends it and takes
// the icon away.
TEST_F(Win32BackendTest, TheIconOutlivesExplorerAndOnlyALogoffThatGoesAheadEndsQV) {
  HWND tray = FindWindowW(L"QVTray", nullptr);
  ASSERT_NE(tray, nullptr);
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon, icon.hWnd = tray, icon.uID = 1, icon.uFlags = NIF_TIP;
  Shell_NotifyIconW(NIM_DELETE, &icon);  // as the taskbar that held it went
  SendMessageW(tray, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &icon)) << "the new taskbar has the icon";
  EXPECT_TRUE(SendMessageW(tray, WM_QUERYENDSESSION, 0, 0));
  SendMessageW(tray, WM_ENDSESSION, FALSE, 0);
  ASSERT_TRUE(app->IsLoaded(app->menu()));
  OpenMenu();
  EXPECT_TRUE(IsWindowVisible(Menu().Handle()));
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &icon)) << "the icon is still there";
  SendMessageW(tray, WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(app->IsLoaded(app->menu()));
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &icon)) << "the icon is gone";
}

// The menu keeps its keys from the dialog manager, and they reach the menu's handling.
TEST_F(Win32BackendTest, TheMenuTakesItsKeys) {
  OpenMenu();
  HWND menu = Menu().Handle();
  EXPECT_EQ(SendMessageA(menu, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
  SendMessageA(menu, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(Menu().ControlBack(Id("Closer", 1)), RGB(0xE0, 0xE0, 0xE0));
  SendMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindowVisible(menu));
  EXPECT_EQ(KeyFor(VK_TAB), std::nullopt);
}

// What a screen reader reads of a window: its name and role. The menu as another process
// reads it is checked end to end (wine_menu.sh).
struct ReadAloud {
  explicit ReadAloud(HWND hwnd) {
    AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    self.vt = VT_I4, self.lVal = CHILDID_SELF;
  }
  ~ReadAloud() {
    if (object) object->Release();
  }
  std::wstring Name() const {
    BSTR text = nullptr;
    if (!object || FAILED(object->get_accName(self, &text)) || !text) return L"";
    std::wstring result(text);
    SysFreeString(text);
    return result;
  }
  long Role() const {
    VARIANT role{};
    return object && SUCCEEDED(object->get_accRole(self, &role)) ? role.lVal : -1;
  }
  IAccessible* object = nullptr;
  VARIANT self{};
};

TEST_F(Win32BackendTest, ScreenReadersReadNamesRolesAndPressLabels) {
  CoInitialize(nullptr);
  OpenMenu();
  Menu().SetText(Id("menu1", 11), "Mail");
  EXPECT_EQ(ReadAloud(HandleOf(app->menu(), "menu1", 11)).Name(), L"Mail");
  ReadAloud hide(HandleOf(app->menu(), "Closer", 0));
  ASSERT_NE(hide.object, nullptr);
  EXPECT_EQ(hide.object->accDoDefaultAction(hide.self), S_OK);
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(Menu().Handle()));

  auto settings = app->Load<SettingsWindow>();
  EXPECT_EQ(ReadAloud(WindowOf(*settings).Handle()).Role(), ROLE_SYSTEM_DIALOG);
  EXPECT_EQ(ReadAloud(HandleOf(*settings, "prog", 2)).Name(), L"Program of slot 3");
  EXPECT_EQ(ReadAloud(HandleOf(*settings, "Check2")).Name(), L"Start QV With Windows");
  EXPECT_EQ(ReadAloud(HandleOf(*settings, "Sett", 1)).Role(), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(ReadAloud(HandleOf(*settings, "Label3")).Role(), ROLE_SYSTEM_STATICTEXT);
  app->Unload(*settings, UnloadMode::ByProgram);

  auto prompt = app->Load<PasswordPrompt>();
  HWND hidden = HandleOf(*prompt, "Text1");
  EXPECT_TRUE(GetWindowLongPtrA(hidden, GWL_STYLE) & ES_PASSWORD) << "hidden from screen readers";
  app->Unload(*prompt, UnloadMode::ByProgram);
  PumpMessages();
  CoUninitialize();
}

TEST_F(Win32BackendTest, TheSettingsWindowsControls) {
  auto settings = app->Load<SettingsWindow>();
  auto& window = WindowOf(*settings);
  const WindowLayout& layout = settings->layout();
  HWND password = HandleOf(*settings, "Passwd", 0);
  EXPECT_TRUE(GetWindowLongPtrA(password, GWL_STYLE) & ES_PASSWORD);
  EXPECT_EQ(SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0), '#');
  EXPECT_TRUE(GetWindowLongPtrA(HandleOf(*settings, "prog", 2), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongPtrA(window.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW)
      << "in the taskbar";
  HWND frame2 = HandleOf(*settings, "Frame2");
  ExpectPlace(HandleOf(*settings, "prog", 0), frame2, 24, 32, 185, 19);
  window.SetText(layout.Find("title", 1), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(window.Text(layout.Find("title", 1)), "ABCDEFGHIJ");
  EXPECT_EQ(window.Text(layout.Find("prog", 1)), "(none)");
  EXPECT_FALSE(IsWindowEnabled(password));
  window.SetValue(layout.Find("Check1"), 1);  // runs the click handling: the boxes follow
  EXPECT_TRUE(IsWindowEnabled(password));
  SendMessageA(HandleOf(*settings, "Check1"), BM_CLICK, 0, 0);  // as the user
  EXPECT_FALSE(IsWindowEnabled(password));
  HBITMAP strip = window.Picture(layout.Find("Image1"));
  ASSERT_EQ(GetObjectType(strip), static_cast<DWORD>(OBJ_BITMAP));
  app->Unload(*settings, UnloadMode::ByProgram);
  settings.reset();
  PumpMessages();  // the window is destroyed from the message loop
  EXPECT_EQ(GetObjectType(strip), 0u) << "each opening must give its pictures back";
}

// Whether a control shows its whole text in the font it was given, with `room` pixels
// beside it (a check box's tick and gap, a text box's margins).
bool TextWhole(HWND box, int room) {
  std::string text(GetWindowTextLengthA(box) + 1, '\0');
  text.resize(GetWindowTextA(box, text.data(), static_cast<int>(text.size())));
  HDC dc = GetDC(box);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(box, dc);
  RECT area;
  GetClientRect(box, &area);
  return size.cx + room <= area.right;
}

bool CaptionWhole(HWND checkBox) {
  return TextWhole(checkBox, GetSystemMetrics(SM_CXMENUCHECK) + 2);
}

LONG FontHeight(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

// Check box captions are whole at every scale; the welcome window's tick stays where
// it was laid out. A window moved to a monitor of another scale takes the place Windows
// suggests and lays its controls out again from their twips, with fonts for that scale.
TEST_F(Win32BackendTest, CaptionsAreWholeAndWindowsFollowTheMonitorsScale) {
  auto welcome = app->Load<WelcomeWindow>();
  HWND dontShow = HandleOf(*welcome, "Check1");
  EXPECT_TRUE(CaptionWhole(dontShow));
  EXPECT_EQ(PlaceIn(dontShow, GetParent(dontShow)).right, (1080 + 2175) / 15);
  app->Unload(*welcome, UnloadMode::ByProgram);

  auto settings = app->Load<SettingsWindow>();
  auto& window = WindowOf(*settings);
  const WindowLayout& layout = settings->layout();
  HWND program = HandleOf(*settings, "prog", 0);
  HWND frame2 = HandleOf(*settings, "Frame2");
  RECT suggested{100, 50, 100 + 630, 50 + 449};  // 6300 x 4485 twips at 144 dpi
  SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  RECT now;
  GetWindowRect(window.Handle(), &now);
  EXPECT_TRUE(EqualRect(&now, &suggested));
  ExpectPlace(program, frame2, 36, 48, 278, 29);
  EXPECT_EQ(FontHeight(program), -20) << "Verdana 9.75 pt at 144 dpi";
  for (const char* box : {"Check1", "Check2", "Check3"})
    EXPECT_TRUE(CaptionWhole(HandleOf(*settings, box))) << box << " at 144 dpi";
  suggested = {0, 0, 420, 299};
  SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
               reinterpret_cast<LPARAM>(&suggested));
  ExpectPlace(program, frame2, 24, 32, 185, 19);
  EXPECT_EQ(FontHeight(program), -13);
  for (const char* box : {"Check1", "Check2", "Check3"})
    EXPECT_TRUE(CaptionWhole(HandleOf(*settings, box))) << box;
  HWND title = HandleOf(*settings, "title", 0);
  window.SetText(layout.Find("title", 0), "Calculator");  // ten characters, the most it takes
  const LRESULT margins = SendMessageA(title, EM_GETMARGINS, 0, 0);
  EXPECT_TRUE(TextWhole(title, LOWORD(margins) + HIWORD(margins)));
  app->Unload(*settings, UnloadMode::ByProgram);
  PumpMessages();
}

// The start-at-logon entry is made for the program's own file.
TEST_F(Win32BackendTest, TheProgramPathIsTheRunningFile) {
  const std::filesystem::path path(Wide(platform.ProgramPath()));
  EXPECT_TRUE(std::filesystem::is_regular_file(path)) << platform.ProgramPath();
  EXPECT_EQ(path.filename(), L"qv_win32_tests.exe");
}

TEST(RegistryStore, EveryByteComesBackExactly) {
  RegistryStore store("Software\\qv-test");
  const std::vector<std::string> values = AwkwardValues();
  for (std::size_t i = 0; i < values.size(); ++i)
    ASSERT_TRUE(store.Write("qv", "qv", "k" + std::to_string(i), values[i]));
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(store.Read("qv", "qv", "k" + std::to_string(i), "unset"), values[i]) << i;
  EXPECT_EQ(store.Read("qv", "qv", "missing", "fallback"), "fallback");
  EXPECT_EQ(RegistryStore("Software\\qv-nothing").Read("qv", "qv", "show", "d"), "d");
}

// A held save that fails part-way leaves every value as it was. The failure is real: the
// registry refuses a value name longer than 16,383 characters.
TEST(RegistryStore, ASaveThatFailsPartWayLeavesEveryOldValue) {
  RegistryStore store("Software\\qv-test-rollback");
  ASSERT_TRUE(store.Write("qv", "qv", "title1", "old"));
  store.Hold();
  store.Write("qv", "qv", "title1", "new");
  store.Write("qv", "qv", "fresh", "x");
  store.Write("qv", "qv", std::string(20000, 'k'), "a name too long");
  store.Write("qv", "qv", "start", "1");
  EXPECT_FALSE(store.Commit());
  store.Discard();  // as the failed save does
  EXPECT_EQ(store.Read("qv", "qv", "title1"), "old");
  EXPECT_EQ(store.Read("qv", "qv", "fresh", "missing"), "missing");
  EXPECT_EQ(store.Read("qv", "qv", "start", "missing"), "missing");
  // A later write goes straight to the registry, no longer held.
  ASSERT_TRUE(store.Write("qv", "qv", "show", "no"));
  EXPECT_EQ(RegistryStore("Software\\qv-test-rollback").Read("qv", "qv", "show"), "no");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\qv-test-rollback");
}

std::string RunValue(const wchar_t* name, HKEY root = HKEY_LOCAL_MACHINE) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(root, kRunKey, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return "<missing>";
  return Utf8(data);
}

// A standard account as Windows treats it (wine grants everything): the machine's Run key
// opens, read-only, but nothing under it may be created, written or deleted. With
// userDenied the user's own key refuses too.
std::set<HKEY> readOnlyKeys;
bool userDenied = false;

bool userKeyMissing = false;  // as on an account whose own Run key was never made

bool Denied(HKEY root) {
  return root == HKEY_LOCAL_MACHINE || (userDenied && root == HKEY_CURRENT_USER);
}
LONG WINAPI CreateAsUser(HKEY root, LPCWSTR path, PHKEY key) {
  return Denied(root) ? ERROR_ACCESS_DENIED : RegCreateKeyW(root, path, key);
}
LONG WINAPI OpenAsUser(HKEY root, LPCWSTR path, PHKEY key) {
  if (userKeyMissing && root == HKEY_CURRENT_USER) return ERROR_FILE_NOT_FOUND;
  const LONG result = RegOpenKeyW(root, path, key);
  if (result == ERROR_SUCCESS && Denied(root)) readOnlyKeys.insert(*key);
  return result;
}
LONG WINAPI SetAsUser(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD size) {
  if (readOnlyKeys.count(key)) return ERROR_ACCESS_DENIED;
  return RegSetValueExW(key, name, reserved, type, data, size);
}
LONG WINAPI DeleteAsUser(HKEY key, LPCWSTR name) {
  return readOnlyKeys.count(key) ? ERROR_ACCESS_DENIED : RegDeleteValueW(key, name);
}
LONG WINAPI CloseAsUser(HKEY key) {
  readOnlyKeys.erase(key);
  return RegCloseKey(key);
}

RegistryRunEntries StandardAccount(bool userKeyDenied = false, bool userKeyAbsent = false) {
  userDenied = userKeyDenied;
  userKeyMissing = userKeyAbsent;
  RegistryCalls calls;
  calls.createKey = CreateAsUser, calls.openKey = OpenAsUser, calls.setValue = SetAsUser;
  calls.deleteValue = DeleteAsUser, calls.closeKey = CloseAsUser;
  return RegistryRunEntries(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, calls);
}

TEST(RunEntry, IsWrittenAndRemovedUnderTheMachineRunKey) {
  RegistryRunEntries entries;
  ASSERT_TRUE(AddRunValue(entries, "C:\\Old Place\\qvtest.exe"));
  ASSERT_TRUE(AddRunValue(entries, "C:\\New Place\\qvtest.exe"));
  EXPECT_EQ(RunValue(L"qvtest"), "\"C:\\New Place\\qvtest.exe\"") << "quoted";
  EXPECT_TRUE(RemoveRunValue(entries, "C:\\New Place\\qvtest.exe"));
  EXPECT_EQ(RunValue(L"qvtest"), "<missing>");
  EXPECT_TRUE(RemoveRunValue(entries, "C:\\New Place\\qvtest.exe")) << "absent: no failure";
  EXPECT_EQ(entries.RunValueNameOf("C:\\Tools\\Launcher.exe"), "Launcher");
}

TEST(RunEntry, AStandardAccountUsesItsOwnRunKeyAndIsNeverFalselyWarned) {
  RegistryRunEntries entries = StandardAccount();
  EXPECT_TRUE(RemoveRunValue(entries, "C:\\Tools\\qvuser.exe")) << "nothing there: no failure";
  RegistryRunEntries withoutRunKey = StandardAccount(false, true);
  EXPECT_TRUE(RemoveRunValue(withoutRunKey, "C:\\Tools\\qvuser.exe")) << "no Run key: no failure";
  entries = StandardAccount();
  ASSERT_TRUE(AddRunValue(entries, "C:\\Tools\\qvuser.exe"));
  EXPECT_EQ(RunValue(L"qvuser"), "<missing>");
  EXPECT_EQ(RunValue(L"qvuser", HKEY_CURRENT_USER), "\"C:\\Tools\\qvuser.exe\"");
  EXPECT_TRUE(entries.HasRunValue("qvuser"));
  EXPECT_TRUE(RemoveRunValue(entries, "C:\\Tools\\qvuser.exe"));
  EXPECT_EQ(RunValue(L"qvuser", HKEY_CURRENT_USER), "<missing>");
  EXPECT_FALSE(entries.HasRunValue("qvuser"));
}

TEST(RunEntry, OnlyWhatCannotBeDoneAnywhereIsReported) {
  RegistryRunEntries administrator;
  ASSERT_TRUE(AddRunValue(administrator, "C:\\Tools\\qvadmin.exe"));
  RegistryRunEntries user = StandardAccount();
  EXPECT_FALSE(RemoveRunValue(user, "C:\\Tools\\qvadmin.exe"))
      << "an existing machine-wide entry stays";
  EXPECT_EQ(RunValue(L"qvadmin"), "\"C:\\Tools\\qvadmin.exe\"");
  EXPECT_TRUE(RemoveRunValue(administrator, "C:\\Tools\\qvadmin.exe"));
  RegistryRunEntries locked = StandardAccount(true);
  EXPECT_FALSE(AddRunValue(locked, "C:\\Tools\\qvnone.exe"));
  EXPECT_EQ(RunValue(L"qvnone", HKEY_CURRENT_USER), "<missing>");
  // A key that cannot be opened at all (an invalid root stands in for one).
  const HKEY invalid = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
  RegistryRunEntries unwritable(invalid, invalid);
  EXPECT_FALSE(AddRunValue(unwritable, "C:\\Tools\\qvtest.exe"));
  EXPECT_FALSE(RemoveRunValue(unwritable, "C:\\Tools\\qvtest.exe"));
}

TEST(ProgramDialog, OpensBesideTheCurrentProgramElseInProgramFiles) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(ProgramDialogFolder(std::string(windows) + "\\notepad.exe"), windows);
  char programs[MAX_PATH];
  GetEnvironmentVariableA("ProgramFiles", programs, MAX_PATH);
  EXPECT_EQ(ProgramDialogFolder("(none)"), programs);
  EXPECT_EQ(ProgramDialogFolder("C:\\no such folder\\x.exe"), programs);
}

TEST(Instance, TheSecondTestFindsTheFirst) {
  EXPECT_FALSE(PreviousInstanceRunning());
  EXPECT_TRUE(PreviousInstanceRunning());
}

std::string TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return Utf8(temp);
}

bool SamePath(const std::string& a, const std::string& b) {
  return lstrcmpiW(Wide(a).c_str(), Wide(b).c_str()) == 0;
}

// Which file ran, as the marker program reports it ("" when none ran in time).
std::string StartedFile(const std::function<bool()>& start) {
  const std::wstring report = Wide(TempFolder() + "qv-started.txt");
  DeleteFileW(report.c_str());
  if (!start()) return "";
  for (int i = 0; i < 100; ++i, Sleep(50)) {
    HANDLE in = CreateFileW(report.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE) continue;
    char text[4 * MAX_PATH] = {};
    DWORD read = 0;
    ReadFile(in, text, sizeof text - 1, &read, nullptr);
    CloseHandle(in);
    if (read > 0) return std::string(text, read);
  }
  return "";
}

std::string StartedFile(const std::string& path) {
  return StartedFile(
      [&] { return StartProgramFile(path, static_cast<WindowStyle>(SW_SHOWNORMAL)); });
}

std::string Marker() {
  std::string marker = "Z:" QV_STARTED_MARKER;
  for (char& c : marker) c = c == '/' ? '\\' : c;
  return marker;
}

bool CopyMarker(const std::string& to) {
  return CopyFileW(Wide(Marker()).c_str(), Wide(to).c_str(), FALSE) != FALSE;
}

// Any name in any script: exactly that file starts, never a file where a start split at
// a space would land, and nothing for a folder or a missing file.
TEST(StartProgramFile, StartsExactlyTheFileOrNothing) {
  const std::string temp = TempFolder();
  const std::string folder = temp + "qv test & more";
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  // What a start split at its first space would run instead of "qv test & more\...".
  ASSERT_TRUE(CopyMarker(temp + "qv.exe"));
  for (const char* name :
       {"my program.exe", "semi;colon & amp.exe", "caret^per%cent%.exe",
        "\xC3\xA9t\xC3\xA9 (copy).exe", "\xE7\xA8\x8B\xE5\xBA\x8F.exe",
        "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xF0\x9F\x98\x80.exe"}) {
    const std::string copy = folder + "\\" + name;
    ASSERT_TRUE(CopyMarker(copy)) << name;
    EXPECT_TRUE(SamePath(StartedFile(copy), copy)) << name;
  }
  EXPECT_EQ(StartedFile(folder + "\\missing.exe"), "");
  EXPECT_EQ(StartedFile(folder), "");
  EXPECT_EQ(StartedFile(""), "");
}

// The start-at-logon value runs as Windows runs it at logon, as a command line: with a
// C:\Program.exe planted, QV's own program still starts, not the planted one.
TEST(RunEntry, TheLogonLineStartsQVWhateverLiesAtTheFirstSpace) {
  const std::string folder = "C:\\Program Files\\QV logon test";
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  ASSERT_TRUE(CopyMarker(folder + "\\qvlogon.exe"));
  ASSERT_TRUE(CopyMarker("C:\\Program.exe"));
  RegistryRunEntries entries(HKEY_CURRENT_USER, HKEY_CURRENT_USER);
  ASSERT_TRUE(AddRunValue(entries, folder + "\\qvlogon.exe"));
  std::wstring line = Wide(RunValue(L"qvlogon", HKEY_CURRENT_USER));
  const std::string started = StartedFile([&] {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
      return false;
    CloseHandle(process.hThread), CloseHandle(process.hProcess);
    return true;
  });
  EXPECT_TRUE(SamePath(started, folder + "\\qvlogon.exe")) << started;
  // A value an earlier build wrote, unquoted, is still QV's: found and removed by name.
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"qvlogon", REG_SZ, L"C:\\Old\\qvlogon.exe", 40);
  EXPECT_TRUE(entries.HasRunValue("qvlogon"));
  EXPECT_TRUE(RemoveRunValue(entries, folder + "\\qvlogon.exe"));
  EXPECT_EQ(RunValue(L"qvlogon", HKEY_CURRENT_USER), "<missing>");
  DeleteFileW(L"C:\\Program.exe");
}

// The built-in tools start from the system folder alone: a program of the same name in
// the current folder or on the PATH never runs, and a tool this Windows lacks (wine has
// no calculator, no disk check and no Optimize Drives) starts nothing.
TEST(BuiltInTools, StartOnlyFromTheSystemFolder) {
  const std::string planted = TempFolder() + "planted tools";
  CreateDirectoryW(Wide(planted).c_str(), nullptr);
  for (const char* name : {"calc.exe", "scandisk.exe", "defrag.exe", "dfrgui.exe", "chkdsk.exe"})
    ASSERT_TRUE(CopyMarker(planted + "\\" + name));
  wchar_t oldFolder[MAX_PATH], oldPath[32767];
  GetCurrentDirectoryW(MAX_PATH, oldFolder);
  GetEnvironmentVariableW(L"PATH", oldPath, 32767);
  SetCurrentDirectoryW(Wide(planted).c_str());
  SetEnvironmentVariableW(L"PATH", (Wide(planted) + L";" + oldPath).c_str());
  // Started last, the marker at its own path reports itself, unless a planted one ran.
  const std::string sentinel = TempFolder() + "qv sentinel.exe";
  ASSERT_TRUE(CopyMarker(sentinel));
  Win32Platform platform;
  const std::string started = StartedFile([&] {
    for (const char* command : {"calc.exe", "scandisk", "defrag"})
      platform.StartBuiltIn(command, WindowStyle::NormalFocus);
    return StartProgramFile(sentinel, WindowStyle::NormalFocus);
  });
  EXPECT_TRUE(SamePath(started, sentinel)) << started << " ran";
  SetCurrentDirectoryW(oldFolder);
  SetEnvironmentVariableW(L"PATH", oldPath);

  const std::string system = "C:\\Windows\\system32";
  auto line = [&](const char* command, std::set<std::string> present) {
    return BuiltInToolLine(command, system, [&](const std::string& path) {
      return present.count(path.substr(system.size() + 1)) > 0;
    });
  };
  EXPECT_EQ(line("calc.exe", {"calc.exe"}), "\"" + system + "\\calc.exe\"");
  EXPECT_EQ(line("defrag", {"dfrgui.exe"}), "\"" + system + "\\dfrgui.exe\"");
  EXPECT_EQ(line("scandisk", {"cmd.exe", "chkdsk.exe"}),
            "\"" + system + "\\cmd.exe\" /k \"" + system + "\\chkdsk.exe\"");
  EXPECT_EQ(line("winipcfg", {"control.exe", "ncpa.cpl", "cmd.exe", "ipconfig.exe"}),
            "\"" + system + "\\control.exe\" ncpa.cpl");
  EXPECT_EQ(line("winipcfg", {"cmd.exe", "ipconfig.exe"}),
            "\"" + system + "\\cmd.exe\" /k \"" + system + "\\ipconfig.exe\" /all");
  EXPECT_EQ(line("scandisk", {"cmd.exe"}), "") << "no disk check: nothing";
  EXPECT_EQ(line("defrag", {}), "");
}

}  // namespace
}  // namespace qv

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
