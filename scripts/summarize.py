#!/usr/bin/python3
"""Counts the JUnit XML results of scripts/test.sh.

  summarize.py [RESULTS_DIR]
      Reads every *.xml under RESULTS_DIR (default build/results), prints the
      counts of each file and, as its last line, "N passed, N failed" (and
      ", N skipped" when some were). Exit status 1 when a test failed or none
      ran at all.

  summarize.py ctest-extra --dir DIR --ctest-junit FILE --tests-json FILE
      After one ctest run whose GoogleTest programs wrote their XML into DIR:
      writes DIR/ctest-extra.xml with what that XML does not show, from
      ctest's own JUnit file and its `--show-only=json-v1` listing: tests that
      wrote no GoogleTest XML (other programs, crashes, timeouts) count as
      ctest saw them, and a program that failed although its XML shows no
      failure (a sanitizer report at exit, say) counts one failure more.

  summarize.py step --dir DIR --name NAME --status N [--log LOG]
      After a step of scripts/test.sh that exited with status N and kept its
      results in DIR: when N is not 0 and no XML under DIR shows a failure
      (there may be none at all), writes DIR/NAME-exit.xml with one failed
      test NAME, the end of LOG as its text, so that the failure is counted.
"""

import argparse
import json
import os
import sys
import xml.etree.ElementTree as ET

LOG_TAIL_CHARS = 4000


def case_outcome(case):
    """passed, failed or skipped, for GoogleTest's, ctest's and pytest's JUnit alike."""
    if case.find("failure") is not None or case.find("error") is not None:
        return "failed"
    if case.find("skipped") is not None:
        return "skipped"
    if case.get("status") in ("notrun", "disabled") or case.get("result") in ("skipped", "suppressed"):
        return "skipped"
    return "passed"


def case_name(case):
    classname = case.get("classname") or ""
    name = case.get("name") or "?"
    return f"{classname}.{name}" if classname and classname != name else name


def case_message(case):
    for tag in ("failure", "error"):
        node = case.find(tag)
        if node is not None:
            text = (node.get("message") or node.text or "").strip()
            return text.splitlines()[0] if text else ""
    return ""


def read_cases(path):
    """[(name, outcome, message)] of one file, or None when it cannot be read."""
    try:
        root = ET.parse(path).getroot()
    except (ET.ParseError, OSError):
        return None
    return [(case_name(c), case_outcome(c), case_message(c)) for c in root.iter("testcase")]


def write_junit(path, suite, cases):
    """cases: [(name, outcome, message, output)]."""
    root = ET.Element("testsuite", name=suite, tests=str(len(cases)),
                      failures=str(sum(1 for c in cases if c[1] == "failed")),
                      skipped=str(sum(1 for c in cases if c[1] == "skipped")))
    for name, outcome, message, output in cases:
        case = ET.SubElement(root, "testcase", name=name, classname=suite)
        if outcome == "failed":
            ET.SubElement(case, "failure", message=message).text = output or None
        elif outcome == "skipped":
            ET.SubElement(case, "skipped", message=message)
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    ET.ElementTree(root).write(path, encoding="utf-8", xml_declaration=True)


def log_tail(path):
    if not path:
        return ""
    try:
        with open(path, "rb") as f:
            f.seek(0, os.SEEK_END)
            f.seek(max(0, f.tell() - LOG_TAIL_CHARS))
            return f.read().decode("utf-8", "replace")
    except OSError:
        return ""


def counts_line(passed, failed, skipped):
    line = f"{passed} passed, {failed} failed"
    return line + (f", {skipped} skipped" if skipped else "")


def summarize(results_dir):
    files = []
    for top, dirs, names in os.walk(results_dir):
        dirs.sort()
        files += [os.path.join(top, n) for n in sorted(names) if n.endswith(".xml")]
    total = {"passed": 0, "failed": 0, "skipped": 0}
    print("== Results")
    for path in files:
        label = os.path.splitext(os.path.relpath(path, results_dir))[0]
        cases = read_cases(path)
        if cases is None:
            cases = [(label, "failed", "the result file cannot be read")]
        n = {k: sum(1 for c in cases if c[1] == k) for k in total}
        for k in total:
            total[k] += n[k]
        print(f"  {label}: {counts_line(n['passed'], n['failed'], n['skipped'])}")
        failed = [c for c in cases if c[1] == "failed"]
        for name, _, message in failed[:20]:
            print(f"      FAILED {name}" + (f": {message[:160]}" if message else ""))
        if len(failed) > 20:
            print(f"      ... and {len(failed) - 20} more")
    if not files:
        print(f"  no result file under {results_dir}")
    print(counts_line(total["passed"], total["failed"], total["skipped"]))
    return 1 if total["failed"] or not total["passed"] + total["skipped"] else 0


def ctest_extra(args):
    try:
        with open(args.tests_json, encoding="utf-8") as f:
            listing = json.load(f)
    except (OSError, ValueError):
        listing = {}
    programs = {}
    for test in listing.get("tests", []):
        names = set()
        for word in test.get("command") or []:
            base = os.path.basename(word)
            names.add(base[:-4] if base.lower().endswith(".exe") else base)
        programs[test["name"]] = names

    gtest_files = [n[:-4] for n in os.listdir(args.dir) if n.endswith(".xml") and n != "ctest-extra.xml"]

    def files_of(program_names):
        # GoogleTest names its file after the program, adding _1, _2 ... when
        # the name is taken already.
        found = []
        for stem in gtest_files:
            base, _, suffix = stem.rpartition("_")
            if stem in program_names or (suffix.isdigit() and base in program_names):
                found.append(os.path.join(args.dir, stem + ".xml"))
        return found

    try:
        ctest_cases = ET.parse(args.ctest_junit).getroot().iter("testcase")
    except (ET.ParseError, OSError) as error:
        write_junit(os.path.join(args.dir, "ctest-extra.xml"), "ctest",
                    [("ctest", "failed", f"no ctest JUnit file: {error}", "")])
        return 0

    extra = []
    without_xml = []
    for case in ctest_cases:
        name = case.get("name") or "?"
        outcome = case_outcome(case)
        output = (case.findtext("system-out") or "")[-LOG_TAIL_CHARS:]
        xml_files = files_of(programs.get(name, {name}))
        if not xml_files:
            if outcome != "skipped":
                without_xml.append(name)
            extra.append((name, outcome, case_message(case) or "failed under ctest", output))
            continue
        if outcome == "failed":
            shown = [read_cases(p) for p in xml_files]
            if not any(c is None or any(o == "failed" for _, o, _ in c) for c in shown):
                extra.append((name + " (exit status)", "failed",
                              "the program failed although all its tests passed", output))
    if without_xml:
        print(f"note: {len(without_xml)} test(s) wrote no GoogleTest XML, each counted as one test: "
              + ", ".join(without_xml))
    if extra:
        write_junit(os.path.join(args.dir, "ctest-extra.xml"), "ctest", extra)
    return 0


def step(args):
    if args.status == 0:
        return 0
    for top, _, names in os.walk(args.dir):
        for n in names:
            if n.endswith(".xml"):
                cases = read_cases(os.path.join(top, n))
                if cases is None or any(o == "failed" for _, o, _ in cases):
                    return 0
    write_junit(os.path.join(args.dir, args.name + "-exit.xml"), args.name,
                [(args.name, "failed", f"exit status {args.status}", log_tail(args.log))])
    return 0


def main():
    if len(sys.argv) > 1 and sys.argv[1] in ("ctest-extra", "step"):
        parser = argparse.ArgumentParser(prog="summarize.py " + sys.argv[1])
        if sys.argv[1] == "ctest-extra":
            parser.add_argument("--dir", required=True)
            parser.add_argument("--ctest-junit", required=True)
            parser.add_argument("--tests-json", required=True)
            return ctest_extra(parser.parse_args(sys.argv[2:]))
        parser.add_argument("--dir", required=True)
        parser.add_argument("--name", required=True)
        parser.add_argument("--status", type=int, required=True)
        parser.add_argument("--log")
        return step(parser.parse_args(sys.argv[2:]))
    return summarize(sys.argv[1] if len(sys.argv) > 1 else "build/results")


if __name__ == "__main__":
    sys.exit(main())
