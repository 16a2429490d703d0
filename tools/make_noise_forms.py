#!/usr/bin/env python3
"""Writes the measurement form definitions of the six noise forms and the choice tree they use.

Every form keeps all the fields its evaluation rule works on on one page (the rules read
only the page of the field that changed). Levels the user types evaluate the form when
left (onexit="T"); multiples are read-only and start as "0", so that a fresh form rates;
permitted levels are filled in only where the legal value is certain, otherwise the user
types them.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_noise_forms.py
"""
from install_files import DECL, write_lines

VER = '1.0'                           # the configuration's ver (trees must carry it)
FORMS = 'zaklocen\\frm\\'             # katfrm of the measurement views
ATTACH = 'zaklocen\\frm\\zalaczn'     # katzal of the measurement views

WIDTH = 680                           # width of a form's header


def attrs(**kw):
    out = []
    for k, v in kw.items():
        if v is None or v == '':
            continue
        v = str(v)
        assert '"' not in v and '<' not in v and '&' not in v, v
        out.append('%s="%s"' % (k, v))
    return ' '.join(out)


# --- fields -------------------------------------------------------------------------------

def label(nazwa, etyk, szerkol, bold=False, left=False, skrot=''):
    return '<pole %s></pole>' % attrs(nazwa=nazwa, typ='label', druk='F', szer=szerkol - 10, szerkol=szerkol,
                                      etyk=etyk, skrot=skrot, pozycja='left' if left else '',
                                      style='bold' if bold else '')


def blank(nazwa, szerkol):
    """An empty cell: occupies its column, builds nothing."""
    return '<pole %s></pole>' % attrs(nazwa=nazwa, typ='tekst', druk='F', szerkol=szerkol)


def level(nazwa, szerkol, default='', skrot='', druk=True):
    """A level the user types: evaluates the form when left."""
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='edit', druk='T' if druk else 'F',
                                         wydropis=nazwa if druk else '', skrot=skrot, rozm=10, szer=70,
                                         szerkol=szerkol, onexit='T'), default)


def multiple(nazwa, szerkol, skrot='', druk=True):
    """A multiple the rule computes: read-only, starts as 0."""
    return '<pole %s>0</pole>' % attrs(nazwa=nazwa, typ='edit', druk='T' if druk else 'F',
                                       wydropis=nazwa if druk else '', skrot=skrot, rozm=20, szer=70,
                                       szerkol=szerkol, readonly='T')


def tree(name, items):
    """A choice list of plain leaves in the attachments folder, with the configuration's ver."""
    path = ATTACH + '\\' + name
    write_lines(path, [DECL, '<drzewo plik="%s" ver="%s">' % (path, VER)] +
                ['  <poz>%s</poz>' % t for t in items] + ['</drzewo>'])


def row(szerkol, *fields):
    return ['    <wiersz szerkol="%d">' % szerkol] + ['      ' + f for f in fields] + ['    </wiersz>']


def form(name, version, function, page_name, header, rows, tail=()):
    """tail: lines after the page (an include of the factor's part)."""
    root = name + '_frm'
    plik = '%s_frm_%d.xml' % (name, version)
    lines = [DECL,
             '<%s %s>' % (root, attrs(ver='%d.0' % version, katalog=FORMS, plik=plik, function=function)),
             '  <page nr="1" nazwa="%s">' % page_name,
             '    <naglowek %s>' % attrs(nazwa='Nagl' + name.replace('_', ''), typ='label', druk='F', szer=WIDTH,
                                         etyk=header, style='bold'),
             '    </naglowek>']
    for r in rows:
        lines += r
    lines += ['  </page>'] + ['  ' + t for t in tail] + ['</%s>' % root]
    write_lines(FORMS + plik, lines)


# --- the table of one level: caption, measured, permitted, multiple ---------------------------

CAP, COL = 290, 130       # caption column, value columns


def column_heads(prefix):
    return row(COL,
               label('l%sParametr' % prefix, 'Parametr', CAP, bold=True),
               label('l%sWartZm' % prefix, 'Wartość zmierzona', COL, bold=True),
               label('l%sWartDop' % prefix, 'Wartość dopuszczalna', COL, bold=True),
               label('l%sKrotn' % prefix, 'Krotność wartości dopuszczalnej', COL, bold=True))


def level_row(stem, caption, short, permitted, group='', group_caption='', measured=True, blank_name=''):
    """One row: the measured level (adults' row only), the permitted level of a group, the multiple."""
    cells = [label('l%s%s' % (stem, group), group_caption or caption, CAP, left=True)]
    if measured:
        cells.append(level('%sWartZm' % stem, COL, skrot='%s [dB] = ' % short))
    else:
        cells.append(blank(blank_name or 't%s%s' % (stem, group), COL))
    cells.append(level('%sWartDop%s' % (stem, group), COL, default=permitted, druk=False))
    who = {'': '', 'Ml': ' - młodociani', 'Kc': ' - kobiety w ciąży', 'MlKc': ' - młodociani i kobiety w ciąży'}[group]
    cells.append(multiple('%sKrotn%s' % (stem, group), COL, skrot='krotność %s%s = ' % (short, who)))
    return row(COL, *cells)


# The limits of the protected groups, as the lists of work forbidden to juveniles and to
# pregnant women set them: juveniles LEX,8h 80 dB, LAmax 110 dB, LCpeak 130 dB; pregnant
# women LEX,8h 65 dB, LAmax 110 dB, LCpeak 135 dB; infrasound LG,eq,8h 86 dB and Lpeak 135 dB
# for both. Where the two groups share a field, the lower limit protects both.
PEAK_JUVENILES_PREGNANT = '130'

ML = '- młodociani'
KC = '- kobiety w ciąży'
MLKC = '- młodociani i kobiety w ciąży'

PE_CAPTION = ('Poziom ekspozycji na hałas odniesiony do 8-godzinnego dobowego wymiaru czasu pracy '
              'LEX,8h [dB]')
MAKS_CAPTION = 'Maksymalny poziom dźwięku A LAmax [dB]'
SZ_CAPTION = 'Szczytowy poziom dźwięku C LCpeak [dB]'


def audible():
    rows = [column_heads('')]
    rows.append(level_row('PE', PE_CAPTION, 'LEX,8h', '85'))
    rows.append(level_row('PE', PE_CAPTION, 'LEX,8h', '80', 'Ml', ML, measured=False))
    rows.append(level_row('PE', PE_CAPTION, 'LEX,8h', '65', 'Kc', KC, measured=False))
    rows.append(level_row('Maks', MAKS_CAPTION, 'LAmax', '115'))
    rows.append(level_row('Maks', MAKS_CAPTION, 'LAmax', '110', 'MlKc', MLKC, measured=False))
    rows.append(level_row('Sz', SZ_CAPTION, 'LCpeak', '135'))
    rows.append(level_row('Sz', SZ_CAPTION, 'LCpeak', PEAK_JUVENILES_PREGNANT, 'MlKc', MLKC, measured=False))
    form('halas_fizyczny', 1, 'halas_fizyczny_Pomiar_01', 'Hałas',
         'Hałas - wyniki pomiarów i krotności najwyższych dopuszczalnych natężeń (NDN)', rows)


NUISANCE_TREE = 'halas_uciazliwy_wartdop.xml'
# Item 0, 1, 2: the rule reads them as 75, 65 and 55 dB. The rooms of each class as the
# noise standard for workplaces groups them: dispatch and remote-control cabins with
# telephone links belong to 65 dB, only direct-control cabins without them to 75 dB.
NUISANCE_ITEMS = [
    '75 dB - kabiny bezpośredniego sterowania bez łączności telefonicznej, laboratoria ze źródłami hałasu, '
    'pomieszczenia z maszynami i urządzeniami liczącymi',
    '65 dB - kabiny dyspozytorskie, obserwacyjne i zdalnego sterowania z łącznością telefoniczną, '
    'pomieszczenia do prac precyzyjnych',
    '55 dB - pomieszczenia administracyjne, biura projektowe, prace teoretyczne, opracowywanie danych',
]


def nuisance():
    rows = [row(WIDTH,
                label('lcWartDop', 'Wartość dopuszczalna równoważnego poziomu dźwięku A ze względu na '
                      'możliwość wykonywania pracy', 200, left=True),
                '<pole %s>0</pole>' % attrs(nazwa='cWartDop', typ='combo', druk='T', wydropis='cWartDop',
                                            skrot='wartość dopuszczalna: ', szer=470, szerkol=480,
                                            zal=NUISANCE_TREE))]
    rows.append(column_heads(''))
    pe = [label('lPE', 'Równoważny poziom dźwięku A w czasie pracy LAeq,Te [dB]', CAP, left=True),
          level('PEWartZm', COL, skrot='LAeq,Te [dB] = '),
          label('lPEWartDopCb', 'według wyboru powyżej', COL),
          multiple('PEKrotn', COL, skrot='krotność LAeq,Te = ')]
    rows.append(row(COL, *pe))
    rows.append(level_row('Maks', MAKS_CAPTION, 'LAmax', '115'))
    rows.append(level_row('Maks', MAKS_CAPTION, 'LAmax', '110', 'MlKc', MLKC, measured=False))
    rows.append(level_row('Sz', SZ_CAPTION, 'LCpeak', '135'))
    rows.append(level_row('Sz', SZ_CAPTION, 'LCpeak', PEAK_JUVENILES_PREGNANT, 'MlKc', MLKC, measured=False))
    form('halas_uciazliwy', 1, 'halas_uciazliwy_Pomiar_01', 'Hałas uciążliwy',
         'Hałas w pomieszczeniach wymagających koncentracji uwagi - wyniki pomiarów i krotności', rows)
    tree(NUISANCE_TREE, NUISANCE_ITEMS)


PC_CAPTION = ('Równoważny poziom ciśnienia akustycznego skorygowany charakterystyką częstotliwościową G, '
              'odniesiony do 8-godzinnego dobowego wymiaru czasu pracy LG,eq,8h [dB]')
PEAK_INFRA_CAPTION = 'Szczytowy nieskorygowany poziom ciśnienia akustycznego Lpeak [dB]'


def infrasonic_rows():
    return [column_heads(''),
            level_row('PC', PC_CAPTION, 'LG,eq,8h', '102'),
            level_row('PC', PC_CAPTION, 'LG,eq,8h', '86', 'MlKc', MLKC, measured=False)]


def infrasonic():
    rows = infrasonic_rows()
    rows.append(level_row('Sz', PEAK_INFRA_CAPTION, 'Lpeak', '145'))
    rows.append(level_row('Sz', PEAK_INFRA_CAPTION, 'Lpeak', '135', 'MlKc', MLKC, measured=False))
    form('halas_infra', 1, 'halas_infra_Pomiar_01', 'Hałas infradźwiękowy',
         'Hałas infradźwiękowy - wyniki pomiarów i krotności najwyższych dopuszczalnych natężeń (NDN)', rows)


def infrasonic_nuisance():
    rows = infrasonic_rows()
    rows.append(row(WIDTH, '<pole %s>False</pole>' % attrs(nazwa='Koncentr', typ='checkbox', druk='F', szer=600,
                                                           szerkol=WIDTH, pozycja='left',
                                                           etyk='Praca wymagająca koncentracji uwagi')))
    # The switched fields follow the check box: loading enables them only while it is ticked.
    rows.append(row(COL,
                    label('pPozCisnCzas', 'Równoważny poziom ciśnienia akustycznego LG,eq,Te [dB] w czasie pracy '
                          'wymagającej koncentracji uwagi', CAP, bold=True, left=True),
                    label('lPCCzasWartZm', 'Wartość zmierzona', COL, bold=True),
                    label('lPCCzasWartDp', 'Wartość dopuszczalna', COL, bold=True),
                    label('lPCCzasKrotn', 'Krotność wartości dopuszczalnej', COL, bold=True)))
    rows.append(row(COL,
                    blank('tPCCzas', CAP),
                    level('PCCzasWartZm', COL, default='0', skrot='LG,eq,Te [dB] = '),
                    level('PCCzasWartDp', COL, druk=False),
                    multiple('PCCzasKrotn', COL, skrot='krotność LG,eq,Te = ')))
    form('halas_infra_uc', 1, 'halas_infra_uc_Pomiar_01', 'Hałas infradźwiękowy',
         'Hałas infradźwiękowy przy pracy wymagającej koncentracji uwagi - wyniki pomiarów i krotności', rows)


BANDS = [('_10', '10'), ('_12', '12,5'), ('_16', '16'), ('_20', '20'), ('_25', '25'), ('_31', '31,5'),
         ('_40', '40')]
# Highest permitted levels of ultrasonic noise for adults, by band: equivalent level for the
# working day, maximum level.
PC_ADULTS = {'_10': '80', '_12': '80', '_16': '80', '_20': '90', '_25': '105', '_31': '110', '_40': '110'}
PM_ADULTS = {'_10': '100', '_12': '100', '_16': '100', '_20': '110', '_25': '125', '_31': '130', '_40': '130'}

UC = 85   # column of the ultrasonic tables


def ultra_heads(stem, titles):
    return row(UC, *[label('l%s%s' % (stem, key), text, UC, bold=True) for key, text in titles])


def ultrasonic(version):
    pc_groups = [('Ml', 'młodociani'), ('Kc', 'kobiety w ciąży')] if version == 1 else [('KcMl', 'młodociani i kobiety w ciąży')]
    pm_groups = [] if version == 1 else [('Kc', 'kobiety w ciąży')]
    heads = [('CzestH', 'Pasmo tercjowe [kHz]'), ('WartZmH', 'Wartość zmierzona [dB]'),
             ('WartDopH', 'Wartość dopuszczalna [dB]'), ('KrotnH', 'Krotność')]
    rows = [row(WIDTH, label('lPCTytul', 'Równoważny poziom ciśnienia akustycznego odniesiony do 8-godzinnego '
                             'dobowego wymiaru czasu pracy Leq,8h w pasmach tercjowych', WIDTH, bold=True, left=True))]
    rows.append(ultra_heads('PC', heads + sum([[('WartDop%sH' % g, 'Wartość dopuszczalna - %s [dB]' % who),
                                                 ('Krotn%sH' % g, 'Krotność - %s' % who)] for g, who in pc_groups],
                                               [])))
    for b, khz in BANDS:
        cells = [label('lPCCzest' + b, khz, UC, skrot='Leq,8h - pasmo %s kHz' % khz),
                 level('PCWartZm' + b, UC, skrot='Leq,8h %s kHz [dB] = ' % khz),
                 level('PCWartDop' + b, UC, default=PC_ADULTS[b], skrot='wartość dopuszczalna [dB] = '),
                 multiple('PCKrotn' + b, UC, skrot='krotność = ')]
        for g, who in pc_groups:
            cells += [level('PCWartDop%s%s' % (g, b), UC, skrot='wartość dopuszczalna - %s [dB] = ' % who),
                      multiple('PCKrotn%s%s' % (g, b), UC, skrot='krotność - %s = ' % who)]
        rows.append(row(UC, *cells))
    rows.append(row(WIDTH, label('lPMTytul', 'Maksymalny poziom ciśnienia akustycznego Lmax w pasmach tercjowych',
                                 WIDTH, bold=True, left=True)))
    rows.append(ultra_heads('PM', heads + sum([[('WartDop%sH' % g, 'Wartość dopuszczalna - %s [dB]' % who),
                                                 ('Krotn%sH' % g, 'Krotność - %s' % who)] for g, who in pm_groups],
                                               [])))
    for b, khz in BANDS:
        cells = [label('lPMCzest' + b, khz, UC, skrot='Lmax - pasmo %s kHz' % khz),
                 level('PMWartZm' + b, UC, skrot='Lmax %s kHz [dB] = ' % khz),
                 level('PMWartDop' + b, UC, default=PM_ADULTS[b], skrot='wartość dopuszczalna [dB] = '),
                 multiple('PMKrotn' + b, UC, skrot='krotność = ')]
        for g, who in pm_groups:
            cells += [level('PMWartDop%s%s' % (g, b), UC, skrot='wartość dopuszczalna - %s [dB] = ' % who),
                      multiple('PMKrotn%s%s' % (g, b), UC, skrot='krotność - %s = ' % who)]
        rows.append(row(UC, *cells))
    rows.append(row(WIDTH, '<pole %s></pole>' % attrs(nazwa='Niepewnosc', typ='edit', druk='T', wydropis='Niepewnosc',
                                                      skrot='niepewność pomiaru: ', rozm=30, szer=120, szerkol=WIDTH,
                                                      etyk='Niepewność pomiaru [dB]', sprpopr='F')))
    form('halas_ultra', version, 'halas_ultra_Pomiar_%02d' % version, 'Hałas ultradźwiękowy',
         'Hałas ultradźwiękowy - wyniki pomiarów i krotności najwyższych dopuszczalnych natężeń (NDN)', rows)


if __name__ == '__main__':
    audible()
    nuisance()
    infrasonic()
    infrasonic_nuisance()
    ultrasonic(1)
    ultrasonic(2)
