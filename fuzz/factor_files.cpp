// Feeds the factor-group, factor-list and own-factor readers and the form-version lookup
// with arbitrary files; what reads back cleanly must survive a write and a second read.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "platform/tarvelin_error.h"
#include "storage/factor_files.h"

#include <cstddef>
#include <cstdint>

namespace {

const auto clean = fuzzsupport::Clean;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzzsupport::Lines(data, size, true);
    (void)storage::ParseFactorGroups(lines);
    QString ver = QStringLiteral("1.0");
    // The lookup of a listed factor and of an own factor, whose list has a root of its own.
    (void)storage::FindFactorFormVersion(lines, QStringLiteral("poradn\\czynfiz.xml"), QStringLiteral("10100"), ver);
    (void)storage::FindFactorFormVersion(lines, QStringLiteral("poradn\\czynfizWl.xml"), QStringLiteral("100001"), ver);
    try {
        const QString path = QStringLiteral("poradn\\czynfiz.xml");
        (void)storage::ParseFactorList(lines, path, QStringLiteral("fiz"), true);
        const auto list = storage::ParseFactorList(lines, path, QStringLiteral("fiz"), false);
        bool allClean = true;
        for (const auto &f : list)
            allClean = allClean && clean(f->nazwa) && clean(f->frm_dane) && clean(f->ver_pom) && clean(f->szkod) &&
                       clean(f->aktual) && !f->nazwa.trimmed().isEmpty();
        if (!allClean)
            return 0;
        std::vector<const storage::TCzynnik *> raw;
        for (const auto &f : list)
            raw.push_back(f.get());
        const QStringList written =
            fuzzsupport::WrittenLines(storage::OwnFactorListLines(QStringLiteral("czynfiz"), raw), true);
        const auto back =
            storage::ParseFactorList(written, QStringLiteral("poradn\\czynfizWl.xml"), QStringLiteral("fiz"), false);
        if (back.size() != list.size())
            __builtin_trap();
        for (size_t i = 0; i < list.size(); ++i)
            if (!back[i]->SameFactorAs(*list[i]))
                __builtin_trap();
    } catch (const platform::TarvelinError &) {
    }
    return 0;
}
