#include "reportengine/vr_preview_window.h"

#include "reportengine/vr_export_filter.h"
#include "reportengine/vr_page_list.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_preview.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_progress_form.h"

#include "platform/dialog_runner.h"
#include "platform/file_dialogs.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace reportengine {

namespace {

const QString kPageText = QStringLiteral("Page");
const QString kOfText = QStringLiteral("of");
const QString kNoMatch = QStringLiteral("No matching text");
const QString kFileMissing = QStringLiteral("File does not exist");
// Where the print is a PDF file nobody named yet: the user's own words, not the engine's.
const QString kPdfCaption = QStringLiteral("Drukuj do pliku PDF");
const QString kPdfFilter = QStringLiteral("Pliki PDF (*.pdf)");
const QString kPdfReplace = QStringLiteral("Plik %1 już istnieje.\nCzy zastąpić go nowym wydrukiem?");

constexpr int kNoIcon = -1;
constexpr int kSearchEventEvery = 25; // pages searched between two looks at the event queue

} // namespace

// ---------------------------------------------------------------------------------------
// TSearchDlg

TSearchDlg::TSearchDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SearchDlg"));
    setWindowTitle(QStringLiteral("Search for Text"));
    auto *label = new QLabel(QStringLiteral("Search Text"), this);
    SearchText = new QLineEdit(this);
    SearchText->setObjectName(QStringLiteral("SearchText"));
    label->setBuddy(SearchText);
    MatchCase = new QCheckBox(QStringLiteral("Match case"), this);
    MatchCase->setObjectName(QStringLiteral("MatchCase"));
    SearchButton = new QPushButton(QStringLiteral("Search"), this);
    SearchButton->setObjectName(QStringLiteral("SearchButton"));
    SearchButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SearchButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(SearchText);
    layout->addWidget(MatchCase);
    layout->addLayout(buttons);
    connect(SearchButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// ---------------------------------------------------------------------------------------
// Commands run one at a time; a close asked for meanwhile waits for the command.

class TVRStandardPreview::CommandScope
{
public:
    explicit CommandScope(TVRStandardPreview *w) : m_w(w)
    {
        ++w->m_commandDepth;
        w->UpdateCommands();
    }
    ~CommandScope()
    {
        if (!m_w)
            return;
        --m_w->m_commandDepth;
        m_w->UpdateCommands();
        if (m_w->m_commandDepth == 0 && m_w->m_closeRequested) {
            TVRStandardPreview *w = m_w;
            QMetaObject::invokeMethod(w, [w] { w->close(); }, Qt::QueuedConnection);
        }
    }
    CommandScope(const CommandScope &) = delete;
    CommandScope &operator=(const CommandScope &) = delete;

private:
    QPointer<TVRStandardPreview> m_w;
};

// ---------------------------------------------------------------------------------------
// Thumbnails: one column, a row per page, the page drawn small with its number.

class TVRStandardPreview::ThumbDelegate : public QStyledItemDelegate
{
public:
    explicit ThumbDelegate(TVRStandardPreview *w) : QStyledItemDelegate(w), m_w(w) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect cell = option.rect;
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(cell, selected ? option.palette.highlight() : option.palette.base());
        const int page = index.row() + 1;
        const QRect area = cell.adjusted(m_w->m_thumbMarginX, m_w->m_thumbMarginY + m_w->m_thumbTextHeight,
                                         -m_w->m_thumbMarginX, -m_w->m_thumbMarginY);
        const QPixmap thumb = m_w->Thumbnail(page, area.size());
        if (!thumb.isNull())
            painter->drawPixmap(area.x() + (area.width() - thumb.width()) / 2, area.y(), thumb);
        const QString number = QString::number(page);
        const QRect textRect(cell.x() + 2, cell.y() + 2, option.fontMetrics.horizontalAdvance(number) + 6,
                             option.fontMetrics.height());
        painter->fillRect(textRect, option.palette.button());
        painter->setPen(option.palette.buttonText().color());
        painter->drawText(textRect, Qt::AlignCenter, number);
        painter->restore();
    }

private:
    TVRStandardPreview *m_w;
};

QPixmap TVRStandardPreview::Thumbnail(int pageNumber, const QSize &size)
{
    if (!m_printer || size.width() <= 4 || size.height() <= 4)
        return QPixmap();
    const auto cached = m_thumbs.constFind(pageNumber);
    if (cached != m_thumbs.constEnd() && cached->width() <= size.width() && cached->height() <= size.height() &&
        (cached->width() == size.width() || cached->height() == size.height()))
        return *cached;
    std::unique_ptr<QPicture> page;
    try {
        page = m_printer->GetPage(pageNumber);
    } catch (const platform::TarvelinError &) {
        return QPixmap(); // a damaged page shows no thumbnail; opening it tells why
    }
    if (!page || page->boundingRect().isEmpty())
        return QPixmap();
    const QRect box = page->boundingRect();
    const double scale = qMin(double(size.width()) / box.width(), double(size.height()) / box.height());
    QPixmap pix(qMax(1, int(box.width() * scale)), qMax(1, int(box.height() * scale)));
    pix.fill(Qt::white);
    {
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        QTransform t;
        t.scale(scale, scale);
        t.translate(-box.x(), -box.y());
        PlayPagePicture(p, *page, t);
        p.setPen(Qt::black);
        p.drawRect(pix.rect().adjusted(0, 0, -1, -1));
    }
    m_thumbs.insert(pageNumber, pix);
    return pix;
}

// ---------------------------------------------------------------------------------------
// TVRStandardPreview

TVRStandardPreview::TVRStandardPreview(TVRPrinter *printer, QWidget *parent)
    : QMainWindow(parent), m_printer(printer)
{
    setObjectName(QStringLiteral("VRStandardPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(800, 600);
    BuildWindow();

    // Creation, in order: the master's settings, the page area, the side tabs, the
    // initial zoom, Print when the pages are there already.
    ApplyMasterSettings();
    PlaceOnScreen();
    VRPreview->OnPageAvailable = [this](TVRPreview *, int pages) { PageAvailable(pages); };
    VRPreview->OnProgressUpdate = [this](TVRPreview *, int percent) { ProgressUpdate(percent); };
    VRPreview->SetOnHyperlink([this](TVRPreview *, TVRHyperlinkEventType type, const QString &link, bool &) {
        if (type == TVRHyperlinkEventType::heCursorMoveOver)
            StatusPanels[2]->setText(link);
        else if (type == TVRHyperlinkEventType::heCursorMoveAway)
            StatusPanels[2]->setText(m_title);
    });
    VRPreview->SetVRPrinter(printer);
    Tabs->setVisible(m_showThumbs || m_showSearch);
    ThumbGrid->setRowCount(PageCount());
    if (!m_showThumbs)
        Tabs->removeTab(Tabs->indexOf(TabThumbs));
    if (!m_showSearch) {
        Tabs->removeTab(Tabs->indexOf(TabSearchResult));
        m_findAction->setVisible(false); // a tool bar shows and hides its widgets by their actions
    }
    switch (m_initialZoom) {
    case TVRZoomState::vrZoomToFit:
        VRPreview->SetZoomState(TVRZoomState::vrZoomToFit);
        ZoomFit->setChecked(true);
        break;
    case TVRZoomState::vrZoomToWidth:
        VRPreview->SetZoomState(TVRZoomState::vrZoomToWidth);
        ZoomToWidth->setChecked(true);
        break;
    case TVRZoomState::vrZoomOther:
        VRPreview->SetZoom(VRPreview->Zoom());
        Zoom100->setChecked(true);
        break;
    }
    qApp->installEventFilter(this);
    ThumbGrid->installEventFilter(this);
    UpdateThumbLayout();
    UpdateStatus();
    UpdateCommands();
}

TVRStandardPreview::~TVRStandardPreview()
{
    qApp->removeEventFilter(this);
    // A window freed without being closed still tells its printer, so that nobody
    // waits for it any longer.
    if (m_printer && VRPreview && m_printer->Client == VRPreview && m_printer->ShowingPreview())
        m_printer->ClosePreview();
    if (VRPreview)
        VRPreview->SetVRPrinter(nullptr);
}

QToolButton *TVRStandardPreview::AddButton(const char *name, const QString &hint, int standardIcon, const QString &text)
{
    auto *b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setText(text);
    if (standardIcon != kNoIcon) {
        b->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardIcon)));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    } else {
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    b->setAutoRaise(true);
    return b;
}

void TVRStandardPreview::BuildWindow()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, bar);
    ZoomFit = AddButton("ZoomFit", QStringLiteral("Zoom to fit"), kNoIcon, QStringLiteral("Fit"));
    ZoomToWidth = AddButton("ZoomToWidth", QStringLiteral("Zoom to width"), kNoIcon, QStringLiteral("Width"));
    Zoom100 = AddButton("Zoom100", QStringLiteral("100% Size"), kNoIcon, QStringLiteral("100%"));
    for (QToolButton *b : {ZoomFit, ZoomToWidth, Zoom100})
        b->setCheckable(true);
    FirstPage = AddButton("FirstPage", QStringLiteral("First page"), QStyle::SP_MediaSkipBackward, QStringLiteral("|<"));
    PreviousPage = AddButton("PreviousPage", QStringLiteral("Previous page"), QStyle::SP_MediaSeekBackward,
                             QStringLiteral("<"));
    nextPage = AddButton("nextPage", QStringLiteral("Next page"), QStyle::SP_MediaSeekForward, QStringLiteral(">"));
    LastPage = AddButton("LastPage", QStringLiteral("Last page"), QStyle::SP_MediaSkipForward, QStringLiteral(">|"));
    GotoPageButton = AddButton("GotoPageButton", QStringLiteral("Select a Page"), kNoIcon, QStringLiteral("Page..."));
    FindButton = AddButton("FindButton", QStringLiteral("Search for Text"), QStyle::SP_FileDialogContentsView,
                           QStringLiteral("Find"));
    PrintSetup = AddButton("PrintSetup", QStringLiteral("Printer setup"), kNoIcon, QStringLiteral("Setup..."));
    Print = AddButton("Print", QStringLiteral("Print"), kNoIcon, QStringLiteral("Print"));
    SaveReport = AddButton("SaveReport", QStringLiteral("Save report"), QStyle::SP_DialogSaveButton,
                           QStringLiteral("Save"));
    LoadReport = AddButton("LoadReport", QStringLiteral("Load report"), QStyle::SP_DialogOpenButton,
                           QStringLiteral("Load"));
    for (QToolButton *b : {ZoomFit, ZoomToWidth, Zoom100})
        bar->addWidget(b);
    bar->addSeparator();
    for (QToolButton *b : {FirstPage, PreviousPage, nextPage, LastPage, GotoPageButton})
        bar->addWidget(b);
    bar->addSeparator();
    m_findAction = bar->addWidget(FindButton);
    for (QToolButton *b : {PrintSetup, Print, SaveReport, LoadReport})
        bar->addWidget(b);
    bar->addSeparator();
    ExitButton = new QPushButton(QStringLiteral("&Close"), this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));
    ExitButton->setToolTip(QStringLiteral("Close Preview"));
    bar->addWidget(ExitButton);

    Tabs = new QTabWidget(this);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    TabThumbs = new QWidget(Tabs);
    TabThumbs->setObjectName(QStringLiteral("TabThumbs"));
    ThumbGrid = new QTableWidget(0, 1, TabThumbs);
    ThumbGrid->setObjectName(QStringLiteral("ThumbGrid"));
    ThumbGrid->horizontalHeader()->hide();
    ThumbGrid->verticalHeader()->hide();
    ThumbGrid->setShowGrid(false);
    ThumbGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ThumbGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ThumbGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ThumbGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ThumbGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ThumbGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A column of page pictures: the arrows move between pages, Tab leaves for the next
    // control instead of going round the pages for ever.
    ThumbGrid->setTabKeyNavigation(false);
    ThumbGrid->horizontalHeader()->setDefaultSectionSize(90);
    ThumbGrid->verticalHeader()->setDefaultSectionSize(90);
    ThumbGrid->setItemDelegate(new ThumbDelegate(this));
    auto *thumbLayout = new QVBoxLayout(TabThumbs);
    thumbLayout->setContentsMargins(0, 0, 0, 0);
    thumbLayout->addWidget(ThumbGrid);
    Tabs->addTab(TabThumbs, QStringLiteral("ThumbNails"));

    TabSearchResult = new QWidget(Tabs);
    TabSearchResult->setObjectName(QStringLiteral("TabSearchResult"));
    auto *group = new QGroupBox(QStringLiteral("Search Text"), TabSearchResult);
    group->setObjectName(QStringLiteral("SearchTextGroup"));
    SearchTextLabel = new QLabel(group);
    SearchTextLabel->setObjectName(QStringLiteral("SearchTextLabel"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(SearchTextLabel);
    SearchResultBox = new QListWidget(TabSearchResult);
    SearchResultBox->setObjectName(QStringLiteral("SearchResultBox"));
    SearchResultBox->setEnabled(false);
    auto *searchLayout = new QVBoxLayout(TabSearchResult);
    searchLayout->setContentsMargins(2, 2, 2, 2);
    searchLayout->addWidget(group);
    searchLayout->addWidget(SearchResultBox, 1);
    Tabs->addTab(TabSearchResult, QStringLiteral("Search Results"));

    VRPreview = new TVRPreview(this);
    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("Splitter"));
    split->addWidget(Tabs);
    split->addWidget(VRPreview);
    split->setStretchFactor(1, 1);
    // The side tabs as wide as their captions, so neither is cut.
    Tabs->tabBar()->setElideMode(Qt::ElideNone);
    Tabs->setMinimumWidth(std::max(190, Tabs->tabBar()->sizeHint().width() + 8));
    split->setSizes({Tabs->minimumWidth(), 610});
    setCentralWidget(split);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(StatusBar);
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(StatusBar);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    }
    StatusPanels[0]->setMinimumWidth(150);
    StatusPanels[0]->setIndent(106); // room for the progress bar in front of the percent
    StatusPanels[1]->setMinimumWidth(120);
    StatusBar->addWidget(StatusPanels[0]);
    StatusBar->addWidget(StatusPanels[1]);
    StatusBar->addWidget(StatusPanels[2], 1);
    ProgressBar = new QProgressBar(StatusBar);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(2, 2, 100, 10);
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
    ProgressBar->hide();

    connect(ZoomFit, &QToolButton::clicked, this, &TVRStandardPreview::ZoomFitClick);
    connect(ZoomToWidth, &QToolButton::clicked, this, &TVRStandardPreview::ZoomToWidthClick);
    connect(Zoom100, &QToolButton::clicked, this, &TVRStandardPreview::Zoom100Click);
    connect(FirstPage, &QToolButton::clicked, this, &TVRStandardPreview::FirstPageClick);
    connect(PreviousPage, &QToolButton::clicked, this, &TVRStandardPreview::PreviousPageClick);
    connect(nextPage, &QToolButton::clicked, this, &TVRStandardPreview::NextPageClick);
    connect(LastPage, &QToolButton::clicked, this, &TVRStandardPreview::LastPageClick);
    connect(GotoPageButton, &QToolButton::clicked, this, &TVRStandardPreview::GotoPageClick);
    connect(FindButton, &QToolButton::clicked, this, &TVRStandardPreview::FindClick);
    connect(PrintSetup, &QToolButton::clicked, this, &TVRStandardPreview::PrintSetupClick);
    connect(Print, &QToolButton::clicked, this, &TVRStandardPreview::PrintClick);
    connect(SaveReport, &QToolButton::clicked, this, &TVRStandardPreview::SaveReportClick);
    connect(LoadReport, &QToolButton::clicked, this, &TVRStandardPreview::LoadReportClick);
    connect(ExitButton, &QPushButton::clicked, this, &QWidget::close);
    // A hit is gone to when it is chosen, by mouse or by the arrow keys, and again when the hit
    // already chosen is clicked (the pages may have been turned since).
    connect(SearchResultBox, &QListWidget::itemSelectionChanged, this, [this] {
        QListWidgetItem *item = SearchResultBox->currentItem();
        if (item && item->isSelected())
            SearchItemClicked(item);
    });
    connect(SearchResultBox, &QListWidget::itemClicked, this, &TVRStandardPreview::SearchItemClicked);
    connect(ThumbGrid, &QTableWidget::itemSelectionChanged, this, &TVRStandardPreview::ThumbSelected);
}

namespace {

TVRStandardPreview::GeometryKeeper &geometryKeeper()
{
    static TVRStandardPreview::GeometryKeeper keeper;
    return keeper;
}

} // namespace

void TVRStandardPreview::SetGeometryKeeper(GeometryKeeper keeper)
{
    geometryKeeper() = std::move(keeper);
}

QSize TVRStandardPreview::DefaultSize(const QRect &available, int tabsWidth, int chromeHeight)
{
    const int height = available.height() * 9 / 10;
    // The page area as high as the window allows; the page at its width fills it whole.
    const int pageWidth = std::max(0, height - chromeHeight) * 210 / 297;
    const int scrollBarAndMargins = 40;
    const int width = tabsWidth + pageWidth + scrollBarAndMargins;
    return QSize(std::min(width, available.width() * 95 / 100), height);
}

void TVRStandardPreview::PlaceOnScreen()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    // A size the report asks for itself stands; the engine's own 500 x 500 is no choice.
    if (size() != QSize(500, 500))
        return;
    if (geometryKeeper().Restore && geometryKeeper().Restore(*this))
        return;
    const QWidget *active = QApplication::activeWindow();
    QScreen *screen = active ? active->screen() : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The tool bar, the status bar, the page area's scroll bar and the window's title bar.
    int chrome = StatusBar->sizeHint().height() + 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 40;
    for (const QToolBar *bar : findChildren<QToolBar *>())
        chrome += bar->sizeHint().height();
    resize(DefaultSize(available, Tabs->minimumWidth(), chrome));
    move(available.center() - QPoint(width() / 2, height() / 2));
}

TVRPreviewMaster *TVRStandardPreview::Master() const
{
    return m_printer ? dynamic_cast<TVRPreviewMaster *>(m_printer->Master.data()) : nullptr;
}

void TVRStandardPreview::SetTitle(const QString &title)
{
    m_title = title;
    setWindowTitle(QStringLiteral("Report Preview : ") + title);
}

void TVRStandardPreview::ApplyMasterSettings()
{
    if (const TVRPreviewMaster *master = Master()) {
        const TVRPreviewSettings s = master->PreviewSettings();
        if (s.PrevFormStyle == TVRFormStyle::fsStayOnTop)
            setWindowFlag(Qt::WindowStaysOnTopHint, true);
        resize(s.PreviewWidth > 0 ? s.PreviewWidth : 500, s.PreviewHeight > 0 ? s.PreviewHeight : 500);
        if (s.PreviewInitialState == TVRWindowState::wsMaximized)
            setWindowState(Qt::WindowMaximized);
        else if (s.PreviewInitialState == TVRWindowState::wsMinimized)
            setWindowState(Qt::WindowMinimized);
        m_showThumbs = s.PrevShowThumbs;
        m_showSearch = s.PrevShowSearch;
        m_showProgress = s.ShowProgress;
        m_initialZoom = s.PrevInitialZoom;
        if (m_printer)
            m_printer->Title = s.ReportTitle;
        SetTitle(s.ReportTitle);
        VRPreview->SetZoom(s.Zoom);
    } else {
        setWindowState(Qt::WindowMaximized);
        SetTitle(m_printer ? m_printer->Title : QString());
        VRPreview->SetZoom(100);
    }
}

TVRPrinter *TVRStandardPreview::VRPrinter() const
{
    return m_printer;
}

int TVRStandardPreview::PageCount() const
{
    return m_printer ? m_printer->PageList().PageCount() : 0;
}

void TVRStandardPreview::UpdateStatus()
{
    StatusPanels[1]->setText(kPageText + QLatin1Char(' ') + QString::number(VRPreview->PageNumber()) +
                             QLatin1Char(' ') + kOfText + QLatin1Char(' ') + QString::number(PageCount()));
    if (!VRPreview->Image()->OverLink())
        StatusPanels[2]->setText(m_title);
}

void TVRStandardPreview::UpdateCommands()
{
    const bool idle = m_commandDepth == 0;
    const bool finished = m_printer && m_printer->Status() == TVRPrinter::StatusFinished;
    for (QToolButton *b : {GotoPageButton, FindButton})
        b->setEnabled(idle && m_printer);
    PrintSetup->setEnabled(idle && finished);
    Print->setEnabled(idle && finished && PageCount() > 0);
    // A stored file is neither written nor read while the pages are still being made.
    SaveReport->setEnabled(idle && finished && PageCount() > 0);
    LoadReport->setEnabled(idle && m_printer && m_printer->Status() != TVRPrinter::StatusBusy);
}

void TVRStandardPreview::PageAvailable(int pages)
{
    UpdateStatus();
    ThumbGrid->setRowCount(qMax(pages, PageCount()));
    ThumbGrid->viewport()->update();
    if (pages == 1)
        UpdateThumbLayout();
    UpdateCommands();
}

void TVRStandardPreview::ProgressUpdate(int percent)
{
    if (percent <= 0 || percent >= 100) {
        m_lastProgress = 0;
        StatusPanels[0]->clear();
        ProgressBar->hide();
        return;
    }
    if (percent - m_lastProgress < 5)
        return;
    m_lastProgress = percent;
    StatusPanels[0]->setText(QString::number(percent) + QLatin1Char('%'));
    ProgressBar->setValue(percent);
    ProgressBar->show();
    ProgressBar->raise();
}

void TVRStandardPreview::UpdateThumbLayout()
{
    const int columnWidth = qMax(20, ThumbGrid->viewport()->width() - 4);
    ThumbGrid->setColumnWidth(0, columnWidth);
    const int thumbWidth = qMax(10, columnWidth - 20);
    m_thumbTextHeight = ThumbGrid->fontMetrics().height();
    // The page's proportions decide the row; a landscape page lies across the column.
    double w = 2100, l = 2970;
    if (m_printer && PageCount() > 0) {
        try {
            if (const auto first = m_printer->GetPage(1)) {
                const QSizeF s = PageSizeTenthsMm(*first);
                if (s.width() > 0 && s.height() > 0) {
                    w = s.width();
                    l = s.height();
                }
            }
        } catch (const platform::TarvelinError &) {
        }
    }
    const double scale = thumbWidth / w;
    m_thumbMarginX = (columnWidth - thumbWidth) / 2;
    m_thumbMarginY = 10;
    m_thumbRowHeight = static_cast<int>(std::lround(l * scale)) + 2 * m_thumbMarginY + m_thumbTextHeight;
    ThumbGrid->verticalHeader()->setDefaultSectionSize(m_thumbRowHeight);
    m_thumbs.clear();
    ThumbGrid->viewport()->update();
}

void TVRStandardPreview::ResetThumbnails()
{
    m_thumbs.clear();
    ThumbGrid->setRowCount(PageCount());
    UpdateThumbLayout();
}

void TVRStandardPreview::GotoPage(int pageNumber)
{
    if (!m_printer || pageNumber < 1 || pageNumber > PageCount())
        return;
    VRPreview->SetPageNumber(pageNumber);
    UpdateStatus();
    m_selectingThumb = true;
    {
        const QSignalBlocker block(ThumbGrid);
        ThumbGrid->selectRow(pageNumber - 1);
        ThumbGrid->viewport()->update();
    }
    m_selectingThumb = false;
}

void TVRStandardPreview::ThumbSelected()
{
    if (m_selectingThumb)
        return;
    const QList<QTableWidgetSelectionRange> ranges = ThumbGrid->selectedRanges();
    if (!ranges.isEmpty())
        GotoPage(ranges.first().topRow() + 1);
}

void TVRStandardPreview::ZoomFitClick()
{
    QCoreApplication::processEvents();
    VRPreview->ZoomToFit();
    ZoomFit->setChecked(true);
    ZoomToWidth->setChecked(false);
    Zoom100->setChecked(false);
}

void TVRStandardPreview::Zoom100Click()
{
    QCoreApplication::processEvents();
    VRPreview->SetZoom(100);
    Zoom100->setChecked(true);
    ZoomFit->setChecked(false);
    ZoomToWidth->setChecked(false);
}

void TVRStandardPreview::ZoomToWidthClick()
{
    QCoreApplication::processEvents();
    VRPreview->ZoomToWidth();
    ZoomToWidth->setChecked(true);
    ZoomFit->setChecked(false);
    Zoom100->setChecked(false);
}

void TVRStandardPreview::FirstPageClick()
{
    GotoPage(1);
}

void TVRStandardPreview::PreviousPageClick()
{
    GotoPage(VRPreview->PageNumber() - 1);
}

void TVRStandardPreview::NextPageClick()
{
    GotoPage(VRPreview->PageNumber() + 1);
}

void TVRStandardPreview::LastPageClick()
{
    GotoPage(PageCount());
}

void TVRStandardPreview::GotoPageClick()
{
    if (m_commandDepth > 0 || !m_printer)
        return;
    CommandScope scope(this);
    QInputDialog box(this);
    box.setObjectName(QStringLiteral("GotoPageBox"));
    box.setWindowTitle(QStringLiteral("Select a page from 1 to %1").arg(PageCount()));
    box.setLabelText(QStringLiteral("Enter page number"));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(QString::number(VRPreview->PageNumber()));
    if (platform::ExecDialog(box) != QDialog::Accepted)
        return;
    bool ok = false;
    const int n = box.textValue().trimmed().toInt(&ok);
    // Anything that is not a page of the report, text included, shows the first page.
    GotoPage(ok && n >= 1 && n <= PageCount() ? n : 1);
}

void TVRStandardPreview::FindClick()
{
    if (m_commandDepth > 0 || !m_printer)
        return;
    CommandScope scope(this);
    TSearchDlg dialog(this);
    if (platform::ExecDialog(dialog) != QDialog::Accepted)
        return;
    const QString text = dialog.SearchText->text();
    const bool matchCase = dialog.MatchCase->isChecked();
    SearchResultBox->setEnabled(true);
    SearchResultBox->clear();
    SearchTextLabel->setText(text);
    if (m_showSearch)
        Tabs->setCurrentWidget(TabSearchResult);
    const QPointer<TVRStandardPreview> self(this);
    const int count = PageCount();
    for (int n = 1; n <= count; ++n) {
        if (n % kSearchEventEvery == 0) {
            QCoreApplication::processEvents();
            if (!self || !m_printer || m_closeRequested)
                return;
        }
        std::unique_ptr<QPicture> page;
        try {
            page = m_printer->GetPage(n);
        } catch (const platform::TarvelinError &) {
            continue; // a damaged page holds nothing to find
        }
        if (page && TVRPrinter::SearchPage(text, *page, matchCase)) {
            auto *item = new QListWidgetItem(kPageText + QLatin1Char(' ') + QString::number(n), SearchResultBox);
            item->setData(Qt::UserRole, n);
        }
    }
    if (SearchResultBox->count() == 0) {
        SearchResultBox->addItem(kNoMatch);
        SearchResultBox->setEnabled(false);
    }
}

void TVRStandardPreview::SearchItemClicked(QListWidgetItem *item)
{
    const int n = item ? item->data(Qt::UserRole).toInt() : 1;
    GotoPage(n >= 1 && n <= PageCount() ? n : 1);
}

void TVRStandardPreview::ApplyPrintChoice(const TVRPrintDialogValues &dialog)
{
    TPrinterSettings &s = m_printer->PrinterSettings();
    s.SetPrinterIndex(dialog.PrinterIndex);
    s.PdfFileName = dialog.PdfFileName;
    s.SetCopies(dialog.Copies());
    const bool pageNums = dialog.PrintRange == TVRPrintRange::prPageNums;
    m_printer->FirstPage = pageNums ? dialog.FromPage : 0;
    m_printer->LastPage = pageNums ? dialog.ToPage : 0;
    s.SetOutputBin(BinFromCode(dialog.OutputBin > 255 ? dialog.OutputBin - 256 : dialog.OutputBin));
    s.ExtendedDuplex = dialog.DuplexCode;
    s.SetDuplex(dialog.Duplex);
    s.Collate = dialog.Collate;
    s.SetOrientation(dialog.Orientation == 2 ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait);
    const TVRPaperSize paper = PaperFromCode(dialog.PaperSize);
    if (paper != TVRPaperSize::Default)
        s.SetPaperSize(paper);
}

void TVRStandardPreview::PrintSetupClick()
{
    if (m_commandDepth > 0 || !m_printer || m_printer->Status() != TVRPrinter::StatusFinished)
        return;
    CommandScope scope(this);
    TVRPreviewMaster *master = Master();
    const TVRPrintDialogValues *chosen = nullptr;
    if (master) {
        chosen = master->ExecutePrintDialog();
    } else {
        // Pages without a report: the preview's own dialog on the printer's settings.
        m_printDialog.PrinterIndex = m_printer->PrinterSettings().PrinterIndex();
        m_printDialog.PdfFileName = m_printer->PrinterSettings().PdfFileName;
        m_printDialog.Options = poPageNums | poWarning;
        m_printDialog.MinPage = 1;
        m_printDialog.MaxPage = qMax(1, PageCount());
        m_printDialog.FromPage = m_printer->FirstPage > 0 ? m_printer->FirstPage : 1;
        m_printDialog.ToPage = m_printer->LastPage > 0 ? m_printer->LastPage : qMax(1, PageCount());
        m_printDialog.PrintRange = m_printer->FirstPage > 0 ? TVRPrintRange::prPageNums : TVRPrintRange::prAllPages;
        m_printDialog.Orientation = m_printer->Orientation() == TPrinterOrientation::poLandscape ? 2 : 1;
        m_printDialog.PaperSize = PaperCode(m_printer->PaperSize());
        m_printDialog.SetCopies(m_printer->Copies());
        if (m_printDialog.Execute(this))
            chosen = &m_printDialog;
    }
    if (!chosen || !m_printer)
        return;
    ApplyPrintChoice(*chosen);
    if (master)
        master->TakePrintSettings(*chosen, m_loadedFromFile);
}

void TVRStandardPreview::PrintClick()
{
    if (m_commandDepth > 0 || !m_printer || m_printer->Status() != TVRPrinter::StatusFinished)
        return;
    CommandScope scope(this);
    const bool byMaster = m_printer->Master && !m_printer->Loaded && !m_printer->PrinterSettings().PrintMetaFile;
    TVRPreviewMaster *master = byMaster ? Master() : nullptr;
    // The print goes where the master's next run or these pages' own settings say.
    const bool toPdf = master ? IsPdfDestinationIndex(master->NextPrintSettings().PrinterIndex)
                              : m_printer->PrinterSettings().IsPdfDestination();
    const QString namedFile =
        master ? master->NextPrintSettings().PdfFileName : m_printer->PrinterSettings().PdfFileName;
    QString pdfFile;
    if (toPdf && namedFile.isEmpty()) {
        pdfFile = AskPdfFileName();
        if (pdfFile.isEmpty() || !m_printer)
            return;
    }
    std::unique_ptr<TVRProgressForm> progress;
    if (!byMaster && m_showProgress) {
        progress = std::make_unique<TVRProgressForm>(this);
        progress->SetPrinter(m_printer);
        progress->show();
    }
    try {
        m_printer->Print(pdfFile);
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message());
    }
}

QString TVRStandardPreview::AskPdfFileName()
{
    QString name = SuggestedPdfFileName(m_printer->Title.isEmpty() ? m_title : m_printer->Title);
    for (;;) {
        name = platform::CurrentFileDialogs().SaveFileNameAskingNothing(this, kPdfCaption, name, kPdfFilter);
        if (name.isEmpty())
            return QString();
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".pdf");
        if (!QFileInfo::exists(name))
            return name;
        const int answer = platform::MessageBox(kPdfReplace.arg(QDir::toNativeSeparators(name)), QString(),
                                                platform::MsgIcon::Question,
                                                platform::MsgYes | platform::MsgNo | platform::MsgDefaultNo);
        if (answer == platform::MsgYes)
            return name;
        // No: the dialog again, to name another file or to cancel.
    }
}

void TVRStandardPreview::SaveReportClick()
{
    if (m_commandDepth > 0 || !m_printer || m_printer->Status() != TVRPrinter::StatusFinished)
        return;
    CommandScope scope(this);
    QString name = platform::CurrentFileDialogs().SaveFileName(this, QStringLiteral("Save report"), QString(),
                                                               PageFileDialogFilter());
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + QString::fromLatin1(kPageFileExtension);
    TVRErrorDetails error;
    if (!m_printer->Save(name, &error) && error.HasError())
        platform::ShowFileAccessError(error.FileName);
}

void TVRStandardPreview::LoadReportClick()
{
    if (m_commandDepth > 0 || !m_printer || m_printer->Status() == TVRPrinter::StatusBusy)
        return;
    CommandScope scope(this);
    const QString name = platform::CurrentFileDialogs().OpenFileName(this, QStringLiteral("Load report"), QString(),
                                                                     PageFileDialogFilter());
    if (name.isEmpty())
        return;
    if (!QFileInfo::exists(name)) {
        platform::ShowError(kFileMissing);
        return;
    }
    try {
        m_printer->Load(name);
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message()); // the pages shown stay
        return;
    }
    m_loadedFromFile = true;
    SetTitle(QFileInfo(name).fileName());
    // The first page of the file is shown even when page 1 was on screen before.
    VRPreview->ReloadPage(1);
    VRPreview->SetZoomState(VRPreview->ZoomState());
    ResetThumbnails();
    GotoPage(1);
    UpdateStatus();
}

bool TVRStandardPreview::HandleKey(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QScrollBar *v = VRPreview->verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_PageUp:
        ctrl ? FirstPageClick() : PreviousPageClick();
        return true;
    case Qt::Key_PageDown:
        ctrl ? LastPageClick() : NextPageClick();
        return true;
    case Qt::Key_Home:
        FirstPageClick();
        return true;
    case Qt::Key_End:
        LastPageClick();
        return true;
    case Qt::Key_Up:
        if (v->value() > v->minimum()) {
            v->setValue(v->value() - v->singleStep());
        } else if (VRPreview->PageNumber() > 1) {
            PreviousPageClick();
            v->setValue(v->maximum());
        }
        return true;
    case Qt::Key_Down:
        if (v->value() < v->maximum())
            v->setValue(v->value() + v->singleStep());
        else
            NextPageClick();
        return true;
    default:
        return false;
    }
}

bool TVRStandardPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ThumbGrid && event->type() == QEvent::Resize) {
        UpdateThumbLayout();
        return false;
    }
    // The window sees its keys before the page area and lists do, as a form with key
    // preview does.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w->window() == this && !qobject_cast<QLineEdit *>(w))
            return HandleKey(static_cast<QKeyEvent *>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void TVRStandardPreview::closeEvent(QCloseEvent *event)
{
    if (m_commandDepth > 0) {
        // A print or search still runs beneath: stop it, close once it has returned.
        m_closeRequested = true;
        if (m_printer)
            m_printer->Cancel();
        event->ignore();
        return;
    }
    if (geometryKeeper().Save && isVisible() && !isMinimized())
        geometryKeeper().Save(*this);
    if (m_printer)
        m_printer->ClosePreview();
    VRPreview->SetVRPrinter(nullptr);
    QCoreApplication::processEvents();
    event->accept();
}

// ---------------------------------------------------------------------------------------

QWidget *TVRPreviewInterface::Show(TVRPrinter *)
{
    return nullptr;
}

void TVRPreviewInterface::ShowModal(TVRPrinter *printer)
{
    if (Show(printer))
        WaitForPreviewClose(printer);
}

QWidget *TVRStandardPreviewInterface::Show(TVRPrinter *printer)
{
    if (!printer || printer->ShowingPreview())
        return nullptr;
    auto *window = new TVRStandardPreview(printer);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

void TVRStandardPreviewInterface::ShowModal(TVRPrinter *printer)
{
    if (Show(printer))
        WaitForPreviewClose(printer);
}

} // namespace reportengine
