#!/usr/bin/env python3
"""Writes the measurement form definitions of electromagnetic fields, electric current at low
and at high voltage, and explosion and fire, with the choice tree of the protection zones.

The zone lists carry their meaning in their order (item 0 outside the protection zones, 1 the
intermediate zone, 2 the hazard zone, 3 the dangerous zone); they start with nothing chosen,
so that a form is not rated before the user has said where the workers are exposed. The
current and explosion forms rate one value W that the user determines by the enterprise's
own method; its limits are those the rule applies, shown on the form.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_fields_current_forms.py
"""
from make_noise_forms import WIDTH, attrs, form, label, row, tree

ZONE_TREE = 'pole_strefy.xml'
ZONE_ITEMS = ['poza strefami ochronnymi (strefa bezpieczna)',
              'strefa pośrednia',
              'strefa zagrożenia',
              'strefa niebezpieczna']

CAP = 330          # caption column
VAL = WIDTH - CAP  # value column


def edit(nazwa, etyk, default='', skrot='', szer=120, rozm=20, text=False):
    """A value the user types, captioned on its left: evaluates the form when left."""
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='edit', druk='T', wydropis=nazwa, skrot=skrot,
                                         rozm=rozm, szer=szer, szerkol=WIDTH, etyk=etyk, pozycja='left',
                                         sprpopr='F' if text else '', onexit='T'), default)


def combo(nazwa, etyk, skrot, zal):
    return '<pole %s></pole>' % attrs(nazwa=nazwa, typ='combo', druk='T', wydropis=nazwa, skrot=skrot, szer=330,
                                      szerkol=WIDTH, etyk=etyk, pozycja='left', zal=zal)


def memo(nazwa, etyk, skrot):
    return '<pole %s></pole>' % attrs(nazwa=nazwa, typ='memo', druk='T', wydropis=nazwa, skrot=skrot, rozm=2000,
                                      szer=420, wys=80, szerkol=WIDTH, etyk=etyk, pozycja='left')


def electromagnetic_field():
    tree(ZONE_TREE, ZONE_ITEMS)
    rows = [row(WIDTH, label('lStrefy', 'Ekspozycja pracowników w strefach ochronnych pola elektromagnetycznego',
                             WIDTH, bold=True, left=True)),
            row(WIDTH, combo('EkspPrac', 'Strefa ekspozycji - całe ciało', 'strefa ekspozycji - całe ciało: ',
                             ZONE_TREE)),
            row(WIDTH, combo('EkspPracKon', 'Strefa ekspozycji - kończyny', 'strefa ekspozycji - kończyny: ',
                             ZONE_TREE)),
            row(WIDTH, edit('WcCialo', 'Wskaźnik ekspozycji W - całe ciało', default='0',
                            skrot='wskaźnik ekspozycji W - całe ciało = ')),
            row(WIDTH, edit('WkKon', 'Wskaźnik ekspozycji W - kończyny', default='0',
                            skrot='wskaźnik ekspozycji W - kończyny = ')),
            row(WIDTH, edit('Przekr', 'Przekroczenia wartości dopuszczalnych, ekspozycja w strefie niebezpiecznej '
                            '(opis albo: nie dotyczy)', default='nie dotyczy', skrot='przekroczenia: ', szer=330,
                            rozm=250, text=True))]
    form('pole', 1, 'pole_Pomiar_01', 'Pole elektromagnetyczne',
         'Pole elektromagnetyczne - ocena ekspozycji pracowników', rows)


def single_value(name, function, page, title, value_caption, limits):
    rows = [row(WIDTH, edit('WartWyl', value_caption, skrot='W = ')),
            row(WIDTH, label('lGranice', 'Ocena ryzyka: ' + limits, WIDTH, left=True)),
            row(WIDTH, memo('Opis', 'Opis zagrożenia i sposób wyznaczenia wartości W', 'opis: '))]
    form(name, 1, function, page, title, rows)


def currents_and_explosion():
    single_value('prad_NN', 'prad_NN_Pomiar_01', 'Prąd elektryczny',
                 'Prąd elektryczny - urządzenia niskiego napięcia - ocena zagrożenia porażeniem',
                 'Wyznaczona wartość wskaźnika zagrożenia W',
                 'małe dla W poniżej 0,00001; średnie dla W od 0,00001 do poniżej 0,0001; duże dla W od 0,0001.')
    single_value('prad_WN', 'prad_WN_Pomiar_01', 'Prąd elektryczny',
                 'Prąd elektryczny - urządzenia wysokiego napięcia - ocena zagrożenia porażeniem',
                 'Wyznaczona wartość wskaźnika zagrożenia W',
                 'małe dla W poniżej 0,4; średnie dla W od 0,4 do poniżej 0,6; duże dla W od 0,6.')
    single_value('wybuch_pozar', 'wybuch_pozar_Pomiar_01', 'Wybuch i pożar',
                 'Wybuch i pożar - ocena zagrożenia', 'Wyznaczona wartość wskaźnika zagrożenia W',
                 'małe dla W poniżej 0,4; średnie dla W od 0,4 do poniżej 0,6; duże dla W od 0,6.')


if __name__ == '__main__':
    electromagnetic_field()
    currents_and_explosion()
