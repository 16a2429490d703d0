// Every measurement form definition the installation ships, checked against the program
// that reads it: it loads without a message, its evaluation is one the dispatcher knows,
// every field its rule works on is there (on one page, typed fields evaluating on exit,
// computed ones starting as numbers), its choice trees load with the configuration's
// version, the factor lists point at it, and the file is Windows-1250 with CR LF.

#include "shipped_form_fixture.h"

#include "assessment/rules/rule_registry.h"
#include "platform/cp1250.h"
#include "storage/config_version.h"
#include "storage/text_xml.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

using namespace shippedforms;
using assessment::rules::RuleFields;
using assessment::rules::TRuleFields;

namespace {

// Whether the measurement window's evaluation table knows the form name.
bool InDispatchTable(const QString &formName)
{
    assessment::RuleFamily family;
    return assessment::FamilyOfForm(formName, family);
}

// Choice lists read from the Risk Score parameter files, whose root line does not name them.
const QStringList RiskScoreTables = {"metRiskScore_Skutki_1.xml", "metRiskScore_Prawd_1.xml", "metRiskScore_Eksp_1.xml"};

// Shipped forms that are deliberately not rated: a general form with no limit values.
const QStringList FormsWithoutRating = {"pomiar_ogolny_Pomiar_01"};

// The measurement form folders of the installation and the attachment folder of each.
struct FormsFolder
{
    QString stored;     // "zaklocen\frm\"
    QString attachment; // "zaklocen\frm\zalaczn"
};
const QList<FormsFolder> Folders = {
    {"zaklocen\\frm\\", "zaklocen\\frm\\zalaczn"},
    {"wzrocen\\frm\\", "wzrocen\\frm\\zalaczn"},
};

QString InstallPath(const QString &stored)
{
    return QStringLiteral(TARVELIN_INSTALL_DIR) + QLatin1Char('/') + QString(stored).replace('\\', '/');
}

struct Definition
{
    FormsFolder folder;
    QString file; // "halas_fizyczny_frm_1.xml"
    QString stored() const { return folder.stored + file; }
    QString frmDane() const { return file.left(file.indexOf(QLatin1String("_frm"))); }
};

QList<Definition> ShippedDefinitions()
{
    QList<Definition> out;
    for (const FormsFolder &f : Folders) {
        const QDir dir(InstallPath(f.stored));
        for (const QString &file : dir.entryList({"*_frm_*.xml"}, QDir::Files, QDir::Name))
            out << Definition{f, file};
    }
    return out;
}

struct FactorEntry
{
    QString list; // the factor list file
    int id = 0;
    QString ver;
    QString frmDane;
};

QList<FactorEntry> FactorEntries()
{
    QList<FactorEntry> out;
    const QDir dir(InstallPath(QStringLiteral("poradn")));
    for (const QString &file : dir.entryList({"czyn*.xml"}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(file));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = platform::DecodeCp1250(f.readAll()).split(QLatin1Char('\n'));
        QString rootVer;
        for (const QString &line : lines) {
            if (line.contains(QLatin1String("<czyn")) && !line.contains(QLatin1String("<czynnik")) &&
                !line.contains(QLatin1String("<czynniki")))
                rootVer = storage::ReadAttributeValue(QStringLiteral("ver_pom=\""), line);
            if (!line.contains(QLatin1String("<czynnik ")))
                continue;
            FactorEntry e;
            e.list = file;
            e.id = storage::ReadAttributeValue(QStringLiteral("id=\""), line).toInt();
            e.ver = storage::ReadAttributeValue(QStringLiteral("ver_pom=\""), line);
            if (e.ver.isEmpty())
                e.ver = rootVer;
            e.frmDane = storage::ReadAttributeValue(QStringLiteral("frm_dane=\""), line);
            out << e;
        }
    }
    return out;
}

int FactorIdOf(const QString &frmDane)
{
    for (const FactorEntry &e : FactorEntries())
        if (e.frmDane == frmDane)
            return e.id;
    return 0;
}

struct Loaded
{
    storage::TPomiarList items;
    storage::FormRootInfo root;
};

class ShippedForms : public ShippedFormTest
{
protected:
    void SetUp() override
    {
        ShippedFormTest::SetUp();
        definitions = ShippedDefinitions();
        ASSERT_FALSE(definitions.isEmpty());
    }
    void Load(const Definition &d, Loaded &out)
    {
        ASSERT_NO_THROW(storage::ReadMeasurementForm(d.stored(), out.items, FactorIdOf(d.frmDane()), {}, &out.root))
            << d.file.toStdString();
    }
    QList<Definition> definitions;
};

} // namespace

TEST_F(ShippedForms, EveryDefinitionLoadsAndNamesAFormOfTheDispatchTable)
{
    for (const Definition &d : definitions) {
        SCOPED_TRACE(d.file.toStdString());
        Loaded l;
        Load(d, l);
        ASSERT_FALSE(l.items.empty());
        EXPECT_EQ(l.root.plik, d.file);
        EXPECT_EQ(l.root.katalog, d.folder.stored);
        EXPECT_EQ(l.items.front()->typ(), "page");
        EXPECT_EQ(l.items.front()->function(), l.root.function);
        const QString &fn = l.root.function;
        EXPECT_TRUE(InDispatchTable(fn) || FormsWithoutRating.contains(fn)) << fn.toStdString();
        // a form whose rule is built is evaluated by it
        if (RuleFields(fn)) {
            EXPECT_TRUE(assessment::FindEvaluationRule(fn)) << fn.toStdString();
        }
    }
}

TEST_F(ShippedForms, EveryFieldARuleUsesIsInItsFormOnOnePage)
{
    int rated = 0;
    for (const Definition &d : definitions) {
        SCOPED_TRACE(d.file.toStdString());
        Loaded l;
        Load(d, l);
        const TRuleFields *fields = RuleFields(l.root.function);
        if (!fields)
            continue;
        ++rated;
        QHash<QString, const storage::TPomiar *> byControl;
        for (const auto &item : l.items) {
            const QString name = ControlName(*item);
            if (!name.isEmpty() && !byControl.contains(name))
                byControl.insert(name, item.get());
        }
        int page = -1;
        auto check = [&](const QString &name) -> const storage::TPomiar * {
            const storage::TPomiar *item = byControl.value(name);
            EXPECT_TRUE(item) << "missing " << name.toStdString();
            if (!item)
                return nullptr;
            if (page < 0)
                page = item->PageNr();
            EXPECT_EQ(item->PageNr(), page) << name.toStdString() << " is on another page";
            return item;
        };
        for (const QString &name : fields->Edited) {
            if (const storage::TPomiar *item = check(name)) {
                EXPECT_EQ(item->typ(), "edit") << name.toStdString();
                EXPECT_TRUE(item->onexit) << name.toStdString() << " does not evaluate when left";
                EXPECT_FALSE(item->readonly()) << name.toStdString();
            }
        }
        for (const QString &name : fields->Computed) {
            if (const storage::TPomiar *item = check(name)) {
                double v = 0;
                EXPECT_TRUE(storage::TryToDouble(item->Value, v))
                    << name.toStdString() << " starts as '" << item->Value.toStdString() << "'";
                EXPECT_FALSE(item->onexit) << name.toStdString();
            }
        }
        for (const QString &name : fields->Other)
            check(name);
    }
    EXPECT_GE(rated, 6); // the noise forms at least
}

TEST_F(ShippedForms, EveryRuleBuiltHasAShippedForm)
{
    QStringList shipped;
    for (const Definition &d : definitions) {
        Loaded l;
        Load(d, l);
        shipped << l.root.function;
    }
    const QStringList rules = assessment::rules::RegisteredRuleForms();
    EXPECT_FALSE(rules.isEmpty());
    for (const QString &fn : rules)
        EXPECT_TRUE(shipped.contains(fn)) << fn.toStdString();
}

TEST_F(ShippedForms, FilesAreWindows1250WithCrLf)
{
    for (const Definition &d : definitions) {
        SCOPED_TRACE(d.file.toStdString());
        QFile f(InstallPath(d.stored()));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
            }
            if (bytes[i] == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
            }
        }
        const QString text = platform::DecodeCp1250(bytes);
        EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"Windows-1250\""));
        // UTF-8 read as Windows-1250 shows these; Polish text never does
        for (const char *sign : {"Ä", "Ĺ", "Ă", "Ĺ‚"})
            EXPECT_FALSE(text.contains(QString::fromUtf8(sign))) << sign;
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    }
}

TEST_F(ShippedForms, ChoiceTreesLoadWithTheConfigurationVersion)
{
    QFile config(InstallPath(QStringLiteral("config\\Tarvelin.xml")));
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    const QString configVer = storage::ReadAttributeValue(QStringLiteral("ver=\""),
                                                          platform::DecodeCp1250(config.readAll()).section('\n', 1, 1));
    ASSERT_FALSE(configVer.isEmpty());
    const QString saved = storage::ConfigVersion();
    for (const Definition &d : definitions) {
        Loaded l;
        Load(d, l);
        for (const auto &item : l.items) {
            if (item->zal().isEmpty() || (item->typ() != "combo" && item->typ() != "form"))
                continue;
            for (const QString &part : item->zal().split(';', Qt::SkipEmptyParts)) {
                SCOPED_TRACE((d.file + " " + item->nazwa() + " " + part).toStdString());
                const QString tree = d.folder.attachment + QLatin1Char('\\') + part;
                ASSERT_TRUE(QFile::exists(InstallPath(tree)));
                if (item->typ() != "combo")
                    continue;
                storage::ConfigVersion() = QStringLiteral("?");
                std::vector<storage::TZalTree> nodes;
                ASSERT_NO_THROW(storage::ReadSelectionTree(tree, nodes));
                EXPECT_FALSE(nodes.empty());
                // The Risk Score tables are parameter files, not trees: they leave the version alone.
                EXPECT_EQ(storage::ConfigVersion(), RiskScoreTables.contains(part) ? QStringLiteral("?") : configVer);
            }
        }
    }
    storage::ConfigVersion() = saved;
}

TEST_F(ShippedForms, FactorListsPointAtShippedDefinitions)
{
    QStringList shippedDane;
    for (const Definition &d : definitions)
        shippedDane << d.frmDane();
    int checked = 0;
    for (const FactorEntry &e : FactorEntries()) {
        if (!shippedDane.contains(e.frmDane))
            continue; // that form's definitions come with its rules
        ++checked;
        const QString name = storage::FormDefinitionName(e.frmDane, e.ver);
        EXPECT_TRUE(QFile::exists(InstallPath(QStringLiteral("zaklocen\\frm\\") + name)))
            << e.list.toStdString() << " factor " << e.id << " names " << name.toStdString();
    }
    EXPECT_GT(checked, 0);
}

TEST_F(ShippedForms, EveryMechanicalFactorIncludesItsRequirements)
{
    // The mechanical form reads its requirements from a part per factor, numbered from 1
    // without gaps: the rating stops at the first number missing.
    int factors = 0;
    for (const FactorEntry &e : FactorEntries()) {
        if (e.frmDane != QLatin1String("mechaniczne"))
            continue;
        SCOPED_TRACE(e.id);
        ++factors;
        storage::TPomiarList items;
        ASSERT_NO_THROW(storage::ReadMeasurementForm(
            QStringLiteral("zaklocen\\frm\\") + storage::FormDefinitionName(e.frmDane, e.ver), items, e.id));
        QStringList names;
        for (const auto &item : items)
            names << ControlName(*item);
        int count = 0;
        while (names.contains(QStringLiteral("ch_cbIstotne%1").arg(count + 1))) {
            ++count;
            EXPECT_TRUE(names.contains(QStringLiteral("cb_cWaga%1").arg(count)));
            EXPECT_TRUE(names.contains(QStringLiteral("cb_cWartosc%1").arg(count)));
        }
        EXPECT_GE(count, 3);
        EXPECT_EQ(names.filter(QRegularExpression(QStringLiteral("^ch_cbIstotne\\d+$"))).size(), count);
    }
    EXPECT_GE(factors, 1);
}

class ShippedFormsInTheWindow : public WindowOnShippedForm
{
};

TEST_F(ShippedFormsInTheWindow, EveryDefinitionBuildsWithoutAMessage)
{
    const QList<Definition> defs = ShippedDefinitions();
    for (const Definition &d : defs) {
        if (d.folder.stored != QLatin1String("zaklocen\\frm\\"))
            continue;
        SCOPED_TRACE(d.file.toStdString());
        const QString ver = d.file.section(QLatin1String("_frm_"), 1).section('.', 0, 0) + QStringLiteral(".0");
        Open(FactorIdOf(d.frmDane()), d.frmDane(), ver);
        EXPECT_TRUE(prompter.boxes.isEmpty());
        EXPECT_GT(win->MeasurementPages().Pages()->count(), 1);
        EXPECT_FALSE(win->MeasurementPages().FormName().isEmpty());
        TearDown();
        SetUp();
    }
}
