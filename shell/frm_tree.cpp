#include "shell/frm_tree.h"

#include "assessment/measurement_pages.h"
#include "workstations/frm_dokum.h"

#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/window_registry.h"
#include "storage/selection_trees.h"
#include "widgets/form_geometry.h"
#include "widgets/progress_dialog.h"

#include <QHBoxLayout>
#include <QHash>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace shell {

namespace {

enum Role { RoleText = Qt::UserRole, RolePar1, RolePar2, RolePar3, RoleId };

} // namespace

TfrmTree::TfrmTree()
{
    setObjectName(QStringLiteral("frmTree"));
    setWindowTitle(QStringLiteral("Lista wyboru"));
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    setMinimumSize(650, 450);
    resize(650, 494);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *l1 = new QVBoxLayout(Panel1);
    l1->setContentsMargins(0, 0, 0, 0);
    pTree = new QTreeWidget(Panel1);
    pTree->setObjectName(QStringLiteral("pTree"));
    pTree->setHeaderHidden(true);
    pTree->setIndentation(19);
    pTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    l1->addWidget(pTree);
    layout->addWidget(Panel1, 1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto *l2 = new QHBoxLayout(Panel2);
    bOk = new QPushButton(QStringLiteral("Wybierz"), Panel2);
    bOk->setObjectName(QStringLiteral("bOk"));
    bAnuluj = new QPushButton(QStringLiteral("Rezygnuj z wyboru"), Panel2);
    bAnuluj->setObjectName(QStringLiteral("bAnuluj"));
    bZamknij = new QPushButton(QStringLiteral("Zamknij"), Panel2);
    bZamknij->setObjectName(QStringLiteral("bZamknij"));
    l2->addStretch(1);
    l2->addWidget(bOk);
    l2->addWidget(bAnuluj);
    l2->addWidget(bZamknij);
    layout->addWidget(Panel2);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(StatusBar1);
    bOk->setDefault(true);

    connect(bOk, &QPushButton::clicked, this, [this] { done(ResultChosen); });
    connect(bAnuluj, &QPushButton::clicked, this, [this] { done(ResultWithdrawn); });
    connect(bZamknij, &QPushButton::clicked, this, [this] { done(ResultClosed); });
    // The choice is the node selected, by mouse or keyboard, once the selection has settled
    // (a click makes the node current before it selects it). The cursor Qt puts on the first
    // node when the focus enters a tree with nothing chosen is no choice.
    connect(pTree, &QTreeWidget::itemSelectionChanged, this, [this] {
        QTreeWidgetItem *current = pTree->currentItem();
        SelectedNode = current && current->isSelected() ? current : nullptr;
    });
    connect(pTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item, int) {
        if (item && item->childCount() == 0)
            done(ResultChosen);
    });
    connect(pTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *i) { updateIcon(i); });
    connect(pTree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *i) { updateIcon(i); });

    widgets::RestoreFormGeometry(this);
}

TfrmTree::~TfrmTree()
{
    widgets::SaveFormGeometry(this);
}

void TfrmTree::updateIcon(QTreeWidgetItem *item)
{
    if (item->childCount() == 0)
        item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    else if (item->isExpanded())
        item->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
    else
        item->setIcon(0, style()->standardIcon(QStyle::SP_DirClosedIcon));
}

void TfrmTree::BuildTree(const std::vector<storage::TZalTreeParam> &items, const QString &current)
{
    pTree->clear();
    SelectedNode = nullptr;
    widgets::TfrmProgres *progress = widgets::frmProgres();
    progress->Start(QStringLiteral("Proszę czekać: trwa wczytywanie elementów drzewa wyboru"), 0,
                    static_cast<int>(items.size()));
    // Id of a file node -> its tree node; the first entry of an id wins.
    QHash<int, QTreeWidgetItem *> nodeMap;
    QTreeWidgetItem *preselected = nullptr;
    int position = 0;
    for (const storage::TZalTreeParam &n : items) {
        progress->SetPosition(++position);
        QTreeWidgetItem *parent = nullptr;
        if (n.Level != 0) {
            parent = nodeMap.value(n.ParentId, nullptr);
            if (!parent)
                continue; // a node whose parent is missing is left out, with its children
        }
        auto *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(pTree);
        node->setText(0, n.Text);
        node->setData(0, RoleText, n.Text);
        node->setData(0, RolePar1, n.par1);
        node->setData(0, RolePar2, n.par2);
        node->setData(0, RolePar3, n.par3);
        node->setData(0, RoleId, n.Id);
        if (!nodeMap.contains(n.Id))
            nodeMap.insert(n.Id, node);
        if (n.Text == current)
            preselected = node; // the last matching node wins
    }
    progress->Finish();
    for (QTreeWidgetItemIterator it(pTree); *it; ++it)
        updateIcon(*it);
    if (preselected) {
        pTree->setCurrentItem(preselected);
        pTree->scrollToItem(preselected);
    } else {
        pTree->setCurrentItem(nullptr);
    }
    SelectedNode = preselected;
}

bool TfrmTree::Load(const QString &fileName, const QString &current, bool paramMode)
{
    ParamMode = paramMode;
    SelectedNode = nullptr;
    LeafChosen = false;
    ResultText = current;
    std::vector<storage::TZalTreeParam> items;
    try {
        if (paramMode) {
            storage::ReadParamTree(fileName, items);
        } else {
            std::vector<storage::TZalTree> plain;
            storage::ReadSelectionTree(fileName, plain);
            items.reserve(plain.size());
            for (const auto &p : plain)
                items.emplace_back(p.Id, p.ParentId, p.Level, p.Text, QString(), QString(), QString());
        }
    } catch (const platform::TarvelinError &e) {
        pTree->clear();
        platform::ShowError(QStringLiteral("Nie można wczytać listy wyboru %1.\n%2").arg(fileName, e.message()));
        return false;
    }
    BuildTree(items, current);
    return true;
}

void TfrmTree::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (SelectedNode) {
        pTree->setCurrentItem(SelectedNode);
        pTree->setFocus();
    }
}

void TfrmTree::done(int result)
{
    if (result == ResultChosen) {
        if (!SelectedNode) {
            return; // nothing selected is no choice: the dialog stays open
        } else if (SelectedNode->childCount() > 0) {
            platform::ShowError(QStringLiteral("Można wybierać tylko pozycje z najniższego poziomu."));
            return; // the dialog stays open
        } else {
            ResultText = SelectedNode->data(0, RoleText).toString();
            LeafChosen = true;
        }
    } else if (result == ResultWithdrawn) {
        ResultText.clear();
    } else {
        result = ResultClosed;
    }
    LastResult = result;
    QDialog::done(result);
}

void TfrmTree::reject()
{
    // The close box and Escape close without a choice, like "Zamknij".
    done(ResultClosed);
}

int TfrmTree::run(const QString &fileName, const QString &current, bool paramMode, QString &text)
{
    LastResult = ResultClosed;
    if (!Load(fileName, current, paramMode)) {
        text = current;
        return ResultClosed;
    }
    const int result = exec();
    LastResult = result == ResultChosen || result == ResultWithdrawn ? result : ResultClosed;
    text = ResultText;
    return LastResult;
}

int TfrmTree::SelectFromTree(const QString &fileName, const QString &current, QString &text)
{
    const int result = run(fileName, current, false, text);
    pTree->clear();
    SelectedNode = nullptr;
    return result;
}

int TfrmTree::SelectFromParamTree(const QString &fileName, const QString &current, QString &par1, QString &par2,
                                  QString &par3, QString &text)
{
    const int result = run(fileName, current, true, text);
    // Parameters come only from a leaf that was chosen; otherwise they stay as they were.
    if (result == ResultChosen && LeafChosen && SelectedNode) {
        par1 = SelectedNode->data(0, RolePar1).toString();
        par2 = SelectedNode->data(0, RolePar2).toString();
        par3 = SelectedNode->data(0, RolePar3).toString();
    }
    pTree->clear();
    SelectedNode = nullptr;
    return result;
}

TfrmTree *frmTree()
{
    static QPointer<TfrmTree> slot;
    return platform::WindowSingleton(slot);
}

void InstallTreeDialog()
{
    assessment::TMeasurementPages::SetParamTreeChooser([](const QString &treeFile, const QString &current) {
        assessment::TMeasurementPages::ParamTreeChoice choice;
        choice.text = current;
        choice.result =
            frmTree()->SelectFromParamTree(treeFile, current, choice.par1, choice.par2, choice.par3, choice.text);
        return choice;
    });
    workstations::TfrmDokum::SetTreeChooser([](const QString &fileName, const QString &current, QString &text) {
        return frmTree()->SelectFromTree(fileName, current, text);
    });
}

} // namespace shell
