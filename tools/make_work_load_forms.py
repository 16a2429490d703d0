#!/usr/bin/env python3
"""Writes the measurement form definitions of the load of the work itself - monotony,
psychological load, static load and physical effort (two versions) - and their choice trees.

As in the noise forms, every field a rule works on sits on one page, values the user types
evaluate the form when left and multiples are read-only and start as "0". The permitted
values of physical effort are left for the user to type.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_work_load_forms.py
"""
from make_noise_forms import WIDTH, blank, form, label, level, multiple, row, tree
from make_vibration_forms import combo, edit

CAP, COL = 290, 130       # caption column, value columns


# --- monotony -------------------------------------------------------------------------------

OPERATION_TYPES = 'monotypia_typoper.xml'
# Item 0 to 2: the three sets of bounds the value W is rated against.
OPERATION_ITEMS = [
    'Typ I - ryzyko małe poniżej 150, średnie od 150 do 3000, duże powyżej 3000',
    'Typ II - ryzyko małe poniżej 800, średnie od 800 do 1600, duże powyżej 1600',
    'Typ III - ryzyko małe poniżej 300, średnie od 300 do 800, duże powyżej 800',
]


def monotony():
    rows = [row(WIDTH, combo('TypOper', 'Rodzaj operacji (kryteria oceny wartości W)', OPERATION_TYPES, 440, WIDTH,
                             skrot='rodzaj operacji: ')),
            row(WIDTH, edit('WartWyzn', 'Wartość wyznaczona W', WIDTH, skrot='W = '))]
    form('monotypia', 1, 'monotypia_Pomiar_01', 'Monotypia pracy', 'Monotypia pracy - ocena', rows)
    tree(OPERATION_TYPES, OPERATION_ITEMS)


# --- psychological load ---------------------------------------------------------------------

def psychological():
    rows = [row(WIDTH, edit('PWartZm', 'Wynik oceny obciążenia psychicznego [pkt]', WIDTH,
                            skrot='obciążenie psychiczne [pkt] = ')),
            row(WIDTH, label('lSkala', 'Ryzyko małe do 3 pkt, średnie powyżej 3 do 11 pkt, duże powyżej 11 pkt.',
                             WIDTH, left=True))]
    form('obc_psych', 1, 'obc_psych_Pomiar_01', 'Obciążenie psychiczne', 'Obciążenie psychiczne - ocena', rows)


# --- static load ----------------------------------------------------------------------------

POSITIONS = 'obc_stat_pozycja.xml'
ANGLES_STANDING = 'obc_stat_kat_stojaca.xml'
ANGLES_SITTING = 'obc_stat_kat_siedzaca.xml'
# Position item 0 chooses angle list 1, item 1 list 2.
POSITION_ITEMS = ['Pozycja stojąca', 'Pozycja siedząca']
# Trunk inclination zones as the standard on working postures draws them; items 2 and 3 of
# the standing list rate alike.
STANDING_ITEMS = ['Tułów wyprostowany lub pochylony do przodu do 20°', 'Tułów pochylony do przodu od 20° do 60°',
                  'Tułów pochylony do przodu powyżej 60°', 'Tułów odchylony do tyłu lub skręcony']
SITTING_ITEMS = ['Tułów wyprostowany lub pochylony do przodu do 20°', 'Tułów pochylony do przodu powyżej 20°']

STATIC_BLOCKS = [('M', 'Mężczyźni', 'mężczyźni'), ('KMl', 'Kobiety (ocena obejmuje także młodocianych)', 'kobiety'),
                 ('Ml', 'Młodociani', 'młodociani')]


def static_load():
    rows = []
    for block, caption, who in STATIC_BLOCKS:
        rows += [row(WIDTH, label('p%s' % block, caption, WIDTH, bold=True, left=True)),
                 row(WIDTH, combo('Pozycja' + block, 'Pozycja ciała', POSITIONS, 440, WIDTH, default='0',
                                  skrot='pozycja ciała - %s: ' % who)),
                 row(WIDTH, combo('Kat' + block, 'Pochylenie tułowia', '%s;%s' % (ANGLES_STANDING, ANGLES_SITTING),
                                  440, WIDTH, default='0', skrot='pochylenie tułowia - %s: ' % who)),
                 row(WIDTH, edit('WartWyzn' + block, 'Czas utrzymywania pozycji [% czasu zmiany roboczej]', WIDTH,
                                 default='0', skrot='czas utrzymywania pozycji - %s [%%] = ' % who))]
    form('obc_stat', 1, 'obc_stat_Pomiar_01', 'Obciążenie statyczne',
               'Obciążenie statyczne - ocena pozycji przy pracy', rows)
    tree(POSITIONS, POSITION_ITEMS)
    tree(ANGLES_STANDING, STANDING_ITEMS)
    tree(ANGLES_SITTING, SITTING_ITEMS)


# --- physical effort ------------------------------------------------------------------------

def effort_table(title, measured, short, unit, groups):
    """The title, the column heads and one row per group: its permitted value and multiple;
    the measured value stands in the first row."""
    rows = [row(WIDTH, label('p%s' % measured, title, WIDTH, bold=True, left=True)),
            row(COL,
                label('l%sParametr' % measured, 'Grupa pracowników', CAP, bold=True),
                label('l%sWartZm' % measured, 'Wartość zmierzona %s' % unit, COL, bold=True),
                label('l%sWartDop' % measured, 'Wartość dopuszczalna %s' % unit, COL, bold=True),
                label('l%sKrotn' % measured, 'Krotność wartości dopuszczalnej', COL, bold=True))]
    for i, (permitted, times, who) in enumerate(groups):
        cells = [label('l' + permitted, who, CAP, left=True)]
        if i == 0:
            cells.append(level(measured, COL, default='0', skrot='%s %s = ' % (short, unit)))
        else:
            cells.append(blank('t' + permitted, COL))
        cells += [level(permitted, COL, druk=False),
                  multiple(times, COL, skrot='krotność %s - %s = ' % (short, who.lower()))]
        rows.append(row(COL, *cells))
    return rows


def effort(version):
    shift = [('PracWartDop', 'PracKrotn', 'Mężczyźni'), ('PracWartDopK', 'PracKrotnK', 'Kobiety'),
             ('PracWartDopKc', 'PracKrotnKc', 'Kobiety w ciąży')]
    minute = [('PracMinWartDopK', 'PracMinKrotnK', 'Kobiety'),
              ('PracMinDopCh18', 'PracMinKrotnCh18', 'Młodociani - chłopcy'),
              ('PracMinDopDz18', 'PracMinKrotnDz18', 'Młodociani - dziewczęta')]
    if version == 2:
        minute.insert(0, ('PracMinWartDopM', 'PracMinKrotnM', 'Mężczyźni'))
    six = [('Prac6DopCh18', 'Prac6KrotnCh18', 'Młodociani - chłopcy'),
           ('Prac6DopDz18', 'Prac6KrotnDz18', 'Młodociani - dziewczęta')]
    rows = effort_table('Wydatek energetyczny na wykonanie pracy w ciągu zmiany roboczej', 'PracWartZm',
                        'wydatek energetyczny na zmianę', '[kJ]', shift)
    rows += effort_table('Wydatek energetyczny na wykonanie pracy w ciągu minuty', 'PracMinWartZm',
                         'wydatek energetyczny na minutę', '[kJ/min]', minute)
    rows += effort_table('Wydatek energetyczny na wykonanie pracy w ciągu zmiany roboczej młodocianych '
                         '(do 6 godzin)', 'Prac6WartZm', 'wydatek energetyczny na zmianę młodocianych', '[kJ]', six)
    form('wysilek_fizyczny', version, 'wysilek_fizyczny_Pomiar_%02d' % version, 'Wysiłek fizyczny',
               'Wysiłek fizyczny (obciążenie dynamiczne) - wyniki pomiarów i krotności wartości dopuszczalnych', rows)


if __name__ == '__main__':
    monotony()
    psychological()
    static_load()
    effort(1)
    effort(2)
