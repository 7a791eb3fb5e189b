#!/usr/bin/python3
"""Reads a DXF of ours with ezdxf, the way a CAD program would, and lists what it holds.

Usage: dxf_check.py FILE.dxf

Loads the file (Windows-1251, as the writer writes it), runs ezdxf's auditor, and prints one
line per entity of the model space in a fixed form that the C++ tests compare with what the
drawing should hold:

    LINE x1 y1 x2 y2 c=COLOUR
    TEXT x y h=HEIGHT c=COLOUR SHOWN
    POLYLINE closed=0|1 w=WIDTH c=COLOUR x,y x,y ...

Numbers with four decimals; COLOUR 256 means that the entity names none (by layer). SHOWN is
the text as CAD shows it, its control codes read.
Exit 0: read and audited without error or fix; 1: a load or audit finding (printed); 77: ezdxf is not
installed (the test skips).
"""
import sys

try:
    import ezdxf
    from ezdxf.tools.text import plain_text
except ImportError:
    print("python3-ezdxf is not installed")
    sys.exit(77)


def shown(text):
    """ezdxf's plain text, with each "%%%" read as the one percent sign CAD shows for it (ezdxf
    leaves that code as it is); split left to right, the way CAD reads the codes."""
    return "%".join(plain_text(part) for part in text.split("%%%"))


def num(v):
    text = f"{v:.4f}"
    return "0.0000" if text == "-0.0000" else text


def listing(doc):
    out = []
    for e in doc.modelspace():
        kind = e.dxftype()
        colour = e.dxf.color
        if kind == "LINE":
            s, t = e.dxf.start, e.dxf.end
            out.append(f"LINE {num(s.x)} {num(s.y)} {num(t.x)} {num(t.y)} c={colour}")
        elif kind == "TEXT":
            p = e.dxf.insert
            out.append(
                f"TEXT {num(p.x)} {num(p.y)} h={num(e.dxf.height)} c={colour} {shown(e.dxf.text)}"
            )
        elif kind == "POLYLINE":
            points = " ".join(
                f"{num(v.dxf.location.x)},{num(v.dxf.location.y)}" for v in e.vertices
            )
            out.append(
                f"POLYLINE closed={int(e.is_closed)} w={num(e.dxf.default_start_width)}"
                f" c={colour} {points}"
            )
        else:
            out.append(f"UNEXPECTED {kind}")
    return out


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    try:
        doc = ezdxf.readfile(sys.argv[1], encoding="cp1251")
    except Exception as e:  # any failure to load is the finding
        print(f"ezdxf cannot load the file: {type(e).__name__}: {e}")
        return 1
    auditor = doc.audit()
    # A fix is an error the auditor mended in memory: the file itself was wrong.
    if auditor.has_errors or auditor.has_fixes:
        for error in auditor.errors:
            print(f"audit error: {error.message}")
        for fix in auditor.fixes:
            print(f"audit fix: {fix.message}")
        return 1
    print("\n".join(listing(doc)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
