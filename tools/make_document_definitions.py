#!/usr/bin/env python3
"""Writes the statutory document definitions, their initial list files, the choice trees they
name, the two row glyphs of the document window and the table of document field names
(docs/document_fields.md), all from the one description below.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_document_definitions.py
"""
import os
import struct

from install_files import DECL, install_path as out_path, write_lines
import skw_codes

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')

VER = '1.0'                     # the configuration's ver
FORMS = 'dokumenty\\frm\\'      # katfrm of the document components (config\\Tarvelin.xml)
ATTACH = 'dokumenty\\zalaczn'    # katzal of the document components
DATA = 'dokumenty\\'           # katalog of the document components


# --- field makers ---------------------------------------------------------------------------
# Each field: dict(nazwa, typ, etyk, szer, rozm, wys, ile, zal, druk, ppow, tekst, poz)

def F(nazwa, typ, etyk, szer=300, rozm=100, wys=0, ile=1, zal='', druk='', ppow='', tekst='', poz=None, note=''):
    return dict(nazwa=nazwa, typ=typ, etyk=etyk, szer=szer, rozm=rozm, wys=wys, ile=ile, zal=zal, druk=druk,
                ppow=ppow, tekst=tekst, poz=poz or [], note=note)


def E(nazwa, etyk, szer=300, rozm=100, note=''):
    return F(nazwa, 'edit', etyk, szer=szer, rozm=rozm, note=note)


def D(nazwa, etyk, note=''):  # a date typed as yyyy-MM-dd
    return F(nazwa, 'edit', etyk, szer=100, rozm=10, note=note or 'data rrrr-mm-dd')


def M(nazwa, etyk, wys=60, rozm=2000, szer=500, note=''):
    return F(nazwa, 'memo', etyk, szer=szer, rozm=rozm, wys=wys, note=note)


def C(nazwa, etyk, zal, druk='', ppow='', szer=300, tekst='', note=''):
    return F(nazwa, 'combo', etyk, szer=szer, rozm=0, zal=zal, druk=druk, ppow=ppow, tekst=tekst, note=note)


def T(nazwa, etyk, zal, ile=1, szer=300, note=''):  # "form": rows chosen from a tree
    return F(nazwa, 'form', etyk, szer=szer, rozm=0, ile=ile, zal=zal, note=note)


def L(nazwa, etyk):
    return F(nazwa, 'label', etyk, szer=0, rozm=0, ile=0)


# --- choice trees -----------------------------------------------------------------------------
# A tree is a list of leaves (strings) and groups (caption, [children]).

TREES = {
    'plec.xml': ['kobieta', 'mężczyzna'],
    'osoba.xml': ['zatrudniona', 'podejmująca pracę'],
    'rodzajdanych.xml': ['nr PESEL', 'dokument tożsamości', 'data urodzenia'],
    'rodzbad.xml': ['wstępne', 'okresowe', 'kontrolne'],
    'tytskier.xml': ['SKIEROWANIE NA BADANIE LEKARSKIE', 'SKIEROWANIE NA BADANIA PROFILAKTYCZNE'],
    'wojewodztwa.xml': ['dolnośląskie', 'kujawsko-pomorskie', 'lubelskie', 'lubuskie', 'łódzkie', 'małopolskie',
                        'mazowieckie', 'opolskie', 'podkarpackie', 'podlaskie', 'pomorskie', 'śląskie',
                        'świętokrzyskie', 'warmińsko-mazurskie', 'wielkopolskie', 'zachodniopomorskie'],
    'rodzwyp.xml': ['[1] indywidualny', '[2] zbiorowy'],
    'ciezkwyp.xml': ['[1] śmiertelny', '[2] ciężki', '[3] inny niż śmiertelny lub ciężki'],
    # Trees of choice lists stay flat: a choice list offers group captions as choices too.
    'protpow_typwyp.xml': [
        '[1.1] wypadek jest wypadkiem przy pracy (art. 3 ust. 1 ustawy)',
        '[1.2] wypadek jest zrównany z wypadkiem przy pracy (art. 3 ust. 2 ustawy)',
        '[2] wypadek nie jest wypadkiem przy pracy'],
    'osobzapozn.xml': ['[1] poszkodowanego', '[2] członków rodziny zmarłego poszkodowanego'],
    'sposprzek.xml': ['[1] osobiście', '[2] listem poleconym'],
    'uwagi.xml': ['[1] nie zgłoszono uwag ani zastrzeżeń', '[2] zgłoszono uwagi i zastrzeżenia (w załączeniu)'],
    'kartwyp_typwyp.xml': ['[1] zdarzenie jest wypadkiem w rozumieniu ustawy',
                           '[2] zdarzenie nie jest wypadkiem w rozumieniu ustawy'],
    'tytulubezp.xml': ['[1] zatrudnienie na podstawie umowy o pracę', '[2] inny tytuł ubezpieczenia wypadkowego'],
    'rodzdok.xml': ['dowód osobisty', 'paszport', 'inny dokument tożsamości'],
    'takni.xml': ['[1] tak', '[2] nie'],
    'ciezkosc.xml': ['[1] niezdolność do pracy', '[2] śmierć poszkodowanego'],
    'miejscewyp.xml': ['[1.1] w drodze do pracy, najkrótszą drogą',
                       '[1.2] w drodze do pracy, drogą nie najkrótszą, lecz uzasadnioną',
                       '[2.1] w drodze z pracy, najkrótszą drogą',
                       '[2.2] w drodze z pracy, drogą nie najkrótszą, lecz uzasadnioną'],
    'rodzajwyp.xml': ['[1] wypadek jest wypadkiem w drodze do pracy lub z pracy',
                      '[2] wypadek nie jest wypadkiem w drodze do pracy lub z pracy'],
    'zawody.xml': [
        '[0] Siły zbrojne',
        '[1] Przedstawiciele władz publicznych, wyżsi urzędnicy i kierownicy',
        '[2] Specjaliści',
        '[3] Technicy i inny średni personel',
        '[4] Pracownicy biurowi',
        '[5] Pracownicy usług i sprzedawcy',
        '[6] Rolnicy, ogrodnicy, leśnicy i rybacy',
        '[7] Robotnicy przemysłowi i rzemieślnicy',
        '[8] Operatorzy i monterzy maszyn i urządzeń',
        '[9] Pracownicy wykonujący prace proste'],
    'skw_nrkart.xml': ['[1] karta pierwotna', '[2] karta korygująca'],
    'skw_plec.xml': ['[1] mężczyzna', '[2] kobieta'],
    # The statistical office's codes for these three are not known here: the choices carry
    # no code, so the card's code box stays empty for the user to fill in rather than
    # printing a made-up code on a statutory form.
    'skw_liczprac.xml': ['do 9 osób', 'od 10 do 49 osób', 'od 50 do 249 osób', '250 osób i więcej'],
    'skw_obywatelstwo.xml': ['polskie', 'innego państwa'],
    'skw_statzatr.xml': ['pracownik zatrudniony na podstawie umowy o pracę',
                         'pracownik zatrudniony na innej podstawie niż umowa o pracę',
                         'inny status zatrudnienia'],
    'skw_typwyp.xml': ['[1_1] w zwykłym miejscu pracy', '[1_2] w innym miejscu na terenie zakładu',
                       '[1_3] w czasie podróży służbowej', '[1_4] w innym miejscu poza zakładem',
                       '[2_1] w ruchu drogowym, jako kierujący pojazdem', '[2_2] w ruchu drogowym, jako pasażer',
                       '[2_3] w ruchu drogowym, jako pieszy', '[2_4] w ruchu drogowym, w innej sytuacji'],
    'skw_rzeczskutki.xml': ['[1] powrót do pracy', '[2] trwała niezdolność do pracy', '[3] zgon poszkodowanego'],
    'nazwaszkol.xml': [
        'szkolenie okresowe w dziedzinie bezpieczeństwa i higieny pracy dla pracodawców i innych osób kierujących pracownikami',
        'szkolenie okresowe w dziedzinie bezpieczeństwa i higieny pracy dla pracowników służby bhp',
        'szkolenie okresowe w dziedzinie bezpieczeństwa i higieny pracy dla pracowników inżynieryjno-technicznych',
        'szkolenie okresowe w dziedzinie bezpieczeństwa i higieny pracy dla pracowników administracyjno-biurowych',
        'szkolenie okresowe w dziedzinie bezpieczeństwa i higieny pracy dla pracowników zatrudnionych na stanowiskach robotniczych',
        'szkolenie wstępne w dziedzinie bezpieczeństwa i higieny pracy'],
    'forma.xml': ['kurs', 'seminarium', 'samokształcenie kierowane', 'instruktaż'],
}
# The statistical card's classifications, with their full code lists.
TREES.update(skw_codes.TREES)

# --- definitions --------------------------------------------------------------------------------


def protpow_pages(version):
    # Version 1 follows the protocol model of 2004, version 2 the model of 2019, which has no
    # employer's REGON and no NIP, place of birth or father's name of the injured person. Memo
    # limits are what the printed boxes hold in 9 pt.
    employer = [
        E('NazwaFirmy', 'Imię i nazwisko lub nazwa pracodawcy', szer=450, rozm=150),
        M('AdresFirmy', 'Adres siedziby pracodawcy', wys=40, rozm=200),
        E('NipFirma', 'NIP', szer=120, rozm=13),
    ]
    if version == 1:
        employer.append(E('Regon', 'REGON', szer=120, rozm=14))
        employer.append(E('PkdFirma', 'Kod EKD/PKD pracodawcy', szer=100, rozm=10))
    employer.append(E('PeselFirma', 'PESEL (pracodawca będący osobą fizyczną)', szer=120, rozm=11))
    injured = [
        E('ImieNazwisko', 'Imię i nazwisko poszkodowanego', rozm=80),
        E('PeselPrac', 'PESEL', szer=120, rozm=11),
    ]
    if version == 1:
        injured.append(E('NipPrac', 'NIP poszkodowanego', szer=120, rozm=13))
    injured += [
        E('DokTozsPrac', 'Rodzaj, seria i numer dokumentu potwierdzającego tożsamość (gdy brak numeru PESEL)',
          szer=400, rozm=60),
        D('DataUrodz', 'Data urodzenia'),
    ]
    if version == 1:
        injured.append(E('MiejscUrodz', 'Miejsce urodzenia', szer=250, rozm=50))
        injured.append(E('ImOjca', 'Imię ojca', szer=200, rozm=30))
    injured += [
        E('Ulica', 'Adres zamieszkania: ulica', szer=300, rozm=45),
        E('NrDom', 'Numer domu', szer=60, rozm=6),
        E('NrLok', 'Numer lokalu', szer=60, rozm=6),
        E('KodPoczt', 'Kod pocztowy', szer=80, rozm=6),
        E('Miejscow', 'Miejscowość', szer=250, rozm=60),
        E('NazwaStanow', 'Zajmowane stanowisko pracy', szer=400, rozm=150),
        T('KodZawod', 'Zawód (kod i nazwa)', 'zawody.xml'),
    ]
    p4 = [
        C('OsobZapozn', 'Z treścią protokołu zapoznano', 'osobzapozn.xml', druk='zaznacz'),
        D('DataZapozn', 'Data zapoznania z treścią protokołu'),
    ]
    if version == 2:
        p4.append(C('Uwagi', 'Uwagi i zastrzeżenia do ustaleń protokołu', 'uwagi.xml', druk='zaznacz'))
    p4 += [
        D('DataProt', 'Data sporządzenia protokołu'),
        M('Przeszkody', 'Przeszkody i trudności, które uniemożliwiły sporządzenie protokołu w wymaganym terminie 14 dni',
          rozm=PROTPOW_MEMO['Przeszkody']),
        M('Zalaczniki', 'Wykaz załączników do protokołu', rozm=PROTPOW_MEMO['Zalaczniki']),
        D('DataOdb', 'Data odbioru protokołu przez pracodawcę'),
        D('DataZatw', 'Data zatwierdzenia protokołu przez pracodawcę'),
        C('SposPrzek', 'Protokół doręczono', 'sposprzek.xml', druk='zaznacz'),
        D('DataDorecz', 'Data doręczenia zatwierdzonego protokołu poszkodowanemu (członkom rodziny)'),
    ]
    return [
        ('Pracodawca i poszkodowany', [
            E('RokProt', 'Rok sporządzenia protokołu', szer=60, rozm=4),
            E('NrSymbProt', 'Numer protokołu', szer=150, rozm=15),
            L('NaglZespol', 'Zespół powypadkowy'),
            E('ImNazZesp1', 'Imię i nazwisko członka zespołu (1)', rozm=50),
            E('FunkcjaZesp1', 'Funkcja członka zespołu (1), np. pracownik służby bhp', rozm=50),
            E('ImNazZesp2', 'Imię i nazwisko członka zespołu (2)', rozm=50),
            E('FunkcjaZesp2', 'Funkcja członka zespołu (2), np. społeczny inspektor pracy', rozm=50),
            D('DataUstalOd', 'Zespół dokonał ustaleń w dniach: od'),
            D('DataUstalDo', 'Zespół dokonał ustaleń w dniach: do'),
            L('NaglPracodawca', 'Dane identyfikacyjne pracodawcy'),
        ] + employer + [
            L('NaglPoszkodowany', 'Dane identyfikacyjne poszkodowanego'),
        ] + injured + [
            L('NaglWypadek', 'Informacje o wypadku'),
            D('DataWyp', 'Data wypadku'),
            E('GodzWyp', 'Godzina wypadku', szer=60, rozm=5),
            D('DataZglosz', 'Data zgłoszenia wypadku'),
            E('OsZglosz', 'Imię i nazwisko osoby zgłaszającej wypadek', rozm=40),
            M('Okolicznosci', 'Okoliczności, przyczyny, czas i miejsce wypadku, rodzaj i umiejscowienie urazu', wys=120,
              rozm=PROTPOW_MEMO['Okolicznosci']),
        ]),
        ('Przyczyny i skutki', [
            M('Przyczyny', 'Przyczyny wypadku', wys=100, rozm=PROTPOW_MEMO['Przyczyny']),
            M('DowUchyb', 'Dowody, że wyłączną przyczyną wypadku było udowodnione naruszenie przez poszkodowanego '
                          'przepisów dotyczących ochrony życia i zdrowia, spowodowane przez niego umyślnie lub '
                          'wskutek rażącego niedbalstwa', rozm=PROTPOW_MEMO['DowUchyb']),
            M('DowSubst', 'Dowody, że poszkodowany, będąc w stanie nietrzeźwości lub pod wpływem środków odurzających '
                          'lub substancji psychotropowych, przyczynił się w znacznym stopniu do spowodowania wypadku',
              rozm=PROTPOW_MEMO['DowSubst']),
            M('Uchybienia', 'Stwierdzone naruszenia przepisów i zasad bezpieczeństwa i higieny pracy',
              rozm=PROTPOW_MEMO['Uchybienia']),
            M('RodzUraz', 'Rodzaj urazu i jego opis', rozm=PROTPOW_MEMO['RodzUraz']),
        ]),
        ('Kwalifikacja wypadku', [
            C('TypWyp', 'Wypadek jest / nie jest wypadkiem przy pracy', 'protpow_typwyp.xml', druk='zaznacz', szer=450),
            M('Uzasadn', 'Uzasadnienie i wskazanie dowodów, jeżeli zdarzenia nie uznano za wypadek przy pracy',
              rozm=PROTPOW_MEMO['Uzasadn']),
            C('RodzWyp', 'Wypadek indywidualny lub zbiorowy', 'rodzwyp.xml', druk='zaznacz'),
            C('CiezkWyp', 'Skutki wypadku', 'ciezkwyp.xml', druk='zaznacz'),
            M('Profilaktyka', 'Wnioski i środki profilaktyczne', wys=100, rozm=PROTPOW_MEMO['Profilaktyka']),
        ]),
        ('Zakończenie', p4),
    ]


# What the printed boxes of the accident documents hold (9 pt, about 120 characters a line).
PROTPOW_MEMO = dict(Okolicznosci=1800, Przyczyny=2100, DowUchyb=1150, DowSubst=1150, Uchybienia=1400, RodzUraz=1150,
                    Uzasadn=2500, Profilaktyka=3500, Przeszkody=1400, Zalaczniki=1400)
KARTWYP_MEMO = dict(AdresPodmiotSporz=200, AdresPlatn=200, AdresZam=200, Okolicznosci=4000, Uzasadn=2000,
                    Naruszenia=2000, Nietrzezwosc=2000, Przeszkody=1800, Zalaczniki=2000)
PROTPRZES_MEMO = dict(AdresZam=200, TrescZezn=4000)
POLPOSTPOW_MEMO = dict(TrescPost=2400, Przycz=1200, Uwagi=600, DokOtrz=300)
KARTREJWYP_MEMO = dict(OkolWyp=1400, PrzyczWyp=1000, SkutkiWyp=650, Profilaktyka=800)


def kartwyp_pages():
    m = KARTWYP_MEMO
    return [
        ('Dane identyfikacyjne', [
            E('NazwaPodmiotSporz', 'Nazwa podmiotu sporządzającego kartę wypadku', szer=450, rozm=150),
            M('AdresPodmiotSporz', 'Adres siedziby podmiotu sporządzającego kartę wypadku', wys=40,
              rozm=m['AdresPodmiotSporz']),
            E('NrSymbKartWyp', 'Numer karty wypadku', szer=150, rozm=20),
            L('NaglPlatnik', 'Dane identyfikacyjne płatnika składek'),
            E('NazwaPlatn', 'Imię i nazwisko lub nazwa płatnika składek', szer=450, rozm=150),
            M('AdresPlatn', 'Adres siedziby płatnika składek', wys=40, rozm=m['AdresPlatn']),
            E('NipPlatn', 'NIP płatnika składek', szer=120, rozm=13),
            E('RegonPlatn', 'REGON płatnika składek', szer=120, rozm=14),
            E('PeselPlatn', 'PESEL płatnika składek', szer=120, rozm=11),
            E('DokPlatn', 'Dokument tożsamości płatnika składek (rodzaj, seria i numer)', szer=400, rozm=60),
            L('NaglPoszkodowany', 'Dane identyfikacyjne poszkodowanego'),
            E('ImieNazwisko', 'Imię i nazwisko poszkodowanego', rozm=80),
            E('PeselPoszk', 'PESEL poszkodowanego', szer=120, rozm=11),
            E('DokPoszk', 'Dokument tożsamości poszkodowanego (rodzaj, seria i numer)', szer=400, rozm=60),
            E('DatMiejsUrodz', 'Data i miejsce urodzenia poszkodowanego', rozm=80),
            M('AdresZam', 'Adres zamieszkania poszkodowanego', wys=40, rozm=m['AdresZam']),
            E('TytUbezp', 'Tytuł ubezpieczenia wypadkowego (numer pozycji i pełny tytuł)', szer=450, rozm=200),
        ]),
        ('Informacje o wypadku', [
            D('DataZglosz', 'Data zgłoszenia wypadku'),
            E('OsZglosz', 'Imię i nazwisko osoby zgłaszającej wypadek', rozm=60),
            D('DataWyp', 'Data wypadku'),
            M('Okolicznosci', 'Okoliczności, przyczyny, czas i miejsce wypadku, rodzaj i umiejscowienie urazu',
              wys=120, rozm=m['Okolicznosci']),
            E('ImNazSw1', 'Świadek wypadku 1: imię i nazwisko', rozm=60),
            E('AdresSw1', 'Świadek wypadku 1: adres zamieszkania', szer=450, rozm=100),
            E('ImNazSw2', 'Świadek wypadku 2: imię i nazwisko', rozm=60),
            E('AdresSw2', 'Świadek wypadku 2: adres zamieszkania', szer=450, rozm=100),
            E('ImNazSw3', 'Świadek wypadku 3: imię i nazwisko', rozm=60),
            E('AdresSw3', 'Świadek wypadku 3: adres zamieszkania', szer=450, rozm=100),
        ]),
        ('Kwalifikacja', [
            C('TypWyp', 'Zdarzenie jest / nie jest wypadkiem', 'kartwyp_typwyp.xml', druk='zaznacz', szer=450),
            E('PktUstawy', 'Wypadek określony w art. 3 ust. 3 pkt ... ustawy (numer punktu) albo w art. 3a', szer=80,
              rozm=8),
            M('Uzasadn', 'Uzasadnienie, jeżeli zdarzenia nie uznano za wypadek', wys=80, rozm=m['Uzasadn']),
            M('Naruszenia', 'Naruszenie przepisów przez poszkodowanego jako wyłączna przyczyna wypadku: ustalenia i '
                            'dowody', wys=60, rozm=m['Naruszenia']),
            M('Nietrzezwosc', 'Stan nietrzeźwości poszkodowanego lub działanie środków odurzających lub substancji '
                              'psychotropowych: ustalenia i dowody (w tym odmowa poddania się badaniu)', wys=60,
              rozm=m['Nietrzezwosc']),
        ]),
        ('Zakończenie', [
            D('DataZapozn', 'Data zapoznania poszkodowanego (członka rodziny) z treścią karty'),
            D('DataKarty', 'Data sporządzenia karty wypadku'),
            E('FirmaSporz', 'Nazwa podmiotu zobowiązanego do sporządzenia karty', szer=450, rozm=150),
            E('ImNazwSporz', 'Imię i nazwisko sporządzającego kartę wypadku', rozm=60),
            M('Przeszkody', 'Przeszkody i trudności, które uniemożliwiły sporządzenie karty w wymaganym terminie 14 dni',
              wys=40, rozm=m['Przeszkody']),
            D('DataOdb', 'Data odbioru karty wypadku przez poszkodowanego'),
            M('Zalaczniki', 'Załączniki', wys=40, rozm=m['Zalaczniki']),
        ]),
    ]


def protprzes_pages():
    m = PROTPRZES_MEMO
    return [
        ('Protokół przesłuchania', [
            D('DataPrzes', 'Data przesłuchania', note='data rrrr-mm-dd; pData listy'),
            E('OsProtDane', 'Przesłuchujący (imiona, nazwiska i funkcje członków zespołu)', szer=450, rozm=200),
            D('DataWyp', 'Data wypadku'),
            E('Poszk', 'Imię i nazwisko poszkodowanego', rozm=80),
            D('DataUr', 'Data urodzenia'),
            E('MiejscUr', 'Miejsce urodzenia', szer=250, rozm=50),
            M('AdresZam', 'Adres zamieszkania', wys=40, rozm=m['AdresZam']),
            E('MiejscZatr', 'Miejsce zatrudnienia', szer=450, rozm=150),
            E('Stanow', 'Stanowisko pracy', szer=400, rozm=100),
            E('KodZawod', 'Zawód (kod i nazwa)', szer=400, rozm=100),
            E('StazPracy', 'Staż pracy', szer=150, rozm=40),
            M('TrescZezn', 'Treść zeznania poszkodowanego', wys=200, rozm=m['TrescZezn']),
        ]),
    ]


def polpostpow_pages():
    m = POLPOSTPOW_MEMO
    return [
        ('Polecenie', [
            E('DrTytul', 'Tytuł dokumentu', szer=450, rozm=60),
            E('DrSprawa', 'Dotyczy (sprawa)', szer=450, rozm=200),
            M('TrescPost', 'Treść polecenia', wys=120, rozm=m['TrescPost']),
            M('Przycz', 'Przyczyny (uzasadnienie)', wys=80, rozm=m['Przycz']),
            E('OdpowOsob', 'Osoba odpowiedzialna za wykonanie', szer=400, rozm=100),
            E('TermWyk', 'Termin wykonania', szer=150, rozm=40),
            M('Uwagi', 'Uwagi', wys=60, rozm=m['Uwagi']),
            E('DrMiejscData', 'Miejscowość i data', szer=300, rozm=40),
            E('OsobPodp', 'Osoba podpisująca (imię, nazwisko, funkcja)', szer=400, rozm=100),
            M('DokOtrz', 'Otrzymują', wys=60, rozm=m['DokOtrz']),
        ]),
    ]


def kartrejwyp_pages():
    m = KARTREJWYP_MEMO
    return [
        ('Karta rejestru', [
            E('NrProt', 'Numer protokołu ustalenia okoliczności i przyczyn wypadku', szer=150, rozm=20),
            D('DataProt', 'Data sporządzenia protokołu powypadkowego'),
            E('Poszk', 'Imię i nazwisko poszkodowanego', rozm=80),
            D('DataUr', 'Data urodzenia'),
            E('ImOjca', 'Imię ojca', szer=200, rozm=30),
            E('MiejscZatr', 'Miejsce zatrudnienia (komórka organizacyjna)', szer=450, rozm=90),
            E('Stanow', 'Stanowisko pracy', szer=400, rozm=90),
            D('DataWyp', 'Data wypadku'),
            E('GodzWyp', 'Godzina wypadku', szer=60, rozm=5),
            E('MiejsceWyp', 'Miejsce wypadku', szer=450, rozm=100),
            C('RodzWyp', 'Wypadek indywidualny lub zbiorowy', 'rodzwyp.xml', druk='zaznacz'),
            C('CiezkWyp', 'Skutki wypadku', 'ciezkwyp.xml', druk='zaznacz'),
            C('TypWyp', 'Wypadek jest / nie jest wypadkiem przy pracy', 'protpow_typwyp.xml', druk='zaznacz', szer=450),
            M('OkolWyp', 'Okoliczności wypadku', wys=80, rozm=m['OkolWyp']),
            M('PrzyczWyp', 'Przyczyny wypadku', wys=80, rozm=m['PrzyczWyp']),
            M('SkutkiWyp', 'Skutki wypadku dla poszkodowanego (rodzaj urazu)', wys=60, rozm=m['SkutkiWyp']),
            E('LiczDniNiezd', 'Liczba dni niezdolności do pracy', szer=60, rozm=4),
            D('DataZUS', 'Data przekazania do ZUS wniosku o świadczenia z tytułu wypadku przy pracy'),
            M('Profilaktyka', 'Wnioski i zalecenia profilaktyczne zespołu powypadkowego', wys=80,
              rozm=m['Profilaktyka']),
        ]),
    ]


def skw_pages(version):
    # The three card models share their items; the latest adds the e-mail of the person who
    # fills the card in. The printed pages tell the models apart.
    p1 = [
        E('Regon', 'Numer identyfikacyjny REGON', szer=150, rozm=14),
        M('NazwaAdresPracod', 'Pracodawca (nazwa i adres, jak na pieczątce)', wys=40, rozm=200),
        C('KwalifWyp', 'Statystyczna karta wypadku', 'skw_kwalifwyp.xml', druk='zaznacz', szer=400),
        C('NrKart', 'Rodzaj karty', 'skw_nrkart.xml', druk='zaznacz'),
        E('NrKolKarty', 'Kolejny numer statystycznej karty wypadku w zakładzie pracy od początku roku', szer=80,
          rozm=5),
        E('IdentPoszk', 'Poszkodowany (do wykazu kart, nie drukuje się)',
          note='nie drukowane (karta jest anonimowa); pRodzInf listy'),
        T('KodLiczPrac', 'Liczba pracujących (bez przeliczenia na pełny etat)', 'skw_liczprac.xml'),
        C('Plec', 'Płeć poszkodowanego', 'skw_plec.xml', druk='zaznacz'),
        E('RokUrodz', 'Rok urodzenia poszkodowanego', szer=60, rozm=4, note='cyfry w kratkach'),
        T('Obywatelstwo', 'Obywatelstwo poszkodowanego', 'skw_obywatelstwo.xml'),
        T('StatZatr', 'Status zatrudnienia poszkodowanego', 'skw_statzatr.xml'),
        T('Zawod', 'Zawód wykonywany przez poszkodowanego (kod i nazwa)', 'zawody.xml'),
        E('StazStanow', 'Staż na zajmowanym stanowisku pracy w zakładzie pracy (w latach)', szer=60, rozm=2),
        E('GodzPrzepr', 'Godziny przepracowane od podjęcia pracy do chwili wypadku', szer=60, rozm=2),
        T('RodzUraz', 'Rodzaj urazu', 'skw_rodzuraz.xml'),
        T('UmiejscUraz', 'Umiejscowienie urazu', 'skw_umiejscuraz.xml'),
        E('LiczPoszk', 'Liczba osób poszkodowanych w wypadku', szer=60, rozm=3),
        C('SkutkiWyp', 'Skutki wypadku', 'skw_skutki.xml', druk='zaznacz'),
        E('LiczDniNiezd', 'Liczba dni niezdolności do pracy', szer=60, rozm=3, note='cyfry w kratkach'),
        E('StratyCzasu', 'Straty czasu pracy innych osób (w roboczogodzinach)', szer=80, rozm=6),
        E('StratyMater', 'Szacunkowe straty materialne (w tys. zł, z jednym miejscem po przecinku)', szer=80,
          rozm=8),
        C('TypWyp', 'Rodzaj wypadku', 'skw_typwyp.xml', druk='zaznacz', szer=400),
    ]
    p2 = [
        E('PolozGeogr', 'Położenie geograficzne miejsca wypadku (miejscowość, gmina)', szer=300, rozm=80),
        E('RokWyp', 'Rok wypadku', szer=60, rozm=4, note='cyfry w kratkach'),
        E('MiesWyp', 'Miesiąc wypadku', szer=40, rozm=2, note='cyfry w kratkach'),
        E('DzienWyp', 'Dzień wypadku', szer=40, rozm=2, note='cyfry w kratkach'),
        E('GodzWyp', 'Godzina wypadku', szer=40, rozm=2, note='cyfry w kratkach'),
        T('RodzMiejscWyp', 'Rodzaj miejsca wypadku', 'skw_rodzmiejsc.xml'),
        T('MiejscWyp', 'Miejsce wypadku', 'skw_miejscwyp.xml'),
        T('ProcesPrac', 'Proces pracy', 'skw_procesprac.xml'),
        T('CzynWykPoszk', 'Czynność wykonywana przez poszkodowanego', 'skw_czynwyk.xml'),
        T('CzynMaterCzyn', 'Czynnik materialny związany z czynnością wykonywaną przez poszkodowanego',
          'skw_czynmater.xml'),
        T('WydOdchyl', 'Wydarzenie będące odchyleniem od stanu normalnego', 'skw_odchyl.xml'),
        T('CzynMaterOdchyl', 'Czynnik materialny związany z odchyleniem', 'skw_czynmater.xml'),
        T('WydUraz', 'Wydarzenie powodujące uraz (sposób urazu)', 'skw_kontakt.xml'),
        T('CzynMaterUraz', 'Czynnik materialny będący źródłem urazu', 'skw_czynmater.xml'),
        E('PrzyczWyp', 'Przyczyny wypadku (kody i opis)', szer=450, rozm=150),
        E('ImNazwWypel', 'Imię i nazwisko osoby wypełniającej kartę', rozm=60),
        E('TelWypel', 'Telefon osoby wypełniającej kartę', szer=150, rozm=30),
    ]
    if version >= 3:
        p2.append(E('EmailWypel', 'Adres e-mail osoby wypełniającej kartę', szer=250, rozm=60))
    p2 += [
        D('DataWypel', 'Data wypełnienia części I karty'),
        C('RzeczSkutkiWyp', 'Rzeczywiste skutki wypadku (część II)', 'skw_rzeczskutki.xml', druk='zaznacz'),
        E('DniNiezdOstat', 'Ostateczna liczba dni niezdolności do pracy (część II)', szer=60, rozm=3,
          note='cyfry w kratkach'),
        D('DataCzII', 'Data wypełnienia części II karty'),
    ]
    return [('Część I: poszkodowany i skutki', p1), ('Okoliczności; część II', p2)]


def kartwypdroga_pages():
    return [
        ('Pracodawca i poszkodowany', [
            E('NrSymbProt', 'Numer karty wypadku', szer=150, rozm=30),
            L('NaglPracodawca', 'Dane identyfikacyjne pracodawcy (podmiotu sporządzającego kartę)'),
            E('NazwaFirmy', 'Nazwa pracodawcy (imię i nazwisko)', szer=450, rozm=150),
            M('AdresFirmy', 'Adres siedziby pracodawcy', wys=40, rozm=200),
            E('NipFirma', 'NIP', szer=120, rozm=13),
            E('Regon', 'REGON', szer=120, rozm=14),
            L('NaglPoszkodowany', 'Dane identyfikacyjne poszkodowanego'),
            E('ImieNazwisko', 'Imię i nazwisko poszkodowanego'),
            E('PeselPoszk', 'PESEL', szer=120, rozm=11),
            C('RodzDokPoszk', 'Rodzaj dokumentu tożsamości', 'rodzdok.xml', szer=200),
            E('SeriaDokPoszk', 'Seria i numer dokumentu tożsamości', szer=150, rozm=30),
            E('DatMiejsUrodz', 'Data i miejsce urodzenia'),
            M('AdresZam', 'Adres zamieszkania', wys=40, rozm=200),
            C('TytulUbezpPoszk', 'Tytuł ubezpieczenia', 'tytulubezp.xml', druk='zaznacz', szer=400),
        ]),
        ('Informacje o wypadku', [
            D('DataWyp', 'Data wypadku'),
            E('GodzWyp', 'Godzina wypadku', szer=60, rozm=5),
            E('MiejsceZdarz', 'Miejsce wypadku', szer=450, rozm=150),
            D('DataZglosz', 'Data zgłoszenia wypadku'),
            E('OsobaZglosz', 'Wypadek zgłosił (imię i nazwisko)', szer=450, rozm=150),
            C('MiejsceWyp', 'Wypadek nastąpił', 'miejscewyp.xml', druk='zaznacz', szer=450),
            M('PoczKoniecDrogi', 'Miejsce rozpoczęcia i zakończenia drogi, trasa', wys=40, rozm=300),
            C('WypRZ', 'Wypadek nastąpił w czasie przerwy w drodze lub na trasie zmienionej z uzasadnionych powodów',
              'takni.xml', druk='zaznacz', szer=100),
            M('OpisPrzerwy', 'Przyczyna i czas trwania przerwy w drodze lub powód zmiany trasy', wys=40, rozm=300),
            E('SrodekTransp', 'Środek transportu', szer=300, rozm=100),
            M('Okolicznosci', 'Okoliczności i przyczyny wypadku', wys=120, rozm=2000),
            C('CiezkoscWyp', 'Skutki wypadku', 'ciezkosc.xml', druk='zaznacz', szer=250),
            D('DataNiezdOd', 'Niezdolność do pracy od dnia'),
            D('DataNiezdDo', 'Niezdolność do pracy do dnia'),
            E('Swiadek1', 'Świadek wypadku 1 (imię, nazwisko, adres)', szer=450, rozm=200),
            E('Swiadek2', 'Świadek wypadku 2 (imię, nazwisko, adres)', szer=450, rozm=200),
            E('Swiadek3', 'Świadek wypadku 3 (imię, nazwisko, adres)', szer=450, rozm=200),
            C('Dochodzenie', 'Czy w sprawie wypadku prowadzone jest postępowanie', 'takni.xml', druk='zaznacz',
              szer=100),
            M('OpisDochodzenie', 'Organ prowadzący postępowanie, sygnatura sprawy', wys=40, rozm=500),
        ]),
        ('Ustalenia', [
            C('RodzajWyp', 'Ustalenie', 'rodzajwyp.xml', druk='odznacz', ppow='Uzasadnienie', szer=450),
            M('Uzasadnienie', 'Uzasadnienie', wys=80, rozm=4000),
            M('Przeszkody', 'Przeszkody i trudności uniemożliwiające sporządzenie karty w terminie 14 dni', wys=40,
              rozm=500),
            D('DataZapozn', 'Data zapoznania poszkodowanego z treścią karty'),
            D('DataSporz', 'Data sporządzenia karty'),
            E('MiejscowSporz', 'Miejscowość sporządzenia karty', szer=250, rozm=80),
            E('ImieNazwiskoSporz', 'Imię i nazwisko sporządzającego kartę'),
            D('DataOdbioru', 'Data odbioru karty przez poszkodowanego'),
            M('Zalaczniki', 'Załączniki', wys=40, rozm=500),
        ]),
    ]


def skierbad_pages(version):
    if version == 1:
        return [('Skierowanie', [
            M('JednMed', 'Jednostka służby medycyny pracy (nazwa i adres)', wys=40, rozm=300),
            C('TytSkier', 'Tytuł skierowania', 'tytskier.xml', szer=400),
            C('RodzBad', 'Rodzaj badania', 'rodzbad.xml', szer=150),
            C('Plec', 'Płeć', 'plec.xml', szer=150, note='nośnik odmiany: "kobieta" lub "mężczyzna"'),
            E('ImNazw', 'Imię i nazwisko'),
            E('DataMscUrodz', 'Data i miejsce urodzenia'),
            E('Pesel', 'PESEL', szer=120, rozm=11),
            M('Adres', 'Adres zamieszkania', wys=40, rozm=200),
            C('Wojew', 'Województwo', 'wojewodztwa.xml', szer=200),
            M('CelSkier', 'Cel skierowania', wys=40, rozm=300),
            E('NazwaStan', 'Stanowisko pracy', szer=400, rozm=150),
            M('InforCzynn', 'Informacja o występujących czynnikach szkodliwych i uciążliwych dla zdrowia na stanowisku pracy',
              wys=120, rozm=4000),
            M('DodInform', 'Dodatkowe informacje', wys=60),
            D('DataWyst', 'Data wystawienia skierowania'),
        ])]
    return [('Skierowanie', [
        M('OznPracod', 'Oznaczenie pracodawcy', wys=40, rozm=300),
        C('RodzBad', 'Rodzaj badania', 'rodzbad.xml', szer=150),
        C('Plec', 'Płeć', 'plec.xml', szer=150, note='nośnik odmiany: "kobieta" lub "mężczyzna"'),
        E('ImNazw', 'Imię i nazwisko'),
        C('RodzajDanych', 'Rodzaj danych identyfikacyjnych', 'rodzajdanych.xml', szer=200,
          note='nośnik: "nr PESEL", "dokument tożsamości" lub "data urodzenia"'),
        E('Pesel', 'Nr PESEL, nazwa i numer dokumentu tożsamości lub data urodzenia', szer=300, rozm=60),
        M('Adres', 'Adres zamieszkania', wys=40, rozm=200),
        C('Osoba', 'Osoba kierowana jest', 'osoba.xml', szer=200, note='nośnik: "zatrudniona" lub inna wartość'),
        E('NazwaStan', 'Stanowisko lub stanowiska pracy', szer=400, rozm=200),
        M('OpisWarPracy', 'Opis warunków pracy uwzględniający informacje o występowaniu czynników niebezpiecznych, '
                          'szkodliwych dla zdrowia lub czynników uciążliwych', wys=80, rozm=4000),
        M('CzynFiz', 'Czynniki fizyczne'),
        M('Pyly', 'Pyły'),
        M('CzynChem', 'Czynniki chemiczne'),
        M('CzynBiol', 'Czynniki biologiczne'),
        M('InneCzynn', 'Inne czynniki, w tym niebezpieczne'),
        E('IlCzynn', 'Łączna liczba czynników', szer=60, rozm=3),
        E('MiejscWyst', 'Miejscowość wystawienia skierowania', szer=250, rozm=80),
        D('DataWyst', 'Data wystawienia skierowania'),
    ])]


def zaswszkol_pages():
    p2 = []
    for n in range(1, 11):
        p2 += [E('Temat%d' % n, 'Temat %d' % n, szer=450, rozm=300),
               E('GodzWyk%d' % n, 'Temat %d: liczba godzin wykładów' % n, szer=50, rozm=5),
               E('GodzCw%d' % n, 'Temat %d: liczba godzin ćwiczeń' % n, szer=50, rozm=5)]
    p2 += [E('SumaWyk', 'Razem godzin wykładów', szer=50, rozm=5),
           E('SumaCw', 'Razem godzin ćwiczeń', szer=50, rozm=5)]
    return [
        ('Zaświadczenie', [
            E('NrRej', 'Numer zaświadczenia według rejestru', szer=150, rozm=30),
            C('Plec', 'Płeć', 'plec.xml', szer=150, note='nośnik odmiany: "kobieta" lub "mężczyzna"'),
            E('ImNazw', 'Imię i nazwisko'),
            D('DataUrodz', 'Data urodzenia'),
            E('MscUrodz', 'Miejsce urodzenia', szer=250, rozm=80),
            C('NazwaSzkol', 'Nazwa szkolenia', 'nazwaszkol.xml', szer=500),
            C('Forma', 'Forma szkolenia', 'forma.xml', szer=250),
            E('Firma', 'Organizator szkolenia', szer=450, rozm=200),
            D('SzkolOd', 'Szkolenie w dniach: od'),
            D('SzkolDo', 'Szkolenie w dniach: do'),
            M('Cel', 'Celem szkolenia było', wys=60, rozm=1000),
            E('OpisDataMiejsce', 'Miejscowość i data wydania zaświadczenia', szer=300, rozm=100),
        ]),
        ('Program szkolenia', p2),
    ]


def kartaszkol_pages():
    fields = [
        E('NazwaPracod', 'Nazwa pracodawcy', szer=450, rozm=150),
        E('OsSzkol', 'Imię i nazwisko osoby odbywającej szkolenie'),
        E('NazwKO', 'Nazwa komórki organizacyjnej', szer=400, rozm=150),
        L('NaglInstrOg', 'Instruktaż ogólny'),
        E('ImNazwPrzOg', 'Instruktaż ogólny przeprowadził (imię i nazwisko)'),
        D('DataInstOg', 'Data przeprowadzenia instruktażu ogólnego'),
        L('NaglInstrSt', 'Instruktaż stanowiskowy'),
    ]
    for n in range(1, 6):
        fields += [E('Instr%d' % n, 'Instruktaż stanowiskowy %d: stanowisko pracy' % n, szer=400, rozm=150),
                   E('ImNazPrz%d' % n, 'Instruktaż stanowiskowy %d przeprowadził (imię i nazwisko)' % n),
                   E('Okres%d' % n, 'Instruktaż stanowiskowy %d: w dniach' % n, szer=200, rozm=40)]
    return [('Karta szkolenia wstępnego', fields)]


KINDS = [
    # (kind, list caption, pData, pRodzInf, [(definition file, pages)])
    ('protpow', 'Protokół ustalenia okoliczności i przyczyn wypadku przy pracy', 'DataWyp', 'ImieNazwisko',
     [('protpow_frm_1.xml', protpow_pages(1)), ('protpow_frm_2.xml', protpow_pages(2))]),
    ('kartwyp', 'Karta wypadku', 'DataWyp', 'ImieNazwisko', [('kartwyp_frm.xml', kartwyp_pages())]),
    ('protprzes', 'Protokół przesłuchania poszkodowanego', 'DataPrzes', 'Poszk',
     [('protprzes_frm.xml', protprzes_pages())]),
    ('polpostpow', 'Polecenie w sprawie postępowania powypadkowego', 'DrMiejscData', 'DrSprawa',
     [('polpostpow_frm.xml', polpostpow_pages())]),
    ('kartrejwyp', 'Karta rejestru wypadków przy pracy', 'DataWyp', 'Poszk',
     [('kartrejwyp_frm.xml', kartrejwyp_pages())]),
    ('skw', 'Statystyczna karta wypadku przy pracy', 'RokWyp+MiesWyp+DzienWyp', 'IdentPoszk',
     [('skw_frm_1.xml', skw_pages(1)), ('skw_frm_2.xml', skw_pages(2)), ('skw_frm_3.xml', skw_pages(3))]),
    ('kartwypdroga', 'Karta wypadku w drodze do pracy lub z pracy', 'DataWyp', 'ImieNazwisko',
     [('kartwypdroga_frm.xml', kartwypdroga_pages())]),
    ('skierbad', 'Skierowanie na badania lekarskie', 'DataWyst', 'ImNazw',
     [('skierbad_frm_1.xml', skierbad_pages(1)), ('skierbad_frm_2.xml', skierbad_pages(2))]),
    ('zaswszkol', 'Zaświadczenie o ukończeniu szkolenia w dziedzinie bhp', 'SzkolDo', 'ImNazw',
     [('zaswszkol_frm.xml', zaswszkol_pages())]),
    ('kartaszkol', 'Karta szkolenia wstępnego w dziedzinie bhp', 'DataInstOg', 'OsSzkol',
     [('kartaszkol_frm.xml', kartaszkol_pages())]),
]


def attr(value):
    return value.replace('"', '&quot;')


def write_definition(kind, file_name, pages):
    base = file_name.split('.')[0]
    lines = [DECL, '<%s ver="%s" katalog="%s\\" plik="%s_lista.xml">' % (base, VER, kind, kind)]
    for nr, (caption, fields) in enumerate(pages, start=1):
        lines.append('  <page nr="%d" nazwa="%s">' % (nr, attr(caption)))
        for f in fields:
            lines.append('    <pole nazwa="%s" typ="%s" druk="%s" ppow="%s" rozm="%d" szer="%d" wys="%d" ile="%d" '
                         'etyk="%s" zal="%s">%s</pole>' % (f['nazwa'], f['typ'], f['druk'], attr(f['ppow']), f['rozm'],
                                                           f['szer'], f['wys'], f['ile'], attr(f['etyk']), f['zal'],
                                                           f['tekst']))
            for druk, etyk, zal in f['poz']:
                lines.append('      <poz druk="%s" etyk="%s" zal="%s">' % (druk, attr(etyk), zal))
        lines.append('  </page>')
    lines.append('</%s>' % base)
    write_lines(FORMS + file_name, lines)


def write_list(kind, pdata, prodzinf):
    name = kind + '_lista'
    write_lines(DATA + name + '.xml', [
        DECL,
        '<%s ver="%s" pData="%s" pRodzInf="%s" katalog="%s\\" plik="%s_dane.xml">' % (name, VER, pdata, prodzinf, kind,
                                                                                     kind),
        '</%s>' % name])


def tree_lines(entries, indent):
    out = []
    for e in entries:
        if isinstance(e, tuple):
            out.append(' ' * indent + '<grp nazwa="%s">' % attr(e[0]))
            out += tree_lines(e[1], indent + 2)
            out.append(' ' * indent + '</grp>')
        else:
            out.append(' ' * indent + '<poz>%s</poz>' % e)
    return out


def write_tree(name, entries):
    stored = ATTACH + '\\' + name
    write_lines(stored, [DECL, '<drzewo plik="%s" ver="%s">' % (stored, VER)] + tree_lines(entries, 2) + ['</drzewo>'])


def write_glyph(stored, minus):
    # 16 x 16, 24 bits; magenta background (the transparent colour) and a black sign.
    w = h = 16
    rows = []
    for y in range(h):
        row = b''
        for x in range(w):
            on = (7 <= y <= 8 and 3 <= x <= 12) or (not minus and 7 <= x <= 8 and 3 <= y <= 12)
            row += b'\x00\x00\x00' if on else b'\xff\x00\xff'
        rows.append(row)
    pixels = b''.join(reversed(rows))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    path = out_path(stored)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


def leaf_texts(entries):
    out = []
    for e in entries:
        if isinstance(e, tuple):
            out += leaf_texts(e[1])
        else:
            out.append(e)
    return out


def write_field_table():
    lines = [
        '# Document field names',
        '',
        'The one table of the field names of the statutory documents. The document definitions in',
        '`install/dokumenty/frm/` are generated from the same description by `tools/make_document_definitions.py`,',
        'and the printed form pages name their value labels, code labels (`Kod_` + name) and tick shapes',
        '(name + `_` + code) after these fields. A test checks that every shipped definition matches this table.',
        '',
        'Rules the names keep (the form-page filler matches names by prefix):',
        '',
        '- A single-value field fills every page label whose name begins with the field name, and the later',
        '  field in definition order wins. So no field name is the beginning of another field name of the same',
        '  definition unless it stands before it (`ImieNazwisko` before `ImieNazwiskoSporz`, `Temat1` before',
        '  `Temat10`), and no field is named `Kod`, `Data`, `VR`, `vrl` or `Rich`.',
        '- Values chosen from trees are `[code] text`; a "Kod_" label prints the code, a "form" field prints the',
        '  text after "] ". Two-level choices are `[main.sub] text` (shapes `Name_main_0` and `Name_0_sub`); the',
        '  statistical card\'s accident kind uses the flat codes `[1_1]` .. `[2_4]` (shapes `TypWyp_1_1` ..',
        '  `TypWyp_2_4`).',
        '- Carriers are plain values without a code: `Plec` "kobieta" / "mężczyzna" (referrals, certificate),',
        '  `Osoba` "zatrudniona" / "podejmująca pracę", `RodzajDanych` "nr PESEL" / "dokument tożsamości" /',
        '  "data urodzenia".',
        '- Several people or rows are separate numbered edit fields (`ImNazSw1`, `ImNazSw2`, `Swiadek1` ..',
        '  `Swiadek3`, `Temat1` .. `Temat10`), each with one value slot.',
        '- Kinds: "edit" (one line), "memo" (several lines), "combo" (choice list filled from its tree),',
        '  "form" (value chosen in the tree dialog with the row\'s "+" button), "label" (a heading on the screen',
        '  only; neither stored nor printed).',
        '',
        'Folders: definitions `%s`, trees `%s\\`, lists `%s`, data `%s{kind}\\`.' % (FORMS, ATTACH, DATA, DATA),
        '',
    ]
    for kind, caption, pdata, prodzinf, defs in KINDS:
        lines.append('## %s (`%s`)' % (caption, kind))
        lines.append('')
        lines.append('List `%s%s_lista.xml`: date from `%s`, person from `%s`. Data files `%s%s\\%s_dane_{n}.xml`.'
                     % (DATA, kind, pdata, prodzinf, DATA, kind, kind))
        lines.append('')
        files = [d[0] for d in defs]
        lines.append('| page | field | kind | caption | tree | print | %s |' % ' | '.join('`%s`' % f for f in files))
        lines.append('|---|---|---|---|---|---|%s' % ''.join('---|' for _ in files))
        seen = []
        rows = {}
        for fname, pages in defs:
            for pnr, (pcap, fields) in enumerate(pages, start=1):
                for f in fields:
                    key = f['nazwa']
                    if key not in rows:
                        rows[key] = (pnr, pcap, f, set())
                        seen.append(key)
                    rows[key][3].add(fname)
        for key in seen:
            pnr, pcap, f, in_files = rows[key]
            printing = []
            if f['druk']:
                printing.append('ticks "%s"' % f['druk'])
            if f['ppow']:
                printing.append('linked labels `%s`' % f['ppow'])
            if f['note']:
                printing.append(f['note'])
            tree = ('`%s`' % f['zal']) if f['zal'] else ''
            lines.append('| %d %s | `%s` | %s | %s | %s | %s | %s |' % (
                pnr, pcap, key, f['typ'], f['etyk'], tree, '; '.join(printing),
                ' | '.join('x' if fn in in_files else '' for fn in files)))
        lines.append('')
    lines.append('## Choice trees')
    lines.append('')
    lines.append('| tree | leaves |')
    lines.append('|---|---|')
    for name, entries in sorted(TREES.items()):
        lines.append('| `%s` | %s |' % (name, '; '.join(l.replace('|', '/') for l in leaf_texts(entries))))
    lines.append('')
    path = os.path.join(ROOT, 'docs', 'document_fields.md')
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8') as f:
        f.write('\n'.join(lines))


def main():
    used_trees = set()
    for kind, caption, pdata, prodzinf, defs in KINDS:
        for file_name, pages in defs:
            write_definition(kind, file_name, pages)
            for _, fields in pages:
                for f in fields:
                    if f['zal']:
                        used_trees.add(f['zal'])
        write_list(kind, pdata, prodzinf)
    missing = used_trees - set(TREES)
    assert not missing, missing
    for name, entries in TREES.items():
        write_tree(name, entries)
    write_glyph('dokum\\frm\\plusm.bmp', minus=False)
    write_glyph('dokum\\frm\\minusm.bmp', minus=True)
    write_field_table()


if __name__ == '__main__':
    main()
