#!/usr/bin/env python3
"""Writes the measurement form definitions of the microclimate forms (hot, moderate and the
three versions of cold) and the choice trees of the hot form.

As with the noise forms: every field the evaluation rule works on is on the one page; values
the user types evaluate the form when left (onexit="T"); values the rule computes are
read-only and start as a number; a permitted value is filled in only where the legal value
is certain, otherwise the user types it. In the cold forms 2 and 3 the outdoor fields follow
the check box "PracaZewn" in the definition (loading switches them by it).

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_microclimate_forms.py
"""
from make_noise_forms import WIDTH, attrs, blank, form, label, level, multiple, row, tree

CAP, COL = 290, 130       # caption column, value columns
CHOICE = WIDTH - CAP      # column of a combo beside its caption


def computed(nazwa, szerkol, default, skrot=''):
    """A value the rule computes and later reads: read-only, starts as a number."""
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='edit', druk='T', wydropis=nazwa, skrot=skrot, rozm=20,
                                         szer=70, szerkol=szerkol, readonly='T'), default)


def value(nazwa, szerkol, skrot=''):
    """A value recorded and printed that no rule reads."""
    return '<pole %s></pole>' % attrs(nazwa=nazwa, typ='edit', druk='T', wydropis=nazwa, skrot=skrot, rozm=10, szer=70,
                                      szerkol=szerkol)


def combo(nazwa, zal, default, skrot):
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='combo', druk='T', wydropis=nazwa, skrot=skrot,
                                         szer=CHOICE - 20, szerkol=CHOICE, zal=zal), default)


def check(nazwa, etyk):
    return '<pole %s>False</pole>' % attrs(nazwa=nazwa, typ='checkbox', druk='F', szer=600, szerkol=WIDTH,
                                           pozycja='left', etyk=etyk)


def heading(nazwa, etyk):
    return row(WIDTH, label(nazwa, etyk, WIDTH, bold=True, left=True))


def heads(*names):
    """A row of column captions: the caption column left empty, then one per value column."""
    return row(COL, blank('tNaglH', CAP),
               *[label(n, t, COL, bold=True) for n, t in names])


# --- hot ----------------------------------------------------------------------------------------

# Item order carries the rule's table: metabolic classes 0-4; acclimatised first; air movement
# felt first (list 2, classes 3-4; for classes 0-2 it does not change the permitted value).
CLASS_TREE = 'mikroklimat_goracy_klasa.xml'
CLASSES = [
    'Klasa 0 - spoczynek (M do 65 W/m^2)',
    'Klasa 1 - małe tempo metabolizmu (M od 65 do 130 W/m^2)',
    'Klasa 2 - umiarkowane tempo metabolizmu (M od 130 do 200 W/m^2)',
    'Klasa 3 - duże tempo metabolizmu (M od 200 do 260 W/m^2)',
    'Klasa 4 - bardzo duże tempo metabolizmu (M powyżej 260 W/m^2)',
]
ACCLIMATISATION_TREE = 'mikroklimat_goracy_aklimat.xml'
ACCLIMATISATION = ['Pracownik zaaklimatyzowany do gorąca', 'Pracownik niezaaklimatyzowany do gorąca']
AIR_TREES = ('mikroklimat_goracy_ruch1.xml', 'mikroklimat_goracy_ruch2.xml')
AIR_LISTS = (['Bez wpływu na wartość dopuszczalną (klasy metabolizmu 0-2)'],
             ['Wyczuwalny ruch powietrza', 'Niewyczuwalny ruch powietrza'])


def hot():
    tree(CLASS_TREE, CLASSES)
    tree(ACCLIMATISATION_TREE, ACCLIMATISATION)
    for name, items in zip(AIR_TREES, AIR_LISTS):
        tree(name, items)
    rows = [
        # No class chosen at first: the permitted value depends on it, so the user picks it.
        row(WIDTH, label('lcKlasaMetabol', 'Klasa metabolizmu', CAP, left=True),
            combo('cKlasaMetabol', CLASS_TREE, '-1', 'klasa metabolizmu: ')),
        row(WIDTH, label('lcAklimat', 'Aklimatyzacja', CAP, left=True),
            combo('cAklimat', ACCLIMATISATION_TREE, '0', 'aklimatyzacja: ')),
        row(WIDTH, label('lcRuchPow', 'Ruch powietrza', CAP, left=True),
            combo('cRuchPow', ';'.join(AIR_TREES), '0', 'ruch powietrza: ')),
        heads(('lWartZm', 'Wartość zmierzona'), ('lWartDop', 'Wartość dopuszczalna'),
              ('lKrotn', 'Krotność wartości dopuszczalnej')),
        row(COL, label('lWBGT', 'Wskaźnik obciążenia termicznego WBGT [°C]', CAP, left=True),
            level('WartZm', COL, skrot='WBGT [°C] = '),
            # the value of the table for no class chosen
            computed('WartDop', COL, '18', skrot='wartość dopuszczalna WBGT [°C] = '),
            multiple('Krotn', COL, skrot='krotność WBGT = ')),
    ]
    form('mikroklimat_goracy', 1, 'mikroklimat_goracy_Pomiar_01', 'Mikroklimat gorący',
         'Mikroklimat gorący - wskaźnik WBGT i jego wartość dopuszczalna', rows)


# --- moderate -----------------------------------------------------------------------------------

def moderate():
    rows = [
        row(COL, label('lWartZmPMV', 'Wskaźnik PMV (przewidywana ocena średnia)', CAP, left=True),
            level('WartZmPMV', COL, skrot='PMV = '),
            label('lPMVZakres', 'dopuszczalny: od -2 do +2', 2 * COL, left=True)),
        row(COL, label('lWartZmPPD', 'Wskaźnik PPD (przewidywany odsetek niezadowolonych) [%]', CAP, left=True),
            value('WartZmPPD', COL, skrot='PPD [%] = ')),
    ]
    form('mikroklimat_um', 1, 'mikroklimat_um_Pomiar_01', 'Mikroklimat umiarkowany',
         'Mikroklimat umiarkowany - wskaźniki PMV i PPD', rows)


# --- cold ---------------------------------------------------------------------------------------

WCI_CAPTION = 'Wskaźnik siły chłodzącej powietrza WCI [W/m^2]'


def cold1():
    rows = [
        heads(('lWartZm', 'Wartość zmierzona'), ('lWartDop', 'Wartość dopuszczalna'),
              ('lKrotn', 'Krotność wartości dopuszczalnej')),
        row(COL, label('lWCI', WCI_CAPTION, CAP, left=True),
            level('WartZm', COL, skrot='WCI [W/m^2] = '),
            level('WartDop', COL, druk=False),
            multiple('Krotn', COL, skrot='krotność WCI = ')),
    ]
    form('mikroklimat_zimny', 1, 'mikroklimat_zimny_Pomiar_01', 'Mikroklimat zimny',
         'Mikroklimat zimny - wskaźnik siły chłodzącej powietrza', rows)


def clothing_rows():
    """The insulation of the clothing: 0 where it was not assessed."""
    return [
        heading('pIzolOdziezy', 'Izolacyjność cieplna odzieży'),
        row(COL, label('lIREQmin', 'Wymagana izolacyjność cieplna odzieży IREQmin [clo]', CAP, left=True),
            level('IREQmin', COL, default='0', skrot='IREQmin [clo] = ')),
        row(COL, label('lIREQneutral', 'Izolacyjność cieplna odzieży zapewniająca komfort cieplny IREQneutral [clo]',
                       CAP, left=True),
            level('IREQneutral', COL, default='0', skrot='IREQneutral [clo] = ')),
        row(COL, label('lIclr', 'Izolacyjność cieplna odzieży użytkowanej Iclr [clo]', CAP, left=True),
            level('Iclr', COL, default='0', skrot='Iclr [clo] = ')),
        row(COL, label('lKrotn', 'Krotność Iclr / IREQmin', CAP, left=True),
            multiple('Krotn', COL, skrot='krotność Iclr / IREQmin = ')),
    ]


OUTDOOR = 'Praca na otwartej przestrzeni (na zewnątrz pomieszczeń)'


def cold2():
    rows = clothing_rows() + [
        row(WIDTH, check('PracaZewn', OUTDOOR)),
        row(COL, label('pWCI', WCI_CAPTION, CAP, bold=True, left=True),
            label('lWartZm', 'Wartość zmierzona', COL, bold=True),
            label('lWartDp', 'Wartość dopuszczalna', COL, bold=True),
            label('lKrotnWCI', 'Krotność wartości dopuszczalnej', COL, bold=True)),
        row(COL, blank('tWCI', CAP),
            level('WartZm', COL, default='0', skrot='WCI [W/m^2] = '),
            level('WartDop', COL, default='1000', druk=False),
            multiple('KrotnWCI', COL, skrot='krotność WCI = ')),
    ]
    form('mikroklimat_zimny', 2, 'mikroklimat_zimny_Pomiar_02', 'Mikroklimat zimny',
         'Mikroklimat zimny - izolacyjność cieplna odzieży i wskaźnik siły chłodzącej powietrza', rows)


def cold3():
    allowed_time = '<pole %s></pole>' % attrs(nazwa='CzasNar', typ='edit', druk='T', wydropis='CzasNar',
                                              skrot='dopuszczalny czas ekspozycji [min]: ', rozm=20, szer=110,
                                              szerkol=COL, readonly='T', sprpopr='F')
    rows = clothing_rows() + [
        row(WIDTH, check('PracaZewn', OUTDOOR)),
        heading('ptwc', 'Temperatura wywołana wiatrem twc [°C]'),
        row(COL, label('lTa', 'Temperatura powietrza ta [°C]', CAP, left=True),
            level('Ta', COL, skrot='ta [°C] = ')),
        row(COL, label('lVa', 'Prędkość wiatru va [km/h]', CAP, left=True),
            level('Va', COL, skrot='va [km/h] = ')),
        row(COL, blank('tTwcH', CAP),
            label('lWartZm', 'Wartość wyznaczona', COL, bold=True),
            label('lWartDp', 'Wartość dopuszczalna', COL, bold=True),
            label('lKrotnTwc', 'Krotność wartości dopuszczalnej', COL, bold=True)),
        row(COL, blank('tTwc', CAP),
            computed('WartZm', COL, '0', skrot='twc [°C] = '),
            level('WartDop', COL, default='-32', druk=False),
            multiple('KrotnTwc', COL, skrot='krotność twc = ')),
        row(COL, label('lCzasNar', 'Dopuszczalny czas ekspozycji [min]', CAP, left=True), allowed_time),
    ]
    form('mikroklimat_zimny', 3, 'mikroklimat_zimny_Pomiar_03', 'Mikroklimat zimny',
         'Mikroklimat zimny - izolacyjność cieplna odzieży i temperatura wywołana wiatrem', rows)


if __name__ == '__main__':
    hot()
    moderate()
    cold1()
    cold2()
    cold3()
