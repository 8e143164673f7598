// The tray icon of the Qt backend and the notice given when the desktop has no tray.
#include "platform/qt/qt_tray.h"

#include <cstdio>

#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_widgets.h"

namespace qv {

const char* const kNoTrayNotice =
    "There is no notification area on this desktop, so QV's icon cannot be shown. "
    "It will appear as soon as a panel with a notification area starts.";

QtTray::QtTray(TrayEvents& events, std::function<TrayKind()> probe, int noHostAfterMs)
    : events_(events),
      watch_(std::move(probe), {[this](TrayKind kind) { Make(kind); }, [this] { TellNoTray(); }},
             noHostAfterMs) {}

QtTray::~QtTray() {
  if (notice_) notice_->close();
}

void QtTray::SetIcon(const std::string& asset) {
  picture_ = AssetIcon(asset);
  if (icon_) icon_->setIcon(picture_);
}

void QtTray::SetTooltip(const std::string& text) {
  tooltip_ = QString::fromUtf8(text.c_str());
  if (icon_) icon_->setToolTip(tooltip_);
}

void QtTray::SetMenu(const std::vector<TrayMenuEntry>& entries) {
  entries_ = entries;
  if (hostMenu_) FillHostMenu();
}

// Hosts read the menu when it is exported and at every change, never asking QV first: its
// opening is no click (GNOME Shell reads it as the item registers), only a choice is.
void QtTray::FillHostMenu() {
  hostMenu_->clear();
  for (std::size_t entry = 0; entry < entries_.size(); ++entry) {
    if (entries_[entry].text.empty()) continue;
    if (entries_[entry].startsGroup && !hostMenu_->isEmpty()) hostMenu_->addSeparator();
    QAction* action = hostMenu_->addAction(QString::fromStdString(entries_[entry].text));
    QObject::connect(action, &QAction::triggered,
                     [this, entry] { events_.OnTrayMenuChoice(static_cast<int>(entry)); });
  }
}

void QtTray::Add() {
  wanted_ = true;
  if (icon_)
    icon_->show();
  else
    watch_.Start();
}

void QtTray::Remove() {
  wanted_ = false;
  if (icon_) icon_->hide();
}

void QtTray::Make(TrayKind kind) {
  icon_ = std::make_unique<QSystemTrayIcon>(picture_);
  icon_->setToolTip(tooltip_);
  QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                   [this](auto reason) { events_.OnTrayMessage(TrayMessageFor(reason)); });
  if (kind == TrayKind::StatusNotifier) {
    hostMenu_ = std::make_unique<QMenu>();
    FillHostMenu();
    icon_->setContextMenu(hostMenu_.get());
  }
  if (onMade) onMade(icon_.get());
  if (wanted_) icon_->show();
  if (notice_) notice_->close();
}

// Non-modal: QV goes on waiting, and closes the notice itself when a tray comes.
void QtTray::TellNoTray() {
  std::fprintf(stderr, "qv: %s\n", kNoTrayNotice);
  notice_ = new QMessageBox(QMessageBox::Information, "QV", kNoTrayNotice, QMessageBox::Ok);
  notice_->setObjectName("NoTrayNotice");
  notice_->setAttribute(Qt::WA_DeleteOnClose);
  notice_->show();
}

}  // namespace qv
