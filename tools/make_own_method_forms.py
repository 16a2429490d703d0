#!/usr/bin/env python3
"""Writes the two forms of own hazard factors, "5 kroków" and Risk Score, with their choice
lists, and the four Risk Score parameter files.

"5 kroków" crosses the severity of consequences with their probability, three grades each
as the Polish standard on occupational risk assessment (PN-N-18002) gives them; the rule
reads each choice by its position, so the lists keep the order small, medium, large.

Risk Score (R = S x P x E) takes its three choice lists straight from the parameter files,
so that what the parameter editor saves is what the form offers; every row of those files
ends with its value in round brackets, which the rule reads. The tables and the five bands
are those of the Fine-Kinney method as commonly used in Poland; the user may change them in
the parameter editor. The parameter files are written exactly as the program writes them,
so that reading and saving them unchanged gives the same bytes.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_own_method_forms.py
"""
from install_files import DECL, write_lines
from make_noise_forms import ATTACH, WIDTH, attrs, form, label, row, tree

CAP = 220                 # caption column
CHOICE = WIDTH - CAP       # value column


def choice(nazwa, etyk, skrot, zal):
    """A row: a caption and a choice list, which starts with nothing chosen."""
    return row(WIDTH, label('l' + nazwa, etyk, CAP, left=True),
               '<pole %s></pole>' % attrs(nazwa=nazwa, typ='combo', druk='T', wydropis=nazwa, skrot=skrot,
                                          szer=CHOICE - 10, szerkol=CHOICE, zal=zal))


# --- "5 kroków" -----------------------------------------------------------------------------

NAST_TREE = 'met5Krok_nast.xml'
NAST_ITEMS = [
    'mała - urazy i choroby niepowodujące długotrwałych dolegliwości i absencji w pracy',
    'średnia - urazy i choroby powodujące niewielkie, ale długotrwałe lub okresowo nawracające dolegliwości '
    'i krótkie okresy absencji',
    'duża - urazy i choroby powodujące ciężkie i stałe dolegliwości lub śmierć',
]
PRAWD_TREE = 'met5Krok_prawd.xml'
PRAWD_ITEMS = [
    'mało prawdopodobne - nie powinno się zdarzyć w całym okresie aktywności zawodowej pracownika',
    'prawdopodobne - może się zdarzyć nie więcej niż kilka razy w okresie aktywności zawodowej pracownika',
    'wysoce prawdopodobne - może się zdarzyć wielokrotnie w okresie aktywności zawodowej pracownika',
]


def five_steps():
    tree(NAST_TREE, NAST_ITEMS)
    tree(PRAWD_TREE, PRAWD_ITEMS)
    rows = [choice('cCNast', 'Ciężkość następstw zagrożenia', 'ciężkość następstw: ', NAST_TREE),
            choice('cPrawd', 'Prawdopodobieństwo wystąpienia następstw', 'prawdopodobieństwo: ', PRAWD_TREE),
            row(WIDTH, label('lOcena', 'Ryzyko: małe przy sumie stopni 0 lub 1, średnie przy 2, duże przy 3 lub 4 '
                             '(mała ciężkość / mało prawdopodobne = 0, średnia / prawdopodobne = 1, '
                             'duża / wysoce prawdopodobne = 2).', WIDTH, left=True))]
    form('met5Krok', 1, 'met5Krok_Pomiar_01', '5 kroków',
         'Ocena ryzyka zawodowego metodą 5 kroków - ciężkość i prawdopodobieństwo następstw', rows)


# --- Risk Score parameter files ---------------------------------------------------------------

# Table values as the program writes them: the shortest text of the single-precision number.
PRAWD = [('Prawie niewyobrażalne', '1 : 1 000 000', '0.1'),
         ('Praktycznie niemożliwe', '1 : 100 000', '0.2'),
         ('Możliwe do pomyślenia', '1 : 10 000', '0.5'),
         ('Mało prawdopodobne', '1 : 1 000', '1'),
         ('Nietypowe, ale możliwe', '1 : 100', '3'),
         ('Całkiem możliwe', '1 : 10', '6'),
         ('Spodziewane', '1 : 1', '10')]
EKSP = [('Bardzo rzadka', 'raz w roku lub rzadziej', '0.5'),
        ('Rzadka', 'kilka razy w roku', '1'),
        ('Sporadyczna', 'raz w miesiącu', '2'),
        ('Okazjonalna', 'raz w tygodniu', '3'),
        ('Częsta', 'codziennie', '6'),
        ('Ciągła', 'stale lub wiele razy dziennie', '10')]
SKUTKI = [('Zauważalne', 'drobne urazy, pierwsza pomoc', 'nieznaczne', '1'),
          ('Ważne', 'urazy wymagające leczenia, krótka absencja', 'niewielkie', '3'),
          ('Poważne', 'ciężkie urazy, trwały uszczerbek na zdrowiu', 'znaczne', '7'),
          ('Bardzo poważne', 'wypadek śmiertelny', 'duże', '15'),
          ('Katastrofa', 'kilka wypadków śmiertelnych', 'bardzo duże', '40'),
          ('Wielka katastrofa', 'wiele wypadków śmiertelnych', 'ogromne', '100')]
# Band: description, minimum of R (as the program writes a band minimum), risk code.
BANDS = [('Ryzyko pomijalne', '0', 10),
         ('Ryzyko możliwe', '20', 10),
         ('Ryzyko istotne', '70', 20),
         ('Ryzyko wysokie', '200', 30),
         ('Ryzyko bardzo wysokie', '400', 40)]
VERSION = 1  # the editor numbers the set it saves 1

TABLES = {1: ('Prawd', [(o, u1, '', v) for o, u1, v in PRAWD]),
          2: ('Eksp', [(o, u1, '', v) for o, u1, v in EKSP]),
          3: ('Skutki', SKUTKI)}


def risk_score_file(name):
    return ATTACH + '\\' + name


def risk_score_parameters():
    lines = [DECL, '<RiskScore ver="1.0">', '  <poz nazwa="Wersja">%d</poz>' % VERSION]
    for i, (opis, minimum, code) in enumerate(BANDS, 1):
        lines += ['  <poz nazwa="Opis%d">%s</poz>' % (i, opis),
                  '  <poz nazwa="Ryzyko%d">%s</poz>' % (i, minimum),
                  '  <poz nazwa="SterRyz%d">%d</poz>' % (i, code)]
    lines.append('</RiskScore>')
    write_lines(risk_score_file('metRiskScore_1.xml'), lines)
    for typ, (name, rows) in TABLES.items():
        root = 'RiskScore_' + name
        lines = [DECL, '<%s ver="1.0">' % root]
        for nr, (opis, u1, u2, value) in enumerate(rows, 1):
            for text in (opis, u1, u2):
                assert '"' not in text and '<' not in text and '>' not in text, text
            assert len(opis) <= 32 and len(u1) <= 64 and len(u2) <= 64, opis
            lines.append('  <poz Typ="%d" NrPoz="%d" OpisPodst="%s" OpisUszcz1="%s" OpisUszcz2="%s" Wartosc="%s">'
                         ' %s (%s)</poz>' % (typ, nr, opis, u1, u2, value, opis, value))
        lines.append('</%s>' % root)
        write_lines(risk_score_file('metRiskScore_%s_1.xml' % name), lines)


# --- Risk Score form --------------------------------------------------------------------------

def risk_score():
    risk_score_parameters()
    rows = [choice('cSkutki', 'Skutki [S]', 'skutki S: ', 'metRiskScore_Skutki_1.xml'),
            choice('cPrawd', 'Prawdopodobieństwo [P]', 'prawdopodobieństwo P: ', 'metRiskScore_Prawd_1.xml'),
            choice('cEksp', 'Ekspozycja [E]', 'ekspozycja E: ', 'metRiskScore_Eksp_1.xml'),
            # The rule writes the band and R here as text: read-only, no number check.
            row(WIDTH, label('lWskRyzyka', 'Wskaźnik ryzyka R = S x P x E', CAP, left=True),
                '<pole %s></pole>' % attrs(nazwa='WskRyzyka', typ='edit', druk='T', wydropis='WskRyzyka',
                                           skrot='wskaźnik ryzyka R = S x P x E: ', rozm=100, szer=CHOICE - 10,
                                           szerkol=CHOICE, readonly='T', sprpopr='F')),
            # Shown by the window when a stored choice is no longer in the parameter tables.
            row(WIDTH, '<pole %s></pole>' % attrs(nazwa='lInfo', typ='label', druk='F', szer=WIDTH - 10,
                                                  szerkol=WIDTH, pozycja='left', style='bold', visible='F',
                                                  etyk='Parametry metody Risk Score zmieniono po tej ocenie: '
                                                       'wybranych pozycji nie ma już w tabelach, więc ocenę '
                                                       'można tylko przeglądać.'))]
    form('metRiskScore', 1, 'metRiskScore_Pomiar_01', 'Risk Score',
         'Ocena ryzyka zawodowego metodą Risk Score - skutki, prawdopodobieństwo i ekspozycja', rows)


if __name__ == '__main__':
    five_steps()
    risk_score()
