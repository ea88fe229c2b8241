#!/usr/bin/python3
"""The calculator on a real X display, driven by keys as a keyboard user
drives it, read back through the accessibility bus as a screen reader reads
it and through the X clipboard as another program reads it. Run it as CTest
does, in an X server and a D-Bus session of its own:
  xvfb-run -a dbus-run-session -- /usr/bin/python3 desktop_session.py PROGRAM
VANTOREL_SHOTS=DIR saves a picture of the screen after each step.
"""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi


def wait_for(what, find, timeout=10.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            found = find()
        except Exception:  # an object went away while we looked: look again
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise AssertionError(f"gave up waiting for {what}")


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)


def shot(name):
    folder = os.environ.get("VANTOREL_SHOTS")
    if folder:
        subprocess.run(["import", "-window", "root", os.path.join(folder, name + ".png")], check=True)


def objects(root):
    """Every object under root, depth first."""
    stack = [root]
    while stack:
        node = stack.pop()
        if node is not None:
            yield node
            stack.extend(node[i] for i in range(node.childCount))


def application(pid):
    return next((a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid), None)


def names(app, role):
    return [o.name for o in objects(app) if o.getRole() == role]


def showing(app, words):
    """A showing object whose name holds all the words."""
    return next((o for o in objects(app)
                 if all(w in o.name for w in words) and o.getState().contains(pyatspi.STATE_SHOWING)), None)


def main(program):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               LC_ALL="C.UTF-8", LANG="C.UTF-8")
    log = tempfile.TemporaryFile()
    proc = subprocess.Popen([program], env=env, stderr=log)
    try:
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(proc.pid)],
                                check=True, capture_output=True, text=True, timeout=20).stdout.split()[0]
        # Without a window manager nobody gives the new window the keyboard.
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        app = wait_for("the window on the accessibility bus", lambda: application(proc.pid))

        # Every control a screen reader meets has a name.
        assert sorted(names(app, pyatspi.ROLE_LIST)) == ["Category", "Fluid"], names(app, pyatspi.ROLE_LIST)
        assert "Temperature in kelvin" in names(app, pyatspi.ROLE_TEXT), names(app, pyatspi.ROLE_TEXT)

        # Air at 310 K: the focus starts in the category list. Shift+Tab from
        # the box goes back through both lists round to Calculate; Enter
        # presses it.
        keys("Down", "Tab", "Down", "Tab")
        typed("310")
        keys("shift+Tab", "shift+Tab", "shift+Tab", "Return")
        density = wait_for("density 1.1281", lambda: showing(app, ["density", "1.1281"]))
        print("read:", density.name)
        shot("air-310")

        # Ctrl+Shift+C puts the results on the clipboard as tab-separated text.
        keys("ctrl+shift+c")
        copied = wait_for("the copied results", lambda: subprocess.run(
            ["xclip", "-o", "-selection", "clipboard"], capture_output=True, text=True).stdout)
        assert "\t1.1281\t" in copied and copied.startswith("Fluid\tAir\n"), copied
        print("copied:", copied.splitlines()[3])

        # "abc" in the box, then Alt+R: held in the box like a click, not reset.
        keys("Tab", "Tab", "Tab")
        typed("abc")
        keys("alt+r")
        told = wait_for("the entry check's message",
                        lambda: showing(app, ["The value for temperature must be a number."]))
        print("told:", told.name)
        shot("alt-r-abc")
        keys("Return")
        wait_for("the message to close",
                 lambda: not showing(app, ["The value for temperature must be a number."]))
        box = next(o for o in objects(app) if o.getRole() == pyatspi.ROLE_TEXT)
        text = box.queryText()
        assert text.getText(0, text.characterCount) == "abc", "the form was reset"
        print("desktop session: all checks passed")
    except BaseException:
        log.seek(0)
        sys.stderr.write(log.read().decode(errors="replace"))
        raise
    finally:
        proc.terminate()
        proc.wait(timeout=10)


if __name__ == "__main__":
    main(sys.argv[1])
