#include "results/ui/prosmchastdialog.h"

#include "app/linestyles.h"
#include "app/ui/drawmarker.h"
#include "dialogs/numericfield.h"
#include "dialogs/ui/uitext.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

ProsmChastDialog* g_pSecFreqDlg = nullptr;
ProsmChastDialog* g_pBufFreqDlg = nullptr;

namespace {

// Room left of the value edits for the line and marker samples.
constexpr int kSampleWidth = 80;

} // namespace

ProsmChastDialog::ProsmChastDialog(FrequencyViewRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request), m_model(request.model)
{
    setObjectName("ProsmChastDialog");
    setWindowTitle(U("Просмотр по частотам"));
    m_model.Open(LineStyleTables.colourMode);

    m_caption = new QLabel(U(m_model.caption));
    auto* rows = new QGridLayout;
    rows->setColumnMinimumWidth(0, kSampleWidth);
    for (int i = 0; i < kMaxCurves; ++i) {
        m_values[i] = new QLineEdit;
        m_values[i]->setReadOnly(true);
        m_values[i]->setFixedWidth(110);
        m_labels[i] = new QLineEdit;
        m_labels[i]->setReadOnly(true);
        m_labels[i]->setMinimumWidth(200);
        rows->addWidget(m_values[i], i, 1);
        rows->addWidget(m_labels[i], i, 2);
        const bool shown = m_model.RowShown(i);
        m_values[i]->setVisible(shown);
        m_labels[i]->setVisible(shown);
        const QString label = U(m_model.labelTexts[std::size_t(i)]);
        m_labels[i]->setText(label);
        m_labels[i]->setCursorPosition(0);
    }

    m_freq = new QLineEdit;
    m_step = new QLineEdit;
    m_up = new QToolButton;
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton;
    m_down->setArrowType(Qt::DownArrow);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(m_up);
    spin->addWidget(m_down);
    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(U("Частота, кГц")));
    controls->addWidget(m_freq);
    controls->addLayout(spin);
    controls->addSpacing(16);
    controls->addWidget(new QLabel(U("Шаг, кГц")));
    controls->addWidget(m_step);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(U("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addLayout(rows);
    layout->addLayout(controls);
    layout->addWidget(buttons);

    ShowValues();
    m_step->setText(U(FormatNumericField(m_model.step)));
    // The up arrow raises the frequency by the step, the down arrow lowers it.
    connect(m_up, &QToolButton::clicked, this, [this] {
        m_model.StepFrequency(0);
        Changed();
    });
    connect(m_down, &QToolButton::clicked, this, [this] {
        m_model.StepFrequency(1);
        Changed();
    });
    connect(m_freq, &QLineEdit::textEdited, this, [this](const QString& text) {
        // The field keeps what is typed: written back after every key, "250."
        // would lose its point before the next digit arrives.
        if (auto f = ParseNumericField(text.toStdString()); f && m_model.TypeFrequency(*f)) {
            ShowRowValues();
            if (m_request.moveCursor)
                m_request.moveCursor(m_model.cursorFreq);
        }
    });
    connect(m_step, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (auto f = ParseNumericField(text.toStdString()))
            m_model.TypeStep(*f);
    });

    // Labels wider than their edit show their whole text as a tool tip, on
    // the label and on the value.
    adjustSize();
    for (int i = 0; i < m_model.rowCount; ++i) {
        const QString label = m_labels[i]->text();
        if (m_labels[i]->fontMetrics().horizontalAdvance(label) > m_labels[0]->width() - 8) {
            m_labels[i]->setToolTip(label);
            m_values[i]->setToolTip(label);
        }
    }
}

void ProsmChastDialog::ShowRowValues()
{
    for (int i = 0; i < kMaxCurves; ++i)
        m_values[i]->setText(U(m_model.valueTexts[std::size_t(i)]));
}

void ProsmChastDialog::ShowValues()
{
    ShowRowValues();
    QSignalBlocker block(m_freq);
    m_freq->setText(U(FormatNumericField(m_model.freq)));
}

void ProsmChastDialog::Changed()
{
    ShowValues();
    if (m_request.moveCursor)
        m_request.moveCursor(m_model.cursorFreq);
}

void ProsmChastDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (m_model.rowCount == 0)
        return;
    // The dialogs draw the triangles the other way up from the graphs.
    g_bMarkerSwap = 1;
    QPainter p(this);
    const int left = m_values[0]->x();
    const int top = m_values[0]->y();
    const QWidget* last = m_values[m_model.rowCount - 1];
    p.fillRect(QRect(left / 16, top, left * 14 / 16, last->geometry().bottom() - top + 1), Qt::white);
    p.setBrush(Qt::white);
    for (int i = 0; i < m_model.rowCount; ++i) {
        const int style = m_model.styleBase + i;
        const std::uint32_t c = LineStyleTables.colours[style];
        p.setPen(QPen(QColor(RedOf(c), GreenOf(c), BlueOf(c)), LineStyleTables.widths[style]));
        const int y = m_values[i]->geometry().center().y();
        p.drawLine(left / 8, y, left * 7 / 8, y);
        DrawMarker(p, QPoint(left / 2, y), &LineStyleTables.markers[style], 1.0);
    }
}
