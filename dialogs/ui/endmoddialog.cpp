#include "dialogs/ui/endmoddialog.h"

#include "dialogs/ui/buttonrow.h"
#include "dialogs/ui/drawingwidget.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/rowlist.h"
#include "dialogs/ui/uitext.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

EndModDialog::EndModDialog(CEndModDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("EndModDialog");
    setWindowTitle(U("Конец присоединенной цепи"));
    m_model.OnInitDialog();
    const bool editing = m_model.editing;
    m_name = new QLineEdit(U(m_model.name));
    m_name->setReadOnly(!editing);
    auto* radios = new QHBoxLayout;
    const char* texts[] = {"Заземлены", "Изолированы", "Нагружены"};
    for (int k = 0; k < 3; ++k) {
        m_modes[k] = new QRadioButton(U(texts[k]));
        radios->addWidget(m_modes[k]);
        connect(m_modes[k], &QRadioButton::clicked, this, [this, k] {
            m_model.OnMode(k);
            ShowModel();
        });
    }
    m_wire = new QComboBox;
    for (const std::string& s : m_model.wireItems)
        m_wire->addItem(U(s));
    m_stepper = new ListStepper;
    m_r = new QLineEdit;
    m_l = new QLineEdit;
    m_c = new QLineEdit;
    for (QLineEdit* e : {m_r, m_l, m_c})
        e->setReadOnly(!editing);
    m_list = NewRowList(0, 0);
    m_list->setMinimumSize(320, 200);
    m_list->installEventFilter(this);
    m_enter = new QPushButton(U("Ввести"));
    m_delete = new QPushButton(U("Удалить"));
    auto* ok = new QPushButton(U("OK"));
    ok->setDefault(true);
    m_cancel = new QPushButton(U("Отменить"));
    m_cancel->setVisible(editing);

    auto* form = new QFormLayout;
    form->addRow(U("Название"), m_name);
    auto* wireRow = new QHBoxLayout;
    wireRow->addWidget(m_wire, 1);
    wireRow->addWidget(m_stepper);
    auto* values = new QFormLayout;
    values->addRow(U("Провод"), wireRow);
    values->addRow(U("R, Ом"), m_r);
    m_lLabel = new QLabel(U("L, мГн"));
    m_cLabel = new QLabel(U("C, пФ"));
    values->addRow(m_lLabel, m_l);
    values->addRow(m_cLabel, m_c);
    auto* entry = new QHBoxLayout;
    entry->addWidget(m_enter);
    entry->addWidget(m_delete);
    auto* left = new QVBoxLayout;
    left->addLayout(values);
    left->addLayout(entry);
    left->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(m_list, 1);
    auto* buttons = ButtonRow({ok, m_cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(radios);
    layout->addLayout(middle);
    layout->addLayout(buttons);

    connect(m_wire, &QComboBox::currentIndexChanged, this, [this](int i) {
        ReadEdits();
        m_model.OnWireChosen(i);
        ShowModel();
    });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) {
        ReadEdits();
        m_model.OnRowClicked(row);
        ShowModel();
    });
    connect(m_stepper, &ListStepper::Stepped, this, [this](int delta) {
        ReadEdits();
        m_model.OnStep(-delta);  // the up arrow goes back to the previous wire
        const QSignalBlocker block(m_wire);
        m_wire->setCurrentIndex(m_model.wireIndex);
    });
    connect(m_enter, &QPushButton::clicked, this, [this] {
        ReadEdits();
        if (m_model.OnEnter())
            ShowModel();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.OnDelete();
        ShowModel();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowModel();
}

void EndModDialog::ReadEdits()
{
    m_model.rText = S(m_r->text());
    m_model.lText = S(m_l->text());
    m_model.cText = S(m_c->text());
}

void EndModDialog::ShowList()
{
    if (!m_model.Loaded()) {
        m_list->setRowCount(0);
        m_list->setColumnCount(0);
        return;
    }
    const std::vector<std::string> columns = m_model.Columns();
    m_list->setColumnCount(int(columns.size()));
    QStringList headers;
    for (const std::string& c : columns)
        headers << U(c);
    m_list->setHorizontalHeaderLabels(headers);
    SetColumnWidths();
    m_list->setRowCount(m_model.WireCount());
    for (int i = 0; i < m_model.WireCount(); ++i) {
        auto* no = new QTableWidgetItem(U(m_model.wireItems[std::size_t(i)]));
        no->setTextAlignment(Qt::AlignCenter);
        m_list->setItem(i, 0, no);
        const std::vector<std::string> cells = m_model.Row(i);
        for (std::size_t k = 0; k < cells.size(); ++k) {
            auto* item = new QTableWidgetItem(U(cells[k]));
            item->setTextAlignment(Qt::AlignCenter);
            m_list->setItem(i, int(k) + 1, item);
        }
    }
}

// The columns keep their shares of the list's width as the list is resized.
void EndModDialog::SetColumnWidths()
{
    const std::vector<int> widths = m_model.ColumnWidths(m_list->width());
    for (int k = 0; k < m_list->columnCount() && k < int(widths.size()); ++k)
        m_list->setColumnWidth(k, widths[std::size_t(k)]);
}

bool EndModDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::Resize)
        SetColumnWidths();
    return QDialog::eventFilter(watched, event);
}

void EndModDialog::ShowModel()
{
    const bool loaded = m_model.Loaded();
    const bool editing = m_model.editing;
    for (int k = 0; k < 3; ++k) {
        const QSignalBlocker block(m_modes[k]);
        m_modes[k]->setChecked(m_model.modeChoice == k);
        m_modes[k]->setEnabled(m_model.RadioEnabled(k));
    }
    {
        const QSignalBlocker block(m_wire);
        m_wire->setCurrentIndex(m_model.wireIndex);
    }
    m_wire->setEnabled(loaded);
    m_stepper->setEnabled(loaded);
    m_r->setEnabled(loaded);
    m_r->setText(U(m_model.rText));
    m_l->setText(U(m_model.lText));
    m_c->setText(U(m_model.cText));
    m_l->setVisible(loaded && !m_model.resistiveOnly);
    m_c->setVisible(loaded && !m_model.resistiveOnly);
    m_lLabel->setVisible(loaded && !m_model.resistiveOnly);
    m_cLabel->setVisible(loaded && !m_model.resistiveOnly);
    m_list->setEnabled(loaded);
    m_enter->setVisible(loaded && editing);
    m_delete->setVisible(loaded && editing);
    ShowList();
}

void EndModDialog::accept()
{
    m_model.name = S(m_name->text());
    ReadEdits();
    const int answer = m_model.OnOK();
    if (answer == IDOK)
        QDialog::accept();
    else if (answer == IDCANCEL)
        QDialog::reject();
}

void RegisterEndModDialog()
{
    RegisterModalDialog<EndModDialog, CEndModDlg>();
}
