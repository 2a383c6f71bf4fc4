#include "results/ui/vibrezbufdialog.h"

#include "dialogs/ui/uitext.h"
#include "platform/filedialog.h"
#include "results/ui/choicecontrols.h"
#include "results/ui/choicetree.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kDataRole = Qt::UserRole;

} // namespace

VibRezBufDialog::VibRezBufDialog(CVibRezBufDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    using M = CVibRezBufDlg;
    setObjectName("VibRezBufDialog");
    setWindowTitle(U("Выбор результатов"));

    m_tree = new ChoiceTree;
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumSize(560, 280);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);

    auto* info = new QGroupBox(U("Информация"));
    auto* infoLayout = new QVBoxLayout(info);
    auto* quantities = new QButtonGroup(this);
    auto radio = [this](int id, const char* text) { return ChoiceRadio(m_controls, id, text); };
    auto side = [this](int frameId, int leftId, int rightId) {
        return SideFrame(m_controls, this, frameId, leftId, rightId);
    };
    const std::pair<int, const char*> kinds[] = {{M::kIdAttenuation, "Затухание"},
                                                 {M::kIdDelay, "Запаздывание"},
                                                 {M::kIdImpedance, "Входное сопротивление"},
                                                 {M::kIdMismatch, "Затухание несогласованности"}};
    for (int q = 0; q < 4; ++q) {
        QRadioButton* r = radio(kinds[q].first, kinds[q].second);
        quantities->addButton(r, q);
        infoLayout->addWidget(r);
        if (q == 2)
            infoLayout->addWidget(side(M::kIdImpedanceFrame, M::kIdImpedanceLeft, M::kIdImpedanceRight));
        if (q == 3)
            infoLayout->addWidget(side(M::kIdMismatchFrame, M::kIdMismatchLeft, M::kIdMismatchRight));
    }
    connect(quantities, &QButtonGroup::idClicked, this, [this](int q) {
        if (q == m_model.quantityChoice)
            return;
        ReadControls();
        m_model.OnQuantityChoice(q);
        ShowModel();
    });

    auto* ok = new QPushButton(U("Просмотр"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(U("Возврат"));
    auto* del = new QPushButton(U("Удалить"));
    auto* add = new QPushButton(U("Дополнить"));
    m_controls[M::kIdOk] = ok;
    m_controls[M::kIdCancel] = cancel;
    m_controls[M::kIdDelete] = del;
    m_controls[M::kIdAdd] = add;
    connect(ok, &QPushButton::clicked, this, &VibRezBufDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &VibRezBufDialog::reject);
    connect(del, &QPushButton::clicked, this, [this] {
        if (m_model.OnDelete())
            FillTree();
        ShowModel();
    });
    connect(add, &QPushButton::clicked, this, &VibRezBufDialog::OnAdd);
    connect(m_tree, &ChoiceTree::Chosen, this, [this](QTreeWidgetItem* item) {
        // Every click counts: a second click on the same curve unmarks it.
        m_model.OnClickTree();
        m_model.OnSelChanged(item ? item->data(0, kDataRole).toUInt() : CVibRezBufDlg::kNoItem);
        if (item && item->parent()) {
            const auto& groups = m_model.Tree();
            const int g = m_tree->indexOfTopLevelItem(item->parent());
            const int c = item->parent()->indexOfChild(item);
            if (g >= 0 && std::size_t(g) < groups.size() && std::size_t(c) < groups[std::size_t(g)].children.size())
                item->setText(0, QString::fromStdString(groups[std::size_t(g)].children[std::size_t(c)].text));
        }
        ShowModel();
    });

    auto* right = new QVBoxLayout;
    right->addWidget(info);
    right->addStretch(1);
    right->addWidget(ok);
    right->addWidget(cancel);
    right->addWidget(del);
    right->addWidget(add);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addLayout(right);

    m_model.OnInitDialog();
    FillTree();
    ShowModel();
}

QWidget* VibRezBufDialog::Control(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QTreeWidgetItem* VibRezBufDialog::Item(std::uint32_t itemData) const
{
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_tree->topLevelItem(g);
        if (group->data(0, kDataRole).toUInt() == itemData)
            return group;
        for (int c = 0; c < group->childCount(); ++c)
            if (group->child(c)->data(0, kDataRole).toUInt() == itemData)
                return group->child(c);
    }
    return nullptr;
}

void VibRezBufDialog::FillTree()
{
    // Rebuilt from the model after every change, so items and curves agree.
    m_model.FillTree();
    m_tree->clear();
    QTreeWidgetItem* marked = nullptr;
    for (const CVibRezBufDlg::TreeItem& g : m_model.Tree()) {
        auto* group = new QTreeWidgetItem(m_tree, QStringList(QString::fromStdString(g.text)));
        group->setData(0, kDataRole, g.data);
        for (const CVibRezBufDlg::TreeItem& c : g.children) {
            auto* curve = new QTreeWidgetItem(group, QStringList(QString::fromStdString(c.text)));
            curve->setData(0, kDataRole, c.data);
            if (!marked && c.text.rfind("+", 0) == 0)
                marked = curve;
        }
    }
    m_tree->expandAll();
    if (marked)
        m_tree->scrollToItem(marked);
}

void VibRezBufDialog::ShowModel()
{
    for (auto& [id, w] : m_controls) {
        ShowControl(w, m_model.Control(id));
    }
}

void VibRezBufDialog::ReadControls()
{
    using M = CVibRezBufDlg;
    auto on = [this](int id) { return static_cast<QRadioButton*>(m_controls[id])->isChecked(); };
    m_model.quantityChoice = on(M::kIdDelay) ? 1 : on(M::kIdImpedance) ? 2 : on(M::kIdMismatch) ? 3 : 0;
    m_model.impedanceSide = on(M::kIdImpedanceRight) ? 1 : 0;
    m_model.mismatchSide = on(M::kIdMismatchRight) ? 1 : 0;
}

void VibRezBufDialog::OnAdd()
{
    FileDialog dlg(true, "ktf", "Файлы данных Kestrin (*.ktf)|*.ktf||", "Дополнение буфера сравнения");
    dlg.m_bFileMustExist = true;
    if (dlg.DoModal() != IDOK)
        return;
    if (m_model.OnAddFile(dlg.GetPathName()))
        FillTree();
    ShowModel();
}

void VibRezBufDialog::accept()
{
    ReadControls();
    if (m_model.OnOK()) {
        QDialog::accept();
        return;
    }
    FillTree();
    ShowModel();
}

void VibRezBufDialog::reject()
{
    m_model.OnCancel();
    QDialog::reject();
}
