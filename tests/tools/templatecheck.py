#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads written cutting templates back, independently of the program, and
prints what a fabricator would measure, as JSON: for each cut outline its
arcs (centre, radius, sweep), its straight edges and how far each straight
edge's line passes from the arcs' centre; and the same for the roll lines.

    templatecheck.py dxf FILE     ezdxf: audit, then CUT outlines and MARK lines
    templatecheck.py svg FILE     the <path> outlines of the cut groups
    templatecheck.py bend dxf|svg FILE D1 D2 L T ANGLE N
                                  a bent section's cut curves (D1 ≥ D2 inside,
                                  flow from D1, K 0.5) against the pie-cut
                                  formulas: the largest miss of any point on
                                  them, in mm
    templatecheck.py pdf FILE N   page N through poppler's pdftocairo: each cut
                                  arc's chord and sagitta, the edges' lengths
"""
import json
import math
import re
import sys


def arc_from_bulge(p, q, bulge):
    """Centre, radius and sweep (degrees, signed) of the arc from p to q."""
    theta = 4 * math.atan(bulge)
    chord = math.dist(p, q)
    radius = chord / (2 * abs(math.sin(theta / 2)))
    mx, my = (p[0] + q[0]) / 2, (p[1] + q[1]) / 2
    # distance from the chord's middle to the centre, towards the left of p->q for a positive bulge
    d = radius * math.cos(theta / 2)
    ux, uy = (q[0] - p[0]) / chord, (q[1] - p[1]) / chord
    sign = 1 if theta > 0 else -1
    cx, cy = mx - sign * uy * d, my + sign * ux * d
    return (cx, cy), radius, math.degrees(theta)


def line_distance(centre, a, b):
    """Distance from centre to the infinite line through a and b."""
    (x1, y1), (x2, y2) = a, b
    return abs((x2 - x1) * (y1 - centre[1]) - (x1 - centre[0]) * (y2 - y1)) / math.dist(a, b)


def outline_report(arcs, lines, rolls):
    report = {"arcs": [], "lines": [], "rolls": []}
    centre = arcs[0][0] if arcs else None
    for c, r, sweep in arcs:
        report["arcs"].append({"cx": c[0], "cy": c[1], "r": r, "sweep": sweep,
                               "centre_offset": math.dist(c, centre)})
    for a, b in lines:
        report["lines"].append({"length": math.dist(a, b),
                                "apex_miss": line_distance(centre, a, b) if centre else None})
    # Roll lines run from arc to arc; the arrow and the centre line's pieces do not.
    radii = sorted(r for _, r, _ in arcs)
    def on_arcs(a, b):
        ends = sorted((math.dist(a, centre), math.dist(b, centre)))
        return all(abs(e - r) < 1e-6 * r + 1e-6 for e, r in zip(ends, radii))
    for a, b in rolls:
        if centre and len(radii) == 2 and on_arcs(a, b):
            report["rolls"].append({"apex_miss": line_distance(centre, a, b)})
    return report


def near(p, q, tol=1e-6):
    return math.dist(p, q) < tol


def check_dxf(path):
    import ezdxf
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    msp = doc.modelspace()
    outlines = []
    loose = [e for e in msp if e.dxf.layer == "CUT" and e.dxftype() in ("LINE", "ARC")]
    for pl in msp.query('LWPOLYLINE[layer=="CUT"]'):
        points = [(x, y, b) for x, y, _, _, b in pl.get_points("xyseb")]
        arcs, lines = [], []
        for i, (x, y, b) in enumerate(points):
            q = points[(i + 1) % len(points)]
            if not pl.closed and i == len(points) - 1:
                break
            if b:
                arcs.append(arc_from_bulge((x, y), (q[0], q[1]), b))
            else:
                lines.append(((x, y), (q[0], q[1])))
        outlines.append({"closed": bool(pl.closed), "arcs": arcs, "lines": lines,
                         "box": (min(p[0] for p in points), max(p[0] for p in points))})
    if loose:  # a drawing of loose entities: one outline of all of them
        arcs, lines = [], []
        for e in loose:
            if e.dxftype() == "ARC":
                sweep = (e.dxf.end_angle - e.dxf.start_angle) % 360
                arcs.append(((e.dxf.center.x, e.dxf.center.y), e.dxf.radius, sweep))
            else:
                lines.append(((e.dxf.start.x, e.dxf.start.y), (e.dxf.end.x, e.dxf.end.y)))
        outlines.append({"closed": False, "arcs": arcs, "lines": lines, "box": (-1e300, 1e300)})
    marks = [((e.dxf.start.x, e.dxf.start.y), (e.dxf.end.x, e.dxf.end.y))
             for e in msp.query('LINE[layer=="MARK"]')
             if e.dxf.linetype.upper() not in ("DASHED", "CENTER")]
    result = {"audit_errors": len(auditor.errors), "audit_fixes": len(auditor.fixes),
              "cut_entities": len(loose), "outlines": []}
    for o in outlines:
        rolls = [m for m in marks if o["box"][0] - 1e-6 <= m[0][0] <= o["box"][1] + 1e-6]
        rep = outline_report(o["arcs"], o["lines"], rolls if o["arcs"] else [])
        rep["closed"] = o["closed"]
        result["outlines"].append(rep)
    return result


def svg_path_segments(d):
    tokens = re.findall(r"[MLAZ]|-?[0-9.]+(?:e[-+]?[0-9]+)?", d)
    i, pos, start = 0, None, None
    arcs, lines = [], []
    def num():
        nonlocal i
        i += 1
        return float(tokens[i - 1])
    while i < len(tokens):
        cmd = tokens[i]
        i += 1
        if cmd == "M":
            pos = (num(), num())
            start = pos
        elif cmd == "L":
            q = (num(), num())
            lines.append((pos, q))
            pos = q
        elif cmd == "A":
            rx, ry, rot, large, sweepflag = num(), num(), num(), num(), num()
            q = (num(), num())
            # centre from the end points, radius and flags (SVG implementation notes, F.6.5)
            x1p, y1p = (pos[0] - q[0]) / 2, (pos[1] - q[1]) / 2
            r = rx
            s = max(0.0, (r * r - x1p * x1p - y1p * y1p) / (x1p * x1p + y1p * y1p))
            coef = math.sqrt(s) * (-1 if large == sweepflag else 1)
            cxp, cyp = coef * y1p, -coef * x1p
            c = (cxp + (pos[0] + q[0]) / 2, cyp + (pos[1] + q[1]) / 2)
            a1 = math.atan2(pos[1] - c[1], pos[0] - c[0])
            a2 = math.atan2(q[1] - c[1], q[0] - c[0])
            sweep = math.degrees(a2 - a1)
            if sweepflag and sweep < 0:
                sweep += 360
            if not sweepflag and sweep > 0:
                sweep -= 360
            arcs.append((c, r, sweep))
            pos = q
        elif cmd == "Z":
            if not near(pos, start):
                lines.append((pos, start))
            pos = start
    return arcs, lines


def check_svg(path):
    text = open(path, encoding="utf-8").read()
    result = {"outlines": []}
    for group in re.finditer(r'<g id="([^"]*)-cut"[^>]*>(.*?)</g>', text, re.S):
        arcs, lines = [], []
        paths = re.findall(r'<path d="([^"]*)"', group.group(2))
        closed = len(paths) == 1 and paths[0].rstrip().endswith("Z")
        for d in paths:
            a, l = svg_path_segments(d)
            arcs += a
            lines += l
        rep = outline_report(arcs, lines, [])
        rep["closed"] = closed
        rep["id"] = group.group(1)
        result["outlines"].append(rep)
    return result


MM_PER_POINT = 25.4 / 72


def cubic(p0, p1, p2, p3, t):
    u = 1 - t
    return tuple(u ** 3 * a + 3 * u * u * t * b + 3 * u * t * t * c + t ** 3 * d
                 for a, b, c, d in zip(p0, p1, p2, p3))


def check_pdf(path, page):
    import subprocess
    import tempfile
    with tempfile.TemporaryDirectory() as folder:
        svg = folder + "/page.svg"
        subprocess.run(["pdftocairo", "-svg", "-f", page, "-l", page, path, svg], check=True)
        text = open(svg, encoding="utf-8").read()
    cut_width = 0.3 / 25.4 * 1200  # the cut's stroke, in the writer's dots
    outlines = []
    for style, d, matrix in re.findall(
            r'<path style="([^"]*)" d="([^"]*)" transform="matrix\(([^)]*)\)"', text):
        width = re.search(r"stroke-width:([0-9.]+)", style)
        if not width:
            continue
        m = [float(v) for v in matrix.split(",")]
        def place(x, y):
            return ((m[0] * x + m[2] * y + m[4]) * MM_PER_POINT, (m[1] * x + m[3] * y + m[5]) * MM_PER_POINT)
        nums = re.findall(r"[MLCZ]|-?[0-9.]+", d)
        segments, i, pos, start = [], 0, None, None
        while i < len(nums):
            cmd = nums[i]
            i += 1
            if cmd == "M":
                pos = start = place(float(nums[i]), float(nums[i + 1]))
                i += 2
            elif cmd == "L":
                q = place(float(nums[i]), float(nums[i + 1]))
                segments.append(("L", pos, q))
                pos, i = q, i + 2
            elif cmd == "C":
                pts = [place(float(nums[i + 2 * k]), float(nums[i + 2 * k + 1])) for k in range(3)]
                segments.append(("C", pos, *pts))
                pos, i = pts[2], i + 6
            elif cmd == "Z":
                pos = start
        if abs(float(width.group(1)) - cut_width) < 0.01 and "rgb(0%,0%,0%)" in style:
            outlines.append(segments)
    # A page's coordinates are good to a micrometre or so, and a narrow
    # piece's apex lies hundreds of millimetres off it: no one can find the
    # apex from the paper to 0.01 mm, so a printed piece is measured as a
    # fabricator measures it: each arc's chord and its rise (the sagitta)
    # at the middle, and the side edges' lengths.
    result = {"outlines": []}
    for segments in outlines:
        report = {"closed": True, "arcs": [], "lines": []}
        run = []
        for s in segments + [("L",)]:
            if s[0] == "C":
                run.append(s)
                continue
            if s[0] == "L" and len(s) == 3:
                report["lines"].append({"length": math.dist(s[1], s[2])})
            if not run:
                continue
            start, end = run[0][1], run[-1][4]
            # The middle of the run: a joint between two slices, or the middle of the middle slice.
            middle = run[len(run) // 2][1] if len(run) % 2 == 0 else cubic(*run[len(run) // 2][1:], 0.5)
            chord = math.dist(start, end)
            rise = abs((end[0] - start[0]) * (start[1] - middle[1]) -
                       (start[0] - middle[0]) * (end[1] - start[1])) / chord
            report["arcs"].append({"chord": chord, "sagitta": rise})
            run = []
        result["outlines"].append(report)
    return result


def read_shapes(kind, path):
    """The cut outlines and the open cut curves drawn on a blank, each a list
    of segments ("L", p, q) or ("A", centre, radius), y up, in mm."""
    outlines, curves, audit = [], [], None
    if kind == "dxf":
        import ezdxf
        doc = ezdxf.readfile(path)
        auditor = doc.audit()
        audit = (len(auditor.errors), len(auditor.fixes))
        for pl in doc.modelspace().query("LWPOLYLINE"):
            if pl.dxf.layer not in ("CUT", "PIECUT"):
                continue
            pts = [(x, y, b) for x, y, _, _, b in pl.get_points("xyseb")]
            segs = []
            n = len(pts) if pl.closed else len(pts) - 1
            for i in range(n):
                (x, y, b), q = pts[i], pts[(i + 1) % len(pts)]
                if b:
                    c, r, _ = arc_from_bulge((x, y), q[:2], b)
                    segs.append(("A", c, r))
                else:
                    segs.append(("L", (x, y), q[:2]))
            (outlines if pl.dxf.layer == "CUT" and pl.closed else curves).append(segs)
    else:
        text = open(path, encoding="utf-8").read()
        for group in re.finditer(r'<g id="([^"]*)-(cut|marks)"[^>]*>(.*?)</g>', text, re.S):
            for d, colour in re.findall(r'<path d="([^"]*)" stroke="([^"]*)"', group.group(3)):
                if group.group(2) == "marks" and colour.lower() != "#c80000":
                    continue
                arcs, lines = svg_path_segments(d)
                flip = lambda p: (p[0], -p[1])
                segs = [("L", flip(a), flip(b)) for a, b in lines] + \
                       [("A", flip(c), r) for c, r, _ in arcs]
                (outlines if group.group(2) == "cut" else curves).append(segs)
    return outlines, curves, audit


def intersect(a, b, c, d):
    """Where the lines through a, b and c, d cross."""
    d1, d2 = (b[0] - a[0], b[1] - a[1]), (d[0] - c[0], d[1] - c[1])
    den = d1[0] * d2[1] - d1[1] * d2[0]
    t = ((c[0] - a[0]) * d2[1] - (c[1] - a[1]) * d2[0]) / den
    return (a[0] + t * d1[0], a[1] + t * d1[1])


def check_bend(kind, path, d1, d2, length, t, angle, n):
    """Every vertex and every chord's quarter points of the cut curves
    against the exact pie cut, written out here from the formulas."""
    beta = math.atan((d1 - d2) / (2 * length))
    r1 = d1 / 2 + 0.5 * t / math.cos(beta)
    r2 = d2 / 2 + 0.5 * t / math.cos(beta)
    j = n - 1
    alpha = math.radians(angle / (2 * j))
    cone = d1 != d2
    big_r = length / (2 * j * math.tan(alpha))
    z = [0] + [big_r * math.tan(alpha) * (2 * k - 1) for k in range(1, j + 1)] + [length]
    sigma = [0] + [1 if k % 2 == 1 else -1 for k in range(1, j + 1)] + [0]
    if cone:
        h = r1 / math.tan(beta)
        def rho(k, phi):
            return (h - z[k]) / (math.cos(beta) * (1 + sigma[k] * math.tan(alpha) * math.tan(beta) * math.cos(phi)))
    def cyl(k, x):
        return z[k] + sigma[k] * math.tan(alpha) * r1 * math.cos(x / r1)

    outlines, curves, audit = read_shapes(kind, path)
    blank = len(outlines) == 1 and n > 1
    worst, points, curve_points = 0.0, 0, 0
    for index, segs in enumerate(outlines):
        piece = 1 if blank else index + 1
        # The middle of every piece's development is the outside of the bend once
        # assembled: the straight section's outside, or its inside on a piece turned half a turn.
        mid = math.pi if (not blank and piece % 2 == 0) else 0.0
        cuts = list(range(1, j + 1)) if blank else [piece - 1, piece]
        lines = [s for s in segs if s[0] == "L"]
        arcs = [s for s in segs if s[0] == "A"]
        xs = [p[0] for s in lines for p in s[1:]]
        ys = [p[1] for s in lines for p in s[1:]]
        if cone:
            if arcs:
                apex = arcs[0][1]
            else:  # the two side edges are the longest lines and run through the apex
                side = sorted(lines, key=lambda s: -math.dist(s[1], s[2]))[:2]
                apex = intersect(side[0][1], side[0][2], side[1][1], side[1][2])
        else:
            # The rectangle's left edge is x = 0; its lowest point the lower cut's lowest.
            low = z[cuts[0] - 1 if blank else cuts[0]] - (0 if (blank or cuts[0] == 0) else math.tan(alpha) * r1)
            x0, y0 = min(xs), min(ys) - (0 if blank else low)
        def miss(p, ks):
            if cone:
                dx, dy = p[0] - apex[0], p[1] - apex[1]
                phi = (math.atan2(dy, dx) - math.pi / 2) / math.sin(beta) + mid
                return min(abs(math.hypot(dx, dy) - rho(k, phi)) for k in ks)
            x = p[0] - x0 - math.pi * r1 + mid * r1
            return min(abs(p[1] - y0 - cyl(k, x)) for k in ks)
        shapes = [s[1:] for s in lines]
        if blank:
            shapes = [s[1:] for c in curves for s in c if s[0] == "L"]
        for a, b in shapes:
            # A curve's chord has both ends on one cut; a side edge runs from cut to cut.
            on = [[k for k in cuts if miss(p, [k]) < 1e-6] for p in (a, b)]
            if not set(on[0]) & set(on[1]):
                continue
            for q in (0, 0.25, 0.5, 0.75, 1):
                p = (a[0] + q * (b[0] - a[0]), a[1] + q * (b[1] - a[1]))
                worst = max(worst, miss(p, cuts))
                points += 1
            curve_points += 1
    return {"audit": audit, "outlines": len(outlines), "closed_cut_curves": len(curves) if blank else 0,
            "worst": worst, "points": points, "chords": curve_points}


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "bend":
        print(json.dumps(check_bend(sys.argv[2], sys.argv[3], *map(float, sys.argv[4:9]), int(sys.argv[9]))))
        sys.exit(0)
    if kind == "pdf":
        print(json.dumps(check_pdf(path, sys.argv[3]), indent=1))
    else:
        print(json.dumps(check_dxf(path) if kind == "dxf" else check_svg(path), indent=1))
