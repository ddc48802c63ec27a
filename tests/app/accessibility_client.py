#!/usr/bin/python3
# A screen reader's view of Tarnis, through the accessibility bus: leaves the title screen, finds every
# button, box, label and chart of the main window by its role and name, sets r through the editable
# text, confirms it with Enter, presses Run through its action, reads the result box and checks that
# the chart's description changed. Prints one line per check and ends with 0 when all held.
# SPDX-License-Identifier: GPL-3.0-or-later
import itertools
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 20.0
failures = []
events = []  # (type, source's name, source's role, detail1, source's path) of every event Tarnis sent


def note(event):
    # The path identifies the source for as long as it lives; its name may have changed by the time
    # the event is read (the result box's caption changes right after the run writes its text).
    try:
        name, role = event.source.name, event.source.getRoleName()
    except Exception:  # a source gone by the time its event is read
        name, role = None, None
    events.append((event.type, name, role, event.detail1, getattr(event.source, "path", None)))


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def wait_for(find, what, explain=None):
    """Asks `find` again until it gives something, as a screen reader waits for a window. On a failure
    `explain` says what was found instead."""
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes under a question while windows come and go
            found = None
        if found:
            return found
        # Events reach the client through the main loop of its accessibility library.
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.05)
    check(False, "in time: " + what)
    if explain:
        print(explain(), flush=True)
    sys.exit(1)


def nodes(root):
    yield root
    for child in root:
        if child is not None:
            yield from nodes(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def named(root, role, name):
    return [node for node in nodes(root) if node.getRoleName() == role and node.name.strip() == name]


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((app for app in desktop if app is not None and app.name == "Tarnis"), None)


def window(app, name):
    """A window on show; the backdrop behind Tarnis shares the main window's name but is no window."""
    return next((node for node in app
                 if node is not None and node.getRoleName() == "frame" and node.name == name and showing(node)), None)


def text_of(node):
    return node.queryText().getText(0, -1)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    return action.doAction(names.index("Press"))


def heard(kind, name):
    return any(event[0].startswith(kind) and event[1] == name for event in events)


def heard_from(kind, node):
    return any(event[0].startswith(kind) and event[4] == node.path for event in events)


def main():
    pyatspi.Registry.registerEventListener(note, "object", "window")
    app = wait_for(application, "Tarnis on the accessibility bus")
    title = wait_for(lambda: window(app, "Titleform"), "the title screen")
    check(len(named(title, "label", "Press any key or click mouse to start.")) == 1, "the title screen's invitation")
    place = title.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(place.x + place.width // 2, place.y + place.height // 2, "b1c")

    main_window = wait_for(lambda: window(app, "Tarnis"), "the main window")
    for caption in ["Run", "P", "S", "LG", "Quit", "Data 1", "Data 2", "Data 3", "more ...", "Quiz"]:
        check(len(named(main_window, "push button", caption)) == 1, "button " + caption)
    boxes = ["The intrinsic rate (r):", "The initial population size N(0):", "The carrying capacity (K):",
             "Time lag is", "For t=1 to", "Final population size"]
    for caption in boxes:
        check(len(named(main_window, "text", caption)) == 1, "box " + caption)
        check(len(named(main_window, "label", caption)) == 1, "label " + caption)
    for caption in ["Hi! How do you do?", "Tarnis"]:
        check(len(named(main_window, "label", caption)) == 1, "label " + caption)
    charts = named(main_window, "chart", "Chart")
    check(len(charts) == 1, "the chart")
    before = charts[0].description

    rate = named(main_window, "text", boxes[0])[0]
    run = named(main_window, "push button", "Run")[0]
    # An edit switches Run off, and the box tells of it. Tarnis learns of a listener from the
    # registry's announcement; one that reaches it while it is still setting up on a busy machine is
    # lost, and then it sends no events at all. So the edit is made again, and the listener now and
    # then registered anew (a new announcement), until the edit's event is heard. The text ends as
    # the default, so that the run is the worked example.
    edits = itertools.cycle(["0.5", "0.4"])
    attempts = itertools.count(1)

    def edited():
        if next(attempts) % 10 == 0:
            pyatspi.Registry.deregisterEventListener(note, "object", "window")
            pyatspi.Registry.registerEventListener(note, "object", "window")
        rate.queryEditableText().setTextContents(next(edits))
        return heard_from("object:text-changed:insert", rate)

    wait_for(edited, "the r box telling of an edit")
    wait_for(lambda: not enabled(run), "Run off after the edit")
    rate.queryEditableText().setTextContents("0.2")
    check(text_of(rate) == "0.2", "r set through the editable text")
    rate.queryComponent().grabFocus()
    wait_for(lambda: rate.getState().contains(pyatspi.STATE_FOCUSED), "the focus in the r box")
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Return
    wait_for(lambda: enabled(run), "Run on after Enter")
    press(run)

    result = named(main_window, "text", "Final population size") or named(main_window, "text",
                                                                           "Population size at t = 200")
    wait_for(lambda: text_of(result[0]) == "499.936872437631", "the result 499.936872437631")
    check(result[0].name == "Population size at t = 200", "the result box named by its new caption")
    wait_for(lambda: heard_from("object:text-changed:insert", result[0]),
             "the result box telling that the run wrote it",
             lambda: "the result box is %s; its events and every text event: %s" % (
                 result[0].path, [e for e in events if e[4] == result[0].path or "text-changed" in e[0]]))
    chart = wait_for(lambda: next(iter(named(main_window, "chart", "Chart")), None), "the chart after the run")
    wait_for(lambda: chart.description != before, "the chart's description changed")
    check(chart.description.startswith("Curve of N(t) vs. time.") and "201 points" in chart.description,
          "the chart describes the run: " + chart.description)

    # The menu key on the focused chart opens its menu.
    chart.queryComponent().grabFocus()
    wait_for(lambda: chart.getState().contains(pyatspi.STATE_FOCUSED), "the focus on the chart")
    pyatspi.Registry.generateKeyboardEvent(0xFF67, None, pyatspi.KEY_SYM)  # Menu
    # A menu that pops up is no child of the application; it tells that it is showing.
    wait_for(lambda: heard("object:state-changed:showing", "Chart menu"), "the chart's menu")
    pyatspi.Registry.generateKeyboardEvent(0xFF1B, None, pyatspi.KEY_SYM)  # Escape
    return 1 if failures else 0


sys.exit(main())
