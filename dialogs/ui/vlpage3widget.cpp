#include "dialogs/ui/vlpage3widget.h"

#include "dialogs/numericfield.h"
#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/uitext.h"
#include "dialogs/vlpage3.h"
#include "platform/messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <charconv>
#include <optional>
#include <string>

namespace {

// A whole non-negative number, blanks around it allowed; nothing otherwise.
std::optional<unsigned long long> ParseCount(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    unsigned long long value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ptr != end)
        return std::nullopt;
    // Beyond the range of the number: the most that can be stored.
    return ec == std::errc::result_out_of_range ? ~0ull : value;
}

} // namespace

VLPage3Widget::VLPage3Widget(CVLPage3& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto* modeGroup = new QGroupBox(U("Учитываемые неоднородности"));
    auto* modeButtons = new QButtonGroup(this);
    const char* modeTexts[4] = {"Неоднородности не учитываются", "Учитывается влияние опор",
                                "Учитывается провисание проводов", "Учитывается транспозиция в пролете"};
    auto* modeLayout = new QVBoxLayout(modeGroup);
    for (int k = 0; k < 4; ++k) {
        m_mode[k] = new QRadioButton(U(modeTexts[k]));
        modeButtons->addButton(m_mode[k], k);
        modeLayout->addWidget(m_mode[k]);
    }

    m_matrixGroup = new QGroupBox(U("Матрица влияния опоры"));
    m_matrix = new QComboBox;
    m_matrix->setMinimumWidth(180);
    m_newMatrix = new QPushButton(U("Новая"));
    m_matrixParams = new QPushButton(U("Параметры"));
    auto* matrixLayout = new QHBoxLayout(m_matrixGroup);
    matrixLayout->addWidget(m_matrix, 1);
    matrixLayout->addWidget(m_newMatrix);
    matrixLayout->addWidget(m_matrixParams);

    m_meanSpanLabel = new QLabel(U("Средняя длина пролета, м"));
    m_meanSpan = new NumericEdit;
    m_countLabel = new QLabel;
    m_count = new QLineEdit;
    m_deviationLabel = new QLabel(U("Стандарт отклонения, м"));
    m_deviation = new NumericEdit;
    for (QLineEdit* e : {static_cast<QLineEdit*>(m_meanSpan), m_count, static_cast<QLineEdit*>(m_deviation)})
        e->setMaximumWidth(90);
    m_regen = new QCheckBox(U("Перегенерировать случайные длины пролетов"));
    auto* spans = new QGridLayout;
    spans->addWidget(m_meanSpanLabel, 0, 0);
    spans->addWidget(m_meanSpan, 0, 1);
    spans->addWidget(m_countLabel, 1, 0);
    spans->addWidget(m_count, 1, 1);
    spans->addWidget(m_deviationLabel, 2, 0);
    spans->addWidget(m_deviation, 2, 1);
    spans->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modeGroup);
    layout->addWidget(m_matrixGroup);
    layout->addLayout(spans);
    layout->addWidget(m_regen);
    layout->addStretch(1);

    connect(modeButtons, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.OnMode(id);
        ShowStates();
    });
    connect(m_count, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const auto count = ParseCount(text.toStdString())) {
            m_model.m_nSpanCount = CVLPage3::ClampSpanCount(*count);
            m_model.OnSpanCountChanged();
            ShowStates();
        }
    });
    connect(m_matrix, &QComboBox::activated, this, [this](int index) {
        m_model.OnSelchangeMatrix(index);
        FillMatrices();
    });
    connect(m_newMatrix, &QPushButton::clicked, this, [this] {
        m_model.OnNewMatrix();
        FillMatrices();
    });
    connect(m_matrixParams, &QPushButton::clicked, this, [this] {
        m_model.OnMatrixParams();
        FillMatrices();
    });
    connect(m_regen, &QCheckBox::toggled, this, [this](bool on) { m_model.m_bRegenSpans = on ? 1 : 0; });
}

void VLPage3Widget::FillMatrices()
{
    {
        const QSignalBlocker block(m_matrix);
        m_matrix->clear();
        for (const ComboEntry& e : m_model.m_matrixCombo.entries)
            m_matrix->addItem(U(e.text), e.data);
        m_matrix->setCurrentIndex(m_model.m_nMatrixChoice);
    }
    ShowStates();
}

void VLPage3Widget::Show()
{
    m_meanSpan->SetValue(m_model.m_fMeanSpan);
    m_count->setText(QString::number(m_model.m_nSpanCount));
    m_deviation->SetValue(m_model.m_fSpanDeviation);
    {
        const QSignalBlocker block(m_regen);
        m_regen->setChecked(m_model.m_bRegenSpans != 0);
    }
    const EditPolicy& policy = m_model.m_policy;
    for (QLineEdit* e : {static_cast<QLineEdit*>(m_meanSpan), m_count, static_cast<QLineEdit*>(m_deviation)})
        e->setReadOnly(policy.EditsReadOnly());
    FillMatrices();
}

void VLPage3Widget::ShowStates()
{
    const CVLPage3& m = m_model;
    for (int k = 0; k < 4; ++k) {
        m_mode[k]->setChecked(m.m_nInhomMode == k);
        m_mode[k]->setEnabled(m.m_bModeEnabled[k]);
    }
    m_mode[3]->setVisible(m.m_bMode3Shown);
    m_matrixGroup->setEnabled(m.m_bMatrixGroupEnabled);
    m_matrix->setEnabled(m.m_bMatrixComboEnabled);
    m_newMatrix->setEnabled(m.m_bNewMatrixEnabled);
    m_matrixParams->setEnabled(m.m_bMatrixParamsEnabled);
    for (QWidget* w : {static_cast<QWidget*>(m_meanSpanLabel), static_cast<QWidget*>(m_meanSpan),
                       static_cast<QWidget*>(m_countLabel), static_cast<QWidget*>(m_count)})
        w->setEnabled(m.m_bSpanEditsEnabled);
    m_countLabel->setText(U(m.m_strCountLabel));
    m_deviationLabel->setEnabled(m.m_bDeviationLabelEnabled);
    m_deviation->setEnabled(m.m_bDeviationEnabled);
    m_regen->setVisible(m.m_bRegenShown);
    m_regen->setEnabled(m.m_bRegenEnabled);
}

void VLPage3Widget::Read()
{
    bool ok = m_meanSpan->ReadValue(m_model.m_fMeanSpan) && m_deviation->ReadValue(m_model.m_fSpanDeviation);
    if (ok) {
        const auto count = ParseCount(m_count->text().toStdString());
        if (count) {
            m_model.m_nSpanCount = CVLPage3::ClampSpanCount(*count);
        } else {
            ShowMessage(kEnterNumberText, kAppName, MsgIcon::Stop);
            m_count->setFocus();
            m_count->selectAll();
            ok = false;
        }
    }
    m_model.m_bRegenSpans = m_regen->isChecked() ? 1 : 0;
    m_model.m_bControlsInvalid = !ok;
}
