// Feeds the factor-group, factor-list and own-factor readers and the form-version lookup
// with arbitrary files; what reads back cleanly must survive a write and a second read.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_folder.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/factor_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

void setup(const QDir &dir)
{
    dir.mkpath(QStringLiteral("poradn"));
}

const auto clean = fuzzsupport::Clean;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzsupport::Folder(setup);
    for (const char *name : {"poradn/czynniki_grupy.xml", "poradn/czynfiz.xml", "poradn/czynfizWl.xml"}) {
        QFile f(fuzzsupport::Folder(setup).filePath(QString::fromLatin1(name)));
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    (void)storage::ReadFactorGroups(QStringLiteral("poradn\\czynniki_grupy.xml"));
    QString ver = QStringLiteral("1.0");
    (void)storage::ReadFactorFormVersion(QStringLiteral("poradn\\"), QStringLiteral("fiz"), QStringLiteral("10100"), ver);
    (void)storage::ReadFactorFormVersion(QStringLiteral("poradn\\"), QStringLiteral("fiz"), QStringLiteral("100001"), ver);
    try {
        (void)storage::ReadFactorList(QStringLiteral("poradn\\czynfiz.xml"), QStringLiteral("fiz"), true);
        const auto list = storage::ReadFactorList(QStringLiteral("poradn\\czynfiz.xml"), QStringLiteral("fiz"), false);
        bool allClean = true;
        for (const auto &f : list)
            allClean = allClean && clean(f->nazwa) && clean(f->frm_dane) && clean(f->ver_pom) && clean(f->szkod) &&
                       clean(f->aktual) && !f->nazwa.trimmed().isEmpty();
        if (!allClean)
            return 0;
        if (!storage::WriteOwnFactorList(QStringLiteral("poradn\\czynfizWl.xml"), QStringLiteral("czynfiz"), list))
            __builtin_trap();
        const auto back = storage::ReadFactorList(QStringLiteral("poradn\\czynfizWl.xml"), QStringLiteral("fiz"), false);
        if (back.size() != list.size())
            __builtin_trap();
        for (size_t i = 0; i < list.size(); ++i)
            if (!back[i]->SameFactorAs(*list[i]))
                __builtin_trap();
    } catch (const platform::TarvelinError &) {
    }
    return 0;
}
