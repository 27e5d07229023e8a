#!/usr/bin/python3
"""Reads the running program's windows as a screen reader does, through AT-SPI, and fails on
every control that takes the keyboard focus, or is pressed, and has no name (or only a
symbol); it also checks that the topic list's rows say their kind of page.

The program runs on a private X server (Xvfb) and a private D-Bus session with its own
accessibility bus, so the check needs no desktop and leaves the caller's alone. Every wait is
bounded: a bus or window that does not come up fails the check with a message, never hangs it.

Usage: screenreader_check.py PROGRAM CLI MAKE_LIBRARY
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Long enough for the web engine's first start on a slow, busy machine.
WINDOW_TIMEOUT = 90.0
BUS_TIMEOUT = 30.0
POLL = 0.2


class CheckFailed(Exception):
    pass


def fail(message):
    raise CheckFailed(message)


def wait_for(what, timeout, probe):
    """Calls probe until it returns something true, and returns that; fails after timeout."""
    deadline = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < deadline:
        try:
            found = probe()
            if found:
                return found
        except CheckFailed:
            raise
        except Exception as error:  # the bus or the program is still starting
            last_error = error
        time.sleep(POLL)
    fail("timed out waiting for %s%s" % (what, ": %s" % last_error if last_error else ""))


def ends_with_this_check():
    """For a started process: it is ended when this script ends, even by a crash of the
    AT-SPI library, so that no X server or program outlives the check."""
    import ctypes
    libc = ctypes.CDLL(None, use_errno=True)
    pr_set_pdeathsig = 1
    libc.prctl(pr_set_pdeathsig, signal.SIGTERM)


def in_private_session():
    """Runs this script again inside its own D-Bus session, unless it already is."""
    if os.environ.get("QS_SCREENREADER_SESSION") == "1":
        return
    runner = shutil.which("dbus-run-session")
    if runner is None:
        shutil.rmtree(os.environ["QS_SCREENREADER_FOLDER"], ignore_errors=True)
        print("FAIL: dbus-run-session is missing (package dbus-daemon; run scripts/install-deps)",
              file=sys.stderr)
        sys.exit(1)
    env = dict(os.environ, QS_SCREENREADER_SESSION="1")
    os.execve(runner, [runner, "--", sys.executable] + sys.argv, env)


def start_x_server(stack):
    xvfb = shutil.which("Xvfb")
    if xvfb is None:
        fail("Xvfb is missing (package xvfb; run scripts/install-deps)")
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        [xvfb, "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        preexec_fn=ends_with_this_check)
    stack.append(server)
    os.close(write_end)
    os.set_blocking(read_end, False)
    chunks = []

    def display_number():
        if server.poll() is not None:
            fail("Xvfb ended at start with status %d" % server.returncode)
        try:
            chunk = os.read(read_end, 64)
        except BlockingIOError:
            return None
        chunks.append(chunk)
        text = b"".join(chunks).decode()
        return text.strip() if text.endswith("\n") else None

    number = wait_for("the X server", BUS_TIMEOUT, display_number)
    os.close(read_end)
    return ":" + number


def start_accessibility_bus(stack):
    """Starts the accessibility bus of this session and waits until it gives its address."""
    launcher = next((path for path in ("/usr/libexec/at-spi-bus-launcher",
                                       "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                     if os.access(path, os.X_OK)), None)
    if launcher is None:
        fail("at-spi-bus-launcher is missing (package at-spi2-core; run scripts/install-deps)")
    stack.append(subprocess.Popen([launcher, "--launch-immediately"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  preexec_fn=ends_with_this_check))

    try:
        from gi.repository import Gio, GLib
    except ImportError:
        fail("python3-gi is missing (package python3-pyatspi; run scripts/install-deps)")

    def address():
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                  None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 2000,
                                  None)
        return reply.unpack()[0]

    return wait_for("the accessibility bus", BUS_TIMEOUT, address)


def make_project(folder, cli, make_library):
    library = os.path.join(folder, "TextKit")
    project = os.path.join(folder, "TextKit.qsp")
    for command in ([make_library, library],
                    [cli, "extract", library, project, "--help-folder",
                     os.path.join(folder, "help")]):
        made = subprocess.run(command, timeout=60, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT)
        if made.returncode != 0:
            fail("%s ended with status %d:\n%s" % (" ".join(command), made.returncode,
                                                   made.stdout.decode(errors="replace")))
    return project


# Roles a user presses or sets: named even when they keep the keyboard focus away.
PRESSED_ROLES = {"push button", "toggle button", "check box", "radio button", "combo box"}


def children(node):
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield child


def walk(node, path=()):
    """Every node below `node` with the names of the nodes above it; a web page's content is
    the author's, not the program's controls, and is left out."""
    yield node, path
    if node.getRoleName() == "document web":
        return
    for child in children(node):
        yield from walk(child, path + (node.name or node.getRoleName(),))


def says_something(name):
    """A name of fewer than two letters ("?", "...", "B") is a symbol, not a name."""
    return sum(1 for c in name if c.isalpha()) >= 2


def nameless_controls(pyatspi, window):
    """How many controls `window` has, and those without a name that says something."""
    controls = 0
    found = []
    for node, path in walk(window):
        states = node.getState()
        showing = states.contains(pyatspi.STATE_SHOWING)
        control = states.contains(pyatspi.STATE_FOCUSABLE) or (
            showing and node.getRoleName() in PRESSED_ROLES)
        if not control:
            continue
        controls += 1
        if not says_something(node.name or ""):
            found.append("%s (description %r) in %s" % (node.getRoleName(), node.description,
                                                          " > ".join(path)))
    return controls, found


def find(window, role, name=None, starts=None):
    for node, _ in walk(window):
        if node.getRoleName() != role:
            continue
        if name is not None and node.name != name:
            continue
        if starts is not None and not (node.name or "").startswith(starts):
            continue
        return node
    return None


def press(node, what):
    if node is None:
        fail("no %s to press" % what)
    action = node.queryAction()
    for index in range(action.nActions):
        if action.getName(index) in ("press", "click", "Press", "Click"):
            action.doAction(index)
            return
    fail("%s %r has no press action" % (node.getRoleName(), node.name))


class Program:
    def __init__(self, pyatspi, process):
        self.pyatspi = pyatspi
        self.process = process
        self.problems = []
        self.checked = {}

    def application(self):
        if self.process.poll() is not None:
            fail("the program ended with status %d" % self.process.returncode)
        desktop = self.pyatspi.Registry.getDesktop(0)
        for candidate in children(desktop):
            if candidate.get_process_id() == self.process.pid:
                return candidate
        return None

    def window(self, holding_role, holding_name=None, starts=None):
        """The program's top-level window that holds a control of this role and name."""
        def probe():
            application = self.application()
            if application is None:
                return None
            for window in children(application):
                if not window.getState().contains(self.pyatspi.STATE_SHOWING):
                    continue
                if find(window, holding_role, holding_name, starts) is not None:
                    return window
            return None
        return wait_for("a window with %s %r" % (holding_role, holding_name or starts),
                        WINDOW_TIMEOUT, probe)

    def check_names(self, what, window):
        controls, nameless = nameless_controls(self.pyatspi, window)
        self.checked[what] = controls
        self.problems += ["%s: %s" % (what, problem) for problem in nameless]

    def expect(self, what, condition):
        if not condition:
            self.problems.append(what)


def check_program(process):
    try:
        import pyatspi
    except ImportError:
        fail("python3-pyatspi is missing (run scripts/install-deps)")
    program = Program(pyatspi, process)

    # The main window, once the project has filled the topic list.
    main = program.window("table cell", "License")
    program.check_names("main window", main)
    topics = find(main, "tree", "Topics") or find(main, "tree table", "Topics")
    program.expect("the topic list is named \"Topics\"", topics is not None)
    if topics is not None:
        rows = {node.name: node.description for node, _ in walk(topics)
                if node.getRoleName() == "table cell"}
        program.expect("the Index row says it is the Index page, not %r" % rows.get("Index"),
                       rows.get("Index") == "Index page")
        function = rows.get("TextTrim", "")
        program.expect("a function's row says it is a function, not %r" % function,
                       function.split(";")[0] == "Function")

    # The Options tab, shown.
    press(find(main, "page tab", "Options"), "Options tab")
    wait_for("the Options tab", BUS_TIMEOUT, lambda: find(main, "check box", starts="Compile").
             getState().contains(pyatspi.STATE_SHOWING))
    program.check_names("Options tab", main)
    press(find(main, "page tab", "Project"), "Project tab")
    wait_for("the Project tab", BUS_TIMEOUT, lambda: find(main, "push button", "Preview [F1]").
             getState().contains(pyatspi.STATE_SHOWING))

    # The preview window, ended with its own button.
    press(find(main, "push button", "Preview [F1]"), "preview button")
    preview = program.window("push button", "End preview")
    program.check_names("preview window", preview)
    press(find(preview, "push button", "End preview"), "End preview button")
    wait_for("the preview window to close", WINDOW_TIMEOUT,
             lambda: find(program.application(), "push button", "End preview") is None)

    # The builder window, once the build is done.
    press(find(main, "push button", "Create HTML files"), "Create HTML files button")
    builder = program.window("push button", starts="Ok")
    program.check_names("builder window", builder)
    press(find(builder, "push button", starts="Ok"), "builder's Ok button")

    if program.problems:
        fail("%d problems a screen reader meets:\n  " % len(program.problems) +
             "\n  ".join(program.problems))
    print("Every control is named (%s), and the topic list's rows say their kind." %
          ", ".join("%s: %d" % (what, count) for what, count in program.checked.items()))


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    program, cli, make_library = (os.path.abspath(path) for path in sys.argv[1:4])
    if os.environ.get("QS_SCREENREADER_SESSION") != "1":
        # Only the private session's accessibility bus is asked, never the caller's; the bus
        # places its socket in the runtime folder, which two checks at once must not share.
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        os.environ.pop("DISPLAY", None)
        folder = tempfile.mkdtemp(prefix="qs-screenreader-")
        runtime = os.path.join(folder, "runtime")
        os.mkdir(runtime, 0o700)
        os.environ.update(QS_SCREENREADER_FOLDER=folder, XDG_RUNTIME_DIR=runtime, HOME=folder,
                          XDG_CONFIG_HOME=os.path.join(folder, "config"),
                          XDG_DATA_HOME=os.path.join(folder, "data"))
    in_private_session()
    stack = []
    folder = os.environ["QS_SCREENREADER_FOLDER"]
    log_path = os.path.join(folder, "program.log")
    try:
        display = start_x_server(stack)
        os.environ["DISPLAY"] = display
        start_accessibility_bus(stack)
        project = make_project(folder, cli, make_library)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1", QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu")
        if os.getuid() == 0:
            env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
        with open(log_path, "wb") as log:
            app = subprocess.Popen([program, project], env=env, cwd=folder, stdout=log,
                                   stderr=subprocess.STDOUT, preexec_fn=ends_with_this_check)
        stack.append(app)

        check_program(app)
        return 0
    except CheckFailed as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        if os.path.exists(log_path):
            with open(log_path, errors="replace") as log:
                lines = log.readlines()[-40:]
            print("The program's last lines:\n" + "".join(lines), file=sys.stderr)
        return 1
    finally:
        for process in reversed(stack):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
