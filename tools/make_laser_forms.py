#!/usr/bin/env python3
"""Writes the measurement form definitions of laser radiation (versions 1 and 2 of factor
50006) and the choice trees they use.

As with the noise forms: every field the evaluation rule works on is on the one page; values
the user types evaluate the form when left (onexit="T"); values the rule computes are
read-only, start as a number and do not evaluate the form again. The permitted values are
not typed: the rule computes them from its tables.

The combo item texts carry the blanks the program compares them with after loading
(" impulsowe ", " na oko "); the orders carry the rules' item numbers (form 1: eye first,
form 2: skin first). The captions of the result rows of form 2 are the variants of their
headers, in the order of the rule's list, so that a row keeps its caption in the file; the headers are printed.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_laser_forms.py
"""
from make_microclimate_forms import CAP, COL, combo, computed, heading, heads
from make_noise_forms import WIDTH, blank, form, label, level, multiple, row, tree
from make_optical_forms import header

EMISSION_TREE = 'prm_laser_emisja.xml'
EMISSION = [' ciągłe ', ' impulsowe ']
TARGET_TREES = ('prm_laser_dzialanie1.xml', 'prm_laser_dzialanie2.xml')
TARGETS = ([' na oko ', ' na skórę '], [' na skórę ', ' na oko '])
SOURCE_TREES = ('prm_laser_zrodlo_oko.xml', 'prm_laser_zrodlo_skora.xml')
SOURCES = (['Obserwacja wiązki bezpośredniej lub odbitej zwierciadlanie',
            'Obserwacja źródła rozciągłego (odbicie rozproszone)'],
           ['Napromienienie skóry wiązką'])

# Form 1: the caption of the permitted value's quantity, by the rule's caption numbers.
QUANTITIES = ['Napromienienie N [J/m2]', 'Natężenie napromienienia E [W/m2]',
              'Luminancja energetyczna L [W/(m2·sr)]', 'Luminancja energetyczna scałkowana w czasie Lt [J/(m2·sr)]']
# Form 2: the measured value, continuous then pulsed emission.
MEASURED = ['Zmierzone natężenie napromienienia E [W/m2]',
            'Zmierzone napromienienie pojedynczym impulsem N [J/m2]']
# Form 2: the caption variants of a result row, in the rule's order; the first is the
# caption of a row not filled.
ROW_EFFECTS = ['termiczne ', 'fotochemiczne ', 'termiczne - pojedynczy impuls', 'termiczne - grupa impulsów',
               'fotochemiczne']
ROW_CAPTIONS = [''] + [effect + ' - ' + q for effect in ROW_EFFECTS for q in ('E [W/m2]', 'N [J/m2]')]


def choice(nazwa, caption, zal, default, skrot):
    return row(WIDTH, label('l' + nazwa, caption, CAP, left=True), combo(nazwa, zal, default, skrot))


def entry(nazwa, caption, skrot, default=''):
    """A value the user types, with its caption label (switched with it where a rule does)."""
    return row(COL, label('l' + nazwa, caption, CAP, left=True), level(nazwa, COL, default=default, skrot=skrot))


def result_heads():
    return heads(('lWartZmH', 'Wartość zmierzona'), ('lWartDopH', 'MDE'), ('lKrotnH', 'Krotność MDE'))


WAVELENGTH = ('DlugFal', 'Długość fali [nm]', 'długość fali [nm] = ')


def trees():
    tree(EMISSION_TREE, EMISSION)
    for name, items in zip(TARGET_TREES, TARGETS):
        tree(name, items)
    for name, items in zip(SOURCE_TREES, SOURCES):
        tree(name, items)


def laser1():
    rows = [
        choice('cDzialanie', 'Narażenie', TARGET_TREES[0], '0', 'narażenie: '),
        choice('cZrodlo', 'Rodzaj obserwacji', ';'.join(SOURCE_TREES), '0', 'rodzaj obserwacji: '),
        choice('cPromieniowanie', 'Rodzaj emisji', EMISSION_TREE, '0', 'emisja: '),
        entry(*WAVELENGTH),
        entry('CzasEksp', 'Czas ekspozycji [s]', 'czas ekspozycji [s] = '),
        heading('pImpulsy', 'Emisja impulsowa'),
        entry('LiczImp', 'Liczba impulsów w czasie ekspozycji', 'liczba impulsów = '),
        entry('CzasImp', 'Czas trwania impulsu [s]', 'czas trwania impulsu [s] = '),
        heading('pPomiar', 'Wyniki pomiarów (w jednostkach MDE)'),
        entry('SrEksp', 'Ekspozycja średnia w czasie ekspozycji', 'ekspozycja średnia = '),
        entry('ImpMaks', 'Ekspozycja impulsem o największej energii', 'ekspozycja impulsem maksymalnym = '),
        header('lParam', QUANTITIES),
        result_heads(),
        row(COL, blank('tWynik', CAP),
            computed('WartZm', COL, '0', skrot='wartość zmierzona = '),
            computed('WartDop', COL, '0', skrot='MDE = '),
            multiple('Krotn', COL, skrot='krotność MDE = ')),
    ]
    form('prm_laser', 1, 'prm_laser_Pomiar_01', 'Promieniowanie laserowe',
         'Promieniowanie laserowe - maksymalna dopuszczalna ekspozycja (MDE)', rows)


def laser2():
    rows = [
        choice('cPromieniowanie', 'Rodzaj emisji', EMISSION_TREE, '0', 'emisja: '),
        choice('cDzialanie', 'Narażenie', TARGET_TREES[1], '1', 'narażenie: '),
        entry(*WAVELENGTH),
        entry('KatAlfa', 'Kąt widzenia źródła alfa [mrad]', 'kąt alfa [mrad] = ', '0'),
        entry('CzestPracy', 'Częstotliwość powtarzania impulsów [Hz]', 'częstotliwość impulsów [Hz] = ', '0'),
        entry('CzasImp', 'Czas trwania impulsu [s]', 'czas trwania impulsu [s] = ', '0'),
        entry('JednCzasEksp', 'Jednorazowy czas ekspozycji [s]', 'jednorazowy czas ekspozycji [s] = '),
        entry('CalkCzasEksp', 'Całkowity czas ekspozycji w ciągu zmiany roboczej [s]',
              'całkowity czas ekspozycji [s] = ', '0'),
        header('lParam', MEASURED),
        row(COL, blank('tWartZm', CAP), level('WartZm', COL, skrot='wartość zmierzona = ')),
        heading('pWyniki', 'Maksymalna dopuszczalna ekspozycja (MDE) według skutku promieniowania'),
        result_heads(),
    ]
    for i in (1, 2, 3):
        rows.append(header('lParam%d' % i, ROW_CAPTIONS))
        rows.append(row(COL, blank('tWynik%d' % i, CAP),
                        computed('WartZm%d' % i, COL, '0', skrot='wartość zmierzona = '),
                        computed('WartDop%d' % i, COL, '0', skrot='MDE = '),
                        multiple('Krotn%d' % i, COL, skrot='krotność MDE = ')))
    form('prm_laser', 2, 'prm_laser_Pomiar_02', 'Promieniowanie laserowe',
         'Promieniowanie laserowe - maksymalna dopuszczalna ekspozycja (MDE) skóry i oka', rows)


if __name__ == '__main__':
    trees()
    laser1()
    laser2()
