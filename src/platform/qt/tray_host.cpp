// Finding the notification area: the owner of the X selection _NET_SYSTEM_TRAY_S<n> is
// an XEmbed tray; a StatusNotifierWatcher on the session bus with a host registered is
// a D-Bus one.
#include "platform/qt/tray_host.h"

#include <xcb/xcb.h>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>

namespace qv {
namespace {

constexpr int kPollMs = 250;

bool StatusNotifierHostPresent() {
  const QString watcher = "org.kde.StatusNotifierWatcher";
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcher)) return false;
  // Asked plainly: a watcher need not describe its properties in its introspection.
  QDBusMessage get = QDBusMessage::createMethodCall(watcher, "/StatusNotifierWatcher",
                                                    "org.freedesktop.DBus.Properties", "Get");
  get << watcher << "IsStatusNotifierHostRegistered";
  const QDBusMessage reply = bus.call(get, QDBus::Block, 500);
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
         reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

bool XEmbedTrayPresent() {
  if (QGuiApplication::platformName() != "xcb") return false;
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return false;
  int screen = 0;
  char* host = nullptr;
  int display = 0;
  if (xcb_parse_display(nullptr, &host, &display, &screen)) free(host);  // from $DISPLAY
  const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, name.size(), name.constData()), nullptr);
  if (!atom) return false;
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
  const bool present = atom->atom != XCB_ATOM_NONE && owner && owner->owner != XCB_WINDOW_NONE;
  free(owner);
  free(atom);
  return present;
}

}  // namespace

TrayKind PresentTrayKind() {
  if (StatusNotifierHostPresent()) return TrayKind::StatusNotifier;
  if (XEmbedTrayPresent()) return TrayKind::XEmbed;
  return TrayKind::None;
}

TrayHostWatch::TrayHostWatch(std::function<TrayKind()> probe, Reactions reactions,
                             int noHostAfterMs)
    : probe_(std::move(probe)), reactions_(std::move(reactions)) {
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &TrayHostWatch::Look);
  patience_.setSingleShot(true);
  patience_.setInterval(noHostAfterMs);
  connect(&patience_, &QTimer::timeout, this, [this] {
    if (reactions_.onNoHost) reactions_.onNoHost();
  });
}

void TrayHostWatch::Start() {
  if (poll_.isActive()) return;
  patience_.start();
  poll_.start();
  Look();
}

void TrayHostWatch::Look() {
  const TrayKind kind = probe_();
  if (kind == TrayKind::None) return;
  poll_.stop();
  patience_.stop();
  if (reactions_.onHost) reactions_.onHost(kind);
}

}  // namespace qv
