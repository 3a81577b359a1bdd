#!/usr/bin/python3
"""The release package as a drafter gets it, checked.

Builds it (scripts/package.sh), then checks: the zip and its SHA-256 file, the
files it holds and nothing else, readme.txt as code page 932 with CR LF, the
programs importing no DLL beyond Windows' own, and vorbel.exe started under
Wine from the unpacked folder (a Japanese name with a blank) beside the
stand-in CAD: it selects, updates and ends cleanly (package_wine_tests.exe).

    check_package.py --mingw BUILD_DIR [--junit FILE]
"""
import argparse
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "realfiles"))
from check_corpus import Results  # noqa: E402  the JUnit writer the further steps share

# DLLs that come with every Windows.
WINDOWS_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "shell32.dll", "imm32.dll",
    "advapi32.dll", "ole32.dll", "oleaut32.dll", "msvcrt.dll", "ws2_32.dll", "version.dll", "uxtheme.dll",
}


def version():
    return subprocess.run(["cmake", "-P", str(ROOT / "cmake" / "version.cmake")], capture_output=True,
                          text=True, check=True).stdout.strip()


def imported_dlls(exe):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(exe)], capture_output=True, text=True)
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump.stdout)}


def check(results, name, check_function):
    try:
        failure = check_function()
    except Exception as error:  # a check that cannot run has failed
        failure = f"{type(error).__name__}: {error}"
    results.add(name, failure)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mingw", required=True)
    parser.add_argument("--junit")
    args = parser.parse_args()
    results = Results()
    os.chdir(ROOT)

    built = subprocess.run(["bash", "scripts/package.sh"], capture_output=True, text=True)
    name = f"vorbel-{version()}-win64"
    archive = ROOT / "dist" / f"{name}.zip"
    results.add("package.sh builds the package",
                None if built.returncode == 0 and archive.exists() else built.stdout[-2000:] + built.stderr[-2000:])
    if archive.exists():
        folder = f"vorbel-{version()}"
        expected = {f"{folder}/{file}" for file in ("vorbel.exe", "vorbel-dxf.exe", "readme.txt", "LICENSE.txt")}
        with zipfile.ZipFile(archive) as package:
            listed = {info.filename for info in package.infolist() if not info.is_dir()}
            check(results, "the zip holds the two programs, readme.txt and LICENSE.txt, nothing else",
                  lambda: None if listed == expected else f"holds {sorted(listed)}")
            sums = (ROOT / "dist" / f"{name}.zip.sha256").read_text().split()
            check(results, "the SHA-256 file matches the zip",
                  lambda: None if sums[:2] == [hashlib.sha256(archive.read_bytes()).hexdigest(), archive.name]
                  else f"says {sums}")
            with tempfile.TemporaryDirectory() as temp:
                unpacked = Path(temp) / "配布 テスト"
                package.extractall(unpacked)
                base = unpacked / folder

                def readme():
                    data = (base / "readme.txt").read_bytes()
                    data.decode("cp932")
                    if b"\n" in data.replace(b"\r\n", b""):
                        return "a line break without CR"
                    return None if "Vorbel".encode() in data and "使い方".encode("cp932") in data else "not the guide"
                check(results, "readme.txt is the guide in code page 932 with CR LF", readme)
                for exe in ("vorbel.exe", "vorbel-dxf.exe"):
                    check(results, f"{exe} imports no DLL beyond Windows' own",
                          lambda exe=exe: (lambda extra: None if not extra else f"imports {sorted(extra)}")(
                              imported_dlls(base / exe) - WINDOWS_DLLS))
                run_program(results, Path(args.mingw), base)
    if args.junit:
        results.write_junit(args.junit)
    return 0 if all(failure is None for _, failure in results.cases) else 1


def run_program(results, mingw, base):
    """package_wine_tests.exe on the unpacked folder; its test cases join the results."""
    program = mingw / "tests" / "package" / "package_wine_tests.exe"
    with tempfile.TemporaryDirectory() as temp:
        report = Path(temp) / "package.xml"
        environment = dict(os.environ, VORBEL_PACKAGE_DIR="Z:" + str(base), LC_ALL="ja_JP.UTF-8",
                           GTEST_OUTPUT="xml:Z:" + str(report))
        run = subprocess.run(["bash", str(ROOT / "scripts" / "wine-run.sh"), str(program)], env=environment,
                             capture_output=True, text=True, errors="replace", timeout=600)
        if not report.exists():
            results.add("vorbel.exe from the unpacked folder", f"no report (exit {run.returncode}): " +
                        run.stdout[-2000:])
            return
        # Messages from a program in code page 932 may not be UTF-8.
        for case in ElementTree.fromstring(report.read_bytes().decode("utf-8", errors="replace")).iter("testcase"):
            failure = case.find("failure")
            results.add("vorbel.exe from the unpacked folder: " + case.get("name"),
                        None if failure is None else failure.get("message"))


if __name__ == "__main__":
    sys.exit(main())
