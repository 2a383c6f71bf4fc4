#include "catalog/ui/wiredialogs.h"

#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/uitext.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// An edit followed by the power-of-ten statics "*10" and the exponent.
QWidget* WithPowerOfTen(QLineEdit* edit, const char* exponent)
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit);
    row->addWidget(new QLabel(U("*10")));
    auto* power = new QLabel(U(exponent));
    power->setAlignment(Qt::AlignTop);
    QFont small = power->font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    power->setFont(small);
    row->addWidget(power);
    return box;
}

} // namespace

ProvodDialog::ProvodDialog(CProvodDlg& model, QWidget* parent)
    : ItemEditorDialog(model, model.Caption(), parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("ProvodDialog");
    m_name = TextEdit(m_model.m_strName);
    m_diameter = NumberEdit(m_model.m_fDiameter);
    m_twist = NumberEdit(m_model.m_fTwist);
    m_resistivity = NumberEdit(m_model.m_fResistivity);
    auto* form = new QFormLayout;
    form->addRow(U("Тип"), m_name);
    form->addRow(U("Диаметр провода (мм)"), m_diameter);
    form->addRow(U("Коэффициент скрутки"), m_twist);
    form->addRow(U("Удельное сопротивление (Ом*м)"), WithPowerOfTen(m_resistivity, "-8"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Buttons());
    ApplyViewOnly();
}

int ProvodDialog::ReadAndCheck()
{
    m_model.m_strName = m_name->text().toStdString();
    if (!m_diameter->ReadValue(m_model.m_fDiameter) || !m_twist->ReadValue(m_model.m_fTwist) ||
        !m_resistivity->ReadValue(m_model.m_fResistivity))
        return kStayOpen;
    return m_model.OnOK();
}

KabTvDialog::KabTvDialog(CKabTvDlg& model, QWidget* parent)
    : ItemEditorDialog(model, "Кабель в твердой изоляции", parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("KabTvDialog");
    m_name = TextEdit(m_model.m_strName);
    auto* top = new QFormLayout;
    top->addRow(U("Тип"), m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    auto* groups = new QGridLayout;
    QFormLayout* form = nullptr;
    const char* group = nullptr;
    int groupIndex = -1;
    for (int i = 0; i < CKabTvDlg::kFields; ++i) {
        const KabTvField& f = CKabTvDlg::kTable[std::size_t(i)];
        if (group == nullptr || std::string(group) != f.group) {
            group = f.group;
            ++groupIndex;
            auto* box = new QGroupBox(U(f.group));
            form = new QFormLayout(box);
            groups->addWidget(box, groupIndex / 2, groupIndex % 2);
        }
        m_values[std::size_t(i)] = NumberEdit(m_model.m_fValues[std::size_t(i)]);
        QWidget* field = m_values[std::size_t(i)];
        if (f.factor == 1e-8)
            field = WithPowerOfTen(m_values[std::size_t(i)], "-8");
        form->addRow(U(f.label), field);
    }
    layout->addLayout(groups);
    layout->addWidget(Buttons());
    ApplyViewOnly();
}

int KabTvDialog::ReadAndCheck()
{
    m_model.m_strName = m_name->text().toStdString();
    for (int i = 0; i < CKabTvDlg::kFields; ++i)
        if (!m_values[std::size_t(i)]->ReadValue(m_model.m_fValues[std::size_t(i)]))
            return kStayOpen;
    return m_model.OnOK();
}

KabTrDialog::KabTrDialog(CKabTrDlg& model, QWidget* parent)
    : ItemEditorDialog(model, "Кабль в стальной трубе", parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("KabTrDialog");
    m_name = TextEdit(m_model.m_strName);
    m_diameter = NumberEdit(m_model.m_fDiameter);
    auto* form = new QFormLayout;
    form->addRow(U("Тип"), m_name);
    form->addRow(U("Диаметр жилы (мм)"), m_diameter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Buttons());
    ApplyViewOnly();
}

int KabTrDialog::ReadAndCheck()
{
    m_model.m_strName = m_name->text().toStdString();
    if (!m_diameter->ReadValue(m_model.m_fDiameter))
        return kStayOpen;
    return m_model.OnOK();
}

VchKabDialog::VchKabDialog(CVchKabDlg& model, QWidget* parent)
    : ItemEditorDialog(model, "ВЧ кабель", parent), m_model(model)
{
    m_model.OnInitDialog();
    setObjectName("VchKabDialog");
    m_name = TextEdit(m_model.m_strName);
    m_attenuation = NumberEdit(m_model.m_fAttenuation);
    m_speed = NumberEdit(m_model.m_fSpeed);
    m_impedance = NumberEdit(m_model.m_fImpedance);
    auto* form = new QFormLayout;
    form->addRow(U("Тип"), m_name);
    form->addRow(U("Коэффициент затухания, дб/(м*sqrt(кГц))"), m_attenuation);
    form->addRow(U("Скорость распространения, м/сек"), WithPowerOfTen(m_speed, "8"));
    form->addRow(U("Волновое сопротивление, Ом"), m_impedance);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Buttons());
    ApplyViewOnly();
}

int VchKabDialog::ReadAndCheck()
{
    m_model.m_strName = m_name->text().toStdString();
    if (!m_attenuation->ReadValue(m_model.m_fAttenuation) || !m_speed->ReadValue(m_model.m_fSpeed) ||
        !m_impedance->ReadValue(m_model.m_fImpedance))
        return kStayOpen;
    return m_model.OnOK();
}
