#include "dialogs/ui/trapcombo.h"

#include "dialogs/ui/uitext.h"

#include <QEvent>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

// Keeps a table's columns in the proportions its model gave, scaled to the
// width the table really has, whenever it is resized.
class ColumnFitter : public QObject {
public:
    using QObject::QObject;

    static void Apply(QTableWidget* table)
    {
        const QVariantList parts = table->property("columnParts").toList();
        int sum = 0;
        for (const QVariant& p : parts)
            sum += p.toInt();
        const int width = table->viewport()->width();
        if (sum <= 0 || width <= 0)
            return;
        for (int k = 0; k < parts.size(); ++k)
            table->setColumnWidth(k, int(qint64(width) * parts[k].toInt() / sum));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            if (auto* table = qobject_cast<QTableWidget*>(watched->parent()))
                Apply(table);
        return false;
    }
};

} // namespace

void ShowTrapCombo(QComboBox* combo, const TrapChoice& choice)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const ComboEntry& e : choice.combo.entries)
        combo->addItem(U(e.text), e.data);
    combo->setCurrentIndex(choice.choice);
}

QTableWidget* NewReportTable(int minWidth, int minHeight)
{
    auto* table = new QTableWidget;
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setMinimumSize(minWidth, minHeight);
    table->viewport()->installEventFilter(new ColumnFitter(table));
    return table;
}

void ShowTable(QTableWidget* table, const std::vector<ListColumn>& columns,
               const std::vector<std::vector<std::string>>& rows)
{
    const QSignalBlocker blocker(table);
    table->setColumnCount(int(columns.size()));
    QStringList titles;
    for (const ListColumn& c : columns)
        titles << U(c.title);
    table->setHorizontalHeaderLabels(titles);
    QVariantList parts;
    for (const ListColumn& c : columns)
        parts << c.width;
    table->setProperty("columnParts", parts);
    ColumnFitter::Apply(table);
    table->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i)
        for (int k = 0; k < int(columns.size()); ++k) {
            const auto& row = rows[std::size_t(i)];
            auto* item = new QTableWidgetItem(k < int(row.size()) ? U(row[std::size_t(k)]) : QString());
            item->setTextAlignment(Qt::AlignCenter);
            table->setItem(i, k, item);
        }
}
