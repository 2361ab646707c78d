#!/usr/bin/python3
"""Start-up of the desktop program beside a bare Qt window, under the running X server.

Starts each program in turn (alternating, so that a busier moment of the machine weighs on both
alike), takes the time from just before exec to the X server's MapNotify of the program's first
top-level window (matched by _NET_WM_PID), then reads the process's peak resident memory
(VmHWM) once its start-up has settled, and ends it. Prints the medians and their ratios. Beside
the elapsed time, the processor time the program had used when its window mapped (all its
threads, from /proc/PID/task/*/schedstat): on a busy machine the elapsed time also counts the
waits for a processor, the processor time much less so.

Usage (under an X server; bench/startup.sh sets one up):
    bench/startup_time.py --runs 9 BARE_PROGRAM PROGRAM
"""

import argparse
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError(f"no VmHWM for process {pid}")


def cpu_seconds(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat", encoding="ascii") as schedstat:
                total += int(schedstat.read().split()[0])
        except FileNotFoundError:  # a thread that ended meanwhile
            pass
    return total / 1e9


def window_pid(connection, window, pid_atom):
    try:
        prop = window.get_full_property(pid_atom, X.AnyPropertyType)
    except Exception:  # the window went away meanwhile
        return None
    return prop.value[0] if prop and len(prop.value) else None


def one_run(program, environment, settle_seconds, timeout_seconds):
    connection = display.Display()
    root = connection.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    pid_atom = connection.intern_atom("_NET_WM_PID")
    connection.sync()

    start = time.monotonic()
    process = subprocess.Popen([program], env=environment,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    deadline = start + timeout_seconds
    while mapped is None:
        left = deadline - time.monotonic()
        if left <= 0 or process.poll() is not None:
            process.kill()
            raise RuntimeError(f"{program}: no window mapped")
        if connection.pending_events() == 0:
            select.select([connection.fileno()], [], [], left)
        while connection.pending_events() > 0 and mapped is None:
            event = connection.next_event()
            if event.type == X.MapNotify and not event.override:
                if window_pid(connection, event.window, pid_atom) == process.pid:
                    mapped = time.monotonic() - start
                    cpu = cpu_seconds(process.pid)
    time.sleep(settle_seconds)
    memory = peak_memory_kib(process.pid)
    process.terminate()
    process.wait(timeout=10)
    connection.close()
    return mapped, cpu, memory


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--settle", type=float, default=1.0,
                        help="seconds after the window maps before the memory is read")
    parser.add_argument("bare")
    parser.add_argument("program")
    arguments = parser.parse_args()

    # Both programs get the same empty folders for their settings and data, kept over the runs, so
    # that every run but the first finds what the one before left, as a user's runs do.
    # Held open for the whole measurement: an X server started without -noreset resets when its
    # last client leaves, and refuses the next one while it does.
    keeper = display.Display()
    with tempfile.TemporaryDirectory(prefix="idrovela-startup-") as home:
        environment = dict(os.environ)
        for variable in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"):
            environment[variable] = os.path.join(home, variable.lower())
        environment.pop("QT_QPA_PLATFORM", None)

        # One run of each first, unmeasured: the disk cache and the font cache warm up.
        for program in (arguments.bare, arguments.program):
            one_run(program, environment, 0.2, 60)
        times = {arguments.bare: [], arguments.program: []}
        cpu = {arguments.bare: [], arguments.program: []}
        memory = {arguments.bare: [], arguments.program: []}
        for _ in range(arguments.runs):
            for program in (arguments.bare, arguments.program):
                mapped, used, peak = one_run(program, environment, arguments.settle, 60)
                times[program].append(mapped)
                cpu[program].append(used)
                memory[program].append(peak)

    keeper.close()

    def line(name, program):
        t = statistics.median(times[program]) * 1000
        c = statistics.median(cpu[program]) * 1000
        m = statistics.median(memory[program]) / 1024
        spread = ", ".join(f"{x * 1000:.1f}" for x in times[program])
        print(f"{name:<10} {t:7.1f} ms  {c:7.1f} ms  {m:6.1f} MB   (elapsed: {spread} ms)")
        return t, c, m

    print(f"{arguments.runs} alternating runs, medians of the time from exec to a mapped window, "
          f"of the processor time used by then, and of the peak memory (VmHWM):")
    print(f"{'':<10} {'elapsed':>10}  {'processor':>10}  {'memory':>9}")
    bare_time, bare_cpu, bare_memory = line("bare Qt", arguments.bare)
    time_, cpu_, memory_ = line("Idrovela", arguments.program)
    print(f"ratio      {time_ / bare_time:7.2f} ×    {cpu_ / bare_cpu:7.2f} ×  "
          f"{memory_ / bare_memory:6.2f} ×")
    return 0


if __name__ == "__main__":
    sys.exit(main())
