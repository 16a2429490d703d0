#include "reportengine/vr_printer_settings.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

#include <cmath>

namespace reportengine {

namespace {

// Millimetre sizes of the Windows papers of these codes.
constexpr TVRPaperInfo kPapers[kPaperSizeCount] = {
    {"Default", 0, 0, 0},
    {"Letter", 1, 215.9, 279.4},
    {"LetterSmall", 2, 215.9, 279.4},
    {"Tabloid", 3, 279.4, 431.8},
    {"Ledger", 4, 431.8, 279.4},
    {"Legal", 5, 215.9, 355.6},
    {"Statement", 6, 139.7, 215.9},
    {"Executive", 7, 184.2, 266.7},
    {"A3", 8, 297, 420},
    {"A4", 9, 210, 297},
    {"A4Small", 10, 210, 297},
    {"A5", 11, 148, 210},
    {"B4", 12, 257, 364},
    {"B5", 13, 182, 257},
    {"Folio", 14, 215.9, 330.2},
    {"Quarto", 15, 215, 275},
    {"vr10X14", 16, 254, 355.6},
    {"vr11X17", 17, 279.4, 431.8},
    {"Note", 18, 215.9, 279.4},
    {"Env9", 19, 98.4, 225.4},
    {"Env10", 20, 104.8, 241.3},
    {"Env11", 21, 114.3, 263.5},
    {"Env12", 22, 120.7, 279.4},
    {"Env14", 23, 127, 292.1},
    {"CSheet", 24, 431.8, 558.8},
    {"DSheet", 25, 558.8, 863.6},
    {"ESheet", 26, 863.6, 1117.6},
    {"EnvDL", 27, 110, 220},
    {"EnvC5", 28, 162, 229},
    {"EnvC3", 29, 324, 458},
    {"EnvC4", 30, 229, 324},
    {"EnvC6", 31, 114, 162},
    {"EnvC65", 32, 114, 229},
    {"EnvB4", 33, 250, 353},
    {"EnvB5", 34, 176, 250},
    {"EnvB6", 35, 176, 125},
    {"EnvItaly", 36, 110, 230},
    {"EnvMonarch", 37, 98.4, 190.5},
    {"EnvPersonal", 38, 92.1, 165.1},
    {"FanfoldUSStd", 39, 377.8, 279.4},
    {"FanfoldGerStd", 40, 215.9, 304.8},
    {"FanfoldGerLegal", 41, 215.9, 330.2},
    {"B4ISO", 42, 250, 353},
    {"PostcardJap", 43, 100, 148},
    {"vr9X11", 44, 228.6, 279.4},
    {"vr10X11", 45, 254, 279.4},
    {"vr15X11", 46, 381, 279.4},
    {"EnvInvite", 47, 220, 220},
    {"Reserved1", 48, 0, 0},
    {"Reserved2", 49, 0, 0},
    {"LetterExtra", 50, 241.3, 304.8},
    {"LegalExtra", 51, 241.3, 381},
    {"TabloidExtra", 52, 304.8, 457.2},
    {"A4Extra", 53, 235.5, 322.3},
    {"LetterTrans", 54, 215.9, 279.4},
    {"A4Trans", 55, 210, 297},
    {"LetterExtraTrans", 56, 241.3, 304.8},
    {"SuperASuperAA4", 57, 227, 356},
    {"SuperBSuperBA3", 58, 305, 487},
    {"LetterPlus", 59, 215.9, 322.3},
    {"A4Plus", 60, 210, 330},
    {"A5Trans", 61, 148, 210},
    {"B5Trans", 62, 182, 257},
    {"A3Extra", 63, 322, 445},
    {"A5Extra", 64, 174, 235},
    {"B5Extra", 65, 201, 276},
    {"A2", 66, 420, 594},
    {"A3Trans", 67, 297, 420},
    {"A3ExtraTrans", 68, 322, 445},
    {"Custom", 256, 0, 0},
};

struct BinInfo
{
    const char *Name;
    int Code;
};

constexpr BinInfo kBins[kBinCount] = {
    {"First", 1},         {"Upper", 1},        {"Lower", 2},         {"Middle", 3},        {"Manual", 4},
    {"Envelope", 5},      {"EnvManual", 6},    {"Auto", 7},          {"Tractor", 8},       {"SmallFormat", 9},
    {"LargeFormat", 10},  {"LargeCapacity", 11}, {"Cassette", 14},   {"Last", 14},
};

QPrinter *g_sharedPrinter = nullptr;

void FreeSharedPrinter()
{
    delete g_sharedPrinter;
    g_sharedPrinter = nullptr;
}

} // namespace

const TVRPaperInfo &PaperInfo(TVRPaperSize size)
{
    const int i = static_cast<int>(size);
    return kPapers[(i >= 0 && i < kPaperSizeCount) ? i : 0];
}

int PaperCode(TVRPaperSize size)
{
    return PaperInfo(size).Code;
}

TVRPaperSize PaperFromCode(int code)
{
    for (int i = 0; i < kPaperSizeCount; ++i)
        if (kPapers[i].Code == code)
            return static_cast<TVRPaperSize>(i);
    return TVRPaperSize::Default;
}

TVRPaperSize PaperFromName(const QString &name)
{
    for (int i = 0; i < kPaperSizeCount; ++i)
        if (name.compare(QLatin1String(kPapers[i].Name), Qt::CaseInsensitive) == 0)
            return static_cast<TVRPaperSize>(i);
    return TVRPaperSize::Default;
}

QString PaperName(TVRPaperSize size)
{
    return QString::fromLatin1(PaperInfo(size).Name);
}

int BinCode(TVRBin bin)
{
    const int i = static_cast<int>(bin);
    return kBins[(i >= 0 && i < kBinCount) ? i : 0].Code;
}

const char *BinName(TVRBin bin)
{
    const int i = static_cast<int>(bin);
    return kBins[(i >= 0 && i < kBinCount) ? i : 0].Name;
}

TVRBin BinFromCode(int code)
{
    for (int i = 0; i < kBinCount; ++i)
        if (kBins[i].Code == code)
            return static_cast<TVRBin>(i);
    return TVRBin::First;
}

QString PdfDestinationName()
{
    return QStringLiteral("Plik PDF");
}

QStringList PrinterNames()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.append(PdfDestinationName());
    return names;
}

int DefaultPrinterIndex()
{
    const QStringList names = PrinterNames();
    const QString def = QPrinterInfo::defaultPrinterName();
    const int i = def.isEmpty() ? -1 : names.indexOf(def);
    return i >= 0 ? i : static_cast<int>(names.size()) - 1;
}

bool IsPdfDestinationIndex(int index)
{
    const int count = static_cast<int>(PrinterNames().size());
    if (index < 0 || index >= count)
        index = DefaultPrinterIndex();
    return index == count - 1;
}

QPrinter::DuplexMode DuplexModeOf(int code)
{
    switch (code) {
    case 2:
        return QPrinter::DuplexLongSide;
    case 3:
        return QPrinter::DuplexShortSide;
    default:
        return QPrinter::DuplexNone;
    }
}

int DuplexCodeOf(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        return 2;
    case QPrinter::DuplexShortSide:
        return 3;
    default:
        return 1;
    }
}

void SelectPrinterDestination(QPrinter &printer, int index)
{
    const QStringList names = PrinterNames();
    if (index < 0 || index >= names.size())
        index = DefaultPrinterIndex();
    if (index == names.size() - 1) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(names[index]);
    }
}

int PrinterDestinationIndex(const QPrinter &printer)
{
    const QStringList names = PrinterNames();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return static_cast<int>(names.size()) - 1;
    const int i = names.indexOf(printer.printerName());
    return i >= 0 ? i : DefaultPrinterIndex();
}

QPrinter *SharedPrinter()
{
    if (!g_sharedPrinter) {
        g_sharedPrinter = new QPrinter(QPrinter::HighResolution);
        if (QCoreApplication::instance())
            qAddPostRoutine(FreeSharedPrinter);
    }
    return g_sharedPrinter;
}

// ---------------------------------------------------------------------------------------
// TPrinterSettings

TPrinterSettings::TPrinterSettings()
{
    PaperSupported.fill(false);
    PaperSupported[static_cast<int>(TVRPaperSize::Custom)] = true;
}

bool TPrinterSettings::IsPdfDestination() const
{
    if (!m_printer)
        return true;
    return m_printer->outputFormat() == QPrinter::PdfFormat;
}

void TPrinterSettings::SetPrinter(QPrinter *printer)
{
    m_printer = printer;
    if (m_printer) {
        // A printer object nobody pointed anywhere yet goes to the default destination.
        if (m_printer->outputFormat() != QPrinter::PdfFormat && m_printer->printerName().isEmpty())
            SelectDestination(DefaultPrinterIndex());
        ReadSettings();
    }
}

void TPrinterSettings::SelectDestination(int index)
{
    if (m_printer)
        SelectPrinterDestination(*m_printer, index);
}

void TPrinterSettings::SetPrinterIndex(int index)
{
    if (UseStandardPrinter) {
        m_printerIndex = index;
        return;
    }
    m_printerIndex = index;
    if (!m_printer)
        return;
    SelectDestination(index);
    ReadSettings();
}

void TPrinterSettings::ReadSettings()
{
    if (!m_printer)
        return;
    QPrinter &p = *m_printer;
    const bool pdf = p.outputFormat() == QPrinter::PdfFormat;
    Device = pdf ? PdfDestinationName() : p.printerName();
    Port.clear();
    Driver.clear();
    QPrinterInfo info;
    if (!pdf) {
        info = QPrinterInfo::printerInfo(p.printerName());
        Driver = info.makeAndModel().left(63);
    }
    bool cancel = false;
    if (OnGetPrinterSettings)
        OnGetPrinterSettings(cancel, m_printer);
    if (cancel)
        return;
    XResolution = YResolution = p.resolution() > 0 ? p.resolution() : 96;
    Copies = qMax(1, p.copyCount());
    OutputBin = TVRBin::First;
    const int duplexCode = DuplexCodeOf(p.duplex());
    ExtendedDuplex = duplexCode;
    Duplex = duplexCode != 1;
    // Pages are printed full-page, so positions are measured from the paper corner.
    LeftOffset = TopOffset = 0;
    const QPageLayout layout = p.pageLayout();
    const QPageSize pageSize = layout.pageSize();
    PaperSize = pageSize.isValid() ? PaperFromCode(pageSize.windowsId()) : TVRPaperSize::Default;
    if (PaperSize == TVRPaperSize::Custom)
        PaperSize = TVRPaperSize::Default;
    const QSizeF mm = pageSize.size(QPageSize::Millimeter);
    if (mm.width() > 0 && mm.height() > 0) {
        PaperWidth = static_cast<int>(std::lround(mm.width() * 10));
        PaperLength = static_cast<int>(std::lround(mm.height() * 10));
    }
    Orientation = layout.orientation() == QPageLayout::Landscape ? TPrinterOrientation::poLandscape
                                                                  : TPrinterOrientation::poPortrait;
    PaperSupported.fill(false);
    if (pdf || info.isNull()) {
        PaperSupported.fill(true); // a PDF page can have any size
        PaperSupported[0] = false;
    } else {
        for (const QPageSize &s : info.supportedPageSizes()) {
            const TVRPaperSize paper = PaperFromCode(s.windowsId());
            if (paper != TVRPaperSize::Default)
                PaperSupported[static_cast<int>(paper)] = true;
        }
    }
    PaperSupported[static_cast<int>(TVRPaperSize::Custom)] = true;
    PrintQuality = p.resolution();
    Collate = p.collateCopies() ? 1 : 0;
    ColorOption = p.colorMode() == QPrinter::GrayScale ? 1 : 2;
}

void TPrinterSettings::ApplySettings()
{
    if (!m_printer)
        return;
    QPrinter &p = *m_printer;
    p.setFullPage(true);
    QPageSize pageSize;
    const bool tableSize = PaperSize != TVRPaperSize::Default && PaperSize != TVRPaperSize::Custom;
    if (tableSize && PaperSupported[static_cast<int>(PaperSize)]) {
        const TVRPaperInfo &info = PaperInfo(PaperSize);
        if (info.WidthMm > 0 && info.LengthMm > 0) {
            const QPageSize::PageSizeId id = QPageSize::id(info.Code);
            const QSizeF qtSize = QPageSize::size(id, QPageSize::Millimeter);
            // Qt's own page when it is the same paper (CUPS knows it by name), else the
            // table's millimetres.
            if (id != QPageSize::Custom && std::fabs(qtSize.width() - info.WidthMm) < 1 &&
                std::fabs(qtSize.height() - info.LengthMm) < 1)
                pageSize = QPageSize(id);
            else
                pageSize = QPageSize(QSizeF(info.WidthMm, info.LengthMm), QPageSize::Millimeter,
                                     QString::fromLatin1(info.Name), QPageSize::ExactMatch);
        }
    }
    if (!pageSize.isValid() && PaperWidth > 0 && PaperLength > 0)
        pageSize = QPageSize(QSizeF(PaperWidth / 10.0, PaperLength / 10.0), QPageSize::Millimeter, QString(),
                             QPageSize::FuzzyMatch);
    if (pageSize.isValid())
        p.setPageSize(pageSize);
    p.setPageOrientation(Orientation == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    p.setCopyCount(qMax(1, Copies));
    p.setDuplex(ExtendedDuplex != 0 ? DuplexModeOf(ExtendedDuplex) : (Duplex ? QPrinter::DuplexShortSide
                                                                                : QPrinter::DuplexNone));
    p.setCollateCopies(Collate != 0);
    if (ColorOption == 1)
        p.setColorMode(QPrinter::GrayScale);
    else if (ColorOption == 2)
        p.setColorMode(QPrinter::Color);
    if (PrintQuality > 0 && p.resolution() != PrintQuality)
        p.setResolution(PrintQuality);
    bool cancel = false;
    if (OnApplyPrinterSettings)
        OnApplyPrinterSettings(cancel, m_printer);
}

void TPrinterSettings::SetCopies(int copies)
{
    if (copies >= 1)
        Copies = copies;
}

void TPrinterSettings::SetOrientation(TPrinterOrientation o)
{
    Orientation = o;
}

void TPrinterSettings::SetDuplex(bool duplex)
{
    if (!IsPdfDestination() || !duplex)
        Duplex = duplex;
}

void TPrinterSettings::SetOutputBin(TVRBin bin)
{
    OutputBin = bin; // no counterpart on CUPS: kept for the dialogs and layouts
}

void TPrinterSettings::SetPaperSize(TVRPaperSize size)
{
    const int i = static_cast<int>(size);
    if (i < 0 || i >= kPaperSizeCount)
        return;
    if (size == TVRPaperSize::Default || !m_printer || PaperSupported[i])
        PaperSize = size;
}

} // namespace reportengine
