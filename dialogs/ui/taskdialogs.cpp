#include "dialogs/ui/taskdialogs.h"

#include "dialogs/ui/modaldialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString U(const char* s)
{
    return QString::fromUtf8(s);
}

QString U(const std::string& s)
{
    return QString::fromStdString(s);
}

QDialogButtonBox* Buttons(QDialog* dlg, const char* okText)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setText(U(okText));
    box->button(QDialogButtonBox::Cancel)->setText(U("Отменить"));
    QObject::connect(box, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    return box;
}

QGroupBox* CurrentTypeGroup(QRadioButton*& ac, QRadioButton*& dc)
{
    auto* group = new QGroupBox(U("Расчет в цепях"));
    ac = new QRadioButton(U("Переменного тока "));
    dc = new QRadioButton(U("Постоянного тока"));
    auto* l = new QHBoxLayout(group);
    l->addWidget(ac);
    l->addWidget(dc);
    return group;
}

// The title, the AC/DC radios and the two counts, shared by both dialogs;
// counts receives the form of the counts for further rows.
QVBoxLayout* CommonLayout(QDialog* dlg, QLineEdit* title, QRadioButton*& ac, QRadioButton*& dc, QLabel* countLabel,
                          QWidget* circuits, QWidget* ground, QFormLayout*& counts)
{
    auto* form = new QFormLayout;
    form->addRow(U("Заголовок задачи  "), title);
    auto* layout = new QVBoxLayout(dlg);
    layout->addLayout(form);
    layout->addWidget(CurrentTypeGroup(ac, dc));
    counts = new QFormLayout;
    counts->addRow(countLabel, circuits);
    counts->addRow(U("тросов ВЛ (экранов КЛ)"), ground);
    layout->addLayout(counts);
    return layout;
}

// Calls onType with 0 (AC) or 1 (DC) when one of the two radios becomes checked.
template <class F>
void OnCurrentTypeChosen(QObject* context, QRadioButton* ac, QRadioButton* dc, F onType)
{
    QObject::connect(ac, &QRadioButton::toggled, context, [onType](bool on) {
        if (on)
            onType(0);
    });
    QObject::connect(dc, &QRadioButton::toggled, context, [onType](bool on) {
        if (on)
            onType(1);
    });
}

} // namespace

ZadachaDialog::ZadachaDialog(CZadachaDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("ZadachaDialog");
    setWindowTitle(U("Базовые данные задачи"));
    m_title = new QLineEdit;
    m_countLabel = new QLabel;
    m_circuits = new QSpinBox;
    m_ground = new QSpinBox;
    m_pathLabel = new QLabel(U("Наличие ВФ или ВТ тракта"));
    m_path = new QComboBox;

    QFormLayout* counts = nullptr;
    QVBoxLayout* layout = CommonLayout(this, m_title, m_ac, m_dc, m_countLabel, m_circuits, m_ground, counts);
    counts->addRow(m_pathLabel, m_path);
    layout->addWidget(Buttons(this, "Сохранить"));

    m_model.OnInitDialog();
    ShowModel();

    OnCurrentTypeChosen(this, m_ac, m_dc, [this](int type) {
        ReadControls();
        m_model.m_nCurrentType = type;
        m_model.OnCurrentTypeChanged();
        ShowModel();
    });
    for (QSpinBox* spin : {m_circuits, m_ground})
        connect(spin, &QSpinBox::valueChanged, this, [this] {
            ReadControls();
            m_model.OnCountChanged();
            ShowModel();
        });
}

void ZadachaDialog::ShowModel()
{
    const QSignalBlocker b1(m_ac), b2(m_dc), b3(m_circuits), b4(m_ground), b5(m_path);
    m_title->setText(U(m_model.m_strTitleEdit));
    m_title->setReadOnly(m_model.m_bTitleReadOnly);
    m_ac->setChecked(m_model.m_nCurrentType == 0);
    m_dc->setChecked(m_model.m_nCurrentType == 1);
    m_ac->setEnabled(m_model.m_bAcEnabled);
    m_dc->setEnabled(m_model.m_bDcEnabled);
    m_countLabel->setText(U(m_model.m_strCountLabel));
    m_circuits->setRange(1, m_model.m_nCircuitsMax);
    m_ground->setRange(0, m_model.m_nGroundMax);
    m_circuits->setValue(m_model.m_nCircuitsEdit);
    m_ground->setValue(m_model.m_nGroundEdit);
    for (QSpinBox* spin : {m_circuits, m_ground}) {
        spin->setReadOnly(!m_model.m_bCountsEditable);
        spin->setButtonSymbols(m_model.m_bCountsEditable ? QAbstractSpinBox::UpDownArrows
                                                         : QAbstractSpinBox::NoButtons);
    }
    m_path->clear();
    for (const std::string& item : m_model.m_pathItems)
        m_path->addItem(U(item));
    m_path->setCurrentIndex(m_model.m_nPathChoice);
    m_path->setEnabled(m_model.m_bPathEnabled);
    m_path->setVisible(m_model.m_bPathShown);
    m_pathLabel->setVisible(m_model.m_bPathShown);
}

void ZadachaDialog::ReadControls()
{
    m_model.m_strTitleEdit = m_title->text().toStdString();
    m_model.m_nCircuitsEdit = m_circuits->value();
    m_model.m_nGroundEdit = m_ground->value();
    m_model.m_nPathChoice = m_path->currentIndex();
}

void ZadachaDialog::accept()
{
    ReadControls();
    if (m_model.OnOK())
        QDialog::accept();
}

ZadachaDopDialog::ZadachaDopDialog(CZadachaDopDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("ZadachaDopDialog");
    setWindowTitle(U("Базовые данные задачи"));
    m_title = new QLineEdit;
    m_countLabel = new QLabel;
    m_circuits = new QSpinBox;
    // The counts change only through the arrows; the ground wires follow.
    if (auto* edit = m_circuits->findChild<QLineEdit*>())
        edit->setReadOnly(true);
    m_ground = new QLineEdit;
    m_ground->setReadOnly(true);

    QFormLayout* counts = nullptr;
    QVBoxLayout* layout = CommonLayout(this, m_title, m_ac, m_dc, m_countLabel, m_circuits, m_ground, counts);
    layout->addWidget(new QLabel(U("Внутрифазного (внутритросового) тракта НЕТ ")));
    layout->addWidget(Buttons(this, "Продолжить"));

    m_model.OnInitDialog();
    ShowModel();

    OnCurrentTypeChosen(this, m_ac, m_dc, [this](int type) {
        m_model.m_nCurrentType = type;
        m_model.OnCurrentTypeChanged();
        ShowModel();
    });
    connect(m_circuits, &QSpinBox::valueChanged, this, [this](int v) {
        m_model.m_nCircuitsEdit = v;
        m_model.OnCountChanged();
        ShowModel();
    });
}

void ZadachaDopDialog::ShowModel()
{
    const QSignalBlocker b1(m_ac), b2(m_dc), b3(m_circuits);
    m_title->setText(U(m_model.m_strTitleEdit));
    m_ac->setChecked(m_model.m_nCurrentType == 0);
    m_dc->setChecked(m_model.m_nCurrentType == 1);
    m_ac->setEnabled(m_model.m_bAcEnabled);
    m_dc->setEnabled(m_model.m_bDcEnabled);
    m_countLabel->setText(U(m_model.m_strCountLabel));
    m_circuits->setRange(std::min(m_model.m_nCircuitsMin, m_model.m_nCircuitsEdit),
                         std::max(m_model.m_nCircuitsMax, m_model.m_nCircuitsEdit));
    m_circuits->setValue(m_model.m_nCircuitsEdit);
    m_ground->setText(QString::number(m_model.m_nGroundEdit));
}

void ZadachaDopDialog::accept()
{
    m_model.m_strTitleEdit = m_title->text().toStdString();
    if (m_model.OnOK())
        QDialog::accept();
}

void RegisterTaskDialogs()
{
    ModalRunner<CZadachaDlg>::Set([](CZadachaDlg& model) {
        ZadachaDialog dlg(model, DialogParent());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
    ModalRunner<CZadachaDopDlg>::Set([](CZadachaDopDlg& model) {
        ZadachaDopDialog dlg(model, DialogParent());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}
