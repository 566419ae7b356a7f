"""The checks of scripts/atspi-check, run inside its session (Xvfb, a window manager, a
D-Bus session): finds condsim in the AT-SPI tree and drives it with its actions and real
key presses (xdotool), as a screen reader and its user would. Prints the Tab walk of every
window as AT-SPI reports it."""

import subprocess
import sys
import time

import pyatspi

MAIN = "Simulating Molar Conductivity Data"
TAB_ORDER = ["SpinEdit1", "Edit1", "Edit2", "Edit3", "Edit4", "Initialize", "StringGrid1",
             "StringGrid3", "StringGrid2", "MCA", "MCX", "Button3", "SpinEdit3", "SpinEdit4",
             "Button4", "cellvalue", "Adopt", "SpinEdit2", "CheckBox1", "Button1", "beta1"]
OTHER_NAMES = ["Model_1", "GroupBox2", "Image1"]
# Each window: its caption (the start of it), the menu items that open it (in the window
# named first, then in the window itself), and its Tab cycle by design name (a fit
# parameter by its caption). Apply of the fit window is disabled until a fit converged.
WINDOWS = [
    ("main", MAIN, [], TAB_ORDER),
    ("abundance", "Relative Abundances", [(MAIN, "Abundance"), ("Relative Abundances", "ShowHideData")],
     ["StringGrid1", "Edit3", "Edit1", "Edit2", "SpinEdit1"]),
    ("scaling factors", "Defining Scaling Factors", [(MAIN, "Scaling Factors")],
     ["StringGrid2", "cellvalue", "Adopt", "katamuki", "a_value", "Button6"]),
    ("fit", "Fitting the Constants", [(MAIN, "Fit")],
     ["K1", "alfa", "K2", "K3", "K4", "K5", "K6", "MCA", "MCX", "Run", "Weights", "Values",
      "Correlation", "FromN", "ToN", "Compare", "Comparison"]),
    ("solution model", "Solution Model", [(MAIN, "Solution Model")],
     ["Model", "IonSize", "BjerrumIonSize", "Solvent", "Temperature", "Permittivity", "Viscosity", "OK", "Cancel"]),
    ("temperature series", "Temperature Series", [(MAIN, "Temperature Series")],
     ["Sets", "Temperature", "Anion", "Add", "Remove", "Import", "GlobalFit", "HeatCapacity", "Run",
      "Temperatures", "VantHoff", "Global"]),
]
CELLS = (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_ROW_HEADER)
failures = []


def check(condition, what):
    print(("ok      " if condition else "FAILED  ") + what, flush=True)
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


def frame(app, caption):
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        # The main window's title may carry the session's name and an unsaved mark around
        # its caption ("* Simulating ...", "work.condsim* - Simulating ...").
        if child is not None and caption in child.name:
            return child
    return None


def by_description(node):
    found = {}
    for child in walk(node):
        if child.description:
            found.setdefault(child.description, child)
    return found


def focused_objects(app):
    """The focused objects of the whole tree: the controls, and the table cells apart."""
    controls, cells = [], []
    for node in walk(app):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            (cells if node.getRole() in CELLS else controls).append(node)
    return controls, cells


def design_name(node):
    if node is None:
        return "(none)"
    return node.description or node.name or "(unnamed %s)" % node.getRoleName()


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)
    time.sleep(0.3)


def x_windows(caption):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", caption],
                           capture_output=True, text=True).stdout.split()
    return found


def activate(caption):
    for window in x_windows(caption):
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=False)
    time.sleep(0.5)


def press(node, what):
    start = time.time()
    node.queryAction().doAction(0)
    return time.time() - start


def menu_item(window, caption):
    for node in walk(window):
        if node.getRole() == pyatspi.ROLE_MENU_ITEM and node.name == caption:
            return node
    return None


def title_bar_on_screen(caption):
    """The window's client area stands below its title bar, and the frame's top is on the
    screen (the window manager says how high the frame is above the client area)."""
    for window in x_windows(caption):
        info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
        top = int(next(l for l in info.splitlines() if "Absolute upper-left Y" in l).split(":")[1])
        extents = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"],
                                 capture_output=True, text=True).stdout
        if "=" not in extents:
            continue
        frame_top = int(extents.split("=")[1].split(",")[2])
        return top - frame_top >= 0 and frame_top > 0, top, frame_top
    return False, None, None


def tab_walk(app, window, order):
    """Tabs once round the cycle from its first control; at each stop the whole tree holds
    exactly one focused control, with the design name the cycle says, and a focused cell
    only inside it. Returns the walk as AT-SPI reports it."""
    controls = by_description(window)
    first = controls.get(order[0])
    if first is None:  # a fit parameter: found by its caption
        first = next((n for n in walk(window) if n.name == order[0] and n.getRole() == pyatspi.ROLE_CHECK_BOX), None)
    if first is None:
        check(False, f"{order[0]} found")
        return []
    first.queryComponent().grabFocus()
    time.sleep(0.5)
    # A table takes no focus from AT-SPI: Tab to it, as a keyboard user would.
    for _ in range(len(order)):
        focused, _ = focused_objects(app)
        if len(focused) == 1 and design_name(focused[0]) == order[0]:
            break
        key("Tab")
    walked = []
    for expected in order + [order[0]]:
        focused, cells = focused_objects(app)
        names = [design_name(n) for n in focused]
        walked.append(names[0] if len(names) == 1 else "[" + ", ".join(names) + "]")
        stray = [c for c in cells if len(focused) != 1 or c.parent != focused[0]]
        check(len(focused) == 1 and names[0] == expected and not stray and bool(focused[0].name),
              f"Tab at {expected}: one focused object, named {focused[0].name if focused else ''!r}"
              + (f"; focused cells elsewhere: {len(stray)}" if stray else ""))
        key("Tab")
    return walked


app = application()
check(app is not None, "the program is in the accessibility tree")
if app is None:
    sys.exit(1)
time.sleep(1)
main = frame(app, MAIN)
controls = by_description(main)
for name in TAB_ORDER + OTHER_NAMES:
    check(name in controls, f"{name} found by its design name")
if failures:
    sys.exit(1)

ok, top, frame_top = title_bar_on_screen(MAIN)
check(ok, f"the main window's title bar is on the screen (client top {top}, title bar {frame_top})")

spin = controls["SpinEdit1"]
check(spin.name == "AX (n)", f"SpinEdit1 is spoken as 'AX (n)' ({spin.name!r})")
check(controls["beta1"].name == "beta(1) = K1", "beta1 is spoken as 'beta(1) = K1'")
check(text_of(spin) == "6", "SpinEdit1 shows 6")
check(text_of(controls["MCA"]) == "88", "MCA exposes its text 88")
arrows = [n.name for n in walk(spin.parent) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
check(arrows == ["Increase", "Decrease"], f"SpinEdit1's arrows are named {arrows}")

activate(MAIN)
spin.queryComponent().grabFocus()
time.sleep(0.5)
check(design_name(focused_objects(app)[0][0]) == "SpinEdit1", "SpinEdit1 has the focus")
key("alt+f")
key("Escape", "Escape")
check(text_of(spin) == "6", f"Alt+F in SpinEdit1 leaves 6 ({text_of(spin)!r})")
check(design_name(focused_objects(app)[0][0]) == "SpinEdit1", "the focus is back in SpinEdit1")

# Initialize by its action: every table of the main window has a selected cell.
controls["Initialize"].queryAction().doAction(0)
time.sleep(1)
table = controls["StringGrid2"].queryTable()
cell = table.getAccessibleAt(0, 0)
check(cell is not None and cell.name == "10000", "the constants table exposes beta(1) = 10000")
header = table.getColumnDescription(1) or (table.getColumnHeader(1).name if table.getColumnHeader(1) else "")
check(header == "K(n) (M)", f"its header reads 'K(n) (M)' ({header!r})")

walks = {}
for name, caption, opening, order in WINDOWS:
    for where, item in opening:
        node = menu_item(frame(app, where), item)
        check(node is not None, f"menu item {item} found")
        if node is not None:
            press(node, item)
            time.sleep(1)
    window = frame(app, caption)
    check(window is not None, f"the {name} window is shown")
    if window is None:
        continue
    activate(caption)
    walks[name] = tab_walk(app, window, order)
    ok, top, frame_top = title_bar_on_screen(caption)
    check(ok, f"the {name} window's title bar is on the screen (client top {top}, title bar {frame_top})")
    if name == "solution model":
        coefficients = by_description(window).get("Coefficients")
        check(coefficients is not None and "A = " in coefficients.name and "R = " in coefficients.name,
              f"the coefficients line is read with its values ({coefficients.name if coefficients else ''!r})")
        key("Escape")  # Cancel
        time.sleep(0.5)
        check(frame(app, caption) is None or not frame(app, caption).getState().contains(pyatspi.STATE_SHOWING),
              "Escape closes the Solution Model window")

# A press on File/Open returns at once; the file dialog opens after it.
activate(MAIN)
open_item = menu_item(main, "Open")
took = press(open_item, "Open")
check(took < 1.5, f"the press on File/Open returned after {took:.2f} s")
dialog = None
for _ in range(20):
    time.sleep(0.25)
    dialog = next((app.getChildAtIndex(i) for i in range(app.childCount)
                   if app.getChildAtIndex(i) is not None
                   and app.getChildAtIndex(i).getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER)), None)
    if dialog is not None:
        break
check(dialog is not None, "the file dialog opened after the press")
if dialog is not None:
    key("Escape")

# With Model #1 off, n = 30 can be typed: the caution waits until the field is left.
def alerts():
    return [n for n in walk(app) if n.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG)
            and n.getState().contains(pyatspi.STATE_SHOWING)]


time.sleep(1)
activate(MAIN)
checkbox = controls["CheckBox1"]
checkbox.queryAction().doAction(0)
time.sleep(0.5)
if alerts():
    key("Return")  # the caution of turning Model #1 off
check(not checkbox.getState().contains(pyatspi.STATE_CHECKED), "Model #1 is off")
activate(MAIN)
spin.queryComponent().grabFocus()
time.sleep(0.3)
key("ctrl+a")
key("3")
key("0")
check(not alerts() and text_of(spin) == "30",
      f"n = 30 is typed into SpinEdit1 with no box in between ({text_of(spin)!r})")
key("Tab")
time.sleep(0.5)
shown = alerts()
check(len(shown) == 1, "leaving SpinEdit1 shows the caution once")
if shown:
    key("Return")

print()
for name, walked in walks.items():
    print(f"Tab walk, {name}: " + " ".join(walked))
print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
