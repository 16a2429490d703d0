#!/usr/bin/env python3
"""Writes the measurement form definition of biological agents.

An agent is rated by its hazard group, which the form takes from the agent's entry in
"poradn/czynbiol.xml" when a measurement is created (the fields named after the entry's
attributes: GrZagr <- grzagr, UszGrZagr <- uszgrzagr, OznDod <- ozndod). The check box is
enabled only for the agents the catalogue marks as usually not airborne ("1"); ticking it
moves the group one step down. The group can be typed for the user's own agents, which
have no catalogue entry.

Files go out in Windows-1250 with CR LF line ends, as the program reads them.
Run from the repository root:  python3 tools/make_biological_forms.py
"""
from make_noise_forms import WIDTH, attrs, form, label, row
from make_noise_forms import level as typed


def biological():
    rows = [row(WIDTH,
                label('lGrZagr', 'Grupa zagrożenia czynnika biologicznego', 380, left=True),
                typed('GrZagr', 300, skrot='grupa zagrożenia: ')),
            row(WIDTH,
                '<pole %s>0</pole>' % attrs(nazwa='UszGrZagr', typ='checkbox', druk='T', wydropis='UszGrZagr',
                                            skrot='czynnik zwykle nieprzenoszony drogą powietrzną', szer=640,
                                            szerkol=WIDTH, pozycja='left',
                                            etyk='Czynnik grupy 3 oznaczony (**): zwykle nie jest przenoszony '
                                                 'drogą powietrzną - ocena według grupy o jeden niższej')),
            row(WIDTH,
                label('lOznDod', 'Dodatkowe oznaczenie czynnika', 380, left=True),
                '<pole %s></pole>' % attrs(nazwa='OznDod', typ='edit', druk='T', wydropis='OznDod',
                                           skrot='oznaczenie: ', rozm=20, szer=70, szerkol=300, readonly='T',
                                           sprpopr='F')),
            row(WIDTH,
                label('lOznaczenia', 'Oznaczenia: A - możliwe działanie alergizujące, T - wytwarzanie toksyn, '
                      'V - dostępna skuteczna szczepionka.', WIDTH, left=True)),
            row(WIDTH,
                label('lOcena', 'Ryzyko zawodowe: grupa 1 - małe, grupa 2 - średnie, grupy 3 i 4 - duże.', WIDTH,
                      left=True))]
    form('biologiczny', 1, 'biologiczny_Pomiar_01', 'Czynnik biologiczny',
         'Czynniki biologiczne - ocena ryzyka według grupy zagrożenia', rows)


if __name__ == '__main__':
    biological()
