#!/usr/bin/env python3
"""Writes the measurement form definitions of the eight lighting forms, the tree of interior
kinds with their lighting requirements, and the choice lists of the flicker form.

All the fields a form's evaluation rule works on stand on one page. Values the user types
evaluate the form when left (onexit="T"); multiples are read-only and start as "0".

The tree of interiors gives, per kind of area, task or activity, the maintained illuminance
(par1), the colour rendering index (par2) and the uniformity (par3) that PN-EN 12464-1
requires indoors; its UGR limit is part of the text. Only areas whose requirements are known
for certain are listed; for any other the user types the requirement into the form.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_lighting_forms.py
"""
from install_files import DECL, write_lines
from make_noise_forms import ATTACH, VER, WIDTH, attrs, form, label, row, tree
from make_noise_forms import level as typed
from make_noise_forms import multiple as computed

INTERIORS = 'osw_wnetrza.xml'
MACHINES = 'osw_tetn_maszyny.xml'
EFFECTS = ('osw_tetn_efekt_1.xml', 'osw_tetn_efekt_2.xml')

CAP, COL = 230, 150       # caption column, value columns


def fixed(nazwa, szerkol, value):
    """A requirement the form rates against and the user cannot change."""
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='edit', druk='F', rozm=10, szer=70, szerkol=szerkol,
                                         readonly='T'), value)


def interior(nazwa, caption):
    """The kind of interior, chosen from the tree (or typed); the button writes the leaf's
    requirement into the edit nazwa + "Wymagany"."""
    return row(WIDTH,
               label('l' + nazwa, caption, 200, left=True),
               '<pole %s></pole>' % attrs(nazwa=nazwa, typ='form', druk='T', wydropis=nazwa,
                                          skrot='rodzaj obszaru, zadanie lub działalność: ', rozm=250, szer=470,
                                          szerkol=480, zal=INTERIORS, sprpopr='F'))


def heads(prefix, *titles):
    names = ['Obszar', 'Zmierzone', 'Wymagane', 'Krotnosc']
    return row(COL, *[label('l%s%s' % (prefix, n), t, CAP if i == 0 else COL, bold=True)
                      for i, (n, t) in enumerate(zip(names, titles))])


def illuminance(version):
    required = 'Wymagane natężenie oświetlenia' if version == 1 else 'Eksploatacyjne natężenie oświetlenia Em'
    rows = [interior('RodzWnetrzaN', 'Rodzaj obszaru, zadanie lub działalność')]
    rows.append(heads('N', 'Obszar', 'Natężenie oświetlenia zmierzone [lx]', required + ' [lx]', 'Krotność'))
    rows.append(row(COL,
                    label('lPoleZad', 'Pole zadania', CAP, left=True),
                    typed('ZmierzonePoleZad', COL, skrot='E pola zadania [lx] = '),
                    typed('RodzWnetrzaNWymagany', COL, skrot='E wymagane pola zadania [lx] = '),
                    computed('KrotnPoleZad', COL, skrot='krotność - pole zadania = ')))
    rows.append(row(COL,
                    label('lPoleOtocz', 'Bezpośrednie otoczenie pola zadania', CAP, left=True),
                    typed('ZmierzonePoleOtocz', COL, skrot='E otoczenia [lx] = '),
                    computed('EksplPoleOtocz', COL, skrot='E wymagane otoczenia [lx] = '),
                    computed('KrotnPoleOtocz', COL, skrot='krotność - otoczenie = ')))
    rows.append(row(WIDTH, label('lOtoczUwagi',
                                 'Natężenie wymagane w bezpośrednim otoczeniu wynika z natężenia na polu zadania: '
                                 'od 750 lx - 500 lx, od 500 lx - 300 lx, od 300 lx - 200 lx, '
                                 'poniżej - jak na polu zadania.', WIDTH, left=True)))
    form('osw_natezenie', version, 'osw_natezenie_Pomiar_%02d' % version, 'Natężenie oświetlenia',
         'Oświetlenie - natężenie oświetlenia na polu zadania i w jego bezpośrednim otoczeniu', rows)


def glare():
    rows = [row(COL,
                label('lOlsn', 'Olśnienie przykre', CAP, bold=True),
                label('lZmierzoneLumin', 'Luminancja zmierzona [cd/m2]', COL, bold=True),
                label('lGranLumin', 'Luminancja graniczna [cd/m2]', COL, bold=True),
                label('lKrotnosc', 'Krotność', COL, bold=True)),
            row(COL,
                label('lZrodlo', 'Luminancja źródła olśnienia', CAP, left=True),
                typed('ZmierzoneLumin', COL, skrot='luminancja zmierzona [cd/m2] = '),
                typed('GranLumin', COL, skrot='luminancja graniczna [cd/m2] = '),
                computed('Krotnosc', COL, skrot='krotność = '))]
    form('osw_olsnienie', 1, 'osw_olsnienie_Pomiar_01', 'Olśnienie',
         'Oświetlenie - olśnienie przykre: luminancja źródeł światła w polu widzenia', rows)


def uniformity(version):
    rows = []
    if version == 2:
        rows.append(interior('RodzWnetrzaR', 'Rodzaj obszaru, zadanie lub działalność'))
    rows.append(heads('R', 'Obszar', 'Równomierność wyliczona Emin/Eśr', 'Równomierność wymagana', 'Krotność'))
    task_required = typed('RodzWnetrzaRWymagany', COL, skrot='równomierność wymagana = ') if version == 2 \
        else fixed('WymaganaPoleZad', COL, '0.5')
    surroundings_required = typed('WymaganaPoleOtocz', COL, default='0.4', druk=False) if version == 2 \
        else fixed('WymaganaPoleOtocz', COL, '0.4')
    rows.append(row(COL,
                    label('lPoleZad', 'Pole zadania', CAP, left=True),
                    typed('WyliczonaPoleZad', COL, skrot='równomierność pola zadania = '),
                    task_required,
                    computed('KrotnPoleZad', COL, skrot='krotność - pole zadania = ')))
    rows.append(row(COL,
                    label('lPoleOtocz', 'Bezpośrednie otoczenie pola zadania', CAP, left=True),
                    typed('WyliczonaPoleOtocz', COL, skrot='równomierność otoczenia = '),
                    surroundings_required,
                    computed('KrotnPoleOtocz', COL, skrot='krotność - otoczenie = ')))
    form('osw_rownomiernosc', version, 'osw_rownomiernosc_Pomiar_%02d' % version, 'Równomierność oświetlenia',
         'Oświetlenie - równomierność oświetlenia na polu zadania i w jego bezpośrednim otoczeniu', rows)


def colour_rendering(version):
    rows = [interior('RodzWnetrzaB', 'Rodzaj obszaru, zadanie lub działalność'),
            row(COL,
                label('lBarwy', 'Oddawanie barw', CAP, bold=True),
                label('lWymagany', 'Wymagany wskaźnik oddawania barw Ra', COL, bold=True),
                label('lWyznaczony', 'Wyznaczony wskaźnik oddawania barw Ra', COL, bold=True),
                label('lKrotnosc', 'Krotność', COL, bold=True)),
            row(COL,
                label('lZrodla', 'Źródła światła na stanowisku', CAP, left=True),
                typed('RodzWnetrzaBWymagany', COL, skrot='Ra wymagany = '),
                typed('Wyznaczony', COL, skrot='Ra wyznaczony = '),
                computed('Krotnosc', COL, skrot='krotność = '))]
    form('osw_rozroznaniebarw', version, 'osw_rozroznaniebarw_Pomiar_%02d' % version, 'Rozróżnianie barw',
         'Oświetlenie - oddawanie barw przez źródła światła', rows)


# The kinds of machine and, for each, the effects of flicker the rule tells apart: with
# moving parts item 0 is a visible flicker, item 1 a stroboscopic effect, item 2 none; without
# them item 0 is a visible flicker, item 1 none. Two kinds, so two lists (a combo's "a;b").
MACHINE_KINDS = [
    'Na stanowisku pracują maszyny lub urządzenia z wirującymi lub ruchomymi elementami',
    'Na stanowisku nie ma maszyn ani urządzeń z wirującymi lub ruchomymi elementami',
]
EFFECT_LISTS = [
    ['Tętnienie światła widoczne, bez efektu stroboskopowego',
     'Efekt stroboskopowy: pozorny bezruch, spowolnienie lub zmiana kierunku ruchu elementów wirujących',
     'Tętnienie światła niewidoczne (źródła zasilane elektronicznie lub w układach przeciwtętnieniowych)'],
    ['Tętnienie światła widoczne',
     'Tętnienie światła niewidoczne (źródła zasilane elektronicznie lub w układach przeciwtętnieniowych)'],
]


def flicker():
    rows = [row(WIDTH,
                label('lRodzMasz', 'Rodzaj maszyn i urządzeń na stanowisku', 200, left=True),
                '<pole %s>0</pole>' % attrs(nazwa='RodzMasz', typ='combo', druk='T', wydropis='RodzMasz',
                                            skrot='maszyny i urządzenia: ', szer=470, szerkol=480, zal=MACHINES)),
            row(WIDTH,
                label('lEfekt', 'Skutek tętnienia światła', 200, left=True),
                '<pole %s>-1</pole>' % attrs(nazwa='Efekt', typ='combo', druk='T', wydropis='Efekt',
                                             skrot='skutek tętnienia światła: ', szer=470, szerkol=480,
                                             zal=';'.join(EFFECTS)))]
    form('osw_tetn', 1, 'osw_tetn_Pomiar_01', 'Tętnienie światła',
         'Oświetlenie - tętnienie światła i efekt stroboskopowy', rows)
    tree(MACHINES, MACHINE_KINDS)
    for name, texts in zip(EFFECTS, EFFECT_LISTS):
        tree(name, texts)


# Requirements of PN-EN 12464-1 for indoor work places: (task, Em [lx], UGRL or None, Uo, Ra).
INTERIOR_GROUPS = [
    ('Strefy komunikacyjne wewnątrz budynków', 'Strefy komunikacyjne', [
        ('Korytarze i ciągi komunikacyjne', 100, 28, '0.4', 40),
        ('Schody, schody ruchome, chodniki ruchome', 100, 25, '0.4', 40),
        ('Windy, dźwigi', 100, 25, '0.4', 40),
        ('Rampy i stanowiska załadunkowe', 150, 25, '0.4', 40),
    ]),
    ('Pomieszczenia socjalne, sanitarne i pierwszej pomocy', 'Pomieszczenia socjalne', [
        ('Stołówki, pomieszczenia do spożywania posiłków', 200, 22, '0.4', 80),
        ('Pokoje wypoczynku', 100, 22, '0.4', 80),
        ('Pomieszczenia do ćwiczeń fizycznych', 300, 22, '0.4', 80),
        ('Szatnie, umywalnie, łazienki, toalety', 200, 25, '0.4', 80),
        ('Izba chorych', 500, 19, '0.6', 80),
        ('Pomieszczenia pomocy medycznej', 500, 16, '0.6', 90),
    ]),
    ('Pomieszczenia techniczne i sterownie', 'Pomieszczenia techniczne', [
        ('Pomieszczenia urządzeń technicznych, rozdzielnie', 200, 25, '0.4', 60),
        ('Pomieszczenia teleksów i poczty, centrale telefoniczne', 500, 19, '0.6', 80),
    ]),
    ('Magazyny i chłodnie', 'Magazyny', [
        ('Magazyny i składy', 100, 25, '0.4', 60),
        ('Strefy pakowania i wysyłki', 300, 25, '0.6', 60),
    ]),
    ('Magazyny regałowe', 'Magazyny regałowe', [
        ('Przejścia bez obsługi', 20, None, '0.4', 40),
        ('Przejścia z obsługą', 150, 22, '0.4', 60),
        ('Stanowiska kontroli', 150, 22, '0.6', 80),
        ('Powierzchnia czołowa regałów', 200, None, '0.4', 60),
    ]),
    ('Biura', 'Biura', [
        ('Segregowanie dokumentów, kopiowanie', 300, 19, '0.4', 80),
        ('Pisanie, pisanie na maszynie, czytanie, przetwarzanie danych', 500, 19, '0.6', 80),
        ('Rysunek techniczny', 750, 16, '0.7', 80),
        ('Stanowiska komputerowego wspomagania projektowania (CAD)', 500, 19, '0.6', 80),
        ('Sale konferencyjne i sale zebrań', 500, 19, '0.6', 80),
        ('Recepcja', 300, 22, '0.6', 80),
        ('Archiwa', 200, 25, '0.4', 80),
    ]),
    ('Obiekty handlowe', 'Handel', [
        ('Strefy sprzedaży', 300, 22, '0.4', 80),
        ('Strefy kas', 500, 19, '0.6', 80),
        ('Stoły do pakowania', 500, 19, '0.6', 80),
    ]),
    ('Restauracje i hotele', 'Restauracje i hotele', [
        ('Recepcja, kasa, portiernia', 300, 22, '0.6', 80),
        ('Kuchnia', 500, 22, '0.6', 80),
    ]),
    ('Obiekty oświatowe', 'Oświata', [
        ('Sale lekcyjne, sale do zajęć dydaktycznych', 300, 19, '0.6', 80),
        ('Sale lekcyjne do zajęć wieczorowych i kształcenia dorosłych', 500, 19, '0.6', 80),
        ('Audytoria, sale wykładowe', 500, 19, '0.6', 80),
        ('Tablice szkolne', 500, 19, '0.7', 80),
        ('Sale rysunku technicznego', 750, 16, '0.7', 80),
        ('Pracownie i laboratoria', 500, 19, '0.6', 80),
        ('Warsztaty szkolne', 500, 19, '0.6', 80),
        ('Pracownie komputerowe', 300, 19, '0.6', 80),
        ('Pokoje nauczycielskie', 300, 19, '0.6', 80),
        ('Biblioteki - regały', 200, 19, '0.6', 80),
        ('Biblioteki - czytelnie', 500, 19, '0.6', 80),
        ('Sale gimnastyczne, hale sportowe', 300, 22, '0.6', 80),
    ]),
    ('Obróbka i przetwórstwo metali', 'Obróbka metali', [
        ('Kucie swobodne', 200, 25, '0.6', 80),
        ('Kucie matrycowe', 300, 25, '0.6', 80),
        ('Spawanie', 300, 25, '0.6', 60),
        ('Obróbka zgrubna i średnio dokładna, tolerancje od 0,1 mm', 300, 22, '0.6', 60),
        ('Obróbka precyzyjna, szlifowanie, tolerancje poniżej 0,1 mm', 500, 19, '0.7', 60),
        ('Trasowanie, kontrola', 750, 19, '0.7', 60),
        ('Ciągnienie drutu i rur, kształtowanie na zimno', 300, 25, '0.6', 60),
        ('Obróbka blach o grubości od 5 mm', 200, 25, '0.6', 60),
        ('Obróbka blach o grubości poniżej 5 mm', 300, 22, '0.6', 60),
        ('Wytwarzanie narzędzi i narzędzi skrawających', 750, 19, '0.7', 60),
        ('Montaż zgrubny', 200, 25, '0.6', 80),
        ('Montaż średnio dokładny', 300, 25, '0.6', 80),
        ('Montaż dokładny', 500, 22, '0.6', 80),
        ('Montaż precyzyjny', 750, 19, '0.7', 80),
        ('Galwanizacja', 300, 25, '0.6', 80),
        ('Przygotowanie powierzchni i malowanie', 750, 25, '0.7', 80),
        ('Wytwarzanie narzędzi, wzorników i przyrządów, mechanika precyzyjna i mikromechanika', 1000, 19, '0.7',
         80),
    ]),
]


def interiors():
    path = ATTACH + '\\' + INTERIORS
    lines = [DECL, '<drzewo %s>' % attrs(plik=path, ver=VER)]
    for caption, short, tasks in INTERIOR_GROUPS:
        lines.append('  <grp nazwa="%s">' % caption)
        for task, em, ugr, uo, ra in tasks:
            text = '%s: %s' % (short, task[0].lower() + task[1:])
            if ugr is not None:
                text += ' (UGRL %d)' % ugr
            lines.append('    <poz %s>%s</poz>' % (attrs(par1=em, par2=ra, par3=uo), text))
        lines.append('  </grp>')
    lines.append('</drzewo>')
    write_lines(path, lines)


if __name__ == '__main__':
    for v in (1, 2):
        illuminance(v)
        uniformity(v)
        colour_rendering(v)
    glare()
    flicker()
    interiors()
