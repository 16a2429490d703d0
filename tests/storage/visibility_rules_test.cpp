// Enabled and visible flags of dependent measurement fields set from their switch fields.
#include "storage/visibility_rules.h"

#include <gtest/gtest.h>

using namespace storage;

namespace {

TPomiarList fields(std::initializer_list<std::pair<const char *, const char *>> items)
{
    TPomiarList l;
    for (const auto &[name, value] : items) {
        auto p = std::make_unique<TPomiar>();
        p->EditDefinition().nazwa = QString::fromUtf8(name);
        p->Value = QString::fromUtf8(value);
        p->enabled = true;
        p->visible = true;
        l.push_back(std::move(p));
    }
    return l;
}

bool enabled(const TPomiarList &l, const char *name)
{
    return FindField(l, name)->enabled;
}

} // namespace

TEST(VisibilityRules, ShortExposureFieldsFollowTheirCheckBox)
{
    for (int id : {10100, 10200}) {
        auto off = fields({{"MaksWartZm", ""}, {"cbCzasEksp", "False"}, {"lMaksWartZm", ""}, {"MaksKrotnMl", ""}, {"Inne", ""}});
        ApplyFieldVisibilityRules(id, "1", "dane\\drgania_msc_dane.xml", off);
        EXPECT_TRUE(enabled(off, "MaksWartZm")) << "a field before its switch is left alone";
        EXPECT_FALSE(enabled(off, "lMaksWartZm"));
        EXPECT_FALSE(enabled(off, "MaksKrotnMl"));
        EXPECT_TRUE(enabled(off, "Inne"));
        auto on = fields({{"cbCzasEksp", "True"}, {"pMaksSW", ""}});
        on[1]->enabled = false;
        ApplyFieldVisibilityRules(id, "1", "x", on);
        EXPECT_TRUE(enabled(on, "pMaksSW"));
    }
    auto other = fields({{"cbCzasEksp", "False"}, {"lMaksWartZm", ""}});
    ApplyFieldVisibilityRules(30001, "1", "x", other);
    EXPECT_TRUE(enabled(other, "lMaksWartZm")) << "another factor has no such rule";
}

TEST(VisibilityRules, ThermalPartOfVisibleRadiationAndConcentratedWork)
{
    auto v = fields({{"cbZagrTO", "False"}, {"TOWartZm", ""}, {"TOCzas", ""}});
    ApplyFieldVisibilityRules(50008, "2", "x", v);
    EXPECT_FALSE(enabled(v, "TOWartZm"));
    EXPECT_FALSE(enabled(v, "TOCzas"));
    auto k = fields({{"Koncentr", "True"}, {"PCCzasWartZm", ""}});
    k[1]->enabled = false;
    ApplyFieldVisibilityRules(30005, "1", "x", k);
    EXPECT_TRUE(enabled(k, "PCCzasWartZm"));
}

TEST(VisibilityRules, DustFilesTurnRespirableRowsAndSumsByKind)
{
    auto coal = fields({{"cmbIloscKrzem", " Poniżej 2% "}, {"PylRespZm", ""}, {"lPResp", ""}, {"PylCalkZm", ""}});
    ApplyFieldVisibilityRules(25020, "1", "dane\\stan_1\\pyly_wegla_dane.xml", coal);
    EXPECT_FALSE(enabled(coal, "PylRespZm"));
    EXPECT_FALSE(enabled(coal, "lPResp"));
    EXPECT_TRUE(enabled(coal, "PylCalkZm"));

    auto graphite = fields({{"Rodz", " Naturalnego "}, {"PylRespKrotn", ""}});
    graphite[1]->enabled = false;
    ApplyFieldVisibilityRules(25090, "1", "pyly_grafitu_dane.xml", graphite);
    EXPECT_TRUE(enabled(graphite, "PylRespKrotn"));

    for (const auto &[typ, shown] : std::vector<std::pair<const char *, bool>>{
             {"0", true}, {"8", true}, {"1", false}, {"2", false}, {"0.5", false}, {"4", true}, {"", true}, {"xx", true}}) {
        auto d = fields({{"Typ", typ}, {"cbSumNDS", ""}, {"SumNDS", ""}});
        ApplyFieldVisibilityRules(25040, "1", "pyly_cementow_dane.xml", d);
        EXPECT_EQ(FindField(d, "SumNDS")->visible, shown) << typ;
        EXPECT_EQ(FindField(d, "cbSumNDS")->visible, shown) << typ;
    }

    auto talc = fields({{"Rodz", "Zawierający włókna mineralne (w tym azbest)"}, {"lPResp", ""}});
    ApplyFieldVisibilityRules(25070, "1", "pyly_talku_dane.xml", talc);
    EXPECT_EQ(FindField(talc, "lPResp")->etyk, QString("Włókna respirabilne [włókna/cm^3]"));
}

TEST(VisibilityRules, DustRuleLooksAtTheFileNameOnly)
{
    auto d = fields({{"Typ", "1"}, {"SumNDS", ""}});
    ApplyFieldVisibilityRules(30001, "1", "/home/pyly/Tarvelin/dane/stan_1/halas_fizyczny_dane.xml", d);
    EXPECT_TRUE(FindField(d, "SumNDS")->visible);
    ApplyFieldVisibilityRules(30001, "1", "dane\\pyly\\halas_fizyczny_dane.xml", d);
    EXPECT_TRUE(FindField(d, "SumNDS")->visible);
}

TEST(VisibilityRules, ColdMicroclimateVersionsTwoAndThree)
{
    auto v2 = fields({{"PracaZewn", "False"}, {"KrotnWCI", ""}, {"KrotnTwc", ""}});
    ApplyFieldVisibilityRules(50002, "2", "x", v2);
    EXPECT_FALSE(enabled(v2, "KrotnWCI"));
    EXPECT_TRUE(enabled(v2, "KrotnTwc"));
    auto v3 = fields({{"PracaZewn", "False"}, {"KrotnWCI", ""}, {"KrotnTwc", ""}, {"Ta", ""}, {"ptwc", ""}});
    ApplyFieldVisibilityRules(50002, "3", "x", v3);
    EXPECT_TRUE(enabled(v3, "KrotnWCI"));
    EXPECT_FALSE(enabled(v3, "KrotnTwc"));
    EXPECT_FALSE(enabled(v3, "Ta"));
    EXPECT_FALSE(enabled(v3, "ptwc"));
    auto v1 = fields({{"PracaZewn", "False"}, {"KrotnTwc", ""}});
    ApplyFieldVisibilityRules(50002, "1", "x", v1);
    EXPECT_TRUE(enabled(v1, "KrotnTwc"));
}

TEST(VisibilityRules, LaserFormTwoHasThreeSwitches)
{
    auto l = fields({{"cPromieniowanie", " impulsowe "}, {"CzasImp", ""}, {"cDzialanie", " na skórę "}, {"KatAlfa", ""},
                     {"DlugFal", "600"}, {"CalkCzasEksp", ""}, {"lCalkCzasEksp", ""}});
    ApplyFieldVisibilityRules(50006, "2", "x", l);
    EXPECT_TRUE(enabled(l, "CzasImp"));
    EXPECT_FALSE(enabled(l, "KatAlfa"));
    EXPECT_FALSE(enabled(l, "CalkCzasEksp")) << "600 nm is not below 600";
    FindField(l, "DlugFal")->Value = "599.9";
    FindField(l, "cPromieniowanie")->Value = "impulsowe";
    ApplyFieldVisibilityRules(50006, "2", "x", l);
    EXPECT_TRUE(enabled(l, "CalkCzasEksp"));
    EXPECT_TRUE(enabled(l, "lCalkCzasEksp"));
    EXPECT_FALSE(enabled(l, "CzasImp")) << "the blanks are part of the compared text";
    auto form1 = fields({{"cPromieniowanie", "x"}, {"CzasImp", ""}});
    ApplyFieldVisibilityRules(50006, "1", "x", form1);
    EXPECT_TRUE(enabled(form1, "CzasImp"));
}
