// The per-frequency view ("Просмотр по частотам", CProsmChastDlg) over
// FrequencyViewModel: the value of every curve at one frequency with its label
// and a sample of its line and marker, the frequency typed or stepped, the
// step.  Every frequency change moves the graph's cursor.
#pragma once

#include "results/frequencyview.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

// What the graph views hand the dialog: the model filled as its Open() needs,
// and where the cursor goes after every frequency change.
class ProsmChastDialog;
struct FrequencyViewRequest {
    FrequencyViewModel model;
    std::function<void(float)> moveCursor;
    // The view's global pointer to the dialog, set while the dialog runs.
    ProsmChastDialog** published = nullptr;
};

class ProsmChastDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProsmChastDialog(FrequencyViewRequest& request, QWidget* parent = nullptr);

    QLineEdit* ValueEdit(int row) const { return m_values[row]; }
    QLineEdit* LabelEdit(int row) const { return m_labels[row]; }
    QLineEdit* FrequencyEdit() const { return m_freq; }
    QLineEdit* StepEdit() const { return m_step; }
    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The rows' values and the frequency field; ShowRowValues leaves the field alone.
    void ShowValues();
    void ShowRowValues();
    void Changed();

    FrequencyViewRequest& m_request;
    FrequencyViewModel& m_model;
    QLineEdit* m_values[kMaxCurves];
    QLineEdit* m_labels[kMaxCurves];
    QLineEdit* m_freq;
    QLineEdit* m_step;
    QToolButton* m_up;
    QToolButton* m_down;
    QLabel* m_caption;
};

// The per-frequency dialog of the results view while it runs, else null.
extern ProsmChastDialog* g_pSecFreqDlg;
// The same of the comparison-buffer view.
extern ProsmChastDialog* g_pBufFreqDlg;
