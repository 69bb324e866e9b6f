"""An X server and a D-Bus session of a test's own, for tests that read the
screen as assistive technology does (tst_AtspiTree.py, tst_Listening.py)."""

import os
import subprocess
import sys

SKIP = 77


def skip(why):
    print("SKIP: " + why)
    sys.exit(SKIP)


def run_in_private_session(command, environment, timeout):
    """Runs command in a D-Bus session of its own on a fresh X server, with
    environment added; returns its exit status. Skips when the X server
    cannot start."""
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=[write_fd],
                            stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as display_pipe:
        display = display_pipe.readline().strip()
    if not display:
        xvfb.kill()
        skip("the X server did not start")
    try:
        env = dict(os.environ, DISPLAY=":" + display, **environment)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        return subprocess.run(["dbus-run-session", "--"] + command, env=env,
                              timeout=timeout).returncode
    finally:
        xvfb.kill()
        xvfb.wait()
