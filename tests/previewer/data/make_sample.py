#!/usr/bin/env python3
"""Writes sample.prn, a report print file for the previewer's tests and for
trying Glancer by hand: Windows Shift_JIS (cp932), CR LF, four pages with
level-1 and level-2 headings, ruled tables, half-width katakana, a yen sign,
an 80-column line and a table running over two pages.  The form feeds come in
the three shapes print files have: at the start of a line, alone on a line,
and ending the file."""
import math
import os


def width(s):
    return len(s.encode('cp932'))


def pad(s, w, right=False):
    n = w - width(s)
    return (' ' * n + s) if right else (s + ' ' * n)


def conditions():
    out = ['?R11. 計算条件', '', '  ?R21-1 ため池の諸元', '',
           '    ┌────────────────┬──────────┬──────┐',
           '    │項目                            │値                  │単位        │',
           '    ├────────────────┼──────────┼──────┤']
    rows = [('流域面積 A', '1.250', 'km2'), ('ピーク流出係数 fp', '0.70', '－'),
            ('洪水到達時間係数 C', '290', '－'), ('余裕率', '20', '%'),
            ('洪水吐越流幅 B', '12.00', 'm'), ('越流頂標高', '105.50', 'm')]
    for a, b, c in rows:
        out.append('    │' + pad(a, 32) + '│' + pad(b, 20, True) + '│' + pad(c, 12) + '│')
    out += ['    └────────────────┴──────────┴──────┘', '',
            '  ?R21-2 降雨強度式', '',
            '    r = a / (t^n + b)   ﾀﾙﾎﾞｯﾄ型   a = 5000.0   b = 40.0   n = 1.00',
            '    ＡＢ12 全角と半角の混在行',
            '    費用 \\12,345 (円記号の表示)',
            '1234567890' * 8,
            'ｱｲｳｴｵｶｷｸｹｺ 半角カナ ｴﾗｰｺｰﾄﾞ']
    out += [''] * (40 - len(out))
    return out + ['  以上']


def hydrograph():
    first = ['?R12. 設計洪水流量の計算', '', '  ?R22-1 流入量ハイドログラフ', '']
    header = ['    ┌────┬──────┬──────┬──────┐',
              '    │時刻(分)│降雨強度    │流入量 Qi   │設計流入量  │',
              '    ├────┼──────┼──────┼──────┤']
    bottom = '    └────┴──────┴──────┴──────┘'
    rows = []
    for i in range(120):
        t = i * 10
        r = 80 * math.exp(-((t - 600) / 200.0) ** 2)
        q = r * 0.7 * 1.25 / 3.6
        rows.append('    │' + pad(str(t), 8, True) + '│' + pad('%.1f' % r, 12, True) + '│'
                    + pad('%.3f' % q, 12, True) + '│' + pad('%.3f' % (q * 1.2), 12, True) + '│')
    page = first + header
    count = 72 - len(page) - 1
    return page + rows[:count] + [bottom], header + rows[count:] + [bottom]


def water_level():
    return ['?R13. 設計洪水位の計算', '', '  ?R23-1 洪水調節計算', '',
            '    最大放流量 Qo max =  12.345 m3/s',
            '    最大越流水深 h max =   0.876 m', '',
            '  ?R23-2 設計洪水位', '',
            '    設計洪水位 = 越流頂標高 + 最大越流水深 = 105.50 + 0.876 = 106.376 m']


def encode(lines):
    return b''.join(line.encode('cp932') + b'\r\n' for line in lines)


page2, page3 = hydrograph()
data = (encode(conditions()) + b'\x0c' + encode(page2) + b'\x0c\r\n' + encode(page3)
        + b'\x0c' + encode(water_level()) + b'\x0c\r\n')
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'sample.prn'), 'wb') as f:
    f.write(data)
