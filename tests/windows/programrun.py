#!/usr/bin/env python3
"""The whole Windows program under Wine against the real service: tarvelo.exe
starts cold with a search, shows its window, writes the search's page file in
code page 936, takes a second search handed over by a second start, and its
bubble cycle asks the service for the bubble list.

Run in a network namespace of its own (scripts/check-windows starts it under
`unshare --net`), where loopback is brought up and the Linux tarvelo-service
takes the port of the endpoint the program was built for. DISPLAY and
WINEPREFIX come from the caller; the program's DLLs lie beside it
(scripts/windows-deploy). What happened is read from the service's request
log, the page files and the window list.
"""
import argparse
import os
import shutil
import subprocess
import tempfile
import time
import urllib.parse


def wait_for(what, test, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if test():
            return
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True, help="tarvelo.exe, with its DLLs beside it")
    parser.add_argument("--service", required=True, help="the Linux tarvelo-service")
    parser.add_argument("--endpoint", required=True, help="the endpoint the program was built for")
    parser.add_argument("--screenshot", help="where to save a picture of the screen")
    args = parser.parse_args()
    endpoint = urllib.parse.urlsplit(args.endpoint)
    listen = "%s:%d" % (endpoint.hostname, endpoint.port or 80)

    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
    work = tempfile.mkdtemp(prefix="tarvelo-wine-run-")
    cache = os.path.join(os.path.dirname(os.path.abspath(args.program)), "customscache")
    shutil.rmtree(cache, ignore_errors=True)
    log_path = os.path.join(work, "service.log")
    started = []

    def operations():
        with open(log_path, encoding="utf-8", errors="replace") as log:
            return [line.split()[4] for line in log if " POST " in line]

    def page(name):
        try:
            with open(os.path.join(cache, name), "rb") as f:
                return f.read()
        except OSError:
            return b""

    def window_shown():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tarvelo$"],
                               capture_output=True, text=True)
        return found.returncode == 0 and found.stdout.strip() != ""

    try:
        with open(log_path, "w") as log:
            service = subprocess.Popen([args.service, "--listen", listen, "--db", os.path.join(work, "service.db")],
                                       stdout=subprocess.PIPE, stderr=log)
        started.append(service)
        assert service.stdout.readline().startswith(b"listening on"), "the service did not start"

        program = subprocess.Popen(["wine", args.program, "--search", "8471", "--category", "tariff"])
        started.append(program)
        wait_for("the main window", window_shown, 180)
        wait_for("the tariff page", lambda: "8471" in page("Tariff20110101.html").decode("gbk", "replace"), 120)
        tariff = page("Tariff20110101.html")
        # Written in code page 936: the column heads read as GBK, and are not UTF-8.
        assert "税则号列" in tariff.decode("gbk"), tariff[:200]
        assert "税则号列".encode("utf-8") not in tariff, "the page was written in UTF-8"
        assert "Tariff" in operations(), operations()

        # A second start hands its search to the running program and ends.
        second = subprocess.run(["wine", args.program, "--search", "热轧", "--category", "tariff"], timeout=120,
                                capture_output=True, text=True, errors="replace")
        assert second.returncode == 0, "the second start ended with %d: %s" % (second.returncode, second.stderr)
        print("second start: " + (second.stdout + second.stderr).strip())
        wait_for("the handed-over search", lambda: "热轧" in page("Tariff20110101.html").decode("gbk", "replace"), 60)

        # The bubble cycle runs on the hub's timer: its request, and its page.
        wait_for("the bubble cycle's request", lambda: "maopao" in operations(), 60)
        wait_for("the bubble page", lambda: page("softmaopao.html") != b"", 30)
        if args.screenshot:
            subprocess.run(["import", "-window", "root", args.screenshot], check=True)
        print("program run: ok; operations: " + " ".join(operations()))
        return 0
    finally:
        for process in reversed(started):
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    raise SystemExit(main())
