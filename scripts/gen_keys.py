#!/usr/bin/env python3
"""Writes the README's keyboard and mouse reference from the program's own
tables: the accelerator table and menu (resources/menu.rc), the main
window's key table (app/main_window.cpp) and the search box's Latin-key
table (search/search_entry.cpp). The block sits between the markers
<!-- keys:begin --> and <!-- keys:end -->. With --check it only compares and
exits 1 when the README is stale."""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
BEGIN, END = "<!-- keys:begin -->", "<!-- keys:end -->"

KEY_NAMES = {
    "VK_F1": "F1", "VK_F3": "F3", "VK_HOME": "Home", "VK_END": "End", "VK_PRIOR": "Page Up",
    "VK_NEXT": "Page Down", "VK_RETURN": "Enter", "VK_LEFT": "Left arrow", "VK_RIGHT": "Right arrow",
    "VK_UP": "Up arrow", "VK_DOWN": "Down arrow", "VK_DELETE": "Delete", "VK_BACK": "Backspace",
    "VK_OEM_PLUS": "=", "VK_ADD": "Num +", "VK_OEM_MINUS": "-", "VK_SUBTRACT": "Num -", "VK_NUMPAD0": "Num 0",
    "VK_ESCAPE": "Esc",
}
# What each entry of the main window's selection key table does.
SELECTS = {
    "LineUp": "selection a line shorter (from the top visible line)",
    "LineDown": "select a line more, from the top visible line",
    "PageUp": "selection a page shorter",
    "PageDown": "select a page more, from the top visible line",
    "Clear": "drop the selection",
}
# What each move of the main window's key table does; a move missing here
# stops the script, so a new key cannot slip into the program undocumented.
MOVES = {
    "SearchAgain": "Search Again (when there is a search)",
    "PreviousDay": "previous day",
    "NextDay": "next day",
    "LineUp": "one line up",
    "LineDown": "one line down",
    "KeyPageUp": "one page up",
    "KeyPageDown": "one page down",
    "ToStart": "to the top of the lesson (a page up when already there)",
    "ToEnd": "to the end of the lesson (a page down when already there)",
}
# The month calendar's keys: with Alt they browse months and years.
CALENDAR_MOVES = {
    "PreviousYear": "the same month a year back",
    "NextYear": "the same month a year on",
    "FirstMonth": "Nisan",
    "LastMonth": "Adar (Adar II in a leap year)",
    "NextMonth": "the next month",
    "PreviousMonth": "the month before",
}
MODIFIERS = [("CONTROL", "Ctrl"), ("ALT", "Alt"), ("SHIFT", "Shift")]


def fail(message):
    sys.exit(f"gen_keys: {message}")


def read(path):
    return (ROOT / path).read_text(encoding="utf-8")


def key_name(token):
    token = token.strip()
    if token.startswith('"'):
        return token.strip('"').upper()
    if token not in KEY_NAMES:
        fail(f"no name for key {token}")
    return KEY_NAMES[token]


def menu_labels(rc):
    """Command id -> (label, [menus holding it])."""
    labels, menu = {}, None
    for line in rc.splitlines():
        popup = re.match(r'\s*POPUP\s+"([^"]*)"', line)
        if popup:
            menu = popup.group(1).replace("&", "")
            continue
        item = re.match(r'\s*MENUITEM\s+"([^"]*)"\s*,\s*(\w+)', line)
        if item:
            label = item.group(1).split("\\x08")[0].replace("&", "")
            entry = labels.setdefault(item.group(2), (label, []))
            entry[1].append(menu)
    return labels


def accelerators(rc, labels):
    block = re.search(r"ACCELERATORS\s*\nBEGIN\n(.*?)\nEND", rc, re.S)
    if not block:
        fail("no ACCELERATORS table in resources/menu.rc")
    rows = {}
    for line in block.group(1).splitlines():
        parts = [p.strip() for p in line.split(",")]
        if len(parts) < 3:
            continue
        key, command, flags = parts[0], parts[1], parts[2:]
        mods = [name for flag, name in MODIFIERS if flag in flags]
        if command not in labels:
            fail(f"accelerator for {command}, which no menu item names")
        rows.setdefault(command, []).append("+".join(mods + [key_name(key)]))
    return rows


def view_keys(source):
    table = re.search(r"\bKEY_TABLE\[\]\s*=\s*\{(.*?)\};", source, re.S)
    if not table:
        fail("no KEY_TABLE in app/main_window.cpp")
    rows = []
    for key, move in re.findall(r"\{\s*(VK_\w+)\s*,\s*Move::(\w+)\s*\}", table.group(1)):
        if move not in MOVES:
            fail(f"no description for Move::{move}")
        rows.append((key_name(key), MOVES[move]))
    return rows


def select_keys(source):
    table = re.search(r"SELECT_KEY_TABLE\[\]\s*=\s*\{(.*?)\};", source, re.S)
    if not table:
        return []
    rows = []
    for key, shift, select in re.findall(r"\{\s*(VK_\w+)\s*,\s*(true|false)\s*,\s*Select::(\w+)\s*\}",
                                         table.group(1)):
        if select not in SELECTS:
            fail(f"no description for Select::{select}")
        rows.append((("Shift+" if shift == "true" else "") + key_name(key), SELECTS[select]))
    return rows


def search_keys(source):
    keys = re.search(r'KEYS\[[^]]*\]\s*=\s*u"([^"]*)"', source)
    table = re.search(r"KEY_BYTES\[[^]]*\]\s*=\s*\{(.*?)\};", source, re.S)
    if not keys or not table:
        fail("no KEYS/KEY_BYTES in search/search_entry.cpp")
    values = [int(v, 16) for v in re.findall(r"0x[0-9A-Fa-f]+", table.group(1))]
    if len(values) != len(keys.group(1)):
        fail("KEYS and KEY_BYTES differ in length")
    # Windows-1255 puts the letters on 0xE0..0xFA; other bytes are themselves.
    chars = [chr(0x5D0 + v - 0xE0) if 0xE0 <= v <= 0xFA else chr(v) for v in values]
    return list(zip(keys.group(1), chars))


def toolbar(source, labels):
    table = re.search(r"TOOLBAR_BUTTONS\[\]\s*=\s*\{(.*?)\};", source, re.S)
    if not table:
        fail("no TOOLBAR_BUTTONS in app/toolbar_win.cpp")
    buttons = [(int(image), command) for image, command in
                     re.findall(r"MakeButton\(\s*(\d+)\s*,\s*(\w+)\s*\)", table.group(1))]
    return [labels[command][0] for _, command in buttons]


def calendar_keys(source):
    moves = re.search(r"CALENDAR_KEYS\[\]\s*=\s*\{(.*?)\};", source, re.S)
    steps = re.search(r"DAY_STEPS\[\]\s*=\s*\{(.*?)\};", source, re.S)
    if not moves or not steps:
        fail("no CALENDAR_KEYS/DAY_STEPS in calendar/calendar_dialog.cpp")
    rows = {}
    for key, move in re.findall(r"\{\s*(VK_\w+)\s*,\s*CalendarKey::(\w+)\s*\}", moves.group(1)):
        if move not in CALENDAR_MOVES:
            fail(f"no description for CalendarKey::{move}")
        rows.setdefault(CALENDAR_MOVES[move], []).append("Alt+" + key_name(key))
    out = [(" or ".join(keys), what) for what, keys in rows.items()]
    for key, days in re.findall(r"\{\s*(VK_\w+)\s*,\s*(-?\d+)\s*\}", steps.group(1)):
        n = int(days)
        what = ("a week" if abs(n) == 7 else "a day") + (" on" if n > 0 else " back")
        out.append((key_name(key), what + " (the framed day)"))
    out.append(("Enter", "show the framed day (without the arrows: close, as Esc does)"))
    return out


def handles(source, message):
    return re.search(rf"case {message}\b", source) is not None


def block():
    rc = read("resources/menu.rc")
    window = read("app/main_window.cpp")
    labels = menu_labels(rc)
    out = ["", "_Generated by `scripts/gen_keys.py` from the accelerator table, the menu and the",
           "key tables in the code; `tests/scripts/readme_keys.sh` fails when it is stale._", "",
           "**Commands** (accelerator table 3, in every part of the main window):", "",
           "| Keys | Command | Menu |", "|---|---|---|"]
    for command, keys in accelerators(rc, labels).items():
        label, menus = labels[command]
        out.append(f"| {' or '.join(keys)} | {label} | {', '.join(dict.fromkeys(menus))} |")
    if handles(window, "WM_HELP"):
        out.append("| F1 | About | File |")
    out += ["", "**Reading** (keys of the document view):", "", "| Key | Does |", "|---|---|"]
    out += [f"| {key} | {what} |" for key, what in view_keys(window)]
    out += [f"| {key} | {what} |" for key, what in select_keys(window)]
    out += ["", "**Mouse**:", ""]
    if handles(window, "WM_MOUSEWHEEL"):
        out.append("- Wheel: one line per notch; rolling away from you moves towards the top.")
        if "MK_CONTROL" in window:
            out.append("- Ctrl+wheel: larger away from you, smaller towards you (the Zoom commands).")
    if handles(window, "WM_LBUTTONDOWN"):
        out.append("- Click in the text: a page back in its upper half, a page on in its lower half "
                   "(the default; the `Flags` setting can turn this off or split left and right).")
        out.append("- Click on the date band at the bottom: the calendar.")
        if handles(window, "WM_MOUSEMOVE"):
            out.append("- Drag across the text: select a passage (Copy and Append then take it with its "
                       "citation); Shift+click moves the selection's far end.")
    if handles(window, "WM_VSCROLL"):
        out.append("- Scroll bar: arrows a line, the trough a page, the thumb anywhere.")
    out += ["- Toolbar, left to right: " + ", ".join(toolbar(read("app/toolbar_win.cpp"), labels)) + ".", "",
            "**Calendar** (Ctrl+D; a click on a day shows it):", "", "| Key | Does |", "|---|---|"]
    out += [f"| {key} | {what} |" for key, what in calendar_keys(read("calendar/calendar_dialog.cpp"))]
    out += ["",
            "**Search box** (typing Hebrew on a Latin keyboard; Scroll Lock on types the keys as they are):",
            ""]
    pairs = [f"`{k}` {c}" for k, c in search_keys(read("search/search_entry.cpp"))]
    for i in range(0, len(pairs), 8):
        out.append(" · ".join(pairs[i:i + 8]) + ("  " if i + 8 < len(pairs) else ""))
    out.append("")
    return "\n".join(out)


def main():
    readme = ROOT / "README.md"
    text = readme.read_text(encoding="utf-8")
    if BEGIN not in text or END not in text:
        fail("README.md has no keys block markers")
    head, rest = text.split(BEGIN, 1)
    _, tail = rest.split(END, 1)
    new = head + BEGIN + "\n" + block() + "\n" + END + tail
    if "--check" in sys.argv[1:]:
        if new != text:
            print("gen_keys: README.md's key reference is stale; run python3 scripts/gen_keys.py")
            return 1
        return 0
    if new != text:
        readme.write_text(new, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
