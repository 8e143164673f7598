// QV's icon in the notification area, made once a tray of either kind is there (see
// tray_host.h). On a D-Bus tray, hosts draw the item's menu themselves on a right click
// and send no click: the item exports the menu's entries, and a chosen one acts as in QV's
// own menu.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/tray_host.h"

namespace qv {

// How long QV waits for a notification area before it says there is none.
constexpr int kNoTrayNoticeMs = 6000;

// The line QV prints, and shows in a message box, when there is no notification area.
extern const char* const kNoTrayNotice;

class QtTray final : public TrayIcon {
 public:
  QtTray(TrayEvents& events, std::function<TrayKind()> probe = PresentTrayKind,
         int noHostAfterMs = kNoTrayNoticeMs);
  ~QtTray() override;

  void SetIcon(const std::string& asset) override;
  void SetTooltip(const std::string& text) override;
  void Add() override;
  void Remove() override;
  void SetMenu(const std::vector<TrayMenuEntry>& entries) override;

  QSystemTrayIcon* Icon() const { return icon_.get(); }  // none until a tray is there
  QMessageBox* Notice() const { return notice_; }        // while the notice is open
  std::function<void(QSystemTrayIcon*)> onMade;

 private:
  void Make(TrayKind kind);
  void TellNoTray();
  void FillHostMenu();

  TrayEvents& events_;
  QIcon picture_;
  QString tooltip_;
  bool wanted_ = false;
  std::vector<TrayMenuEntry> entries_;
  std::unique_ptr<QMenu> hostMenu_;
  std::unique_ptr<QSystemTrayIcon> icon_;
  TrayHostWatch watch_;
  QPointer<QMessageBox> notice_;
};

}  // namespace qv
