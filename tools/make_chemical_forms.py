#!/usr/bin/env python3
"""Writes the measurement form definition of chemical substances (chemiczny_frm_1.xml).

The limit values NDS, NDSCh and NDSP, the class bits ("Typ", hidden) and the CAS number
come from the substance's entry in poradn/czynchem.xml when the form is read; a limit the
catalogue marks "-1" switches its whole block off (every item whose name holds "NDSCh" or
"NDSP", and for NDS the items the loader names: lNDS, lWskNarazenia, lWartDop, lKrotnosc,
NDS, NDSZm, NDSKrotn and the sum controls). A limit the catalogue leaves out stays empty
for the user to type. Concentrations and limits evaluate the form when left; multiples and
the sum are read-only and start as "0". "SumNDS" follows "cbSumNDS" (the sum is written
after the mark).

Files go out in Windows-1250 with CR LF line ends. Run from the repository root:
    python3 tools/make_chemical_forms.py
"""
from make_noise_forms import CAP, COL, WIDTH, attrs, blank, form, label, level, multiple, row

MG = '[mg/m^3]'

# Limit, its caption, the names of its block's labels (row caption, measured, limit,
# multiple), the short text on printouts.
LIMITS = [
    ('NDS', 'NDS - najwyższe dopuszczalne stężenie średnie ważone (8 godzin) ' + MG,
     ('lNDS', 'lWskNarazenia', 'lWartDop', 'lKrotnosc'), 'wskaźnik narażenia', 'Wskaźnik narażenia'),
    ('NDSCh', 'NDSCh - najwyższe dopuszczalne stężenie chwilowe (15 minut) ' + MG,
     ('lNDSCh', 'lNDSChWartZm', 'lNDSChWartDop', 'lNDSChKrotn'), 'stężenie chwilowe', 'Stężenie chwilowe'),
    ('NDSP', 'NDSP - najwyższe dopuszczalne stężenie pułapowe ' + MG,
     ('lNDSP', 'lNDSPWartZm', 'lNDSPWartDop', 'lNDSPKrotn'), 'stężenie pułapowe', 'Stężenie maksymalne'),
]


def limit_rows(stem, caption, labels, short, measured_caption):
    heads = row(COL,
                label(labels[0], caption, CAP, bold=True, left=True),
                label(labels[1], measured_caption, COL, bold=True),
                label(labels[2], 'Wartość dopuszczalna', COL, bold=True),
                label(labels[3], 'Krotność wartości dopuszczalnej', COL, bold=True))
    values = row(COL,
                 blank('t' + stem, CAP),
                 level(stem + 'Zm', COL, skrot='%s [mg/m^3] = ' % short),
                 level(stem, COL, druk=False),
                 multiple(stem + 'Krotn', COL, skrot='krotność %s = ' % stem))
    return [heads, values]


def chemical():
    rows = [row(WIDTH,
                label('lNrCAS', 'Numer CAS', CAP, left=True),
                '<pole %s></pole>' % attrs(nazwa='NrCAS', typ='edit', druk='F', szer=150, szerkol=WIDTH - CAP,
                                           readonly='T'),
                '<pole %s>0</pole>' % attrs(nazwa='Typ', typ='edit', druk='F', szer=0, szerkol=0, readonly='T',
                                            visible='F'))]
    for stem, caption, labels, short, measured_caption in LIMITS:
        rows += limit_rows(stem, caption, labels, short, measured_caption)
    rows.append(row(COL,
                    '<pole %s>False</pole>' % attrs(
                        nazwa='cbSumNDS', typ='checkbox', druk='F', szer=410, szerkol=420, pozycja='left',
                        etyk='Sumuj krotności NDS substancji o jednakowym działaniu zmierzonych tego dnia'),
                    label('lSumNDS', 'Suma krotności NDS', COL),
                    multiple('SumNDS', COL, skrot='suma krotności NDS = ')))
    form('chemiczny', 1, 'chemiczny_Pomiar_01', 'Czynnik chemiczny',
         'Czynnik chemiczny - wyniki pomiarów i krotności najwyższych dopuszczalnych stężeń', rows)


if __name__ == '__main__':
    chemical()
