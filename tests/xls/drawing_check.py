#!/usr/bin/python3
"""Independent check of the drawings of a workbook (stream read by python3-xlrd's compdoc).

  drawing_check.py FILE.xls [PICTURES...]
      walks every sheet's OfficeArt drawing and the workbook's drawing group and checks
      what Excel relies on: each drawing has an id of its own, shape ids are unique in the
      workbook and lie in clusters the group gives to that drawing, the group's counts of
      clusters, drawings and shapes add up, and every picture of the blip store is counted
      as often as shapes use it. PICTURES, when given, is the number of pictures each sheet
      must show, in sheet order.
Prints one line per sheet ("name: drawing D, S shapes, P pictures") and one per fault.
Exit 0 when sound, 1 with faults, 77 when xlrd is missing.

  drawing_check.py --xlsx FILE.xlsx
      prints "pictures comments" per sheet of an .xlsx file (what LibreOffice made of
      ours), from its drawing and comment parts.
"""
import os
import re
import struct
import sys
import zipfile

try:
    from xlrd import compdoc
except ImportError:
    sys.exit(77)

PICTURE_FRAME = 75


def records(stream):
    """BIFF records with CONTINUE bodies joined: (id, body)."""
    at, out = 0, []
    while at + 4 <= len(stream):
        rid, size = struct.unpack_from("<HH", stream, at)
        body = stream[at + 4:at + 4 + size]
        at += 4 + size
        if rid == 0x003C and out and out[-1][0] in (0x00EB, 0x00EC):
            out[-1] = (out[-1][0], out[-1][1] + body)
        else:
            out.append((rid, body))
    return out


def escher(data, begin, end, visit, depth=0):
    at = begin
    while at + 8 <= end:
        ver_inst, rtype, length = struct.unpack_from("<HHI", data, at)
        body = at + 8
        if ver_inst & 0xF == 0xF:
            escher(data, body, min(end, body + length), visit, depth + 1)
        else:
            visit(rtype, ver_inst >> 4, data[body:body + length])
        at = body + length


def xlsx_objects(path):
    z = zipfile.ZipFile(path)
    names = set(z.namelist())
    n = 1
    while "xl/worksheets/sheet%d.xml" % n in names:
        rels = "xl/worksheets/_rels/sheet%d.xml.rels" % n
        pictures = comments = 0
        if rels in names:
            for target in re.findall(r'Target="([^"]+)"', z.read(rels).decode()):
                part = os.path.normpath(os.path.join("xl/worksheets", target))
                if part not in names:
                    continue
                text = z.read(part).decode()
                if "/drawings/drawing" in part:
                    pictures += text.count("<xdr:pic>")
                elif "/comments" in part:
                    comments += text.count("<comment ")
        print(pictures, comments)
        n += 1
    return 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--xlsx":
        return xlsx_objects(sys.argv[2])
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    with open(sys.argv[1], "rb") as f:
        doc = compdoc.CompDoc(f.read(), logfile=open("/dev/null", "w"))
    stream = doc.get_named_stream("Workbook")
    faults = []
    group = None
    sheets = []  # [name, joined drawing]
    names = []
    current = None
    for rid, body in records(stream):
        if rid == 0x0085:  # BOUNDSHEET
            cch, flags = body[6], body[7]
            raw = body[8:8 + cch * (2 if flags & 1 else 1)]
            names.append(raw.decode("utf-16-le" if flags & 1 else "latin-1"))
        elif rid == 0x0809:  # BOF
            kind = struct.unpack_from("<H", body, 2)[0]
            if kind == 0x0010:
                current = [names[len(sheets)] if len(sheets) < len(names) else "?", b""]
                sheets.append(current)
        elif rid == 0x00EB:
            group = body
        elif rid == 0x00EC and current is not None:
            current[1] += body

    clusters, blips, fdgg = [], [], {}

    def group_visit(rtype, inst, body):
        if rtype == 0xF006:
            fdgg.update(zip(("spidMax", "cidcl", "cspSaved", "cdgSaved"),
                            struct.unpack_from("<IIII", body, 0)))
            for k in range(fdgg["cidcl"] - 1):
                clusters.append(struct.unpack_from("<II", body, 16 + 8 * k))
        elif rtype == 0xF007:
            blips.append(struct.unpack_from("<I", body, 24)[0])

    if group is not None:
        escher(group, 0, len(group), group_visit)
    used = [0] * len(blips)
    seen_spids, seen_dgids = {}, set()
    total_shapes = drawings = 0
    pictures_per_sheet = []
    for name, data in sheets:
        if not data:
            pictures_per_sheet.append(0)
            print("%s: no drawing" % name)
            continue
        drawings += 1
        state = {"dg": None, "csp": 0, "spids": [], "pictures": 0}

        def visit(rtype, inst, body):
            if rtype == 0xF008:
                state["dg"] = inst
                state["csp"] = struct.unpack_from("<I", body, 0)[0]
            elif rtype == 0xF00A:
                state["spids"].append(struct.unpack_from("<I", body, 0)[0])
                if inst == PICTURE_FRAME:
                    state["pictures"] += 1
            elif rtype == 0xF00B:
                for k in range(inst):
                    opid, op = struct.unpack_from("<HI", body, 6 * k)
                    if opid & 0x3FFF == 0x0104 and not opid & 0x8000:
                        if 1 <= op <= len(used):
                            used[op - 1] += 1
                        else:
                            faults.append("%s: picture %d not in the blip store" % (name, op))

        escher(data, 0, len(data), visit)
        dg = state["dg"]
        print("%s: drawing %s, %d shapes, %d pictures"
              % (name, dg, len(state["spids"]), state["pictures"]))
        pictures_per_sheet.append(state["pictures"])
        if dg is None:
            faults.append("%s: no drawing id" % name)
            continue
        if dg in seen_dgids:
            faults.append("%s: drawing id %d used twice" % (name, dg))
        seen_dgids.add(dg)
        total_shapes += state["csp"]
        for spid in state["spids"]:
            if spid in seen_spids:
                faults.append("%s: shape id %d also in %s" % (name, spid, seen_spids[spid]))
            seen_spids[spid] = name
            cluster = spid >> 10
            if not 1 <= cluster <= len(clusters) or clusters[cluster - 1][0] != dg:
                faults.append("%s: shape id %d outside the clusters of drawing %d"
                              % (name, spid, dg))
            elif spid & 0x3FF > clusters[cluster - 1][1]:
                faults.append("%s: shape id %d above its cluster's last id %d"
                              % (name, spid, clusters[cluster - 1][1]))
        if state["csp"] != len(state["spids"]):
            faults.append("%s: %d shapes counted, %d found" % (name, state["csp"],
                                                              len(state["spids"])))
    if group is not None or drawings:
        if group is None:
            faults.append("drawings without a drawing group")
        else:
            if fdgg.get("cdgSaved") != drawings:
                faults.append("group counts %s drawings, found %d" % (fdgg.get("cdgSaved"),
                                                                       drawings))
            if fdgg.get("cspSaved") != total_shapes:
                faults.append("group counts %s shapes, found %d" % (fdgg.get("cspSaved"),
                                                                     total_shapes))
            if seen_spids and fdgg.get("spidMax", 0) < max(seen_spids):
                faults.append("spidMax %d below the largest shape id %d"
                              % (fdgg["spidMax"], max(seen_spids)))
            for k, (refs, uses) in enumerate(zip(blips, used)):
                if refs != uses:
                    faults.append("picture %d counted %d times, used %d" % (k + 1, refs, uses))
    want = [int(a) for a in sys.argv[2:]]
    if want and want != pictures_per_sheet:
        faults.append("pictures per sheet %s, expected %s" % (pictures_per_sheet, want))
    for f in faults:
        print("FAULT " + f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
