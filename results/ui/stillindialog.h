// The line-style dialog ("Линии на графиках", CStilLinDlg) over
// LineStyleEditModel: the set edited, the line, its colour or brightness,
// width, marker kind and size, with a preview of the set and a sample of the
// line.  "Сохранить" hands the styles back; "Отменить" changes nothing.
#pragma once

#include "results/linestyleedit.h"

#include <QDialog>

#include <array>

class QAbstractButton;
class QLabel;
class QRadioButton;
class QSlider;
class QSpinBox;
class QWidget;

class StilLinDialog : public QDialog {
    Q_OBJECT
public:
    explicit StilLinDialog(LineStyleEditModel& model, QWidget* parent = nullptr);

    QRadioButton* ColourRadio() const { return m_colour; }
    QRadioButton* BlackRadio() const { return m_black; }
    QSpinBox* LineSpin() const { return m_line; }
    QSlider* Slider(int i) const { return m_sliders[std::size_t(i)]; }
    QSpinBox* WidthSpin() const { return m_width; }
    QSpinBox* MarkerSizeSpin() const { return m_markerSize; }
    QRadioButton* MarkerRadio(int kind) const { return m_markers[std::size_t(kind)]; }

private:
    void ShowModel();

    LineStyleEditModel& m_model;
    QRadioButton* m_colour;
    QRadioButton* m_black;
    QSpinBox* m_line;
    std::array<QSlider*, 3> m_sliders{};
    std::array<QLabel*, 3> m_sliderCaptions{};
    std::array<QLabel*, 3> m_sliderTexts{};
    QSpinBox* m_width;
    QSpinBox* m_markerSize;
    std::array<QRadioButton*, 7> m_markers{};
    QWidget* m_preview;
    QWidget* m_sample;
};
