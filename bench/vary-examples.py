# Varied projects from the shipped examples, for measuring wyndlor-calc over
# a folder: the time step, spillway width, pond area and storage method varied
# (378 projects).  Usage: python3 bench/vary-examples.py examples OUTDIR
import os, sys, itertools
src = sys.argv[1]; out = sys.argv[2]
os.makedirs(out, exist_ok=True)
for ex in ['nishitani-ike', 'osawa-ike', 'yamanaka-ike']:
    lines = open(os.path.join(src, ex + '.wyd'), 'rb').read().decode('cp932').split('\r\n')
    marks = [i for i, l in enumerate(lines) if l in ('#TRUE#', '#FALSE#')]
    cond, hvc, catch, sect, dt = marks
    fwl = float(lines[cond + 3]); area = float(lines[cond + 4])
    method = int(lines[hvc + 1])
    count = int(lines[hvc + 11]) if method else 0
    rows = [(float(lines[hvc + 12 + 2 * k]), float(lines[hvc + 13 + 2 * k])) for k in range(count)]
    stype = int(lines[sect + 1])
    wslot = sect + 2 if stype == 0 else sect + 4
    width = float(lines[wslot])
    for m, step, wf, af in itertools.product([0, 1], [10, 20, 30, 45, 60, 90, 120], [0.5, 1, 3], [0.2, 1, 3]):
        L = list(lines)
        L[cond + 4] = repr(area * af)
        L[wslot] = repr(round(width * wf, 1))
        L[dt + 1] = str(step)
        if m:
            table = rows if method else [(fwl - 2, 0.6 * area), (fwl, area), (fwl + 3, 1.4 * area)]
            table = [(e, a * af) for e, a in table]
            hv = ['1', L[hvc + 2] if method else repr(fwl)] + [''] * 8 + [' %d ' % len(table)]
            for e, a in table: hv += [repr(e), repr(a)]
        else:
            hv = ['0', repr(fwl)] + [''] * 8 + [' 0 ']
        end = catch
        L = L[:hvc + 1] + hv + L[end:]
        name = '%s-m%d-dt%d-w%s-a%s.wyd' % (ex, m, step, wf, af)
        open(os.path.join(out, name), 'wb').write('\r\n'.join(L).encode('cp932'))
