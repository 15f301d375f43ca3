#!/usr/bin/python3
"""Orbit as a screen reader meets it: the whole program on the accessibility bus, every window
walked through AT-SPI in English, Traditional Chinese and Korean.

    screen_reader.py <orbit_ui_driver>      (run under Xvfb and a session bus: screen-reader.sh)

Checks, in each language: every control a person can operate has a name (a combo box: a label
that names it), and the name is in that language; the list reads row by row with its column
titles; names change at once when the language does. In the main dialog Tab visits every
operable control once, in the order of the layout, and the commands' keys are announced.
The windows are opened as a user would (the driver's clicks and keys, AT-SPI's own actions)
and closed again. Prints every fault found and exits 1 if there is one.
"""

import html
import os
import queue
import re
import subprocess
import sys
import threading
import time

import pyatspi
from gi.repository import GLib

LANGUAGES = (1033, 1028, 1042)
# Control roles a person operates; their states say whether one is shown.
OPERABLE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_TABLE, pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_MENU,
    pyatspi.ROLE_LINK, pyatspi.ROLE_LIST,
}
# The main dialog in the order of its layout: the title bar, the zoom column and Mirror, the
# preview's button, the photo's side, the list, the row of buttons under it.
MAIN_ORDER = ["Minimize", "Preview Window Size", "Close", "Zoom", "Zoom", "Reset Zoom", "Mirror",
              "Take Photo", "View Photo", "Send To", "Send Photo", "Photo List", "Open Folder",
              "Intro.", "Setting", "Send Software", "Hide List"]
# The commands with keys of their own, and the keys.
MAIN_KEYS = {"Take Photo": "Ctrl+T", "Send Photo": "Ctrl+Return", "Mirror": "Ctrl+M",
             "Preview Window Size": "F10", "Hide List": "Ctrl+L", "Setting": "Ctrl+,"}
WIDE = re.compile(r"[\u1100-\u11ff\u3000-\u9fff\uac00-\ud7af\uf900-\ufaff\uff00-\uffef]")
LATIN_WORD = re.compile(r"[A-Za-z]{2,}")
# Names that are the same in every language: data, not the program's words.
DATA = re.compile(r"^(Orbit( Simulated Camera)?|[\w-]+\.jpg|[\d.]+ [KMG]?B|[\d\s%x:.,()/+*-]*|/.*)$")
# The string tables' own words, by language: a table may keep a word in English ("Gamma").
TABLES = {}


def load_tables(root):
    for language in LANGUAGES:
        text = open(os.path.join(root, "res", f"orbit_{language}.ts"), encoding="utf-8").read()
        words = re.findall(r"<translation>(.*?)</translation>", text, re.S)
        TABLES[language] = {html.unescape(w).replace("&", "").strip() for w in words}


faults = []


def fault(where, what):
    faults.append(f"{where}: {what}")
    print(f"FAULT {where}: {what}", flush=True)


class Driver:
    """The program with a hand: tab-separated commands in, lines out."""

    def __init__(self, path, env):
        self.proc = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=open(os.devnull, "w"), env=env, text=True,
                                     bufsize=1)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.rstrip("\n").split("\t"))

    def send(self, *fields):
        self.proc.stdin.write("\t".join(str(f) for f in fields) + "\n")
        self.proc.stdin.flush()

    def wait(self, head, seconds=20):
        end = time.time() + seconds
        while time.time() < end:
            try:
                line = self.lines.get(timeout=max(0.01, end - time.time()))
            except queue.Empty:
                break
            if line[0] == "error":
                raise RuntimeError(f"driver: {line}")
            if line[:len(head)] == head:
                return line
        raise RuntimeError(f"driver: no {head} within {seconds} s")

    def do(self, *fields):
        self.send(*fields)
        return self.wait(["done", fields[0]])


# Menus are popups, which are not among the application's windows: a screen reader learns of
# them as they show, and so does this walk.
popups = []


def on_showing(event):
    try:
        if event.detail1 and event.source.getRole() in (pyatspi.ROLE_POPUP_MENU, pyatspi.ROLE_MENU):
            popups.append(event.source)
    except GLib.Error:
        pass  # gone again before its event was read: nothing to walk


def settle(seconds=0.4):
    """Waits, handling the accessibility events that arrive meanwhile."""
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        if time.time() >= end:
            break
        time.sleep(0.02)


def states(acc):
    return acc.getState()


def showing(acc):
    s = states(acc)
    return s.contains(pyatspi.STATE_SHOWING) and s.contains(pyatspi.STATE_VISIBLE)


def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def label_of(acc):
    """The text a screen reader reads for a control: a combo box by the label that names it
    (its own name is its value), anything else by its name."""
    labelled = ""
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                labelled = labelled or relation.getTarget(i).name.strip()
    if acc.getRole() == pyatspi.ROLE_COMBO_BOX:
        return labelled
    return acc.name.strip() or labelled


def operable(acc):
    """The shown controls of a window, depth first in the order of the tree; what a combo box
    holds is its value and is left out."""
    found = []

    def walk(node):
        if not showing(node):
            return
        role = node.getRole()
        if role in OPERABLE:
            found.append(node)
        if role in (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TABLE):
            return
        for child in children(node):
            walk(child)

    walk(acc)
    return found


def in_language(text, language):
    if language == 1033 or DATA.match(text) or text in TABLES[language]:
        return True
    # Traditional Chinese and Korean: the program's own words carry their script.
    return bool(WIDE.search(text)) or not LATIN_WORD.search(text)


def check_window(window, where, language):
    """Every operable control named, in the language; returns the names in tree order."""
    names = []
    controls = operable(window)
    print(f"{where}: {len(controls)} controls", flush=True)
    for acc in controls:
        role = acc.getRoleName()
        name = label_of(acc)
        names.append(name)
        if not name:
            fault(where, f"a {role} has no name")
        elif not in_language(name, language):
            fault(where, f"{role} {name!r} is not in language {language}")
        if acc.getRole() == pyatspi.ROLE_TABLE:
            check_table(acc, where, language)
    return names


def check_table(table, where, language):
    t = table.queryTable()
    for c in range(t.nColumns):
        header = t.getColumnHeader(c)
        title = header.name.strip() if header else ""
        if not title or not in_language(title, language):
            fault(where, f"column {c} reads {title!r}")
    for r in range(min(t.nRows, 4)):
        cells = [t.getAccessibleAt(r, c) for c in range(t.nColumns)]
        # A row reads as its photo's name, where it went, its resolution and size at least.
        read = [cell.name.strip() if cell else "" for cell in cells]
        if not read[2] or not read[4] or not read[5]:
            fault(where, f"row {r} reads {read}")
        for text in read:
            if text and not in_language(text, language):
                fault(where, f"row {r} cell {text!r} is not in language {language}")


def app_of(driver_path):
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for app in children(desktop):
            if app is not None and app.description == driver_path and app.childCount:
                return app
        time.sleep(0.2)
    raise RuntimeError("the program never appeared on the accessibility bus")


def windows(app):
    """The shown windows, with the menus that popped up (and are still there)."""
    def shown(w):
        try:
            return w is not None and showing(w)
        except GLib.Error:
            return False
    return [w for w in children(app) + popups if shown(w)]


def new_window(app, before, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        for w in windows(app):
            if all(w != b for b in before):
                settle(0.3)
                return w
        settle(0.1)
    return None


def find(acc, role, name=None):
    for node in operable(acc) if role in OPERABLE else []:
        if node.getRole() == role and (name is None or label_of(node) == name):
            return node
    return None


def focused(window):
    def walk(node):
        s = node.getState()
        if s.contains(pyatspi.STATE_FOCUSED) and node.getRole() in OPERABLE:
            return node
        if node.getRole() in (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TABLE):
            return None
        for child in children(node):
            hit = walk(child)
            if hit:
                return hit
        return None
    return walk(window)


SHIFT_MASK, CONTROL_MASK = 1 << 0, 1 << 2


def press_key(keysym, control=False, shift=False):
    """A real key press, through the X server, to whatever has the focus."""
    mask = (CONTROL_MASK if control else 0) | (SHIFT_MASK if shift else 0)
    if mask:
        pyatspi.Registry.generateKeyboardEvent(mask, None, pyatspi.KEY_LOCKMODIFIERS)
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    if mask:
        pyatspi.Registry.generateKeyboardEvent(mask, None, pyatspi.KEY_UNLOCKMODIFIERS)
    settle(0.2)


TAB, ESCAPE, MENU, DELETE, COMMA, DOWN, RETURN, F10, F11 = 0xff09, 0xff1b, 0xff67, 0xffff, 0x2c, 0xff54, 0xff0d, 0xffc7, 0xffc8
L, M, Q, T = 0x6c, 0x6d, 0x71, 0x74


def check_tab_order(driver, main):
    """From the list, Tab goes round every operable control once, as the layout reads."""
    driver.do("key", "102/1000", "Home")
    settle()
    start = focused(main)
    if start is None or label_of(start) != "Photo List":
        return fault("main dialog", f"the list does not have the focus at the start ({start})")
    seen = [label_of(start)]
    for _ in range(40):
        press_key(TAB)
        now = focused(main)
        if now is None:
            return fault("main dialog", f"Tab left the dialog after {seen}")
        if now == start:
            break
        seen.append(label_of(now))
    turn = MAIN_ORDER.index("Photo List")
    wanted = MAIN_ORDER[turn:] + MAIN_ORDER[:turn]
    if seen != wanted:
        fault("main dialog", f"Tab visits {seen}, the layout reads {wanted}")
    for name, key in MAIN_KEYS.items():
        control = next((c for c in operable(main) if label_of(c) == name and c.getRole() in
                        (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX)), None)
        if control is None:
            fault("main dialog", f"no control {name!r}")
            continue
        action = control.queryAction()
        bound = {action.getKeyBinding(i) for i in range(action.nActions)}
        bound.add(control.description)  # a toggle's key is in its description
        if not any(key.lower() in b.lower().replace("<control>", "ctrl+") for b in bound):
            fault("main dialog", f"{name!r} announces the keys {bound}, not {key}")


def check_command_keys(driver, main):
    """The keys do what their tooltips say: Ctrl+T takes a photo, Ctrl+L hides and shows the
    list, the toggle's name saying which."""
    driver.do("key", "102/1000", "Home")
    press_key(T, control=True)
    try:
        driver.wait(["row-shown", "2"], 30)
    except RuntimeError:
        fault("main dialog", "Ctrl+T took no photo")
    press_key(L, control=True)
    settle()
    if find(main, pyatspi.ROLE_PUSH_BUTTON, "Show List") is None:
        fault("main dialog", "Ctrl+L did not hide the list, or its toggle is not named Show List")
    press_key(L, control=True)
    settle()
    if find(main, pyatspi.ROLE_PUSH_BUTTON, "Hide List") is None:
        fault("main dialog", "Ctrl+L did not show the list again")
    # Mirror is an on/off control whose state follows Ctrl+M (Qt 6.4 shows a checkable button
    # as a check box, later Qt versions as a toggle button).
    mirror = find(main, pyatspi.ROLE_TOGGLE_BUTTON, "Mirror") or find(main, pyatspi.ROLE_CHECK_BOX, "Mirror")
    if mirror is None:
        fault("main dialog", "Mirror does not read as on or off")
    else:
        was = mirror.getState().contains(pyatspi.STATE_CHECKED)
        press_key(M, control=True)
        settle()
        if mirror.getState().contains(pyatspi.STATE_CHECKED) == was:
            fault("main dialog", "Ctrl+M did not switch Mirror")
        press_key(M, control=True)
        settle()
    # F11: the full-screen view, named and with its keys described; Esc comes back.
    before = windows(driver.app)
    press_key(F11)
    view = new_window(driver.app, before)
    if view is None or view.name != "Full Screen" or "Esc" not in view.description:
        fault("full-screen view", f"F11 opened {view.name if view else None!r}, described as {view.description if view else None!r}")
    press_key(ESCAPE)
    settle()
    if view is not None and any(w == view for w in windows(driver.app)):
        fault("full-screen view", "Esc did not leave it")


def check_main(app, language):
    main = next((w for w in windows(app) if w.name == "Orbit"), None)
    if main is None:
        return fault("main dialog", "not shown")
    names = check_window(main, f"main dialog ({language})", language)
    missing = len(MAIN_ORDER) - len(names)
    if missing > 0:
        fault(f"main dialog ({language})", f"{missing} controls fewer than the layout has: {names}")
    send = find(main, pyatspi.ROLE_PUSH_BUTTON, "Send Photo")
    if language == 1033 and (send is None or "friend" not in send.description):
        fault("main dialog", f"Send Photo does not say to whom: {send.description if send else None!r}")
    return main


def check_sheet(driver, app, language):
    # Opened by its key, as a keyboard user opens it.
    driver.do("key", "102/1000", "Home")
    before = windows(app)
    press_key(COMMA, control=True)
    sheet = new_window(app, before)
    if sheet is None:
        return fault("settings", "Ctrl+, did not open the sheet")
    tabs = [t for t in operable(sheet) if t.getRole() == pyatspi.ROLE_PAGE_TAB]
    if len(tabs) != 5:
        fault("settings", f"{len(tabs)} page tabs, not 5")
    for i, tab in enumerate(tabs):
        tab.queryAction().doAction(0)
        settle()
        check_window(sheet, f"settings page {i + 1} ({language})", language)
    if language == 1033:
        # The names follow a language switch made while the sheet is open (from the tray).
        driver.do("language", 1042)
        settle()
        check_window(sheet, "settings, switched to Korean while open", 1042)
        driver.do("language", 1033)
    driver.do("click", "2")
    settle()


def check_one_page(driver, app, language, action, where):
    before = windows(app)
    driver.do("tray", action)
    sheet = new_window(app, before)
    if sheet is None:
        return fault(where, "did not open")
    check_window(sheet, f"{where} ({language})", language)
    driver.do("click", "2")
    settle()


def check_tray_menu(driver, app, language):
    before = windows(app)
    driver.do("popup", "140")
    menu = new_window(app, before)
    if menu is None:
        return fault("tray menu", "did not open")
    check_window(menu, f"tray menu ({language})", language)
    press_key(ESCAPE)
    if any(w == menu for w in windows(app)):
        fault("tray menu", "Esc did not close it")


def check_rename_and_boxes(driver, app, language):
    # The row's menu, from the keyboard: the menu key on the chosen row, or Shift+F10.
    driver.do("click-cell", "1000", "0", "2")
    driver.do("key", "102/1000", "Home")
    before = windows(app)
    if language == 1042:
        press_key(F10, shift=True)
    else:
        press_key(MENU)
    menu = new_window(app, before)
    if menu is None:
        return fault("row menu", "the menu key (or Shift+F10) opened nothing")
    check_window(menu, f"row menu ({language})", language)
    # Down to Rename, the third entry, and Enter: an entry that opens a dialog is chosen from
    # the keyboard, since AT-SPI's own action would wait for the dialog to end.
    items = [m for m in operable(menu) if m.getRole() == pyatspi.ROLE_MENU_ITEM]
    for _ in range(6):
        press_key(DOWN)
        if items[2].getState().contains(pyatspi.STATE_FOCUSED) or items[2].getState().contains(pyatspi.STATE_SELECTED):
            break
    else:
        return fault("row menu", "Down never reaches Rename")
    before = windows(app)
    press_key(RETURN)
    rename = new_window(app, before)
    if rename is None:
        return fault("rename", "did not open")
    check_window(rename, f"rename ({language})", language)
    press_key(ESCAPE)
    if any(w == rename for w in windows(app)):
        fault("rename", "Esc did not close it")
        driver.do("click", "130/2")
    # A question: Delete on the row, answered No.
    driver.do("key", "102/1000", "Home")
    before = windows(app)
    press_key(DELETE)
    box = new_window(app, before)
    if box is None:
        return fault("message box", "Delete asked nothing")
    check_window(box, f"message box ({language})", language)
    driver.do("box", "No")
    settle()


def main():
    driver_path = os.path.realpath(sys.argv[1])
    load_tables(os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "..", ".."))
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               ORBIT_SIMULATED_CAMERA="always")
    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    driver = Driver(driver_path, env)
    driver.wait(["painted", "main"], 60)
    app = driver.app = app_of(driver_path)
    # A photo, so the list has a row to read.
    driver.do("click", "102/1016")
    driver.wait(["row-shown"], 30)
    for language in LANGUAGES:
        driver.do("language", language)
        settle()
        main_dialog = check_main(app, language)
        if language == 1033 and main_dialog is not None:
            check_tab_order(driver, main_dialog)
            check_command_keys(driver, main_dialog)
        check_sheet(driver, app, language)
        check_one_page(driver, app, language, "32795", "remote monitor sheet")
        check_one_page(driver, app, language, "32797", "about sheet")
        check_tray_menu(driver, app, language)
        check_rename_and_boxes(driver, app, language)
    # The end, from the keyboard: Ctrl+Q asks, and Yes ends the program.
    driver.do("key", "102/1000", "Home")
    before = windows(app)
    press_key(Q, control=True)
    box = new_window(app, before)
    if box is None:
        fault("main dialog", "Ctrl+Q asked nothing")
        driver.send("quit")
    else:
        driver.send("box", "Yes")
    try:
        driver.proc.wait(30)
    except subprocess.TimeoutExpired:
        fault("main dialog", "the program did not end")
        driver.proc.kill()
    print(f"{len(faults)} faults" if faults else "every control speaks, in every language")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
