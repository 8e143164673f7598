// Waiting for a notification area. Qt picks its tray protocol once, when the first icon
// is made: made before any panel is up, the icon is tied to the XEmbed protocol and
// never shows on a panel that only hosts StatusNotifierItems. So QV's icon is made when a
// tray of either kind is there; until then the watch asks every quarter second, and
// after some seconds without one it says so, once.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace qv {

enum class TrayKind { None, XEmbed, StatusNotifier };

// Which kind of notification area the desktop has now; a D-Bus host comes first, as Qt
// would choose it.
TrayKind PresentTrayKind();

class TrayHostWatch final : public QObject {
 public:
  struct Reactions {
    std::function<void(TrayKind)> onHost;  // once, when the first tray is found
    std::function<void()> onNoHost;        // once, when none is found in time
  };
  // `probe` tells what tray the desktop has; PresentTrayKind outside tests.
  TrayHostWatch(std::function<TrayKind()> probe, Reactions reactions, int noHostAfterMs);
  void Start();

 private:
  void Look();

  std::function<TrayKind()> probe_;
  Reactions reactions_;
  QTimer poll_;
  QTimer patience_;
};

}  // namespace qv
