"""The code lists of the statistical accident card (Z-KW) as choice trees for
make_document_definitions.py.

The classifications follow the European statistics of accidents at work (ESAW): the card
carries those codes. A group of a list is also a code of its own ("the group, no closer
detail"), so every group offers its own code as its first choice and its "9" code (other in
this group) as its last; the tree dialog lets only the lowest level be chosen.

A tree is a list of leaves (strings) and groups (caption, [children]), as in
make_document_definitions.py.
"""


def _cap(text):
    return text[:1].upper() + text[1:]


def _group(code, caption, subs, other=None):
    """A group "[code] caption" offering its own code, its sub-codes and, when given, the
    code of "other" in the group."""
    leaves = ['[%s] %s – bez bliższego określenia' % (code, _cap(caption))]
    leaves += ['[%s] %s' % (c, _cap(t)) for c, t in subs]
    if other:
        leaves.append('[%s] %s – inne' % (other, _cap(caption)))
    return ('[%s] %s' % (code, _cap(caption)), leaves)


def _leaf(code, text):
    return '[%s] %s' % (code, _cap(text))


# --- rodzaj urazu -------------------------------------------------------------------------------
RODZ_URAZ = [
    _leaf('000', 'rodzaj urazu nieznany'),
    _group('010', 'rany i urazy powierzchowne', [('011', 'urazy powierzchowne'), ('012', 'rany otwarte')], '019'),
    _group('020', 'złamania kości', [('021', 'złamania zamknięte'), ('022', 'złamania otwarte')], '029'),
    _group('030', 'zwichnięcia, skręcenia i nadwyrężenia',
           [('031', 'zwichnięcia i podwichnięcia'), ('032', 'skręcenia i nadwyrężenia')], '039'),
    _leaf('040', 'amputacje urazowe (utrata części ciała)'),
    _group('050', 'wstrząśnienia i urazy wewnętrzne',
           [('051', 'wstrząśnienia i urazy wewnątrzczaszkowe'), ('052', 'urazy wewnętrzne')], '059'),
    _group('060', 'oparzenia, oparzenia chemiczne i odmrożenia',
           [('061', 'oparzenia (termiczne)'), ('062', 'oparzenia chemiczne'), ('063', 'odmrożenia')], '069'),
    _group('070', 'zatrucia i zakażenia', [('071', 'ostre zatrucia'), ('072', 'ostre zakażenia')], '079'),
    _group('080', 'tonięcie i uduszenie', [('081', 'uduszenie'), ('082', 'tonięcie i podtopienie')], '089'),
    _group('090', 'skutki działania dźwięku, wibracji i ciśnienia',
           [('091', 'ostra utrata słuchu'), ('092', 'skutki działania ciśnienia (uraz ciśnieniowy)')], '099'),
    _group('100', 'skutki działania skrajnych temperatur, światła i promieniowania',
           [('101', 'udar cieplny i słoneczny'), ('102', 'skutki działania promieniowania (nietermicznego)'),
            ('103', 'skutki działania niskiej temperatury')], '109'),
    _group('110', 'wstrząs (szok)', [('111', 'wstrząs po agresji lub zagrożeniu'), ('112', 'wstrząs urazowy')],
           '119'),
    _leaf('120', 'urazy wielorakie'),
    _leaf('999', 'inne określone urazy, niewymienione wyżej'),
]

# --- umiejscowienie urazu -----------------------------------------------------------------------
UMIEJSC_URAZ = [
    _leaf('00', 'część ciała nieokreślona'),
    _group('10', 'głowa', [('11', 'głowa, mózg, nerwy i naczynia czaszkowe'), ('12', 'twarz'), ('13', 'oko (oczy)'),
                           ('14', 'ucho (uszy)'), ('15', 'zęby'), ('18', 'głowa, liczne miejsca urazu')], '19'),
    _group('20', 'szyja, w tym kręgosłup szyjny', [('21', 'szyja, kręgosłup i kręgi szyjne')], '29'),
    _group('30', 'plecy, w tym kręgosłup', [('31', 'plecy, kręgosłup i kręgi')], '39'),
    _group('40', 'tułów i narządy', [('41', 'klatka piersiowa, żebra, łopatka i stawy'),
                                     ('42', 'klatka piersiowa wraz z narządami'),
                                     ('43', 'miednica i brzuch wraz z narządami'), ('48', 'tułów, liczne miejsca urazu')],
           '49'),
    ('[50] Kończyny górne', [
        '[50] Kończyny górne – bez bliższego określenia', '[51] Bark wraz ze stawem barkowym',
        '[52] Ramię wraz z łokciem', '[53] Dłoń', '[54] Palec, palce', '[55] Nadgarstek',
        '[58] Kończyny górne, liczne miejsca urazu', '[59] Kończyny górne, miejsca niewymienione lub nieznane']),
    ('[60] Kończyny dolne', [
        '[60] Kończyny dolne – bez bliższego określenia', '[61] Biodro ze stawem biodrowym',
        '[62] Noga ze stawem kolanowym', '[63] Staw skokowy', '[64] Stopa', '[65] Palec, palce',
        '[68] Kończyny dolne, liczne miejsca urazu', '[69] Kończyny dolne, miejsca niewymienione lub nieznane']),
    ('[70] Całe ciało i jego różne części', [
        '[70] Całe ciało i jego różne części – bez bliższego określenia', '[71] Całe ciało',
        '[78] Liczne urazy części ciała']),
    _leaf('99', 'inna część ciała'),
]

# --- rodzaj miejsca wypadku (środowisko pracy) --------------------------------------------------
RODZ_MIEJSC = [
    _leaf('000', 'brak informacji'),
    _group('010', 'teren przemysłowy', [('011', 'miejsce produkcji, fabryka, warsztat'),
                                        ('012', 'miejsce konserwacji, warsztat naprawczy'),
                                        ('013', 'miejsce głównie do składowania, załadunku, rozładunku')], '019'),
    _group('020', 'plac budowy, budowa, kamieniołom, kopalnia odkrywkowa',
           [('021', 'budynek w budowie'), ('022', 'budynek rozbierany, remontowany, konserwowany'),
            ('023', 'kamieniołom, odkrywka, wykop, rów'), ('024', 'budowa podziemna'),
            ('025', 'budowa na wodzie lub nad wodą'), ('026', 'budowa w warunkach podwyższonego ciśnienia')], '029'),
    _group('030', 'tereny rolnicze, hodowlane, rybne, leśne',
           [('031', 'hodowla zwierząt'), ('032', 'uprawy polowe'), ('033', 'uprawy drzew i krzewów'),
            ('034', 'teren leśny'), ('035', 'rybołówstwo, akwakultura (nie na statku)'),
            ('036', 'ogród, park, ogród botaniczny lub zoologiczny')], '039'),
    _group('040', 'miejsce działalności usługowej, biuro, rozrywka, różne',
           [('041', 'biuro, sala zebrań, biblioteka'), ('042', 'placówka edukacyjna, szkoła, żłobek, przedszkole'),
            ('043', 'sklep, handel (także uliczny)'),
            ('044', 'restauracja, miejsce rekreacji, zakwaterowanie czasowe (muzea, widownie, stadiony, targi)')],
           '049'),
    _group('050', 'placówki ochrony zdrowia', [('051', 'przychodnia, klinika, szpital, dom opieki')], '059'),
    _group('060', 'miejsca publiczne',
           [('061', 'teren stale otwarty dla ruchu publicznego (droga, parking, poczekalnia)'),
            ('062', 'środek transportu lądowego lub kolejowego, prywatny lub publiczny'),
            ('063', 'teren przy miejscu publicznym dostępny tylko dla upoważnionych (tory, płyta lotniska, '
                    'pobocze autostrady)')], '069'),
    _group('070', 'dom', [('071', 'dom prywatny'),
                          ('072', 'części wspólne budynku, budynki gospodarcze, prywatny ogród')], '079'),
    _group('080', 'tereny sportowe', [('081', 'w pomieszczeniu (hala, sala gimnastyczna, kryty basen)'),
                                      ('082', 'na zewnątrz (boisko, basen, stok)')], '089'),
    _group('090', 'w powietrzu, na wysokości (poza placami budowy)',
           [('091', 'na stałym poziomie (dach, taras)'), ('092', 'maszt, pylon, podest podwieszany'),
            ('093', 'w powietrzu, na pokładzie statku powietrznego')], '099'),
    _group('100', 'pod ziemią (poza placami budowy)',
           [('101', 'tunel (drogowy, kolejowy, metro)'), ('102', 'kopalnia'), ('103', 'kanał, ściek')], '109'),
    _group('110', 'na wodzie lub nad wodą (poza placami budowy)',
           [('111', 'morze, ocean, na pokładzie jednostki'), ('112', 'jezioro, rzeka, port, na pokładzie jednostki')],
           '119'),
    _group('120', 'środowisko podwyższonego ciśnienia (poza placami budowy)',
           [('121', 'pod wodą (nurkowanie)'), ('122', 'komora ciśnieniowa')], '129'),
    _leaf('999', 'inne środowiska pracy niewymienione wyżej'),
]

# --- miejsce wypadku (w jednostce lokalnej czy poza nią) ----------------------------------------
MIEJSC_WYP = [
    _leaf('0', 'nieokreślone miejsce'),
    _leaf('1', 'miejsce w jednostce lokalnej zakładu pracy'),
    _leaf('2', 'miejsce poza jednostką lokalną zakładu pracy'),
    _leaf('3', 'inne miejsce'),
]

# --- proces pracy -------------------------------------------------------------------------------
PROCES_PRAC = [
    _leaf('00', 'brak informacji'),
    _group('10', 'produkcja, wytwarzanie, przetwarzanie, składowanie',
           [('11', 'produkcja, wytwarzanie, przetwarzanie'), ('12', 'składowanie')], '19'),
    _group('20', 'roboty ziemne, budowlane, remontowe, rozbiórkowe',
           [('21', 'roboty ziemne'), ('22', 'nowe budownictwo, budynki'),
            ('23', 'nowe budownictwo, inżynieria lądowa i wodna, infrastruktura, drogi, mosty, tamy, porty'),
            ('24', 'przebudowa, naprawa, rozbudowa, konserwacja budowli'), ('25', 'rozbiórka')], '29'),
    _group('30', 'prace rolnicze, leśne, ogrodnicze, hodowla ryb, praca ze zwierzętami',
           [('31', 'uprawa ziemi'), ('32', 'uprawa roślin, ogrodnictwo'), ('33', 'praca ze zwierzętami'),
            ('34', 'prace leśne'), ('35', 'hodowla ryb, rybołówstwo')], '39'),
    _group('40', 'usługi dla przedsiębiorstw lub ludności, praca umysłowa',
           [('41', 'usługi, opieka, pomoc dla ludności'),
            ('42', 'praca umysłowa: nauczanie, szkolenie, przetwarzanie danych, praca biurowa, organizacja, '
                   'zarządzanie'),
            ('43', 'działalność handlowa: kupno, sprzedaż i usługi z nimi związane')], '49'),
    _group('50', 'inne prace związane z zadaniami z grup 10–40',
           [('51', 'przygotowanie, instalowanie, montaż, demontaż'), ('52', 'konserwacja, naprawa, regulacja'),
            ('53', 'sprzątanie miejsc pracy, czyszczenie maszyn'), ('54', 'gospodarka odpadami'),
            ('55', 'monitorowanie, kontrola procesów, miejsc pracy, środków transportu, urządzeń')], '59'),
    _group('60', 'przemieszczanie się, sport, działalność artystyczna',
           [('61', 'przemieszczanie się (także w środkach transportu)'), ('62', 'sport, działalność artystyczna')],
           '69'),
    _leaf('99', 'inne procesy pracy niewymienione wyżej'),
]

# --- czynność wykonywana przez poszkodowanego ---------------------------------------------------
CZYN_WYK = [
    _leaf('00', 'brak informacji'),
    _group('10', 'obsługa maszyny', [('11', 'uruchamianie, zatrzymywanie maszyny'),
                                     ('12', 'zasilanie maszyny, rozładunek maszyny'),
                                     ('13', 'nadzorowanie, obsługa, prowadzenie maszyny')], '19'),
    _group('20', 'praca narzędziami ręcznymi', [('21', 'praca narzędziami ręcznymi bez napędu'),
                                                ('22', 'praca narzędziami ręcznymi z napędem')], '29'),
    _group('30', 'kierowanie środkiem transportu lub urządzeniem do przemieszczania, jazda nim',
           [('31', 'kierowanie środkiem transportu lub urządzeniem z napędem'),
            ('32', 'kierowanie środkiem transportu lub urządzeniem bez napędu'),
            ('33', 'jazda jako pasażer')], '39'),
    _group('40', 'manipulowanie przedmiotami',
           [('41', 'chwytanie, trzymanie, kładzenie (w poziomie)'),
            ('42', 'wiązanie, zrywanie, rozwiązywanie, naciskanie, odkręcanie, przykręcanie, obracanie'),
            ('43', 'mocowanie, zawieszanie, podnoszenie, ustawianie (w pionie)'), ('44', 'rzucanie'),
            ('45', 'otwieranie, zamykanie (pudła, paczki)'),
            ('46', 'nalewanie, napełnianie, podlewanie, rozpylanie, opróżnianie'),
            ('47', 'otwieranie (szuflady), pchanie (drzwi)')], '49'),
    _group('50', 'przenoszenie ręczne', [('51', 'przenoszenie w pionie: podnoszenie, opuszczanie'),
                                         ('52', 'przenoszenie w poziomie: ciągnięcie, pchanie, toczenie'),
                                         ('53', 'noszenie ładunku przez osobę')], '59'),
    _group('60', 'poruszanie się', [('61', 'chodzenie, bieganie, wchodzenie, schodzenie'),
                                    ('62', 'wsiadanie, wysiadanie'), ('63', 'skakanie'),
                                    ('64', 'czołganie się, wspinanie'), ('65', 'wstawanie, siadanie'),
                                    ('66', 'pływanie, nurkowanie'), ('67', 'ruchy w miejscu')], '69'),
    _leaf('70', 'obecność'),
    _leaf('99', 'inne czynności niewymienione wyżej'),
]

# --- wydarzenie będące odchyleniem od stanu normalnego ------------------------------------------
ODCHYL = [
    _leaf('00', 'brak informacji'),
    _group('10', 'odchylenie związane z elektrycznością, wybuchem, pożarem',
           [('11', 'problem z elektrycznością (uszkodzenie wyposażenia) prowadzący do kontaktu pośredniego'),
            ('12', 'problem z elektrycznością prowadzący do kontaktu bezpośredniego'), ('13', 'wybuch'),
            ('14', 'pożar, zapłon')], '19'),
    _group('20', 'przepełnienie, przewrócenie, wyciek, wypływ, parowanie, emisja',
           [('21', 'ciało stałe: przepełnienie, przewrócenie'),
            ('22', 'ciecz: przeciek, sączenie, wypływ, rozbryzg, rozpylenie'),
            ('23', 'gaz: parowanie, tworzenie aerozolu, tworzenie gazu'),
            ('24', 'materiał sproszkowany: dym, pył, cząstki')], '29'),
    _group('30', 'pęknięcie, rozerwanie, rozszczepienie, ześlizgnięcie, upadek, załamanie się czynnika materialnego',
           [('31', 'pęknięcie na łączeniach, szwach'),
            ('32', 'pęknięcie, rozerwanie z odłamkami (drewno, szkło, metal, kamień, tworzywo)'),
            ('33', 'ześlizgnięcie, upadek, załamanie się czynnika materialnego z góry (spada na poszkodowanego)'),
            ('34', 'ześlizgnięcie, upadek, załamanie się czynnika materialnego z dołu (pociąga poszkodowanego)'),
            ('35', 'ześlizgnięcie, upadek, załamanie się czynnika materialnego na tym samym poziomie')], '39'),
    _group('40', 'utrata kontroli nad maszyną, środkiem transportu, urządzeniem do przemieszczania, narzędziem, '
                 'przedmiotem, zwierzęciem',
           [('41', 'utrata kontroli nad maszyną (także niezamierzone uruchomienie) lub obrabianym materiałem'),
            ('42', 'utrata kontroli nad środkiem transportu lub urządzeniem do przemieszczania'),
            ('43', 'utrata kontroli nad narzędziem ręcznym lub obrabianym materiałem'),
            ('44', 'utrata kontroli nad przedmiotem (przenoszonym, przesuwanym)'),
            ('45', 'utrata kontroli nad zwierzęciem')], '49'),
    _group('50', 'poślizgnięcie, potknięcie, upadek osoby',
           [('51', 'upadek osoby na niższy poziom'),
            ('52', 'poślizgnięcie, potknięcie, upadek osoby na tym samym poziomie')], '59'),
    _group('60', 'ruch ciała bez obciążenia fizycznego (zwykle prowadzący do urazu zewnętrznego)',
           [('61', 'nadepnięcie na ostry przedmiot'), ('62', 'klęczenie, siadanie, opieranie się'),
            ('63', 'pochwycenie, porwanie przez coś lub siłą bezwładności'),
            ('64', 'nieskoordynowane ruchy, niewłaściwe lub przedwczesne działania')], '69'),
    _group('70', 'ruch ciała pod obciążeniem fizycznym (zwykle prowadzący do urazu wewnętrznego)',
           [('71', 'podnoszenie, noszenie, wstawanie'), ('72', 'pchanie, ciągnięcie'),
            ('73', 'kładzenie, schylanie się'), ('74', 'skręcanie, obracanie się'),
            ('75', 'niewłaściwe stąpnięcie, skręcenie nogi lub kostki, poślizgnięcie bez upadku')], '79'),
    _group('80', 'wstrząs, strach, przemoc, agresja, zagrożenie, obecność',
           [('81', 'wstrząs, strach'), ('82', 'przemoc, agresja, zagrożenie ze strony współpracowników'),
            ('83', 'przemoc, agresja, zagrożenie ze strony osób z zewnątrz wobec wykonującego obowiązki'),
            ('84', 'agresja, potrącenie przez zwierzę'),
            ('85', 'obecność poszkodowanego lub osoby trzeciej sama w sobie stwarzająca zagrożenie')], '89'),
    _leaf('99', 'inne odchylenia niewymienione wyżej'),
]

# --- wydarzenie powodujące uraz (kontakt) -------------------------------------------------------
KONTAKT = [
    _leaf('00', 'brak informacji'),
    _group('10', 'kontakt z prądem elektrycznym, temperaturą, substancjami niebezpiecznymi',
           [('11', 'pośredni kontakt z wyładowaniem elektrycznym (piorun)'),
            ('12', 'bezpośredni kontakt z prądem elektrycznym'),
            ('13', 'kontakt z otwartym płomieniem, gorącym przedmiotem lub otoczeniem'),
            ('14', 'kontakt z zimnym lub zamrożonym przedmiotem lub otoczeniem'),
            ('15', 'kontakt z substancjami niebezpiecznymi przez nos, usta (wdychanie)'),
            ('16', 'kontakt z substancjami niebezpiecznymi na skórę lub oczy, przez skórę'),
            ('17', 'kontakt z substancjami niebezpiecznymi przez układ pokarmowy')], '19'),
    _group('20', 'tonięcie, zasypanie, otoczenie',
           [('21', 'tonięcie w cieczy'), ('22', 'zasypanie przez ciało stałe'),
            ('23', 'otoczenie przez gaz lub cząstki w powietrzu')], '29'),
    _group('30', 'uderzenie o nieruchomy obiekt (poszkodowany w ruchu)',
           [('31', 'uderzenie w ruchu pionowym (w wyniku upadku)'), ('32', 'uderzenie w ruchu poziomym')], '39'),
    _group('40', 'uderzenie przez obiekt w ruchu, zderzenie',
           [('41', 'uderzenie obiektem odpryskującym, odlatującym'), ('42', 'uderzenie obiektem spadającym'),
            ('43', 'uderzenie obiektem wahadłowym'),
            ('44', 'uderzenie obiektem obracającym się, przemieszczanym, także pojazdem'),
            ('45', 'zderzenie z obiektem lub osobą (poszkodowany w ruchu)')], '49'),
    _group('50', 'kontakt z ostrym, szpiczastym, szorstkim czynnikiem materialnym',
           [('51', 'kontakt z ostrym czynnikiem (nóż, ostrze)'),
            ('52', 'kontakt ze szpiczastym czynnikiem (gwóźdź, ostre narzędzie)'),
            ('53', 'kontakt z twardym lub szorstkim czynnikiem')], '59'),
    _group('60', 'uwięzienie, zgniecenie',
           [('61', 'uwięzienie, zgniecenie w czymś'), ('62', 'uwięzienie, zgniecenie pod czymś'),
            ('63', 'uwięzienie, zgniecenie między czymś'), ('64', 'amputacja, odcięcie kończyny, dłoni, palca')],
           '69'),
    _group('70', 'obciążenie fizyczne lub psychiczne',
           [('71', 'obciążenie układu mięśniowo-szkieletowego'),
            ('72', 'obciążenie promieniowaniem, hałasem, światłem, ciśnieniem'),
            ('73', 'obciążenie psychiczne, wstrząs')], '79'),
    _group('80', 'ugryzienie, kopnięcie (przez zwierzę lub człowieka)',
           [('81', 'ugryzienie'), ('82', 'użądlenie (owad, ryba)'),
            ('83', 'uderzenie, kopnięcie, uderzenie głową, duszenie')], '89'),
    _leaf('99', 'inne wydarzenia niewymienione wyżej'),
]

# --- czynnik materialny -------------------------------------------------------------------------
_HAND_TOOL_PURPOSES = [
    'do piłowania', 'do cięcia, rozdzielania (nożyce, sekatory)', 'do rzeźbienia, dłutowania, przycinania, strzyżenia',
    'do skrobania, polerowania, szlifowania', 'do wiercenia, toczenia, wkręcania',
    'do wbijania gwoździ, nitowania, zszywania', 'do szycia, dziania', 'do spawania, klejenia',
    'do wydobywania materiałów i obróbki gleby (narzędzia rolnicze)', 'do woskowania, smarowania, mycia, czyszczenia',
    'do malowania', 'do trzymania, chwytania', 'do prac kuchennych (oprócz noży)',
    'medyczne i chirurgiczne ostre, tnące', 'medyczne i chirurgiczne nietnące, inne']


def _tools(group, caption, purposes, extra=()):
    subs = [('%s.%02d' % (group, n), 'narzędzia %s %s' % (caption, p)) for n, p in enumerate(purposes, start=1)]
    subs += [(c, t) for c, t in extra]
    return _group('%s.00' % group, 'narzędzia %s' % caption, subs, '%s.99' % group)


CZYN_MATER = [
    ('[00.00] Brak czynnika materialnego lub brak informacji', [
        '[00.00] Brak czynnika materialnego lub brak informacji – bez bliższego określenia',
        '[00.01] Brak czynnika materialnego', '[00.02] Brak informacji',
        '[00.99] Brak czynnika materialnego lub brak informacji – inne']),
    _group('01.00', 'budynki, konstrukcje, powierzchnie na poziomie gruntu',
           [('01.01', 'elementy budynków (drzwi, ściany, przegrody, okna)'),
            ('01.02', 'powierzchnie na poziomie gruntu: podłoża, podłogi (także śliskie, zagracone, grunty rolne, '
                      'boiska)'),
            ('01.03', 'powierzchnie pływające na poziomie gruntu')], '01.99'),
    _group('02.00', 'budynki, konstrukcje, powierzchnie powyżej poziomu gruntu',
           [('02.01', 'części budynku stałe (dachy, tarasy, schody, nabrzeża)'),
            ('02.02', 'konstrukcje stałe (pomosty, drabiny stałe, pylony)'),
            ('02.03', 'konstrukcje ruchome (rusztowania przejezdne, drabiny przenośne, kosze, podesty podnoszone)'),
            ('02.04', 'konstrukcje tymczasowe (rusztowania tymczasowe, uprzęże, huśtawki)'),
            ('02.05', 'konstrukcje pływające (platformy wiertnicze, rusztowania na barkach)')], '02.99'),
    _group('03.00', 'budynki, konstrukcje, powierzchnie poniżej poziomu gruntu',
           [('03.01', 'wykopy, rowy, studnie, doły, skarpy, kanały rewizyjne'),
            ('03.02', 'miejsca podziemne, tunele'), ('03.03', 'środowisko podwodne')], '03.99'),
    _group('04.00', 'systemy dostarczania i rozprowadzania materiałów, sieci rurociągów',
           [('04.01', 'systemy stałe (gaz, powietrze, ciecze, ciała stałe; zasobniki)'),
            ('04.02', 'systemy ruchome'), ('04.03', 'ścieki, drenaż')], '04.99'),
    _group('05.00', 'silniki, urządzenia do przenoszenia i magazynowania energii',
           [('05.01', 'silniki, generatory energii (także sprężarki, pompy)'),
            ('05.02', 'urządzenia do przenoszenia i magazynowania energii (mechaniczne, pneumatyczne, hydrauliczne, '
                      'elektryczne, akumulatory)')], '05.99'),
    _tools('06', 'ręczne bez napędu', _HAND_TOOL_PURPOSES),
    _tools('07', 'trzymane lub prowadzone ręcznie, z napędem', _HAND_TOOL_PURPOSES[:13],
           [('07.14', 'narzędzia z napędem do podgrzewania (suszarki, opalarki, żelazka)'),
            ('07.15', 'narzędzia z napędem medyczne i chirurgiczne ostre, tnące'),
            ('07.16', 'narzędzia z napędem medyczne i chirurgiczne nietnące, inne'),
            ('07.17', 'pistolety pneumatyczne (bez określenia narzędzia)')]),
    _tools('08', 'ręczne bez określenia napędu', _HAND_TOOL_PURPOSES),
    _group('09.00', 'maszyny i urządzenia przenośne lub ruchome',
           [('09.01', 'maszyny przenośne lub ruchome do wydobycia lub robót ziemnych (kopalnie, kamieniołomy, '
                      'budowa)'),
            ('09.02', 'maszyny przenośne lub ruchome do obróbki gleby, rolnicze'),
            ('09.03', 'maszyny przenośne lub ruchome na placach budowy (oprócz robót ziemnych)'),
            ('09.04', 'ruchome maszyny do czyszczenia podłóg')], '09.99'),
    _group('10.00', 'maszyny i urządzenia stałe',
           [('10.01', 'maszyny stałe do wydobycia lub robót ziemnych'),
            ('10.02', 'maszyny do przygotowania materiałów: kruszenia, rozdrabniania, filtrowania, rozdzielania, '
                      'mieszania'),
            ('10.03', 'maszyny do przetwarzania materiałów – procesy chemiczne'),
            ('10.04', 'maszyny do przetwarzania materiałów – procesy gorące (piece, suszarnie)'),
            ('10.05', 'maszyny do przetwarzania materiałów – procesy zimne (chłodzenie)'),
            ('10.06', 'maszyny do przetwarzania materiałów – inne procesy'),
            ('10.07', 'maszyny do formowania – prasowanie, zgniatanie'),
            ('10.08', 'maszyny do formowania – kalandrowanie, walcowanie (także maszyny papiernicze)'),
            ('10.09', 'maszyny do formowania – wtrysk, wytłaczanie, rozdmuchiwanie, przędzenie, odlewanie, topienie'),
            ('10.10', 'obrabiarki: strugarki, frezarki, szlifierki, polerki, tokarki, wiertarki'),
            ('10.11', 'obrabiarki do piłowania'),
            ('10.12', 'maszyny do cięcia, rozdzielania, przycinania (prasy dziurkujące, nożyce gilotynowe, '
                      'cięcie gazowe)'),
            ('10.13', 'maszyny do obróbki powierzchni: czyszczenie, mycie, suszenie, malowanie, drukowanie'),
            ('10.14', 'maszyny do obróbki powierzchni: galwanizacja, obróbka elektrolityczna'),
            ('10.15', 'maszyny do montażu (spawanie, klejenie, gwoździowanie, nitowanie, szycie, zszywanie)'),
            ('10.16', 'maszyny do pakowania, owijania'),
            ('10.17', 'inne maszyny specjalne (kontrola, badania)'), ('10.18', 'maszyny specjalne rolnicze')],
           '10.99'),
    _group('11.00', 'urządzenia do przenoszenia, transportu i składowania',
           [('11.01', 'przenośniki stałe (taśmy, schody ruchome, kolejki linowe)'),
            ('11.02', 'dźwigi osobowe, windy, wciągniki, podnośniki, wciągarki'),
            ('11.03', 'żurawie stałe i ruchome, suwnice, urządzenia z ładunkiem podwieszonym'),
            ('11.04', 'ruchome urządzenia do przemieszczania, wózki (z napędem lub bez)'),
            ('11.05', 'urządzenia do podnoszenia, mocowania, chwytania (zawiesia, haki, liny)'),
            ('11.06', 'systemy składowania, zbiorniki, silosy – stałe'),
            ('11.07', 'systemy składowania, zbiorniki, silosy – ruchome'),
            ('11.08', 'wyposażenie magazynowe, regały, palety'),
            ('11.09', 'opakowania małe i średnie, ruchome (pojemniki, butle, skrzynki, gaśnice)')], '11.99'),
    _group('12.00', 'pojazdy lądowe',
           [('12.01', 'pojazdy ciężkie: ciężarówki, autobusy, autokary'),
            ('12.02', 'pojazdy lekkie: towarowe lub osobowe'),
            ('12.03', 'pojazdy dwu- lub trzykołowe, z napędem lub bez'),
            ('12.04', 'inne pojazdy lądowe (narty, wrotki)')], '12.99'),
    _group('13.00', 'inne pojazdy transportowe',
           [('13.01', 'pojazdy szynowe towarowe'), ('13.02', 'pojazdy szynowe pasażerskie'),
            ('13.03', 'pojazdy wodne towarowe'), ('13.04', 'pojazdy wodne pasażerskie'),
            ('13.05', 'pojazdy wodne rybackie'), ('13.06', 'statki powietrzne towarowe'),
            ('13.07', 'statki powietrzne pasażerskie')], '13.99'),
    _group('14.00', 'materiały, przedmioty, produkty, elementy maszyn, odłamki, pył',
           [('14.01', 'materiały budowlane (prefabrykaty, szalunki, belki, cegły, dachówki)'),
            ('14.02', 'części maszyn i pojazdów'),
            ('14.03', 'części obrabiane, narzędzia obrabiarek (także odłamki, wióry)'),
            ('14.04', 'elementy złączne: śruby, gwoździe, nakrętki'),
            ('14.05', 'cząstki, pył, drzazgi, odłamki, rozbryzgi'), ('14.06', 'produkty rolne (nasiona, słoma)'),
            ('14.07', 'produkty dla rolnictwa i hodowli (nawozy, pasze)'),
            ('14.08', 'produkty składowane (przedmioty i opakowania w magazynie)'),
            ('14.09', 'produkty składowane w rolkach, zwojach'),
            ('14.10', 'ładunki przewożone urządzeniem mechanicznym'),
            ('14.11', 'ładunki podwieszone na urządzeniu dźwignicowym'), ('14.12', 'ładunki przenoszone ręcznie')],
           '14.99'),
    _group('15.00', 'substancje chemiczne, wybuchowe, radioaktywne, biologiczne',
           [('15.01', 'substancje żrące, korozyjne'), ('15.02', 'substancje szkodliwe, toksyczne'),
            ('15.03', 'substancje łatwopalne'), ('15.04', 'substancje wybuchowe, reaktywne'),
            ('15.05', 'gazy, pary bez działania specyficznego (obojętne, duszące)'),
            ('15.06', 'substancje radioaktywne'), ('15.07', 'substancje biologiczne'),
            ('15.08', 'substancje bez szczególnego zagrożenia (woda, materiały obojętne)')], '15.99'),
    _group('16.00', 'urządzenia i wyposażenie zabezpieczające',
           [('16.01', 'zabezpieczenia na maszynach'), ('16.02', 'środki ochrony indywidualnej'),
            ('16.03', 'urządzenia i wyposażenie awaryjne')], '16.99'),
    _group('17.00', 'wyposażenie biurowe i osobiste, sprzęt sportowy, broń, urządzenia domowe',
           [('17.01', 'meble'), ('17.02', 'sprzęt komputerowy, biurowy, reprograficzny, łączności'),
            ('17.03', 'sprzęt do nauczania, pisania, rysowania'), ('17.04', 'sprzęt do sportu i gier'),
            ('17.05', 'broń'), ('17.06', 'przedmioty osobiste, odzież'), ('17.07', 'instrumenty muzyczne'),
            ('17.08', 'urządzenia, sprzęty, bielizna typu domowego (do użytku zawodowego)')], '17.99'),
    _group('18.00', 'organizmy żywe i ludzie',
           [('18.01', 'drzewa, rośliny, uprawy'), ('18.02', 'zwierzęta domowe i hodowlane'),
            ('18.03', 'zwierzęta dzikie, owady, węże'), ('18.04', 'mikroorganizmy'),
            ('18.05', 'wirusy (czynniki zakaźne)'), ('18.06', 'ludzie')], '18.99'),
    _group('19.00', 'odpady masowe',
           [('19.01', 'odpady z surowców, produktów, przedmiotów'), ('19.02', 'odpady z substancji chemicznych'),
            ('19.03', 'odpady z substancji biologicznych, roślin, zwierząt')], '19.99'),
    _group('20.00', 'zjawiska fizyczne i żywioły',
           [('20.01', 'zjawiska fizyczne (hałas, promieniowanie naturalne, światło, ciśnienie lub podciśnienie)'),
            ('20.02', 'żywioły naturalne i atmosferyczne (woda, błoto, deszcz, grad, śnieg, lód, porywy wiatru)'),
            ('20.03', 'klęski żywiołowe (powódź, wulkan, trzęsienie ziemi, fale pływowe, pożar)')], '20.99'),
    _leaf('99.00', 'inne czynniki materialne niewymienione wyżej'),
]

TREES = {
    'skw_rodzuraz.xml': RODZ_URAZ,
    'skw_umiejscuraz.xml': UMIEJSC_URAZ,
    'skw_rodzmiejsc.xml': RODZ_MIEJSC,
    'skw_miejscwyp.xml': MIEJSC_WYP,
    'skw_procesprac.xml': PROCES_PRAC,
    'skw_czynwyk.xml': CZYN_WYK,
    'skw_odchyl.xml': ODCHYL,
    'skw_kontakt.xml': KONTAKT,
    'skw_czynmater.xml': CZYN_MATER,
    # Circled on the card: the kind of accident, the sex and the results.
    'skw_kwalifwyp.xml': ['[9998] przy pracy', '[9999] traktowanego na równi z wypadkiem przy pracy'],
    'skw_skutki.xml': ['[1] śmierć osoby poszkodowanej', '[2] ciężkie uszkodzenie ciała', '[3] inne skutki'],
}
