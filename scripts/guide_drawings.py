#!/usr/bin/python3
"""The drawings of the Japanese guide (docs/guide-ja.md).

    guide_drawings.py sample OUT.dxf         a small parking plan whose labels a
                                            drafter has copied and must renumber
    guide_drawings.py render IN.dxf OUT.png [CAPTION]
                                            a drawing as a picture, its Japanese
                                            texts in IPA Gothic

Run with /usr/bin/python3 (Debian's python3-ezdxf and python3-matplotlib).
"""
import sys

import ezdxf
import matplotlib
import matplotlib.font_manager

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from ezdxf import recover  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.addons.drawing.properties import LayoutProperties  # noqa: E402

# Parking spaces 25 wide and 50 deep, two rows of five across an aisle.
WIDTH, DEPTH, SPACES = 25, 50, 5
ROW2_Y = -100
LABEL_DX, LABEL_DY, LABEL_HEIGHT = 8.5, 22, 5


def sample(path):
    doc = ezdxf.new("R2000")
    doc.encoding = "cp932"
    msp = doc.modelspace()
    doc.layers.add("区画", color=7)
    doc.layers.add("番号", color=1)
    doc.layers.add("表題", color=5)
    for y in (0, ROW2_Y):
        msp.add_line((0, y), (SPACES * WIDTH, y), dxfattribs={"layer": "区画"})
        for i in range(SPACES + 1):
            x = i * WIDTH
            msp.add_line((x, y), (x, y + DEPTH), dxfattribs={"layer": "区画"})
    msp.add_text("駐車場 区画図", height=7, dxfattribs={"layer": "表題", "insert": (0, DEPTH + 12)})
    msp.add_text("通路", height=5, dxfattribs={"layer": "表題", "insert": (55, (ROW2_Y + DEPTH) / 2 - 2.5)})
    # Four spaces of the first row carry a copied label; the fifth has none.
    for i in range(SPACES - 1):
        msp.add_text("P-1", height=LABEL_HEIGHT,
                     dxfattribs={"layer": "番号", "insert": (i * WIDTH + LABEL_DX, LABEL_DY)})
    doc.saveas(path)


def render(source, target, caption):
    doc, _ = recover.readfile(source)
    # Every text in IPA Gothic: its glyphs cover the Japanese strings.
    matplotlib.rcParams["font.family"] = "sans-serif"
    matplotlib.rcParams["font.sans-serif"] = ["IPAGothic"]
    # Missing, it would fall back to a font without Japanese glyphs.
    matplotlib.font_manager.findfont("IPAGothic", fallback_to_default=False)
    for style in doc.styles:
        style.dxf.font = ""
    fig = plt.figure(figsize=(3.6, 3.6))
    ax = fig.add_axes([0, 0, 1, 0.9])
    fig.text(0.03, 0.95, caption, fontsize=13, va="center")
    context = RenderContext(doc)
    layout = LayoutProperties.from_layout(doc.modelspace())
    layout.set_colors("#ffffff")
    Frontend(context, MatplotlibBackend(ax)).draw_layout(doc.modelspace(), layout_properties=layout, finalize=True)
    # The same frame for every picture, whatever the drawing holds, so that the
    # texts stand at the same place in each.
    ax.set_xlim(-10, SPACES * WIDTH + 10)
    ax.set_ylim(ROW2_Y - 10, DEPTH + 20)
    fig.savefig(target, dpi=100, facecolor="#ffffff")


def main(argv):
    if len(argv) == 2 and argv[0] == "sample":
        sample(argv[1])
    elif len(argv) in (3, 4) and argv[0] == "render":
        render(argv[1], argv[2], argv[3] if len(argv) == 4 else "")
    else:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
