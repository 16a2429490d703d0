#!/usr/bin/env python3
"""Writes the measurement form definitions of the thirteen dust forms and their choice trees.

Each form keeps all the fields its evaluation rule works on on one page. Concentrations and
limit values the user types evaluate the form when left (onexit="T"); multiples, the class
bits ("Typ", hidden) and the workstation sum are read-only and start as "0".

Limit values: a form's defaults are those its first kind sets in the program (the same
values the dust catalogue poradn/czynpyly.xml gives where it has them); a form without a
kind field leaves them to the catalogue or to the user.

The order of the items binds the program: the kind field comes before the respirable row
(the loader switches that row by the stored kind of coal and graphite dust), "Typ" before
the sum controls (the loader hides them for carcinogenic dusts) and "cbSumNDS" before
"SumNDS" (the sum is written after the mark). The item texts " Poniżej 2% " (coal),
" Syntetycznego " (graphite) and "Zawierający włókna mineralne (w tym azbest)" (talc) are
compared by the loader, blanks included.

Files go out in Windows-1250 with CR LF line ends. Run from the repository root:
    python3 tools/make_dust_forms.py
"""
from make_noise_forms import CAP, COL, WIDTH, attrs, blank, form, label, level, multiple, row, tree

MG = '[mg/m^3]'
FIBRES = '[włókna/cm^3]'


class Fraction:
    """One fraction: its caption, the names of its labels and of its three fields."""

    def __init__(self, caption, labels, measured, permitted, multiple_name, short):
        self.caption = caption
        self.labels = labels              # row caption, measured, limit, multiple
        self.measured = measured
        self.permitted = permitted
        self.multiple = multiple_name
        self.short = short


def total(caption='Pył całkowity ' + MG):
    return Fraction(caption, ('lPCalk', 'lStZmierzoneCalk', 'lStDopCalk', 'lKrotnoscCalk'),
                    'PylCalkZm', 'PylCalkDop', 'PylCalkKrotn', 'pył całkowity')


def respirable(caption='Pył respirabilny ' + MG, short='pył respirabilny'):
    return Fraction(caption, ('lPResp', 'lStZmierzoneResp', 'lStDopResp', 'lKrotnoscResp'),
                    'PylRespZm', 'PylRespDop', 'PylRespKrotn', short)


# The general form: the limit fields are named after the fraction, so that a dust whose
# catalogue entry has "-1" for a fraction switches off every item of it.
GENERAL = [
    Fraction('Pył całkowity ' + MG, ('lPylCalk', 'lStZmPylCalk', 'lStDopPylCalk', 'lKrotnPylCalk'),
             'PylCalkZm', 'PylCalk', 'PylCalkKrotn', 'pył całkowity'),
    Fraction('Pył respirabilny ' + MG, ('lPylResp', 'lStZmPylResp', 'lStDopPylResp', 'lKrotnPylResp'),
             'PylRespZm', 'PylResp', 'PylRespKrotn', 'pył respirabilny'),
    Fraction('Włókna respirabilne ' + FIBRES, ('lWlkResp', 'lStZmWlkResp', 'lStDopWlkResp', 'lKrotnWlkResp'),
             'WlkRespZm', 'WlkResp', 'WlkRespKrotn', 'włókna respirabilne'),
]


def fraction_rows(f, defaults):
    heads = row(COL,
                label(f.labels[0], f.caption, CAP, bold=True, left=True),
                label(f.labels[1], 'Stężenie zmierzone', COL, bold=True),
                label(f.labels[2], 'Wartość NDS', COL, bold=True),
                label(f.labels[3], 'Krotność NDS', COL, bold=True))
    values = row(COL,
                 blank('t' + f.measured, CAP),
                 level(f.measured, COL, default=defaults.get(f.measured, ''), skrot='%s = ' % f.short),
                 level(f.permitted, COL, default=defaults.get(f.permitted, ''), druk=False),
                 multiple(f.multiple, COL, skrot='krotność NDS - %s = ' % f.short))
    return [heads, values]


def kind_row(field, caption, tree_file, items):
    tree(tree_file, items)
    # The default is the first item's text: the loader compares texts, not positions.
    return row(WIDTH,
               label('l' + field, caption, 200, left=True),
               '<pole %s>%s</pole>' % (attrs(nazwa=field, typ='combo', druk='T', wydropis=field,
                                             skrot=caption.lower() + ': ', szer=470, szerkol=480, zal=tree_file),
                                       items[0]))


def type_field(value):
    """The class bits of the dust: hidden, set by the catalogue or by the kind chosen."""
    return '<pole %s>%s</pole>' % (attrs(nazwa='Typ', typ='edit', druk='F', szer=0, szerkol=0, readonly='T',
                                         visible='F'), value)


def sum_row():
    return row(COL,
               '<pole %s>False</pole>' % attrs(nazwa='cbSumNDS', typ='checkbox', druk='F', szer=410, szerkol=420,
                                               pozycja='left',
                                               etyk='Sumuj krotności NDS pyłów zmierzonych na stanowisku tego dnia'),
               label('lSumNDS', 'Suma krotności NDS pyłów', COL),
               multiple('SumNDS', COL, skrot='suma krotności NDS pyłów = '))


def dust(name, title, fractions, typ='0', kind=None, defaults=None, has_sum=True):
    """One dust form: kind row, fractions, the class bits, the sum controls."""
    defaults = defaults or {}
    rows = []
    if kind:
        rows.append(kind_row(*kind))
    for i, f in enumerate(fractions):
        r = fraction_rows(f, defaults)
        if i == 0:
            r[0] = r[0][:-1] + ['      ' + type_field(typ)] + r[0][-1:]
        rows += r
    if has_sum:
        rows.append(sum_row())
    form(name, 1, name + '_Pomiar_01', 'Pyły',
         '%s - wyniki pomiarów i krotności najwyższych dopuszczalnych stężeń (NDS)' % title, rows)


SILICA = 'Zawartość wolnej krystalicznej krzemionki'


def main():
    dust('pyly_apatytow', 'Pyły apatytów i fosforytów', [total(), respirable()],
         kind=('cmbIloscKrzem', SILICA, 'pyly_apatytow_krzem.xml', [' Poniżej 10% ', ' Powyżej 10% ']),
         defaults={'PylCalkDop': '6.00', 'PylRespDop': '2.00'})
    dust('pyly_azbestu', 'Pyły zawierające azbest',
         [total(), respirable('Włókna respirabilne ' + FIBRES, 'włókna respirabilne')], typ='25', has_sum=False)
    dust('pyly_cementow', 'Pyły cementów', [total(), respirable()])
    dust('pyly_drewna', 'Pyły drewna', [total()],
         kind=('Rodz', 'Rodzaj drewna', 'pyly_drewna_rodz.xml',
               [' Drewno inne niż twarde (np. iglaste) ', ' Drewno twarde (np. buk, dąb) ',
                ' Mieszanina pyłu drewna twardego z pyłem innego drewna ']),
         defaults={'PylCalkDop': '4.0'})
    dust('pyly_grafitu', 'Pyły grafitu', [total(), respirable()],
         kind=('Rodz', 'Rodzaj grafitu', 'pyly_grafitu_rodz.xml', [' Naturalnego ', ' Syntetycznego ']),
         defaults={'PylCalkDop': '4.0', 'PylRespDop': '1.0'})
    dust('pyly_krystkrzem', 'Pyły zawierające krzemionkę krystaliczną', [total(), respirable()], typ='8',
         kind=('cmbIloscKrzem', SILICA, 'pyly_krystkrzem_krzem.xml', [' Od 2% do 50% ', ' Powyżej 50% ']),
         defaults={'PylCalkDop': '4.00', 'PylRespDop': '1.00'})
    dust('pyly_krzembespost', 'Pyły krzemionki bezpostaciowej', [total(), respirable()],
         kind=('Rodz', 'Rodzaj krzemionki bezpostaciowej', 'pyly_krzembespost_rodz.xml',
               [' Krzemionka strącona i żel krzemionkowy ', ' Ziemia okrzemkowa kalcynowana ',
                ' Ziemia okrzemkowa niekalcynowana ', ' Dymy krzemionkowe ']),
         defaults={'PylCalkDop': '10.0', 'PylRespDop': '2.0'})
    dust('pyly_organiczne', 'Pyły organiczne pochodzenia roślinnego i zwierzęcego', [total(), respirable()],
         kind=('cmbIloscKrzem', SILICA, 'pyly_organiczne_krzem.xml', [' Poniżej 10% ', ' Powyżej 10% ']),
         defaults={'PylCalkDop': '4.00', 'PylRespDop': '2.00'})
    dust('pyly_sztuczwlok', 'Sztuczne włókna mineralne',
         [total(), respirable('Włókna respirabilne ' + FIBRES, 'włókna respirabilne')], typ='8',
         kind=('Rodz', 'Rodzaj włókien', 'pyly_sztuczwlok_rodz.xml',
               [' Włókna szklane ciągłe, wełna mineralna (szklana, skalna, żużlowa) ',
                ' Ogniotrwałe włókna ceramiczne ', ' Włókna o specjalnym przeznaczeniu ']),
         defaults={'PylCalkDop': '2.0', 'PylRespDop': '1.0'})
    dust('pyly_talku', 'Pyły talku', [total(), respirable()], typ='8',
         kind=('Rodz', 'Rodzaj talku', 'pyly_talku_rodz.xml',
               [' Niezawierający włókien mineralnych ', ' Zawierający włókna mineralne (w tym azbest) ']),
         defaults={'PylCalkDop': '4.0', 'PylRespDop': '1.0'})
    # The first kind has no respirable limit: its row starts switched off and zeroed.
    dust('pyly_wegla', 'Pyły węgla kamiennego i brunatnego', [total(), respirable()],
         kind=('cmbIloscKrzem', SILICA, 'pyly_wegla_krzem.xml',
               [' Poniżej 2% ', ' Od 2% do 10% ', ' Od 10% do 50% ', ' Powyżej 50% ']),
         defaults={'PylCalkDop': '10.0', 'PylRespDop': '0', 'PylRespZm': '0'})
    dust('pyly_pozostale', 'Pyły pozostałe niesklasyfikowane ze względu na toksyczne działanie', [total()])
    dust('pyly', 'Pyły', GENERAL)


if __name__ == '__main__':
    main()
