// The Qt backend on the offscreen platform: controls at the right pixel places, flags,
// colours after real mouse events, repaints, and the mappings of tray codes, message
// box styles and system colours.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QAbstractProxyModel>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <fstream>

#include "app/app.h"
#include "menu/menu_window.h"
#include "platform/qt/program_dialog.h"
#include "platform/qt/qt_colours.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_tray.h"
#include "platform/qt/qt_window.h"
#include "settings/codec.h"
#include "temp_folder.h"
#include "windows/password/password_prompt.h"
#include "windows/settings/settings_window.h"

namespace qv {
namespace {

QtPlatform* platform = nullptr;

template <class T = QWidget>
T* Child(QWidget* top, const char* name) {
  T* child = top->findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

void MoveMouseOver(QWidget* widget) {
  const QPointF inside(3, 3);
  QMouseEvent move(QEvent::MouseMove, inside, widget->mapToGlobal(inside), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

// A press inside the widget and a release where given (inside too, unless told).
void ClickOn(QWidget* widget, QPointF releaseAt = {3, 3}) {
  const QPointF inside(3, 3);
  QMouseEvent press(QEvent::MouseButtonPress, inside, widget->mapToGlobal(inside), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, releaseAt, widget->mapToGlobal(releaseAt),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

class QtBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Each test starts without settings or autostart entries.
    for (const auto& made : std::filesystem::directory_iterator(std::getenv("XDG_CONFIG_HOME")))
      std::filesystem::remove_all(made);
    platform->Store().Write("qv", "qv", "show", "no");
    app = std::make_unique<App>(*platform);
    app->Load<MenuWindow>();
  }
  void TearDown() override {
    app.reset();
    QApplication::processEvents();
  }
  QWidget* MenuTop() { return static_cast<QtWindow&>(app->menu().window()).Top(); }

  TempFolder home;
  std::unique_ptr<App> app;
};

// Laid out in pixels, frameless and out of the taskbar; a tray click shows it topmost (in
// the corner: e2e.menu).
TEST_F(QtBackendTest, TheMenuIsLaidOutInPixelsAndShownInTheCorner) {
  QWidget* top = MenuTop();
  EXPECT_EQ(top->font().pixelSize(), 10) << "the windows' own narrow font";
  EXPECT_NE(QApplication::font().pixelSize(), 10) << "dialogs and message boxes keep the desktop's";
  EXPECT_EQ(top->size(), QSize(151, 256));
  EXPECT_TRUE(top->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(top->windowFlags() & Qt::WindowType_Mask, Qt::Tool) << "not in the taskbar";
  EXPECT_EQ(Child(top, "menu1(11)")->geometry(), QRect(24, 0, 129, 17));
  EXPECT_EQ(Child(top, "menu1(5)")->geometry(), QRect(24, 96, 129, 17));
  EXPECT_EQ(Child(top, "menu1(4)")->geometry(), QRect(24, 120, 129, 17));
  EXPECT_EQ(Child(top, "Closer(1)")->geometry(), QRect(24, 240, 129, 17));
  EXPECT_EQ(Child(top, "Image1")->geometry(), QRect(0, 0, 30, 257));
  EXPECT_EQ(static_cast<LabelWidget*>(Child(top, "Closer(2)"))->Text(), "Settings");
  EXPECT_TRUE(Child(top, "menu1(0)")->font().bold());
  EXPECT_EQ(Child(top, "menu1(0)")->font().pixelSize(), 13);

  app->menu().OnTrayMessage(TrayMessage::LeftButtonUp);
  EXPECT_TRUE(top->isVisible());
  EXPECT_TRUE(top->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST_F(QtBackendTest, MouseMovesColourTheLabelsAndRepaintOnlyWhatChanged) {
  app->menu().OnTrayMessage(TrayMessage::LeftButtonUp);
  QApplication::processEvents();
  QWidget* top = MenuTop();
  auto* row3 = Child<LabelWidget>(top, "menu1(3)");
  auto* row4 = Child<LabelWidget>(top, "menu1(4)");
  MoveMouseOver(row3);
  EXPECT_EQ(row3->Back(), QColor(0xE0, 0xE0, 0xE0));
  EXPECT_EQ(row4->Back(), QColor(Qt::white));
  QApplication::processEvents();
  auto paints = [&] {
    int total = 0;
    for (QWidget* widget : top->findChildren<QWidget*>())
      if (auto* label = dynamic_cast<LabelWidget*>(widget)) total += label->Paints();
    return total;
  };
  const int before = paints();
  MoveMouseOver(row3);
  QApplication::processEvents();
  EXPECT_EQ(paints(), before) << "nothing changed, nothing repainted";
  MoveMouseOver(row4);
  QApplication::processEvents();
  EXPECT_EQ(paints(), before + 2) << "the old and the new highlight only";
  MoveMouseOver(top);
  EXPECT_EQ(row4->Back(), QColor(Qt::white));
}

// The session manager's "die" reaches QV as the application's Quit: QV unloads its
// windows as the session's and ends (Qt's own handling would ask the windows, which
// refuse). Run in a child process, since QV ends.
TEST_F(QtBackendTest, TheSessionsEndEndsQV) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto settings = app->Load<SettingsWindow>();
  settings->window().Show();
  EXPECT_EXIT(
      {
        QEvent quit(QEvent::Quit);
        QApplication::sendEvent(qApp, &quit);
        QTimer::singleShot(3000, [] { std::_Exit(2); });  // still running: the fault
        std::_Exit(platform->Exec() == 0 && !app->IsLoaded(*settings) ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// A click is a press and a release on the same label; releasing elsewhere cancels it.
TEST_F(QtBackendTest, ALabelClickRunsTheCommandAndReleasingOutsideCancelsIt) {
  app->menu().OnTrayMessage(TrayMessage::RightButtonUp);
  QWidget* hide = Child(MenuTop(), "Closer(0)");
  ClickOn(hide, {3, 40});  // released below the label
  EXPECT_TRUE(MenuTop()->isVisible());
  ClickOn(hide);
  EXPECT_FALSE(MenuTop()->isVisible());
}

// A slot's program is started as exactly the file named, spaces and all.
// A slot that cannot start shows nothing, but leaves one line on standard error (the
// journal) naming the path and why.
TEST_F(QtBackendTest, ASlotThatCannotStartSaysWhyOnStandardError) {
  const std::string plain = home / "plain file";
  std::ofstream(plain) << "not a program";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {home / "missing", "there is no such file"},
      {home.path, "it is a folder"},
      {plain, "it is not executable"}};
  for (const auto& [path, why] : cases) {
    testing::internal::CaptureStderr();
    platform->StartFile(path, WindowStyle::NormalFocus);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "qv: could not start \"" + path + "\": " + why + "\n");
  }
}

TEST_F(QtBackendTest, TheSettingsWindowBuildsItsControls) {
  auto settings = app->Load<SettingsWindow>();
  QWidget* top = static_cast<QtWindow&>(settings->window()).Top();
  EXPECT_EQ(top->size(), QSize(420, 299));
  EXPECT_EQ(top->windowFlags() & Qt::WindowType_Mask, Qt::Window) << "in the taskbar";
  EXPECT_EQ(Child(top, "Frame2")->geometry(), QRect(32, 96, 385, 201));
  EXPECT_EQ(Child(top, "prog(0)")->geometry(), QRect(24, 32, 185, 19)) << "relative to the frame";
  EXPECT_EQ(Child(top, "prog(0)")->parentWidget(), Child(top, "Frame2"));
  auto* password = Child<QLineEdit>(top, "Passwd(0)");
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter), '#');
  EXPECT_EQ(password->text(), "(none)");
  EXPECT_TRUE(Child<QLineEdit>(top, "prog(3)")->isReadOnly());
  EXPECT_EQ(Child<QGroupBox>(top, "Frame1")->palette().color(QPalette::Window), QColor(Qt::white));
  // Ticking the switch by code runs its click handling, as the user's click does: the
  // boxes follow, and a shown window's keys go to the first box.
  auto* passwordSwitch = Child<QCheckBox>(top, "Check1");
  EXPECT_FALSE(password->isEnabled());
  settings->window().SetValue(settings->layout().Find("Check1"), 1);
  EXPECT_TRUE(passwordSwitch->isChecked());
  EXPECT_TRUE(password->isEnabled());
  settings->window().Show();
  EXPECT_EQ(top->focusWidget(), password);
  passwordSwitch->click();
  EXPECT_FALSE(password->isEnabled());
  EXPECT_EQ(settings->window().Value(settings->layout().Find("Check1")), 0);
  settings->window().Close();
}

// Boxes keep what they were given byte for byte until the user changes them (a file name
// that is not UTF-8 stays startable through Ok), and menu texts hold ten characters as the
// user sees them: an emoji is one, and none is ever cut in half.
TEST_F(QtBackendTest, TheSettingsWindowKeepsBytesAndWholeCharacters) {
  const std::string oldDiskPath = "/opt/caf\xE9/run", title = "123456789\xF0\x9F\x98\x80";
  WriteSlot(platform->Store(), app->keys().a, SlotField::Program, 1, oldDiskPath);
  WriteSlot(platform->Store(), app->keys().a, SlotField::Title, 1, title);
  auto settings = app->Load<SettingsWindow>();
  QWidget* top = static_cast<QtWindow&>(settings->window()).Top();
  EXPECT_EQ(Child<QLineEdit>(top, "title(0)")->text(), QString::fromUtf8(title.c_str()));
  settings->Sett_Click(SettingsWindow::kOk);
  EXPECT_EQ(ReadSlot(platform->Store(), app->keys().a, SlotField::Program, 1, ""), oldDiskPath);
  EXPECT_EQ(ReadSlot(platform->Store(), app->keys().a, SlotField::Title, 1, ""), title);

  settings = app->Load<SettingsWindow>();
  auto* box = Child<QLineEdit>(static_cast<QtWindow&>(settings->window()).Top(), "title(1)");
  box->clear();
  for (int i = 0; i < 12; ++i) box->insert(QString::fromUtf8("\xF0\x9F\x98\x80"));
  std::string tenEmoji;
  for (int i = 0; i < 10; ++i) tenEmoji += "\xF0\x9F\x98\x80";
  EXPECT_EQ(settings->window().Text(settings->layout().Find("title", 1)), tenEmoji);
  settings->window().SetText(settings->layout().Find("title", 1), tenEmoji + "x");
  EXPECT_EQ(settings->window().Text(settings->layout().Find("title", 1)), tenEmoji);
  settings->window().Close();
}

// On a dark desktop theme QV's windows keep their own light scheme, text dark on their
// light backgrounds, while the file dialog follows the desktop.
TEST_F(QtBackendTest, TheWindowsKeepTheirLightSchemeOnADarkDesktop) {
  const QPalette desktop = QApplication::palette();
  QPalette dark(QColor(0x35, 0x35, 0x35));
  for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    dark.setColor(text, QColor(0xEE, 0xEE, 0xEE));
  dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
  QApplication::setPalette(dark);
  auto settings = app->Load<SettingsWindow>();
  QWidget* top = static_cast<QtWindow&>(settings->window()).Top();
  for (const char* name : {"Frame1", "Frame2", "Check2", "Label3", "Sett(0)", "Label4(0)"})
    EXPECT_EQ(Child(top, name)->palette().color(QPalette::WindowText), QColor(Qt::black)) << name;
  EXPECT_EQ(Child(top, "Sett(0)")->palette().color(QPalette::Text), QColor(Qt::black));
  EXPECT_EQ(Child(top, "title(0)")->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(Child(top, "title(0)")->palette().color(QPalette::Text), QColor(Qt::black));
  EXPECT_EQ(top->palette().color(QPalette::Window).lightness(), 255) << "a white window";
  settings->window().Show();
  QApplication::setActiveWindow(top);  // the picker's owner
  ASSERT_EQ(QApplication::activeWindow(), top);
  QColor picker;
  QTimer::singleShot(0, [&] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      picker = dialog->palette().color(QPalette::Window);
      dialog->reject();
    }
  });
  EXPECT_EQ(platform->OpenFileDialog({"Pick", "Programs", "*", ""}), std::nullopt);
  EXPECT_EQ(picker, dark.color(QPalette::Window)) << "the picker follows the desktop";
  settings->window().Close();
  QApplication::setPalette(desktop);
}

QAccessibleInterface* Accessible(QWidget* top, const char* name) {
  return QAccessible::queryAccessibleInterface(Child(top, name));
}

// Screen readers meet labels as menu items and buttons, boxes named for what they hold,
// and nothing of the hidden password (names and the press action: e2e.accessibility).
TEST_F(QtBackendTest, ScreenReadersSeeNamesRolesAndPressActions) {
  app->menu().OnTrayMessage(TrayMessage::LeftButtonUp);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(MenuTop())->role(), QAccessible::PopupMenu);
  EXPECT_EQ(Accessible(MenuTop(), "Closer(0)")->role(), QAccessible::MenuItem);
  EXPECT_FALSE(Accessible(MenuTop(), "Closer(0)")->state().focusable) << "labels take no focus";

  auto settings = app->Load<SettingsWindow>();
  QWidget* top = static_cast<QtWindow&>(settings->window()).Top();
  EXPECT_EQ(Accessible(top, "Sett(1)")->role(), QAccessible::PushButton);
  EXPECT_EQ(Accessible(top, "Sett(1)")->text(QAccessible::Name), "Cancel");
  EXPECT_EQ(Accessible(top, "title(2)")->text(QAccessible::Name), "Menu text of slot 3");
  EXPECT_EQ(Accessible(top, "Check2")->text(QAccessible::Name), "Start QV With Windows");
  EXPECT_EQ(Accessible(top, "Label3")->role(), QAccessible::StaticText);
  settings->window().Close();

  auto prompt = app->Load<PasswordPrompt>();
  const int hidden = prompt->layout().Find("Text1");
  prompt->window().SetText(hidden, "secret");
  QWidget* box = static_cast<QtWindow&>(prompt->window()).Control(hidden);
  EXPECT_FALSE(
      QAccessible::queryAccessibleInterface(box)->text(QAccessible::Value).contains("secret"));
  prompt->window().Close();
}

void RunEventsFor(int ms) {
  platform->RunEventsUntil(platform->Now() + ms / 1000.0);
}

struct TrayMessages final : TrayEvents {
  void OnTrayMessage(TrayMessage message) override { heard.push_back(message); }
  void OnExitRequest() override {}
  void OnTrayMenuChoice(int entry) override { chosen.push_back(entry); }
  std::vector<TrayMessage> heard;
  std::vector<int> chosen;
};

std::vector<std::string> TextsOf(const QMenu& menu) {
  std::vector<std::string> texts;
  for (const QAction* action : menu.actions())
    texts.push_back(action->isSeparator() ? "--" : action->text().toStdString());
  return texts;
}

// The icon is made only once a tray is there, of the kind found; without one, QV says
// so once after a while, on standard error and in a notice it takes back when a tray
// comes. On a D-Bus tray the item exports the entries it was given, blank ones left out;
// the host's reading of that menu is no click, choosing an entry is that entry's choice.
TEST(QtTray, WaitsForATrayAndSaysOnceWhenThereIsNone) {
  TrayKind present = TrayKind::None;
  TrayMessages events;
  QtTray tray(
      events, [&] { return present; }, 100);
  tray.SetIcon("qv");
  tray.SetMenu({{""}, {"Mail", true}, {"Notepad", true}, {"Exit Velmora", true}});
  ::testing::internal::CaptureStderr();
  tray.Add();
  EXPECT_EQ(tray.Icon(), nullptr);
  RunEventsFor(700);
  const std::string printed = ::testing::internal::GetCapturedStderr();
  const std::string line = std::string("qv: ") + kNoTrayNotice + "\n";
  const std::size_t first = printed.find(line);
  EXPECT_NE(first, std::string::npos);
  EXPECT_EQ(printed.find(line, first + 1), std::string::npos) << "said once";
  ASSERT_NE(tray.Notice(), nullptr);
  EXPECT_EQ(tray.Notice()->windowTitle(), "QV");
  EXPECT_TRUE(tray.Notice()->isVisible());
  EXPECT_EQ(tray.Icon(), nullptr);

  present = TrayKind::StatusNotifier;
  RunEventsFor(400);
  ASSERT_NE(tray.Icon(), nullptr);
  EXPECT_EQ(tray.Notice(), nullptr) << "the notice goes when the tray comes";
  QMenu* exported = tray.Icon()->contextMenu();
  ASSERT_NE(exported, nullptr);
  EXPECT_EQ(TextsOf(*exported),
            (std::vector<std::string>{"Mail", "--", "Notepad", "--", "Exit Velmora"}));
  emit exported->aboutToShow();
  EXPECT_TRUE(events.heard.empty()) << "GNOME Shell reads the menu as the item registers";
  exported->actions().back()->trigger();
  EXPECT_EQ(events.chosen, std::vector<int>{3});
  tray.SetMenu({{"Post"}});
  EXPECT_EQ(TextsOf(*exported), std::vector<std::string>{"Post"}) << "changes reach the host";
}

TEST(QtTray, AnXEmbedTrayGetsNoMenuOfItsOwn) {
  TrayMessages events;
  QtTray tray(
      events, [] { return TrayKind::XEmbed; }, 100);
  tray.Add();
  ASSERT_NE(tray.Icon(), nullptr);
  EXPECT_EQ(tray.Icon()->contextMenu(), nullptr) << "Qt would pop it up on a right click";
}

// Tray activations become button releases; the menu's keys (that the shown menu has the
// keyboard: e2e.menu's Home and Return, e2e.panels' Escape).
TEST(QtMappings, TrayActivationsAndKeys) {
  EXPECT_EQ(TrayMessageFor(QSystemTrayIcon::DoubleClick), TrayMessage::LeftButtonUp);
  EXPECT_EQ(TrayMessageFor(QSystemTrayIcon::Context), TrayMessage::RightButtonUp);
  EXPECT_EQ(KeyFor(Qt::Key_Enter), Key::Return);  // the keypad's
  EXPECT_EQ(KeyFor(Qt::Key_Down), Key::Down);
  EXPECT_EQ(KeyFor(Qt::Key_Tab), std::nullopt);
}

// The picker opens beside the slot's program (else in /usr/bin) and first lists programs
// only, the files the user may run; "All Files" lists every file.
TEST(QtProgramDialog, OpensBesideTheCurrentProgramAndListsProgramsFirst) {
  TempFolder folder;
  std::ofstream(folder / "tool") << "#!/bin/sh\n";
  std::filesystem::permissions(folder / "tool", std::filesystem::perms::owner_all);
  std::ofstream(folder / "notes.txt") << "text";
  FileDialogOptions options{"Select", "Supported Files", "*.exe;*.com;*.bat", folder / "tool"};
  auto dialog = MakeProgramDialog(options, nullptr);
  EXPECT_EQ(dialog->directory().absolutePath().toStdString(), folder.path);
  EXPECT_EQ(dialog->nameFilters(), QStringList({"Supported Files (*)", "All Files (*)"}));
  options.currentFile = "(none)";
  EXPECT_EQ(MakeProgramDialog(options, nullptr)->directory().absolutePath(), "/usr/bin");

  auto* shown = dialog->proxyModel();
  auto* files = static_cast<QFileSystemModel*>(shown->sourceModel());
  const QModelIndex root = files->index(QString::fromStdString(folder.path));
  for (int i = 0; i < 300 && files->rowCount(root) < 2; ++i) {
    QApplication::processEvents();
    usleep(10000);
  }
  auto names = [&] {
    QStringList list;
    const QModelIndex at = shown->mapFromSource(root);
    for (int row = 0; row < shown->rowCount(at); ++row)
      list << shown->index(row, 0, at).data().toString();
    list.sort();
    return list;
  };
  EXPECT_EQ(names(), QStringList({"tool"}));
  emit dialog->filterSelected("All Files (*)");
  EXPECT_EQ(names(), QStringList({"notes.txt", "tool"}));
}

// Trays ask for 16 to 64 pixels: each size has its own picture, not a scaled one.
TEST(QtIcons, TheTrayIconHasEverySizeDrawn) {
  const QIcon icon = AssetIcon("qv");
  for (int size : {16, 20, 22, 24, 32, 40, 48, 64}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_EQ(icon.pixmap(QSize(size, size)).toImage(),
              QImage(QString(":/assets/icons/qv-%1.png").arg(size))
                  .convertToFormat(icon.pixmap(QSize(size, size)).toImage().format()))
        << size;
  }
}

TEST(QtMappings, MessageStylesAndAnswers) {
  EXPECT_EQ(MessageLookFor(MessageStyle::OkOnly).buttons, QMessageBox::Ok);
  EXPECT_EQ(MessageLookFor(MessageStyle::OkOnly).icon, QMessageBox::NoIcon);
  EXPECT_EQ(MessageLookFor(MessageStyle::YesNoQuestion).buttons,
            QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(MessageLookFor(MessageStyle::YesNoQuestion).icon, QMessageBox::Question);
  EXPECT_EQ(AnswerFor(QMessageBox::Ok), Answer::Ok);
  EXPECT_EQ(AnswerFor(QMessageBox::Yes), Answer::Yes);
  EXPECT_EQ(AnswerFor(QMessageBox::No), Answer::No);
}

TEST(QtMappings, ColoursAndSystemColours) {
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Text, QColor(4, 5, 6));
  EXPECT_EQ(ToQColor(0x00E0C0A0, palette), QColor(0xA0, 0xC0, 0xE0)) << "red in the low byte";
  EXPECT_EQ(ToQColor(0x80000005, palette), QColor(1, 2, 3));
  EXPECT_EQ(ToQColor(0x80000008, palette), QColor(4, 5, 6));
  EXPECT_EQ(RoleForSystemColour(15), QPalette::Button);
}

}  // namespace
}  // namespace qv

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // no display needed
  // The settings and autostart entries the platform makes live here, never the user's.
  qv::TempFolder config;
  setenv("XDG_CONFIG_HOME", config.path.c_str(), 1);
  qv::QtPlatform qt(argc, argv);
  qv::platform = &qt;
  return RUN_ALL_TESTS();
}
