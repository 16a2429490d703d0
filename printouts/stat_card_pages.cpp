#include "printouts/stat_card_pages.h"

namespace printouts {

using namespace reportengine;

TfrmStatKartWyp::TfrmStatKartWyp(const QString &name) : TFormPage(name) {}

const std::vector<TfrmStatKartWyp::DigitBoxes> &TfrmStatKartWyp::Boxes()
{
    static const std::vector<DigitBoxes> boxes = {
        {"Regon", 14, false},      {"Regon_2_", 14, false}, {"RokUrodz", 4, true},
        {"LiczDniNiezd", 3, true}, {"RokWyp", 4, true},     {"MiesWyp", 2, true},
        {"DzienWyp", 2, true},     {"GodzWyp", 2, true},    {"DniNiezdOstat", 3, true},
    };
    return boxes;
}

QStringList TfrmStatKartWyp::SplitIntoBoxes(const QString &value, int count, bool fromRight)
{
    QStringList out;
    if (count <= 0)
        return out;
    const QString text = value.trimmed();
    const qsizetype surplus = std::max<qsizetype>(0, text.size() - count);
    // The first box takes what does not fit, the others one character each.
    QStringList chars;
    chars << text.left(surplus + 1);
    for (qsizetype i = surplus + 1; i < text.size(); ++i)
        chars << text.mid(i, 1);
    if (text.isEmpty())
        chars.clear();
    const qsizetype padding = count - chars.size();
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = fromRight ? i - padding : i;
        out << (at >= 0 && at < chars.size() ? chars[at] : QString());
    }
    return out;
}

void TfrmStatKartWyp::AfterFill()
{
    // Every box of a value holds the whole value after the fill; each keeps its character.
    for (const DigitBoxes &b : Boxes()) {
        const QString stem = QString::fromLatin1(b.stem);
        TVRLabel *first = Label(stem + QLatin1Char('1'));
        if (!first)
            continue;
        const QStringList chars = SplitIntoBoxes(first->Caption(), b.count, b.fromRight);
        for (int i = 0; i < b.count; ++i)
            if (TVRLabel *box = Label(stem + QString::number(i + 1)))
                box->SetCaption(chars[i]);
    }
}

} // namespace printouts
