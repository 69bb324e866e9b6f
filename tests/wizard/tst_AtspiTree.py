#!/usr/bin/python3
"""Reads the wizard's pages over AT-SPI, as a screen reader does.

Starts its own X server and D-Bus session, shows each page in atspi_page_host
with Qt's accessibility bridge on, and checks what the reader finds: every
control a user can reach has a name and its role, the captions name their
fields and lists, and the background picture is not shown to the reader.
Exits 77 (skipped) with the reason when the X server, the D-Bus session or
the accessibility bus cannot start here.
"""

import os
import shutil
import subprocess
import sys
import time

from private_session import run_in_private_session, skip

# Page, then names that must be there with their role.
EXPECTED = {
    "StaticIp": [("WAN IP Address", "text"), ("Secondary DNS", "text"),
                 ("NEXT", "push button"), ("Exit", "push button")],
    "IspAndPvc": [("Country", "combo box"), ("Protocol", "combo box"), ("VPI", "text"),
                  ("Dynamic IP", "radio button")],
    "InstallMode": [("Start a first installation", "push button"),
                    ("First install", "radio button")],
    "Preparations": [("Have you turned off the wireless adapter in your PC/laptop?", "check box")],
    # NEXT pressed on the empty page: the refusal beside the field is an alert.
    "IspAccount next": [("Username", "text"), ("Invalid user name.", "notification")],
    # The guide is a document; its headings are headings.
    "JoinWireless": [("How do I join a wireless network?", "document frame"), ("Linux", "heading")],
}
ROLES = {"text", "password text", "combo box", "push button", "check box", "radio button",
         "link", "document frame", "list", "list item"}  # link: a term; the last two: a list's entries


def outer(host):
    for tool in ("Xvfb", "dbus-run-session"):
        if not shutil.which(tool):
            skip(tool + " is not installed")
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        skip("at-spi2-core is not installed")
    return run_in_private_session(["/usr/bin/python3", __file__, "--inner", host],
                                  {"QT_QPA_PLATFORM": "xcb",
                                   "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "NO_AT_BRIDGE": "0"},
                                  120)


def walk(node, depth=0):
    yield node
    if depth > 30:
        return
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def find_app(pyatspi, deadline):
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name == "tarnix-atspi-host":
                return app
        time.sleep(0.2)
    return None


def read_page(pyatspi, host, page):
    process = subprocess.Popen([host] + page.split()[:1] + ["20"] + page.split()[1:],
                               stdout=subprocess.PIPE)
    try:
        process.stdout.readline()
        app = find_app(pyatspi, time.time() + 15)
        if app is None:
            return ["the page's application never appeared on the accessibility bus"]
        time.sleep(1.5)
        faults = []
        found = []
        for node in walk(app):
            states = node.getState()
            role = node.getRoleName()
            if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
                if not node.name.strip():
                    faults.append("%s: a %s has no name" % (page, role))
                if role not in ROLES:
                    faults.append("%s: %r has role %s" % (page, node.name, role))
            if role == "image" and states.contains(pyatspi.STATE_SHOWING):
                faults.append("%s: a decorative picture is shown to the reader" % page)
            found.append((node.name.rstrip(": "), role))
            # Qt names a list by the entry it shows and ties it to its
            # caption by a labelled-by relation, which readers speak first.
            for relation in node.getRelationSet():
                if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                    found.append((relation.getTarget(0).name.rstrip(": "), role))
        for name, role in EXPECTED[page]:
            if (name, role) not in found:
                faults.append("%s: no %s named %r" % (page, role, name))
        return faults
    finally:
        process.kill()
        process.wait()


def inner(host):
    try:
        import pyatspi
    except ImportError:
        skip("python3-pyatspi is not installed")
    try:
        pyatspi.Registry.getDesktop(0)
    except Exception as error:  # the bus launcher failed
        skip("the accessibility bus did not start: %s" % error)
    faults = []
    for page in EXPECTED:
        faults += read_page(pyatspi, host, page)
    for fault in faults:
        print("FAIL: " + fault)
    print("%d pages read, %d faults" % (len(EXPECTED), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2]))
    if len(sys.argv) != 2:
        print("usage: tst_AtspiTree.py <atspi_page_host>")
        sys.exit(2)
    sys.exit(outer(os.path.abspath(sys.argv[1])))
