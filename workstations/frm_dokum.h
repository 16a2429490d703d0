#pragma once

// The document window: statutory documents whose pages are built at run time from a
// document definition, the list of stored documents of the kind, and the document
// lifecycle (new, save, delete, copy and paste).

#include "appstate/view.h"
#include "storage/document_files.h"
#include "storage/selection_trees.h"
#include "widgets/image_list.h"
#include "widgets/list_box.h"

#include <QHash>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QToolButton;
class QWheelEvent;

namespace workstations {

class TfrmDokum : public QWidget, public appstate::TView
{
    Q_OBJECT
public:
    explicit TfrmDokum(appstate::AppState &state);
    ~TfrmDokum() override;

    // Controls, named as the program knows them.
    QWidget *pDokum = nullptr;
    QSplitter *spDokum = nullptr;
    QWidget *pLeft = nullptr;
    QLabel *pTop = nullptr;
    widgets::TListBox *lbDatyOsob = nullptr;
    QTabWidget *pgDokum = nullptr;
    widgets::TImageList imgPom{16, 16};

    // The definition shown, with the names its root and its list's root give; Items are its
    // pages and fields with their value slots.
    storage::TDocumentDefinition Definition;
    storage::TDokumList &Items = Definition.Items;
    // The entries of the document list, in list order.
    storage::TListDokumList DocumentList;

    // The selection-tree dialog lives in the shell; the program points this at it. It gets
    // the tree file (stored path), the field's present text, and returns the dialog's modal
    // result (1 chosen, 5 choice withdrawn: text empty, 3 closed without a choice).
    using TreeChooser = std::function<int(const QString &fileName, const QString &current, QString &text)>;
    static TreeChooser SetTreeChooser(TreeChooser chooser);

    // appstate::TView
    QWidget *GetMainPanel() override { return pDokum; }
    void InitView() override;
    void InitDocumentView(const QString &definitionPath) override;
    void AnchorFieldControls() override;
    void New() override;
    bool Save() override;
    void Delete() override;
    void Copy() override;
    void Paste() override;
    bool AskSaveChanges() override;
    // The main window asks its question, then deletes the selected stored document.
    bool HasDeletableSelection() override { return SelectedEntry() != nullptr; }
    // Names the document's number and its list entry.
    QString DeleteQuestion() override;
    QWidget *DeleteKeyList() override;
    bool DeleteSelection() override;
    // Deletes and leaves the fields for a new document.
    std::optional<bool> DeleteConfirmed() override;
    // Print hands the print composer the fields and the form version of the stored
    // document shown (a null text for a new one).
    appstate::TPrintSelection PrintSelection() override;

    // Reads the definition, builds its pages, reads the list of stored documents.
    void InitView(const QString &definitionFile, const QString &attachmentFolder);
    // Builds every page and control from the field list.
    void BuildPages();
    // The texts of the edits of one field name or of several joined by "+", joined by "-".
    QString GetFieldText(const QString &names) const;

    // Field events (sender: the control).
    void EnterField(QWidget *sender);
    void ChangeField(QWidget *sender);
    void EraseField(QWidget *sender);
    void ExitField(QWidget *sender);
    void ExitMemo(QWidget *sender);
    void ClickForm(QWidget *sender);
    void ScrBoxMouseWheelDown(QScrollArea *box, int steps = 1);
    void ScrBoxMouseWheelUp(QScrollArea *box, int steps = 1);
    void pgDokumChange(int index);

    // Document list and lifecycle.
    void FillDocumentList();
    void lbDatyOsobClick(QListWidgetItem *item);
    void ShowDocument(bool withData);
    // Adds or rewrites the list entry and writes the list, alone or, through write, with the
    // document's data file; when that fails the list shown stays as it was.
    using ListWrite = std::function<storage::StorageResult(const storage::TListDokumList &)>;
    bool UpdateDocumentList(bool isNew, const QString &listFile, const QString &dataFile, const ListWrite &write = {});
    bool DeleteDocument(const QString &listFile, const QString &dataFile);
    // Copy and paste of all input fields as one text.
    QString CopyFieldsToText() override;
    void PasteFieldsFromText(const QString &text) override;

    // State the main window and the printing read.
    int CurrentNumber() const { return m_currentNumber; }
    int HighestNumber() const { return m_highestNumber; }
    const QString &BuiltVersion() const { return m_builtVersion; }
    QScrollArea *ActiveScrollBox() const { return m_activeScrollBox; }
    // The list entry of the stored document shown, or nullptr for a new document. The list's
    // selection always shows it, so Delete removes what the user sees.
    const storage::TListDokum *SelectedEntry() const;
    // Whether the definition and the list were read whole, so the kind may be saved.
    bool CanSave() const { return m_definitionRead && m_listRead; }
    // The data file name prefix of the kind ("protpow_" for "protpow_frm_2.xml").
    QString KindPrefix() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void offerSave();

    struct Page
    {
        QWidget *sheet = nullptr;
        QScrollArea *box = nullptr;
        QWidget *content = nullptr;
        std::vector<QWidget *> inputs; // combos, edits and memos in creation order
    };
    struct Anchor
    {
        QWidget *control;
        bool stretch; // left, top and right; otherwise top and right
        int rightMargin;
    };

    void buildControls();
    void clearPages();
    Page *pageOf(QWidget *control);
    storage::TDokum *fieldOf(QWidget *control) const;
    void store(storage::TDokum *field, int tag, const QString &text);
    void fillCombo(QComboBox *combo, const storage::TDokum &field, int &choices);
    void selectComboText(QComboBox *combo, const QString &text, bool keepUnknown);
    bool rebuildForVersion(const QString &definitionFile, const QString &version);
    // The definition read from the file (empty when it could not be read).
    storage::TDocumentDefinition readDefinition(const QString &definitionFile);
    void applyAnchors(Page &page);
    void wheel(QScrollArea *box, QWheelEvent *event);
    int wheelStep() const;
    QString listPathForKind() const;
    // Makes the list show the entry of the stored document shown (none for a new one).
    void selectShownEntry();
    QListWidgetItem *itemOfNumber(int nr) const;

    std::vector<Page> m_pages;
    QHash<QWidget *, storage::TDokum *> m_fieldOf;
    QHash<QWidget *, std::vector<Anchor>> m_anchors; // by page content widget
    QHash<QScrollArea *, int> m_wheelRest;
    std::vector<storage::TZalTree> m_workList;
    QString m_attachFolder;
    QString m_definitionFile;
    QPointer<QScrollArea> m_activeScrollBox;
    QString m_builtVersion;
    int m_highestNumber = 0;
    int m_currentNumber = 0;
    int m_shownNr = 0;          // number of the stored document shown; 0 for a new one
    bool m_syncingList = false; // the program moves the list's selection
    bool m_definitionRead = false;
    bool m_listRead = false;
    QString m_listPath; // the list of stored documents of the kind, as read
    bool m_building = false;
    bool m_documentUnreadable = false; // the stored document shown could not be read
    // Values of the stored document shown for items its model no longer has: written back
    // unchanged, so opening and saving an older document loses nothing.
    QStringList m_storedOnlyEntries;
};

// The one document window, created on first use.
// The program's view, made on first use in the state it is handed.
TfrmDokum *frmDokum(appstate::AppState &state);

} // namespace workstations
