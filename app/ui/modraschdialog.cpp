#include "app/ui/modraschdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString U(const char* s)
{
    return QString::fromUtf8(s);
}

QString U(const std::string& s)
{
    return QString::fromStdString(s);
}

void RetainSize(QWidget* w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

} // namespace

ModRaschDialog::ModRaschDialog(CModRaschDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(U("Расчет модальных параметров"));
    m_model.OnInitDialog();

    m_caption = new QLabel;
    m_name = new QLineEdit;
    m_name->setReadOnly(true);
    m_kind = new QLabel;
    auto* head = new QHBoxLayout;
    head->addWidget(m_caption);
    head->addWidget(m_name, 1);

    m_freq = new QLineEdit;
    auto* form = new QFormLayout;
    form->addRow(U("Расчетная частота, кГц"), m_freq);
    connect(m_freq, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.m_strFreq = text.toStdString();
        m_model.OnFreqChange();
        ShowModel();
    });

    m_regen = new QCheckBox(U("Перегенерировать случайные длины пролетов"));
    connect(m_regen, &QCheckBox::toggled, this, [this](bool on) { m_model.m_bRegenSpans = on ? 1 : 0; });

    m_done = new QLabel(U("Расчет выполнен!"));
    m_done->setAlignment(Qt::AlignCenter);
    RetainSize(m_done);

    m_calc = new QPushButton(U("Рассчитать"));
    m_calc->setDefault(true);
    auto* ret = new QPushButton(U("Возврат"));
    connect(m_calc, &QPushButton::clicked, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_model.OnCalc();
        QApplication::restoreOverrideCursor();
        ShowModel();
    });
    connect(ret, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_calc);
    buttons->addWidget(ret);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_kind);
    layout->addLayout(form);
    layout->addWidget(m_regen);
    layout->addWidget(m_done);
    layout->addLayout(buttons);
    setMinimumWidth(340);
    ShowModel();
    m_freq->setText(U(m_model.m_strFreq));
}

void ModRaschDialog::ShowModel()
{
    m_caption->setText(U(m_model.m_strCaption));
    m_name->setText(U(m_model.m_strName));
    m_kind->setText(U(m_model.m_strKind));
    m_regen->setVisible(m_model.m_bRegenShown);
    m_done->setVisible(m_model.m_bDoneShown);
    m_calc->setEnabled(m_model.m_bCalcEnabled);
}
