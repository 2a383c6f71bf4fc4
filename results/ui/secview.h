// The view of the results window (CSecView): the text report of the chosen
// result, painted line by line from x = 10, y = 10 in the display font, with
// a selection of whole lines made with the mouse or the keys, copied as text
// or in the Word and Excel layouts, and printed.  The graph modes show an
// empty client area until the graphs are drawn.
#pragma once

#include "results/reporttext.h"
#include "results/textlines.h"
#include "results/ui/graphcanvas.h"

#include <QAbstractScrollArea>

#include <string>
#include <vector>

class QPrinter;
class SecFrameState;

class CSecView : public QAbstractScrollArea {
    Q_OBJECT
public:
    CSecView(SecFrameState& frame, QWidget* parent = nullptr);
    ~CSecView() override;

    // The report of the frame's choice (the text modes) from the open task.
    void BuildReport();
    // The Word and Excel layouts of the same report into the copy lines.
    void BuildWordReport();
    void BuildExcelReport();
    // The curves of the chosen tract results for the graph view modes.
    void BuildCurves();
    GraphCanvas& Graph() { return m_graph; }
    const GraphCanvas& Graph() const { return m_graph; }
    // The curve pens follow the line styles again.
    void ReloadPens();
    // The graph's picture as the bitmap copy takes it.
    QImage GraphImage();
    // Prints the graph as this window shows it.
    GraphPrintPages PrintGraph(QPrinter& printer);
    // The per-frequency dialog with the graph's cursor, while it runs.
    void ViewByFrequency();
    // The task-title line of the graph ("" when hidden or the task has none).
    std::string TaskTitleLine() const;

    // Recomputes the line height, the widths and the scroll ranges; drops any
    // selection and scrolls to the top.
    void LayoutText();
    // After any rebuild: the layout, no drag or selection, both scroll
    // positions at 0, everything repainted.
    void ResetView();

    // The line under a logical y (counted from the text's top): 0 above the
    // first line, the last line below the text; -1 without lines.
    int LineFromPoint(int y) const;
    void InvalidateLine(int i);
    void InvalidateLines(LineSpan span);

    // "Выделить все".
    void SelectAll();
    // The selected screen lines, and the same lines of the copy lines, each
    // ended by "\r\n".
    std::string SelectedScreenText() const;
    std::string SelectedCopyText() const;
    void FreeCopyLines() { m_report.FreeCopyLines(); }

    // Prints the text on a printer already set up: every line, or the
    // selected ones.  The font is 1.2 times the screen's.
    void PrintText(QPrinter& printer, bool selectionOnly);
    // The paging the last print used.
    const TextPaging& LastPaging() const { return m_paging; }

    const TextLines& Text() const { return m_text; }
    int LineHeight() const { return m_lineHeight; }
    int lineCount() const { return m_text.Count(); }
    bool selectionShown() const { return m_text.selection; }
    // The text's bands: one, whatever its height (no 16-bit coordinates here).
    unsigned bandCount() const { return 1; }
    int textHeight() const { return m_textHeight; }

signals:
    // The selection changed (the frame updates its commands).
    void SelectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool TextMode() const;
    void UpdateScrollSteps();
    int LogicalY(int deviceY) const;
    std::string SelectedOf(const std::vector<std::string>& lines) const;
    ReportSource Source() const;

    SecFrameState& m_frame;
    GraphCanvas m_graph{kResultsGraph};
    ReportText m_report;
    TextLines m_text;
    std::vector<int> m_widths;   // text width of each line
    int m_lineHeight = 16;
    int m_textHeight = 0;
    int m_totalWidth = 0;
    TextPaging m_paging;
};

extern CSecView* g_pSecView;
