// Selection trees (the installation writes them): groups and entries, in both kinds of
// tree, with texts of the input's choosing, written by their line templates, read back as
// the same tree; a text the templates cannot hold (a line break, "</" in an entry) is left
// out, as their writer has to refuse it.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/selection_trees.h"

using roundtrip::Attr;
using roundtrip::Require;
using storage::TextPlace;

namespace {

const QString kRelPath = QStringLiteral("zal\\drzewo_1.xml");

// One tree of either kind drawn from the input, written and read back.
template <typename Node> void roundTrip(roundtrip::Input &in)
{
    QStringList lines{QStringLiteral("<drzewo") + Attr("plik", kRelPath) + QStringLiteral(" ver=\"1.0\">")};
    std::vector<Node> expected;
    std::vector<int> open; // ids of the groups open
    bool storable = true;
    int id = 0;
    for (int n = in.Number(0, 12); n > 0 || !open.empty(); --n) {
        const int step = n > 0 ? in.Number(0, 2) : 2;
        const int parent = open.empty() ? 0 : open.back();
        const int level = int(open.size());
        if (step == 0 && open.size() < 3) {
            const QString name = in.Text();
            storable = storable && roundtrip::Storable(name, TextPlace::Attribute);
            lines << QStringLiteral("<grp") + Attr("nazwa", name) + '>';
            if constexpr (std::is_same_v<Node, storage::TZalTreeParam>)
                expected.push_back(Node(++id, parent, level, name, QString(), QString(), QString()));
            else
                expected.push_back(Node(++id, parent, level, name));
            open.push_back(id);
        } else if (step == 2 && !open.empty()) {
            lines << QStringLiteral("</grp>");
            open.pop_back();
        } else {
            const QString text = in.Text();
            storable = storable && roundtrip::Storable(text, TextPlace::LineText);
            if constexpr (std::is_same_v<Node, storage::TZalTreeParam>) {
                const QString p1 = in.Text(), p2 = in.Text(), p3 = in.Text();
                for (const QString *p : {&p1, &p2, &p3})
                    storable = storable && roundtrip::Storable(*p, TextPlace::Attribute);
                lines << QStringLiteral("<poz") + Attr("par1", p1) + Attr("par2", p2) + Attr("par3", p3) + '>' + text +
                             QStringLiteral("</poz>");
                if (!open.empty()) // a parameter tree lists no entries outside a group
                    expected.push_back(Node(++id, parent, level, text, p1, p2, p3));
            } else {
                lines << QStringLiteral("<poz>") + text + QStringLiteral("</poz>");
                expected.push_back(Node(++id, parent, level, text));
            }
        }
    }
    lines << QStringLiteral("</drzewo>");
    if (!storable)
        return;
    std::vector<Node> back;
    QString version;
    bool found = false;
    const QStringList written = fuzzsupport::WrittenLines(lines, true);
    if constexpr (std::is_same_v<Node, storage::TZalTreeParam>)
        Require(storage::ParseParamTree(written, kRelPath, back, version, found));
    else
        Require(storage::ParseSelectionTree(written, kRelPath, back, version, found));
    Require(found && version == QLatin1String("1.0") && back.size() == expected.size());
    for (size_t i = 0; i < back.size(); ++i) {
        Require(back[i].Id == expected[i].Id && back[i].ParentId == expected[i].ParentId &&
                back[i].Level == expected[i].Level && back[i].Text == expected[i].Text);
        if constexpr (std::is_same_v<Node, storage::TZalTreeParam>)
            Require(back[i].par1 == expected[i].par1 && back[i].par2 == expected[i].par2 &&
                    back[i].par3 == expected[i].par3);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size, {QStringLiteral("drzewo"), QStringLiteral("grp"), QStringLiteral("poz")});
    roundTrip<storage::TZalTree>(in);
    roundTrip<storage::TZalTreeParam>(in);
    return 0;
}
