#include "dialogs/ui/propertysheetdialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

PropertySheetDialog::PropertySheetDialog(PropertySheetModel& model, const QString& caption, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    setWindowTitle(caption);
    m_tabs = new QTabWidget;
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("Отменить"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    connect(m_tabs, &QTabWidget::currentChanged, this, &PropertySheetDialog::OnTabChanged);
}

QPushButton* PropertySheetDialog::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* PropertySheetDialog::CancelButton() const
{
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void PropertySheetDialog::AddPage(QWidget* page, std::function<void()> show, std::function<void()> read)
{
    const int index = int(m_hooks.size());
    m_hooks.push_back({std::move(show), std::move(read)});
    const QSignalBlocker block(m_tabs);
    m_tabs->addTab(page, QString::fromStdString(m_model.Page(index).Caption()));
}

void PropertySheetDialog::Start(int page)
{
    m_model.Start(page);
    m_shown = m_model.ActivePage();
    {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(m_shown);
    }
    if (m_shown >= 0 && m_hooks[std::size_t(m_shown)].show)
        m_hooks[std::size_t(m_shown)].show();
}

void PropertySheetDialog::OnTabChanged(int index)
{
    if (m_shown >= 0 && m_hooks[std::size_t(m_shown)].read)
        m_hooks[std::size_t(m_shown)].read();
    if (!m_model.SetActivePage(index)) {
        // The page refused to be left: its tab stays current.
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(m_shown);
        return;
    }
    m_shown = index;
    if (m_hooks[std::size_t(index)].show)
        m_hooks[std::size_t(index)].show();
}

void PropertySheetDialog::accept()
{
    if (m_shown >= 0 && m_hooks[std::size_t(m_shown)].read)
        m_hooks[std::size_t(m_shown)].read();
    if (m_model.OnOK())
        QDialog::accept();
}
