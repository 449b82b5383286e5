#!/usr/bin/env python3
"""Command-line searches with real processes: tarvelo --search and
--search-selection, started cold and handed to a running program; and a goods
list run without a window (tarvelo --batch FILE --export OUT).

The program's endpoint is built in (ctest passes the build's endpoint), so the
script runs in a network namespace of its own (ctest starts it under
`unshare --net`), where it brings loopback up and starts tarvelo-service on the
endpoint's port without touching the machine's. An endpoint that is not on
loopback cannot be served there: the test is then skipped. The program runs offscreen with its own runtime and data
folders. What happened is read from the service's request log (which
operation arrived), the program's page files and its search history (the
keyword exactly as given). Every process started here is stopped by its id.
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


def wait_for(what, test, seconds=30.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if test():
            return
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--service", required=True)
    parser.add_argument("--endpoint", required=True, help="the endpoint the program was built for")
    args = parser.parse_args()
    listen = listen_address(args.endpoint)
    if listen is None:
        print("lookup hand-over: skipped, the program's endpoint %s is not on loopback" % args.endpoint)
        return SKIPPED
    bring_up_loopback()
    work = tempfile.mkdtemp(prefix="tarvelo-lookup-")
    runtime = os.path.join(work, "run")
    os.mkdir(runtime, 0o700)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=runtime,
               XDG_DATA_HOME=os.path.join(work, "data"), QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox")
    history_file = os.path.join(work, "data", "Tarvelo", "history.json")
    cache = os.path.join(os.path.dirname(os.path.abspath(args.program)), "customscache")
    log_path = os.path.join(work, "service.log")
    started = []

    def operations():
        with open(log_path, encoding="utf-8", errors="replace") as log:
            return [line.split()[4] for line in log if " POST " in line]

    def history(category):
        try:
            with open(history_file, encoding="utf-8") as f:
                return json.load(f).get(str(category), [])
        except (OSError, ValueError):
            return []

    def read_page(name):
        try:
            with open(os.path.join(cache, name), encoding="gbk") as page:
                return page.read()
        except OSError:
            return ""

    def second_start(*extra):
        result = subprocess.run([args.program, *extra], env=env, timeout=30, capture_output=True, text=True)
        assert result.returncode == 0, "second start ended with %d: %s" % (result.returncode, result.stderr)

    try:
        with open(log_path, "w") as log:
            service = subprocess.Popen([args.service, "--listen", listen, "--db",
                                        os.path.join(work, "service.db")], stdout=subprocess.PIPE, stderr=log)
        started.append(service)
        assert service.stdout.readline().startswith(b"listening on"), "the service did not start"

        # A goods list without a window: the export holds every line, found or not.
        goods = os.path.join(work, "goods.csv")
        with open(goods, "w", encoding="gbk") as f:  # as Excel saves it on a Chinese desktop
            f.write("商品名称,完税价格,数量\n8471.30.00,10000,1\n冷冻去皮鸡胸肉,5000,100\nxyzzyq qqqzzz,100,1\n")
        exported = os.path.join(work, "goods-out.csv")
        result = subprocess.run([args.program, "--batch", goods, "--export", exported], env=env, timeout=120,
                                capture_output=True, text=True)
        assert result.returncode == 0, "the goods list ended with %d: %s" % (result.returncode, result.stderr)
        with open(exported, encoding="utf-8-sig") as f:
            rows = [line.split(",") for line in f.read().splitlines()]
        assert rows[0][:6] == ["行号", "输入内容", "完税价格", "数量", "税则号列", "货品名称"], rows[0]
        # The input column keeps the whole line as read, its cells joined by tabs.
        by_input = {row[1].split("\t")[0]: row for row in rows[1:] if len(row) > 4}
        assert by_input["8471.30.00"][4] == "84713000", by_input
        assert by_input["冷冻去皮鸡胸肉"][4].startswith("0207"), by_input
        assert by_input["xyzzyq qqqzzz"][4] == "" and "未找到" in ",".join(by_input["xyzzyq qqqzzz"]), by_input
        assert operations().count("Tariff") >= 3, operations()
        assert not os.path.exists(history_file), "the goods list touched the search history"
        before_program = len(operations())

        # Cold start with a search: home page first, then the search. A home
        # page written today (by an earlier run in this program folder) would
        # be shown as it is, without asking.
        if os.path.exists(os.path.join(cache, "softdefaut.html")):
            os.remove(os.path.join(cache, "softdefaut.html"))
        program = subprocess.Popen([args.program, "--search", "8471", "--category", "export"], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        started.append(program)
        wait_for("the search of the cold start", lambda: "Export" in operations()[before_program:], 60)
        assert operations()[before_program:before_program + 2] == ["mdefaut", "Export"], operations()
        assert history(3) == ["8471"]

        # Handed to the running program: the page of the tariff tab is written.
        second_start("--search", "热轧", "--category", "tariff")
        wait_for("the handed-over tariff search", lambda: "Tariff" in operations()[before_program:])
        wait_for("the tariff page", lambda: "72083600" in read_page("Tariff20110101.html"))

        # Nothing selected: the window comes forward, nothing is searched.
        before = len(operations())
        second_start("--search-selection", "--category", "commodity")
        time.sleep(1.5)
        assert len(operations()) == before, operations()

        # Keywords pass through unchanged, without a shell; the current tab when no category is given.
        odd = '钢 "卷" & <b> $HOME `x`'
        second_start("--search", odd)
        wait_for("the keyword in the history", lambda: history(2)[:1] == [odd])
        assert program.poll() is None, "the running program ended"
        print("lookup hand-over: all checks passed")
        return 0
    finally:
        stop_all(started)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
