#!/usr/bin/env python3
"""Draws the program's tool, tab and icon images as XPM files in this folder.

The XPMs are committed; run this script only to change an image. Each image
is drawn on a transparent canvas with a few primitives."""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[None] * w for _ in range(h)]

    def set(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill=None, outline=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge and outline:
                    self.set(x, y, outline)
                elif fill:
                    self.set(x, y, fill)

    def line(self, x0, y0, x1, y1, c, width=1):
        n = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(n + 1):
            t = i / n
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            for dx in range(width):
                for dy in range(width):
                    self.set(x + dx - (width - 1) / 2, y + dy - (width - 1) / 2, c)

    def circle(self, cx, cy, r, outline=None, fill=None, width=1.0):
        for y in range(self.h):
            for x in range(self.w):
                d = math.hypot(x - cx, y - cy)
                if outline and r - width <= d <= r:
                    self.set(x, y, outline)
                elif fill and d < r - (width if outline else 0):
                    self.set(x, y, fill)

    def polygon(self, pts, fill):
        for y in range(self.h):
            for x in range(self.w):
                if inside(pts, x + 0.5, y + 0.5):
                    self.set(x, y, fill)

    def curve(self, f, x0, x1, c, width=1):
        prev = None
        for i in range(int((x1 - x0) * 4) + 1):
            x = x0 + i / 4
            y = f(x)
            if prev:
                self.line(prev[0], prev[1], x, y, c, width)
            prev = (x, y)

    def save(self, name, var):
        colours = sorted({c for row in self.px for c in row if c})
        keys = ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
        table = {None: " "}
        for i, c in enumerate(colours):
            table[c] = keys[i + 1]
        lines = ['"%d %d %d 1",' % (self.w, self.h, len(colours) + 1), '"  c None",']
        for c in colours:
            lines.append('"%s c %s",' % (table[c], c))
        for row in self.px:
            lines.append('"%s",' % "".join(table[c] for c in row))
        lines[-1] = lines[-1].rstrip(",")
        text = "/* XPM */\nstatic const char *%s[] = {\n%s\n};\n" % (var, "\n".join(lines))
        with open(os.path.join(HERE, name), "w") as f:
            f.write(text)


def inside(pts, x, y):
    res = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            res = not res
        j = i
    return res


INK = "#202020"
PAPER = "#FFFFFF"


def page(c, x0, y0, x1, y1, fold):
    c.polygon([(x0, y0), (x1 - fold, y0), (x1 + 1, y0 + fold + 1), (x1 + 1, y1 + 1), (x0, y1 + 1)], PAPER)
    c.line(x0, y0, x1 - fold, y0, INK)
    c.line(x1 - fold, y0, x1, y0 + fold, INK)
    c.line(x1, y0 + fold, x1, y1, INK)
    c.line(x0, y1, x1, y1, INK)
    c.line(x0, y0, x0, y1, INK)
    c.line(x1 - fold, y0, x1 - fold, y0 + fold, INK)
    c.line(x1 - fold, y0 + fold, x1, y0 + fold, INK)


def magnifier(c):
    c.circle(6, 6, 5.5, outline=INK, fill="#DDEEFF", width=1.3)
    c.line(10, 10, 14, 14, "#704010", width=2)


def file_new():
    c = Canvas(16, 16)
    page(c, 3, 1, 12, 14, 3)
    c.set(13, 1, "#E0B000"); c.set(14, 0, "#E0B000"); c.set(15, 1, "#E0B000"); c.set(14, 2, "#E0B000")
    c.save("FileNew.xpm", "FileNew_xpm")


def file_open():
    c = Canvas(16, 16)
    c.polygon([(1, 3), (6, 3), (7, 5), (14, 5), (14, 14), (1, 14)], "#C89A30")
    c.polygon([(3, 8), (16, 8), (14, 14), (1, 14)], "#F2D064")
    c.line(1, 3, 6, 3, INK); c.line(6, 3, 7, 5, INK); c.line(7, 5, 13, 5, INK); c.line(13, 5, 13, 7, INK)
    c.line(1, 3, 1, 14, INK); c.line(1, 14, 13, 14, INK); c.line(3, 8, 15, 8, INK); c.line(15, 8, 13, 14, INK)
    c.line(3, 8, 1, 14, INK)
    c.save("FileOpen.xpm", "FileOpen_xpm")


def file_save():
    c = Canvas(16, 16)
    c.rect(1, 1, 14, 14, fill="#2F5FB0", outline=INK)
    c.rect(4, 1, 11, 6, fill=PAPER, outline=INK)
    c.rect(8, 2, 9, 5, fill="#2F5FB0")
    c.rect(4, 9, 11, 14, fill="#C8C8C8", outline=INK)
    c.save("FileSave.xpm", "FileSave_xpm")


def zoom(name, sign):
    c = Canvas(16, 16)
    magnifier(c)
    if sign in "+-":
        c.line(3.5, 6, 8.5, 6, INK)
    if sign == "+":
        c.line(6, 3.5, 6, 8.5, INK)
    if sign == "full":
        c.rect(3, 3, 9, 9, outline=INK)
    c.save(name, name.replace(".", "_"))


def start():
    c = Canvas(16, 16)
    c.polygon([(3, 1), (14, 8), (3, 15)], "#20A030")
    c.line(3, 1, 3, 14, INK); c.line(3, 1, 14, 8, INK); c.line(3, 14, 14, 8, INK)
    c.save("SynthesisStart.xpm", "SynthesisStart_xpm")


def stop():
    c = Canvas(16, 16)
    c.rect(2, 2, 13, 13, fill="#D03020", outline=INK)
    c.save("SynthesisStop.xpm", "SynthesisStop_xpm")


def parameters():
    c = Canvas(16, 16)
    for y, knob in ((3, 10), (8, 4), (13, 8)):
        c.line(1, y, 14, y, "#606060")
        c.rect(knob - 1, y - 2, knob + 1, y + 2, fill="#3070C0", outline=INK)
    c.save("Parameters.xpm", "Parameters_xpm")


def check_mark():
    c = Canvas(16, 16)
    for x, y in ((3, 8), (4, 9), (5, 10), (6, 11), (7, 10), (8, 9), (9, 8), (10, 7), (11, 6), (12, 5), (13, 4)):
        c.set(x, y, "#000000"); c.set(x, y - 1, "#000000"); c.set(x, y - 2, "#000000")
    c.save("CheckMark.xpm", "CheckMark_xpm")


def axes(c, s=32):
    c.line(3, s - 4, s - 2, s - 4, INK)
    c.line(4, 2, 4, s - 3, INK)


def tab_goal():
    c = Canvas(32, 32)
    axes(c)
    c.curve(lambda x: 16 - 9 * math.sin((x - 5) / 4.0), 6, 29, "#D02020", 2)
    for x in (7, 12, 17, 22, 27):
        y = 16 - 9 * math.sin((x - 5) / 4.0)
        c.rect(x - 1, int(y) - 1, x + 1, int(y) + 1, fill="#2400F2")
    c.save("TabGoal.xpm", "TabGoal_xpm")


def tab_results():
    c = Canvas(32, 32)
    c.rect(2, 3, 29, 28, fill=PAPER, outline=INK)
    c.rect(3, 4, 28, 8, fill="#C8D8F0")
    for i, y in enumerate((12, 17, 22)):
        c.rect(5, y, 7, y + 2, fill=("#20A030", "#FF8000", "#2400F2")[i])
        c.line(10, y + 1, 26 - 4 * i, y + 1, "#606060", 2)
    c.save("TabResults.xpm", "TabResults_xpm")


def tab_statistics():
    c = Canvas(32, 32)
    axes(c)
    for x, h, col in ((7, 10, "#2400F2"), (13, 18, "#00DD16"), (19, 14, "#FF8000"), (25, 23, "#D02020")):
        c.rect(x, 28 - h, x + 4, 27, fill=col, outline=INK)
    c.save("TabStatistics.xpm", "TabStatistics_xpm")


def app_icon():
    c = Canvas(32, 32)
    c.rect(1, 1, 30, 30, fill="#FFF8E0", outline="#806020")
    axes(c)
    c.curve(lambda x: 27 - 0.028 * (x - 4) ** 2 * 1.4, 5, 28, "#FF8000", 2)
    for x in (8, 14, 20, 26):
        y = 27 - 0.028 * (x - 4) ** 2 * 1.4
        c.rect(x - 1, int(y) - 1, x + 1, int(y) + 1, fill="#2400F2")
    c.save("App.xpm", "App_xpm")


def project_icon():
    c = Canvas(32, 32)
    page(c, 5, 1, 26, 30, 6)
    c.line(8, 26, 23, 26, INK)
    c.line(9, 11, 9, 27, INK)
    c.curve(lambda x: 24 - 12 * math.sin((x - 9) / 4.5) ** 2, 10, 23, "#D02020", 2)
    c.save("ProjectFile.xpm", "ProjectFile_xpm")


if __name__ == "__main__":
    file_new(); file_open(); file_save()
    zoom("ViewZoomIn.xpm", "+"); zoom("ViewZoomOut.xpm", "-"); zoom("ViewZoomFull.xpm", "full")
    start(); stop(); parameters(); check_mark()
    tab_goal(); tab_results(); tab_statistics(); app_icon(); project_icon()
