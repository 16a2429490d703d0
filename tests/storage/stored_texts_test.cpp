// What the user typed is what is read back, in every file kind the program writes
// (every_writer.h): a text that looks like an attribute, a tag or an escape stays text (a
// smoke table through the files themselves; the round-trip fuzz targets run every file
// kind, the installation's own too, over every such text), from every shape a whole file
// can have; a text a file cannot hold is refused and named; a folder in a file's place, a
// wrong root and a folder that cannot be made are named.
#include "tests/storage/every_writer.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace storagetest;
using testsupport::FixtureFolder;

// Each text in every shape a whole file can have; a file cut short is refused. A "</" ends
// the element texts of all but the lists.
TEST(StoredTexts, AttributeLikeTextReadsBackAsTypedFromEveryShapeOfAWholeFileOrIsRefused)
{
    const QStringList values = QStringLiteral("Spawacz kat_dane=|Hałas id=|Pył ident=|x frm_dane=|T aktual=|"
                                              "Protokół wer_dok=|rodzinf=\"7\"|Skutki Wartosc=|Hala \"A\"|&quot;|"
                                              "A &amp; B|<stanowisko id=\"9\">|a > b| ąćęłńóśźż |„€…‰Šś”|a</b")
                                   .split('|');
    const std::pair<const char *, std::function<QByteArray(QByteArray)>> shapes[] = {
        {"as written", [](QByteArray b) { return b; }},
        {"LF", [](QByteArray b) { return b.replace("\r\n", "\n"); }},
        {"CR CR LF", [](QByteArray b) { return b.replace("\r\n", "\r\r\n"); }},
        {"CR", [](QByteArray b) { return b.replace("\r\n", "\r"); }},
        {"blank line after the declaration", [](QByteArray b) { return b.insert(b.indexOf("\r\n") + 2, "\r\n"); }},
        {"blank lines after the end", [](QByteArray b) { return b + "\r\n \t\r\n"; }},
        {"Ctrl-Z", [](QByteArray b) { return b + "\x1a"; }},
        {"NULs", [](QByteArray b) { return b + QByteArray(64, '\0'); }},
        {"no last line end", [](QByteArray b) { return b.left(b.size() - 2); }},
    };
    for (const QString &v : values) {
        FixtureFolder fx;
        EveryWriter writers(fx);
        writers.Change(v);
        for (const WriterCase &c : writers.cases) {
            if (!c.read)
                continue;
            const auto before = writers.AllFiles();
            const QString refused = c.write();
            EXPECT_EQ(!refused.isEmpty(), v == "a</b" && !c.name.startsWith("lista")) << qPrintable(c.name + ": " + refused);
            if (!refused.isEmpty()) {
                EXPECT_TRUE(refused.startsWith("Nie zapisano pliku") && refused.contains("\"a</b\"")) << qPrintable(refused);
                EXPECT_TRUE(writers.AllFiles() == before) << qPrintable(c.name);
                continue;
            }
            for (const QString &file : c.files) {
                const QByteArray whole = fx.Read(file);
                for (const auto &[shape, reshape] : shapes) {
                    fx.Write(file, reshape(whole));
                    for (const QString &read : ReadBack(c))
                        EXPECT_EQ(read.toStdString(), v.toStdString()) << qPrintable(c.name + ", " + file + ", " + shape);
                }
                fx.Write(file, whole.left(whole.lastIndexOf("</")));
                EXPECT_TRUE(ReadBack(c).join('|').startsWith("damaged")) << qPrintable(c.name + ", " + file);
                fx.Write(file, whole);
            }
        }
    }
    // A line break ends a line of the list; a letter outside the code page cannot be written.
    FixtureFolder fx;
    EveryWriter writers(fx);
    for (const auto &[text, why] : {std::pair("dwa\nwiersze", "podział wiersza"), std::pair("Ж", "Windows-1250")}) {
        writers.Change(QString::fromUtf8(text));
        EXPECT_TRUE(writers.Case("lista stanowisk").write().contains(QString::fromUtf8(why))) << why;
    }
}

TEST(PathMessages, AFolderInAFilesPlaceAWrongRootAndAFolderThatCannotBeMadeAreEachNamed)
{
    const QString folderAt = QStringLiteral("damaged: Zamiast pliku jest katalog o tej nazwie : ");
    const QString notMade = QStringLiteral("Nie powiodła się próba utworzenia katalogu : ");
    const QString wrongRoot = QStringLiteral("damaged: Plik nie jest oczekiwanego rodzaju (element główny <%1> "
                                             "zamiast <%2>) : %3");
    // The kind and the folder its writer names; wrong roots that miss the right one by a
    // letter, either way.
    const std::pair<const char *, const char *> cases[] = {
        {"lista stanowisk", "dane\\"}, {"stanowisko", "dane\\stan_1"}, {"lista dokumentów", "dane\\"}, {"dokument", "dane\\x\\"}};
    for (const auto &[name, made] : cases) {
        FixtureFolder fx;
        EveryWriter writers(fx);
        const WriterCase &kind = writers.Case(QString::fromUtf8(name));
        const QString path = kind.files[0], place = QFileInfo(fx.FilePath(path)).path();
        QFile::remove(fx.FilePath(path));
        fx.Write(path + "/x", "");
        EXPECT_EQ(ReadBack(kind).join('|').toStdString(), (folderAt + path).toStdString()) << name;
        QDir(place).removeRecursively();
        fx.Write(QDir(fx.Path()).relativeFilePath(place), "plik");
        EXPECT_EQ(kind.write().toStdString(), (notMade + made).toStdString()) << name;
        QFile::remove(place);
        const QString root = path.section('\\', -1).section('.', 0, 0);
        for (const QString &other : {root.chopped(1), root + '7'}) {
            fx.WriteText(path, kDecl + QStringLiteral("<%1 ver='1.0'>\n</%1>\n").arg(other));
            EXPECT_EQ(ReadBack(kind).join('|').toStdString(), wrongRoot.arg(other, root, path).toStdString()) << name;
        }
    }
}
