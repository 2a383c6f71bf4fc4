#include "dialogs/ui/shuntdialog.h"

#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/trapcombo.h"
#include "dialogs/ui/uitext.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Builds the shared controls; wireRow holds the dialog's own wire choice.
QVBoxLayout* BuildImpedanceControls(QDialog* dlg, ImpedanceControls& c, const EditPolicy& policy, int kind,
                                    const char* zeroText, QLayout* wireRow, QWidget* extra)
{
    c.name = new QLineEdit;
    c.name->setReadOnly(policy.EditsReadOnly());
    c.circuitKind = new QRadioButton(U("Затупленный контур"));
    c.trapKind = new QRadioButton(U("Заградитель"));
    auto* group = new QButtonGroup(dlg);
    group->addButton(c.circuitKind, 0);
    group->addButton(c.trapKind, 1);
    (kind == 1 ? c.trapKind : c.circuitKind)->setChecked(true);
    c.circuitKind->setEnabled(policy.RadioEnabled(kind == 0));
    c.trapKind->setEnabled(policy.RadioEnabled(kind == 1));
    c.rLabel = new QLabel(U("R,Ом"));
    c.lLabel = new QLabel(U("L,мГн"));
    c.cLabel = new QLabel(U("C,пФ"));
    c.r = new QLineEdit;
    c.l = new QLineEdit;
    c.c = new QLineEdit;
    for (QLineEdit* e : {c.r, c.l, c.c})
        e->setReadOnly(policy.EditsReadOnly());
    c.zeroBox = new QCheckBox(U(zeroText));
    c.trap = new QComboBox;
    c.trap->setMinimumWidth(180);
    c.newTrap = new QPushButton(U("Новый"));
    c.trapParams = new QPushButton(U("Параметры"));
    c.enter = new QPushButton(U("Ввести"));
    c.remove = new QPushButton(U("Удалить"));
    c.enter->setVisible(policy.EntryButtonsShown());
    c.remove->setVisible(policy.EntryButtonsShown());
    c.list = NewReportTable(480, 180);
    c.cancel = new QPushButton(U("Отменить"));
    c.cancel->setVisible(policy.CancelShown());
    auto* ok = new QPushButton(U("OK"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dlg, &QDialog::accept);
    QObject::connect(c.cancel, &QPushButton::clicked, dlg, &QDialog::reject);

    auto* top = new QHBoxLayout;
    auto* nameForm = new QFormLayout;
    nameForm->addRow(U("Название"), c.name);
    top->addLayout(nameForm, 1);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(c.circuitKind);
    kinds->addWidget(c.trapKind);
    kinds->addStretch();
    auto* rlc = new QGridLayout;
    rlc->addWidget(c.rLabel, 0, 0);
    rlc->addWidget(c.r, 0, 1);
    rlc->addWidget(c.lLabel, 0, 2);
    rlc->addWidget(c.l, 0, 3);
    rlc->addWidget(c.cLabel, 0, 4);
    rlc->addWidget(c.c, 0, 5);
    rlc->addWidget(c.zeroBox, 0, 6);
    auto* trapRow = new QHBoxLayout;
    trapRow->addWidget(new QLabel(U("Заградитель")));
    trapRow->addWidget(c.trap, 1);
    trapRow->addWidget(c.newTrap);
    trapRow->addWidget(c.trapParams);
    auto* entry = new QHBoxLayout;
    entry->addStretch();
    entry->addWidget(c.enter);
    entry->addWidget(c.remove);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(c.cancel);
    auto* layout = new QVBoxLayout(dlg);
    layout->addLayout(top);
    if (extra)
        layout->addWidget(extra);
    layout->addLayout(kinds);
    layout->addLayout(wireRow);
    layout->addLayout(rlc);
    layout->addLayout(trapRow);
    layout->addLayout(entry);
    layout->addWidget(c.list, 1);
    layout->addLayout(buttons);
    return layout;
}

// The kind's control states: R, L, C for circuits, the trap controls for traps.
void ShowKindControls(ImpedanceControls& c, int kind, bool rlcEnabled, const TrapChoice& traps,
                      const EditPolicy& policy)
{
    for (QWidget* w : std::initializer_list<QWidget*>{c.rLabel, c.lLabel, c.cLabel})
        w->setEnabled(kind == 0);
    for (QLineEdit* e : {c.r, c.l, c.c})
        e->setEnabled(rlcEnabled);
    c.zeroBox->setVisible(kind == 0);
    c.zeroBox->setEnabled(policy.ChecksEnabled());
    c.trap->setEnabled(kind == 1 && policy.CombosEnabled());
    c.newTrap->setEnabled(kind == 1 && traps.NewEnabled());
    c.trapParams->setEnabled(kind == 1 && traps.paramsEnabled);
}

int KindChosen(const ImpedanceControls& c)
{
    return c.trapKind->isChecked() ? 1 : 0;
}

// Wires the controls both impedance dialogs handle alike: the trap choice and
// its two buttons, the enter and delete buttons and the list. Each reads the
// controls into the model, runs the model's handler and shows the result; an
// entry the model refuses is not redrawn.
template <class Model, class Read, class Show>
void ConnectTrapAndList(QDialog* dlg, const ImpedanceControls& c, Model& model, Read read, Show show,
                        bool (Model::*enter)(), void (Model::*remove)(), void (Model::*pick)(int))
{
    QObject::connect(c.trap, &QComboBox::activated, dlg, [&model, read, show](int i) {
        read();
        model.OnSelchangeTrap(i);
        show();
    });
    QObject::connect(c.newTrap, &QPushButton::clicked, dlg, [&model, read, show] {
        read();
        model.OnNewTrap();
        show();
    });
    QObject::connect(c.trapParams, &QPushButton::clicked, dlg, [&model, read, show] {
        read();
        model.OnTrapParams();
        show();
    });
    QObject::connect(c.enter, &QPushButton::clicked, dlg, [&model, read, show, enter] {
        read();
        if ((model.*enter)())
            show();
    });
    QObject::connect(c.remove, &QPushButton::clicked, dlg, [&model, read, show, remove] {
        read();
        (model.*remove)();
        show();
    });
    QObject::connect(c.list, &QTableWidget::cellClicked, dlg, [&model, read, show, pick](int row, int) {
        read();
        (model.*pick)(row);
        show();
    });
}

} // namespace

ShuntDialog::ShuntDialog(CShuntDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("ShuntDialog");
    setWindowTitle(U(kShuntDialogCaption));
    m_model.OnInitDialog();
    const EditPolicy policy = m_model.Policy();
    m_useCequiv = new QCheckBox(U("Учитывать эквивалентную емкость подстанции Сэкв,пФ"));
    m_useCequiv->setEnabled(policy.ChecksEnabled());
    m_cequiv = new QLineEdit;
    m_cequiv->setReadOnly(policy.EditsReadOnly());
    auto* cequiv = new QWidget;
    auto* cequivRow = new QHBoxLayout(cequiv);
    cequivRow->setContentsMargins(0, 0, 0, 0);
    cequivRow->addWidget(m_useCequiv);
    cequivRow->addWidget(m_cequiv);
    cequivRow->addStretch();
    m_wire1 = new QComboBox;
    m_wire2 = new QComboBox;
    for (const std::string& label : m_model.wireLabels) {
        m_wire1->addItem(U(label));
        m_wire2->addItem(U(label));
    }
    m_wire2->addItem(U(kGroundLabel));
    m_wire1->setEnabled(policy.CombosEnabled());
    m_wire2->setEnabled(policy.CombosEnabled());
    auto* wires = new QHBoxLayout;
    wires->addWidget(new QLabel(U("Между проводом")));
    wires->addWidget(m_wire1);
    wires->addWidget(new QLabel(U("и")));
    wires->addWidget(m_wire2);
    wires->addStretch();
    BuildImpedanceControls(this, m_c, policy, m_model.m_nKind, "Короткое замыкание", wires, cequiv);
    m_c.name->setText(U(m_model.m_strName));
    m_useCequiv->setChecked(m_model.m_bUseCequiv);
    m_cequiv->setText(U(m_model.cequivText));

    connect(m_useCequiv, &QCheckBox::clicked, this, [this](bool on) {
        m_model.OnUseCequiv(on);
        m_cequiv->setEnabled(on);
    });
    auto onKind = [this] {
        ReadControls();
        m_model.OnKind(KindChosen(m_c));
        Refresh();
    };
    connect(m_c.circuitKind, &QRadioButton::clicked, this, onKind);
    connect(m_c.trapKind, &QRadioButton::clicked, this, onKind);
    auto onWires = [this] {
        ReadControls();
        m_model.OnSelchangeWires();
        Refresh();
    };
    connect(m_wire1, &QComboBox::activated, this, onWires);
    connect(m_wire2, &QComboBox::activated, this, onWires);
    connect(m_c.zeroBox, &QCheckBox::clicked, this, [this](bool on) {
        ReadControls();
        m_model.OnShortCircuit(on);
        Refresh();
    });
    ConnectTrapAndList(this, m_c, m_model, [this] { ReadControls(); }, [this] { Refresh(); },
                       &CShuntDlg::OnEnterShunt, &CShuntDlg::OnDeleteShunt, &CShuntDlg::OnClickShuntList);
    resize(620, 480);
    Refresh();
}

void ShuntDialog::ReadControls()
{
    m_model.m_strName = S(m_c.name->text());
    m_model.rText = S(m_c.r->text());
    m_model.lText = S(m_c.l->text());
    m_model.cText = S(m_c.c->text());
    m_model.cequivText = S(m_cequiv->text());
    m_model.m_bUseCequiv = m_useCequiv->isChecked() ? 1 : 0;
    m_model.m_bShort = m_c.zeroBox->isChecked() ? 1 : 0;
    m_model.m_nWire1 = m_wire1->currentIndex();
    m_model.m_nWire2 = m_wire2->currentIndex();
}

void ShuntDialog::Refresh()
{
    const EditPolicy policy = m_model.Policy();
    {
        const QSignalBlocker b1(m_wire1), b2(m_wire2);
        m_wire1->setCurrentIndex(m_model.m_nWire1 < m_model.m_nWires ? m_model.m_nWire1 : -1);
        m_wire2->setCurrentIndex(m_model.m_nWire2);
    }
    m_cequiv->setEnabled(m_model.m_bUseCequiv);
    m_c.r->setText(U(m_model.rText));
    m_c.l->setText(U(m_model.lText));
    m_c.c->setText(U(m_model.cText));
    m_c.zeroBox->setChecked(m_model.m_bShort);
    ShowTrapCombo(m_c.trap, m_model.traps);
    ShowKindControls(m_c, m_model.m_nKind, m_model.RlcEnabled(), m_model.traps, policy);
    if (m_model.m_nKind == 0)
        m_c.trap->setCurrentIndex(-1);
    m_c.remove->setEnabled(m_model.deleteEnabled);
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < m_model.Rows(); ++i)
        rows.push_back(m_model.Row(i));
    ShowTable(m_c.list, m_model.BuildShuntColumns(std::max(m_c.list->width(), 480)), rows);
    if (m_model.m_nCurShunt < m_model.Rows())
        m_c.list->selectRow(m_model.m_nCurShunt);
}

void ShuntDialog::accept()
{
    ReadControls();
    const int answer = m_model.OnOK();
    if (answer == IDOK)
        QDialog::accept();
    else if (answer == IDCANCEL)
        QDialog::reject();
}

PoslSoprDialog::PoslSoprDialog(CPoslSoprDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("PoslSoprDialog");
    setWindowTitle(U(kSeriesDialogCaption));
    m_model.OnInitDialog();
    const EditPolicy policy = m_model.Policy();
    m_wire = new QComboBox;
    for (const std::string& label : m_model.wireLabels)
        m_wire->addItem(U(label));
    auto* wires = new QHBoxLayout;
    wires->addWidget(new QLabel(U("В проводе")));
    wires->addWidget(m_wire);
    wires->addStretch();
    BuildImpedanceControls(this, m_c, policy, m_model.m_nKind, "Обрыв", wires, nullptr);
    m_c.name->setText(U(m_model.m_strName));

    auto onKind = [this] {
        ReadControls();
        m_model.OnKind(KindChosen(m_c));
        Refresh();
    };
    connect(m_c.circuitKind, &QRadioButton::clicked, this, onKind);
    connect(m_c.trapKind, &QRadioButton::clicked, this, onKind);
    connect(m_wire, &QComboBox::activated, this, [this](int i) {
        ReadControls();
        m_model.OnSelchangeWire(i);
        Refresh();
    });
    connect(m_c.zeroBox, &QCheckBox::clicked, this, [this](bool on) {
        ReadControls();
        m_model.OnOpenWire(on);
        Refresh();
    });
    ConnectTrapAndList(this, m_c, m_model, [this] { ReadControls(); }, [this] { Refresh(); },
                       &CPoslSoprDlg::OnEnter, &CPoslSoprDlg::OnDelete, &CPoslSoprDlg::OnClickList);
    resize(600, 460);
    Refresh();
}

void PoslSoprDialog::ReadControls()
{
    m_model.m_strName = S(m_c.name->text());
    m_model.rText = S(m_c.r->text());
    m_model.lText = S(m_c.l->text());
    m_model.cText = S(m_c.c->text());
    m_model.m_bOpen = m_c.zeroBox->isChecked() ? 1 : 0;
}

void PoslSoprDialog::Refresh()
{
    {
        const QSignalBlocker blocker(m_wire);
        m_wire->setCurrentIndex(m_model.m_nCurWire);
    }
    m_c.r->setText(U(m_model.rText));
    m_c.l->setText(U(m_model.lText));
    m_c.c->setText(U(m_model.cText));
    m_c.zeroBox->setChecked(m_model.m_bOpen);
    ShowTrapCombo(m_c.trap, m_model.traps);
    ShowKindControls(m_c, m_model.m_nKind, m_model.RlcEnabled(), m_model.traps, m_model.Policy());
    if (m_model.m_nKind == 0)
        m_c.trap->setCurrentIndex(-1);
    m_c.remove->setEnabled(m_model.deleteEnabled);
    std::vector<std::vector<std::string>> rows;
    for (int w = 0; w < m_model.m_nWires; ++w)
        rows.push_back(m_model.Row(w));
    ShowTable(m_c.list, m_model.BuildColumns(std::max(m_c.list->width(), 480)), rows);
    m_c.list->selectRow(m_model.m_nCurWire);
}

void PoslSoprDialog::accept()
{
    ReadControls();
    const int answer = m_model.OnOK();
    if (answer == IDOK)
        QDialog::accept();
    else if (answer == IDCANCEL)
        QDialog::reject();
}

void RegisterImpedanceDialogs()
{
    ModalRunner<CShuntDlg>::Set([](CShuntDlg& model) {
        ShuntDialog dlg(model, DialogParent());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
    ModalRunner<CPoslSoprDlg>::Set([](CPoslSoprDlg& model) {
        PoslSoprDialog dlg(model, DialogParent());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}
