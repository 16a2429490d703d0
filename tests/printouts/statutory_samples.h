#pragma once

// Sample documents of the statistical accident card, the commuting accident card and the
// referral for a medical examination: the values a user types, field by field, as the
// definitions store them. Shared by the page tests and the program's print test.

#include <QList>
#include <QPair>
#include <QString>

namespace statutorysamples {

using Values = QList<QPair<QString, QString>>;

inline Values StatisticalCard(int version)
{
    Values v = {
        {"Regon", "123456785"},
        {"NazwaAdresPracod", "Zakłady Mięsne \"Żuraw\" sp. z o.o., ul. Łąkowa 7, 80-123 Gdańsk"},
        {"KwalifWyp", "[9998] przy pracy"},
        {"NrKart", "[1] karta pierwotna"},
        {"NrKolKarty", "7"},
        {"IdentPoszk", "Józef Wąs"},
        {"KodLiczPrac", "[3] od 50 do 249 osób"},
        {"Plec", "[2] kobieta"},
        {"RokUrodz", "1979"},
        {"Obywatelstwo", "[1] polskie"},
        {"StatZatr", "[1] pracownik zatrudniony na podstawie umowy o pracę"},
        {"Zawod", "[7] Robotnicy przemysłowi i rzemieślnicy"},
        {"StazStanow", "12"},
        {"GodzPrzepr", "3"},
        {"RodzUraz", "[021] Złamania zamknięte"},
        {"UmiejscUraz", "[53] Dłoń"},
        {"LiczPoszk", "1"},
        {"SkutkiWyp", "[2] ciężkie uszkodzenie ciała"},
        {"LiczDniNiezd", "45"},
        {"StratyCzasu", "16"},
        {"StratyMater", "2.5"},
        {"TypWyp", "[1_3] w czasie podróży służbowej"},
        {"PolozGeogr", "Pruszcz Gdański"},
        {"RokWyp", "2024"},
        {"MiesWyp", "03"},
        {"DzienWyp", "14"},
        {"GodzWyp", "9"},
        {"RodzMiejscWyp", "[011] Miejsce produkcji, fabryka, warsztat"},
        {"MiejscWyp", "[1] Miejsce w jednostce lokalnej zakładu pracy"},
        {"ProcesPrac", "[11] Produkcja, wytwarzanie, przetwarzanie"},
        {"CzynWykPoszk", "[13] Nadzorowanie, obsługa, prowadzenie maszyny"},
        {"CzynMaterCzyn", "[10.07] Maszyny do formowania – prasowanie, zgniatanie"},
        {"WydOdchyl", "[41] Utrata kontroli nad maszyną (także niezamierzone uruchomienie) lub obrabianym materiałem"},
        {"CzynMaterOdchyl", "[10.07] Maszyny do formowania – prasowanie, zgniatanie"},
        {"WydUraz", "[63] Uwięzienie, zgniecenie między czymś"},
        {"CzynMaterUraz", "[14.03] Części obrabiane, narzędzia obrabiarek (także odłamki, wióry)"},
        {"PrzyczWyp", "Usunięcie osłony prasy; brak nadzoru"},
        {"ImNazwWypel", "Grażyna Śliwińska"},
        {"TelWypel", "58 123 45 67"},
        {"DataWypel", "2024-03-25"},
        {"RzeczSkutkiWyp", "[1] powrót do pracy"},
        {"DniNiezdOstat", "52"},
        {"DataCzII", "2024-09-02"},
    };
    if (version >= 3)
        v.append(qMakePair(QStringLiteral("EmailWypel"), QStringLiteral("bhp@zuraw.example.pl")));
    return v;
}

inline Values CommutingCard()
{
    return {
        {"NrSymbProt", "KWD/3/2024"},
        {"NazwaFirmy", "Przedsiębiorstwo Usług Ślusarskich „Śruba” Jan Łoś"},
        {"AdresFirmy", "ul. Żwirki i Wigury 12, 02-092 Warszawa"},
        {"NipFirma", "526-000-12-46"},
        {"Regon", "012345675"},
        {"ImieNazwisko", "Małgorzata Żak"},
        {"PeselPoszk", "85010112345"},
        {"RodzDokPoszk", "dowód osobisty"},
        {"SeriaDokPoszk", "ABC 123456"},
        {"DatMiejsUrodz", "1985-01-01, Łódź"},
        {"AdresZam", "ul. Ogrodowa 3 m. 4, 05-500 Piaseczno"},
        {"TytulUbezpPoszk", "[1] zatrudnienie na podstawie umowy o pracę"},
        {"DataWyp", "2024-01-15"},
        {"GodzWyp", "7:20"},
        {"MiejsceZdarz", "skrzyżowanie ul. Puławskiej i ul. Wilanowskiej w Warszawie"},
        {"DataZglosz", "2024-01-16"},
        {"OsobaZglosz", "Małgorzata Żak (poszkodowana)"},
        {"MiejsceWyp", "[1.2] w drodze do pracy, drogą nie najkrótszą, lecz uzasadnioną"},
        {"PoczKoniecDrogi", "z domu w Piasecznie do zakładu przy ul. Żwirki i Wigury"},
        {"WypRZ", "[2] nie"},
        {"OpisPrzerwy", ""},
        {"SrodekTransp", "autobus komunikacji miejskiej"},
        {"Okolicznosci", "Poszkodowana poślizgnęła się na oblodzonym przejściu dla pieszych przy przystanku."},
        {"CiezkoscWyp", "[1] niezdolność do pracy"},
        {"DataNiezdOd", "2024-01-15"},
        {"DataNiezdDo", "2024-02-09"},
        {"Swiadek1", "Tadeusz Kęsicki, ul. Polna 2, 05-500 Piaseczno"},
        {"Swiadek2", ""},
        {"Swiadek3", ""},
        {"Dochodzenie", "[1] tak"},
        {"OpisDochodzenie", "Komenda Rejonowa Policji Warszawa II, sygn. RSD-17/24"},
        {"RodzajWyp", "[2] wypadek nie jest wypadkiem w drodze do pracy lub z pracy"},
        {"Uzasadnienie", "Przerwa w drodze nie była uzasadniona koniecznością życiową."},
        {"Przeszkody", ""},
        {"DataZapozn", "2024-01-25"},
        {"DataSporz", "2024-01-24"},
        {"MiejscowSporz", "Warszawa"},
        {"ImieNazwiskoSporz", "Henryk Ćwik"},
        {"DataOdbioru", "2024-01-26"},
        {"Zalaczniki", "oświadczenie poszkodowanej, notatka policji"},
    };
}

inline Values Referral(int version, const QString &gender)
{
    if (version == 1)
        return {
            {"JednMed", "Przychodnia Medycyny Pracy „Zdrowie”, ul. Świętojańska 5, 81-368 Gdynia"},
            {"TytSkier", "SKIEROWANIE NA BADANIE LEKARSKIE"},
            {"RodzBad", "okresowe"},
            {"Plec", gender},
            {"ImNazw", "Łucja Grześkowiak"},
            {"DataMscUrodz", "1990-06-30, Toruń"},
            {"Pesel", "90063012345"},
            {"Adres", "ul. Żeglarzy 8, 81-001 Gdynia"},
            {"Wojew", "pomorskie"},
            {"CelSkier", "ocena zdolności do pracy na stanowisku operatora wózka"},
            {"NazwaStan", "operator wózka jezdniowego"},
            {"InforCzynn", "hałas 82 dB(A); drgania ogólne; praca zmianowa"},
            {"DodInform", "okulary korekcyjne"},
            {"DataWyst", "2024-04-02"},
        };
    return {
        {"OznPracod", "Hurtownia „Kłos” sp. j., ul. Źródlana 4, 60-100 Poznań"},
        {"RodzBad", "wstępne"},
        {"Plec", gender},
        {"ImNazw", "Mikołaj Bączek"},
        {"RodzajDanych", "nr PESEL"},
        {"Pesel", "92111054321"},
        {"Adres", "os. Lecha 12/4, 61-298 Poznań"},
        {"Osoba", "podejmująca pracę"},
        {"NazwaStan", "magazynier"},
        {"OpisWarPracy", "praca fizyczna w magazynie, ręczne przenoszenie ładunków do 25 kg"},
        {"CzynFiz", "hałas 78 dB(A)"},
        {"Pyly", "brak"},
        {"CzynChem", "brak"},
        {"CzynBiol", "brak"},
        {"InneCzynn", "praca zmianowa; obsługa wózka jezdniowego"},
        {"IlCzynn", "3"},
        {"MiejscWyst", "Poznań"},
        {"DataWyst", "2024-05-06"},
    };
}

} // namespace statutorysamples
