"""A StatusNotifierItem watcher and host on the session bus, as a D-Bus-only panel has.

serve: owns org.kde.StatusNotifierWatcher with a host registered, and runs until killed.
wait-item: waits up to ten seconds for an item to register; prints its service.
activate: a left click on the registered item (Activate).
read-menu: what a host does as an item registers or on a right click: reads the item's
    D-Bus menu (GetLayout, AboutToShow).
"""
import sys
import time

import dbus

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
INTROSPECTION = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/>
   <arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
</node>"""


def serve():
    import dbus.service
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()

    class Watcher(dbus.service.Object):
        def __init__(self):
            super().__init__(bus, "/StatusNotifierWatcher")
            self.items = []

        @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
        def RegisterStatusNotifierItem(self, service, sender=None):
            path = service if service.startswith("/") else "/StatusNotifierItem"
            name = sender if service.startswith("/") else service
            self.items.append(f"{name}{path}")
            self.StatusNotifierItemRegistered(self.items[-1])

        @dbus.service.method(WATCHER, in_signature="s")
        def RegisterStatusNotifierHost(self, service):
            pass

        @dbus.service.signal(WATCHER, signature="s")
        def StatusNotifierItemRegistered(self, item):
            pass

        # Qt reads the properties through an interface built from the introspection.
        @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
        def Introspect(self):
            return INTROSPECTION

        @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
        def Get(self, interface, name):
            return self.GetAll(interface)[name]

        @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
        def GetAll(self, interface):
            return {
                "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": True,
                "ProtocolVersion": dbus.Int32(0),
            }

    watcher = Watcher()
    name = dbus.service.BusName(WATCHER, bus)  # owned while referenced
    GLib.MainLoop().run()
    del watcher, name


def registered_item(bus):
    watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
    items = watcher.Get(WATCHER, "RegisteredStatusNotifierItems",
                        dbus_interface=dbus.PROPERTIES_IFACE)
    if not items:
        return None
    service, _, path = str(items[-1]).partition("/")
    return bus.get_object(service.rstrip("@"), "/" + path)  # GNOME Shell's: ":1.10@/path"


def wait_item():
    bus = dbus.SessionBus()
    for _ in range(100):
        try:
            item = registered_item(bus)
        except dbus.DBusException:
            item = None
        if item is not None:
            print(item.bus_name)
            return
        time.sleep(0.1)
    sys.exit("no item registered")


def activate():
    registered_item(dbus.SessionBus()).Activate(10, 10, dbus_interface=ITEM)


def item_menu():
    bus = dbus.SessionBus()
    item = registered_item(bus)
    path = item.Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
    return bus.get_object(item.bus_name, path)


def read_menu():
    menu = item_menu()
    menu.GetLayout(0, -1, [], dbus_interface=MENU)
    menu.AboutToShow(0, dbus_interface=MENU)


if __name__ == "__main__":
    {"serve": serve, "wait-item": wait_item, "activate": activate,
     "read-menu": read_menu}[sys.argv[1]]()
