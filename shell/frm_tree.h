#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

#include "storage/selection_trees.h"

namespace shell {

// "Lista wyboru": shows a selection-tree file, preselects the field's present value and
// returns the chosen leaf (with its three parameters for a parameter tree).
//
// Results: 1 "Wybierz" (a leaf chosen, or nothing selected: empty text), 5 "Rezygnuj z
// wyboru" (empty text: the caller empties its field), 3 "Zamknij" (no choice; the field
// keeps its value). The window's close box and Escape count as "Zamknij". Text always
// comes back as the present value unless a choice was made.
class TfrmTree : public QDialog
{
    Q_OBJECT
public:
    enum Result { ResultChosen = 1, ResultClosed = 3, ResultWithdrawn = 5 };

    TfrmTree();
    ~TfrmTree() override;

    QWidget *Panel1 = nullptr;
    QTreeWidget *pTree = nullptr;
    QWidget *Panel2 = nullptr;
    QPushButton *bOk = nullptr;
    QPushButton *bAnuluj = nullptr;
    QPushButton *bZamknij = nullptr;
    QStatusBar *StatusBar1 = nullptr;

    // fileName: the tree file's stored relative path, exactly as the definitions name it
    // (folder + "\" + file). Returns the result code; text, and the parameters of a chosen
    // leaf, are set as described above. A file that cannot be read shows its message and
    // returns 3 without showing the dialog.
    int SelectFromTree(const QString &fileName, const QString &current, QString &text);
    int SelectFromParamTree(const QString &fileName, const QString &current, QString &par1, QString &par2,
                            QString &par3, QString &text);

    // The parts of a call, for callers and tests that do not want the modal loop.
    bool Load(const QString &fileName, const QString &current, bool paramMode);
    void BuildTree(const std::vector<storage::TZalTreeParam> &items, const QString &current);

    bool ParamMode = false;
    QTreeWidgetItem *SelectedNode = nullptr;
    QString ResultText;
    // True when the last call ended with a leaf chosen through "Wybierz".
    bool LeafChosen = false;
    int LastResult = 0;

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateIcon(QTreeWidgetItem *item);
    int run(const QString &fileName, const QString &current, bool paramMode, QString &text);
};

TfrmTree *frmTree();

// Points the measurement window's choice buttons and the document window's choice fields
// at this dialog (they cannot reach the shell themselves).
void InstallTreeDialog();

} // namespace shell
