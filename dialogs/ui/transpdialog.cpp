#include "dialogs/ui/transpdialog.h"

#include "dialogs/ui/buttonrow.h"
#include "dialogs/ui/drawingwidget.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/rowlist.h"
#include "dialogs/ui/uitext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

TranspDialog::TranspDialog(CTranspDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("TranspDialog");
    setWindowTitle(U("Транспозиция"));
    m_model.OnInitDialog();
    const bool editing = m_model.editing;

    m_name = new QLineEdit(U(m_model.name));
    m_name->setEnabled(editing);
    auto* count = new QLineEdit(QString::number(m_model.wireCount));
    count->setReadOnly(true);
    count->setMaximumWidth(60);
    m_wire = new QComboBox;
    m_position = new QComboBox;
    for (const std::string& s : m_model.wireItems)
        m_wire->addItem(U(s));
    for (const std::string& s : m_model.positionItems)
        m_position->addItem(U(s));
    m_wire->setEnabled(editing);
    m_position->setEnabled(editing);
    m_list = NewRowList(m_model.wireCount, 2);
    m_list->setHorizontalHeaderLabels({U("До трансп."), U("После")});
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_list->setMinimumSize(220, 260);
    m_drawing = new DrawingWidget([this](QPainter& p, const PixelRect& area) { Draw(p, area); });
    m_drawing->setMinimumSize(220, 260);
    auto* ok = new QPushButton(U("OK"));
    ok->setDefault(true);
    m_cancel = new QPushButton(U("Отменить"));
    m_cancel->setVisible(editing);

    auto* form = new QFormLayout;
    form->addRow(U("Название"), m_name);
    form->addRow(U("Число проводов"), count);
    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(U("Провод")));
    choice->addWidget(m_wire);
    choice->addWidget(new QLabel(U("на место")));
    choice->addWidget(m_position);
    choice->addStretch();
    auto* views = new QHBoxLayout;
    views->addWidget(m_list);
    views->addWidget(m_drawing, 1);
    auto* buttons = ButtonRow({ok, m_cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(choice);
    layout->addLayout(views);
    layout->addLayout(buttons);

    ShowRows();
    ShowChoice();
    connect(m_wire, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_model.OnWireChosen(i);
        ShowChoice();
    });
    // A row reached with the mouse or the keys chooses its wire, so the
    // highlighted row is always the wire the combos edit.
    connect(m_list, &QTableWidget::currentCellChanged, this, [this](int row) {
        m_model.OnRowClicked(row);
        ShowChoice();
    });
    connect(m_position, &QComboBox::currentIndexChanged, this, [this](int a) {
        m_model.OnPositionChosen(a);
        ShowRows();
        ShowChoice();
        m_drawing->update();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TranspDialog::ShowRows()
{
    for (int i = 0; i < m_model.wireCount; ++i) {
        auto* wire = new QTableWidgetItem(U(m_model.RowWire(i)));
        auto* position = new QTableWidgetItem(U(m_model.RowPosition(i)));
        wire->setTextAlignment(Qt::AlignCenter);
        position->setTextAlignment(Qt::AlignCenter);
        m_list->setItem(i, 0, wire);
        m_list->setItem(i, 1, position);
    }
}

void TranspDialog::ShowChoice()
{
    const QSignalBlocker b1(m_wire), b2(m_position), b3(m_list);
    m_wire->setCurrentIndex(m_model.wireChoice);
    m_position->setCurrentIndex(m_model.positionChoice);
    m_list->selectRow(m_model.wireChoice);
}

// Each wire's line leaves its row on the left and reaches the row of its new
// position on the right; the rows follow the list's rows.
void TranspDialog::Draw(QPainter& p, const PixelRect& area)
{
    const int n = m_model.wireCount;
    if (n == 0)
        return;
    const QFontMetrics fm = p.fontMetrics();
    int w = 0;
    for (int i = 0; i < n; ++i)
        w = std::max(w, fm.horizontalAdvance(U(m_model.wireNames[i])));
    const int headerHeight = m_list->horizontalHeader()->height();
    auto rowY = [&](int row) {
        const int top = m_list->rowViewportPosition(row) + headerHeight + m_list->frameWidth();
        return area.top + top + m_list->rowHeight(row) / 2;
    };
    const int leftX = area.left + w + 8;
    const int rightX = area.right - (w + 8);
    p.setPen(QPen(Qt::black, 1));
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < n; ++i) {
        const int yLeft = rowY(i);
        const int yRight = rowY(m_model.order[std::size_t(i)]);
        const QPoint line[] = {{leftX, yLeft}, {leftX + 10, yLeft}, {rightX - 10, yRight}, {rightX, yRight}};
        p.drawPolyline(line, 4);
        p.drawEllipse(QPoint(leftX, yLeft), 2, 2);
        p.drawEllipse(QPoint(rightX, yRight), 2, 2);
        const QString name = U(m_model.wireNames[i]);
        p.drawText(leftX - 3 - fm.horizontalAdvance(name), yLeft + fm.ascent() / 2, name);
        p.drawText(rightX + 3, yRight + fm.ascent() / 2, name);
    }
}

void TranspDialog::accept()
{
    m_model.name = S(m_name->text());
    const int answer = m_model.OnOK();
    if (answer == IDOK)
        QDialog::accept();
    else if (answer == IDCANCEL)
        QDialog::reject();
}

void RegisterTranspDialog()
{
    RegisterModalDialog<TranspDialog, CTranspDlg>();
}
