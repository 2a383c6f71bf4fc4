#include "catalog/ui/matrixdialogs.h"

#include "dialogs/ui/rowlist.h"
#include "dialogs/ui/uitext.h"
#include "platform/format.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <vector>

namespace {

constexpr int kNoWidth = 40;   // the "No" column, as wide as a row number
constexpr int kCellWidth = 64; // a capacitance cell, as wide as the value edit

QTableWidget* List(int columns)
{
    auto* list = NewRowList(0, columns);
    list->setMinimumHeight(150);
    return list;
}

// Rewrites the list from the model's rows, touching only cells that changed.
void Fill(QTableWidget* list, const std::vector<std::vector<std::string>>& rows)
{
    const QSignalBlocker block(list);
    list->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < int(rows[std::size_t(r)].size()); ++c) {
            const QString text = FromUtf8(rows[std::size_t(r)][std::size_t(c)]);
            QTableWidgetItem* item = list->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem(text);
                item->setTextAlignment(Qt::AlignCenter);
                list->setItem(r, c, item);
            } else if (item->text() != text) {
                item->setText(text);
            }
        }
}

} // namespace

NewMatrixDialog::NewMatrixDialog(CNewMatrixDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("NewMatrixDialog");
    setWindowTitle(U("Формирование новой матрицы"));
    m_model.OnInitDialog();
    m_order = new QSpinBox;
    m_order->setRange(1, CNewMatrixDlg::kMaxOrder);
    m_order->setValue(m_model.m_nOrder);
    auto* form = new QFormLayout;
    form->addRow(U("Порядок (число мод)"), m_order);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(U("Отменить"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void NewMatrixDialog::accept()
{
    m_model.m_nOrder = m_order->value();
    if (m_model.OnOK() == IDOK)
        QDialog::accept();
}

MatrixDialog::MatrixDialog(CMatrixDlg& model, QWidget* parent)
    : ItemEditorDialog(model, "Матрицы влияния опоры", parent), m_model(model)
{
    setObjectName("MatrixDialog");
    m_model.OnInitDialog();
    const int n = std::max(m_model.m_nOrder, 1);
    m_name = TextEdit(m_model.m_strName);
    auto* order = new QLineEdit(FromUtf8(StrFormat("%d", m_model.m_nOrder)));
    order->setReadOnly(true);
    m_rowC = new QSpinBox;
    m_colC = new QSpinBox;
    m_rowR = new QSpinBox;
    for (QSpinBox* spin : {m_rowC, m_colC, m_rowR})
        spin->setRange(1, n);
    m_cValue = TextEdit(m_model.m_strCValue);
    m_rValue = TextEdit(m_model.m_strRValue);
    m_enterC = new QPushButton(U("Ввести"));
    m_enterR = new QPushButton(U("Ввести"));
    m_listC = List(m_model.m_nOrder + 1);
    m_listR = List(2);
    QStringList titles{U("No")};
    for (int k = 1; k <= m_model.m_nOrder; ++k)
        titles << QString::number(k);
    m_listC->setHorizontalHeaderLabels(titles);
    m_listR->setHorizontalHeaderLabels({U("No"), U("R")});
    m_listC->setColumnWidth(0, kNoWidth);
    for (int k = 1; k <= m_model.m_nOrder; ++k)
        m_listC->setColumnWidth(k, kCellWidth);
    m_listR->setColumnWidth(0, kNoWidth);
    m_listR->setColumnWidth(1, kCellWidth * 13 / 10);
    m_listR->setFixedWidth(kNoWidth + kCellWidth * 13 / 10 + 24);

    auto* head = new QFormLayout;
    head->addRow(U("Тип"), m_name);
    head->addRow(U("Порядок (число мод)"), order);

    auto* cEntry = new QHBoxLayout;
    cEntry->addWidget(new QLabel(U("i")));
    cEntry->addWidget(m_rowC);
    cEntry->addWidget(new QLabel(U("j")));
    cEntry->addWidget(m_colC);
    cEntry->addWidget(new QLabel(U("C=")));
    cEntry->addWidget(m_cValue);
    cEntry->addWidget(m_enterC);
    auto* rEntry = new QHBoxLayout;
    rEntry->addWidget(m_rowR);
    rEntry->addWidget(new QLabel(U("R=")));
    rEntry->addWidget(m_rValue);
    rEntry->addWidget(m_enterR);

    auto* grid = new QGridLayout;
    grid->addLayout(cEntry, 0, 0);
    grid->addLayout(rEntry, 0, 1);
    grid->addWidget(m_listC, 1, 0);
    grid->addWidget(m_listR, 1, 1);
    grid->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(grid);
    layout->addWidget(Buttons());

    ApplyViewOnly();
    // Rows and columns stay a choice when the matrix is only shown.
    for (QSpinBox* spin : {m_rowC, m_colC, m_rowR}) {
        spin->setReadOnly(false);
        spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    }
    m_enterC->setVisible(!m_model.IsViewOnly());
    m_enterR->setVisible(!m_model.IsViewOnly());
    ShowModel();
    // The lists take the room their rows and columns need (a large matrix
    // scrolls), so a small matrix gets a small window.
    const int frame = 2 * m_listC->frameWidth();
    const int bar = m_listC->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int rows = m_listC->horizontalHeader()->sizeHint().height() +
                     m_listC->verticalHeader()->defaultSectionSize() * std::min(n, 10) + frame + bar;
    for (QTableWidget* list : {m_listC, m_listR})
        list->setMinimumHeight(std::max(rows, 150));
    m_listC->setMinimumWidth(std::min(kNoWidth + kCellWidth * n + frame + bar, 640));
    adjustSize();

    auto showCell = [this] {
        ReadControls();
        m_model.ShowCell();
        ShowModel();
    };
    connect(m_rowC, &QSpinBox::valueChanged, this, showCell);
    connect(m_colC, &QSpinBox::valueChanged, this, showCell);
    connect(m_rowR, &QSpinBox::valueChanged, this, [this] {
        ReadControls();
        m_model.ShowR();
        ShowModel();
    });
    connect(m_cValue, &QLineEdit::textEdited, this, [this] {
        ReadControls();
        m_model.OnChangeCValue();
        ShowModel();
    });
    connect(m_rValue, &QLineEdit::textEdited, this, [this] {
        ReadControls();
        m_model.OnChangeRValue();
        ShowModel();
    });
    connect(m_enterC, &QPushButton::clicked, this, [this] {
        ReadControls();
        m_model.OnEnterCapacitance();
        ShowModel();
    });
    connect(m_enterR, &QPushButton::clicked, this, [this] {
        ReadControls();
        m_model.OnEnterResistance();
        ShowModel();
    });
    connect(m_listC->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        ReadControls();
        m_model.OnColumnClick(column);
        ShowModel();
    });
    connect(m_listC, &QTableWidget::cellClicked, this, [this](int row) {
        ReadControls();
        m_model.OnClickC(row);
        ShowModel();
    });
    connect(m_listR, &QTableWidget::cellClicked, this, [this](int row) {
        ReadControls();
        m_model.OnClickR(row);
        ShowModel();
    });
}

void MatrixDialog::ReadControls()
{
    m_model.m_strName = m_name->text().toStdString();
    m_model.m_nRowC = m_rowC->value();
    m_model.m_nColC = m_colC->value();
    m_model.m_nRowR = m_rowR->value();
    m_model.m_strCValue = m_cValue->text().toStdString();
    m_model.m_strRValue = m_rValue->text().toStdString();
}

void MatrixDialog::ShowModel()
{
    const QSignalBlocker b1(m_rowC), b2(m_colC), b3(m_rowR);
    m_rowC->setValue(m_model.m_nRowC);
    m_colC->setValue(m_model.m_nColC);
    m_rowR->setValue(m_model.m_nRowR);
    if (m_cValue->text() != FromUtf8(m_model.m_strCValue))
        m_cValue->setText(FromUtf8(m_model.m_strCValue));
    if (m_rValue->text() != FromUtf8(m_model.m_strRValue))
        m_rValue->setText(FromUtf8(m_model.m_strRValue));
    Fill(m_listC, m_model.m_rowsC);
    Fill(m_listR, m_model.m_rowsR);
    if (m_model.m_nOrder > 0) {
        const QSignalBlocker b4(m_listC), b5(m_listR);
        m_listC->selectRow(m_model.m_nRowC - 1);
        m_listR->selectRow(m_model.m_nRowR - 1);
    }
}

int MatrixDialog::ReadAndCheck()
{
    ReadControls();
    return m_model.OnOK();
}
