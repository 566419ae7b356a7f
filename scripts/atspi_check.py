"""The checks of scripts/atspi-check, run inside its session: finds condsim's main window
in the AT-SPI tree and drives it with real key presses (xdotool)."""

import subprocess
import sys
import time

import pyatspi

TAB_ORDER = ["SpinEdit1", "Edit1", "Edit2", "Edit3", "Edit4", "Initialize", "StringGrid1",
             "StringGrid3", "StringGrid2", "MCA", "MCX", "Button3", "SpinEdit3", "SpinEdit4",
             "Button4", "cellvalue", "Adopt", "SpinEdit2", "CheckBox1", "Button1", "beta1"]
OTHER_NAMES = ["Model_1", "GroupBox2", "Image1"]
failures = []


def check(condition, what):
    print(("ok      " if condition else "FAILED  ") + what)
    if not condition:
        failures.append(what)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def application(timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "condsim":
                return app
        time.sleep(0.5)
    return None


def by_description(app):
    found = {}
    for node in walk(app):
        if node.description:
            found.setdefault(node.description, node)
    return found


def focused(app):
    # A table marks its current cell as focused whether or not it has the focus, and a
    # spin field is marked with its text: the control with the focus is the innermost
    # marked one that is not a cell.
    cells = (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_ROW_HEADER)
    found = None
    for node in walk(app):
        if node.getRole() not in cells and node.getState().contains(pyatspi.STATE_FOCUSED):
            found = node
    return found


def design_name(node):
    # A spin field's text is focused; its name is on the text itself.
    while node is not None and not node.description:
        node = node.parent
    return node.description if node is not None else "(none)"


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)
    time.sleep(0.3)


app = application()
check(app is not None, "the program is in the accessibility tree")
if app is None:
    sys.exit(1)
time.sleep(1)
controls = by_description(app)
for name in TAB_ORDER + OTHER_NAMES:
    check(name in controls, f"{name} found by its design name")
if failures:
    sys.exit(1)

spin = controls["SpinEdit1"]
check(spin.name == "AX (n)", f"SpinEdit1 is spoken as 'AX (n)' ({spin.name!r})")
check(controls["beta1"].name == "beta(1) = K1", "beta1 is spoken as 'beta(1) = K1'")
check(text_of(spin) == "6", "SpinEdit1 shows 6")
check(text_of(controls["MCA"]) == "88", "MCA exposes its text 88")

# Without a window manager the main window takes the keyboard only when given it.
subprocess.run(["xdotool", "search", "--sync", "--name", "^Simulating Molar Conductivity", "windowfocus", "--sync"],
               check=True)
time.sleep(0.5)
spin.queryComponent().grabFocus()
time.sleep(0.5)
check(design_name(focused(app)) == "SpinEdit1", "SpinEdit1 has the focus")
key("alt+f")
key("Escape", "Escape")
check(text_of(spin) == "6", f"Alt+F in SpinEdit1 leaves 6 ({text_of(spin)!r})")
check(design_name(focused(app)) == "SpinEdit1", "the focus is back in SpinEdit1")

visited = []
for _ in range(len(TAB_ORDER)):
    visited.append(design_name(focused(app)))
    key("Tab")
visited.append(design_name(focused(app)))
check(visited == TAB_ORDER + ["SpinEdit1"], "Tab runs the order and comes back to SpinEdit1: " + " ".join(visited))

# Initialize by its action, then the constants table exposes its cells.
controls["Initialize"].queryAction().doAction(0)
time.sleep(1)
table = controls["StringGrid2"].queryTable()
cell = table.getAccessibleAt(0, 0)
check(cell is not None and cell.name == "10000", "the constants table exposes beta(1) = 10000")
header = table.getColumnDescription(1) or (table.getColumnHeader(1).name if table.getColumnHeader(1) else "")
check(header == "K(n) (M)", f"its header reads 'K(n) (M)' ({header!r})")

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
