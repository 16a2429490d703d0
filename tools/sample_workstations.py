#!/usr/bin/env python3
"""Writes the sample workstations shipped in install/zaklocen/ (the data folder of the
"Stanowiska pracy" element): the list "struktura_dane.xml" and one "stanowisko_dane.xml"
per workstation folder, in Windows-1250 with CR LF line ends, in the layout the program
itself writes. Factors name entries of the shipped factor lists in install/poradn/.

The measurement files beside them ("*_dane.xml" other than "stanowisko_dane.xml") are
made by the program itself: the sample values are typed into the measurement window and
rated by its rules in tests/printouts/sample_measurements_test.cpp, which compares them with
the shipped files and, run with TARVELIN_WRITE_SAMPLE_MEASUREMENTS=1, writes them.

Run from the repository root:  python3 tools/sample_workstations.py
"""
import os

from install_files import DECL, write_file

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "install", "zaklocen")

# (nazwa, id, ident, ver_pom, frm_dane, aktual)
HALAS = ("Hałas", 30001, "fiz", "1.0", "halas_fizyczny", "T")
UV = ("Promieniowanie nadfioletowe", 50004, "fiz", "1.0", "prm_nadfioletowe", "T")
PRAD_NN = ("Prąd elektryczny - urządzenia niskiego napięcia", 60003, "fiz", "1.0", "prad_NN", "T")
WYBUCH = ("Wybuch i pożar", 60006, "fiz", "1.0", "wybuch_pozar", "T")
MECH = ("Zagrożenia mechaniczne - ruchome części maszyn i urządzeń", 4000, "fiz", "1.0", "mechaniczne", "T")
UPADEK = ("Upadek na tym samym poziomie (poślizgnięcie, potknięcie)", 5002, "fiz", "1.0", "mechaniczne", "T")
DRGANIA_OGLN = ("Drgania o ogólnym działaniu na organizm człowieka", 10200, "fiz", "1.0", "drgania_ogln", "T")
MIKRO_GOR = ("Mikroklimat gorący", 50001, "fiz", "1.0", "mikroklimat_goracy", "T")
MIKRO_ZIM = ("Mikroklimat zimny", 50002, "fiz", "3.0", "mikroklimat_zimny", "T")
OSW_NAT = ("Oświetlenie - natężenie oświetlenia", 2000, "fiz", "2.0", "osw_natezenie", "T")
OSW_OLS = ("Oświetlenie - olśnienie przykre", 2001, "fiz", "1.0", "osw_olsnienie", "T")
WYSILEK = ("Wysiłek fizyczny (obciążenie dynamiczne)", 70004, "uciaz", "2.0", "wysilek_fizyczny", "T")
STATYCZNE = ("Obciążenie statyczne", 70003, "uciaz", "1.0", "obc_stat", "T")
PSYCH = ("Obciążenie psychiczne", 70002, "uciaz", "1.0", "obc_psych", "T")
HALAS_UC = ("Hałas w pomieszczeniach wymagających koncentracji uwagi", 30004, "uciaz", "1.0", "halas_uciazliwy", "T")
MIKRO_UM = ("Mikroklimat umiarkowany", 50003, "uciaz", "1.0", "mikroklimat_um", "T")
CO = ("Tlenek węgla", 80010, "chem", "1.0", "chemiczny", "T")
NO2 = ("Ditlenek azotu", 80026, "chem", "1.0", "chemiczny", "T")
OZON_OLD = ("Ozon", 80025, "chem", "1.0", "chemiczny", "N")
TOLUEN = ("Toluen", 80004, "chem", "1.0", "chemiczny", "T")
KSYLEN = ("Ksylen - mieszanina izomerów", 80005, "chem", "1.0", "chemiczny", "T")
BUTYL = ("Octan n-butylu", 80021, "chem", "1.0", "chemiczny", "T")
ACETON = ("Aceton", 80001, "chem", "1.0", "chemiczny", "T")
PYL_FE = ("Pył tlenków żelaza", 25203, "pyly", "1.0", "pyly", "T")
PYL_TIO2 = ("Pył ditlenku tytanu", 25202, "pyly", "1.0", "pyly", "T")
H2S = ("Siarkowodór", 80012, "chem", "1.0", "chemiczny", "T")
LEPTOSPIRA = ("Leptospira interrogans", 90013, "biol", "1.0", "biologiczny", "T")
HAV = ("Wirus zapalenia wątroby typu A (HAV)", 90026, "biol", "1.0", "biologiczny", "T")
E_COLI = ("Escherichia coli (z wyjątkiem szczepów niepatogennych)", 90010, "biol", "1.0", "biologiczny", "T")

WORKSTATIONS = [
    {
        "id": "1",
        "nazwa": "Spawacz - spawalnia MAG",
        "kod": "SP-01",
        "datarej": "2019-02-11",
        "lokalizacja": "Hala produkcyjna nr 2, nawa B",
        "nrregon": "",
        "nrrej": "1/2019",
        "opis": [
            "Spawanie półautomatyczne metodą MAG (135) konstrukcji ze stali węglowej",
            "w osłonie mieszanki Ar/CO2; cięcie i szlifowanie szlifierką kątową.",
            "Stanowiska spawalnicze wydzielone kotarami, odciąg miejscowy przy każdym stole.",
            "Praca dwuzmianowa.",
        ],
        "employment": [
            ("2021", "6", "0", "0", "0", "0", "4"),
            ("2022", "7", "0", "0", "0", "0", "5"),
            ("2023", "8", "0", "0", "0", "0", "5"),
            ("2024", "8", "0", "0", "0", "0", "3"),
            ("2025", "8", "0", "0", "0", "0", "3"),
            ("2026", "9", "0", "0", "0", "0", "2"),
        ],
        "factors": [HALAS, UV, PYL_FE, CO, NO2, OZON_OLD, WYSILEK, PRAD_NN, WYBUCH],
    },
    {
        "id": "2",
        "nazwa": "Lakiernik - malarnia natryskowa",
        "kod": "MAL-01",
        "datarej": "2019-02-11",
        "lokalizacja": "Hala produkcyjna nr 3, kabina lakiernicza K-1",
        "nrregon": "",
        "nrrej": "2/2019",
        "opis": [
            "Malowanie natryskowe (pneumatyczne i hydrodynamiczne) elementów konstrukcji",
            "farbami podkładowymi i nawierzchniowymi rozpuszczalnikowymi; przygotowanie",
            "mieszanin farb, mycie pistoletów rozpuszczalnikiem.",
            "Kabina z wentylacją nawiewno-wywiewną, strefa zagrożenia wybuchem.",
        ],
        "employment": [
            ("2021", "3", "1", "0", "0", "0", "2"),
            ("2022", "3", "1", "0", "0", "0", "1"),
            ("2023", "2", "2", "0", "0", "0", "1"),
            ("2024", "2", "2", "0", "0", "0", "0"),
            ("2025", "2", "2", "0", "0", "0", "0"),
            ("2026", "3", "2", "0", "0", "0", "0"),
        ],
        "factors": [TOLUEN, KSYLEN, BUTYL, ACETON, PYL_TIO2, HALAS, MIKRO_GOR, WYBUCH],
    },
    {
        "id": "3",
        "nazwa": "Pracownik biurowy - dział kadr i płac",
        "kod": "ADM-03",
        "datarej": "2020-06-01",
        "lokalizacja": "Budynek administracyjny, I piętro, pokój 104",
        "nrregon": "",
        "nrrej": "3/2020",
        "opis": [
            "Praca przy monitorze ekranowym powyżej 4 godzin dziennie,",
            "obsługa programów kadrowo-płacowych, kontakt z interesantami.",
        ],
        "employment": [
            ("2021", "1", "4", "0", "0", "0", "0"),
            ("2022", "1", "4", "1", "0", "0", "0"),
            ("2023", "1", "5", "0", "0", "0", "0"),
            ("2024", "2", "5", "1", "0", "0", "0"),
            ("2025", "2", "5", "0", "0", "0", "0"),
            ("2026", "2", "6", "0", "0", "0", "0"),
        ],
        "factors": [OSW_NAT, OSW_OLS, STATYCZNE, PSYCH, HALAS_UC, MIKRO_UM],
    },
    {
        "id": "4",
        "nazwa": "Operator wózka widłowego - magazyn wyrobów gotowych",
        "kod": "MAG-02",
        "datarej": "2021-01-04",
        "lokalizacja": "Magazyn wyrobów gotowych i plac składowy",
        "nrregon": "",
        "nrrej": "4/2021",
        "opis": [
            "Załadunek i rozładunek wyrobów wózkiem widłowym z napędem spalinowym (LPG),",
            "praca w magazynie nieogrzewanym i na placu składowym, również w porze nocnej.",
        ],
        "employment": [
            ("2021", "4", "0", "0", "0", "2", "0"),
            ("2022", "4", "0", "0", "0", "2", "0"),
            ("2023", "5", "0", "0", "0", "2", "1"),
            ("2024", "5", "1", "0", "0", "3", "1"),
            ("2025", "5", "1", "0", "0", "3", "0"),
            ("2026", "6", "1", "0", "0", "3", "0"),
        ],
        "factors": [DRGANIA_OGLN, HALAS, MIKRO_ZIM, CO, MECH, UPADEK],
    },
    {
        "id": "5",
        "nazwa": "Konserwator sieci kanalizacyjnej - oczyszczalnia ścieków",
        "kod": "OCZ-01",
        "datarej": "2023-03-01",
        "lokalizacja": "Oczyszczalnia ścieków, pompownia główna i sieć kanalizacyjna",
        "nrregon": "",
        "nrrej": "5/2023",
        "opis": [
            "Przeglądy i czyszczenie kanałów, studzienek i pompowni, usuwanie zatorów,",
            "praca w kontakcie ze ściekami i osadem, w przestrzeniach zamkniętych.",
        ],
        "employment": [
            ("2023", "5", "0", "0", "0", "1", "1"),
            ("2024", "5", "0", "0", "0", "1", "1"),
            ("2025", "6", "0", "0", "1", "1", "0"),
            ("2026", "6", "1", "0", "1", "1", "0"),
        ],
        "factors": [LEPTOSPIRA, HAV, E_COLI, H2S, HALAS, WYSILEK],
    },
]


def write(path, lines):
    write_file(path, [DECL] + lines)


def attr(value):
    return value.replace('"', "&quot;")


def workstation_lines(w):
    def edit(name, value):
        return '  <dane nazwa="%s" typ="edit">%s</dane>' % (name, value)

    out = ['<stanowisko_dane id="%s">' % w["id"], " <daneogl>"]
    out.append(edit("Nazwa", w["nazwa"]))
    out.append(edit("Kod", w["kod"]))
    out.append(edit("DataRej", w["datarej"]))
    out.append(edit("Lokalizacja", w["lokalizacja"]))
    out.append(edit("NrRegon", w["nrregon"]))
    out.append(edit("NrRej", w["nrrej"]))
    opis = w["opis"]
    out.append('  <dane nazwa="Opis" typ="memo">' + opis[0] + ("</dane>" if len(opis) == 1 else ""))
    if len(opis) > 1:
        out.extend(opis[1:-1])
        out.append(opis[-1] + "</dane>")
    out.append(" </daneogl>")
    out.append("<zatrudnienie>")
    names = ["Mezczyzni", "Kobiety", "KobietyCiez", "Mlodociani", "NocnaZm", "PrzekrNDS"]
    for row in sorted(w["employment"]):
        out.append(" <rok>")
        out.append(edit("Rok", row[0]))
        for name, value in zip(names, row[1:]):
            out.append(' \t<dane nazwa="%s" typ="edit">%s</dane>' % (name, value))
        out.append(" </rok>")
    out.append("</zatrudnienie>")
    out.append(" <czynniki>")
    for nazwa, fid, ident, ver_pom, frm, aktual in w["factors"]:
        line = '  <dane nazwa="%s" id="%d" ident="%s" ver_pom="%s" frm_dane="%s" aktual="%s"' % (
            attr(nazwa), fid, ident, ver_pom, frm, aktual)
        if frm in ("met5Krok", "metRiskScore"):
            line += ' szkod="T"'
        out.append(line + "></dane>")
    out.append(" </czynniki>")
    out.append("</stanowisko_dane>")
    return out


def main():
    listing = ['<struktura_dane ver="1.1" katalog="" plik="struktura_dane.xml">']
    for w in WORKSTATIONS:
        kat = "stan_" + w["id"]
        listing.append(' <stanowisko id="%s" nazwa="%s" kat_dane="%s"></stanowisko>' % (w["id"], attr(w["nazwa"]), kat))
        write(os.path.join(ROOT, kat, "stanowisko_dane.xml"), workstation_lines(w))
    listing.append("</struktura_dane>")
    write(os.path.join(ROOT, "struktura_dane.xml"), listing)


if __name__ == "__main__":
    main()
