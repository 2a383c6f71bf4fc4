#include "app/ui/raschetdialog.h"

#include "app/ui/modraschdialog.h"
#include "dialogs/ui/modaldialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
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

// The wait cursor for the length of a run, restored however the run ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Holds the user's input off for the length of a run.  The run processes no
// event, so clicks and keys pressed meanwhile wait in the window system's
// queue; they are fetched and dropped before the block ends, so that no
// click on "Рассчитать" or key made during a run starts another one after it.
// A message the run shows (a point that failed) is answered as usual.
class RunInputBlock : public QObject {
public:
    explicit RunInputBlock(QWidget* dialog) : m_dialog(dialog) { qApp->installEventFilter(this); }
    ~RunInputBlock() override
    {
        QGuiApplication::sync();
        QCoreApplication::processEvents();
        qApp->removeEventFilter(this);
    }
    RunInputBlock(const RunInputBlock&) = delete;
    RunInputBlock& operator=(const RunInputBlock&) = delete;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (QApplication::activeModalWidget() != m_dialog)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
            return true;
        case QEvent::Close:
            event->ignore();
            return true;
        default:
            return false;
        }
    }

private:
    QWidget* m_dialog;
};

QToolButton* ArrowButton(Qt::ArrowType type)
{
    auto* b = new QToolButton;
    b->setArrowType(type);
    b->setFixedSize(18, 12);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// A combo with its two arrow buttons stacked beside it.
QWidget* ComboWithArrows(QComboBox* combo, QToolButton* up, QToolButton* down)
{
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(1);
    h->addWidget(combo, 1);
    auto* v = new QVBoxLayout;
    v->setSpacing(0);
    v->addWidget(up);
    v->addWidget(down);
    h->addLayout(v);
    return w;
}

void RetainSize(QWidget* w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

} // namespace

RaschetDialog::RaschetDialog(CRaschetDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(U("Расчет параметров тракта"));
    m_model.OnInitDialog();

    // Connection of the transmitter and the receiver.
    auto* modeBox = new QGroupBox(U("Схема подключения"));
    auto* modeLayout = new QGridLayout(modeBox);
    const char* modeTexts[4] = {"Провод - земля", "Провод - провод", "2 провода - земля",
                                "Провод - провод с сопротивлением, Ом"};
    auto* modeGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        m_mode[i] = new QRadioButton(U(modeTexts[i]));
        modeGroup->addButton(m_mode[i], i);
        modeLayout->addWidget(m_mode[i], i, 0);
    }
    m_resistance = new QLineEdit;
    RetainSize(m_resistance);
    modeLayout->addWidget(m_resistance, 3, 1);
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int mode) {
        m_model.SetMode(mode);
        ShowModel();
    });

    auto* wiresBox = new QGroupBox(U("Провода подключения"));
    auto* wires = new QGridLayout(wiresBox);
    wires->addWidget(new QLabel(U("Первый провод")), 0, 1);
    m_secondLabel = new QLabel(U("Второй провод"));
    RetainSize(m_secondLabel);
    wires->addWidget(m_secondLabel, 0, 2);
    const char* sideTexts[2] = {"Передатчик", "Приемник"};
    for (int side = 0; side < 2; ++side) {
        wires->addWidget(new QLabel(U(sideTexts[side])), side + 1, 0);
        for (int which = 0; which < 2; ++which) {
            auto* combo = new QComboBox;
            combo->setMinimumContentsLength(10);
            m_combo[side][which] = combo;
            QToolButton* up = m_arrow[side][which][0] = ArrowButton(Qt::UpArrow);
            QToolButton* down = m_arrow[side][which][1] = ArrowButton(Qt::DownArrow);
            QWidget* cell = ComboWithArrows(combo, up, down);
            if (which == 1)
                RetainSize(cell);
            wires->addWidget(cell, side + 1, which + 1);
            connect(combo, &QComboBox::activated, this, [this, side, which](int index) {
                m_model.SelectWire(side, which, index);
                ShowModel();
            });
            for (bool isUp : {true, false})
                connect(m_arrow[side][which][isUp ? 0 : 1], &QToolButton::clicked, this, [this, side, which, isUp] {
                    m_model.SpinWire(side, which, isUp);
                    ShowModel();
                });
        }
    }

    // Frequencies.
    auto* freqBox = new QGroupBox(U("Частота"));
    auto* freqLayout = new QGridLayout(freqBox);
    auto* freqGroup = new QButtonGroup(this);
    m_freqMode[0] = new QRadioButton(U("Расчет на 1 частоте"));
    m_freqMode[1] = new QRadioButton(U("Расчет в диапазоне"));
    freqGroup->addButton(m_freqMode[0], 0);
    freqGroup->addButton(m_freqMode[1], 1);
    freqLayout->addWidget(m_freqMode[0], 0, 0, 1, 2);
    m_freqLabel = new QLabel(U("Расчетная частота, кГц"));
    m_freq = new QLineEdit;
    freqLayout->addWidget(m_freqLabel, 1, 0);
    freqLayout->addWidget(m_freq, 1, 1);
    freqLayout->addWidget(m_freqMode[1], 2, 0, 1, 2);
    m_start = new QLineEdit;
    m_end = new QLineEdit;
    m_step = new QLineEdit;
    const char* rangeTexts[3] = {"Начальная, кГц", "Конечная, кГц", "Шаг, кГц"};
    QLineEdit* rangeEdits[3] = {m_start, m_end, m_step};
    for (int i = 0; i < 3; ++i) {
        m_rangeLabels[i] = new QLabel(U(rangeTexts[i]));
        freqLayout->addWidget(m_rangeLabels[i], 3 + i, 0);
        freqLayout->addWidget(rangeEdits[i], 3 + i, 1);
    }
    connect(freqGroup, &QButtonGroup::idClicked, this, [this](int mode) {
        m_model.SetFrequencyMode(mode);
        ShowModel();
    });
    for (QLineEdit* e : {m_freq, m_start, m_end, m_step, m_resistance}) {
        e->setMinimumWidth(90);
        connect(e, &QLineEdit::textEdited, this, &RaschetDialog::OnEdited);
    }

    m_regen = new QCheckBox(U("Перегенерировать случайные длины пролетов"));
    connect(m_regen, &QCheckBox::toggled, this, [this](bool on) { m_model.m_bRegenSpans = on ? 1 : 0; });

    // The status of the last run and, during a run, the progress share a place.
    m_status = new QLabel;
    m_status->setAlignment(Qt::AlignCenter);
    m_progress = new QProgressBar;
    m_progress->setTextVisible(false);
    RetainSize(m_status);
    RetainSize(m_progress);
    auto* statusRow = new QGridLayout;
    statusRow->addWidget(m_status, 0, 0);
    statusRow->addWidget(m_progress, 0, 0);

    m_calc = new QPushButton(U("Рассчитать"));
    m_calc->setDefault(true);
    m_return = new QPushButton(U("Возврат"));
    connect(m_calc, &QPushButton::clicked, this, &RaschetDialog::OnCalc);
    connect(m_return, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_calc);
    buttons->addWidget(m_return);

    auto* top = new QHBoxLayout;
    top->addWidget(modeBox);
    top->addWidget(freqBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(wiresBox);
    layout->addWidget(m_regen);
    layout->addLayout(statusRow);
    layout->addLayout(buttons);

    m_progress->hide();
    ShowModel();
}

void RaschetDialog::ShowModel()
{
    if (m_showing)
        return;
    m_showing = true;
    const CRaschetDlg& m = m_model;
    for (int i = 0; i < 4; ++i) {
        QSignalBlocker block(m_mode[i]);
        m_mode[i]->setEnabled(m.ModeEnabled(i));
        m_mode[i]->setChecked(m.m_nMode == i);
    }
    m_resistance->setVisible(m.ResistanceShown());
    m_secondLabel->setVisible(m.SecondWiresShown());
    for (int side = 0; side < 2; ++side)
        for (int which = 0; which < 2; ++which) {
            QComboBox* combo = m_combo[side][which];
            QSignalBlocker block(combo);
            combo->clear();
            for (const WireEntry& w : m.m_Combo[side][which])
                combo->addItem(U(w.text), w.wire);
            combo->setCurrentIndex(m.m_nSel[side][which]);
            const int sel = m.m_nSel[side][which];
            const int count = combo->count();
            m_arrow[side][which][0]->setEnabled(sel > 0);
            m_arrow[side][which][1]->setEnabled(sel >= 0 && sel + 1 < count);
            if (which == 1)
                combo->parentWidget()->setVisible(m.SecondWiresShown());
        }
    for (int i = 0; i < 2; ++i) {
        QSignalBlocker block(m_freqMode[i]);
        m_freqMode[i]->setChecked(m.m_nFreqMode == i);
    }
    const bool single = m.SingleFrequencyEnabled();
    m_freqLabel->setEnabled(single);
    m_freq->setEnabled(single);
    for (QLabel* l : m_rangeLabels)
        l->setEnabled(!single);
    for (QLineEdit* e : {m_start, m_end, m_step})
        e->setEnabled(!single);
    for (auto [edit, text] : {std::pair{m_freq, &m.m_strFreq}, std::pair{m_start, &m.m_strStart},
                              std::pair{m_end, &m.m_strEnd}, std::pair{m_step, &m.m_strStep},
                              std::pair{m_resistance, &m.m_strResistance}})
        if (edit->text() != U(*text))
            edit->setText(U(*text));
    {
        QSignalBlocker block(m_regen);
        m_regen->setVisible(m.RegenerateShown());
        m_regen->setChecked(m.m_bRegenSpans != 0);
    }
    // Without wires to connect to, no run can be made: the status place
    // says why.
    const std::string missing = m.MissingWiresText();
    m_status->setText(U(missing.empty() ? m.m_strStatus : missing));
    m_status->setVisible(m.m_bStatusShown || !missing.empty());
    m_calc->setEnabled(m.CanCalculate());
    m_showing = false;
}

void RaschetDialog::OnEdited()
{
    m_model.m_strFreq = m_freq->text().toStdString();
    m_model.m_strStart = m_start->text().toStdString();
    m_model.m_strEnd = m_end->text().toStdString();
    m_model.m_strStep = m_step->text().toStdString();
    m_model.m_strResistance = m_resistance->text().toStdString();
    m_model.OnFrequencyEdited();
    ShowModel();
}

void RaschetDialog::OnCalc()
{
    m_status->hide();
    {
        RunInputBlock block(this);
        WaitCursor wait;
        // The run holds the dialog: the bar is repainted directly and no
        // event is processed until the run has ended.
        m_model.OnCalc([this](int done, int total) {
            if (!m_progress->isVisible()) {
                m_progress->setRange(0, total);
                m_progress->show();
            }
            m_progress->setValue(done);
            m_progress->repaint();
        });
    }
    m_progress->hide();
    ShowModel();
}

namespace {

int RunRaschetDialog(CRaschetDlg& model)
{
    int answer = IDCANCEL;
    {
        RaschetDialog dlg(model, DialogParent());
        answer = dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    }
    model.OnClose();
    return answer;
}

int RunModRaschDialog(CModRaschDlg& model)
{
    ModRaschDialog dlg(model, DialogParent());
    return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

} // namespace

void RegisterCalcDialogs()
{
    ModalRunner<CRaschetDlg>::Set(RunRaschetDialog);
    ModalRunner<CModRaschDlg>::Set(RunModRaschDialog);
}
