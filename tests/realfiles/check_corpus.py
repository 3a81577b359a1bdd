#!/usr/bin/python3
"""The companion on every file of the shared DXF corpus, checked by a real DXF reader.

For every complete file with TEXT entities: the update file of the listed lines
unchanged and a creation file of three lines must open in ezdxf wherever the
original opens, and ezdxf's auditor may find no more errors in them than in
the original. With --mingw, the Windows build of the companion (under Wine)
must write the same bytes as the native one.

    check_corpus.py --native BUILD_DIR [--mingw BUILD_DIR] [--junit FILE]
"""
import argparse
import os
import subprocess
import sys
import tempfile
import xml.sax.saxutils as saxutils
from pathlib import Path

import ezdxf

ROOT = Path(__file__).resolve().parents[2]
CORPUS = ROOT.parent / "shared" / "dxf-corpus"
THREE_LINES = "新しい1\r\n\r\nNEW-3\r\n".encode("cp932")


class Results:
    def __init__(self):
        self.cases = []  # (name, failure message or None)

    def add(self, name, failure=None):
        self.cases.append((name, failure))
        print(("FAIL " if failure else "ok   ") + name + (": " + failure if failure else ""))

    def write_junit(self, path):
        failures = sum(1 for _, f in self.cases if f)
        with open(path, "w", encoding="utf-8") as out:
            out.write('<?xml version="1.0" encoding="UTF-8"?>\n<testsuites>')
            out.write(f'<testsuite name="real_files" tests="{len(self.cases)}" failures="{failures}">')
            for name, failure in self.cases:
                out.write(f"<testcase name={saxutils.quoteattr(name)}>")
                if failure:
                    out.write(f"<failure message={saxutils.quoteattr(failure)}/>")
                out.write("</testcase>")
            out.write("</testsuite></testsuites>\n")


def run(command):
    return subprocess.run(command, capture_output=True)


def read_with_ezdxf(path):
    """(auditor problems, TEXT entities in all layouts), or None when ezdxf cannot open the file."""
    try:
        doc = ezdxf.readfile(str(path))
    except Exception:  # any reader failure means "does not open"
        return None
    auditor = doc.audit()
    texts = sum(len(layout.query("TEXT")) for layout in doc.layouts)
    return len(auditor.errors) + len(auditor.fixes), texts


def without_entities(data):
    """The file with the entities section emptied (head and tail joined), CR LF."""
    lines = data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    pairs = [(lines[i].strip(), lines[i + 1].strip()) for i in range(0, len(lines) - 1, 2)]
    start = next(i for i, p in enumerate(pairs) if p == (b"2", b"ENTITIES"))
    end = next(i for i in range(start, len(pairs)) if pairs[i] == (b"0", b"ENDSEC"))
    kept = lines[: 2 * start + 2] + lines[2 * end:]
    return b"".join(line + b"\r\n" for line in kept)


def companion_outputs(tool, dxf, work, wrap=None):
    """Runs list, update (lines unchanged) and make (three lines); returns their outputs."""
    prefix = wrap or []
    def arg(path):
        return "Z:" + str(path) if wrap else str(path)
    listed = run(prefix + [tool, "list", arg(dxf)])
    outputs = {"list": (listed.returncode, listed.stdout)}
    lines = work / "lines.txt"
    lines.write_bytes(listed.stdout)
    three = work / "three.txt"
    three.write_bytes(THREE_LINES)
    for name, command in (
        ("update", ["update", arg(dxf), arg(lines), arg(work / "update.dxf")]),
        ("make", ["make", arg(dxf), arg(three), arg(work / "make.dxf"), "--dx", "0", "--dy", "-5"]),
    ):
        target = work / (name + ".dxf")
        if target.exists():
            target.unlink()
        done = run(prefix + [tool] + command)
        outputs[name] = (done.returncode, target.read_bytes() if target.exists() else None)
    return outputs


def check_file(results, dxf, native, wine_tool, wrapper):
    name = dxf.name
    with tempfile.TemporaryDirectory() as tmp:
        work = Path(tmp)
        outputs = companion_outputs(native, dxf, work)
        listed_status, listed = outputs["list"]
        complete = listed_status == 0
        has_texts = complete and listed != b""
        if name == "ezdxf_recover01.dxf":
            results.add(f"{name}: refused as incomplete",
                        None if listed_status == 1 and outputs["update"][0] == 1 else "was not refused")
            return
        if not complete:
            results.add(f"{name}: lists", f"list failed with status {listed_status}")
            return
        for kind in ("update", "make"):
            status, data = outputs[kind]
            if not has_texts:
                results.add(f"{name}: {kind} refused without texts",
                            None if status == 1 and data is None else f"status {status}")
                continue
            if status != 0 or data is None:
                results.add(f"{name}: {kind}", f"status {status}")
                continue
            out_path = work / f"{kind}-checked.dxf"
            out_path.write_bytes(data)
            before = read_with_ezdxf(dxf)
            after = read_with_ezdxf(out_path)
            # The update keeps every text whose line is not empty; make creates
            # the two non-blank lines of three.
            emptied = listed.split(b"\r\n")[:-1].count(b"")
            if before is None:
                results.add(f"{name}: {kind} (original does not open in ezdxf)")
                continue
            if kind == "make":
                # The creation file keeps the export's objects but none of its
                # entities, so objects owned by those entities dangle in any
                # such file; measure against the original without entities.
                bare = work / "without-entities.dxf"
                bare.write_bytes(without_entities(dxf.read_bytes()))
                before = (read_with_ezdxf(bare) or before)[0], before[1]
            expected_texts = before[1] - emptied if kind == "update" else 2
            if after is None:
                failure = "ezdxf cannot open it"
            elif after[0] > before[0]:
                failure = f"{after[0]} audit problems against {before[0]}"
            elif after[1] != expected_texts:
                failure = f"{after[1]} TEXT entities, expected {expected_texts}"
            else:
                failure = None
            results.add(f"{name}: {kind} opens in ezdxf, audit and texts as expected", failure)
        if wine_tool:
            wine_dir = work / "wine"
            wine_dir.mkdir()
            wine_outputs = companion_outputs(str(wine_tool), dxf, wine_dir, wrap=[str(wrapper)])
            differ = [k for k in outputs if outputs[k] != wine_outputs[k]]
            results.add(f"{name}: Windows build writes the same bytes",
                        f"differs in {', '.join(differ)}" if differ else None)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--native", required=True)
    parser.add_argument("--mingw")
    parser.add_argument("--junit")
    args = parser.parse_args()
    native = Path(args.native).resolve() / "tools" / "vorbel-dxf" / "vorbel-dxf"
    wine_tool = None
    if args.mingw:
        wine_tool = Path(args.mingw).resolve() / "tools" / "vorbel-dxf" / "vorbel-dxf.exe"
    wrapper = ROOT / "scripts" / "wine-run.sh"
    results = Results()
    files = sorted(CORPUS.glob("*.dxf"))
    if not files:
        results.add("corpus present", f"no DXF files in {CORPUS}")
    for dxf in files:
        try:
            check_file(results, dxf, str(native), wine_tool, wrapper)
        except Exception as error:  # report and go on with the next file
            results.add(f"{dxf.name}: checked", repr(error))
    if args.junit:
        results.write_junit(args.junit)
    failed = sum(1 for _, f in results.cases if f)
    print(f"real files: {len(results.cases) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
