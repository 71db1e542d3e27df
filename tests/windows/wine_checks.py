#!/usr/bin/env python3
"""VELDORA for Windows, checked under Wine as its users meet it, against the Debian build.

  tests/windows/wine_checks.py [--only cli|gui|installer]... [--shots FOLDER]

Run by tools/test-windows after tools/package-windows, from build-windows/ (or
$VELDORA_WINDOWS_BUILD_DIR): the portable folder, the installer, and host/cli/veldora-cli, the
Debian command line built from the same tree. Everything runs in a Wine prefix of its own, made
afresh, and the windows on a private Xvfb display with openbox as window manager.

- cli: veldora-cli.exe, started from a folder with a Persian name, prints byte for byte what the
  Debian veldora-cli prints (output, errors, exit status, the saved mix file) for fixed designs and
  30 random argument sets, also with Wine's locale Persian and German; the same batch output for
  2,000 random rows in one process, from a CSV with Windows line ends and a Persian name; a report
  whose text is the Debian report's.
- gui: veldora.exe shows its main window (a screenshot), runs the default design, saves, opens the
  file again, writes the report to a PDF from the print preview (a cancelled name writes nothing),
  and keeps its proportions at 96, 120 and 144 dpi.
- installer: the installer, silent, for the current user and for all users: the files, the Start
  menu entry, the .vdr type opening the program on the file, the entry in Windows' list of
  programs; the uninstaller leaves nothing behind but a user's own mix file.
"""

import argparse
import difflib
import importlib.machinery
import importlib.util
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
VERSION = re.search(r"project\(veldora VERSION ([0-9.]+)",
                    open(os.path.join(ROOT, "CMakeLists.txt")).read()).group(1)
OUT = os.environ.get("VELDORA_WINDOWS_BUILD_DIR", os.path.join(ROOT, "build-windows"))
PORTABLE = os.path.join(OUT, f"VELDORA-{VERSION}-win64")
SETUP = os.path.join(OUT, f"VELDORA-{VERSION}-setup.exe")
HOST_CLI = os.path.join(OUT, "host", "cli", "veldora-cli")
PERSIAN_FOLDER = "برنامه‌ها"  # where the portable folder is copied, as onto a USB stick

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def load_compare_cli():
    """The random argument sets of tools/compare-cli."""
    loader = importlib.machinery.SourceFileLoader("compare_cli",
                                                  os.path.join(ROOT, "tools", "compare-cli"))
    spec = importlib.util.spec_from_loader("compare_cli", loader)
    module = importlib.util.module_from_spec(spec)
    loader.exec_module(module)
    return module


class Wine:
    """A Wine prefix of the checks' own, with the locales it may be run under."""

    def __init__(self, folder):
        self.prefix = os.path.join(folder, "prefix")
        self.locales = os.path.join(folder, "locales")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(self.locales)
        for locale in ("fa_IR", "de_DE"):
            subprocess.run(["localedef", "-i", locale, "-f", "UTF-8",
                            os.path.join(self.locales, locale + ".UTF-8")],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
                        LOCPATH=self.locales, LC_ALL="C.UTF-8", LANG="C.UTF-8")
        self.env.pop("QT_QPA_PLATFORM", None)
        subprocess.run(["wineboot", "-i"], env=self.env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        # A server that outlives each program a while, so that the next never meets it ending.
        subprocess.run(["wineserver", "-p30"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        self.drive_c = os.path.join(self.prefix, "drive_c")
        self.user = os.path.join(self.drive_c, "users", os.environ.get("USER", "root"))

    def run(self, args, locale=None, **kwargs):
        env = dict(self.env)
        if locale:
            env["LC_ALL"] = env["LANG"] = locale
        return subprocess.run(["wine"] + args, env=env, **kwargs)

    def start(self, args):
        log = open(os.path.join(os.path.dirname(self.prefix), "programs.log"), "ab")
        return subprocess.Popen(["wine"] + args, env=self.env, stdout=log, stderr=log)

    def registry(self, key, value=None, locale=None):
        """A value of the registry (the default one where value is ""), or None."""
        args = ["reg", "query", key] + (["/ve"] if value == "" else ["/v", value] if value else [])
        result = self.run(args, locale=locale, capture_output=True)
        if result.returncode != 0:
            return None
        text = result.stdout.decode("utf-8", "replace")
        for line in text.splitlines():
            parts = re.split(r"\s{2,}|\t", line.strip())
            if len(parts) >= 3 and parts[1].startswith("REG_"):
                return parts[2]
        return text

    def windows_path(self, unix_path):
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")

    def wait(self):
        subprocess.run(["wineserver", "-w"], env=self.env)


def normalised_report_text(pdf, file_names):
    """The report's text as pdftotext reads it, each line without blanks, sorted: the order and
    spacing in which pdftotext finds the words depend on the font engine's metrics. The lines of
    the date and of the mix file's name are left out."""
    text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, check=True).stdout
    lines = []
    for line in text.decode("utf-8").splitlines():
        line = re.sub(r"[\s\u200e\u200f\u202a-\u202e]", "", line)
        if not line or any(name in line for name in file_names):
            continue
        if re.search(r"\d{4}-\d{2}-\d{2}", line) or re.search(
                "فروردین|اردیبهشت|خرداد|تیر|مرداد|شهریور|مهر|آبان|آذر|دی|بهمن|اسفند",
                unicodedata_nfkc(line)):
            continue
        lines.append(unicodedata_nfkc(line))
    return sorted(lines)


def same_report_text(pdf, debian_pdf, file_names):
    """Whether two reports read the same: the same numbers, and the same letters and signs,
    wherever pdftotext puts them (the windows' font engine measures glyphs a little otherwise, so
    a long cell may wrap elsewhere); where not, what differs goes to stderr."""
    if not os.path.exists(pdf) or not os.path.exists(debian_pdf):
        print(f"      missing: {pdf if not os.path.exists(pdf) else debian_pdf}", file=sys.stderr)
        return False
    ours, theirs = (normalised_report_text(p, file_names) for p in (pdf, debian_pdf))
    numbers = [sorted(re.findall(r"\d+(?:[.,]\d+)*", "\n".join(text))) for text in (ours, theirs)]
    letters = [sorted("".join(text)) for text in (ours, theirs)]
    if numbers[0] != numbers[1]:
        for line in difflib.unified_diff(numbers[1], numbers[0], "debian", "windows",
                                         lineterm="", n=0):
            print("      " + line, file=sys.stderr)
    if letters[0] != letters[1]:
        print("      the letters differ: " + "".join(
            sorted(set(letters[0]) ^ set(letters[1]))), file=sys.stderr)
    return numbers[0] == numbers[1] and letters[0] == letters[1]


def unicodedata_nfkc(text):
    import unicodedata
    return unicodedata.normalize("NFKC", text)


# The command line ------------------------------------------------------------------------------

GOLDEN_SETS = [
    [],
    ["--json"],
    ["--slump", "75", "--max-size", "19", "--concrete", "air-entrained",
     "--environment", "severe"],
    ["--json", "--trial-slump", "30", "--trial-unit-weight", "2350", "--trial-water", "180"],
    ["--strength", "250", "--fine-moisture", "۳٫۵", "--coarse-moisture", "1.2"],
    ["--specified-strength", "250", "--standard-deviation", "30", "--test-count", "20", "--json"],
    ["--exposure", "seawater-sulfate", "--cement", "sulfate-resisting", "--strength", "300"],
    ["--strength", "500"],
    ["--slump", "abc", "--json"],
    ["--frobnicate"],
    ["--help"],
    [os.path.join(ROOT, "tests", "data", "default_design.vdr"), "--json"],
    ["missing.vdr"],
]


def compare_cli(wine, rng, compare, locale=None, sets=None):
    exe = f"C:\\{PERSIAN_FOLDER}\\VELDORA\\veldora-cli.exe"
    scratch = tempfile.mkdtemp(prefix="veldora-wine-cli-")
    label = f" ({locale})" if locale else ""
    differing = 0
    for i, args in enumerate(sets):
        outcomes = []
        for program in ("host", "wine"):
            # Each program saves over what it saved before.
            if os.path.exists(os.path.join(scratch, "saved.vdr." + program)):
                os.replace(os.path.join(scratch, "saved.vdr." + program),
                           os.path.join(scratch, "saved.vdr"))
            saved = os.path.join(scratch, "saved.vdr")
            full = args + ["--save", "saved.vdr"] if "--help" not in args else args
            if program == "host":
                env = dict(os.environ, LC_ALL=locale or "C.UTF-8")
                env["LOCPATH"] = wine.locales
                result = subprocess.run([HOST_CLI] + full, cwd=scratch, capture_output=True,
                                        env=env)
            else:
                result = wine.run([exe] + full, locale=locale, cwd=scratch, capture_output=True)
                # Wine 8 on a loaded machine now and then reports a fault in a thread of its own,
                # the program's output whole and its status right all the same: such a run is run
                # again once, and a fault that comes again is the program's.
                if b"wine: Unhandled page fault" in result.stderr:
                    print(f"      Wine faulted{label} on {args}; run again", file=sys.stderr)
                    result = wine.run([exe] + full, locale=locale, cwd=scratch,
                                      capture_output=True)
            # The file stays for the next set to save over, as a script saves again.
            file_bytes = open(saved, "rb").read() if os.path.exists(saved) else None
            if os.path.exists(saved):
                os.replace(saved, saved + "." + program)
            outcomes.append((result.returncode, result.stdout, result.stderr, file_bytes))
        if outcomes[0] != outcomes[1]:
            differing += 1
            print(f"      differs{label}: {args}\n        host {outcomes[0][:3]}\n"
                  f"        wine {outcomes[1][:3]}", file=sys.stderr)
    shutil.rmtree(scratch, ignore_errors=True)
    check(differing == 0, f"veldora-cli.exe prints what veldora-cli prints: {len(sets)} argument "
                          f"sets{label}, {differing} differing")


def random_rows(rng, count):
    header = ["id", "strength", "slump", "max-size", "fineness", "coarse-moisture",
              "fine-moisture", "concrete", "exposure", "trial-slump", "trial-air", "trial-water"]
    rows = [",".join(header)]
    for i in range(count):
        trial = rng.random() < 0.3
        rows.append(",".join([
            f'"row {i}, کارگاه"', f"{rng.uniform(140, 420):.{rng.choice([0, 1, 2])}f}",
            f"{rng.choice([25, 50, 75, 100, 150, 180])}", rng.choice(["9.5", "12.5", "19", "25",
                                                                      "37.5", "50"]),
            f"{rng.uniform(2.3, 3.1):.2f}", f"{rng.uniform(0, 3):.1f}",
            rng.choice(["4.5", "۳٫۵", "6"]),
            rng.choice(["", "air-entrained", "non-air-entrained"]),
            rng.choice(["", "normal", "wet-freeze-thaw", "seawater-sulfate"]),
            f"{rng.randint(20, 120)}" if trial else "", f"{rng.uniform(1, 8):.1f}" if trial else "",
            f"{rng.uniform(150, 230):.0f}" if trial else ""]))
    return "\r\n".join(rows) + "\r\n"


def cli_checks(wine):
    folder = os.path.join(wine.drive_c, PERSIAN_FOLDER, "VELDORA")
    os.makedirs(os.path.dirname(folder), exist_ok=True)
    shutil.copytree(PORTABLE, folder)
    compare = load_compare_cli()
    rng = random.Random(24)
    random_sets = [compare.argument_set(rng) for _ in range(30)]
    compare_cli(wine, rng, compare, sets=GOLDEN_SETS + random_sets)
    for locale, name in (("fa_IR.UTF-8", "fa-IR"), ("de_DE.UTF-8", "de-DE")):
        # Each Wine program takes Windows' regional settings from its locale as it starts.
        settings = r"HKCU\Control Panel\International"
        taken = wine.registry(settings, "LocaleName", locale)
        decimal = wine.registry(settings, "sDecimal", locale)
        check(taken == name and (decimal == "," or name != "de-DE"),
              f"Wine runs with Windows' regional settings {taken} (decimal mark {decimal!r})")
        compare_cli(wine, rng, compare, locale=locale, sets=GOLDEN_SETS[:8] + random_sets[:10])

    # 2,000 rows in one process each, read from a Persian name with Windows line ends.
    scratch = tempfile.mkdtemp(prefix="veldora-wine-batch-")
    rows = os.path.join(scratch, "ردیف‌ها.csv")
    with open(rows, "w", encoding="utf-8", newline="") as f:
        f.write(random_rows(random.Random(2000), 2000))
    exe = os.path.join(folder, "veldora-cli.exe")
    for extra in ([], ["--json"]):
        host = subprocess.run([HOST_CLI, "--batch", "ردیف‌ها.csv", "--out", "خروجی.csv"] + extra,
                              cwd=scratch, capture_output=True)
        host_out = open(os.path.join(scratch, "خروجی.csv"), "rb").read()
        os.remove(os.path.join(scratch, "خروجی.csv"))
        started = time.time()
        ran = wine.run([exe, "--batch", "ردیف‌ها.csv", "--out", "خروجی.csv"] + extra,
                       cwd=scratch, capture_output=True)
        seconds = time.time() - started
        wine_out = open(os.path.join(scratch, "خروجی.csv"), "rb").read() \
            if os.path.exists(os.path.join(scratch, "خروجی.csv")) else b""
        check((host.returncode, host.stderr, host_out) == (ran.returncode, ran.stderr, wine_out)
              and b"\r\n" not in wine_out and len(host_out) > 100000,
              f"--batch {' '.join(extra)}: 2,000 rows from a Persian name with CRLF, written to a "
              f"Persian name, byte for byte as on Debian ({seconds:.1f} s under Wine)")
        if os.path.exists(os.path.join(scratch, "خروجی.csv")):
            os.remove(os.path.join(scratch, "خروجی.csv"))
    piped = wine.run([exe, "--batch", "-"], input=open(rows, "rb").read(), cwd=scratch,
                     capture_output=True)
    host_piped = subprocess.run([HOST_CLI, "--batch", "-"], input=open(rows, "rb").read(),
                                cwd=scratch, capture_output=True)
    check(piped.stdout == host_piped.stdout and piped.returncode == host_piped.returncode,
          "--batch - reads the standard input and writes the standard output without a CR added")

    # A sand's sieve analysis and a plant's strength tests, read from Persian names with Windows
    # line ends, in lines and in JSON, as on Debian.
    with open(os.path.join(scratch, "ماسه.csv"), "w", encoding="utf-8", newline="") as f:
        f.write("sieve_mm,retained_g\r\n9.5,0\r\n4.75,20\r\n2.36,85\r\n1.18,110\r\n"
                "0.6,130\r\n0.3,90\r\n0.15,50\r\npan,15\r\noriginal,501\r\n")
    shutil.copy(os.path.join(ROOT, "tests", "data", "strength_tests_20.csv"),
                os.path.join(scratch, "آزمايشها.csv"))
    lab_sets = [["--sieve-fine", "ماسه.csv"], ["--sieve-fine", "ماسه.csv", "--json"],
                ["--strength-tests", "آزمايشها.csv", "--specified-strength", "250"],
                ["--strength-tests", "آزمايشها.csv", "--specified-strength", "250", "--json"],
                ["--strength-tests", "نيست.csv"]]
    differing = [args for args in lab_sets
                 if (lambda h, w: (h.returncode, h.stdout, h.stderr) !=
                     (w.returncode, w.stdout, w.stderr))(
                         subprocess.run([HOST_CLI] + args, cwd=scratch, capture_output=True),
                         wine.run([exe] + args, cwd=scratch, capture_output=True))]
    check(not differing, f"--sieve-fine and --strength-tests print what they print on Debian "
                         f"({len(lab_sets)} argument sets, differing: {differing})")

    # The report through veldora-report.exe, beside veldora-cli.exe.
    args = ["--specified-strength", "250", "--standard-deviation", "30", "--test-count", "20",
            "--pour-volume", "120", "--project-name", "برج آفتاب", "--trial-slump", "30"]
    ran = wine.run([exe] + args + ["--report", "گزارش.pdf"], cwd=scratch, capture_output=True)
    if ran.returncode != 0:
        print(f"      veldora-cli.exe --report: {ran.returncode} {ran.stderr!r}", file=sys.stderr)
    subprocess.run([HOST_CLI] + args + ["--report", "debian.pdf"], cwd=scratch,
                   capture_output=True)
    wine_pdf = os.path.join(scratch, "گزارش.pdf")
    fonts = subprocess.run(["pdffonts", wine_pdf], capture_output=True).stdout.decode() \
        if os.path.exists(wine_pdf) else ""
    check(same_report_text(wine_pdf, os.path.join(scratch, "debian.pdf"), []) and "Nazli" in fonts,
          "--report under Wine: the Debian report's text, Nazli embedded")
    shutil.rmtree(scratch, ignore_errors=True)


# The windows -----------------------------------------------------------------------------------

class Display:
    """A private Xvfb display with openbox, as a desktop with a window manager."""

    def __init__(self):
        for _ in range(5):  # a display just given up may still hold its number a moment
            read, write = os.pipe()
            self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                          "1280x1024x24"], pass_fds=[write],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write)
            number = os.read(read, 32).decode().strip()
            os.close(read)
            self.name = ":" + number
            time.sleep(0.5)
            answers = subprocess.run(["xdpyinfo", "-display", self.name],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if self.xvfb.poll() is None and answers.returncode == 0:
                break
            self.xvfb.kill()
            self.xvfb.wait()
            time.sleep(1)
        else:
            raise RuntimeError("no Xvfb display answered")
        os.environ["DISPLAY"] = self.name
        self.wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        time.sleep(1)

    def close(self):
        for process in (self.wm, self.xvfb):
            process.terminate()
            process.wait()


def xdotool(*args):
    result = subprocess.run(["xdotool"] + list(args), capture_output=True, text=True)
    return result.stdout.strip()


def wait_for_window(name, seconds=30):
    """The id of the first visible window whose title matches name, once there is one."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = xdotool("search", "--onlyvisible", "--name", name)
        if found:
            return found.split()[0]
        time.sleep(0.3)
    return None


def window_box(window):
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
    value = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
    return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
            value("Height"))


def wait_for_file(path, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if os.path.exists(path) and os.path.getsize(path) > 0:
            time.sleep(0.5)
            return True
        time.sleep(0.3)
    return False


def type_text(text):
    """Types text as keys; a letter without a key of its own is typed on a key xdotool maps to it
    for the moment, with time for the program to see the new mapping before and after."""
    for run in re.findall(r"[\x20-\x7e]+|[^\x20-\x7e]", text):
        if run.isascii():
            xdotool("type", "--delay", "20", run)
        else:
            time.sleep(0.3)
            xdotool("type", "--delay", "200", run)
            time.sleep(0.3)


def type_into_file_dialog(title, windows_path, shot=None):
    """Types a name into the open file dialog titled title and confirms it; the screen before
    the name is confirmed goes to shot."""
    dialog = wait_for_window(title)
    if not dialog:
        print(f"      no dialog \"{title}\"", file=sys.stderr)
        return False
    time.sleep(1)
    xdotool("windowactivate", "--sync", dialog)
    xdotool("key", "End")
    xdotool("key", "--repeat", "120", "BackSpace")
    type_text(windows_path)
    time.sleep(0.5)
    if shot:
        screenshot(shot)
    # Wine's dialog may take the first Return for its list of names completing the typed one.
    for _ in range(3):
        xdotool("key", "Return")
        deadline = time.time() + 5
        while time.time() < deadline and dialog in xdotool("search", "--onlyvisible", "--name",
                                                            title).split():
            time.sleep(0.3)
        if dialog not in xdotool("search", "--onlyvisible", "--name", title).split():
            return True
    print(f"      the dialog \"{title}\" took no name", file=sys.stderr)
    return False


def screenshot(path):
    subprocess.run(["import", "-window", "root", path], check=True)


def gui_checks(wine, shots):
    exe = os.path.join(PORTABLE, "veldora.exe")
    scratch = tempfile.mkdtemp(prefix="veldora-wine-gui-")
    win_scratch = wine.windows_path(scratch)
    program = wine.start([exe])
    main = wait_for_window("VELDORA  UNTITLED", 60)
    if not main:
        screenshot(os.path.join(shots, "no-main-window.png"))
    if not check(main is not None, "veldora.exe shows its main window \"VELDORA  UNTITLED\""):
        program.kill()
        return
    time.sleep(2)
    x, y, width, height = window_box(main)
    screenshot(os.path.join(shots, "main-window.png"))
    xdotool("windowactivate", "--sync", main)
    xdotool("key", "F5")
    time.sleep(1)
    screenshot(os.path.join(shots, "main-window-run.png"))

    # Save (as Save As, the design being untitled), compared with Debian's save of the same run.
    xdotool("key", "ctrl+s")
    type_into_file_dialog("select", win_scratch + "\\طرح.vdr", os.path.join(shots, "save.png"))
    saved = os.path.join(scratch, "طرح.vdr")
    subprocess.run([HOST_CLI, "--save", os.path.join(scratch, "debian.vdr")], capture_output=True)
    check(wait_for_file(saved) and open(saved, "rb").read() ==
          open(os.path.join(scratch, "debian.vdr"), "rb").read(),
          "Save writes the default design's mix file byte for byte as on Debian, under a Persian "
          "name")
    check(wait_for_window(re.escape("VELDORA  " + win_scratch + "\\طرح.vdr")) is not None,
          "the title names the saved file as Windows writes names")

    # A box changed, then the file opened again: the design it holds comes back.
    xdotool("windowactivate", "--sync", main)
    xdotool("key", "ctrl+o")
    type_into_file_dialog("select", win_scratch + "\\طرح.vdr")
    time.sleep(2)
    xdotool("key", "ctrl+s")
    time.sleep(2)
    check(open(saved, "rb").read() == open(os.path.join(scratch, "debian.vdr"), "rb").read(),
          "Open brings the saved design back, and Save writes it unchanged")

    # The report from the print preview: a cancelled PDF name writes nothing; a name writes it.
    def preview_print_button():
        xdotool("windowactivate", "--sync", main)
        xdotool("key", "ctrl+p")
        dialog = wait_for_window("گزارش طرح اختلاط")
        time.sleep(1)
        xdotool("key", "Return")
        time.sleep(3)
        previews = [w for w in xdotool("search", "--onlyvisible", "--name",
                                       "گزارش طرح اختلاط").split()]
        box = max((window_box(w) for w in previews), key=lambda b: b[2] * b[3])
        return box[0] + box[2] - 20, box[1] + 16, dialog is not None

    px, py, dialog_shown = preview_print_button()
    screenshot(os.path.join(shots, "print-preview.png"))
    xdotool("mousemove", str(px), str(py), "click", "1")
    exported = wait_for_window("Export to PDF")
    xdotool("key", "Escape")
    time.sleep(3)
    pdfs = [name for name in os.listdir(scratch) if name.endswith(".pdf")]
    check(dialog_shown and exported is not None and not pdfs,
          "a PDF name cancelled in the preview's own dialog writes no report")
    preview = wait_for_window("گزارش طرح اختلاط")
    if preview:
        box = window_box(preview)
        px, py = box[0] + box[2] - 20, box[1] + 16
    xdotool("mousemove", str(px), str(py), "click", "1")
    type_into_file_dialog("Export to PDF", win_scratch + "\\report.pdf")
    pdf = os.path.join(scratch, "report.pdf")
    subprocess.run([HOST_CLI, saved, "--report", os.path.join(scratch, "debian.pdf")],
                   capture_output=True)
    check(wait_for_file(pdf) and
          same_report_text(pdf, os.path.join(scratch, "debian.pdf"), ["vdr"]),
          "the report printed to a PDF from the preview reads as the Debian report (date and "
          "file lines aside)")
    if os.path.exists(pdf):
        subprocess.run(["pdftoppm", "-png", "-r", "80", "-f", "1", "-l", "1", pdf,
                        os.path.join(shots, "report")], check=False)
    program.kill()
    subprocess.run(["pkill", "-f", "veldora.exe"])
    time.sleep(2)

    # The same window at 125 % and 150 %: Windows' scaling, set as Windows sets it.
    for dpi in (120, 144):
        wine.run(["reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                  "REG_DWORD", "/d", str(dpi), "/f"], capture_output=True)
        program = wine.start([exe])
        scaled = wait_for_window("VELDORA  UNTITLED")
        time.sleep(2)
        if scaled:
            sx, sy, swidth, sheight = window_box(scaled)
            screenshot(os.path.join(shots, f"main-window-{dpi}dpi.png"))
            ratio = swidth / width
            check(abs(ratio - dpi / 96) < 0.04,
                  f"at {dpi} dpi the window is {ratio:.2f} times as wide as at 96 dpi")
        else:
            check(False, f"veldora.exe starts at {dpi} dpi")
        program.kill()
        subprocess.run(["pkill", "-f", "veldora.exe"])
        time.sleep(2)
    wine.run(["reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
              "/d", "96", "/f"], capture_output=True)
    shutil.rmtree(scratch, ignore_errors=True)


# The installer ---------------------------------------------------------------------------------

def installed_files():
    files = []
    for folder, _, names in os.walk(PORTABLE):
        files += [os.path.relpath(os.path.join(folder, n), PORTABLE) for n in names]
    return sorted(files)


def installer_checks(wine, mode):
    all_users = mode == "/AllUsers"
    root = "HKLM" if all_users else "HKCU"
    if all_users:
        folder = os.path.join(wine.drive_c, "Program Files", "VELDORA")
        menu = os.path.join(wine.drive_c, "ProgramData", "Microsoft", "Windows", "Start Menu",
                            "Programs")
    else:
        folder = os.path.join(wine.user, "AppData", "Local", "Programs", "VELDORA")
        menu = os.path.join(wine.user, "AppData", "Roaming", "Microsoft", "Windows",
                            "Start Menu", "Programs")
    shortcut = os.path.join(menu, "VELDORA - ولدورا.lnk")
    result = wine.run([SETUP, "/S", mode], capture_output=True)
    present = [f for f in installed_files() if os.path.exists(os.path.join(folder, f))]
    check(result.returncode == 0 and present == installed_files() and
          os.path.exists(os.path.join(folder, "uninstall.exe")),
          f"setup.exe /S {mode}: every file of the portable folder and uninstall.exe in {folder}")
    check(os.path.exists(shortcut), f"the Start menu entry \"VELDORA - ولدورا\" ({mode})")
    key = root + r"\Software\Microsoft\Windows\CurrentVersion\Uninstall\VELDORA"
    uninstall = wine.registry(key, "UninstallString") or ""
    check("uninstall.exe" in uninstall and wine.registry(key, "DisplayVersion") == VERSION,
          f"registered in Windows' list of programs with UninstallString {uninstall}")
    check(wine.registry(root + r"\Software\Classes\.vdr", "") == "VELDORA.MixFile" and
          "veldora.exe" in (wine.registry(
              root + r"\Software\Classes\VELDORA.MixFile\shell\open\command", "") or ""),
          f".vdr is associated with veldora.exe ({root})")

    # A double-click on a mix file: the shell opens it with its program. Wine's shell reads the
    # machine's file types only (Windows merges the user's into them), so for the current user
    # the command registered for the type is run as the shell would run it.
    mixes = os.path.join(wine.drive_c, "mixes")
    os.makedirs(mixes, exist_ok=True)
    mix = os.path.join(mixes, "مخلوط.vdr")
    subprocess.run([HOST_CLI, "--slump", "75", "--save", mix], capture_output=True)
    windows_mix = "C:\\mixes\\مخلوط.vdr"
    if all_users:
        opener = wine.start(["start", windows_mix])
    else:
        command = wine.registry(root + r"\Software\Classes\VELDORA.MixFile\shell\open\command",
                                "") or ""
        program = re.match(r'"([^"]+)"', command)
        opener = wine.start([program.group(1) if program else "missing", windows_mix])
    window = wait_for_window(re.escape("VELDORA  " + windows_mix))
    check(window is not None, f"opening a .vdr file starts VELDORA on that file ({mode})")
    subprocess.run(["pkill", "-f", "veldora.exe"])
    opener.wait()
    time.sleep(2)

    # While the program runs nothing is removed from under it: the uninstaller says so and stops.
    running = wine.start([os.path.join(folder, "veldora.exe")])
    wait_for_window("VELDORA  UNTITLED")
    wine.run([os.path.join(folder, "uninstall.exe"), "/S"], capture_output=True)
    time.sleep(5)
    check(os.path.exists(os.path.join(folder, "veldora.exe")) and
          os.path.exists(os.path.join(folder, "uninstall.exe")) and wine.registry(key) is not None,
          f"uninstall.exe /S while VELDORA runs removes nothing ({mode})")
    running.kill()
    subprocess.run(["pkill", "-f", "veldora.exe"])
    time.sleep(2)

    # The uninstaller: a mix file the user saved in the folder stays, and the folder with it.
    with open(os.path.join(folder, "mine.vdr"), "wb") as f:
        f.write(b"a user's own mix file\r\n")
    wine.run([os.path.join(folder, "uninstall.exe"), "/S"], capture_output=True)
    deadline = time.time() + 60
    while time.time() < deadline and os.path.exists(os.path.join(folder, "uninstall.exe")):
        time.sleep(0.5)
    time.sleep(2)
    left = sorted(os.listdir(folder)) if os.path.exists(folder) else []
    check(left == ["mine.vdr"], f"uninstall.exe /S removes every file it installed and keeps the "
                                f"user's mix file (left: {left})")
    check(not os.path.exists(shortcut), "the Start menu entry is gone")
    check(wine.registry(key) is None and wine.registry(root + r"\Software\Classes\.vdr") is None
          and wine.registry(root + r"\Software\Classes\VELDORA.MixFile") is None,
          f"the program's entry and the .vdr type are gone from {root}")
    check(os.path.exists(mix), "a mix file elsewhere is untouched")
    shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", action="append", choices=["cli", "gui", "installer"])
    parser.add_argument("--shots", default=os.path.join(OUT, "screenshots"))
    options = parser.parse_args()
    parts = options.only or ["cli", "gui", "installer"]
    os.makedirs(options.shots, exist_ok=True)
    for needed in (PORTABLE, SETUP, HOST_CLI):
        if not os.path.exists(needed):
            sys.exit(f"{needed} is missing: run tools/package-windows first")
    # The display first: Wine's own processes, started with the prefix, draw on it for good.
    display = Display() if "gui" in parts or "installer" in parts else None
    wine = Wine(os.path.join(OUT, "wine-checks"))
    try:
        if "cli" in parts:
            cli_checks(wine)
        if "gui" in parts:
            gui_checks(wine, options.shots)
        if "installer" in parts:
            installer_checks(wine, "/CurrentUser")
            installer_checks(wine, "/AllUsers")
    finally:
        subprocess.run(["wineserver", "-k"], env=wine.env)
        if display:
            display.close()
    print(f"{len(failures)} failed" if failures else "every Windows check passed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
