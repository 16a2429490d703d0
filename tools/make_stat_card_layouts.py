#!/usr/bin/env python3
"""Writes the layout tables of the statistical accident card's pages (Z-KW), in its three
models, to printouts/layouts/frmStatKartWypP{1,2}_{1,2,3}.txt.

The three models share their items and their table; they differ in the regulation the
page names at its foot and in the e-mail of the person who fills the card in (the latest
model). One description below writes all six pages, so the models never drift apart.
The table format is described in printouts/form_page.h.
Run from the repository root:  python3 tools/make_stat_card_layouts.py
"""
import os

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
OUT = os.path.join(ROOT, 'printouts', 'layouts')

MODELS = {
    1: 'Wzór karty: rozporządzenie Ministra Gospodarki i Pracy z dnia 8 grudnia 2004 r. w sprawie '
       'statystycznej karty wypadku przy pracy (Dz. U. Nr 269, poz. 2672).',
    2: 'Wzór karty: rozporządzenie Ministra Pracy i Polityki Społecznej z dnia 7 stycznia 2009 r. w sprawie '
       'statystycznej karty wypadku przy pracy (Dz. U. Nr 14, poz. 80).',
    3: 'Wzór karty: rozporządzenie Ministra Pracy i Polityki Społecznej z dnia 7 stycznia 2009 r. w sprawie '
       'statystycznej karty wypadku przy pracy (Dz. U. Nr 14, poz. 80, z późn. zm.).',
}

# Columns of the item table: Lp. | Rodzaj informacji | Kod lub liczba | Opis (mm).
LP, INFO, KOD, OPIS, END = 0, 7, 75, 97, 190
CELL = 5  # width of a digit box
ROW1 = 9  # height of an item row on page 1
ROW2 = 10  # and on page 2, whose descriptions are longer


def n(v):
    """A length as the table writes it."""
    s = ('%.3f' % v).rstrip('0').rstrip('.')
    return s or '0'


class Page:
    def __init__(self, bottom_margin):
        """A page of one detail band filling the paper within its margins."""
        self.lines = []
        margins = '' if bottom_margin == 10 else ' margins=10,10,10,%s' % n(bottom_margin)
        self.add('report', 'VelRep', 'sans 10pt' + margins)
        self.blank()
        self.add('band ', 'DetailBand1', 'detail', n(297 - 10 - bottom_margin), 'newpage')

    def add(self, *cols):
        self.lines.append(' | '.join(cols))

    def text(self, box, style, caption, name='-'):
        self.add('text ', name, ','.join(n(v) for v in box), style, caption)

    def value(self, name, box, style=''):
        self.add('value', name, ','.join(n(v) for v in box), style, '')

    def shape(self, box, style='rect', name='-'):
        self.add('shape', name, ','.join(n(v) for v in box), style)

    def tick(self, name, box, style='circle pen=2'):
        self.add('tick ', name, ','.join(n(v) for v in box), style)

    def comment(self, text):
        self.lines.append('# ' + text)

    def blank(self):
        self.lines.append('')

    # --- pieces of the card ----------------------------------------------------------------
    def digits(self, stem, count, left, top, height=6):
        """A row of digit boxes; the page's handler writes one digit of the value into each
        (the labels hold the whole value until then, so they are exempt from the fit check)."""
        for i in range(count):
            x = left + i * CELL
            self.shape((x, top, CELL, height))
            self.value('%s%d' % (stem, i + 1), (x, top + 0.8, CELL, height - 1.6), '9pt b center nowrap grows')

    def options(self, field, top, left, choices, width, height=4.5, step=None):
        """Choices to circle: "code – answer", a ring round the chosen one."""
        x = left
        for code, answer in choices:
            caption = '%s – %s' % (code, answer)
            # The ring fits the answer: about 1.15 mm a character at 7 pt, and room at its ends.
            ring = min(width, round(1.15 * len(caption) + 10, 1))
            self.text((x + 4.5, top + 0.6, ring - 6, 3.5), '7pt nowrap', caption)
            self.tick('%s_%s' % (field, code.replace('.', '_')), (x, top, ring, height))
            x += step if step else width

    def boxed(self, field, box):
        """A value written in a box of its own (a number or a code)."""
        left, top, width, height = box
        self.shape(box)
        self.value(field, (left + 0.5, top + (height - 4.5) / 2, width - 1, 4.5), '9pt b center nowrap')

    def on_line(self, left, top, caption, caption_width, field, width, style='9pt nowrap', height=4.5):
        """A caption and a value written on a dotted line after it."""
        self.text((left, top, caption_width, 4), '7pt', caption)
        x = left + caption_width
        self.value(field, (x, top + 4.5 - height, width, height), style)
        self.shape((x, top + 4, width, 0.5), 'hline dot')

    def signature(self, left, top, width, caption):
        self.shape((left, top, width, 0.5), 'hline dot')
        self.text((left, top + 0.5, width, 3), '6pt i center', caption)

    def table_head(self, top):
        for left, right, caption in ((LP, INFO, 'Lp.'), (INFO, KOD, 'Rodzaj informacji'),
                                     (KOD, OPIS, 'Kod lub liczba'), (OPIS, END, 'Opis')):
            self.text((left, top, right - left, 5), '7pt b center frame', caption)

    def section(self, top, caption):
        self.text((LP, top, END - LP, 4.5), '7.5pt b frame', caption)

    def row(self, top, height, lp, caption, columns=True):
        """The frame of an item row with its number and caption (and the code column)."""
        self.shape((LP, top, END - LP, height))
        self.shape((INFO, top, 0.1, height), 'vline')
        if columns:
            self.shape((KOD, top, OPIS - KOD, height), 'sides')
        self.text((LP, top + 0.8, INFO - LP, 3.5), '7pt center', lp)
        self.text((INFO + 1, top + 0.6, KOD - INFO - 2, height - 1), '7pt', caption)

    def coded(self, top, lp, caption, field, height=8):
        """An item answered with a code of a classification and its description."""
        self.row(top, height, lp, caption)
        self.value('Kod_' + field, (KOD + 0.5, top + 1.5, OPIS - KOD - 1, 4.5), '9pt b center nowrap')
        self.value(field, (OPIS + 1, top + 0.6, END - OPIS - 2, height - 1.2), '7pt')

    def number(self, top, lp, caption, field, height=8):
        self.row(top, height, lp, caption)
        self.value(field, (KOD + 0.5, top + 1.5, OPIS - KOD - 1, 4.5), '9pt b center nowrap')

    def items(self, top, height, rows):
        """Item rows one under another, each (maker, lp, caption, field); the top after them."""
        for make, lp, caption, field in rows:
            make(top, lp, caption, field, height)
            top += height
        return top


def page1(version):
    p = Page(10)
    p.comment('The person stays on the list of cards only: the card itself is anonymous.')
    p.value('IdentPoszk', (150, 0, 40, 4), 'off')
    p.comment('Header: the employer, REGON, the kind of card.')
    p.shape((0, 0, 62, 25), 'rect dot')
    p.value('NazwaAdresPracod', (1, 1, 60, 23), '7pt')
    p.text((0, 25.5, 62, 3), '6pt i center', '(pieczątka pracodawcy)')
    p.text((66, 0, 70, 3.5), '7pt', 'Numer identyfikacyjny REGON')
    p.digits('Regon', 14, 66, 4)
    p.text((150, 0, 40, 7), '16pt b right', 'Z-KW')
    p.text((150, 7, 40, 6.5), '7pt right', 'Adresat:\\nUrząd Statystyczny')
    p.text((66, 14, 124, 7), '14pt b center', 'STATYSTYCZNA KARTA WYPADKU')
    p.options('KwalifWyp', 22.5, 66, [('9998', 'przy pracy')], 30)
    p.options('KwalifWyp', 22.5, 100, [('9999', 'traktowanego na równi z wypadkiem przy pracy')], 70)
    p.text((0, 33, 22, 4), '8pt', 'Rodzaj karty:')
    p.options('NrKart', 32.5, 22, [('1', 'karta pierwotna'), ('2', 'karta korygująca')], 32)
    p.text((96, 32, 64, 7), '7pt', 'Kolejny nr statystycznej karty wypadku w zakładzie pracy od początku roku')
    p.boxed('NrKolKarty', (162, 32, 28, 6.5))
    p.text((0, 41, 94, 4), '7pt', 'Liczba pracujących (bez przeliczenia na pełny etat)')
    p.boxed('Kod_KodLiczPrac_1', (96, 40, 14, 6))
    p.value('KodLiczPrac', (112, 41, 78, 4), '8pt nowrap')
    p.blank()
    p.text((0, 48, 190, 5), '10pt b center', 'CZĘŚĆ I')
    p.text((0, 53.5, 190, 6.5), '6.5pt i',
           'W pytaniach 01 i 11 zakreślić kółkiem kod i odpowiedź; w pytaniach 02, 06, 07, 10, 12, 13 i 14 wpisać '
           'liczbę; w pytaniach 03–05, 08 i 09 wpisać kod według klasyfikacji i opis.')
    y = 60.5
    p.table_head(y)
    y += 5
    p.section(y, 'Poszkodowany')
    y += 4.5
    p.row(y, ROW1, '01', 'Płeć')
    p.options('Plec', y + 1.7, OPIS + 1, [('1', 'mężczyzna'), ('2', 'kobieta')], 30, step=34)
    y += ROW1
    p.row(y, ROW1, '02', 'Rok urodzenia')
    p.digits('RokUrodz', 4, KOD + 1, y + 1)
    y += ROW1
    y = p.items(y, ROW1, [
        (p.coded, '03', 'Obywatelstwo poszkodowanego', 'Obywatelstwo'),
        (p.coded, '04', 'Status zatrudnienia', 'StatZatr'),
        (p.coded, '05', 'Zawód wykonywany (według klasyfikacji zawodów i specjalności)', 'Zawod'),
        (p.number, '06', 'Staż na zajmowanym stanowisku pracy w zakładzie pracy (w latach)', 'StazStanow'),
        (p.number, '07', 'Godziny przepracowane od podjęcia pracy do chwili wypadku', 'GodzPrzepr')])
    p.section(y, 'Skutki wypadku (znane w momencie wypełniania karty)')
    y += 4.5
    y = p.items(y, ROW1, [
        (p.coded, '08', 'Rodzaj urazu', 'RodzUraz'),
        (p.coded, '09', 'Umiejscowienie urazu', 'UmiejscUraz'),
        (p.number, '10', 'Liczba osób poszkodowanych w wypadku', 'LiczPoszk')])
    p.row(y, 11, '11', 'Skutki wypadku')
    p.options('SkutkiWyp', y + 1, OPIS + 1, [('1', 'śmierć osoby poszkodowanej'), ('2', 'ciężkie uszkodzenie ciała')],
              45)
    p.options('SkutkiWyp', y + 5.7, OPIS + 1, [('3', 'inne skutki')], 45)
    y += 11
    p.row(y, ROW1, '12', 'Liczba dni niezdolności do pracy')
    p.digits('LiczDniNiezd', 3, KOD + 3.5, y + 1)
    y += ROW1
    y = p.items(y, ROW1, [
        (p.number, '13', 'Straty czasu pracy innych osób (w roboczogodzinach)', 'StratyCzasu'),
        (p.number, '14', 'Szacunkowe straty materialne (w tys. zł, z jednym miejscem po przecinku, bez strat '
                         'czasu pracy)', 'StratyMater')])
    p.section(y, 'Rodzaj wypadku (zakreślić kółkiem)')
    y += 4.5
    p.shape((LP, y, END - LP, 29))
    p.shape((95, y, 0.1, 29), 'vline')
    p.text((2, y + 1, 90, 4), '7.5pt b', '1 – wypadek poza ruchem drogowym')
    p.text((97, y + 1, 90, 4), '7.5pt b', '2 – wypadek w ruchu drogowym')
    for i, answer in enumerate(('w zwykłym miejscu pracy', 'w innym miejscu na terenie zakładu',
                                'w czasie podróży służbowej', 'w innym miejscu poza zakładem')):
        p.options('TypWyp', y + 6 + i * 5.5, 2, [('1.%d' % (i + 1), answer)], 70)
    for i, answer in enumerate(('jako kierujący pojazdem', 'jako pasażer', 'jako pieszy', 'w innej sytuacji')):
        p.options('TypWyp', y + 6 + i * 5.5, 97, [('2.%d' % (i + 1), 'w ruchu drogowym, ' + answer)], 70)
    y += 29
    p.text((0, y + 2, 190, 7), '6.5pt i',
           'Kody i opisy według klasyfikacji stosowanych w statystyce wypadków przy pracy. ' + MODELS[version])
    assert y + 9 <= 277, y
    return p


def page2(version):
    # The second page reaches closer to the paper's foot.
    p = Page(8)
    p.text((0, 0, 30, 4), '8pt b', 'Z-KW, strona 2')
    p.text((32, 0.5, 12, 3.5), '7pt', 'REGON')
    p.digits('Regon_2_', 14, 44, 0, 5.5)
    p.text((118, 0.5, 44, 3.5), '7pt right', 'kolejny nr karty')
    p.boxed('NrKolKarty_2', (163, 0, 27, 5.5))
    p.text((100, 6.5, 80, 3.5), '7pt right', 'liczba pracujących (bez przeliczenia na pełny etat)')
    p.boxed('Kod_KodLiczPrac_2', (181, 6, 9, 5.5))
    y = 13
    p.text((0, y, 190, 5), '10pt b center', 'CZĘŚĆ I (ciąg dalszy)')
    y += 5
    p.text((0, y, 190, 4), '6.5pt i',
           'W pytaniach 16 i 17 wpisać liczby; w pytaniach 18–26 wpisać kod według klasyfikacji i opis.')
    y += 4.5
    p.table_head(y)
    y += 5
    p.section(y, 'Okoliczności wypadku')
    y += 4.5
    p.row(y, 8, '15', 'Położenie geograficzne miejsca wypadku (miejscowość, gmina)')
    p.text((KOD + 0.5, y + 1, OPIS - KOD - 1, 6), '6pt i center', 'kod nadaje urząd statystyczny')
    p.value('PolozGeogr', (OPIS + 1, y + 0.6, END - OPIS - 2, 6.8), '8pt')
    y += 8
    p.row(y, 8, '16', 'Data wypadku (rok, miesiąc, dzień)')
    p.digits('RokWyp', 4, KOD + 1, y + 1)
    p.text((OPIS + 2, y + 2.2, 14, 3.5), '7pt', 'miesiąc')
    p.digits('MiesWyp', 2, OPIS + 16, y + 1)
    p.text((OPIS + 30, y + 2.2, 10, 3.5), '7pt', 'dzień')
    p.digits('DzienWyp', 2, OPIS + 40, y + 1)
    y += 8
    p.row(y, 8, '17', 'Godzina wypadku')
    p.digits('GodzWyp', 2, KOD + 6, y + 1)
    y += 8
    y = p.items(y, ROW2, [(p.coded, lp, caption, field) for lp, caption, field in (
        ('18', 'Rodzaj miejsca wypadku', 'RodzMiejscWyp'),
        ('19', 'Miejsce wypadku', 'MiejscWyp'),
        ('20', 'Proces pracy', 'ProcesPrac'),
        ('21', 'Czynność wykonywana przez poszkodowanego w chwili wypadku', 'CzynWykPoszk'),
        ('22', 'Czynnik materialny związany z czynnością wykonywaną przez poszkodowanego', 'CzynMaterCzyn'),
        ('23', 'Wydarzenie będące odchyleniem od stanu normalnego', 'WydOdchyl'),
        ('24', 'Czynnik materialny związany z wydarzeniem będącym odchyleniem od stanu normalnego',
         'CzynMaterOdchyl'),
        ('25', 'Wydarzenie powodujące uraz (sposób urazu)', 'WydUraz'),
        ('26', 'Czynnik materialny będący źródłem urazu', 'CzynMaterUraz'))])
    p.row(y, ROW2, '27', 'Przyczyny wypadku', columns=False)
    p.value('PrzyczWyp', (KOD + 1, y + 0.6, END - KOD - 2, ROW2 - 1.2), '8pt')
    y += ROW2
    y += 2
    p.text((0, y, 60, 4), '8pt b', 'Osoba wypełniająca część I karty:')
    y += 5
    p.on_line(0, y, 'imię i nazwisko', 26, 'ImNazwWypel', 84, '8pt nowrap')
    p.on_line(114, y, 'telefon', 10, 'TelWypel', 66)
    y += 7
    if version >= 3:
        p.on_line(0, y, 'adres e-mail', 26, 'EmailWypel', 84, '8pt nowrap')
    p.on_line(114, y, 'data', 10, 'DataWypel', 30)
    y += 12
    p.signature(0, y, 80, '(podpis osoby wypełniającej kartę)')
    p.signature(110, y, 80, '(pieczątka i podpis kierownika jednostki)')
    y += 6
    p.text((0, y, 190, 5), '10pt b center', 'CZĘŚĆ II – UZUPEŁNIAJĄCA')
    y += 5
    p.text((0, y, 190, 4), '6.5pt i',
           'Wypełnia się po ustaleniu ostatecznych skutków wypadku. W pytaniu 28 zakreślić kółkiem kod i '
           'odpowiedź; w pytaniu 29 wpisać liczbę.')
    y += 4.5
    p.table_head(y)
    y += 5
    p.row(y, 11, '28', 'Rzeczywiste skutki wypadku')
    p.options('RzeczSkutkiWyp', y + 1, OPIS + 1, [('1', 'powrót do pracy'), ('2', 'trwała niezdolność do pracy')],
              45)
    p.options('RzeczSkutkiWyp', y + 5.7, OPIS + 1, [('3', 'zgon poszkodowanego')], 45)
    y += 11
    p.row(y, 8, '29', 'Ostateczna liczba dni niezdolności do pracy')
    p.digits('DniNiezdOstat', 3, KOD + 3.5, y + 1)
    y += 10
    p.on_line(0, y, 'data', 10, 'DataCzII', 30)
    p.signature(110, y + 4, 80, '(podpis osoby wypełniającej kartę)')
    y += 9
    p.text((0, y, 190, 7), '6.5pt i', MODELS[version])
    assert y + 7 <= 279, y
    return p


def write(name, page):
    header = ['# %s. Written by tools/make_stat_card_layouts.py from one description of' % name,
              '# the three card models: edit the script, not this table.']
    with open(os.path.join(OUT, name + '.txt'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(header + page.lines) + '\n')


def main():
    for version in (1, 2, 3):
        write('frmStatKartWypP1_%d' % version, page1(version))
        write('frmStatKartWypP2_%d' % version, page2(version))


if __name__ == '__main__':
    main()
