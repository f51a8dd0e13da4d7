#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up of the window program against a bare Qt window, measured the same way in the same run.

Each program is started with a fresh runtime folder (on tmpfs, where a login session has it: a
lock written to a disk costs a flush the user never pays) and asked over its single-instance socket to
bring its window back; it answers from its event loop only, once its first window is shown. The
time from start to that answer is the start-up; the peak resident memory comes from the kernel
when the program, stopped right after, is reaped. The two programs take turns so that a busy
machine slows both alike; medians are reported.

    bench/startup.py QUORVANE BARE_WINDOW [--runs N] [--platform offscreen|xcb]
"""
import argparse
import os
import signal
import socket
import statistics
import sys
import tempfile
import time

TARGET_RATIO = 1.10
TARGET_RSS_MB = 34.0
RUNTIME_PARENT = "/dev/shm" if os.path.isdir("/dev/shm") else None


def start_once(argv, env, socket_path):
    """Seconds from start to the answer, processor seconds and peak RSS in MB."""
    began = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, env)
    answer = b""
    while True:
        try:
            client = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            client.connect(socket_path)
            break
        except (FileNotFoundError, ConnectionRefusedError):
            client.close()
            waited, status = os.waitpid(pid, os.WNOHANG)
            if waited:
                raise SystemExit(f"{argv[0]} ended before it answered (status {status})")
            time.sleep(0.0005)
    client.sendall(b"activate\n")
    while not answer.endswith(b"\n"):
        part = client.recv(64)
        if not part:
            break
        answer += part
    elapsed = time.perf_counter() - began
    client.close()
    if answer != b"done\n":
        raise SystemExit(f"{argv[0]} answered {answer!r}")
    os.kill(pid, signal.SIGTERM)
    _, _, usage = os.wait4(pid, 0)
    return elapsed, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("quorvane")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--platform", default="offscreen")
    args = parser.parse_args()

    names = ("quorvane", "bare window", "bare with text")
    times, cpu, rss = ({name: [] for name in names} for _ in range(3))
    for run in range(args.runs + 1):  # the first round warms the caches and is not counted
        for name in names:
            with tempfile.TemporaryDirectory(dir=RUNTIME_PARENT) as runtime:
                os.chmod(runtime, 0o700)
                env = dict(os.environ, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM=args.platform)
                socket_path = os.path.join(runtime, "quorvane.socket")
                argv = {"quorvane": [args.quorvane], "bare window": [args.bare, socket_path],
                        "bare with text": [args.bare, socket_path, "text"]}[name]
                elapsed, used, peak = start_once(argv, env, socket_path)
            if run:
                times[name].append(elapsed * 1000)
                cpu[name].append(used * 1000)
                rss[name].append(peak)

    median = {name: statistics.median(times[name]) for name in names}
    median_cpu = {name: statistics.median(cpu[name]) for name in names}
    print(f"start-up to the first shown window ({args.platform}, median of {args.runs} runs each)")
    for name in names:
        print(f"  {name:15} {median[name]:7.1f} ms, processor {median_cpu[name]:6.1f} ms, "
              f"peak RSS {max(rss[name]):5.1f} MB   x{median[name] / median['bare window']:.2f} "
              f"(processor x{median_cpu[name] / median_cpu['bare window']:.2f})")
    ratio = median["quorvane"] / median["bare window"]
    peak_mb = max(rss["quorvane"])
    print(f"  ratio to the bare window {ratio:5.2f}   (target <= {TARGET_RATIO:.2f}: "
          f"{'met' if ratio <= TARGET_RATIO else 'MISSED'}); to the one with text "
          f"{median['quorvane'] / median['bare with text']:.2f}")
    print(f"  peak RSS of quorvane {peak_mb:5.1f} MB   (target <= {TARGET_RSS_MB:.0f} MB: "
          f"{'met' if peak_mb <= TARGET_RSS_MB else 'MISSED'})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
