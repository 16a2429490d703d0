// Measurement files: two own factors sharing one file, their measurements' header texts and
// values (memo lines too) of the input's choosing, written by the program's writer and read
// back equal for each factor, or refused by the writer with its reason. A value line that
// reads like another factor's block or a measurement's header stays text.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "fuzz/small_form.h"
#include "platform/tarvelin_error.h"
#include "storage/factors.h"
#include "storage/measurement_files.h"

using roundtrip::Require;

namespace {

const QString kPath = QStringLiteral("d\\s\\met5Krok_dane.xml");

void addMeasurements(roundtrip::Input &in, storage::TCzynnik &f)
{
    for (int n = in.Number(0, 3); n > 0; --n) {
        auto m = std::make_unique<storage::TPomiarCzynn>();
        m->id = in.Number(1, 99);
        m->ver = QStringLiteral("1");
        for (QString *v : {&m->data, &m->mscPom, &m->wykpom, &m->metpom, &m->interwyn, &m->srodogrryz})
            *v = in.Text();
        for (short *r : {&m->ocenam, &m->ocenak, &m->ocenakc, &m->ocenaml, &m->ocenamax, &m->ocenakon})
            *r = short(in.Number(0, 40));
        fuzzsupport::SmallFormFields(m->ver, m->Fields);
        for (const auto &p : m->Fields) {
            if (p->typ() == QLatin1String("naglowek"))
                p->ChoiceNr = in.Number(1, 9);
            if (p->typ() == QLatin1String("edit") || p->typ() == QLatin1String("combo") ||
                p->typ() == QLatin1String("memo"))
                p->Value = in.Text();
            if (p->typ() == QLatin1String("combo"))
                p->ChoiceNr = in.Number(0, 9);
        }
        storage::AddMeasurement(f.Measurements, std::move(m)); // one per date
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size,
                        {QStringLiteral("met5Krok_dane"), QStringLiteral("idczynn=\"100002\""),
                         QStringLiteral("idczynn"), QStringLiteral("pomiar id=\"5\" ver=\"1\" data=\"x\""),
                         QStringLiteral("pomiar"), QStringLiteral("dane nazwa=\"A\" typ=\"edit\""),
                         QStringLiteral("dane")});
    storage::TCzynnik a(QStringLiteral("A"), QStringLiteral("fiz"), 100001, QStringLiteral("1.0"),
                        QStringLiteral("met5Krok"), QStringLiteral("T"), QStringLiteral("N"));
    storage::TCzynnik b(QStringLiteral("B"), QStringLiteral("uciaz"), 100002, QStringLiteral("1.0"),
                        QStringLiteral("met5Krok"), QStringLiteral("T"), QStringLiteral("N"));
    addMeasurements(in, a);
    addMeasurements(in, b);
    if (!storage::StorableMeasurements(kPath, {&a, &b}))
        return 0;
    const auto written = storage::MeasurementFileBytes(nullptr, QStringLiteral("met5Krok_dane"), {&a, &b});
    Require(written.has_value());
    const QStringList lines = storage::TextXmlLinesFromBytes(*written, false);
    for (const storage::TCzynnik *f : {&a, &b}) {
        storage::TMeasurementList back;
        storage::ParseMeasurements(lines, kPath, back, f->id, fuzzsupport::SmallFormFields);
        Require(back.size() == f->Measurements.size());
        for (size_t i = 0; i < back.size(); ++i)
            Require(back[i]->SameAs(*f->Measurements[i]));
    }
    return 0;
}
