#!/usr/bin/env python3
"""Sets Tunevault's MPRIS volume RATE times a second for SECONDS, as a
dragged desktop slider does, each set waiting for its answer. Prints the
program's resident memory in kB once a tenth of the time has passed and at
the end, then the volume it reads back.
Usage: volumestream.py SECONDS RATE PID"""
import sys
import time

from gi.repository import Gio, GLib

seconds, rate, pid = float(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
name, path = "org.mpris.MediaPlayer2.tunevault", "/org/mpris/MediaPlayer2"
player = "org.mpris.MediaPlayer2.Player"


def properties(method, arguments):
    return bus.call_sync(name, path, "org.freedesktop.DBus.Properties", method, arguments,
                         None, Gio.DBusCallFlags.NONE, 5000, None)


def resident_kb():
    with open(f"/proc/{pid}/status") as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


sets = int(seconds * rate)
start = time.monotonic()
for n in range(1, sets + 1):
    volume = (n % 97 + 1) / 100
    properties("Set", GLib.Variant("(ssv)", (player, "Volume", GLib.Variant("d", volume))))
    if n == sets // 10:
        early = resident_kb()
    time.sleep(max(0.0, start + n / rate - time.monotonic()))
time.sleep(1)  # the last sets run
print(early, resident_kb(), volume)
print(properties("Get", GLib.Variant("(ss)", (player, "Volume"))).unpack()[0])
