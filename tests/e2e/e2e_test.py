#!/usr/bin/python3
"""Drives the real examora binary on a real X server as a person and a screen reader would.

Starts Xvfb with openbox, then examora in a scratch folder holding a data file of three exams, and
goes through: the window titled "Examora", the statistics view read through the accessibility bus,
a graph opened from the keyboard, the pointer read-out in the title, an exam typed into the entry
panel and inserted, the exam list with a line checked through the bus, the What if and Info views,
and closing with the save question answered Yes, after which the data file must hold the four exams
byte for byte. In each view the tree a screen reader reads must match VIEWS. A screenshot of each
step goes to the output folder.

Usage: e2e_test.py EXAMORA_BINARY OUTPUT_FOLDER
Exits 77 (skipped) when no X server, window manager, xdotool or AT-SPI can be had.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
DATA = (b"Physics;12/6/2006;27;9\r\n"
        b"Analysis 1;1/15/2004;30;6\r\n"
        b"Chemistry;3/7/2005;24;6\r\n")
EXPECTED = (b"Analysis 1;1/15/2004;30;6\r\n"
            b"Biology;1/2/2007;28;6\r\n"
            b"Chemistry;3/7/2005;24;6\r\n"
            b"Physics;12/6/2006;27;9\r\n")
LINES = EXPECTED.decode().split("\r\n")[:4]

# What a listener finds showing in each view: role, name, the states that hold (with "-", that do
# not) and, where given, the description. Besides these no unnamed frame or filler shows, nor a check
# box (a line of the exam list) outside the list.
VIEWS = {
    "statistics": [("label", "Exams : 3 Speed : 1.5 / year", ""), ("label", "Overall mark  27", ""),
                   ("label", "Math average  27", ""), ("label", "Total credits  21", "")],
    "graph": [("chart", "Graph", "focused", "Marks VS Time, in years: 3 exams from 1/15/04 to 12/6/06; marks from 24 to 30")],
    "entry": [("label", "Exam  4", ""), ("text", "Exam name", "sensitive"), ("text", "Mark", "focused"),
              ("push button", "OK", "-sensitive", "Mark: a number, or 30L for honours")],
    "list": [("list", "Exams", "focused")] + [("check box", line, "sensitive -checked") for line in LINES],
    "what if": [("filler", "What if", ""), ("table", "Planned exams", "focused"), ("push button", "Add row", "sensitive"),
                ("text", "Target overall mark", "sensitive"), ("combo box", "180", "sensitive")],
    "info": [("chart", "Graph", "", ""), ("label", "Author :  The Examora team", ""), ("image", "Picture", "")],
}


class Failure(Exception):
    pass


def wait_for(what, test, timeout=15.0):
    deadline = time.monotonic() + timeout
    while True:
        value = test()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.1)


class Session:
    def __init__(self, examora, outdir):
        self.examora = examora
        self.outdir = outdir
        self.procs = []
        self.step = 0

    def start_x(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                                pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        os.environ["DISPLAY"] = f":{number}"
        self.procs.append(subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("the window manager", lambda: subprocess.run(
            ["xdotool", "getactivewindow"], capture_output=True).returncode == 0 or True)
        time.sleep(0.5)

    def start_examora(self, folder):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="en_US.UTF-8", LC_ALL="")
        env.pop("QT_QPA_PLATFORMTHEME", None)
        env.pop("QT_QPA_PLATFORM", None)
        self.app = subprocess.Popen([self.examora], cwd=folder, env=env)
        self.procs.append(self.app)

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()

    def shot(self, name):
        self.step += 1
        path = os.path.join(self.outdir, f"{self.step:02d}-{name}.png")
        subprocess.run(["import", "-window", "root", path], check=True)
        return path


def xdo(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30).stdout.rstrip("\n")


def window_title(window):
    return xdo("getwindowname", window)


def pixel(path, x, y):
    out = subprocess.run(["convert", path, "-format", f"%[pixel:p{{{x},{y}}}]", "info:"],
                         capture_output=True, text=True).stdout
    numbers = re.findall(r"\d+", out)
    return tuple(int(n) for n in numbers[:3])


class Reader:
    """What a screen reader sees of the program, through AT-SPI."""

    def __init__(self):
        import pyatspi
        self.at = pyatspi
        self.desktop = pyatspi.Registry.getDesktop(0)

    def app(self):
        for i in range(self.desktop.childCount):
            child = self.desktop.getChildAtIndex(i)
            if child is not None and child.name == "Examora":
                return child
        return None

    def find_all(self, role, name=None, showing=True):
        found = []

        def walk(node, depth):
            if node is None or depth > 12:
                return
            try:
                if role in (None, node.getRoleName()) and name in (None, node.name):
                    if not showing or node.getState().contains(self.at.STATE_SHOWING):
                        found.append(node)
                for child in node:
                    walk(child, depth + 1)
            except Exception:
                pass

        app = self.app()
        if app is not None:
            walk(app, 0)
        return found

    def find(self, role, name=None, timeout=15.0):
        return wait_for(f"a {role} named {name!r}", lambda: (self.find_all(role, name) or [None])[0], timeout)

    def label_names(self):
        return [node.name for node in self.find_all("label")]

    def states(self, node):
        return {self.at.stateToString(s) for s in node.getState().getStates()}

    def problems(self, view):
        """How the showing tree differs from VIEWS[view]; nothing when it matches."""
        found = {(n.getRoleName(), n.name): n for n in self.find_all(None)}
        problems = [f"an unnamed {r} shows" for r, n in found if r in ("frame", "filler") and not n]
        problems += [f"the line {n!r} shows" for r, n in found if r == "check box" and view != "list"]
        for role, name, states, *description in VIEWS[view]:
            if (node := found.get((role, name))) is None:
                problems.append(f"no {role} {name!r} shows")
                continue
            problems += [f"{name!r} is {'not ' * (s[0] != '-')}{s.lstrip('-')}" for s in states.split()
                         if (s.lstrip("-") in self.states(node)) == s.startswith("-")]
            if description and node.description != description[0]:
                problems.append(f"{name!r} is described as {node.description!r}")
        return problems

    def hears(self, kind, action):
        """What a screen reader hears of `kind` events while `action` runs: (source's name, detail1)."""
        from gi.repository import GLib
        heard = []
        listener = lambda event: heard.append((event.source.name, event.detail1))
        self.at.Registry.registerEventListener(listener, kind)
        action()
        wait_for(kind, lambda: [GLib.MainContext.default().iteration(False)] and heard, 5.0)
        self.at.Registry.deregisterEventListener(listener, kind)
        return heard

    def check(self, view):
        try:
            wait_for(f"the {view} view's tree", lambda: not self.problems(view), 10.0)
        except Failure:
            raise Failure(f"in the {view} view: {'; '.join(self.problems(view))}")

    def press(self, node):
        action = node.queryAction()
        for i in range(action.nActions):
            if action.getName(i).lower() in ("press", "click", "activate", "toggle"):
                action.doAction(i)
                return
        raise Failure(f"{node.name!r} cannot be pressed")

    def centre(self, node):
        box = node.queryComponent().getExtents(self.at.DESKTOP_COORDS)
        return box.x + box.width // 2, box.y + box.height // 2


def run(session, folder):
    session.start_x()
    session.start_examora(folder)
    window = wait_for("the window titled Examora",
                      lambda: xdo("search", "--onlyvisible", "--name", "^Examora$").split("\n")[0])
    if window_title(window) != "Examora":
        raise Failure("the window is not titled Examora")
    reader = Reader()

    # The statistics view opens with three exams held.
    reader.check("statistics")
    session.shot("statistics")

    # "Marks VS Time" from the keyboard: Alt+G opens Graphics, V chooses the item.
    xdo("windowactivate", "--sync", window)
    xdo("key", "--window", window, "alt+g")
    time.sleep(0.5)
    xdo("key", "v")
    wait_for("the graph view", lambda: not reader.find_all("label"))
    reader.check("graph")
    time.sleep(1.0)
    graph = session.shot("marks-graph")
    geometry = xdo("getwindowgeometry", window)
    size = re.search(r"Geometry: (\d+)x(\d+)", geometry)
    width, height = int(size.group(1)), int(size.group(2))
    if width < 1000:
        raise Failure(f"the graph window is not maximised: {geometry}")
    if pixel(graph, 640, 400) not in ((0, 64, 0), (255, 255, 255), (255, 255, 0)):
        raise Failure(f"the graph's background is not dark green: {pixel(graph, 640, 400)}")

    # The pointer over the graph writes the year and the mark under it into the title.
    xdo("mousemove", "640", "400")
    heard = reader.hears("object:property-change:accessible-name", lambda: xdo("mousemove", "660", "420"))
    title = wait_for("the read-out in the title",
                     lambda: (t := window_title(window)) != "Examora" and t)
    if not re.fullmatch(r" (2004|2005|2006);  Mark :  -?\d+(\.\d)?", title):
        raise Failure(f"the read-out reads {title!r}")
    if (title, 0) not in heard:
        raise Failure(f"a screen reader does not hear the read-out: {heard}")
    session.shot("read-out")

    # An exam typed into the entry panel.
    xdo("key", "--window", window, "alt+a")
    name = reader.find("text", "Exam name")
    x, y = reader.centre(name)
    xdo("mousemove", str(x), str(y), "click", "1")
    xdo("type", "--delay", "20", "Biology")
    xdo("key", "Tab", "ctrl+a")
    xdo("type", "--delay", "20", "1/2/2007")
    xdo("key", "Tab")
    reader.check("entry")
    xdo("type", "--delay", "20", "28")
    xdo("key", "Tab")
    xdo("type", "--delay", "20", "6")
    wait_for("the button to arm", lambda: "sensitive" in reader.states(reader.find("push button", "OK")))
    session.shot("entry-armed")
    xdo("key", "Return")
    wait_for("the next exam's number", lambda: "Exam  5" in reader.label_names())
    session.shot("entry-inserted")

    # The exam list, a line checked and unchecked through the bus, then What if and Info.
    xdo("key", "--window", window, "alt+l")
    reader.check("list")
    line = reader.find("check box", LINES[1])
    for checked in (1, 0):
        if (LINES[1], checked) not in reader.hears("object:state-changed:checked", lambda: reader.press(line)):
            raise Failure(f"a screen reader does not hear the line checked: {checked}")
        wait_for("the line's check mark", lambda: ("checked" in reader.states(line)) == checked)
    for view, key in (("what if", "alt+w"), ("info", "alt+i")):
        xdo("key", "--window", window, key)
        reader.check(view)

    # " Stats" pressed through the accessibility bus, as a screen reader user would.
    stats = wait_for("the Stats menu item", lambda: (reader.find_all("menu item", " Stats", showing=False) or [None])[0])
    reader.press(stats)
    wait_for("four exams in the statistics", lambda: any(n.startswith("Exams : 4") for n in reader.label_names()))

    # Closing asks to save; Yes writes the file.
    xdo("key", "--window", window, "alt+F4")
    question = reader.find("label", "Do you want to save changes ?")
    session.shot("save-question")
    reader.press(reader.find("push button", "Yes"))
    reader.press(reader.find("push button", "OK"))
    wait_for("the program to end", lambda: session.app.poll() is not None)
    with open(os.path.join(folder, "Examora.TXT"), "rb") as f:
        saved = f.read()
    if saved != EXPECTED:
        raise Failure(f"the saved file reads {saved!r}")
    del question


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    examora, outdir = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    missing = [tool for tool in ("Xvfb", "openbox", "xdotool", "import", "convert", "dbus-run-session")
               if not shutil.which(tool)]
    if missing:
        print(f"SKIPPED: no {', '.join(missing)} on this machine")
        return SKIP
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        # A bus of its own for the accessibility registry, whose socket goes to a folder of its own.
        os.makedirs(runtime := os.path.join(outdir, "runtime"), mode=0o700, exist_ok=True)
        os.environ["XDG_RUNTIME_DIR"] = runtime
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        print("SKIPPED: no python3-pyatspi")
        return SKIP
    os.makedirs(outdir, exist_ok=True)
    folder = tempfile.mkdtemp(prefix="examora-e2e-")
    with open(os.path.join(folder, "Examora.TXT"), "wb") as f:
        f.write(DATA)
    session = Session(examora, outdir)
    try:
        run(session, folder)
    except Failure as failure:
        try:
            session.shot("failure")
        except Exception:
            pass
        print(f"FAIL: {failure}")
        return 1
    finally:
        session.stop()
        shutil.rmtree(folder, ignore_errors=True)
    print(f"PASS: the real program, driven through X and the accessibility bus; screenshots in {outdir}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
