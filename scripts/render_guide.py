#!/usr/bin/python3
"""Renders the guide (docs/guide-ja.md) as the release package's readme.txt.

    render_guide.py docs/guide-ja.md readme.txt

Plain text in code page 932 with CR LF: headings underlined or marked,
lists and tables aligned, pictures replaced by a note in brackets, links by
their text, bold and code marks dropped. A character that code page 932
cannot hold stops the rendering with its line in the guide; nothing is
written then.
"""
import re
import sys

IMAGE = re.compile(r"!\[([^\]]*)\]\([^)]*\)")
LINK = re.compile(r"\[([^\]]*)\]\([^)]*\)")


def width(text):
    """Columns the text takes in a fixed-pitch font: its code page 932 bytes."""
    return len(text.encode("cp932", errors="replace"))


def inline(text):
    text = IMAGE.sub(lambda m: "[図: " + m.group(1) + "]", text)
    text = LINK.sub(r"\1", text)
    return text.replace("**", "").replace("`", "")


def table(rows):
    cells = [[inline(c.strip()) for c in row.strip().strip("|").split("|")] for row in rows]
    header, body = cells[0], [r for r in cells[1:] if not all(re.fullmatch(r":?-+:?", c) for c in r)]
    widths = [max(width(r[i]) for r in [header] + body) for i in range(len(header))]

    def line(row):
        return "  ".join(c + " " * (w - width(c)) for c, w in zip(row, widths)).rstrip()

    return [line(header), "  ".join("-" * w for w in widths)] + [line(r) for r in body]


def render(markdown):
    out = []
    lines = markdown.splitlines()
    i = 0
    while i < len(lines):
        line = lines[i]
        if line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append(lines[i])
                i += 1
            out += ["    " + r for r in table(rows)]
            continue
        heading = re.match(r"(#+) (.*)", line)
        if heading:
            level, title = len(heading.group(1)), inline(heading.group(2))
            if level == 1:
                out += [title, "=" * width(title)]
            elif level == 2:
                out += [title, "-" * width(title)]
            else:
                out.append("■ " + title)
        elif line.startswith("    "):
            out.append(line)  # a command example, as it is
        elif line.startswith("> "):
            out.append("    " + inline(line[2:]))
        else:
            item = re.match(r"( *)- (.*)", line)
            if item:
                out.append(item.group(1) * 2 + "・" + inline(item.group(2)))
            else:
                out.append(inline(line))
        i += 1
    return "\r\n".join(out).rstrip() + "\r\n"


def unheld(line):
    """The first character code page 932 cannot hold, or None. A character
    that encodes only as another one (the wave dash 〜 as ～) counts too."""
    for char in line:
        try:
            if char.encode("cp932").decode("cp932") != char:
                return char
        except UnicodeEncodeError:
            return char
    return None


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    with open(argv[0], encoding="utf-8") as source:
        markdown = source.read()
    for number, line in enumerate(markdown.splitlines(), 1):
        bad = unheld(line)
        if bad:
            print(f"{argv[0]}:{number}: U+{ord(bad):04X} '{bad}' has no code of its own in code page 932",
                  file=sys.stderr)
            return 1
    text = render(markdown)
    with open(argv[1], "wb") as target:
        target.write(text.encode("cp932"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
