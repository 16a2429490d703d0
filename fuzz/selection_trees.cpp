// Feeds both selection-tree readers with arbitrary bytes: every node's parent comes before
// it, levels count one per enclosing group, and nothing crashes or hangs.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "storage/selection_trees.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace {

template <typename Node>
void check(const std::vector<Node> &nodes)
{
    std::unordered_map<int, int> levelOf;
    int previous = 0;
    for (const Node &n : nodes) {
        if (n.Id <= previous)
            __builtin_trap(); // ids grow in file order
        previous = n.Id;
        if (n.ParentId != 0) {
            auto it = levelOf.find(n.ParentId);
            if (it == levelOf.end() || it->second + 1 != n.Level)
                __builtin_trap();
        } else if (n.Level != 0) {
            __builtin_trap();
        }
        levelOf[n.Id] = n.Level;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzzsupport::Lines(data, size, true);
    const QString key = QStringLiteral("dokumenty\\zalaczn\\drzewo.xml");
    QString version;
    bool found = false;
    std::vector<storage::TZalTree> plain;
    if (storage::ParseSelectionTree(lines, key, plain, version, found))
        check(plain);
    std::vector<storage::TZalTreeParam> params;
    if (storage::ParseParamTree(lines, key, params, version, found))
        check(params);
    return 0;
}
