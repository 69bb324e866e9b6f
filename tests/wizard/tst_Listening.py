#!/usr/bin/python3
"""Listens to the wizard through a real screen reader.

Starts its own X server with a window manager, a private D-Bus session (and
with it the accessibility bus), speech-dispatcher with an output module that
writes every utterance to a file instead of a sound card, and Orca. Then walks
the first-install road by keyboard against the router emulator on 127.0.0.1
and checks what Orca said after each key against a table: the page's
announcement, each Tab stop, the errors, and never a typed secret.
Exits 77 (skipped) with the reason when any of these cannot start here.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from private_session import run_in_private_session, skip

PRODUCT_LINE = "Viveriva V300 AROV2+ Ovure Doridu + DER"
SECRETS = ["Secret123", "PppSecret9", "WifiKey2024"]
# The secrets as Orca would spell them when echoing keys, one per line.
SPELLED = [list(secret) for secret in SECRETS]

# The road, one row per action: the page, the keys pressed (xdotool names;
# "type:" types text, "wait:" waits up to that many seconds for what must be
# heard), what must be heard afterwards in this order, and what must not be
# heard.
ROAD = [
    # The road starts after a run that was cut off: the welcome page says so.
    ("Welcome", [], ["Welcome - Tarnix Setup Wizard", "The last setup did not finish",
                     "Select your language: combo box", "English"], []),
    ("Preparations", ["Return"],
     ["Welcome to the Setup Wizard for your wireless router dialog",
      "What is an Internet Service Provider?", "User Note: 1.",
      "Do you have your Internet Service Provider details? check box not checked"],
     [PRODUCT_LINE]),
    ("Preparations, box 1", ["space"], ["checked"], []),
    ("Preparations, term", ["Tab"], ["What is an Internet Service Provider? link"], []),
    ("Preparations, explanation", ["Return"],
     ["ISP - Internet Service Provider.", "This is the company that provides you with your "
      "Internet connection.", "OK push button"], []),
    ("Preparations, explanation closed", ["Escape"],
     ["What is an Internet Service Provider? link"], []),
    ("Preparations, box 2", ["Tab", "space"],
     ["Does your firewall let this computer reach the router? check box not checked", "checked"],
     []),
    ("Preparations, box 3", ["Tab", "Tab", "space"],
     ["How do I check this? link", "Have you turned off the wireless adapter in your PC/laptop? "
      "check box not checked", "checked"], []),
    ("Install mode", ["Return"], ["How would you like to set up your router? dialog",
                                  "First install", "radio button"], [PRODUCT_LINE]),
    ("Power", ["Return"], ["First,let's set up the hardware, Step 1 of 5: Hardware dialog",
                           "check that the power LED comes on", "NEXT push button"], []),
    ("Ethernet", ["Return"], ["Now let's connect the router to the computer, Step 1 of 5",
                              "Take the blue Ethernet cable that came in the box", "NEXT"], []),
    ("DSL line", ["Return"], ["Now let's connect the Internet cable, Step 1 of 5",
                              "Microfilter splitter that is supplied", "NEXT"], []),
    # The password typed at once, while the wizard still logs in (slowed past
    # the typing): no key is echoed, and the field it lands in is still named.
    ("Create password", ["Return", "type:" + SECRETS[0]],
     ["Please wait password text", "bullet", "Now let's create a password for your router, "
      "Step 2 of 5: Password dialog", "Advanced User Interface (also known as the UI)",
      "Create a password: password text"], []),
    # Said as the focus lands, although Qt tells of the field's caret first.
    ("Re-enter", ["Tab"], ["Re-enter your password: password text"], []),
    # An error is spoken as it appears.
    ("Mismatch", ["type:" + SECRETS[0][:-1], "Return"], ["bullet", "Invalid Pasword!"], []),
    ("Create password again", ["type:" + SECRETS[0], "Tab", "type:" + SECRETS[0]],
     ["Re-enter your password: password text", "Invalid Pasword!", "bullet"], []),
    # The heading is said once: the introduction's first sentence repeats it.
    ("ISP and PVC", ["Return"],
     ["Now tell us your internet Service Provider details: provider and connection, "
      "Step 3 of 5: Internet dialog", "If you do not have this information already",
      "Country: combo box", "Australia"], ["internet  Service"]),
    ("ISP and PVC, provider", ["Tab"], ["Internet Service Provider: combo box", "AAPT"], []),
    # A closed list says its new entry once, not its name and role again.
    ("ISP and PVC, provider changed", ["Down"], ["Dodo Internet"], ["combo box"]),
    ("ISP and PVC, provider back", ["Up"], ["AAPT"], ["combo box", "Dodo"]),
    ("ISP and PVC, protocol", ["Tab"], ["Protocol: combo box", "PPPoE"], []),
    # Whole values: not "3" for 35.
    ("ISP and PVC, circuit", ["Tab", "Tab", "Tab"],
     ["Encapsulation: combo box", "LLC", "VPI: text", "8", "VCI: text", "35"], ["3 selected"]),
    ("ISP account", ["Return"],
     ["Now tell us your internet Service Provider details: user name and password, "
      "Step 3 of 5: Internet dialog", "Username: text"], []),
    ("ISP account, typed", ["type:user@example.net", "Tab", "type:" + SECRETS[1], "Tab",
                            "type:" + SECRETS[1]],
     ["u", "Password: password text", "bullet", "Confirm Password : password text", "bullet"], []),
    ("Wireless", ["Return"], ["Give your wireless network a name, Step 4 of 5: Wireless dialog",
                              "Wireless Network Name (SSID): text", "Tarnix"], ["Tarni."]),
    ("Wireless, list", ["Tab"], ["Security Level: combo box", "WPA2(recommended)"], []),
    ("Wireless, key", ["Tab", "type:short"], ["Pre-Shared Key", "bullet"], []),
    ("Wireless, refused", ["Return"], ["Wireless Password must between 8 and 63 characters"], []),
    ("Wireless, key again", ["ctrl+a", "type:" + SECRETS[2]], ["bullet"], []),
    # The status line is announced at most every few seconds, so which of its texts is heard
    # depends on how fast the run goes; one of them must be.
    ("Apply", ["Return"], ["We are now saving your ISP settings dialog", "percent",
                           "notification "], []),
    ("Success", ["wait:60"], ["Well done! Your router is now up and running, Step 5 of 5: Done"],
     []),
    ("Join wireless", ["Return"], ["How do I join a wireless network? dialog",
                                   "PRINT push button"], []),
    # The guide is a document; a line down reads a table's whole row.
    ("Join wireless, guide", ["shift+Tab"], ["How do I join a wireless network?", "document"],
     ["label"]),
    ("Join wireless, guide read", ["Down", "Down", "Down"], ["Wireless network name (SSID):",
                                                            "Tarnix"], []),
]


def need(tool):
    if not shutil.which(tool):
        skip(tool + " is not installed (tools/ci/install-deps.sh installs it)")


def outer(wizard, router_sim):
    for tool in ("Xvfb", "openbox", "dbus-run-session", "orca", "speech-dispatcher", "xdotool"):
        need(tool)
    if not os.path.exists("/usr/lib/speech-dispatcher-modules/sd_generic"):
        skip("speech-dispatcher's generic output module is not installed")
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        skip("at-spi2-core is not installed")
    return run_in_private_session([sys.executable, __file__, "--inner", wizard, router_sim], {},
                                  330)


class Transcript:
    """What speech-dispatcher's output module wrote, one utterance a line."""

    def __init__(self, path):
        self.path = path
        self.read_to = 0
        self.guide_starts_at = None

    def lines(self):
        with open(self.path, encoding="utf-8", errors="replace") as spoken:
            return [line.rstrip("\n") for line in spoken]

    def new_lines(self, quiet=1.5, limit=15.0):
        """Waits until Orca has been quiet for a while; returns what it said since last asked."""
        deadline = time.time() + limit
        count = len(self.lines())
        settled = time.time()
        while time.time() < deadline:
            time.sleep(0.25)
            now = len(self.lines())
            if now != count:
                count, settled = now, time.time()
            elif time.time() - settled >= quiet and now > self.read_to:
                break
        lines = self.lines()
        said, self.read_to = lines[self.read_to:], len(lines)
        return said


def start_speech(folder, transcript):
    config = os.path.join(folder, "speech")
    os.makedirs(os.path.join(config, "modules"))
    with open(os.path.join(config, "speechd.conf"), "w") as conf:
        conf.write('AddModule "transcript" "sd_generic" "transcript.conf"\n'
                   'DefaultModule "transcript"\nDefaultLanguage "en"\n'
                   'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n')
    with open(os.path.join(config, "modules", "transcript.conf"), "w") as conf:
        conf.write("GenericExecuteSynth \"printf '%%s\\\\n' '$DATA' >> %s\"\n"
                   'AddVoice "en" "MALE1" "transcript"\nGenericLanguage "en" "en" "utf-8"\n'
                   'GenericMaxChunkLength 4000\nGenericDelimiters ""\n'
                   % transcript)
    socket = os.path.join(folder, "speech.sock")
    server = subprocess.Popen(["speech-dispatcher", "-s", "-t", "0", "-C", config, "-S", socket,
                               "-L", folder, "-P", os.path.join(folder, "speech.pid")], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    return server, "unix_socket:" + socket


def start_router(router_sim):
    # Each login takes 6 s: the password typed ahead (1 s + 9 keys of 0.4 s)
    # is all in before the password page opens. A key pressed as it opens
    # cuts off Orca's speech, and with it the new field's name.
    sim = subprocess.Popen([router_sim, "--listen", "127.0.0.1:0", "--fault",
                            "/index.html:delay=6000"], stdout=subprocess.PIPE, text=True)
    line = sim.stdout.readline().strip()
    if not line.startswith("listening on 127.0.0.1:"):
        sim.kill()
        return None, None
    return sim, line.rsplit(":", 1)[1]


def keys(action):
    # A second after each key: a reader that lags on a busy or freshly set up
    # machine then still hears each key on the control it was pressed on,
    # rather than after the focus has moved on.
    for key in action:
        if key.startswith("wait:"):
            continue
        if key.startswith("type:"):
            subprocess.run(["xdotool", "type", "--delay", "400", key[5:]], check=True)
        else:
            subprocess.run(["xdotool", "key", "--delay", "150", key], check=True)
        time.sleep(1.0)


def heard_in_order(said, expected):
    """The expected phrases, each found in a line after the previous one's."""
    text = " ".join(" ".join(said).split())
    at = 0
    for phrase in expected:
        found = text.find(phrase, at)
        if found < 0:
            return phrase
        at = found + len(phrase)
    return None


def walk(transcript, record):
    faults = []
    for page, action, expected, unexpected in ROAD:
        if page.startswith("Join wireless") and transcript.guide_starts_at is None:
            transcript.guide_starts_at = len(transcript.lines())
        keys(action)
        said = transcript.new_lines()
        # A busy machine opens a page or applies later: listen on until what
        # must be heard is, so that the next keys go to the page they are for.
        waits = [float(key[5:]) for key in action if key.startswith("wait:")]
        deadline = time.monotonic() + (sum(waits) if waits else 10)
        while heard_in_order(said, expected) is not None and time.monotonic() < deadline:
            time.sleep(0.5)
            said += transcript.new_lines()
        record.write("== %s: %s\n%s\n" % (page, " ".join(action), "\n".join(said)))
        missing = heard_in_order(said, expected)
        if missing is not None:
            faults.append("%s: %r not heard (heard %r)" % (page, missing, said))
        for phrase in unexpected:
            if any(phrase in line for line in said):
                faults.append("%s: %r heard" % (page, phrase))
    return faults


def secrets_heard(lines):
    text = "\n".join(lines)
    heard = [secret for secret in SECRETS if secret in text]
    # Echoed key by key: the secret's characters on consecutive lines.
    stripped = [line.strip() for line in lines]
    for letters in SPELLED:
        for start in range(len(stripped) - 3):
            if stripped[start:start + 4] == letters[:4]:
                heard.append("".join(letters) + " (spelled)")
    return heard


def inner(wizard, router_sim):
    folder = tempfile.mkdtemp(prefix="tarnix-listen-")
    transcript_path = os.path.join(folder, "spoken.txt")
    open(transcript_path, "w").close()
    started = []
    faults = ["not walked"]
    try:
        started.append(subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL))
        speech, address = start_speech(folder, transcript_path)
        started.append(speech)
        env = dict(os.environ, SPEECHD_ADDRESS=address, GTK_MODULES="gail:atk-bridge")
        # Orca looks for others by the process name "orca", machine-wide: one
        # started with --replace kills them, one without refuses to start. Run
        # by its interpreter, it is neither found nor finds another listening
        # test's, and so replaces none.
        orca = shutil.which("orca")
        with open(orca, encoding="utf-8") as script:
            interpreter = script.readline()[2:].split()
        started.append(subprocess.Popen(interpreter + [orca, "-u", os.path.join(folder, "orca")],
                                        env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL))
        transcript = Transcript(transcript_path)
        if not any("Screen reader on" in line for line in transcript.new_lines(limit=30)):
            skip("Orca did not start speaking within 30 s")
        sim, port = start_router(router_sim)
        if sim is None:
            skip("the router emulator did not start")
        started.append(sim)
        # A runtime folder of its own: a wizard another test runs elsewhere on
        # the machine is not the one instance this wizard would hand over to.
        runtime = os.path.join(folder, "runtime")
        os.makedirs(runtime, mode=0o700)
        # The mark a setup cut off midway leaves behind.
        state = os.path.join(folder, "state")
        os.makedirs(os.path.join(state, "tarnix-setup"))
        open(os.path.join(state, "tarnix-setup", "setup-under-way"), "w").close()
        wizard_env = dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                          XDG_RUNTIME_DIR=runtime, XDG_STATE_HOME=state)
        started.append(subprocess.Popen(
            [wizard, "--router", "127.0.0.1:" + port, "--pause-ms", "100", "--settle-ms", "6000",
             "--probe-url", "http://127.0.0.1:%s/support" % port], env=wizard_env))
        record_path = os.environ.get("TARNIX_TRANSCRIPT", os.path.join(folder, "road.txt"))
        with open(record_path, "w") as record:
            faults = walk(transcript, record)
        # The join-wireless guide reads out the key it shows, as it should.
        before_guide = transcript.lines()[:transcript.guide_starts_at]
        faults += ["a secret was spoken: " + secret for secret in secrets_heard(before_guide)]
        for fault in faults:
            print("FAIL: " + fault)
        print("%d steps listened to, %d faults; transcript in %s"
              % (len(ROAD), len(faults), record_path))
        return 1 if faults else 0
    finally:
        for process in reversed(started):
            process.kill()
            process.wait()
        # Kept for a look when something was not heard as it should be.
        if not faults:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2], sys.argv[3]))
    if len(sys.argv) != 3:
        print("usage: tst_Listening.py <TarnixConnect> <router-sim>")
        sys.exit(2)
    sys.exit(outer(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])))
