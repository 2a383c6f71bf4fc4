#include "catalog/ui/oporadialog.h"

#include "dialogs/ui/rowlist.h"
#include "dialogs/ui/uitext.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidgetItem* Cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(FromUtf8(text));
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

OporaDialog::OporaDialog(COporaDlg& model, QWidget* parent)
    : ItemEditorDialog(model, "Опора", parent), m_model(model)
{
    setObjectName("OporaDialog");
    m_model.OnInitDialog();
    m_name = TextEdit(m_model.m_strName);
    m_count = new QSpinBox;
    m_count->setRange(1, COporaDlg::kMaxPoints);
    m_point = new QSpinBox;
    m_x = new QLineEdit;
    m_h = new QLineEdit;
    m_enter = new QPushButton(U("Ввести"));
    m_delete = new QPushButton(U("Удалить"));
    m_insert = new QPushButton(U("Вставить до"));
    m_list = NewRowList(0, 3);
    m_list->setHorizontalHeaderLabels({U("No"), U("Х,м"), U("Н,м")});
    m_list->horizontalHeader()->setStretchLastSection(true);
    // Six points (a double-circuit tower) are seen without scrolling.
    m_list->setMinimumHeight(m_list->horizontalHeader()->sizeHint().height() +
                             m_list->verticalHeader()->defaultSectionSize() * 6 + 2 * m_list->frameWidth() + 2);

    auto* form = new QFormLayout;
    form->addRow(U("Тип"), m_name);
    form->addRow(U("Число проводов"), m_count);
    auto* point = new QGridLayout;
    point->addWidget(new QLabel(U("Координаты продвески")), 0, 1, 1, 2);
    point->addWidget(m_point, 1, 0);
    point->addWidget(m_x, 1, 1);
    point->addWidget(m_h, 1, 2);
    point->addWidget(m_enter, 2, 0);
    point->addWidget(m_delete, 2, 1);
    point->addWidget(m_insert, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(point);
    layout->addWidget(m_list);
    layout->addWidget(Buttons());

    const bool view = m_model.IsViewOnly();
    m_enter->setVisible(!view);
    m_delete->setVisible(!view);
    m_insert->setVisible(!view);
    ApplyViewOnly();
    // The point number stays a choice in every mode; the count only in mode 0.
    m_point->setReadOnly(false);
    m_point->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    m_count->setReadOnly(!m_model.CountEditable());
    m_count->setButtonSymbols(m_model.CountEditable() ? QAbstractSpinBox::UpDownArrows
                                                      : QAbstractSpinBox::NoButtons);
    ShowModel();

    connect(m_name, &QLineEdit::textEdited, this, [this] {
        ReadControls();
        m_model.EnableControls();
        ShowModel();
    });
    connect(m_count, &QSpinBox::valueChanged, this, [this] {
        ReadControls();
        m_model.OnChangeWireCount();
        ShowModel();
    });
    connect(m_point, &QSpinBox::valueChanged, this, [this] {
        ReadControls();
        m_model.OnChangeWireNumber();
        ShowModel();
    });
    connect(m_x, &QLineEdit::textEdited, this, [this] {
        ReadControls();
        m_model.OnChangeX();
        ShowModel();
    });
    connect(m_h, &QLineEdit::textEdited, this, [this] {
        ReadControls();
        m_model.OnChangeH();
        ShowModel();
    });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row) {
        ReadControls();
        m_model.OnClickList(row);
        ShowModel();
    });
    connect(m_enter, &QPushButton::clicked, this, [this] {
        ReadControls();
        m_model.OnEnterWire();
        ShowModel();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        ReadControls();
        m_model.OnDeleteWire();
        ShowModel();
    });
    connect(m_insert, &QPushButton::clicked, this, [this] {
        ReadControls();
        m_model.OnInsertBefore();
        ShowModel();
    });
}

void OporaDialog::ReadControls()
{
    m_model.m_strName = m_name->text().toStdString();
    m_model.m_nPoints = m_count->value();
    m_model.m_nCurPoint = m_point->value();
    m_model.m_strX = m_x->text().toStdString();
    m_model.m_strH = m_h->text().toStdString();
}

void OporaDialog::ShowModel()
{
    const QSignalBlocker b1(m_count), b2(m_point), b3(m_list);
    m_count->setValue(m_model.m_nPoints);
    m_point->setRange(1, m_model.m_nPoints);
    m_point->setValue(m_model.m_nCurPoint);
    // Texts are set only when they differ, so that typing keeps its cursor.
    if (m_x->text() != FromUtf8(m_model.m_strX))
        m_x->setText(FromUtf8(m_model.m_strX));
    if (m_h->text() != FromUtf8(m_model.m_strH))
        m_h->setText(FromUtf8(m_model.m_strH));
    const int rows = int(m_model.m_rows.size());
    m_list->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const COporaDlg::Row& row = m_model.m_rows[std::size_t(r)];
        m_list->setItem(r, 0, Cell(row.no));
        m_list->setItem(r, 1, Cell(row.x));
        m_list->setItem(r, 2, Cell(row.h));
    }
    m_list->selectRow(m_model.m_nCurPoint - 1);
    OkButton()->setEnabled(m_model.m_bOkEnabled);
}

void OporaDialog::resizeEvent(QResizeEvent* event)
{
    ItemEditorDialog::resizeEvent(event);
    // "No" as wide as the point number with its arrows, X and H as their edits.
    // The columns line up under the edits of the current point.
    m_list->setColumnWidth(0, m_x->x() - m_point->x());
    m_list->setColumnWidth(1, m_h->x() - m_x->x());
}

int OporaDialog::ReadAndCheck()
{
    ReadControls();
    return m_model.OnOK();
}
