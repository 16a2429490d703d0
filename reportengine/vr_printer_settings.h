#pragma once

// Paper and bin tables and the link between a report run and the printer.
//
// The printer list is every CUPS queue Qt knows plus one destination that always
// exists: a PDF file ("Plik PDF"). Windows-only settings (bins, custom bin and paper
// codes, extended duplex values) are kept and handed back unchanged, so report layouts
// and dialogs round-trip them even where CUPS has no counterpart.

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

namespace reportengine {

enum class TVRPaperSize {
    Default, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4, A4Small, A5, B4, B5,
    Folio, Quarto, vr10X14, vr11X17, Note, Env9, Env10, Env11, Env12, Env14, CSheet, DSheet, ESheet, EnvDL,
    EnvC5, EnvC3, EnvC4, EnvC6, EnvC65, EnvB4, EnvB5, EnvB6, EnvItaly, EnvMonarch, EnvPersonal, FanfoldUSStd,
    FanfoldGerStd, FanfoldGerLegal, B4ISO, PostcardJap, vr9X11, vr10X11, vr15X11, EnvInvite, Reserved1,
    Reserved2, LetterExtra, LegalExtra, TabloidExtra, A4Extra, LetterTrans, A4Trans, LetterExtraTrans,
    SuperASuperAA4, SuperBSuperBA3, LetterPlus, A4Plus, A5Trans, B5Trans, A3Extra, A5Extra, B5Extra, A2,
    A3Trans, A3ExtraTrans, Custom
};
constexpr int kPaperSizeCount = 70;

enum class TVRBin {
    First, Upper, Lower, Middle, Manual, Envelope, EnvManual, Auto, Tractor, SmallFormat, LargeFormat,
    LargeCapacity, Cassette, Last
};
constexpr int kBinCount = 14;

enum class TPrinterOrientation { poPortrait, poLandscape };

struct TVRPaperInfo
{
    const char *Name; // the value's name, as report layouts store it
    int Code;         // Windows paper code
    double WidthMm;
    double LengthMm;
};

const TVRPaperInfo &PaperInfo(TVRPaperSize size);
int PaperCode(TVRPaperSize size);
// The paper of a Windows paper code; Default when the code is not in the table.
TVRPaperSize PaperFromCode(int code);
// The paper of a layout name ("A4", "Letter", "Custom"...); Default when unknown.
TVRPaperSize PaperFromName(const QString &name);
QString PaperName(TVRPaperSize size);

int BinCode(TVRBin bin);
const char *BinName(TVRBin bin);
// Index of a Windows bin code in the bin table (the first match); First when absent.
TVRBin BinFromCode(int code);

// Name of the PDF file destination in the printer list.
QString PdfDestinationName();
// Names of all destinations: the system's printers, then the PDF file destination.
QStringList PrinterNames();
// Index of the destination used for PrinterIndex -1: the system's default printer, or
// the PDF destination when there is none.
int DefaultPrinterIndex();
// Whether PrinterIndex `index` (an index outside the list: the default destination) is the
// PDF file: always so where no printer is set up.
bool IsPdfDestinationIndex(int index);
// The application's shared printer object (made on first use, freed at exit).
QPrinter *SharedPrinter();
// Points a printer object at destination index of PrinterNames() (an index outside the
// list: the default destination).
void SelectPrinterDestination(QPrinter &printer, int index);
// The index in PrinterNames() of the destination a printer object points at.
int PrinterDestinationIndex(const QPrinter &printer);
// Windows duplex codes (1 simplex, 2 long edge, 3 short edge) and Qt's modes.
int DuplexCodeOf(QPrinter::DuplexMode mode);
QPrinter::DuplexMode DuplexModeOf(int code);

// Sender-less form of the Windows printer events: Cancel and the printer object.
using TVRPrinterEvent = std::function<void(bool &cancel, QPrinter *printer)>;

class TPrinterSettings
{
public:
    TPrinterSettings();

    // Device side.
    QString Device; // destination name
    QString Driver; // make and model (63 characters at most)
    QString Port;
    int Copies = 1;
    bool Duplex = false;
    bool PrintMetaFile = false;
    bool UseStandardPrinter = false;
    TVRPrinterEvent OnGetPrinterSettings;
    TVRPrinterEvent OnApplyPrinterSettings;
    int ExtendedDuplex = 0;
    bool UseCustomBinCode = false;
    int CustomBinCode = 0;
    bool UseCustomPaperCode = false;
    int CustomPaperCode = 0;
    int PrintQuality = 0;
    int Collate = 0;
    int ColorOption = 0;
    int MemoryLimit = 250000;
    TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
    TVRBin OutputBin = TVRBin::First;
    TVRPaperSize PaperSize = TVRPaperSize::A4;
    // Index 1..69 as in the paper table; Custom is always supported.
    std::array<bool, kPaperSizeCount> PaperSupported{};
    // Physical page size in tenths of a millimetre, portrait (used for Default and Custom).
    int PaperWidth = 2100;
    int PaperLength = 2970;
    int XResolution = 96;
    int YResolution = 96;
    int TopOffset = 0;
    int LeftOffset = 0;
    // File written when the destination is the PDF file; empty: a name is made from
    // the job title in the documents folder at print time.
    QString PdfFileName;

    QPrinter *Printer() const { return m_printer; }
    // Setting the printer reads its settings (there is always at least the PDF
    // destination, so "printers exist" holds).
    void SetPrinter(QPrinter *printer);

    void ReadSettings();
    void ApplySettings();

    // The setters that take a value only when the destination supports it.
    void SetCopies(int copies);
    void SetOrientation(TPrinterOrientation o);
    void SetDuplex(bool duplex);
    void SetOutputBin(TVRBin bin);
    void SetPaperSize(TVRPaperSize size);
    void SetPaperWidth(int tenthsMm) { PaperWidth = tenthsMm; }
    void SetPaperLength(int tenthsMm) { PaperLength = tenthsMm; }

    // Index into PrinterNames(); -1 is the default destination.
    int PrinterIndex() const { return m_printerIndex; }
    void SetPrinterIndex(int index);
    bool IsPdfDestination() const;

private:
    void SelectDestination(int index);

    QPrinter *m_printer = nullptr;
    int m_printerIndex = -1;
};

} // namespace reportengine
