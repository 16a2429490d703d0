#pragma once

// The standard preview window: the pages of one TVRPrinter while they are made and
// afterwards, with zoom, navigation (buttons, keys, thumbnails, go to page), search over
// all pages, printer setup, printing, and saving and loading stored report files.
//
// The window is application-modal and shown without waiting; whoever opened it waits
// with WaitForPreviewClose. Its own commands never run inside one another: while one
// runs (a print, a search, a dialog) the others are switched off, and closing the
// window then cancels the running one and closes when it has returned.

#include "reportengine/vr_print_dialog.h"
#include "reportengine/vr_printer.h" // WaitForPreviewClose, for whoever opened the window
#include "reportengine/vr_report_producer.h"

#include <QDialog>
#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QToolButton;

namespace reportengine {

class TVRPreview;
class TVRPrinter;

// Asks for the text to search for.
class TSearchDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TSearchDlg(QWidget *parent = nullptr);

    QLineEdit *SearchText = nullptr;
    QCheckBox *MatchCase = nullptr;
    QPushButton *SearchButton = nullptr;
    QPushButton *CancelButton = nullptr;
};

class TVRStandardPreview : public QMainWindow
{
    Q_OBJECT

public:
    explicit TVRStandardPreview(TVRPrinter *printer, QWidget *parent = nullptr);
    ~TVRStandardPreview() override;

    QToolButton *ZoomFit = nullptr;
    QToolButton *ZoomToWidth = nullptr;
    QToolButton *Zoom100 = nullptr;
    QToolButton *FirstPage = nullptr;
    QToolButton *PreviousPage = nullptr;
    QToolButton *nextPage = nullptr;
    QToolButton *LastPage = nullptr;
    QToolButton *GotoPageButton = nullptr;
    QToolButton *FindButton = nullptr;
    QToolButton *PrintSetup = nullptr;
    QToolButton *Print = nullptr;
    QToolButton *SaveReport = nullptr;
    QToolButton *LoadReport = nullptr;
    QPushButton *ExitButton = nullptr;
    TVRPreview *VRPreview = nullptr;
    QTabWidget *Tabs = nullptr;
    QWidget *TabThumbs = nullptr;
    QTableWidget *ThumbGrid = nullptr;
    QWidget *TabSearchResult = nullptr;
    QLabel *SearchTextLabel = nullptr;
    QListWidget *SearchResultBox = nullptr;
    QStatusBar *StatusBar = nullptr;
    QLabel *StatusPanels[3] = {};
    QProgressBar *ProgressBar = nullptr;

    TVRPrinter *VRPrinter() const;
    bool ShowThumbs() const { return m_showThumbs; }
    bool ShowSearch() const { return m_showSearch; }
    // The title in the status line (the report's title, or the loaded file's name).
    QString Title() const { return m_title; }
    bool LoadedFromFile() const { return m_loadedFromFile; }
    int PageCount() const;

    // Shows page n (pages outside 1..count are ignored) and selects its thumbnail.
    void GotoPage(int pageNumber);

    // Where the window's size and place are kept between runs: Restore applies a kept one
    // (false when none was kept), Save keeps the window's as the user leaves it. Without
    // a keeper every preview opens at the size made for its screen.
    struct GeometryKeeper
    {
        std::function<bool(QWidget &)> Restore;
        std::function<void(QWidget &)> Save;
    };
    static void SetGeometryKeeper(GeometryKeeper keeper);
    // The size a preview opens at on a screen whose free area is `available`: most of its
    // height, and wide enough beside the side tabs for a whole A4 page at page width.
    static QSize DefaultSize(const QRect &available, int tabsWidth, int chromeHeight);

    // The commands, as the toolbar runs them.
    void ZoomFitClick();
    void Zoom100Click();
    void ZoomToWidthClick();
    void FirstPageClick();
    void PreviousPageClick();
    void NextPageClick();
    void LastPageClick();
    void GotoPageClick();
    void FindClick();
    void PrintSetupClick();
    void PrintClick();
    void SaveReportClick();
    void LoadReportClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class ThumbDelegate;
    class CommandScope;

    void BuildWindow();
    // Opens where the user left the preview last, else at the default size, centred on the
    // screen the program is on.
    void PlaceOnScreen();
    QToolButton *AddButton(const char *name, const QString &hint, int standardIcon, const QString &text);
    void ApplyMasterSettings();
    void PageAvailable(int pages);
    void ProgressUpdate(int percent);
    void UpdateStatus();
    void UpdateCommands();
    void UpdateThumbLayout();
    void ResetThumbnails();
    void SearchItemClicked(QListWidgetItem *item);
    void ThumbSelected();
    bool HandleKey(QKeyEvent *event);
    void ApplyPrintChoice(const TVRPrintDialogValues &dialog);
    // Where Print would write a PDF file nobody has named (no printer is set up, or the
    // PDF destination was chosen without a file), the user names it: the save dialog
    // offers the title's name and nothing is replaced without a Yes. Empty when cancelled.
    QString AskPdfFileName();
    TVRPreviewMaster *Master() const;
    QPixmap Thumbnail(int pageNumber, const QSize &size);
    void SetTitle(const QString &title);

    QPointer<TVRPrinter> m_printer;
    QAction *m_findAction = nullptr;
    bool m_showThumbs = true;
    bool m_showSearch = true;
    bool m_showProgress = true;
    TVRZoomState m_initialZoom = TVRZoomState::vrZoomOther;
    QString m_title;
    bool m_loadedFromFile = false;
    int m_lastProgress = 0;
    int m_commandDepth = 0;
    bool m_closeRequested = false;
    bool m_selectingThumb = false;
    // Thumbnail layout.
    int m_thumbTextHeight = 0;
    int m_thumbRowHeight = 90;
    int m_thumbMarginX = 10;
    int m_thumbMarginY = 10;
    QHash<int, QPixmap> m_thumbs;
    TVRPrintDialog m_printDialog; // without a master: the preview's own, keeping its values
};

// The factory the printer uses to show a preview of its pages.
class TVRPreviewInterface
{
public:
    virtual ~TVRPreviewInterface() = default;
    // Shows a preview for the printer; returns the window (nothing in the base).
    virtual QWidget *Show(TVRPrinter *printer);
    // Shows it and waits until it closes.
    virtual void ShowModal(TVRPrinter *printer);
};

class TVRStandardPreviewInterface : public TVRPreviewInterface
{
public:
    // Nothing happens while the printer already shows a preview.
    QWidget *Show(TVRPrinter *printer) override;
    void ShowModal(TVRPrinter *printer) override;
};

} // namespace reportengine
