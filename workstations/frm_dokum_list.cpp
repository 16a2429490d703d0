// The document window: the list of stored documents and the document lifecycle (open a
// kind, select a stored document in its own definition version, new, save, delete, ask to
// save).
#include "workstations/frm_dokum.h"

#include "appstate/appstate.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/storage_errors.h"
#include "widgets/field_binding.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QTabWidget>

namespace workstations {

namespace {

const char *const TagProperty = "tag";

QString entryLine(const storage::TListDokum &e)
{
    return e.data + QStringLiteral(" - ") + e.rodzinf;
}

storage::TListDokum *entryOf(const QListWidgetItem *item)
{
    return item ? reinterpret_cast<storage::TListDokum *>(item->data(Qt::UserRole).value<quintptr>()) : nullptr;
}

// The current definition file name up to and including "_frm" ("x\protpow_frm_2.xml" ->
// "x\protpow_frm").
QString definitionStem(const QString &definitionFile)
{
    const qsizetype p = definitionFile.lastIndexOf(QLatin1String("_frm"));
    return p < 0 ? definitionFile : definitionFile.left(p + 4);
}

} // namespace

void TfrmDokum::InitView()
{
    const appstate::AppState &state = Shared();
    InitView(state.FormsFolder + state.ViewName, state.AttachFolder);
}

void TfrmDokum::InitDocumentView(const QString &definitionPath)
{
    InitView(definitionPath, Shared().AttachFolder);
}

storage::TDocumentDefinition TfrmDokum::readDefinition(const QString &definitionFile)
{
    storage::TDocumentDefinition definition;
    m_definitionRead = false;
    try {
        if (storage::ReadDocumentForm(definitionFile, definition))
            m_definitionRead = true;
        else
            platform::ShowWarning(QStringLiteral("Wersja definicji dokumentu nie odpowiada wersji konfiguracji: ") +
                                  definitionFile);
    } catch (const storage::StorageError &e) {
        definition.Items.clear();
        platform::ShowError(e.message());
    }
    return definition;
}

QString TfrmDokum::listPathForKind() const
{
    return Shared().DataFolder + Definition.Plik;
}

void TfrmDokum::InitView(const QString &definitionFile, const QString &attachmentFolder)
{
    m_attachFolder = attachmentFolder;
    m_definitionFile = definitionFile;
    m_builtVersion.clear();
    m_documentUnreadable = false;
    Definition = readDefinition(definitionFile);
    BuildPages();
    DocumentList.clear();
    m_listRead = false;
    m_listPath.clear();
    if (m_definitionRead) {
        const QString listPath = listPathForKind();
        m_listPath = listPath;
        try {
            if (storage::ReadDocumentList(listPath, DocumentList, Shared().FormVersion, &Definition))
                m_listRead = true;
            else
                platform::ShowWarning(QStringLiteral("Wersja listy dokumentów nie odpowiada wersji konfiguracji: ") +
                                      listPath +
                                      QStringLiteral("\nDokumenty tego rodzaju można przeglądać, ale nie zapisywać."));
        } catch (const platform::TarvelinError &e) {
            // The entries read before the fault stay listed; the list file is not written over.
            platform::ShowError(e.message() +
                                QStringLiteral("\nDokumenty tego rodzaju można przeglądać, ale nie zapisywać."));
        }
    }
    FillDocumentList();
}

void TfrmDokum::FillDocumentList()
{
    {
        const QScopedValueRollback<bool> syncing(m_syncingList, true);
        lbDatyOsob->clear();
        m_highestNumber = 0;
        for (const auto &e : DocumentList) {
            auto *item = new QListWidgetItem(entryLine(*e), lbDatyOsob);
            item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(e.get())));
            m_highestNumber = std::max(m_highestNumber, e->nr);
        }
    }
    selectShownEntry();
}

QListWidgetItem *TfrmDokum::itemOfNumber(int nr) const
{
    for (int i = 0; i < lbDatyOsob->count(); ++i) {
        const storage::TListDokum *e = entryOf(lbDatyOsob->item(i));
        if (e && e->nr == nr)
            return lbDatyOsob->item(i);
    }
    return nullptr;
}

void TfrmDokum::selectShownEntry()
{
    const QScopedValueRollback<bool> syncing(m_syncingList, true);
    QListWidgetItem *item = m_shownNr > 0 ? itemOfNumber(m_shownNr) : nullptr;
    if (item) {
        lbDatyOsob->setCurrentItem(item);
        item->setSelected(true);
    } else {
        lbDatyOsob->setCurrentRow(-1);
        lbDatyOsob->clearSelection();
    }
}

const storage::TListDokum *TfrmDokum::SelectedEntry() const
{
    if (m_shownNr <= 0)
        return nullptr;
    for (const auto &e : DocumentList)
        if (e->nr == m_shownNr)
            return e.get();
    return nullptr;
}

QString TfrmDokum::KindPrefix() const
{
    const QString name = storage::StoredBaseName(m_definitionFile);
    const qsizetype underscore = name.indexOf(QLatin1Char('_'));
    return underscore < 0 ? QString() : name.left(underscore + 1);
}

bool TfrmDokum::rebuildForVersion(const QString &definitionFile, const QString &version)
{
    // A version whose definition is not installed keeps the pages and document shown.
    if (!platform::FileExists(definitionFile)) {
        platform::ShowError(platform::FileAccessErrorText(definitionFile));
        return false;
    }
    pgDokum->hide();
    // The pages of that version; the names the list gave stay.
    Definition.Items = std::move(readDefinition(definitionFile).Items);
    BuildPages();
    AnchorFieldControls();
    pgDokum->show();
    m_builtVersion = version;
    return true;
}

void TfrmDokum::lbDatyOsobClick(QListWidgetItem *item)
{
    const storage::TListDokum *clicked = entryOf(item);
    if (!clicked)
        return;
    // The entry is known by its number: saving through the prompt below may add entries.
    const int nr = clicked->nr;
    const QString werDok = clicked->wer_dok;
    appstate::AppState &state = Shared();
    // The text being typed belongs to the document shown; unsaved changes are offered.
    if (state.ConfirmPendingChangesCommand) {
        state.RunConfirmPendingChanges();
    } else {
        state.CommitLastWinCtrl();
        AskSaveChanges();
    }
    // Changes that could not be saved keep their document on the screen.
    if (state.Modified()) {
        selectShownEntry();
        return;
    }
    if (!itemOfNumber(nr)) {
        selectShownEntry();
        return;
    }
    if (!werDok.isEmpty() && werDok != m_builtVersion) {
        const QString file = definitionStem(m_definitionFile) + QStringLiteral("_") + werDok + QStringLiteral(".xml");
        if (!rebuildForVersion(file, werDok)) {
            selectShownEntry();
            return;
        }
    }
    const bool read = appstate::ReportStorageResult(storage::ReadDocumentData(
        state.DataFolder, Definition.Katalog, storage::DocumentDataFileName(Definition.Plik, nr), Items, &m_storedOnlyEntries));
    // A document that could not be read whole shows what could be read and is never written
    // over its file.
    m_documentUnreadable = !read || !m_definitionRead;
    ShowDocument(true);
    m_currentNumber = nr;
    m_shownNr = nr;
    selectShownEntry();
    state.NewDocument = false;
    state.EditAllowed = !m_documentUnreadable;
    state.SetModified(false);
    state.SetSaveEnabled(false);
}

void TfrmDokum::selectComboText(QComboBox *combo, const QString &text, bool keepUnknown)
{
    const QSignalBlocker block(combo);
    int index = text.isEmpty() ? -1 : combo->findText(text, Qt::MatchExactly);
    if (index < 0 && keepUnknown && !text.isEmpty()) {
        // A stored value the tree no longer offers is still shown, and kept on the next save.
        combo->addItem(text);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

void TfrmDokum::ShowDocument(bool withData)
{
    appstate::AppState &state = Shared();
    if (!withData) {
        m_shownNr = 0;
        selectShownEntry();
        m_documentUnreadable = false;
        if (!m_builtVersion.isEmpty() && m_builtVersion != state.FormVersion) {
            if (rebuildForVersion(m_definitionFile, state.FormVersion))
                m_builtVersion = state.FormVersion;
        }
    }
    {
        widgets::FieldEventSuppressor quiet;
        for (auto &page : m_pages) {
            for (QWidget *w : page.inputs) {
                storage::TDokum *field = fieldOf(w);
                if (!field)
                    continue;
                storage::TDokumWart *slot = field->Slot(w->property(TagProperty).toInt() + 1);
                if (auto *edit = qobject_cast<QLineEdit *>(w)) {
                    if (!withData && slot)
                        slot->wartosc.clear();
                    edit->setText(slot ? slot->wartosc : QString());
                } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
                    if (!withData && slot)
                        slot->wartosc.clear();
                    // A text stored before the field's limit was lowered is shown and kept whole.
                    widgets::SetMemoText(memo, slot ? slot->wartosc : QString());
                } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
                    if (withData) {
                        selectComboText(combo, slot ? slot->wartosc : QString(), true);
                    } else {
                        selectComboText(combo, field->tekst, false);
                        // What the new document shows is what it stores.
                        if (slot)
                            slot->wartosc = combo->currentIndex() < 0 ? QString() : combo->currentText();
                    }
                }
            }
        }
    }
    if (pgDokum->count() > 0)
        pgDokum->setCurrentIndex(0);
    if (!withData) {
        // The number after the highest of the list; it never takes over the data file of
        // another document. New pressed twice keeps the number, as nothing was saved under it.
        m_currentNumber = storage::NextFreeDocumentNumber(state.DataFolder, Definition.Katalog,
                                                          Definition.Plik, m_highestNumber);
    }
}

bool TfrmDokum::UpdateDocumentList(bool isNew, const QString &listFile, const QString &dataFile, const ListWrite &write)
{
    appstate::AppState &state = Shared();
    const QString date = GetFieldText(Definition.PData);
    const QString text = GetFieldText(Definition.PRodzInf);
    storage::TListDokum *entry = nullptr;
    QString oldDate, oldText;
    if (isNew) {
        DocumentList.push_back(std::make_unique<storage::TListDokum>(m_currentNumber, date, text, state.FormVersion));
        entry = DocumentList.back().get();
    } else {
        for (auto &e : DocumentList)
            if (e->nr == m_currentNumber)
                entry = e.get();
        if (entry) {
            oldDate = entry->data;
            oldText = entry->rodzinf;
            entry->data = date;
            entry->rodzinf = text;
        }
    }
    const storage::StorageResult written =
        write ? write(DocumentList)
              : storage::WriteDocumentList(state.DataFolder, listFile, Definition, dataFile, DocumentList);
    if (!appstate::ReportStorageResult(written)) {
        // The list on disk is unchanged; so stays the list shown.
        if (isNew)
            DocumentList.pop_back();
        else if (entry) {
            entry->data = oldDate;
            entry->rodzinf = oldText;
        }
        return false;
    }
    if (isNew) {
        {
            const QScopedValueRollback<bool> syncing(m_syncingList, true);
            auto *item = new QListWidgetItem(entryLine(*entry), lbDatyOsob);
            item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry)));
        }
        m_highestNumber = std::max(m_highestNumber, entry->nr);
        m_shownNr = entry->nr;
        selectShownEntry();
    } else {
        for (int i = 0; i < lbDatyOsob->count(); ++i)
            if (entryOf(lbDatyOsob->item(i)) == entry && entry)
                lbDatyOsob->item(i)->setText(entryLine(*entry));
    }
    return true;
}

bool TfrmDokum::DeleteDocument(const QString &listFile, const QString &dataFile)
{
    const storage::TListDokum *entry = SelectedEntry();
    if (!entry)
        return false; // a document never saved has no entry to remove
    QListWidgetItem *item = itemOfNumber(entry->nr);
    // The number goes into the data file name after the entry is gone.
    const int nr = entry->nr;
    size_t position = 0;
    std::unique_ptr<storage::TListDokum> removed;
    for (size_t i = 0; i < DocumentList.size(); ++i) {
        if (DocumentList[i].get() == entry) {
            position = i;
            removed = std::move(DocumentList[i]);
            DocumentList.erase(DocumentList.begin() + std::ptrdiff_t(i));
            break;
        }
    }
    {
        const QScopedValueRollback<bool> syncing(m_syncingList, true);
        delete lbDatyOsob->takeItem(lbDatyOsob->row(item));
    }
    ShowDocument(false);
    appstate::AppState &state = Shared();
    if (!appstate::ReportStorageResult(storage::WriteDocumentList(state.DataFolder, listFile, Definition, dataFile, DocumentList))) {
        // Nothing changed on disk: the entry comes back.
        if (removed)
            DocumentList.insert(DocumentList.begin() + std::ptrdiff_t(position), std::move(removed));
        FillDocumentList();
        return false;
    }
    const QString file = state.DataFolder + Definition.Katalog + storage::DocumentDataFileName(dataFile, nr);
    if (platform::FileExists(file))
        QFile::remove(platform::ToFilePath(file));
    return true;
}

void TfrmDokum::New()
{
    appstate::AppState &state = Shared();
    state.NewDocument = true;
    ShowDocument(false);
    state.EditAllowed = true;
}

bool TfrmDokum::Save()
{
    appstate::AppState &state = Shared();
    if (!CanSave()) {
        platform::ShowWarning(QStringLiteral("Nie można zapisać dokumentu: definicja lub lista dokumentów tego "
                                             "rodzaju nie została poprawnie wczytana (%1).")
                                  .arg(m_definitionRead ? m_listPath : m_definitionFile));
        return false;
    }
    if (m_documentUnreadable) {
        platform::ShowWarning(QStringLiteral("Nie można zapisać dokumentu, którego plik z danymi nie został "
                                             "poprawnie wczytany (%1).")
                                  .arg(state.DataFolder + Definition.Katalog +
                                       storage::DocumentDataFileName(Definition.Plik, m_currentNumber)));
        return false;
    }
    // A toolbar command takes no focus: the text being typed belongs to the document.
    state.CommitLastWinCtrl();
    const QString prefix = KindPrefix();
    const QString dataName = prefix + QStringLiteral("dane_") + QString::number(m_currentNumber);
    const QString listFile = prefix + QStringLiteral("lista");
    const QString dataFile = prefix + QStringLiteral("dane.xml");
    const QStringList kept = state.NewDocument ? QStringList() : m_storedOnlyEntries;
    // The document and its list entry together, or neither.
    if (!UpdateDocumentList(state.NewDocument, listFile, dataFile, [&](const storage::TListDokumList &list) {
            return storage::WriteDocumentWithList({state.DataFolder, Definition.Katalog, dataName, Items, kept},
                                                  listFile, Definition, dataFile, list);
        }))
        return false;
    state.NewDocument = false;
    state.SetSaveEnabled(false);
    state.SetModified(false);
    return true;
}

QString TfrmDokum::DeleteQuestion()
{
    QString question = QStringLiteral("Czy na pewno usunąć wybrany dokument?");
    if (const storage::TListDokum *entry = SelectedEntry())
        question += QStringLiteral("\nDokument nr %1: %2").arg(entry->nr).arg(entryLine(*entry));
    return question;
}

QWidget *TfrmDokum::DeleteKeyList()
{
    return lbDatyOsob;
}

bool TfrmDokum::DeleteSelection()
{
    const QString prefix = KindPrefix();
    return DeleteDocument(prefix + QStringLiteral("lista"), prefix + QStringLiteral("dane.xml"));
}

std::optional<bool> TfrmDokum::DeleteConfirmed()
{
    // The fields stay for a new document, whatever became of the stored one.
    DeleteSelection();
    Shared().NewDocument = true;
    return std::nullopt;
}

appstate::TPrintSelection TfrmDokum::PrintSelection()
{
    appstate::TPrintSelection selection;
    selection.DocumentItems = &Items;
    const storage::TListDokum *entry = SelectedEntry();
    selection.StoredFormVersion = entry ? entry->wer_dok : QString();
    const appstate::AppState &state = Shared();
    selection.DefinitionFile = state.ViewName;
    selection.CurrentFormVersion = state.FormVersion;
    selection.Caption = state.ElementCaption;
    selection.AttachFolder = state.AttachFolder;
    return selection;
}

void TfrmDokum::Delete()
{
    if (!HasDeletableSelection())
        return;
    if (!platform::ConfirmDeletion(DeleteQuestion(), QStringLiteral("Potwierdź usunięcie danych ")))
        return;
    DeleteSelection();
    Shared().NewDocument = true;
}

bool TfrmDokum::AskSaveChanges()
{
    appstate::AppState &state = Shared();
    if (!state.Modified())
        return true;
    const int answer = appstate::AskSaveQuestion();
    if (answer == platform::MsgYes) {
        // Saved by the main window when it is there, so its controls follow.
        if (state.SaveCommand)
            return state.RunSaveCommand();
        return Save();
    }
    if (answer != platform::MsgNo)
        return false; // Anuluj: the document and its changes stay on the screen
    // No reloads nothing; the changes are let go, so the question does not come back.
    if (state.EditAllowed)
        state.SetSaveEnabled(true);
    state.SetModified(false);
    return true;
}

} // namespace workstations
