#!/usr/bin/python3
"""Renders a DXF drawing to PNG: a review aid for the line scheme (and the picture in the
README), not a test.

    tools/render-dxf.py DRAWING.dxf OUT.png [WIDTH_PX] ["X0 Y0 X1 Y1"]

Reads the drawing as Windows-1251, the way vartesk writes it, and draws it black on white with
ezdxf's drawing add-on and matplotlib (Debian: python3-ezdxf, python3-matplotlib). WIDTH_PX is
the picture's width (default 2400); the optional window, in drawing units, crops the view.
Run it with /usr/bin/python3: a python3 of PATH may lack Debian's packages.
"""
import logging
import sys

try:
    import ezdxf
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    from ezdxf.addons.drawing import Frontend, RenderContext
    from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
    from ezdxf.addons.drawing.properties import LayoutProperties
except ImportError as e:
    sys.exit(f"{e.name} is missing: apt-get install python3-ezdxf python3-matplotlib")


def main():
    # The drawing names the style STANDARD, whose font "txt" matplotlib has not: it falls back
    # to its own sans-serif, which is all a review needs, without a warning per text.
    logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)
    if len(sys.argv) not in (3, 4, 5):
        sys.exit(__doc__)
    source, target = sys.argv[1], sys.argv[2]
    width_px = int(sys.argv[3]) if len(sys.argv) >= 4 else 2400
    doc = ezdxf.readfile(source, encoding="cp1251")
    msp = doc.modelspace()
    # Colour 7 is drawn in the foreground colour of the background: black on white.
    paper = LayoutProperties.from_layout(msp)
    paper.set_colors("#ffffff")
    fig = plt.figure()
    ax = fig.add_axes([0, 0, 1, 1])
    Frontend(RenderContext(doc), MatplotlibBackend(ax)).draw_layout(
        msp, finalize=True, layout_properties=paper
    )
    if len(sys.argv) == 5:
        x0, y0, x1, y1 = (float(v) for v in sys.argv[4].split())
        ax.set_xlim(x0, x1)
        ax.set_ylim(y0, y1)
    x0, x1 = ax.get_xlim()
    y0, y1 = ax.get_ylim()
    dpi = 100
    fig.set_size_inches(width_px / dpi, width_px / dpi * (y1 - y0) / (x1 - x0))
    fig.savefig(target, dpi=dpi, facecolor="#ffffff")
    print(target)


if __name__ == "__main__":
    main()
