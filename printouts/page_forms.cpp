#include "printouts/page_forms.h"

#include "printouts/commuting_card_pages.h"
#include "printouts/form_page.h"
#include "printouts/referral_pages.h"
#include "printouts/stat_card_pages.h"
#include "printouts/training_pages.h"

#include "platform/window_registry.h"

#include <QDebug>
#include <QHash>
#include <QPointer>
#include <QSet>

#include <functional>

namespace printouts {

namespace {

// Page forms with band handlers of their own; every other page form is a TFormPage.
const QHash<QString, std::function<TFormPage *()>> &PageClassFactories()
{
    static const QHash<QString, std::function<TFormPage *()>> factories = [] {
        QHash<QString, std::function<TFormPage *()>> f = {
            {QStringLiteral("frmQZaswiadczenie_P1"), [] { return new TfrmQZaswiadczenie_P1; }},
            {QStringLiteral("frmQZaswiadczenie_P2"), [] { return new TfrmQZaswiadczenie_P2; }},
            {QStringLiteral("frmQKartaSzkWst"), [] { return new TfrmQKartaSzkWst; }},
            {QStringLiteral("frmWypadekDrogaP3"), [] { return new TfrmWypadekDrogaP3; }},
            {QStringLiteral("frmQSkierBad_P1_1"), [] { return new TfrmQSkierBad_P1_1; }},
            {QStringLiteral("frmQSkierBad_P1_2"), [] { return new TfrmQSkierBad_P1_2; }},
        };
        // Both pages of the statistical card's three models share their handlers.
        for (const QString &name : PageFormNames())
            if (name.startsWith(QLatin1String("frmStatKartWyp")))
                f.insert(name, [name] { return new TfrmStatKartWyp(name); });
        return f;
    }();
    return factories;
}

QString versionedStem(const QString &definitionFile)
{
    // "protpow_frm_2.xml" -> "protpow_frm"
    const qsizetype frm = definitionFile.indexOf(QLatin1String("_frm"));
    return frm < 0 ? definitionFile : definitionFile.left(frm + 4);
}

} // namespace

const std::vector<TPageFormRow> &PageFormChoiceTable()
{
    static const QString protocol = QStringLiteral("Protokół ustalenia okoliczności i przyczyn wypadku przy pracy");
    static const QString statistical = QStringLiteral("Statystyczna karta wypadku przy pracy");
    static const QString referral = QStringLiteral("Skierowanie na badania lekarskie");
    // The statistical card names no one: it is anonymous by law.
    // One row a line.
    // clang-format off
    static const std::vector<TPageFormRow> table = {
        {"protpow_frm_2.xml", "1", {"frmProtWypP1", "frmProtWypP2", "frmProtWypP3", "frmProtWypP4"}, protocol,
         {"NrSymbProt", "RokProt"}, "ImieNazwisko"},
        {"protpow_frm_2.xml", "2", {"frmProtWyp2P1", "frmProtWyp2P2", "frmProtWyp2P3", "frmProtWyp2P4"}, protocol,
         {"NrSymbProt", "RokProt"}, "ImieNazwisko"},
        {"kartwyp_frm.xml", "", {"frmKartWypP1", "frmKartWypP2", "frmKartWypP3", "frmKartWypP4"}, "Karta wypadku",
         {"NrSymbKartWyp"}, "ImieNazwisko"},
        {"protprzes_frm.xml", "", {"frmZalPrzesP1"}, "Protokół przesłuchania poszkodowanego", {}, "Poszk"},
        // An order is named by its own heading ("POLECENIE nr 4/2024").
        {"polpostpow_frm.xml", "", {"frmZalPolP1"}, "Polecenie w sprawie postępowania powypadkowego", {}, "DrTytul"},
        {"kartrejwyp_frm.xml", "", {"frmKartRejWypP1"}, "Karta rejestru wypadków przy pracy", {"NrProt"}, "Poszk"},
        {"skw_frm_3.xml", "1", {"frmStatKartWypP1_1", "frmStatKartWypP2_1"}, statistical, {"NrKolKarty"}, ""},
        {"skw_frm_3.xml", "2", {"frmStatKartWypP1_2", "frmStatKartWypP2_2"}, statistical, {"NrKolKarty"}, ""},
        {"skw_frm_3.xml", "3", {"frmStatKartWypP1_3", "frmStatKartWypP2_3"}, statistical, {"NrKolKarty"}, ""},
        {"kartwypdroga_frm.xml", "", {"frmWypadekDrogaP1", "frmWypadekDrogaP2", "frmWypadekDrogaP3"},
         "Karta wypadku w drodze do pracy lub z pracy", {"NrSymbProt"}, "ImieNazwisko"},
        {"skierbad_frm_2.xml", "1", {"frmQSkierBad_P1_1"}, referral, {}, "ImNazw"},
        {"skierbad_frm_2.xml", "2", {"frmQSkierBad_P1_2"}, referral, {}, "ImNazw"},
        {"zaswszkol_frm.xml", "", {"frmQZaswiadczenie_P1", "frmQZaswiadczenie_P2"},
         "Zaświadczenie o ukończeniu szkolenia w dziedzinie bhp", {"NrRej"}, "ImNazw"},
        {"kartaszkol_frm.xml", "", {"frmQKartaSzkWst"}, "Karta szkolenia wstępnego w dziedzinie bhp", {}, "OsSzkol"},
    };
    // clang-format on
    return table;
}

QStringList PageFormNames()
{
    QStringList names;
    for (const TPageFormRow &row : PageFormChoiceTable())
        names += row.pages;
    return names;
}

bool IsPrintableDefinition(const QString &definitionFile)
{
    for (const TPageFormRow &row : PageFormChoiceTable())
        if (row.definitionFile == definitionFile)
            return true;
    return false;
}

bool IsVersionedDefinition(const QString &definitionFile)
{
    for (const TPageFormRow &row : PageFormChoiceTable())
        if (row.definitionFile == definitionFile && !row.version.isEmpty())
            return true;
    return false;
}

const TPageFormRow *FindPageFormRow(const QString &definitionFile, const QString &version)
{
    for (const TPageFormRow &row : PageFormChoiceTable())
        if (row.definitionFile == definitionFile && (row.version.isEmpty() || row.version == version))
            return &row;
    return nullptr;
}

QString RowDefinitionFile(const TPageFormRow &row)
{
    if (row.version.isEmpty())
        return row.definitionFile;
    return versionedStem(row.definitionFile) + QLatin1Char('_') + row.version + QStringLiteral(".xml");
}

const TPageFormRow *RowOfPageForm(const QString &name)
{
    for (const TPageFormRow &row : PageFormChoiceTable())
        if (row.pages.contains(name))
            return &row;
    return nullptr;
}

QString DocumentIdentity(const TPageFormRow &row, const std::function<QString(const QString &)> &value)
{
    QStringList number;
    for (const QString &field : row.numberFields)
        if (const QString v = value(field).simplified(); !v.isEmpty())
            number << v;
    if (!number.isEmpty())
        return QStringLiteral("nr ") + number.join(QLatin1Char('/'));
    return row.nameField.isEmpty() ? QString() : value(row.nameField).simplified();
}

bool PageFormBuilt(const QString &name)
{
    return PageFormNames().contains(name) && TFormPage::LayoutExists(name);
}

TFormPage *PageForm(const QString &name)
{
    static QHash<QString, QPointer<TFormPage>> made;
    QPointer<TFormPage> &slot = made[name];
    if (slot)
        return slot;
    if (!PageFormBuilt(name)) {
        static QSet<QString> told;
        if (!told.contains(name)) {
            told.insert(name);
            qInfo().noquote() << "page form" << name << "is not built yet; it is left out of the print";
        }
        return nullptr;
    }
    const auto factory = PageClassFactories().value(name);
    slot = factory ? factory() : new TFormPage(name);
    platform::RegisterWindow(slot);
    return slot;
}

} // namespace printouts
