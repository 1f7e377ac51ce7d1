#!/usr/bin/python3
"""Reads the running window through the desktop's accessibility bus (AT-SPI),
as a screen reader would.

    window_a11y.py scores     the score list's lines, one per line
    window_a11y.py texts      each text box as "caption<TAB>text"

Waits up to 20 seconds for the program (vellor-results) to show on the bus.
Needs Debian's python3-gi and gir1.2-atspi-2.0, a session bus with the
accessibility bus started, and the program started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
"""

import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find_window():
    deadline = time.time() + 20
    while time.time() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == "vellor-results":
                for j in range(app.get_child_count()):
                    window = app.get_child_at_index(j)
                    if window is not None and window.get_name() == "Vellor Results":
                        return window
        time.sleep(0.2)
    sys.exit("window_a11y: the window did not show on the accessibility bus")


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def main():
    if len(sys.argv) != 2 or sys.argv[1] not in ("scores", "texts"):
        sys.exit(__doc__)
    window = find_window()
    controls = children(window)
    if sys.argv[1] == "scores":
        lists = [c for c in controls if c.get_role() == Atspi.Role.LIST]
        if len(lists) != 1:
            sys.exit("window_a11y: %d lists in the window" % len(lists))
        for item in children(lists[0]):
            sys.stdout.write(item.get_name() + "\n")
    else:
        for c in controls:
            if c.get_role() in (Atspi.Role.TEXT, Atspi.Role.ENTRY):
                sys.stdout.write(c.get_name() + "\t" + text_of(c) + "\n")


if __name__ == "__main__":
    main()
