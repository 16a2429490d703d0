#!/usr/bin/env python3
"""Writes the measurement form definitions of vibration acting through the hands, general
vibration and mechanical hazards, the requirement lists the mechanical form includes per
factor, and the choice trees they use.

As in the noise forms, every field a rule works on sits on one page, values the user types
evaluate the form when left, multiples and results are read-only and start as "0", and
permitted values are filled in only where the legal value is certain.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_vibration_forms.py
"""
from install_files import DECL, write_lines
from make_noise_forms import ATTACH, VER, WIDTH, attrs, blank, form, label, level, multiple, row, tree

CAP, COL = 290, 130       # caption column, value columns
UNIT = '[m/s^2]'          # the code page has no superscript two

ML = '- młodociani'
MLKC = '- młodociani i kobiety w ciąży'


def checkbox(nazwa, etyk, value, szerkol=WIDTH):
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='checkbox', druk='F', szer=szerkol - 80, szerkol=szerkol,
                                         pozycja='left', etyk=etyk), value)


def combo(nazwa, etyk, zal, szer, szerkol, default='-1', skrot=''):
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='combo', druk='T', wydropis=nazwa, skrot=skrot,
                                         szer=szer, szerkol=szerkol, etyk=etyk, zal=zal), default)


def edit(nazwa, etyk, szerkol, default='', skrot='', readonly=False):
    """A value with its caption in front: typed (evaluates when left) or computed."""
    return '<pole %s>%s</pole>' % (attrs(nazwa=nazwa, typ='edit', druk='T', wydropis=nazwa, skrot=skrot or etyk + ' = ',
                                         rozm=10, szer=70, szerkol=szerkol, etyk=etyk,
                                         readonly='T' if readonly else '', onexit='' if readonly else 'T'), default)


# --- vibration ------------------------------------------------------------------------------

def exposure_rows(stem, title, caption, short, adults, group, group_caption, group_value):
    """The title, the column heads and the two rows (adults, second group) of one exposure."""
    return [row(WIDTH, label('p%sSW' % stem, title, WIDTH, bold=True, left=True)),
            row(COL,
                label('l%sParametr' % stem, 'Parametr', CAP, bold=True),
                label('l%sWartZm' % stem, 'Wartość zmierzona', COL, bold=True),
                label('l%sWartDp' % stem, 'Wartość dopuszczalna', COL, bold=True),
                label('l%sKrotn' % stem, 'Krotność wartości dopuszczalnej', COL, bold=True)),
            row(COL,
                label('l%s' % stem, caption, CAP, left=True),
                level('%sWartZm' % stem, COL, skrot='%s %s = ' % (short, UNIT)),
                level('%sWartDop' % stem, COL, default=adults, druk=False),
                multiple('%sKrotn' % stem, COL, skrot='krotność %s = ' % short)),
            row(COL,
                label('l%sWartDop%s' % (stem, group), group_caption, CAP, left=True),
                blank('t%s%s' % (stem, group), COL),
                level('%sWartDop%s' % (stem, group), COL, default=group_value, druk=False),
                multiple('%sKrotn%s' % (stem, group), COL, skrot='krotność %s %s = ' % (short, group_caption)))]


def vibration(name, function, page_name, header, group, group_caption, permitted, note=None):
    """permitted: daily adults, daily group, short adults, short group ('' where not certain)."""
    day, day_group, brief, brief_group = permitted
    rows = exposure_rows('Rown', 'Wartość ekspozycji dziennej %s' % UNIT,
                         'Wartość ekspozycji dziennej A(8) - równoważna energetycznie dla 8 godzin działania '
                         'wartość skuteczna ważonego przyspieszenia drgań %s' % UNIT,
                         'A(8)', day, group, group_caption, day_group)
    # The short-exposure fields follow their check box: loading enables them only while it is ticked.
    rows.append(row(WIDTH, checkbox('cbCzasEksp', 'Występuje ekspozycja krótkotrwała (30 minut i mniej)', 'True')))
    rows += exposure_rows('Maks', 'Wartość ekspozycji krótkotrwałej (30 minut i mniej) %s' % UNIT,
                          'Wartość ekspozycji krótkotrwałej - maksymalna wartość skuteczna ważonego przyspieszenia '
                          'drgań w czasie 30 minut i krótszym %s' % UNIT,
                          'ekspozycja krótkotrwała', brief, group, group_caption, brief_group)
    if note:
        rows.append(row(WIDTH, label('lUwagaKc', note, WIDTH, left=True)))
    form(name, 1, function, page_name, header, rows)


def vibrations():
    # Hand-arm: A(8) 2.8 and 11.2 m/s2 for adults; 1 and 4 m/s2 for juveniles and pregnant women.
    vibration('drgania_msc', 'drgania_msc_Pomiar_01', 'Drgania miejscowe',
              'Drgania mechaniczne działające na organizm człowieka przez kończyny górne - wyniki pomiarów '
              'i krotności najwyższych dopuszczalnych natężeń (NDN)',
              'MlKc', MLKC, ('2.8', '1', '11.2', '4'))
    # Whole-body: 0.8 and 3.2 m/s2 for adults; the juveniles' values are typed by the user.
    vibration('drgania_ogln', 'drgania_ogln_Pomiar_01', 'Drgania ogólne',
              'Drgania mechaniczne o działaniu ogólnym - wyniki pomiarów i krotności najwyższych dopuszczalnych '
              'natężeń (NDN)',
              'Ml', ML, ('0.8', '', '3.2', ''),
              note='Prace w warunkach narażenia na drgania o działaniu ogólnym są wzbronione kobietom w ciąży.')


# --- mechanical hazards ----------------------------------------------------------------------

WEIGHTS = 'mechaniczne_waga.xml'
ASSESSMENTS = 'mechaniczne_ocena.xml'
CONSEQUENCES = 'mechaniczne_nastepstwa.xml'

# Item index + 1 is the weight of a requirement.
WEIGHT_ITEMS = ['1 - mała', '2 - średnia', '3 - duża']
# Item index / 2 is how far a requirement is met.
ASSESSMENT_ITEMS = ['Niespełnione', 'Spełnione częściowo', 'Spełnione w pełni']
# Item 0 to 2, from the mildest consequences up.
CONSEQUENCE_ITEMS = [
    'Małe - urazy i choroby niepowodujące długotrwałych dolegliwości (drobne skaleczenia, stłuczenia)',
    'Średnie - urazy i choroby powodujące niewielkie, ale długotrwałe lub nawracające dolegliwości '
    '(zwichnięcia, złamania proste, oparzenia)',
    'Duże - urazy i choroby powodujące ciężkie i stałe dolegliwości lub śmierć (amputacje, złamania '
    'złożone, urazy wielonarządowe)',
]

# The requirements rated per factor, in the order the form numbers them.
REQUIREMENTS = {
    4000: [
        'Ruchome części maszyn i urządzeń są osłonięte osłonami stałymi lub ruchomymi z blokadą',
        'Urządzenia ochronne (kurtyny świetlne, oburęczne sterowanie, wyłączniki) działają i nie są omijane',
        'Maszyny mają łatwo dostępne i sprawne wyłączniki awaryjne',
        'Maszyny spełniają wymagania minimalne lub zasadnicze i mają oznakowanie CE lub ocenę zgodności',
        'Strefy niebezpieczne są oznakowane, a przejścia wokół maszyn wolne i wystarczająco szerokie',
        'Przeglądy, konserwacja i naprawy odbywają się po odłączeniu zasilania i zabezpieczeniu przed '
        'ponownym uruchomieniem',
        'Pracownicy są przeszkoleni i mają instrukcje bezpiecznej obsługi maszyn na stanowisku',
        'Pracownicy używają odzieży przylegającej do ciała i właściwych środków ochrony indywidualnej',
    ],
    5001: [
        'Krawędzie stref pracy na wysokości mają balustrady z poręczą na wysokości co najmniej 1,1 m, '
        'poprzeczką i krawężnikiem',
        'Rusztowania, podesty i drabiny są w dobrym stanie technicznym, odebrane i używane zgodnie '
        'z przeznaczeniem',
        'Otwory w stropach i podłogach są zabezpieczone lub wygrodzone',
        'Pracownicy używają sprzętu chroniącego przed upadkiem z wysokości tam, gdzie brak ochron zbiorowych',
        'Punkty kotwiczenia sprzętu ochronnego są wyznaczone i mają wymaganą wytrzymałość',
        'Pracownicy mają aktualne badania lekarskie dopuszczające do pracy na wysokości',
        'Prace na wysokości są wykonywane przez przeszkolonych pracowników, pod nadzorem tam, gdzie jest '
        'to wymagane',
    ],
    5002: [
        'Nawierzchnie przejść i dojść są równe, nieśliskie i bez ubytków',
        'Przejścia i dojścia są wolne od przedmiotów i przewodów',
        'Rozlane substancje i zanieczyszczenia są usuwane niezwłocznie',
        'Różnice poziomów i progi są oznakowane lub zlikwidowane',
        'Oświetlenie przejść i dojść jest wystarczające',
        'Pracownicy noszą obuwie robocze o podeszwie przeciwpoślizgowej',
    ],
}


def mechanical_include(factor_id, requirements):
    """The requirement list of one factor: applies, its weight, how far it is met."""
    lines = [DECL, '<mech_frm %s>' % attrs(ver=VER, idczynn=factor_id), '  <parametr nazwa="Wymagania">']
    for i, text in enumerate(requirements, 1):
        lines += row(WIDTH,
                     checkbox('cbIstotne%d' % i, '%d. %s' % (i, text), 'False', szerkol=380),
                     combo('cWaga%d' % i, '', WEIGHTS, 110, 120, skrot='waga wymagania %d: ' % i),
                     combo('cWartosc%d' % i, '', ASSESSMENTS, 170, 180, skrot='ocena wymagania %d: ' % i))
    lines += ['  </parametr>', '</mech_frm>']
    write_lines(ATTACH + '\\mech_frm_%d.xml' % factor_id, lines)


def mechanical():
    rows = [row(340,
                edit('CzasEksp', 'Czas narażenia w ciągu zmiany roboczej [h]', 340, default='8'),
                edit('CzasPracy', 'Czas pracy w ciągu zmiany roboczej [h]', 340, default='8')),
            row(WIDTH,
                combo('cCNast', 'Możliwe następstwa zagrożenia', CONSEQUENCES, 440, WIDTH,
                      skrot='możliwe następstwa: ')),
            row(WIDTH,
                edit('WartWyl', 'Wskaźnik zagrożenia W', WIDTH, default='0', skrot='wskaźnik zagrożenia W = ',
                     readonly=True)),
            row(WIDTH,
                label('lWymagania', 'Wymagania bezpieczeństwa (zaznacz wymagania istotne na stanowisku)', 380,
                      bold=True, left=True),
                label('lWaga', 'Waga wymagania', 120, bold=True),
                label('lOcena', 'Ocena spełnienia', 180, bold=True))]
    # The requirements of the factor are read from its own part, after the rows above.
    form('mechaniczne', 1, 'mechaniczne_Pomiar_01', 'Zagrożenia mechaniczne',
               'Zagrożenia mechaniczne - ocena spełnienia wymagań bezpieczeństwa', rows,
               tail=['<plik nazwa="mech_frm"></plik>'])
    for factor_id, requirements in REQUIREMENTS.items():
        mechanical_include(factor_id, requirements)
    tree(WEIGHTS, WEIGHT_ITEMS)
    tree(ASSESSMENTS, ASSESSMENT_ITEMS)
    tree(CONSEQUENCES, CONSEQUENCE_ITEMS)


if __name__ == '__main__':
    vibrations()
    mechanical()
