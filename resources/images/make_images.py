#!/usr/bin/env python3
"""Draws the editor's 16 x 16 images (tool-bar strip, program and window-kind icons) and
writes them as XPM text, which both window back ends read. Run from this folder."""

W = 16
PALETTE = {
    '.': 'None', 'k': '#000000', 'w': '#FFFFFF', 'g': '#808080', 'l': '#C0C0C0',
    'b': '#1F4FBF', 'c': '#7FB0F0', 'r': '#C81E1E', 'y': '#F0C030', 'o': '#B07020',
    'n': '#107F30', 'd': '#404040', 'm': '#E8E8E8',
}


class Img:
    def __init__(self, size=W):
        self.n = size
        self.p = [['.'] * size for _ in range(size)]

    def px(self, x, y, c):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.p[y][x] = c

    def rect(self, x0, y0, x1, y1, border, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.px(x, y, border)
                elif fill:
                    self.px(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.px(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def text(self, x, y, rows, c):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == '#':
                    self.px(x + dx, y + dy, c)


def page(im, x0=3, y0=1, x1=12, y1=14, lines=True):
    im.rect(x0, y0, x1, y1, 'k', 'w')
    for i in range(3):  # folded corner
        im.px(x1 - i, y0 + 2 - i, '.')
    im.line(x1 - 2, y0, x1 - 2, y0 + 2, 'k')
    im.line(x1 - 2, y0 + 2, x1, y0 + 2, 'k')
    im.line(x1 - 2, y0, x1, y0 + 2, 'k')
    if lines:
        for y in range(y0 + 4, y1 - 1, 2):
            im.line(x0 + 2, y, x1 - 2, y, 'g')


def magnifier(im, x, y):
    im.rect(x, y, x + 5, y + 5, 'k', 'c')
    for cx, cy in ((x, y), (x + 5, y), (x, y + 5), (x + 5, y + 5)):
        im.px(cx, cy, '.')
    im.line(x + 5, y + 5, x + 8, y + 8, 'o')
    im.line(x + 6, y + 5, x + 9, y + 8, 'o')


def window(im, x0, y0, x1, y1):
    im.rect(x0, y0, x1, y1, 'k', 'w')
    im.line(x0 + 1, y0 + 1, x1 - 1, y0 + 1, 'b')


def cross(im, x, y, size, c):
    im.line(x, y, x + size, y + size, c)
    im.line(x + 1, y, x + size, y + size - 1, c)
    im.line(x + size, y, x, y + size, c)
    im.line(x + size - 1, y, x, y + size - 1, c)


def arrow_right(im, x, y, c):
    im.line(x, y, x + 6, y, c)
    im.line(x + 4, y - 2, x + 6, y, c)
    im.line(x + 4, y + 2, x + 6, y, c)


def icons():
    out = []
    im = Img(); page(im); out.append(im)                                   # 00 new
    im = Img(); im.rect(1, 4, 14, 13, 'k', 'y'); im.rect(1, 2, 6, 4, 'k', 'y')
    im.line(3, 7, 15, 7, 'o'); out.append(im)                              # 01 open
    im = Img(); im.rect(1, 1, 14, 14, 'k', 'b'); im.rect(4, 1, 11, 6, 'k', 'w')
    im.rect(4, 10, 11, 14, 'k', 'l'); im.px(9, 2, 'k'); im.px(9, 3, 'k'); out.append(im)  # 02 save
    im = Img(); page(im, lines=False); cross(im, 5, 6, 5, 'r'); out.append(im)  # 03 close
    im = Img(); im.rect(4, 1, 11, 6, 'k', 'w'); im.rect(1, 6, 14, 11, 'k', 'l')
    im.rect(4, 10, 11, 14, 'k', 'w'); im.px(12, 8, 'n'); out.append(im)    # 04 print
    im = Img(); im.line(4, 6, 10, 6, 'b'); im.line(4, 7, 10, 7, 'b'); im.line(11, 7, 12, 9, 'b')
    im.line(12, 10, 10, 13, 'b'); im.line(10, 13, 6, 13, 'b'); im.line(2, 6, 5, 3, 'b')
    im.line(2, 7, 5, 10, 'b'); out.append(im)                              # 05 undo
    im = Img()
    for y in range(W):
        for x in range(W):
            im.p[y][x] = out[5].p[y][W - 1 - x]
    out.append(im)                                                         # 06 redo
    im = Img(); im.line(5, 1, 9, 9, 'd'); im.line(10, 1, 6, 9, 'd')
    im.rect(2, 9, 6, 14, 'r'); im.rect(9, 9, 13, 14, 'r'); out.append(im)  # 07 cut
    im = Img(); page(im, 1, 1, 9, 11); page(im, 6, 4, 14, 14); out.append(im)  # 08 copy
    im = Img(); im.rect(2, 2, 12, 14, 'k', 'o'); im.rect(5, 1, 9, 3, 'k', 'l')
    page(im, 7, 6, 14, 15); out.append(im)                                 # 09 paste
    im = Img(); cross(im, 3, 3, 9, 'r'); out.append(im)                    # 0A delete
    im = Img(); page(im, 1, 1, 14, 14, lines=False)
    for y in range(4, 12):
        im.line(4, y, 10, y, 'c' if y % 2 else 'b')
    out.append(im)                                                         # 0B column block
    im = Img(); magnifier(im, 2, 2); out.append(im)                        # 0C find
    im = Img(); magnifier(im, 1, 1); arrow_right(im, 8, 3, 'n'); out.append(im)  # 0D find next
    im = Img(); magnifier(im, 1, 1)
    im.text(8, 9, ["##.#", "#.##", "##.#"], 'b'); arrow_right(im, 8, 14, 'r'); out.append(im)  # 0E replace
    im = Img(); im.rect(1, 7, 14, 14, 'k', 'y'); im.rect(1, 5, 6, 7, 'k', 'y')
    magnifier(im, 5, 0); out.append(im)                                    # 0F global search
    im = Img(); page(im, 1, 1, 10, 14); arrow_right(im, 7, 8, 'r'); im.line(14, 5, 14, 11, 'r')
    out.append(im)                                                         # 10 go to
    im = Img(); im.rect(1, 2, 14, 12, 'k', 'k'); im.line(5, 13, 10, 13, 'g')
    im.line(3, 14, 12, 14, 'g')
    im.text(3, 4, ["##..", "#.#.", "#.#.", "#.#.", "##.."], 'n')
    im.text(8, 4, ["###.", "#...", "###.", "..#.", "###."], 'n'); out.append(im)  # 11 DOS mode
    im = Img(); im.rect(1, 1, 14, 14, 'k', 'm')
    for y in (4, 8, 12):
        im.rect(3, y - 1, 5, y + 1, 'k', 'w'); im.line(7, y, 12, y, 'g')
    im.px(4, 3, 'n'); im.px(4, 7, 'n'); out.append(im)                     # 12 settings
    im = Img(); im.text(4, 2, ["..#####", ".####.#", "#####.#", ".####.#", "..###.#",
                               "....#.#", "....#.#", "....#.#", "....#.#", "....#.#",
                               "...##.##"], 'k'); out.append(im)           # 13 non-printable
    im = Img(); im.rect(0, 2, 15, 13, 'k', 'w')
    im.text(2, 5, ["###", "#.#", "#.#", "#.#", "###"], 'b')
    im.text(6, 5, ["###", "#..", "##.", "#..", "#.."], 'b')
    im.text(10, 5, ["#.#", "#.#", "###", "#.#", "#.#"], 'r'); out.append(im)  # 14 hex mode
    im = Img(); window(im, 0, 0, 9, 8); window(im, 3, 3, 12, 11); window(im, 6, 6, 15, 15)
    out.append(im)                                                         # 15 cascade
    im = Img(); window(im, 1, 1, 14, 7); window(im, 1, 8, 14, 14); out.append(im)  # 16 tile above
    im = Img(); window(im, 1, 1, 7, 14); window(im, 8, 1, 14, 14); out.append(im)  # 17 side by side
    im = Img(); window(im, 1, 1, 14, 14); im.rect(4, 5, 11, 11, 'g'); out.append(im)  # 18 single
    im = Img(); page(im, 1, 1, 11, 14); magnifier(im, 5, 5); out.append(im)  # 19 preview
    assert len(out) == 26
    return out


def program_icon():
    im = Img(); page(im, 2, 1, 13, 14)
    im.text(4, 5, ["####", "...#", "..#.", ".#..", "####"], 'b')
    im.text(9, 5, ["#..#", "#.#.", "##..", "#.#.", "#..#"], 'r')
    return im


def kind_icons():
    text = Img(); page(text)
    hexed = Img(); page(hexed, lines=False)
    hexed.text(5, 5, ["#.#", "###", "#.#"], 'b'); hexed.text(5, 9, ["###", "#..", "##."], 'r')
    grep = Img(); page(grep, 1, 1, 10, 14); magnifier(grep, 5, 5)
    diff = Img(); page(diff, 0, 1, 7, 14); page(diff, 8, 1, 15, 14)
    diff.line(2, 7, 5, 7, 'r'); diff.line(10, 7, 13, 7, 'n')
    return [text, hexed, grep, diff]


def scaled(im, factor):
    out = Img(im.n * factor)
    for y in range(out.n):
        for x in range(out.n):
            out.p[y][x] = im.p[y // factor][x // factor]
    return out


def write_xpm(path, name, images):
    width = sum(i.n for i in images)
    height = images[0].n
    used = sorted({c for i in images for row in i.p for c in row})
    lines = [f'"{width} {height} {len(used)} 1"']
    lines += [f'"{c} c {PALETTE[c]}"' for c in used]
    for y in range(height):
        lines.append('"' + ''.join(''.join(i.p[y]) for i in images) + '"')
    with open(path, 'w') as f:
        f.write('/* XPM */\n')
        f.write(f'static const char* const {name}[] = {{\n')
        f.write(',\n'.join(lines))
        f.write('};\n')


if __name__ == '__main__':
    write_xpm('ToolBar.xpm', 'kToolBarXpm', icons())
    write_xpm('Program16.xpm', 'kProgram16Xpm', [program_icon()])
    write_xpm('Program32.xpm', 'kProgram32Xpm', [scaled(program_icon(), 2)])
    for name, im in zip(('Text', 'Hex', 'Grep', 'Diff'), kind_icons()):
        write_xpm(f'{name}Window.xpm', f'k{name}WindowXpm', [im])
