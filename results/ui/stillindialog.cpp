#include "results/ui/stillindialog.h"

#include "app/linestyles.h"
#include "app/ui/drawmarker.h"
#include "dialogs/ui/uitext.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>

namespace {

QPen StylePen(const LineStyleEditModel& m, int entry)
{
    const std::uint32_t c = m.colours[std::size_t(entry)];
    return QPen(QColor(RedOf(c), GreenOf(c), BlueOf(c)), m.widths[std::size_t(entry)]);
}

// A white area painted by a function.
class PaintArea : public QWidget {
public:
    explicit PaintArea(std::function<void(QPainter&, const QRect&)> paint) : m_paint(std::move(paint))
    {
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // The dialogs draw the triangles the other way up from the graphs.
        g_bMarkerSwap = 1;
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, Qt::white);
        p.setPen(QColor(10, 10, 10));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setBrush(Qt::white);
        m_paint(p, r);
    }

private:
    std::function<void(QPainter&, const QRect&)> m_paint;
};

// The sample of a marker kind beside its radio: size 3 in black.
QIcon MarkerIcon(int kind)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    const int code = 3 * 8 + kind;
    g_bMarkerSwap = 1;
    DrawMarker(p, QPoint(10, 10), &code, 1.0);
    return QIcon(pm);
}

} // namespace

StilLinDialog::StilLinDialog(LineStyleEditModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("StilLinDialog");
    setWindowTitle(U("Линии на графиках"));

    auto* set = new QGroupBox(U("Исполнение"));
    m_colour = new QRadioButton(U("Цветное"));
    m_black = new QRadioButton(U("Черно-белое"));
    auto* setLayout = new QVBoxLayout(set);
    setLayout->addWidget(m_colour);
    setLayout->addWidget(m_black);

    m_line = new QSpinBox;
    m_line->setRange(1, 10);
    auto* lineRow = new QHBoxLayout;
    lineRow->addWidget(new QLabel(U("Линия №")));
    lineRow->addWidget(m_line);
    lineRow->addStretch(1);

    auto* colour = new QGroupBox(U("Цвет"));
    auto* colourGrid = new QGridLayout(colour);
    const char* captions[3] = {"Красный", "Зеленый", "Синий"};
    for (int i = 0; i < 3; ++i) {
        m_sliderCaptions[std::size_t(i)] = new QLabel(U(captions[i]));
        m_sliders[std::size_t(i)] = new QSlider(Qt::Horizontal);
        m_sliders[std::size_t(i)]->setRange(0, 255);
        m_sliders[std::size_t(i)]->setMinimumWidth(160);
        m_sliderTexts[std::size_t(i)] = new QLabel;
        m_sliderTexts[std::size_t(i)]->setMinimumWidth(30);
        colourGrid->addWidget(m_sliderCaptions[std::size_t(i)], i, 0);
        colourGrid->addWidget(m_sliders[std::size_t(i)], i, 1);
        colourGrid->addWidget(m_sliderTexts[std::size_t(i)], i, 2);
    }

    m_width = new QSpinBox;
    m_width->setRange(1, 10);
    m_markerSize = new QSpinBox;
    m_markerSize->setRange(1, 10);
    auto* spins = new QGridLayout;
    spins->addWidget(new QLabel(U("Толщина линий")), 0, 0);
    spins->addWidget(m_width, 0, 1);
    spins->addWidget(new QLabel(U("Размер меток")), 1, 0);
    spins->addWidget(m_markerSize, 1, 1);

    auto* markers = new QGroupBox(U("Метки"));
    auto* markerGrid = new QGridLayout(markers);
    auto* markerGroup = new QButtonGroup(this);
    for (int k = 0; k < 7; ++k) {
        auto* r = new QRadioButton(k == 0 ? U("Нет") : QString());
        if (k > 0)
            r->setIcon(MarkerIcon(k));
        markerGroup->addButton(r, k);
        markerGrid->addWidget(r, k == 0 ? 0 : (k + 1) / 2, k == 0 ? 0 : (k + 1) % 2);
        m_markers[std::size_t(k)] = r;
    }

    // The ten lines of the edited set, line 1 at the bottom.
    m_preview = new PaintArea([this](QPainter& p, const QRect& r) {
        const int d = (r.height() - 10) / 10;
        for (int i = 0; i < 10; ++i) {
            const int y = r.bottom() - d - 5 - i * d;
            // The number with its top at y, the line 7 pixels lower.
            p.setPen(Qt::black);
            p.drawText(r.left() + 10, y + p.fontMetrics().ascent(), QString::number(i + 1));
            const int entry = m_model.styleBase + i;
            p.setPen(StylePen(m_model, entry));
            p.drawLine(r.left() + 30, y + 7, r.right() - 10, y + 7);
            DrawMarker(p, QPoint(r.center().x() + 10, y + 7), &m_model.markers[std::size_t(entry)], 1.0);
        }
    });
    m_preview->setMinimumSize(220, 240);
    // The edited line alone.
    m_sample = new PaintArea([this](QPainter& p, const QRect& r) {
        const int entry = m_model.EditedEntry();
        p.setPen(StylePen(m_model, entry));
        const int y = r.center().y();
        p.drawLine(r.left() + 10, y, r.right() - 10, y);
        DrawMarker(p, r.center(), &m_model.markers[std::size_t(entry)], 1.0);
    });
    m_sample->setMinimumSize(220, 40);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(U("Сохранить"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(U("Отменить"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(set);
    left->addLayout(lineRow);
    left->addWidget(colour);
    left->addLayout(spins);
    left->addWidget(markers);
    auto* right = new QVBoxLayout;
    right->addWidget(m_preview, 1);
    right->addWidget(m_sample);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    m_model.Open(LineStyleTables.colourMode);
    ShowModel();

    connect(m_colour, &QRadioButton::clicked, this, [this] {
        m_model.SwitchColourMode(0);
        ShowModel();
    });
    connect(m_black, &QRadioButton::clicked, this, [this] {
        m_model.SwitchColourMode(1);
        ShowModel();
    });
    connect(m_line, &QSpinBox::valueChanged, this, [this](int line) {
        if (m_model.SetLineNumber(line))
            ShowModel();
    });
    for (int i = 0; i < 3; ++i)
        connect(m_sliders[std::size_t(i)], &QSlider::valueChanged, this, [this, i](int pos) {
            if (m_model.MoveSlider(i, pos))
                ShowModel();
        });
    connect(m_width, &QSpinBox::valueChanged, this, [this](int w) {
        if (m_model.SetPenWidth(w))
            ShowModel();
    });
    connect(m_markerSize, &QSpinBox::valueChanged, this, [this](int s) {
        if (m_model.SetMarkerSize(s))
            ShowModel();
    });
    connect(markerGroup, &QButtonGroup::idClicked, this, [this](int kind) {
        if (m_model.SetMarkerKind(kind))
            ShowModel();
    });
}

void StilLinDialog::ShowModel()
{
    QSignalBlocker b1(m_line), b2(m_width), b3(m_markerSize);
    m_colour->setChecked(m_model.colourMode == 0);
    m_black->setChecked(m_model.colourMode != 0);
    m_line->setValue(m_model.lineNumber);
    const std::string* texts[3] = {&m_model.redText, &m_model.greenText, &m_model.blueText};
    for (int i = 0; i < 3; ++i) {
        QSignalBlocker block(m_sliders[std::size_t(i)]);
        m_sliders[std::size_t(i)]->setValue(m_model.sliders[std::size_t(i)]);
        m_sliderTexts[std::size_t(i)]->setText(U(*texts[i]));
        const bool shown = i == 0 || m_model.GreenBlueShown();
        m_sliders[std::size_t(i)]->setVisible(shown);
        m_sliderTexts[std::size_t(i)]->setVisible(shown);
        m_sliderCaptions[std::size_t(i)]->setVisible(shown);
    }
    m_sliderCaptions[0]->setText(U(m_model.redCaption));
    m_width->setValue(m_model.penWidth);
    m_markerSize->setValue(m_model.markerSize);
    m_markers[std::size_t(m_model.markerKind)]->setChecked(true);
    m_preview->update();
    m_sample->update();
}
