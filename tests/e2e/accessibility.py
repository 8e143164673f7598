"""Reads QV's windows from the accessibility bus, as a screen reader does.

check WINDOW: the window is there, named, and every showing control in it that can be
    clicked or focused has a name and a role other than filler; static text is named.
press WINDOW NAME: runs the press action of the control called NAME in WINDOW.
Exits 1 with the reason on standard error.
"""
import sys
import time

import pyatspi


def fail(reason):
    print(reason, file=sys.stderr)
    sys.exit(1)


def qv_window(title):
    for _ in range(100):  # the window may still be on its way to the bus
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "qv":
                for window in app:
                    showing = window.getState().contains(pyatspi.STATE_SHOWING)
                    if window.name == title and showing:
                        return window
        time.sleep(0.1)
    fail(f'no window "{title}" showing on the accessibility bus')


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def actions_of(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def operable(node, state):
    return bool(actions_of(node)) or state.contains(pyatspi.STATE_FOCUSABLE)


def check(title):
    window = qv_window(title)
    problems, operables, texts = [], 0, 0
    for node in descendants(window):
        state = node.getState()
        if not state.contains(pyatspi.STATE_SHOWING):
            continue
        role = node.getRoleName()
        if operable(node, state):
            operables += 1
            if not node.name or node.getRole() == pyatspi.ROLE_FILLER:
                problems.append(f'{role} "{node.name}" with actions {actions_of(node)}')
        if node.getRole() in (pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL) and not node.childCount:
            problems.append(f'an unnamed {role} with nothing in it')
        if node.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) and node.name:
            texts += 1
    if operables == 0:
        problems.append("nothing in it can be operated")
    if title == "Welcome to QV" and texts == 0:
        problems.append("the welcome text cannot be read")
    if problems:
        fail(f"{title}: " + "; ".join(problems))


def press(title, name):
    for node in descendants(qv_window(title)):
        if node.name == name and "Press" in actions_of(node):
            action = node.queryAction()
            action.doAction(actions_of(node).index("Press"))
            return
    fail(f'{title}: no "{name}" with a press action')


if __name__ == "__main__":
    {"check": check, "press": press}[sys.argv[1]](*sys.argv[2:])
