#!/usr/bin/env python3
"""Writes the program's help: one page per window, view or dialog (install/pomoc/*.html),
the page "O programie" that the web page view opens (install/pomoc/tarvelin.htm), and
compiles the pages into the help file that F1 opens (install/Tarvelin.chm, and the same
file as install/pomoc/Tarvelin.chm for the navigation item "Podręcznik").

Pages are Windows-1250 with CR LF and declare their character set. Inside the help file
they are named *.html: xchm shows *.htm as plain text.

A new view or dialog gets its help by a row in TOPICS (context, component name, page,
title, index words, text) and the same context, name and page in shell/help_topics.cpp; a
test reads the compiled file and checks that both agree.

The help file is written by this script itself (no help compiler is needed) and carries no
time of its own, so the same pages always give the same bytes.

Run from the repository root: python3 tools/make_help_pages.py [--into FOLDER]
"""
import os
import struct
import sys

from install_files import INSTALL, write_file

# The installation folder written to: install/, or the folder after --into (a test compares
# what is made there with what is shipped).
if len(sys.argv) == 3 and sys.argv[1] == '--into':
    INSTALL = sys.argv[2]
POMOC = os.path.join(INSTALL, 'pomoc')
CHARSET = '<meta http-equiv="Content-Type" content="text/html; charset=windows-1250">'

# ---------------------------------------------------------------- the topics

MAIN_PAGE = 'okno_glowne.html'

# (context, component name, page, title, index words, text, pages to see as well)
TOPICS = [
    (1000, 'frmMain', MAIN_PAGE, 'Okno główne programu',
     ['okno główne', 'pasek nawigacji', 'przyciski', 'menu', 'zapisywanie zmian', 'pomoc'], '''
<p>Okno główne jest ramą wszystkich widoków programu. Po lewej stronie znajduje się
<b>pasek nawigacji</b>, po prawej &ndash; widok wybranej pozycji, a nad nimi menu i przyciski
poleceń.</p>
<h3>Pasek nawigacji</h3>
<p>Pasek dzieli się na grupy: <b>Ocena ryzyka</b>, <b>Wypadki przy pracy</b>,
<b>Badania i szkolenia</b> oraz <b>Pomoc</b>. Kliknięcie nagłówka grupy rozwija jej
pozycje i otwiera pierwszą z nich. Pozycję otwiera kliknięcie jej <b>ikony</b>; kliknięcie
samego podpisu pod ikoną tylko ją zaznacza. Gdy pozycji jest więcej, niż mieści pasek,
pojawiają się strzałki przewijania.</p>
<h3>Polecenia</h3>
<table border="1" cellpadding="3" cellspacing="0">
<tr><th>Przycisk</th><th>Menu</th><th>Klawisz</th><th>Działanie</th></tr>
<tr><td>Nowy</td><td>Plik &gt; Nowy...</td><td>Ctrl+N</td><td>rozpoczyna nowe stanowisko, nowy pomiar lub nowy dokument</td></tr>
<tr><td>Zapisz</td><td>Plik &gt; Zapisz...</td><td>Ctrl+S</td><td>zapisuje zmiany; jest dostępny dopiero po wprowadzeniu zmiany</td></tr>
<tr><td>Usuń</td><td>Edycja &gt; Usuń</td><td>Delete</td><td>usuwa zaznaczone stanowisko, pomiar lub dokument, po potwierdzeniu</td></tr>
<tr><td>Drukuj</td><td>Plik &gt; Drukuj</td><td>Ctrl+P</td><td>przygotowuje wydruk danych widoku</td></tr>
<tr><td>Modyfikuj</td><td>Edycja &gt; Modyfikuj</td><td></td><td>zmienia dane opisowe zaznaczonego pomiaru</td></tr>
<tr><td>Kopiuj</td><td>Edycja &gt; Kopiuj</td><td>Ctrl+C</td><td>zapamiętuje treść pól dokumentu</td></tr>
<tr><td>Wklej</td><td>Edycja &gt; Wklej</td><td>Ctrl+V</td><td>wpisuje zapamiętaną treść do pól innego dokumentu</td></tr>
</table>
<p>Dostępne są tylko polecenia, które mają sens w otwartym widoku; pozostałe są wyszarzone.
Gdy kursor stoi w polu tekstowym, klawisze Delete, Ctrl+C i Ctrl+V działają na tekst
pola. <b>Plik &gt; Koniec</b> zamyka program.</p>
<p>Klawisz <b>Delete</b> usuwa stanowisko, pomiar lub dokument tylko wtedy, gdy kursor stoi
na liście stanowisk, pomiarów lub dokumentów (albo poza widokiem, na przykład na pasku
nawigacji). W tabeli, w polu i na każdej innej liście widoku działa tylko tam: w tabeli
opróżnia komórkę, poza tym nie robi nic. Przed usunięciem program zawsze pyta, podając
nazwę stanowiska, datę pomiaru lub numer dokumentu, który zostanie usunięty.</p>
<h3>Klawiatura w tabelach</h3>
<p>W tabelach (na przykład zatrudnienia czy parametrów metody Risk Score) klawisz
<b>Tab</b> przechodzi do następnej komórki, a z ostatniej komórki &ndash; do następnego
elementu okna; <b>Shift+Tab</b> z pierwszej komórki wraca do poprzedniego.
<b>Ctrl+Tab</b> i <b>Ctrl+Shift+Tab</b> opuszczają tabelę z każdej komórki. Przyciski
dodawania i usuwania wierszy obok tabeli mają skróty <b>Ctrl++</b> i <b>Ctrl+-</b>,
działające, gdy kursor stoi w tabeli.</p>
<h3>Niezapisane zmiany</h3>
<p>Przed przejściem do innej pozycji paska, przed poleceniami Nowy i Drukuj oraz przy
zamykaniu programu program pyta <i>Nie zapisano danych. Zapisać?</i>, jeśli w widoku są
niezapisane zmiany. <b>Tak</b> zapisuje je, <b>Nie</b> przywraca dane zapisane wcześniej.
Jeśli zapis się nie uda, program zostaje w bieżącym widoku, aby zmiany nie przepadły.</p>
<h3>Pomoc</h3>
<p>Klawisz <b>F1</b> otwiera pomoc do widoku lub okna, w którym się pracuje; wybrany
w menu <b>Pomoc &gt; Indeks</b> otwiera tę stronę. Pomoc wyświetla przeglądarka plików pomocy
systemu (xchm lub kchmviewer); gdy żadnej nie ma, program wyświetla komunikat
<i>MS Html Help is not installed on this PC.</i></p>
''', ['stanowiska.html', 'pomiary.html', 'dokumenty.html', 'strona_www.html']),

    (1010, 'pMainWWW', 'strona_www.html', 'Strony informacyjne',
     ['strony informacyjne', 'O programie', 'odnośniki'], '''
<p>Pozycje paska nawigacji, które zawierają opisy i teksty (na przykład <b>O programie</b>
w grupie <b>Pomoc</b>), wyświetlają swoją stronę w prawej części okna głównego.</p>
<ul>
<li>Kliknięcie odnośnika do innej strony programu otwiera ją w tym samym miejscu.</li>
<li>Odnośnik do strony internetowej, adresu poczty lub dokumentu innego rodzaju otwiera
program, którego system używa do takich plików.</li>
<li>Klawisze <b>Alt+&larr;</b> i <b>Alt+&rarr;</b> przechodzą do strony poprzedniej
i następnej.</li>
</ul>
<p>Strona informacyjna nie zmienia widoku, którego dotyczą polecenia paska narzędzi:
działają one dalej na ostatnio otwartym widoku danych. Jeśli pliku strony brakuje, w jej
miejscu pojawia się napis <i>Nie można otworzyć strony</i> z nazwą pliku.</p>
''', [MAIN_PAGE]),

    (1100, 'pDefStan', 'stanowiska.html', 'Stanowiska pracy',
     ['stanowiska pracy', 'zatrudnienie', 'czynniki na stanowisku', 'REGON', 'karta stanowiska'], '''
<p>Widok <b>Stanowiska pracy</b> (grupa <b>Ocena ryzyka</b>) prowadzi listę stanowisk
zakładu. Dla każdego stanowiska przechowuje dane ogólne, czynniki szkodliwe, uciążliwe
i niebezpieczne występujące na nim oraz liczbę zatrudnionych w kolejnych latach.</p>
<h3>Praca ze stanowiskami</h3>
<ol>
<li>Aby obejrzeć lub zmienić stanowisko, kliknij je na <b>Liście stanowisk</b>.</li>
<li>Aby dodać stanowisko, kliknij <b>Nowy</b>, wypełnij co najmniej pole
<b>Nazwa stanowiska</b> i kliknij <b>Zapisz</b>. Nazwa nie może powtarzać nazwy innego
stanowiska.</li>
<li>Zmiany wprowadzone w polach zapisuje przycisk <b>Zapisz</b>.</li>
<li><b>Usuń</b> usuwa zaznaczone stanowisko wraz ze wszystkimi jego danymi i pomiarami,
po potwierdzeniu pytania, które podaje nazwę stanowiska.</li>
</ol>
<h3>Zakładka Dane ogólne stanowiska</h3>
<p>Nazwa i kod stanowiska, data założenia rejestru, lokalizacja, numer karty, opis
stanowiska oraz numer REGON zakładu.</p>
<h3>Zakładka Czynniki</h3>
<p>Lista <b>Czynniki na stanowisku</b> pokazuje czynniki, które występują na stanowisku;
dla nich wprowadza się pomiary w widoku <a href="pomiary.html">Pomiary i ocena ryzyka</a>.
Przycisk <b>Wybierz czynniki na stanowisku</b> otwiera okno
<a href="czynniki_na_stanowisku.html">Czynniki na stanowisku</a>, w którym zmienia się tę
listę; nowe stanowisko trzeba przedtem zapisać. Czynnik usunięty z listy nie traci swoich
pomiarów.</p>
<h3>Zakładka Zatrudnienie</h3>
<p>Tabela liczby zatrudnionych w kolejnych latach: mężczyźni, kobiety ogółem, kobiety
w ciąży, młodociani, pracujący w porze nocnej i narażeni. Przyciski nad tabelą dodają
wiersz (z kolejnym rokiem; <b>Ctrl++</b>) i usuwają zaznaczony wiersz (<b>Ctrl+-</b>, po
potwierdzeniu pytania podającego rok). Komórki przyjmują tylko liczby; pusta komórka
oznacza 0, a klawisz <b>Delete</b> opróżnia zaznaczoną komórkę. Liczby zatrudnionych
decydują, dla których grup pracowników ocenia się ryzyko zawodowe.</p>
<p>Liczby roku muszą do siebie pasować. Program nie przyjmuje liczby ujemnej, liczby
kobiet w ciąży większej niż liczba kobiet ogółem ani liczby pracujących w porze nocnej lub
narażonych większej niż liczba zatrudnionych ogółem (mężczyźni, kobiety ogółem
i młodociani razem). Komunikat podaje kolumny, których dotyczy, a komórka zachowuje
poprzednią wartość.</p>
<p>Klawisz <b>Tab</b> przechodzi między komórkami, a z ostatniej komórki tabeli opuszcza
ją; <b>Ctrl+Tab</b> opuszcza tabelę z każdej komórki.</p>
''', ['pomiary.html', 'czynniki_na_stanowisku.html', MAIN_PAGE]),

    (1200, 'pRyzZakl', 'pomiary.html', 'Pomiary i ocena ryzyka',
     ['pomiary', 'ocena ryzyka', 'wyniki pomiarów', 'czynniki', 'karta pomiarów'], '''
<p>W widoku <b>Pomiary i ocena ryzyka</b> wprowadza się wyniki pomiarów czynników
występujących na stanowiskach, a program ocenia na ich podstawie ryzyko zawodowe.</p>
<h3>Wybór pomiaru</h3>
<ol>
<li>Wybierz stanowisko z listy <b>Stanowisko pracy</b> u góry widoku.</li>
<li>Kliknij czynnik na liście <b>Czynniki</b>. Są na niej czynniki wybrane dla stanowiska
w widoku <a href="stanowiska.html">Stanowiska pracy</a>.</li>
<li>Kliknij datę pomiaru na liście <b>Pomiary</b>; w prawej części pojawią się jego
zakładki.</li>
</ol>
<h3>Nowy pomiar</h3>
<p><b>Nowy</b> otwiera okno <a href="dane_pomiaru.html">Dane pomiarowe czynnika</a>, w którym
podaje się datę i opis pomiaru. <b>Modyfikuj</b> zmienia te dane dla zaznaczonego pomiaru.
Po zatwierdzeniu pomiar pojawia się na liście, a jego wyniki wpisuje się na zakładkach.</p>
<h3>Wyniki pomiaru</h3>
<p>Zakładki pomiaru zależą od czynnika (hałas, drgania, pyły, substancje chemiczne,
oświetlenie, mikroklimat i inne). Liczby wpisuje się z kropką lub przecinkiem dziesiętnym.
Pole opuszcza się klawiszem <b>Tab</b>; program wtedy przelicza wartości pochodne,
porównuje wyniki z wartościami dopuszczalnymi i ustala poziom ryzyka. Przycisk <b>+</b>
obok pola otwiera <a href="lista_wyboru.html">Listę wyboru</a>. Pola szare są wyliczane
przez program i nie można ich zmieniać.</p>
<p>Ostatnia zakładka, <a href="ocena_ryzyka.html">Ocena ryzyka zawodowego</a>, pokazuje
wynik oceny.</p>
<h3>Zapisywanie i usuwanie</h3>
<p><b>Zapisz</b> zapisuje pomiary czynnika. <b>Usuń</b> usuwa zaznaczony pomiar po
potwierdzeniu pytania <i>Czy na pewno usunąć wybrany pomiar?</i>, które podaje datę
pomiaru i czynnik. Przy przejściu do innego czynnika lub stanowiska program proponuje
zapisanie zmian.</p>
''', ['dane_pomiaru.html', 'ocena_ryzyka.html', 'lista_wyboru.html', 'stanowiska.html']),

    (1210, 'pOcenaRyz', 'ocena_ryzyka.html', 'Ocena ryzyka zawodowego',
     ['ocena ryzyka', 'poziom ryzyka', 'ocena końcowa', 'praca wzbroniona', 'środki ograniczające ryzyko'], '''
<p>Zakładka <b>Ocena ryzyka zawodowego</b> w widoku <a href="pomiary.html">Pomiary i ocena
ryzyka</a> pokazuje poziom ryzyka ustalony z wyników pomiaru.</p>
<ul>
<li>Grupy <b>Mężczyźni</b>, <b>Kobiety</b>, <b>Kobiety w ciąży</b> i <b>Młodociani</b>
pokazują ryzyko każdej grupy pracowników: <span style="color:#008000"><b>Małe</b></span>,
<span style="color:#c0a000"><b>Średnie</b></span> lub
<span style="color:#ff0000"><b>Duże</b></span>. Wyznacza je program; nie zmienia się ich
ręcznie. Grupa, której nie zatrudnia się na stanowisku w roku pomiaru, nie ma oceny.</li>
<li><b>Ocena łączna</b> to najwyższe ryzyko spośród grup zatrudnionych na stanowisku.</li>
<li><b>Ocena końcowa</b> przyjmuje ocenę łączną; specjalista może ją zmienić, klikając
inny poziom. Kliknięcie nagłówka <b>Ocena końcowa</b> oznacza ocenę
<i>Praca wzbroniona</i> (nagłówek staje się czerwony); ponowne kliknięcie ją znosi.</li>
<li>W polu <b>Środki ograniczające ryzyko zawodowe</b> opisuje się działania, które
zmniejszają ryzyko na stanowisku.</li>
</ul>
<p>Ocenę i środki zapisuje polecenie <b>Zapisz</b> razem z pomiarem.</p>
''', ['pomiary.html']),

    (1220, 'frmNowyPomiar', 'dane_pomiaru.html', 'Dane pomiarowe czynnika',
     ['nowy pomiar', 'data pomiaru', 'metoda pomiaru', 'interpretacja wyniku'], '''
<p>Okno <b>Dane pomiarowe czynnika</b> otwierają polecenia <b>Nowy</b> (nowy pomiar
zaznaczonego czynnika) i <b>Modyfikuj</b> (zmiana danych zaznaczonego pomiaru) w widoku
<a href="pomiary.html">Pomiary i ocena ryzyka</a>.</p>
<ul>
<li><b>Data pomiaru</b> &ndash; dzień wykonania pomiaru (rok-miesiąc-dzień). Czynnik nie
może mieć dwóch pomiarów z tą samą datą; program zgłasza wtedy <i>Pomiar z tą datą już
jest na liście pomiarów!</i>.</li>
<li><b>Miejsce pomiaru</b>, <b>Wykonujący pomiar</b>, <b>Metoda pomiaru</b> &ndash; opis
pomiaru, przenoszony na wydruki.</li>
<li><b>Interpretacja wyniku</b> &ndash; dowolny komentarz do wyniku.</li>
</ul>
<p><b>OK</b> przyjmuje dane (nowy pomiar otrzymuje wartości początkowe formularza
czynnika), <b>Anuluj</b> zamyka okno bez zmian. Dane zapisuje na dysku polecenie
<b>Zapisz</b> okna głównego.</p>
''', ['pomiary.html']),

    (1300, 'pDokum', 'dokumenty.html', 'Dokumenty wypadkowe, badania i szkolenia',
     ['dokumenty', 'protokół powypadkowy', 'karta wypadku', 'rejestr wypadków', 'statystyczna karta wypadku',
      'skierowanie na badania', 'zaświadczenie o szkoleniu', 'karta szkolenia wstępnego',
      'kopiowanie dokumentu'], '''
<p>Pozycje grup <b>Wypadki przy pracy</b> oraz <b>Badania i szkolenia</b> otwierają widok
dokumentów danego rodzaju:</p>
<ul>
<li>Protokół powypadkowy (protokół ustalenia okoliczności i przyczyn wypadku przy pracy),</li>
<li>Karta wypadku,</li>
<li>Protokół przesłuchania,</li>
<li>Polecenia powypadkowe,</li>
<li>Rejestr wypadków,</li>
<li>Statystyczna karta wypadku,</li>
<li>Karta wypadku w drodze (do pracy lub z pracy),</li>
<li>Skierowanie na badania lekarskie,</li>
<li>Zaświadczenie o ukończeniu szkolenia,</li>
<li>Karta szkolenia wstępnego.</li>
</ul>
<h3>Praca z dokumentami</h3>
<ol>
<li>Po otwarciu pozycji widok przygotowuje nowy, pusty dokument. Pola dokumentu są
rozmieszczone na zakładkach odpowiadających stronom urzędowego wzoru.</li>
<li>Pola z przyciskiem <b>+</b> wypełnia się z <a href="lista_wyboru.html">Listy
wyboru</a>, na przykład przyczyny wypadku lub zawody; można je też wpisać ręcznie.
Pola z rozwijaną listą przyjmują tylko pozycje z listy.</li>
<li><b>Zapisz</b> zapisuje dokument; pojawia się on na <b>Liście dokumentów</b> po lewej
stronie z datą i opisem wziętymi z jego pól.</li>
<li>Kliknięcie pozycji na liście otwiera zapisany dokument. Dokument zapisany według
starszego wzoru otwiera się w układzie tego wzoru.</li>
<li><b>Usuń</b> usuwa otwarty dokument po potwierdzeniu pytania, które podaje jego numer,
datę i opis z listy.</li>
<li><b>Kopiuj</b> zapamiętuje treść pól dokumentu, a <b>Wklej</b> wpisuje ją do innego
dokumentu tego samego rodzaju, na przykład aby przygotować podobny dokument.</li>
<li><b>Drukuj</b> otwiera okno <a href="wydruk_dokumentu.html">Wydruk</a> i drukuje
dokument na urzędowym wzorze.</li>
</ol>
<p>Dokumenty rodzaju, którego definicja lub lista ma inną wersję niż konfiguracja
programu, można przeglądać, ale nie zapisywać; program uprzedza o tym komunikatem.</p>
''', ['lista_wyboru.html', 'wydruk_dokumentu.html', MAIN_PAGE]),

    (1320, 'frmWydruk', 'wydruk_dokumentu.html', 'Wydruk dokumentu',
     ['wydruk dokumentu', 'puste formularze', 'strony wydruku'], '''
<p>Polecenie <b>Drukuj</b> w widoku dokumentów otwiera okno <b>Wydruk</b>. Okno pokazuje
strony urzędowego wzoru, które ma dokument (<b>Strona 1</b>, <b>Strona 2</b>, &hellip;);
wydrukowane zostaną strony zaznaczone.</p>
<ul>
<li><b>Drukuj puste formularze</b> drukuje zaznaczone strony wzoru bez danych, do
wypełnienia ręcznie.</li>
<li><b>OK</b> przygotowuje wydruk i pokazuje go w oknie
<a href="podglad_wydruku.html">Podgląd wydruku</a>, z którego drukuje się na drukarce lub do
pliku PDF.</li>
<li><b>Anuluj</b> zamyka okno bez wydruku.</li>
</ul>
<p>Dokument zapisany według starszego wzoru drukuje się na stronach tego wzoru.</p>
''', ['dokumenty.html', 'podglad_wydruku.html']),

    (1400, 'frmTree', 'lista_wyboru.html', 'Lista wyboru',
     ['lista wyboru', 'wybór z listy', 'klasyfikacja'], '''
<p>Okno <b>Lista wyboru</b> otwiera przycisk <b>+</b> obok pola dokumentu lub formularza
pomiaru. Pokazuje drzewo pozycji (na przykład klasyfikację przyczyn wypadków, zawodów lub
metod pomiaru) z zaznaczoną pozycją, która jest już w polu.</p>
<ul>
<li>Gałąź drzewa rozwija się kliknięciem znaku obok niej lub podwójnym kliknięciem.</li>
<li><b>Wybierz</b> wpisuje zaznaczoną pozycję do pola. Wybierać można tylko pozycje
z najniższego poziomu drzewa; przy próbie wybrania gałęzi program wyświetla komunikat
<i>Można wybierać tylko pozycje z najniższego poziomu.</i></li>
<li><b>Rezygnuj z wyboru</b> opróżnia pole.</li>
<li><b>Zamknij</b> zamyka okno i pozostawia pole bez zmian.</li>
</ul>
''', ['dokumenty.html', 'pomiary.html']),

    (1500, 'pZestaw', 'zestawienie.html', 'Zestawienie pomiarów',
     ['zestawienie pomiarów', 'zakres dat', 'OSTATNIE', 'WSZYSTKIE', 'przegląd pomiarów'], '''
<p>Widok <b>Zestawienie pomiarów</b> (grupa <b>Ocena ryzyka</b>) służy do przeglądania
pomiarów stanowiska z wybranego okresu i do wydruku rejestrów, kart i zestawień. Niczego
w nim nie można zmienić: pomiary zmienia się w widoku
<a href="pomiary.html">Pomiary i ocena ryzyka</a>.</p>
<ol>
<li>Wybierz stanowisko z listy <b>Stanowisko :</b>.</li>
<li>Podaj zakres dat w polach <b>od</b> i <b>do</b>. Rok, miesiąc lub dzień można wpisać
z klawiatury: kliknięcie w część daty zaznacza ją, a wpisane cyfry ją zastępują; strzałki
zmieniają zaznaczoną część o jeden.</li>
<li>Wybierz <b>OSTATNIE</b> (tylko najnowszy pomiar każdego czynnika z podanego zakresu)
lub <b>WSZYSTKIE</b> (każdy pomiar z zakresu).</li>
<li>Kliknij <b>Wyświetl</b>. <b>Lista czynników</b> pokazuje aktualne czynniki stanowiska,
które mają pomiar w zakresie; kliknięcie czynnika wypełnia listę <b>Pomiary</b>,
a kliknięcie daty pokazuje pomiar po prawej stronie.</li>
</ol>
<p>Po zmianie dat lub wyboru OSTATNIE/WSZYSTKIE listy są nieczynne, dopóki nie klikniesz
ponownie <b>Wyświetl</b>: pokazują zawsze to, co wejdzie na wydruk.</p>
<h3>Wydruki</h3>
<p><b>Drukuj</b> otwiera okno <a href="wydruki_zestawienia.html">Wydruk</a> z rejestrem
czynników szkodliwych, kartami badań, kartą oceny ryzyka zawodowego i zestawieniami.
Wybrane tu stanowisko, zakres dat i wybór OSTATNIE/WSZYSTKIE decydują o tym, co zostanie
wydrukowane.</p>
''', ['wydruki_zestawienia.html', 'pomiary.html', 'stanowiska.html']),

    (1510, 'frmWydrukRej', 'wydruki_zestawienia.html', 'Wydruk rejestrów, kart i zestawień',
     ['rejestr czynników szkodliwych', 'karta badań i pomiarów', 'karta oceny ryzyka zawodowego',
      'informacje zbiorcze', 'kategorie ryzyka', 'wykaz czynników szkodliwych', 'Brak danych do wydruku'], '''
<p>Okno <b>Wydruk</b> otwiera polecenie <b>Drukuj</b> w widoku
<a href="zestawienie.html">Zestawienie pomiarów</a>. W grupie <b>Rodzaj zestawienia</b>
wybiera się wydruk, a na zakładce pod nią jego opcje. <b>Wydruk</b> przygotowuje strony
i pokazuje je w oknie <a href="podglad_wydruku.html">Podgląd wydruku</a>; <b>Zamknij</b>
zamyka okno.</p>
<h3>Rejestr i karta badań czynników</h3>
<p>Rejestr czynników szkodliwych dla zdrowia występujących na stanowisku wybranym
w zestawieniu oraz karty badań i pomiarów czynników szkodliwych (chemicznych, pyłów,
fizycznych) i uciążliwych. Karty zawierają pomiary z zakresu dat zestawienia, po trzy
pomiary na stronie. Tabela zatrudnienia rejestru pokazuje cztery ostatnie lata.</p>
<h3>Karta oceny ryzyka zawodowego</h3>
<p>Karta stanowiska wybranego w zestawieniu: czynniki z datą pomiaru, oceną ryzyka bez
środków ograniczających ryzyko i z nimi oraz tymi środkami. Liczba osób zatrudnionych
pochodzi z najnowszego roku tabeli zatrudnienia, który nie jest późniejszy niż data karty.
Na zakładce podaje się numer karty, autora, zatwierdzającego, dokumenty związane, środki
ochrony indywidualnej i listę pracowników (przycisk <b>&lt;</b> dodaje wpisane nazwisko,
<b>&gt;</b> usuwa zaznaczone); <b>Uwzględnij wybranych</b> drukuje zaznaczonych
pracowników do potwierdzenia.</p>
<h3>Informacje zbiorcze o stanowiskach</h3>
<p>Dla wszystkich stanowisk: dane ogólne, lokalizacja i zatrudnienie w latach objętych
zakresem dat (opcja <b>administracja</b>) oraz oceny ryzyka czynników z pomiarów z tego
zakresu (opcja <b>ocena ryzyka</b>).</p>
<h3>Zestawienie stanowisk wg kategorii ryzyka</h3>
<p>Czynniki według kategorii ryzyka (duże, średnie, małe) ich najnowszego pomiaru,
a pod każdym czynnikiem stanowiska, na których występuje. Czynniki bez ustalonej oceny
są wymienione na końcu, pod nagłówkiem <i>nieustalone</i>.</p>
<h3>Wykaz czynników szkodliwych i uciążliwych</h3>
<p>Czynniki występujące na stanowiskach, według grup albo tylko czynniki rakotwórcze.</p>
<h3>Gdy nie ma czego drukować</h3>
<p>Program wyświetla komunikat <i>Brak danych do wydruku</i> z przyczyną, na przykład gdy
w zestawieniu nie wybrano stanowiska (rejestr, karty i karta oceny ryzyka dotyczą
wybranego stanowiska), gdy data <b>od</b> jest późniejsza niż <b>do</b> albo gdy żaden
pomiar nie mieści się w zakresie dat.</p>
''', ['zestawienie.html', 'podglad_wydruku.html']),

    (1600, 'pWyswCzynniki', 'katalog_czynnikow.html', 'Katalog czynników',
     ['katalog czynników', 'substancje chemiczne', 'numer CAS', 'czynniki biologiczne', 'NDS',
      'czynniki fizyczne', 'czynniki uciążliwe', 'pyły'], '''
<p>Widok <b>Katalog czynników</b> (grupa <b>Ocena ryzyka</b>) pokazuje czynniki, które
można wybrać dla stanowisk, według grup. Ten sam katalog jest częścią okna
<a href="czynniki_na_stanowisku.html">Czynniki na stanowisku</a>.</p>
<ol>
<li>Wybierz grupę z listy <b>Grupa czynników</b>.</li>
<li><b>Aktualne</b> pokazuje tylko czynniki aktualne, <b>Wszystkie</b> także dawne.</li>
<li>Kliknij czynnik na liście. Nazwa zbyt długa, aby zmieścić się na liście, pokazuje się
w całości po zatrzymaniu nad nią wskaźnika myszy. Na liście można też przejść do pozycji,
wpisując jej pierwszą literę.</li>
</ol>
<h3>Substancje chemiczne i czynniki biologiczne</h3>
<p>Dla substancji chemicznej po prawej stronie widać pełną nazwę, numer CAS, wartości
dopuszczalne (NDS, NDSCh, NDSP) i zwroty H, a grupy, do których należy, są wyróżnione
niebieskim kolorem. Zaznacz grupy i kliknij <b>Pokaż</b>, aby wyświetlić tylko substancje
z tych grup (<b>sklasyfikowane wg CLP</b> przełącza podział na grupy). Pole <b>Nazwa lub
numer CAS</b> z przyciskiem <b>Szukaj</b> wyszukuje substancje zawierające podany tekst.
<b>Pokaż</b> i zmiana grupy wyświetlają listę bez wyszukiwania, więc pole wyszukiwania
jest wtedy czyszczone.</p>
<p>Dla czynnika biologicznego widać grupę zagrożenia i oznaczenia dodatkowe; pola
<b>Bakterie</b>, <b>Wirusy</b>, <b>Pasożyty</b>, <b>Grzyby</b> z przyciskiem <b>Pokaż</b>
zawężają listę.</p>
<h3>Czynniki fizyczne, uciążliwe i pyły</h3>
<p>Kliknięcie czynnika pokazuje jego pusty formularz pomiaru, taki jak w widoku
<a href="pomiary.html">Pomiary i ocena ryzyka</a>; w katalogu nie można go wypełnić.</p>
<h3>Czynniki własne</h3>
<p>Lista <b>Czynniki własne</b> zawiera czynniki określone przez użytkownika, oceniane
metodą 5 kroków lub Risk Score. Przycisk <b>Edycja</b> (lub prawy przycisk myszy na liście)
otwiera menu <b>Nowy</b>, <b>Edytuj</b>, <b>Usuń</b>; patrz
<a href="czynnik_wlasny.html">Czynnik własny</a>.</p>
''', ['czynnik_wlasny.html', 'czynniki_na_stanowisku.html', 'stanowiska.html']),

    (1610, 'frmCzynnWl', 'czynnik_wlasny.html', 'Czynnik własny',
     ['czynnik własny', '5 kroków', 'zmiana nazwy czynnika', 'usuwanie czynnika własnego',
      'czynnik nieaktualny'], '''
<p>Okno <b>Czynnik własny</b> otwierają polecenia <b>Nowy</b> i <b>Edytuj</b> menu
<b>Edycja</b> listy czynników własnych w widoku <a href="katalog_czynnikow.html">Katalog
czynników</a>. Czynnik własny należy do grupy wybranej w katalogu.</p>
<ul>
<li><b>Metoda oceny ryzyka</b>: <b>5 kroków</b> lub <b>risk score</b>. Metody nie można
zmienić po utworzeniu czynnika. Przycisk <b>Parametry</b> otwiera
<a href="parametry_risk_score.html">Parametry metody Risk Score</a>.</li>
<li><b>Nazwa</b> czynnika (do 120 znaków) nie może powtarzać nazwy czynnika z katalogu
grupy ani innego czynnika własnego; wielkość liter nie ma znaczenia.</li>
<li><b>Rodzaj czynnika</b> (szkodliwy lub niebezpieczny) wybiera się tylko dla czynników
fizycznych.</li>
<li><b>Status czynnika</b> pojawia się przy edycji czynnika nieaktualnego i pozwala
przywrócić go jako aktualny.</li>
</ul>
<h3>Usuwanie</h3>
<p><b>Usuń</b> po potwierdzeniu nadaje czynnikowi status nieaktualnego: znika z listy
aktualnych czynników katalogu, a jego pomiary pozostają.</p>
<h3>Czynnik na stanowiskach</h3>
<p>Stanowisko przechowuje czynnik pod nazwą, którą miał, gdy go dodano. Po zmianie nazwy
lub usunięciu czynnika program wymienia stanowiska, na których czynnik jest nadal aktualny
pod dotychczasową nazwą (tak też jest drukowany). Aby stanowisko podawało nową nazwę albo
nie zawierało czynnika, otwórz na nim <a href="czynniki_na_stanowisku.html">Czynniki na
stanowisku</a>, usuń czynnik z listy (i przy zmianie nazwy dodaj go ponownie), a potem
zapisz stanowisko.</p>
''', ['katalog_czynnikow.html', 'parametry_risk_score.html', 'czynniki_na_stanowisku.html']),

    (1620, 'frmStanCzyn', 'czynniki_na_stanowisku.html', 'Czynniki na stanowisku',
     ['czynniki na stanowisku', 'wybór czynników', 'dodawanie czynnika', 'pyły aktualne'], '''
<p>Okno <b>Czynniki na stanowisku</b> otwiera przycisk <b>Wybierz czynniki na
stanowisku</b> na zakładce <b>Czynniki</b> widoku <a href="stanowiska.html">Stanowiska
pracy</a>. Po lewej stronie jest lista czynników stanowiska, po prawej
<a href="katalog_czynnikow.html">Katalog czynników</a> z czynnikami własnymi.</p>
<ul>
<li><b>&lt;&lt; dodaj</b> dodaje do listy czynnik zaznaczony w katalogu (lub na liście
czynników własnych). Czynnik, który już jest na liście, nie zostanie dodany drugi raz.
Na jednej liście nie mogą być jednocześnie pyły aktualne i dawne.</li>
<li><b>&gt;&gt; usuń</b> usuwa z listy zaznaczony czynnik po potwierdzeniu pytania, które
podaje jego nazwę. Jego pomiary pozostają; czynnik staje się nieaktualny na stanowisku
i można go później dodać ponownie.</li>
<li><b>OK</b> przenosi zmiany na stanowisko (zapisuje je polecenie <b>Zapisz</b>),
<b>Anuluj</b> zamyka okno bez zmian.</li>
</ul>
''', ['stanowiska.html', 'katalog_czynnikow.html', 'czynnik_wlasny.html']),

    (1700, 'VRStandardPreview', 'podglad_wydruku.html', 'Podgląd wydruku',
     ['podgląd wydruku', 'drukowanie', 'PDF', 'szukanie w wydruku'], '''
<p>Okno podglądu pokazuje przygotowane strony wydruku. Podpisy jego przycisków są
angielskie:</p>
<ul>
<li><b>Fit</b>, <b>Width</b> i <b>100%</b> zmieniają powiększenie strony;</li>
<li><b>|&lt;</b>, <b>&lt;</b>, <b>&gt;</b>, <b>&gt;|</b> i <b>Page...</b> przechodzą między
stronami; zakładka z miniaturami pokazuje wszystkie strony, a strzałki przechodzą między
nimi;</li>
<li><b>Find</b> wyszukuje tekst na stronach, także z polskimi znakami; wyniki są
wymienione na zakładce wyników;</li>
<li><b>Setup...</b> wybiera drukarkę, a <b>Print</b> drukuje; gdy w systemie nie ma
drukarki, program proponuje zapis do pliku PDF;</li>
<li><b>Save</b> i <b>Load</b> zapisują przygotowane strony do pliku i otwierają je
ponownie;</li>
<li><b>Close</b> zamyka podgląd.</li>
</ul>
''', ['wydruki_zestawienia.html', 'wydruk_dokumentu.html']),

    (9150, 'frmParamRiscScore', 'parametry_risk_score.html', 'Parametry metody Risk Score',
     ['Risk Score', 'parametry metody Risk Score', 'prawdopodobieństwo', 'ekspozycja', 'skutki',
      'wskaźnik ryzyka'], '''
<p>Metodą Risk Score ocenia się ryzyko czynników własnych, których nie mierzy się
przyrządem. Wskaźnik ryzyka <b>R</b> jest iloczynem trzech parametrów:
prawdopodobieństwa zdarzenia <b>P</b>, ekspozycji na zagrożenie <b>E</b> i skutków
zdarzenia <b>S</b>. Okno <b>Parametry metody Risk score</b> pokazuje tabele tych
parametrów i przedziały wskaźnika R, którym odpowiadają poziomy ryzyka programu.</p>
<ul>
<li>Tabele <b>Prawdopodobieństwo [P]</b>, <b>Ekspozycja [E]</b> i <b>Skutki [S]</b> zawierają
opisy kolejnych poziomów i ich wartości liczbowe.</li>
<li>Tabela <b>Wskaźnik ryzyka [R]</b> podaje dla pięciu przedziałów najmniejszą wartość R
i odpowiadający jej poziom ryzyka, a tabela <b>Interpretacja wskaźnika ryzyka [R]</b>
pokazuje wynikające z nich zakresy.</li>
</ul>
<h3>Zmiana parametrów</h3>
<ol>
<li>Kliknij <b>Edytuj</b>; tabele stają się edytowalne, a obok nich pojawiają się
przyciski dodawania i usuwania wierszy.</li>
<li>Popraw opisy i wartości. Komórki wartości przyjmują tylko liczby. Klawisz
<b>Delete</b> opróżnia komórkę, a <b>Ctrl++</b> i <b>Ctrl+-</b> dodają i usuwają wiersz
tabeli, w której stoi kursor. Opis dłuższy niż kolumna pokazuje się w całości po
zatrzymaniu nad nim wskaźnika myszy.</li>
<li>Kliknij <b>Zapisz / Ustaw bieżącą</b>. Program sprawdza tabele i wskazuje pierwszy
błąd; poprawne parametry zapisuje i stosuje w kolejnych ocenach metodą Risk Score.</li>
</ol>
<p><b>Zamknij</b> zamyka okno. Jeśli w trybie edycji parametrów nie zapisano od ostatniej
zmiany, program pyta przedtem, czy zamknąć okno bez zapisywania zmian. Oceny zapisane
wcześniej nie zmieniają się; nowe parametry obowiązują w ocenach wykonywanych od chwili
zapisu.</p>
''', ['pomiary.html']),
]

# ---------------------------------------------------------------- the pages


def title_of(page):
    for _, _, p, title, _, _, _ in TOPICS:
        if p == page:
            return title
    raise KeyError(page)


def page_lines(title, body, see):
    out = ['<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">', '<html>', '<head>', CHARSET,
           '<title>%s</title>' % title, '</head>', '<body>', '<h2>%s</h2>' % title]
    out += body.strip('\n').split('\n')
    if see:
        out.append('<p><b>Zobacz też:</b> %s</p>'
                   % ', '.join('<a href="%s">%s</a>' % (p, title_of(p)) for p in see))
    out += ['<hr>', '<p><a href="%s">Spis tematów pomocy</a></p>' % MAIN_PAGE, '</body>', '</html>']
    return out


def main_page_body(body):
    """The main window's page also lists every topic."""
    items = ''.join('<li><a href="%s">%s</a></li>\n' % (p, t) for _, _, p, t, _, _, _ in TOPICS if p != MAIN_PAGE)
    return body + '<h3>Tematy pomocy</h3>\n<ul>\n' + items + '</ul>\n'


ABOUT_PAGE = '''
<p>Program wspomaga specjalistę do spraw bezpieczeństwa i higieny pracy w prowadzeniu
dokumentacji zakładu pracy.</p>
<h3>Ocena ryzyka</h3>
<ul>
<li><b>Stanowiska pracy</b> &ndash; opis stanowisk, zatrudnienie i czynniki występujące na stanowisku.</li>
<li><b>Pomiary i ocena ryzyka</b> &ndash; wyniki pomiarów czynników i ocena ryzyka zawodowego.</li>
<li><b>Zestawienie pomiarów</b> &ndash; przegląd pomiarów stanowisk i wydruki rejestrów.</li>
<li><b>Katalog czynników</b> &ndash; czynniki szkodliwe, uciążliwe i niebezpieczne oraz czynniki własne.</li>
</ul>
<h3>Wypadki przy pracy, badania i szkolenia</h3>
<p>Dokumenty są wypełniane na ekranie, zapisywane i drukowane na urzędowych wzorach.
Przycisk <b>Nowy</b> rozpoczyna nowy dokument, <b>Zapisz</b> zapisuje zmiany,
<b>Drukuj</b> przygotowuje wydruk, a <b>Kopiuj</b> i <b>Wklej</b> przenoszą dane
między dokumentami.</p>
<h3>Nawigacja</h3>
<p>Kliknięcie ikony pozycji na pasku po lewej stronie otwiera ją; kliknięcie samego
podpisu tylko ją zaznacza.</p>
<h3>Pomoc</h3>
<p>Klawisz <b>F1</b> otwiera pomoc do widoku, w którym się pracuje. Tematy pomocy:</p>
'''


def about_lines():
    body = ABOUT_PAGE + '<ul>\n' + ''.join(
        '<li><a href="%s">%s</a></li>\n' % (p, t) for _, _, p, t, _, _, _ in TOPICS) + '</ul>\n'
    out = ['<html>', '<head>', CHARSET, '<title>Tarvelin</title>', '</head>', '<body>', '<h2>Tarvelin</h2>']
    out += body.strip('\n').split('\n')
    out += ['</body>', '</html>']
    return out


def write_pages():
    for context, _, page, title, _, body, see in TOPICS:
        if page == MAIN_PAGE:
            body = main_page_body(body)
        write_file(os.path.join(POMOC, page), page_lines(title, body, see))
    write_file(os.path.join(POMOC, 'tarvelin.htm'), about_lines())

# ---------------------------------------------------------------- the help file


def sitemap_item(name, page):
    return ('<LI> <OBJECT type="text/sitemap"><param name="Name" value="%s">'
            '<param name="Local" value="%s"></OBJECT>' % (name, page))


def contents_lines():
    out = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', '<HTML>', '<HEAD>', CHARSET, '</HEAD>', '<BODY>', '<UL>',
           sitemap_item(title_of(MAIN_PAGE), MAIN_PAGE), '<UL>']
    out += [sitemap_item(t, p) for _, _, p, t, _, _, _ in TOPICS if p != MAIN_PAGE]
    out += ['</UL>', '</UL>', '</BODY>', '</HTML>']
    return out


def index_lines():
    words = sorted(((w, p) for _, _, p, _, ws, _, _ in TOPICS for w in ws), key=lambda e: e[0].lower())
    out = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', '<HTML>', '<HEAD>', CHARSET, '</HEAD>', '<BODY>', '<UL>']
    out += [sitemap_item(w, p) for w, p in words]
    out += ['</UL>', '</BODY>', '</HTML>']
    return out


# The help file is written here rather than by a help compiler: every file is stored as
# is (the format allows it and every reader handles it), and the context map is written
# with the page names the viewers look up. chmcmd, the one compiler on this system, writes
# the absolute path of its working folder into that map, which leaves the topics
# unreachable once the folder is gone and the file different at every compile.

LCID_POLISH = 0x0415
CHUNK = 0x1000
DENSITY = 2  # a quick reference every 1 + 2**DENSITY entries of a listing chunk
GUID_ITSF_1 = bytes.fromhex('10fd017caa7bd0119e0c00a0c922e6ec')
GUID_ITSF_2 = bytes.fromhex('11fd017caa7bd0119e0c00a0c922e6ec')
GUID_ITSP = bytes.fromhex('6a92025d2e21d0119df900a0c922e6ec')


def encint(value):
    """A number of the listing: seven bits a byte, most significant first."""
    out = [value & 0x7f]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7f))
        value >>= 7
    return bytes(reversed(out))


def cp1250(text):
    return text.encode('cp1250') + b'\0'


def system_file():
    def record(code, data):
        return struct.pack('<HH', code, len(data)) + data
    language = struct.pack('<IIIII', LCID_POLISH, 0, 0, 0, 0) + b'\0' * 16  # no search, no times
    return (struct.pack('<I', 3) + record(0, cp1250('Tarvelin.hhc')) + record(1, cp1250('Tarvelin.hhk'))
            + record(2, cp1250(MAIN_PAGE)) + record(3, cp1250('Tarvelin - pomoc')) + record(4, language))


def context_files():
    """#IVB (the context numbers with their names' places) and #STRINGS (the page names)."""
    strings = b'\0'
    pairs = b''
    for context, _, page, *_ in TOPICS:
        pairs += struct.pack('<II', context, len(strings))
        strings += cp1250(page)
    return struct.pack('<I', len(pairs)) + pairs, strings


def listing_chunk(entries):
    """One listing chunk for (name, offset, length) entries of the uncompressed section."""
    body = b''
    starts = []
    for name, offset, length in entries:
        starts.append(len(body))
        raw = name.encode('utf-8')
        body += encint(len(raw)) + raw + encint(0) + encint(offset) + encint(length)
    quickref = [20 + starts[i] for i in range(1 + 2 ** DENSITY, len(starts), 1 + 2 ** DENSITY)]
    tail = b''.join(struct.pack('<H', q) for q in reversed(quickref)) + struct.pack('<H', len(entries))
    free = CHUNK - 20 - len(body)
    if free < len(tail):
        raise ValueError('the help file lists more than one listing chunk holds')
    header = b'PMGL' + struct.pack('<IIii', free, 0, -1, -1)
    return header + body + b'\0' * (free - len(tail)) + tail


def chm_bytes(files):
    """A help file holding files {name: bytes}, all stored as is, in a single listing chunk."""
    content = b''
    entries = []
    for name in sorted(files, key=lambda n: n.lower()):
        entries.append((name, len(content), len(files[name])))
        content += files[name]
    directory = (b'ITSP' + struct.pack('<IIIIIIiiiiII', 1, 0x54, 0x0a, CHUNK, DENSITY, 1, -1, 0, 0, -1, 1,
                                       LCID_POLISH)
                 + GUID_ITSP + struct.pack('<Iiii', 0x54, -1, -1, -1) + listing_chunk(entries))
    header_length, section0_length = 0x60, 0x18
    directory_offset = header_length + section0_length
    data_offset = directory_offset + len(directory)
    size = data_offset + len(content)
    itsf = (b'ITSF' + struct.pack('<IIII', 3, header_length, 1, 0) + struct.pack('<I', LCID_POLISH)
            + GUID_ITSF_1 + GUID_ITSF_2
            + struct.pack('<QQQQQ', header_length, section0_length, directory_offset, len(directory), data_offset))
    section0 = struct.pack('<IIQII', 0x01fe, 0, size, 0, 0)
    return itsf + section0 + directory + content


def compile_help():
    def text(lines):
        return ''.join(line + '\r\n' for line in lines).encode('cp1250')
    ivb, strings = context_files()
    files = {'/#SYSTEM': system_file(), '/#IVB': ivb, '/#STRINGS': strings,
             '/Tarvelin.hhc': text(contents_lines()), '/Tarvelin.hhk': text(index_lines())}
    for _, _, page, *_ in TOPICS:
        with open(os.path.join(POMOC, page), 'rb') as f:
            files['/' + page] = f.read()
    chm = chm_bytes(files)
    for target in (os.path.join(INSTALL, 'Tarvelin.chm'), os.path.join(POMOC, 'Tarvelin.chm')):
        with open(target, 'wb') as f:
            f.write(chm)


def main():
    write_pages()
    compile_help()


if __name__ == '__main__':
    main()
