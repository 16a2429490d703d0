// Over every shipped form: men and women rated whatever the groups' limits; fields named as read.
#include "shipped_form_fixture.h"
#include "assessment/rules/noise.h"
#include "assessment/rules/rule_registry.h"

#include <QRegularExpression>

using namespace shippedforms;

// A permitted value of juveniles or pregnant women alone.
static bool IsGroupLimit(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^ed_\\w*(Dop|Dp)\\w*(Ml|Kc|MlKc|KcMl|Ch18|Dz18)(_\\d+)?$"));
    return re.match(name).hasMatch();
}

TEST_F(ShippedFormTest, MenAndWomenAreRatedWithoutTheLimitsOfJuvenilesAndPregnantWomen)
{
    // The adults' values typed in order ("_*": in every ultrasonic band), the ratings then.
    const std::pair<const char *, const char *> cases[] = {
        {"halas_fizyczny_frm_1.xml", "ed_PEWartZm=88 ed_MaksWartZm=100 ed_SzWartZm=120 30,30,0,0"},
        {"halas_uciazliwy_frm_1.xml", "ed_PEWartZm=70 ed_MaksWartZm=100 ed_SzWartZm=120 10,10,0,0"},
        {"halas_infra_frm_1.xml", "ed_PCWartZm=90 ed_SzWartZm=120 10,10,0,0"},
        {"halas_infra_uc_frm_1.xml", "ed_PCWartZm=90 10,10,0,0"},
        {"halas_ultra_frm_1.xml", "ed_PCWartZm_*=70 ed_PMWartZm_*=90 10,10,0,0"},
        {"halas_ultra_frm_2.xml", "ed_PCWartZm_*=70 ed_PMWartZm_*=90 10,10,0,0"},
        {"drgania_msc_frm_1.xml", "ed_RownWartZm=1.4 ed_MaksWartZm=5.6 20,20,0,0"},
        {"drgania_ogln_frm_1.xml", "ed_RownWartZm=0.6 ed_MaksWartZm=1 20,20,40,0"}, // A(8) 0.75 of 0.8 m/s^2
        {"prm_nadfioletowe_frm_1.xml", "ed_NSTwarzWartZm=10 ed_NSReceWartZm=10 ed_NSOczyWartZm=10 ed_NPWartZm=5000 "
                                       "10,10,0,40"},
        {"wysilek_fizyczny_frm_1.xml", "ed_PracWartDop=8000 ed_PracWartDopK=5000 ed_PracMinWartDopK=12 "
                                       "ed_PracWartZm=4500 ed_PracMinWartZm=10 ed_Prac6WartZm=3000 10,20,0,0"},
        {"wysilek_fizyczny_frm_2.xml", "ed_PracWartDop=8000 ed_PracMinWartDopM=20 ed_PracWartDopK=5000 "
                                       "ed_PracMinWartDopK=12 ed_PracWartZm=6500 ed_PracMinWartZm=10 20,30,0,0"},
    };
    QStringList covered;
    for (const auto &[file, script] : cases) {
        ShippedForm f{QString::fromLatin1(file)};
        covered << QString::fromLatin1(file);
        for (const QString &name : f.form.Fields.keys())
            if (IsGroupLimit(name))
                f.Enter(name, QString());
        QStringList words = QString::fromLatin1(script).split(' '), got;
        const QString expected = words.takeLast();
        for (const QString &w : words)
            for (const QString &band : w.contains('*') ? assessment::rules::UltrasonicBands() : QStringList{""})
                f.Enter(w.section('=', 0, 0).replace(QLatin1String("_*"), band), w.section('=', 1));
        for (int code : f.Ratings())
            got << QString::number(code);
        EXPECT_EQ(got.join(','), expected) << file;
        const QString named = f.LastNamed().section(':', 0, 0);
        EXPECT_TRUE(IsGroupLimit(named)) << file << " " << named.toStdString();
        EXPECT_TRUE(f.form.Notes.value(f.form.Notes.size() - 1).contains("„" + f.form.Captions.value(named) + "”"));
    }
    const QDir forms(folder.FilePath(QStringLiteral("zaklocen/frm")));
    for (const QString &file : forms.entryList({"*_frm_*.xml"})) { // every form carrying such limits is a case
        ShippedForm f{file, 4000};
        for (const QString &name : f.form.Fields.keys())
            EXPECT_TRUE(!IsGroupLimit(name) || covered.contains(file)) << (file + " " + name).toStdString();
    }
}

TEST_F(ShippedFormTest, EveryMessageOfARuleNamesFieldsByWhatTheUserReads)
{
    static const QRegularExpression internalName(QStringLiteral("[a-z][A-Z]"));
    for (const QString &file : QDir(folder.FilePath(QStringLiteral("zaklocen/frm"))).entryList({"*_frm_*.xml"})) {
        ShippedForm f{file, 4000};
        const assessment::rules::TRuleFields *fields = assessment::rules::RuleFields(f.function);
        if (!fields)
            continue;
        QStringList internal;
        for (const auto &item : f.items)
            if (item->nazwa().contains(internalName))
                internal << item->nazwa();
        for (const QString &name : fields->Edited + fields->Computed + fields->Other) {
            const QString caption = f.form.Captions.value(name);
            EXPECT_TRUE(name.startsWith("lb_") || !(caption.isEmpty() || internal.contains(caption)))
                << (file + " " + name).toStdString();
        }
        // Values no rule can use, in every field the user types, make the rule speak.
        for (const QString &name : fields->Edited)
            for (const char *bad : {"-1", "x", ""})
                f.Enter(name, QString::fromLatin1(bad));
        for (const QString &text : f.form.Notes + f.form.Messages)
            for (const QString &n : internal)
                EXPECT_FALSE(text.contains(n)) << file.toStdString() << ": " << text.toStdString();
    }
}
