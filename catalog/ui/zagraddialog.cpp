#include "catalog/ui/zagraddialog.h"

#include "catalog/ui/schemewidget.h"
#include "dialogs/numericfield.h"
#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/uitext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

void Row(QGridLayout* grid, int row, QCheckBox* box, QWidget* caption, QWidget* edit)
{
    grid->addWidget(box, row, 0);
    grid->addWidget(caption, row, 1);
    grid->addWidget(edit, row, 2);
}

} // namespace

ZagradDialog::ZagradDialog(CZagradDlg& model, QWidget* parent)
    : ItemEditorDialog(model, "Заградитель", parent), m_model(model)
{
    setObjectName("ZagradDialog");
    m_model.OnInitDialog();
    m_name = TextEdit(m_model.m_strName);
    m_c1 = NumberEdit(m_model.m_fC1);
    m_c2 = Steady(NumberEdit(m_model.m_fC2));
    m_c3 = Steady(NumberEdit(m_model.m_fC3));
    m_l1 = NumberEdit(m_model.m_fL1);
    m_l2 = Steady(NumberEdit(m_model.m_fL2));
    m_l3 = Steady(NumberEdit(m_model.m_fL3));
    m_l4 = Steady(NumberEdit(m_model.m_fL4));
    m_r = Steady(NumberEdit(m_model.m_fR));
    m_hasC1 = new QCheckBox;
    m_hasC2 = new QCheckBox;
    m_hasC3 = new QCheckBox;
    m_hasL1 = new QCheckBox;
    m_hasL2 = new QCheckBox;
    m_hasL3 = new QCheckBox;
    m_hasL4 = Steady(new QCheckBox);
    m_hasR = new QCheckBox;
    for (QCheckBox* always : {m_hasC1, m_hasL1}) {
        always->setChecked(true);
        always->setEnabled(false);
    }

    auto* caps = new QGroupBox(U("Емкости (пФ)"));
    auto* capGrid = new QGridLayout(caps);
    Row(capGrid, 0, m_hasC1, IndexedCaption("Настройки реактора, C", 1), m_c1);
    Row(capGrid, 1, m_hasC2, IndexedCaption("Настройки последовательного контура, C", 2), m_c2);
    Row(capGrid, 2, m_hasC3, IndexedCaption("Настройки параллельного контура, C", 3), m_c3);
    auto* inds = new QGroupBox(U("Индуктивности (мГн)"));
    auto* indGrid = new QGridLayout(inds);
    Row(indGrid, 0, m_hasL1, IndexedCaption("Реактора, L", 1), m_l1);
    Row(indGrid, 1, m_hasL2, IndexedCaption("Последовательного контура, L", 2), m_l2);
    Row(indGrid, 2, m_hasL3, IndexedCaption("Параллельного контура, L", 3), m_l3);
    m_l4Caption = Steady(IndexedCaption("В цепи сопротивления R, L", 4));
    Row(indGrid, 3, m_hasL4, m_l4Caption, m_l4);
    auto* rGrid = new QGridLayout;
    Row(rGrid, 0, m_hasR, new QLabel(U("Сопротивление R, (Ом)")), m_r);

    auto* head = new QFormLayout;
    head->addRow(U("Тип"), m_name);
    auto* radios = new QHBoxLayout;
    const char* names[3] = {"Схема 1", "Схема 2", "Схема 3"};
    for (int s = 0; s < 3; ++s) {
        m_scheme[s] = new QRadioButton(U(names[s]));
        m_scheme[s]->setChecked(s == m_model.m_nScheme);
        radios->addWidget(m_scheme[s]);
    }
    m_drawing = new SchemeWidget([this](int) { return TrapSchemeDrawing(m_model.m_nScheme); });
    m_drawing->setMinimumSize(300, 140);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(caps);
    layout->addWidget(inds);
    layout->addLayout(rGrid);
    layout->addLayout(radios);
    layout->addWidget(m_drawing);
    layout->addWidget(Buttons());
    ApplyViewOnly();
    ShowModel();

    auto onBox = [this](void (CZagradDlg::*handler)()) {
        return [this, handler] {
            ReadBoxes();
            (m_model.*handler)();
            ShowModel();
        };
    };
    connect(m_hasC2, &QCheckBox::clicked, this, onBox(&CZagradDlg::OnHasC2));
    connect(m_hasC3, &QCheckBox::clicked, this, onBox(&CZagradDlg::OnHasC3));
    connect(m_hasL2, &QCheckBox::clicked, this, onBox(&CZagradDlg::OnHasL2));
    connect(m_hasL3, &QCheckBox::clicked, this, onBox(&CZagradDlg::OnHasL3));
    connect(m_hasR, &QCheckBox::clicked, this, onBox(&CZagradDlg::OnHasR));
    connect(m_hasL4, &QCheckBox::clicked, this, onBox(&CZagradDlg::OnHasL4));
    bool (CZagradDlg::*schemes[3])() = {&CZagradDlg::OnScheme1, &CZagradDlg::OnScheme2, &CZagradDlg::OnScheme3};
    for (int s = 0; s < 3; ++s)
        connect(m_scheme[s], &QRadioButton::toggled, this, [this, handler = schemes[s]](bool on) {
            if (!on)
                return;
            ReadBoxes();
            if ((m_model.*handler)()) {
                ShowModel();
                m_drawing->update();
            }
        });
}

void ZagradDialog::ReadBoxes()
{
    m_model.m_bHasC2 = m_hasC2->isChecked();
    m_model.m_bHasC3 = m_hasC3->isChecked();
    m_model.m_bHasL2 = m_hasL2->isChecked();
    m_model.m_bHasL3 = m_hasL3->isChecked();
    m_model.m_bHasR = m_hasR->isChecked();
    m_model.m_bHasL4 = m_hasL4->isChecked();
}

void ZagradDialog::ShowModel()
{
    const bool view = m_model.IsViewOnly();
    m_hasC2->setChecked(m_model.m_bHasC2);
    m_hasC3->setChecked(m_model.m_bHasC3);
    m_hasL2->setChecked(m_model.m_bHasL2);
    m_hasL3->setChecked(m_model.m_bHasL3);
    m_hasR->setChecked(m_model.m_bHasR);
    m_hasL4->setChecked(m_model.m_bHasL4);
    // A trap that is only shown offers no choice.
    m_hasC2->setEnabled(m_model.m_bC2BoxEnabled && !view);
    m_hasR->setEnabled(m_model.m_bRBoxEnabled && !view);
    for (QCheckBox* box : {m_hasC3, m_hasL2, m_hasL3, m_hasL4})
        box->setEnabled(!view);
    for (int s = 0; s < 3; ++s)
        m_scheme[s]->setEnabled(!view || s == m_model.m_nScheme);
    m_c2->setVisible(m_model.m_bShowC2);
    m_c3->setVisible(m_model.m_bShowC3);
    m_l2->setVisible(m_model.m_bShowL2);
    m_l3->setVisible(m_model.m_bShowL3);
    m_r->setVisible(m_model.m_bShowR);
    m_l4->setVisible(m_model.m_bShowL4Edit);
    m_hasL4->setVisible(m_model.m_bShowL4Box);
    m_l4Caption->setVisible(m_model.m_bShowL4Box);
}

int ZagradDialog::ReadAndCheck()
{
    m_model.m_strName = m_name->text().toStdString();
    ReadBoxes();
    struct Field {
        NumericEdit* edit;
        float* value;
    };
    const Field fields[] = {{m_c1, &m_model.m_fC1}, {m_c2, &m_model.m_fC2}, {m_c3, &m_model.m_fC3},
                            {m_l1, &m_model.m_fL1}, {m_l2, &m_model.m_fL2}, {m_l3, &m_model.m_fL3},
                            {m_r, &m_model.m_fR},   {m_l4, &m_model.m_fL4}};
    // Shown values must be numbers; a hidden one keeps its value unless it
    // holds one (a negative value is refused even for an absent element).
    for (const Field& f : fields) {
        if (f.edit->isVisibleTo(this)) {
            if (!f.edit->ReadValue(*f.value))
                return kStayOpen;
        } else if (auto v = ParseNumericField(f.edit->text().toStdString())) {
            *f.value = *v;
        }
    }
    return m_model.OnOK();
}
