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
po potwierdzeniu.</li>
</ol>
<h3>Zakładka Dane ogólne stanowiska</h3>
<p>Nazwa i kod stanowiska, data założenia rejestru, lokalizacja, numer karty, opis
stanowiska oraz numer REGON zakładu.</p>
<h3>Zakładka Czynniki</h3>
<p>Lista <b>Czynniki na stanowisku</b> pokazuje czynniki, które występują na stanowisku;
dla nich wprowadza się pomiary w widoku <a href="pomiary.html">Pomiary i ocena ryzyka</a>.
Przycisk <b>Wybierz czynniki na stanowisku</b> służy do zmiany tej listy; nowe stanowisko
trzeba przedtem zapisać. Czynnik usunięty z listy nie traci swoich pomiarów.</p>
<h3>Zakładka Zatrudnienie</h3>
<p>Tabela liczby zatrudnionych w kolejnych latach: mężczyźni, kobiety ogółem, kobiety
w ciąży, młodociani, pracujący w porze nocnej i narażeni. Przyciski nad tabelą dodają
wiersz (z kolejnym rokiem) i usuwają zaznaczony wiersz. Komórki przyjmują tylko liczby;
pusta komórka oznacza 0. Liczby zatrudnionych decydują, dla których grup pracowników
ocenia się ryzyko zawodowe.</p>
''', ['pomiary.html', MAIN_PAGE]),

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
potwierdzeniu pytania <i>Czy na pewno usunąć wybrany pomiar?</i>. Przy przejściu do
innego czynnika lub stanowiska program proponuje zapisanie zmian.</p>
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
<li><b>Usuń</b> usuwa otwarty dokument po potwierdzeniu.</li>
<li><b>Kopiuj</b> zapamiętuje treść pól dokumentu, a <b>Wklej</b> wpisuje ją do innego
dokumentu tego samego rodzaju, na przykład aby przygotować podobny dokument.</li>
<li><b>Drukuj</b> drukuje dokument na urzędowym wzorze.</li>
</ol>
<p>Dokumenty rodzaju, którego definicja lub lista ma inną wersję niż konfiguracja
programu, można przeglądać, ale nie zapisywać; program uprzedza o tym komunikatem.</p>
''', ['lista_wyboru.html', MAIN_PAGE]),

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
<li>Popraw opisy i wartości. Komórki wartości przyjmują tylko liczby.</li>
<li>Kliknij <b>Zapisz / Ustaw bieżącą</b>. Program sprawdza tabele i wskazuje pierwszy
błąd; poprawne parametry zapisuje i stosuje w kolejnych ocenach metodą Risk Score.</li>
</ol>
<p><b>Zamknij</b> zamyka okno. Oceny zapisane wcześniej nie zmieniają się; nowe parametry
obowiązują w ocenach wykonywanych od chwili zapisu.</p>
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
