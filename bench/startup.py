#!/usr/bin/env python3
"""Fresh-process figures for Examora, each beside its floor and the reference script, in one run.

On a virtual screen of its own (Xvfb 1920x1080 with openbox), for data files of 40, 32,767, 200,000
and 1,000,000 generated lines (scrambled, names in mixed case, some marks 0):
  start-up   the program started in the file's folder until its first view is painted
             (EXAMORA_QUIT_AFTER_FIRST_PAINT), median of the runs, minus the same start with no
             data file (Qt's own start); and its peak resident memory (/usr/bin/time -v);
  own code   examora_figures: the script's work (read, check, sort, figures in both modes) by the
             program's own functions, in a fresh process without a window;
  floor      examora_figures --floor: the file read and one allocation-free pass over its bytes
             reading the same fields; both also on the same lines in the order the program saves
             them (sorted), which is how the program finds its file at every start but the first;
  script     bench/reference_figures.py, the 30 lines of Python a user would write instead, run by
             Debian's /usr/bin/python3 directly;
  --report   `examora --report FILE`, the command a user runs, against the same script.
With --bounds it also starts the program once with each file of bound_files(), and runs
`examora --report` on it, each beside the bound on the memory it may take.
The figures printed by the own code, the floor and the script must agree; a difference is shown.
With --graphs it also runs the first-graph benchmarks of examora_bench on the same screen.

Usage: bench/startup.py [--build build] [--display 93] [--runs 7] [--lines 40,32767,200000,1000000]
                        [--graphs] [--bounds]
Needs a Release or RelWithDebInfo build, Xvfb, openbox and /usr/bin/time.
"""
import argparse, os, resource, signal, statistics, subprocess, sys, tempfile, time
from pathlib import Path

HERE = Path(__file__).resolve().parent
# Debian's interpreter, called directly: a python3 on the PATH may be a wrapper that adds its own
# start to every run and flatters any comparison.
PYTHON = "/usr/bin/python3" if Path("/usr/bin/python3").exists() else sys.executable


def lines(count, saved=False):
    """Exam lines as the program writes them in a United States locale, in no order; saved: in the
    order the program saves them, ignoring case (the names are ASCII)."""
    out = []
    for i in range(count):
        k = i * 7919 % count
        name = ("exam" if k % 3 == 0 else "Exam") + f" {k:07d}"
        out.append(f"{name};{1 + k % 12}/{1 + k % 28}/{2000 + k % 25};{(k * 7) % 31};{1 + k % 12}")
    if saved:
        out.sort(key=str.lower)
    return "".join(line + "\r\n" for line in out).encode()


def bound_files(cap=255 << 20):
    """The files near the size cap whose start-up memory is bounded by 4 times their size + 150 MB,
    one (name, bytes) at a time: lines read as records, lines kept without being records (millions
    of one letter), and text in Windows-1252, which takes two or three bytes a character once read."""
    record = b"Exam 0;1/2/2007;28;6\r\n"
    yield "empty lines", record + b"\n" * (cap - len(record))
    yield "short records", b"".join(b"Exam %07d;1/2/2007;28;6\r\n" % i for i in range(cap // 28))
    yield "one 200 MB line", b"Huge" + b"x" * (200 * 1000 * 1000) + b";1/2/2007;28;6\r\n"
    yield "32 MiB of lines 'a'", b"a\r\n" * ((32 << 20) // 3)
    yield "lines 'a'", b"a\r\n" * (cap // 3)
    yield "one 200 MB line of 0x80", b"\x80" * (200 * 1000 * 1000) + b"\r\n"
    accented = 250 * 1000 * 1000 // len(b"Exam\xe9 0000000;1/2/2007;28;6\r\n")
    yield "Windows-1252 records", b"".join(b"Exam\xe9 %07d;1/2/2007;28;6\r\n" % (i * 7919 % accented)
                                           for i in range(accented))


def cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


class Timing:
    """Medians over the runs in ms: wall time, and processor time (user and system) of the process,
    which a machine shared with other work disturbs less."""

    def __init__(self, walls, cpus):
        self.wall, self.cpu = statistics.median(walls), statistics.median(cpus)
        self.spread = max(walls) - min(walls)  # how much the wall time moved from run to run

    def __sub__(self, other):
        return Timing([self.wall - other.wall], [self.cpu - other.cpu])

    def __str__(self):
        return f"{self.wall:+.0f}/{self.cpu:+.0f}" if self.wall < 0 or self.cpu < 0 else f"{self.wall:.0f}/{self.cpu:.0f}"


def timed(command, runs, env=None, cwd=None, memory=False):
    """The timing over the runs, the last output, and the largest peak RSS in MiB."""
    times, cpus, peak, output = [], [], 0.0, ""
    for _ in range(runs):
        full = ["/usr/bin/time", "-v"] + command if memory else command
        start, cpu = time.perf_counter(), cpu_seconds()
        done = subprocess.run(full, env=env, cwd=cwd, capture_output=True, text=True, timeout=120)
        times.append((time.perf_counter() - start) * 1000)
        cpus.append((cpu_seconds() - cpu) * 1000)
        if done.returncode != 0:
            sys.exit(f"{' '.join(command)} failed:\n{done.stderr[-2000:]}")
        output = done.stdout
        for row in done.stderr.splitlines():
            if "Maximum resident set size" in row:
                peak = max(peak, int(row.split(":")[1]) / 1024)
    return Timing(times, cpus), output, peak


def start_display(number):
    xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    env = dict(os.environ, DISPLAY=f":{number}")
    wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    return [xvfb, wm]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--display", type=int, default=93)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--lines", default="40,32767,200000,1000000")
    parser.add_argument("--graphs", action="store_true")
    parser.add_argument("--bounds", action="store_true", help="also start once with each file near the size cap")
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))  # so that the screen is closed
    build = Path(args.build).resolve()
    program, figures = build / "src" / "examora", build / "bench" / "examora_figures"
    procs = start_display(args.display)
    env = dict(os.environ, DISPLAY=f":{args.display}", QT_QPA_PLATFORM="xcb", LANG="en_US.UTF-8",
               LC_ALL="en_US.UTF-8", EXAMORA_QUIT_AFTER_FIRST_PAINT="1")
    env.pop("WAYLAND_DISPLAY", None)
    try:
        with tempfile.TemporaryDirectory() as scratch:
            empty = Path(scratch) / "empty"
            empty.mkdir()
            bare, _, bare_peak = timed([str(program)], args.runs, env, empty, memory=True)
            print(f"Start with no data file (Qt's own start): {bare} ms wall/processor, peak {bare_peak:.0f} MiB; "
                  f"medians of {args.runs} fresh processes\n")
            print(f"{'lines':>9} | {'start-up':>10} {'peak':>7} | {'own code':>10} {'floor':>9} {'script':>10} "
                  f"{'script/own':>10} {'own/floor':>9} | {'saved: own':>10} {'floor':>9} {'own/floor':>9} | figures")
            reports = []
            for count in [int(n) for n in args.lines.split(",")]:
                folder = Path(scratch) / str(count)
                folder.mkdir()
                data = folder / "Examora.TXT"
                data.write_bytes(lines(count))
                start, _, peak = timed([str(program)], args.runs, env, folder, memory=True)
                own, own_out, _ = timed([str(figures), str(data)], args.runs)
                floor, floor_out, _ = timed([str(figures), "--floor", str(data)], args.runs)
                saved = folder / "saved.txt"
                saved.write_bytes(lines(count, saved=True))
                saved_own, saved_out, _ = timed([str(figures), str(saved)], args.runs)
                saved_floor, _, _ = timed([str(figures), "--floor", str(saved)], args.runs)
                script, script_out, _ = timed([PYTHON, str(HERE / "reference_figures.py"), str(data)], args.runs)
                report, _, _ = timed([str(program), "--report", str(data)], args.runs)
                reports.append((count, report, script))
                agree = "agree" if own_out == script_out == floor_out == saved_out else \
                    f"DIFFER:\n own: {own_out} floor: {floor_out} script: {script_out} saved: {saved_out}"
                print(f"{count:>9} | {str(start - bare):>10} {peak:>4.0f}MiB | {str(own):>10} {str(floor):>9} "
                      f"{str(script):>10} {script.wall / own.wall:>4.1f}/{script.cpu / own.cpu:<4.1f}x "
                      f"{own.wall / floor.wall:>4.1f}/{own.cpu / floor.cpu:<4.1f}x | {str(saved_own):>10} "
                      f"{str(saved_floor):>9} {saved_own.wall / saved_floor.wall:>4.1f}/"
                      f"{saved_own.cpu / saved_floor.cpu:<4.1f}x | {agree}")
            print("\nms, wall/processor; start-up: minus the start with no data file; own code, floor and "
                  "script: the whole process")
            print(f"\n{'lines':>9} | {'examora --report':>17} | {'script (' + PYTHON + ')':>26} | script/report, wall")
            for count, report, script in reports:
                print(f"{count:>9} | {str(report):>10} ±{report.spread:<4.0f} | {str(script):>19} ±{script.spread:<4.0f} | "
                      f"{script.wall / report.wall:.1f}x")
            print("whole processes, medians; ± the spread of the wall times from run to run")
            if args.bounds:
                print(f"\n{'file near the size cap':>24} | {'size':>8} | {'start-up':>12} | {'peak':>9} | "
                      f"{'--report':>9} | bound (4 x size + 150 MB)")
                for name, content in bound_files():
                    folder = Path(scratch) / "".join(c if c.isalnum() else "-" for c in name)
                    folder.mkdir()
                    (folder / "Examora.TXT").write_bytes(content)
                    start, _, peak = timed([str(program)], 1, env, folder, memory=True)
                    _, _, report = timed([str(program), "--report", "Examora.TXT"], 1, env, folder, memory=True)
                    bound = (4 * len(content) + 150e6) / (1 << 20)
                    within = "within" if max(peak, report) <= bound else "OVER"
                    print(f"{name:>24} | {len(content) / (1 << 20):>4.0f}MiB | {str(start - bare):>12} | "
                          f"{peak:>5.0f}MiB | {report:>6.0f}MiB | {bound:.0f} MiB {within}")
                    (folder / "Examora.TXT").unlink()
                    content = None
        if args.graphs:
            bench = dict(env, QT_QPA_PLATFORM="xcb")
            bench.pop("EXAMORA_QUIT_AFTER_FIRST_PAINT")
            subprocess.run([str(build / "bench" / "examora_bench"), "--benchmark_filter=FirstGraph"], env=bench)
    finally:
        for proc in reversed(procs):
            proc.terminate()
            proc.wait()


if __name__ == "__main__":
    main()
