// A file cut short at any line end is said to be damaged by the reader of every kind the
// installation ships, never read as a shorter whole; the whole file reads.
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "storage/document_files.h"
#include "storage/factor_files.h"
#include "storage/form_definition_files.h"
#include "storage/navigation_file.h"
#include "storage/risk_score_files.h"
#include "storage/selection_trees.h"
#include "storage/workstation_files.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using namespace storage;

TEST(CutFiles, EveryReaderSaysAFileCutAtAnyLineEndIsDamaged)
{
    testsupport::FixtureFolder fx(true);
    ReadNavigationConfig("config\\Tarvelin.xml");
    QString damage, v;
    const std::pair<const char *, std::function<void()>> kinds[] = { // each throws, or leaves damage, when refused
        {"config\\Tarvelin.xml", [] { ReadNavigationConfig("config\\Tarvelin.xml"); }},
        {"poradn\\czynniki_grupy.xml", [] { ReadFactorGroups("poradn\\czynniki_grupy.xml"); }},
        {"poradn\\czynpyly.xml", [&] { ReadFactorList("poradn\\czynpyly.xml", "pyly", false, &damage); }},
        {"poradn\\czynchem.xml", [] { ReadChemicalCatalogue("poradn\\czynchem.xml", ChemicalFilter()); }},
        {"poradn\\czynbiol.xml", [] { ReadBiologicalCatalogue("poradn\\czynbiol.xml", "0"); }},
        {"zaklocen\\frm\\halas_fizyczny_frm_1.xml", [] { TPomiarList f; ReadMeasurementForm("zaklocen\\frm\\halas_fizyczny_frm_1.xml", f, 1); }},
        {"dokumenty\\frm\\kartrejwyp_frm.xml", [] { TDokumList f; ReadDocumentForm("dokumenty\\frm\\kartrejwyp_frm.xml", f); }},
        {"dokumenty\\zalaczn\\ciezkwyp.xml", [] { std::vector<TZalTree> t; ReadSelectionTree("dokumenty\\zalaczn\\ciezkwyp.xml", t); }},
        {"zaklocen\\struktura_dane.xml", [&] { WorkstationList l; ReadWorkstationList("zaklocen\\struktura_dane.xml", l, v, &damage); }},
        {"zaklocen\\frm\\zalaczn\\metRiskScore_Prawd_1.xml", [&] { if (!ReadRiskScore(1).Problems.empty()) damage = "?"; }},
    };
    for (const auto &[path, read] : kinds) {
        const QByteArray whole = fx.Read(path);
        const auto refused = [&](const QByteArray &bytes) {
            fx.Write(path, bytes), damage.clear();
            try {
                read();
            } catch (const platform::TarvelinError &) {
                return true;
            }
            return !damage.isEmpty();
        };
        EXPECT_FALSE(refused(whole)) << path;
        for (qsizetype end = whole.indexOf('\n', whole.indexOf('\n') + 1); end < whole.trimmed().size() - 1;
             end = whole.indexOf('\n', end + 1))
            EXPECT_TRUE(refused(whole.left(end + 1))) << path << " cut after byte " << end;
        fx.Write(path, whole);
    }
}
