#!/usr/bin/env python3
"""The watch list end to end: the real program and the real tarvelo-service.

Like lookup.py, the script runs in a network namespace of its own (ctest
starts it under `unshare --net`), where tarvelo-service takes the port of the
endpoint built into the program. The program runs under Xvfb (offscreen when
there is no Xvfb) with its own data folder. It watches a tariff line
(tarvelo --watch CODE), the service's tariff is replaced by an import that
changes that line's rates, and a second start hands another line over, which
checks the list: the watch bubble's page must list the line old → new, in a
file and with a fingerprint of its own, and the list file must hold the new
rates. With --screenshot the screen is saved while the bubble is up.
Every process started here is stopped by its id.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

from loopback import SKIPPED, bring_up_loopback, listen_address, stop_all

WATCHED = "72083600"
CHANGED_TARIFF = """code,name,mfn,general,consumption,vat,unit,supervision
72083600,热轧铁或非合金钢宽平板轧材，卷材，厚度超过10毫米,1%,15%,,9%,千克,7
01012100,改良种用马,0%,30%,,9%,头,AB
"""


def wait_for(what, test, seconds=60.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = test()
        if value:
            return value
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def read(path, encoding):
    try:
        with open(path, encoding=encoding) as f:
            return f.read()
    except OSError:
        return ""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--service", required=True)
    parser.add_argument("--endpoint", required=True, help="the endpoint the program was built for")
    parser.add_argument("--screenshot", help="save the screen with the watch bubble here (PNG)")
    args = parser.parse_args()
    listen = listen_address(args.endpoint)
    if listen is None:
        print("watch list: skipped, the program's endpoint %s is not on loopback" % args.endpoint)
        return SKIPPED
    bring_up_loopback()
    work = tempfile.mkdtemp(prefix="tarvelo-watch-")
    runtime = os.path.join(work, "run")
    os.mkdir(runtime, 0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_DATA_HOME=os.path.join(work, "data"),
               QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox")
    watch_file = os.path.join(work, "data", "Tarvelo", "watch.json")
    cache = os.path.join(os.path.dirname(os.path.abspath(args.program)), "customscache")
    for name in ("softwatch.html", "softwatchjs.txt"):
        if os.path.exists(os.path.join(cache, name)):
            os.remove(os.path.join(cache, name))
    database = os.path.join(work, "service.db")
    started = []

    def start(name, argv, **kwargs):
        process = subprocess.Popen(argv, **kwargs)
        started.append(process)
        return process

    def watched():
        try:
            with open(watch_file, encoding="utf-8") as f:
                return {line["code"]: line for line in json.load(f)["lines"]}
        except (OSError, ValueError, KeyError):
            return {}

    try:
        xvfb = shutil.which("Xvfb")
        if xvfb:
            number = next(n for n in range(90, 200) if not os.path.exists("/tmp/.X%d-lock" % n))
            display = ":%d" % number
            start("Xvfb", [xvfb, display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb")
            wait_for("Xvfb", lambda: os.path.exists("/tmp/.X11-unix/X" + display[1:]), 20)
        else:
            env.update(QT_QPA_PLATFORM="offscreen")

        with open(os.path.join(work, "service.log"), "w") as log:
            service = start("service", [args.service, "--listen", listen, "--db", database],
                            stdout=subprocess.PIPE, stderr=log)
        assert service.stdout.readline().startswith(b"listening on"), "the service did not start"

        # Watched from the command line: the line takes its rates without a bubble.
        program = start("program", [args.program, "--watch", WATCHED], env=env,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        first = wait_for("the watched line's rates", lambda: watched().get(WATCHED, {}).get("inForce"))
        # The bundled schedule's rate in force today (a dated change may have moved it).
        assert first["mfn"] in ("3%", "2%") and first["vat"] == "13%", first
        assert not os.path.exists(os.path.join(cache, "softwatch.html")), "a first look is no change"

        # An import changes the line's rates.
        tariff = os.path.join(work, "tariff.csv")
        with open(tariff, "w", encoding="utf-8") as f:
            f.write(CHANGED_TARIFF)
        subprocess.run([args.service, "import", "--db", database, "--tariff", tariff], check=True,
                       capture_output=True)
        time.sleep(2)  # the service looks at its file about once a second

        # A second start hands a line over; adding it checks the whole list.
        handed = subprocess.run([args.program, "--watch", "tarvelo:watch?code=01012100"], env=env, timeout=30,
                                capture_output=True, text=True)
        assert handed.returncode == 0, handed.stderr
        page = wait_for("the watch bubble's page",
                        lambda: (lambda text: text if "72083600" in text else "")(
                            read(os.path.join(cache, "softwatch.html"), "gbk")))
        assert "<span class='was'>%s</span> → <span class='now'>1%%</span>" % first["mfn"] in page, page
        assert "<span class='was'>13%</span> → <span class='now'>9%</span>" in page, page
        assert "01012100" not in page, "a line seen for the first time is no change"
        # Stored once the page is on screen.
        fingerprint = wait_for("the watch bubble's fingerprint",
                               lambda: read(os.path.join(cache, "softwatchjs.txt"), "gbk"))
        assert fingerprint != read(os.path.join(cache, "softjs.txt"), "gbk"), \
            "the watch bubble keeps a fingerprint of its own"
        lines = wait_for("the new rates in the list", lambda: watched() if watched().get("01012100", {}).get("inForce") else {})
        assert lines[WATCHED]["inForce"]["mfn"] == "1%", lines
        if args.screenshot and xvfb:
            time.sleep(2)  # the bubble grows into view
            subprocess.run(["import", "-display", env["DISPLAY"], "-window", "root", args.screenshot], check=True)
        assert program.poll() is None, "the program ended"
        print("watch list: all checks passed")
        return 0
    finally:
        stop_all(started)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
