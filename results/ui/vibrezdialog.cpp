#include "results/ui/vibrezdialog.h"

#include "dialogs/ui/uitext.h"
#include "results/ui/choicecontrols.h"
#include "results/ui/choicetree.h"

#include <QButtonGroup>
#include <QCheckBox>
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

VibRezDialog::VibRezDialog(CVibRezDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    using M = CVibRezDlg;
    setWindowTitle(U("Выбор результатов"));
    setObjectName("VibRezDialog");

    m_tree = new ChoiceTree;
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setMinimumSize(520, 260);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_controls[M::kIdTree] = m_tree;

    auto radio = [this](int id, const char* text) { return ChoiceRadio(m_controls, id, text); };
    auto check = [this](int id, const char* text) {
        auto* c = new QCheckBox(U(text));
        m_controls[id] = c;
        return c;
    };

    // "Просмотр": tables or graphs.
    auto* viewGroup = new QGroupBox(U("Просмотр"));
    auto* viewLayout = new QVBoxLayout(viewGroup);
    viewLayout->addWidget(radio(M::kIdTables, "Таблицы"));
    viewLayout->addWidget(radio(M::kIdGraphs, "Графики"));
    auto* views = new QButtonGroup(this);
    views->addButton(static_cast<QRadioButton*>(m_controls[M::kIdTables]));
    views->addButton(static_cast<QRadioButton*>(m_controls[M::kIdGraphs]));

    // The tables' contents.
    auto* checks = new QVBoxLayout;
    checks->addWidget(check(M::kIdCheckAttenuation, "Затухание и запаздывание"));
    checks->addWidget(check(M::kIdCheckImpedance, "Входные сопротивления"));
    checks->addWidget(check(M::kIdCheckMismatch, "Затухание несогласованности"));

    // "Информация": the graph's quantity and its sides.
    auto* info = new QGroupBox(U("Информация"));
    auto* infoLayout = new QVBoxLayout(info);
    auto* quantities = new QButtonGroup(this);
    auto side = [this](int frameId, int leftId, int rightId) {
        return SideFrame(m_controls, this, frameId, leftId, rightId);
    };
    for (auto [id, text] : {std::pair{M::kIdAttenuation, "Затухание"}, std::pair{M::kIdDelay, "Запаздывание"},
                            std::pair{M::kIdImpedance, "Входное сопротивление"}}) {
        QRadioButton* r = radio(id, text);
        quantities->addButton(r);
        infoLayout->addWidget(r);
    }
    infoLayout->addWidget(side(M::kIdImpedanceFrame, M::kIdImpedanceLeft, M::kIdImpedanceRight));
    QRadioButton* mismatch = radio(M::kIdMismatch, "Затухание несогласованности");
    quantities->addButton(mismatch);
    infoLayout->addWidget(mismatch);
    infoLayout->addWidget(side(M::kIdMismatchFrame, M::kIdMismatchLeft, M::kIdMismatchRight));
    m_controls[0] = info;

    auto* del = new QPushButton(U("Удалить"));
    auto* ok = new QPushButton(U("Просмотр"));
    auto* cancel = new QPushButton(U("Возврат"));
    ok->setDefault(true);
    m_controls[M::kIdDelete] = del;
    m_controls[M::kIdOk] = ok;
    m_controls[M::kIdCancel] = cancel;

    auto* right = new QVBoxLayout;
    right->addWidget(viewGroup);
    right->addLayout(checks);
    right->addWidget(info);
    right->addStretch(1);
    right->addWidget(del);
    right->addWidget(ok);
    right->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addLayout(right);

    connect(m_tree, &ChoiceTree::Chosen, this, [this](QTreeWidgetItem* item) { OnItemClicked(item); });
    connect(del, &QPushButton::clicked, this, &VibRezDialog::OnDelete);
    connect(ok, &QPushButton::clicked, this, &VibRezDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &VibRezDialog::reject);
    // A view or quantity radio: the values are read, then the model decides.
    for (int id : {M::kIdTables, M::kIdGraphs, M::kIdAttenuation, M::kIdDelay, M::kIdImpedance, M::kIdMismatch})
        connect(static_cast<QRadioButton*>(m_controls[id]), &QRadioButton::clicked, this, [this] {
            ReadControls();
            m_model.EnableControls();
            ShowModel();
        });

    m_model.OnInitDialog();
    FillTree();
    ShowModel();
}

QWidget* VibRezDialog::Control(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QTreeWidgetItem* VibRezDialog::Item(std::uint32_t itemData) const
{
    for (QTreeWidgetItem* root : {m_modalRoot, m_tractRoot})
        for (int i = 0; root && i < root->childCount(); ++i)
            if (root->child(i)->data(0, kDataRole).toUInt() == itemData)
                return root->child(i);
    return nullptr;
}

void VibRezDialog::FillTree()
{
    m_tree->clear();
    m_modalRoot = new QTreeWidgetItem(m_tree, QStringList(U(CVibRezDlg::kModalRootText)));
    m_modalRoot->setData(0, kDataRole, CVibRezDlg::kModalRoot);
    m_tractRoot = new QTreeWidgetItem(m_tree, QStringList(U(CVibRezDlg::kTractRootText)));
    m_tractRoot->setData(0, kDataRole, CVibRezDlg::kTractRoot);
    for (std::size_t i = 0; i < m_model.ModalTexts().size(); ++i) {
        auto* item = new QTreeWidgetItem(m_modalRoot);
        item->setData(0, kDataRole, CVibRezDlg::ModalItem(i));
    }
    for (std::size_t i = 0; i < m_model.TractTexts().size(); ++i) {
        auto* item = new QTreeWidgetItem(m_tractRoot);
        item->setData(0, kDataRole, CVibRezDlg::TractItem(i));
    }
    m_tree->expandAll();
    UpdateTexts();
    // A chosen result is scrolled into view.
    for (QTreeWidgetItem* root : {m_modalRoot, m_tractRoot})
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0).startsWith('+')) {
                m_tree->scrollToItem(root->child(i));
                return;
            }
}

void VibRezDialog::UpdateTexts()
{
    for (auto [root, texts] : {std::pair{m_modalRoot, &m_model.ModalTexts()},
                               std::pair{m_tractRoot, &m_model.TractTexts()}})
        for (int i = 0; i < root->childCount() && std::size_t(i) < texts->size(); ++i)
            root->child(i)->setText(0, QString::fromStdString((*texts)[std::size_t(i)]));
}

void VibRezDialog::ShowModel()
{
    for (auto& [id, w] : m_controls) {
        if (id == 0 || id == CVibRezDlg::kIdTree)
            continue;
        ShowControl(w, m_model.Control(id));
    }
    // The quantity frame goes with its radios.
    m_controls[0]->setVisible(m_model.Control(CVibRezDlg::kIdAttenuation).shown);
}

void VibRezDialog::ReadControls()
{
    using M = CVibRezDlg;
    auto on = [this](int id) { return static_cast<QAbstractButton*>(m_controls[id])->isChecked(); };
    m_model.showGraphs = on(M::kIdGraphs) ? 1 : 0;
    m_model.showAttenuation = on(M::kIdCheckAttenuation) ? 1 : 0;
    m_model.showImpedance = on(M::kIdCheckImpedance) ? 1 : 0;
    m_model.showMismatch = on(M::kIdCheckMismatch) ? 1 : 0;
    m_model.quantity = on(M::kIdDelay) ? 1 : on(M::kIdImpedance) ? 2 : on(M::kIdMismatch) ? 3 : 0;
    m_model.impedanceSide = on(M::kIdImpedanceRight) ? 1 : 0;
    m_model.mismatchSide = on(M::kIdMismatchRight) ? 1 : 0;
}

void VibRezDialog::OnItemClicked(QTreeWidgetItem* item)
{
    // Every click counts: the selection is dropped first, so that a second
    // click on the same result toggles it back.
    m_model.OnClickTree();
    m_model.OnSelChanged(item ? item->data(0, kDataRole).toUInt() : CVibRezDlg::kNoItem);
    UpdateTexts();
    ShowModel();
}

void VibRezDialog::OnDelete()
{
    ReadControls();
    if (m_model.OnDelete())
        FillTree();
    ShowModel();
}

void VibRezDialog::accept()
{
    ReadControls();
    const bool ok = m_model.OnOK();
    UpdateTexts();
    ShowModel();
    if (ok)
        QDialog::accept();
}
