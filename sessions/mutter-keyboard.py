#!/usr/bin/python3
# A headless mutter's seat has no keyboard, so no Wayland window can take the focus or copy.
# A remote-desktop session gives it one; mutter drops that session when this client goes, so
# it stays connected until its standard input ends. Each line "press" on standard input
# presses and releases Shift, as a user's key press before copying would, and is answered
# with "pressed".
import sys

import dbus

bus = dbus.SessionBus()
desktop = dbus.Interface(
    bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop"),
    "org.gnome.Mutter.RemoteDesktop")
session = dbus.Interface(
    bus.get_object("org.gnome.Mutter.RemoteDesktop", desktop.CreateSession()),
    "org.gnome.Mutter.RemoteDesktop.Session")
session.Start()
shift = dbus.UInt32(0xFFE1)


def press():
    session.NotifyKeyboardKeysym(shift, True)
    session.NotifyKeyboardKeysym(shift, False)


press()
print("keyboard ready", flush=True)
for line in sys.stdin:
    if line.strip() == "press":
        press()
        print("pressed", flush=True)
