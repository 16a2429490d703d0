#!/usr/bin/env python3
"""Writes the measurement form definitions of incoherent optical radiation (ultraviolet,
infrared in two versions, visible radiation in two versions) and the choice tree they use.

As with the noise forms, every field a rule works on is on the one page of its form;
values the user types evaluate the form when left (onexit="T"); permitted values and
multiples that the rule computes are read-only and start as "0". The only fixed limit
values are those of ultraviolet radiation for adults (effective radiant exposure 30 J/m^2,
UV-A exposure of the eyes 10000 J/m^2 in 8 hours); the values for pregnant women are left
for the user to type.

Version 1 of the infrared and visible forms takes the angular size of the source in
radians and radiances per square centimetre; version 2 takes milliradians and square metres.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_optical_forms.py
"""
from make_noise_forms import WIDTH, attrs, blank, form, label, row, tree


def typed(nazwa, szerkol, default='', skrot='', szer=80, druk=True):
    """A value the user types: evaluates the form when left."""
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='edit', druk='T' if druk else 'F',
                                         wydropis=nazwa if druk else '', skrot=skrot, rozm=20, szer=szer,
                                         szerkol=szerkol, onexit='T'), default)


def computed(nazwa, szerkol, skrot='', szer=80):
    """A permitted value or multiple the rule computes: read-only, starts as 0."""
    return '<pole %s>0</pole>' % attrs(nazwa=nazwa, typ='edit', druk='T', wydropis=nazwa, skrot=skrot, rozm=20,
                                       szer=szer, szerkol=szerkol, readonly='T')


def header(nazwa, captions, skrot=''):
    """A caption across the page; with several captions the rule picks one (param 1 prints it)."""
    return ['    <naglowek %s>' % attrs(nazwa=nazwa, typ='parametr', druk='T', param=1, szer=WIDTH,
                                        etyk=';'.join(captions), skrot=skrot),
            '    </naglowek>']


# --- Ultraviolet ----------------------------------------------------------------------------

UV_CAP, UV_COL = 230, 90
UV_QUANTITIES = [
    ('NSTwarz', 'Skuteczne napromienienie skóry twarzy Hskut (180-400 nm) [Jm^-2]', 'Hskut twarz', '30'),
    ('NSRece', 'Skuteczne napromienienie skóry rąk Hskut (180-400 nm) [Jm^-2]', 'Hskut ręce', '30'),
    ('NSOczy', 'Skuteczne napromienienie oczu Hskut (180-400 nm) [Jm^-2]', 'Hskut oczy', '30'),
    ('NP', 'Napromienienie oczu w zakresie UV-A HUVA (315-400 nm) [Jm^-2]', 'HUVA', '10000'),
]


def ultraviolet():
    rows = [row(UV_COL,
                label('lParametr', 'Wielkość (ekspozycja w ciągu 8 godzin)', UV_CAP, bold=True),
                label('lWartZm', 'Wartość zmierzona', UV_COL, bold=True),
                label('lWartDp', 'Wartość dopuszczalna', UV_COL, bold=True),
                label('lKrotn', 'Krotność wartości dopuszczalnej', UV_COL, bold=True),
                label('lWartDpKc', 'Wartość dopuszczalna - kobiety w ciąży', UV_COL, bold=True),
                label('lKrotnKc', 'Krotność - kobiety w ciąży', UV_COL, bold=True))]
    for stem, caption, short, limit in UV_QUANTITIES:
        rows.append(row(UV_COL,
                        label('l' + stem, caption, UV_CAP, left=True),
                        typed(stem + 'WartZm', UV_COL, skrot='%s [Jm^-2] = ' % short),
                        typed(stem + 'WartDp', UV_COL, default=limit, skrot='wartość dopuszczalna = '),
                        computed(stem + 'Krotn', UV_COL, skrot='krotność %s = ' % short),
                        typed(stem + 'WartDpKc', UV_COL, skrot='wartość dopuszczalna - kobiety w ciąży = '),
                        computed(stem + 'KrotnKc', UV_COL, skrot='krotność %s - kobiety w ciąży = ' % short)))
    form('prm_nadfioletowe', 1, 'prm_nadfioletowe_Pomiar_01', 'Promieniowanie nadfioletowe',
         'Promieniowanie nadfioletowe - wyniki pomiarów i krotności najwyższych dopuszczalnych natężeń (NDN)', rows)


# --- Infrared -------------------------------------------------------------------------------

IR_CAP, IR_COL = 240, 110
STIMULUS_TREE = 'prm_bodziec.xml'
# Item 0: the long-exposure constant 2.8e7 and sources from 1.7 mrad; item 1: 6e6 and from 11 mrad.
STIMULUS_ITEMS = ['silny bodziec wzrokowy (promieniowanie 380-1400 nm)',
                  'słaby bodziec wzrokowy (promieniowanie 780-1400 nm)']


def infrared(version):
    cm = version == 1
    radiance = '[Wcm^-2sr^-1]' if cm else '[Wm^-2sr^-1]'
    alpha = '[rad]' if cm else '[mrad]'
    rows = []
    source = [label('lZrodlo', 'Kątowy wymiar źródła alfa %s' % alpha, IR_CAP, left=True),
              typed('Zrodlo', IR_COL, skrot='kątowy wymiar źródła alfa %s = ' % alpha)]
    if version == 2:
        source += [label('lcBodziec', 'Bodziec wzrokowy', IR_COL),
                   '<pole %s>0</pole>' % attrs(nazwa='cBodziec', typ='combo', druk='T', wydropis='cBodziec',
                                               skrot='bodziec wzrokowy: ', szer=210, szerkol=2 * IR_COL,
                                               zal=STIMULUS_TREE)]
        tree(STIMULUS_TREE, STIMULUS_ITEMS)
    rows.append(row(IR_COL, *source))
    rows.append(row(IR_COL,
                    label('lParametr', 'Zagrożenie', IR_CAP, bold=True),
                    label('lCzas', 'Czas ekspozycji t [s]', IR_COL, bold=True),
                    label('lWartZm', 'Wartość zmierzona', IR_COL, bold=True),
                    label('lWartDp', 'Wartość dopuszczalna', IR_COL, bold=True),
                    label('lKrotn', 'Krotność wartości dopuszczalnej', IR_COL, bold=True)))
    # measured, permitted, multiple, time; the cornea's measured field and the skin's time
    # keep the names stored measurements use.
    quantities = [
        ('Siat', 'SiatWartZm', 'SiatCzas',
         'Zagrożenie termiczne siatkówki - luminancja energetyczna LIR %s' % radiance, 'LIR'),
        ('Rog', 'RogartZm', 'RogCzas',
         'Zagrożenie termiczne rogówki i soczewki - natężenie napromienienia EIR (780-3000 nm) [Wm^-2]', 'EIR'),
        ('Tw', 'TwWartZm', 'TwSiatCzas',
         'Zagrożenie termiczne skóry twarzy - napromienienie Hskóry (380-3000 nm) [Jm^-2]', 'Hskóry twarz'),
        ('Rece', 'ReceWartZm', 'ReceCzas',
         'Zagrożenie termiczne skóry rąk - napromienienie Hskóry (380-3000 nm) [Jm^-2]', 'Hskóry ręce'),
    ]
    for stem, measured, time, caption, short in quantities:
        rows.append(row(IR_COL,
                        label('l' + stem, caption, IR_CAP, left=True),
                        typed(time, IR_COL, skrot='czas ekspozycji (%s) [s] = ' % short),
                        typed(measured, IR_COL, skrot='%s = ' % short),
                        computed(stem + 'WartDp', IR_COL, skrot='wartość dopuszczalna %s = ' % short),
                        computed(stem + 'Krotn', IR_COL, skrot='krotność %s = ' % short)))
    rows.append(row(WIDTH, label('lUwaga', 'Wartości dopuszczalne wyznacza program z czasu ekspozycji i kątowego '
                                 'wymiaru źródła. Czas ekspozycji skóry nie może przekraczać 10 s.', WIDTH,
                                 left=True)))
    form('prm_podczerwone', version, 'prm_podczerwone_Pomiar_%02d' % version, 'Promieniowanie podczerwone',
         'Promieniowanie podczerwone - wyniki pomiarów i krotności najwyższych dopuszczalnych natężeń (NDN)', rows)


# --- Visible --------------------------------------------------------------------------------

VIS_CAP, VIS_COL = 200, 160

# The captions of lFOParam in the order the rule picks them.
PHOTO_CAPTIONS = {
    1: ['Zintegrowana luminancja energetyczna Lzint [Jcm^-2sr^-1]',   # source from 11 mrad, up to 10000 s
        'Skuteczna luminancja energetyczna Ls [Wcm^-2sr^-1]',         # source from 11 mrad, beyond 10000 s
        'Skuteczne napromienienie Ns [Jcm^-2]',                       # smaller source, up to 10000 s
        'Skuteczne natężenie napromienienia Es [µWcm^-2]'],           # smaller source, beyond 10000 s
    2: ['Skuteczna luminancja energetyczna Lb [Wm^-2sr^-1]',          # source from 11 mrad
        'Skuteczne natężenie napromienienia Eb [Wm^-2]'],             # smaller source
}


def exposure_row(part, alpha):
    """The exposure time and the angular size of the source of one hazard."""
    return row(VIS_COL,
               label('l%sCzas' % part, 'Czas ekspozycji t [s]', VIS_CAP, left=True),
               typed(part + 'Czas', VIS_COL, skrot='czas ekspozycji [s] = '),
               label('l%sWymiar' % part, 'Kątowy wymiar źródła alfa %s' % alpha, VIS_COL),
               typed(part + 'Wymiar', VIS_COL, skrot='kątowy wymiar źródła alfa %s = ' % alpha))


def visible_values(part, hazard, measured=''):
    """The column heads and the measured value, permitted value and multiple of one hazard."""
    what = ' (zagrożenie %s) = ' % hazard
    return [row(VIS_COL,
                blank('t' + part, VIS_CAP),
                label('l%sWartZm' % part, 'Wartość zmierzona', VIS_COL, bold=True),
                label('l%sWartDp' % part, 'Wartość dopuszczalna', VIS_COL, bold=True),
                label('l%sKrotn' % part, 'Krotność wartości dopuszczalnej', VIS_COL, bold=True)),
            row(VIS_COL,
                blank('t%sWart' % part, VIS_CAP),
                typed(part + 'WartZm', VIS_COL, default=measured, skrot='wartość zmierzona' + what),
                computed(part + 'WartDop', VIS_COL, skrot='wartość dopuszczalna' + what),
                computed(part + 'Krotn', VIS_COL, skrot='krotność' + what))]


def visible(version):
    cm = version == 1
    rows = [row(WIDTH, label('pFO', 'Zagrożenie fotochemiczne siatkówki (światło niebieskie)', WIDTH, bold=True,
                             left=True))]
    rows.append(exposure_row('FO', '[mrad]'))
    rows.append(header('lFOParam', PHOTO_CAPTIONS[version]))
    rows += visible_values('FO', 'fotochemiczne')
    # The check box comes before the thermal fields: loading enables them only while it is ticked.
    rows.append(row(WIDTH, '<pole %s>False</pole>' % attrs(nazwa='cbZagrTO', typ='checkbox', druk='F', szer=600,
                                                           szerkol=WIDTH, pozycja='left',
                                                           etyk='Występuje zagrożenie termiczne siatkówki')))
    rows.append(header('TOParam', ['Zagrożenie termiczne siatkówki - luminancja energetyczna LR %s'
                                   % ('[Wcm^-2sr^-1]' if cm else '[Wm^-2sr^-1]')]))
    alpha = '[rad]' if cm else '[mrad]'
    rows.append(exposure_row('TO', alpha))
    rows += visible_values('TO', 'termiczne', measured='0')
    form('prm_widzialne', version, 'prm_widzialne_Pomiar_%02d' % version, 'Promieniowanie widzialne',
         'Promieniowanie widzialne - wyniki pomiarów i krotności najwyższych dopuszczalnych natężeń (NDN)', rows)


if __name__ == '__main__':
    ultraviolet()
    infrared(1)
    infrared(2)
    visible(1)
    visible(2)
