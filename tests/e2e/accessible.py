#!/usr/bin/env python3
"""Drives Tunevault through the desktop's accessibility bus, as a screen
reader does (pyatspi). Commands:
  check            the shown controls have their names and roles, and
                   nothing hidden is reported as showing
  press NAME       the shown control's press action
  set NAME VALUE   the shown slider's value, through the value interface
  focused          prints the name of the control that has the focus
  announced SECS   prints, for SECS seconds, each name a control announces
                   as its new one (a label's new text)
Exits non-zero, saying why, when a command cannot be done."""
import sys

import pyatspi

EXPECTED = {
    "push button": ["Pause", "Stop", "Repeat", "Exit", "Options"],
    "slider": ["Position", "Volume", "Rate", "Balance"],
    "text": ["Artist", "Title", "Album", "Year"],
    "list": ["Songs", "Playlist"],
}


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tunevault":
            return app
    sys.exit("Tunevault is not on the accessibility bus")


def shown(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def controls(condition):
    return pyatspi.findAllDescendants(application(), lambda n: shown(n) and condition(n))


def named(name):
    found = controls(lambda n: n.name == name)
    if not found:
        sys.exit(f"no shown control is named {name!r}")
    return found[0]


def check():
    for role, names in EXPECTED.items():
        have = {n.name for n in controls(lambda n, r=role: n.getRoleName() == r)}
        missing = set(names) - have
        if missing:
            sys.exit(f"no shown {role} named {sorted(missing)} (shown: {sorted(have)})")
    # A control of a hidden window, or a hidden control, is not visible.
    for node in controls(lambda n: not n.getState().contains(pyatspi.STATE_VISIBLE)):
        sys.exit(f"{node.getRoleName()} {node.name!r} is hidden but reported as showing")


command = sys.argv[1]
if command == "check":
    check()
elif command == "press":
    action = named(sys.argv[2]).queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit(f"{sys.argv[2]!r} has no press action ({names})")
    action.doAction(names.index("Press"))
elif command == "set":
    named(sys.argv[2]).queryValue().currentValue = float(sys.argv[3])
elif command == "announced":
    from gi.repository import GLib

    pyatspi.Registry.registerEventListener(
        lambda event: print(event.source.name, flush=True),
        "object:property-change:accessible-name",
    )
    GLib.timeout_add(int(float(sys.argv[2]) * 1000), pyatspi.Registry.stop)
    pyatspi.Registry.start()
elif command == "focused":
    # In the active window: a list of another window keeps its focused row.
    found = [
        node
        for window in application()
        if window.getState().contains(pyatspi.STATE_ACTIVE)
        for node in pyatspi.findAllDescendants(
            window, lambda n: shown(n) and n.getState().contains(pyatspi.STATE_FOCUSED)
        )
    ]
    print(found[0].name if found else "")
