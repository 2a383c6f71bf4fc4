#include "catalog/ui/filtrdialog.h"

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
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kSchemeAreaWidth = 520;

} // namespace

FiltrDialog::FiltrDialog(CFiltrDlg& model, QWidget* parent)
    : ItemEditorDialog(model, "Фильтр присоединения", parent), m_model(model)
{
    setObjectName("FiltrDialog");
    m_model.OnInitDialog();
    m_name = TextEdit(m_model.m_strName);
    m_type = new QSpinBox;
    m_type->setRange(1, 7);
    m_type->setValue(m_model.m_nType);
    for (int e = 0; e < kFiltrElements; ++e) {
        m_box[std::size_t(e)] = Steady(new QCheckBox);
        m_edit[std::size_t(e)] = Steady(NumberEdit(m_model.m_fValue[std::size_t(e)]));
    }

    // One group of rows per kind of element: box, letter and number, edit.
    auto group = [this](const char* title, int first, int last) {
        auto* box = new QGroupBox(U(title));
        auto* grid = new QGridLayout(box);
        for (int e = first; e <= last; ++e) {
            const int row = e - first;
            m_caption[std::size_t(e)] = Steady(IndexedCaption(FiltrElementLetter(e), FiltrElementNumber(e)));
            grid->addWidget(m_box[std::size_t(e)], row, 0);
            grid->addWidget(m_caption[std::size_t(e)], row, 1);
            grid->addWidget(m_edit[std::size_t(e)], row, 2);
        }
        grid->setRowStretch(last - first + 1, 1);
        return box;
    };
    auto* groups = new QHBoxLayout;
    groups->addWidget(group("Емкости (пФ)", kFC1, kFC6));
    groups->addWidget(group("Индуктивности (мГн)", kFL1, kFL6));
    m_resistorsGroup = Steady(group("Сопротивления (Ом)", kFR1, kFR5));
    groups->addWidget(m_resistorsGroup);

    auto* head = new QFormLayout;
    head->addRow(U("Наименование"), m_name);
    head->addRow(U("Тип"), m_type);

    auto* extra = new QGridLayout;
    m_caption[kFR] = Steady(new QLabel(U("Сопротивление R, Ом")));
    extra->addWidget(m_caption[kFR], 0, 0);
    extra->addWidget(m_box[kFR], 0, 1);
    extra->addWidget(m_edit[kFR], 0, 2);
    m_ratioLabel = new QLabel;
    m_caption[kFRatio] = m_ratioLabel;
    extra->addWidget(m_ratioLabel, 1, 0);
    extra->addWidget(m_box[kFRatio], 1, 1);
    extra->addWidget(m_edit[kFRatio], 1, 2);

    m_scheme = new SchemeWidget([this](int width) { return FiltrSchemeDrawing(m_model.m_nType, width); });
    m_scheme->setMinimumSize(kSchemeAreaWidth, 150);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(groups);
    layout->addLayout(extra);
    layout->addWidget(m_scheme);
    layout->addWidget(Buttons());

    ApplyViewOnly();
    m_name->setReadOnly(m_model.IsViewOnly());
    m_type->setReadOnly(!m_model.TypeEditable());
    m_type->setButtonSymbols(m_model.TypeEditable() ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
    ShowModel();

    connect(m_type, &QSpinBox::valueChanged, this, [this] {
        ReadControls();
        m_model.OnChangeType();
        ShowModel();
        m_scheme->update();
    });
    for (int e = 0; e < kFiltrElements; ++e)
        connect(m_box[std::size_t(e)], &QCheckBox::clicked, this, [this, e] {
            ReadControls();
            m_model.OnCheckElement(e);
            ShowModel();
        });
}

void FiltrDialog::ReadControls()
{
    m_model.m_strName = m_name->text().toStdString();
    m_model.m_nType = m_type->value();
    for (int e = 0; e < kFiltrElements; ++e) {
        const std::size_t i = std::size_t(e);
        if (auto v = ParseNumericField(m_edit[i]->text().toStdString()))
            m_model.m_fValue[i] = *v;
        m_model.m_bPresent[i] = m_box[i]->isChecked() ? 1 : 0;
    }
}

void FiltrDialog::ShowModel()
{
    const QSignalBlocker block(m_type);
    m_type->setValue(m_model.m_nType);
    m_ratioLabel->setText(FromUtf8(m_model.m_strRatioLabel));
    bool anyResistor = false;
    for (int e = 0; e < kFiltrElements; ++e) {
        const std::size_t i = std::size_t(e);
        m_box[i]->setChecked(m_model.m_bPresent[i] != 0);
        m_box[i]->setEnabled(m_model.m_bBoxEnabled[i]);
        m_box[i]->setVisible(m_model.m_bBoxShown[i]);
        m_caption[i]->setVisible(m_model.m_bBoxShown[i]);
        m_edit[i]->setVisible(m_model.m_bEditShown[i]);
        if (e >= kFR1 && e <= kFR5)
            anyResistor = anyResistor || m_model.m_bBoxShown[i];
    }
    m_resistorsGroup->setVisible(anyResistor);
}

int FiltrDialog::ReadAndCheck()
{
    m_model.m_strName = m_name->text().toStdString();
    m_model.m_nType = m_type->value();
    for (int e = 0; e < kFiltrElements; ++e) {
        const std::size_t i = std::size_t(e);
        m_model.m_bPresent[i] = m_box[i]->isChecked() ? 1 : 0;
        // Every shown value must be a number; hidden ones keep theirs.
        if (m_edit[i]->isVisibleTo(this)) {
            if (!m_edit[i]->ReadValue(m_model.m_fValue[i]))
                return kStayOpen;
        } else if (auto v = ParseNumericField(m_edit[i]->text().toStdString())) {
            m_model.m_fValue[i] = *v;
        }
    }
    return m_model.OnOK();
}
