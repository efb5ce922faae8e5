#!/usr/bin/python3
"""The browser version's figures for docs/performance.md: the download (each file of the site
and the sum, as sent with gzip -9), the time from loading the page to its first menu picture in
headless Chromium (each load in a fresh profile, so nothing is cached), and the share of a CPU
the tab takes while it waits at the main menu (the page's main-thread busy time, from the
DevTools performance counters, over ten seconds).

Usage: web_figures.py <site folder> [loads, default 5]
"""
import gzip
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import browser_test  # noqa: E402


def download(site):
    total = 0
    for name in sorted(os.listdir(site)):
        with open(os.path.join(site, name), "rb") as data:
            raw = data.read()
        packed = len(gzip.compress(raw, 9))
        total += packed
        print("%-16s %9d bytes, %9d with gzip -9" % (name, len(raw), packed))
    print("the page with its data: %.2f MB with gzip -9" % (total / 1e6))


def busy_seconds(browser):
    metrics = browser.call("Performance.getMetrics")["metrics"]
    return next(m["value"] for m in metrics if m["name"] == "TaskDuration")


def load_once(url, measure_idle):
    profile = tempfile.mkdtemp(prefix="derevarez-figures-")
    browser = browser_test.Browser(profile)
    try:
        session = browser_test.Session(url, browser)
        seconds = session.load(reference=None)
        data, program = browser.evaluate("[Module.dataReadyAt, Module.fontsReadyAt]")
        print("  data unpacked and pictures decoded at %.2f s, the program started at %.2f s, "
              "first menu picture at %.2f s" % (data / 1000, program / 1000, seconds))
        if not measure_idle:
            return seconds, None
        browser.call("Performance.enable")
        time.sleep(3)  # the menu settles: the sounds and the game's pictures load after it
        before, started = busy_seconds(browser), time.monotonic()
        time.sleep(10)
        share = (busy_seconds(browser) - before) / (time.monotonic() - started)
        return seconds, share
    finally:
        browser.close()
        shutil.rmtree(profile, ignore_errors=True)


def main():
    site = os.path.abspath(sys.argv[1])
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    download(site)
    server = browser_test.serve(site)
    url = "http://127.0.0.1:%d" % server.server_address[1]
    times = []
    for i in range(loads):
        seconds, share = load_once(url, measure_idle=(i == 0))
        times.append(seconds)
        if share is not None:
            print("CPU of the tab at the main menu: %.1f%% of one core" % (share * 100))
    print("load to the first menu picture: median %.2f s of %d loads (%s)" % (
        statistics.median(times), loads, ", ".join("%.2f" % t for t in times)))
    server.shutdown()


if __name__ == "__main__":
    main()
