#include "dialogs/ui/obhvibpage.h"

#include "dialogs/ui/circuitboxes.h"
#include "dialogs/ui/propertysheetdialog.h"
#include "dialogs/ui/uitext.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

ObhVibPage::ObhVibPage(CObhVib& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName("ObhVibPage");
    auto* kinds = new QGroupBox(U("Вид обхода"));
    auto* kl = new QVBoxLayout(kinds);
    const char* kindTexts[3] = {"Обход промежуточной подстанции  ", "Обход в поле", "Обход кабельной вставки"};
    for (int k = 0; k < 3; ++k) {
        m_kind[k] = new QRadioButton(U(kindTexts[k]));
        kl->addWidget(m_kind[k]);
    }
    auto* selective = new QGroupBox(U("Обход имеет место"));
    auto* sl = new QVBoxLayout(selective);
    const char* selectiveTexts[2] = {"Во всех цепях", "Выборочно"};
    for (int k = 0; k < 2; ++k) {
        m_selective[k] = new QRadioButton(U(selectiveTexts[k]));
        sl->addWidget(m_selective[k]);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(kinds);
    top->addWidget(selective);
    m_boxesLayout = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(m_boxesLayout);
    layout->addStretch();
}

void ObhVibPage::AddTo(PropertySheetDialog& sheet)
{
    sheet.AddPage(this, [this] { Refresh(); }, [] {});
}

void ObhVibPage::Refresh()
{
    for (int k = 0; k < 3; ++k) {
        m_kind[k]->setChecked(m_model.m_nKind == k);
        m_kind[k]->setEnabled(m_model.KindEnabled(k));
    }
    for (int k = 0; k < 2; ++k) {
        m_selective[k]->setChecked(m_model.m_nSelective == k);
        m_selective[k]->setEnabled(m_model.SelectiveEnabled(k));
    }
    if (!m_boxes) {
        m_boxes = new CircuitBoxes(m_model.buttons, [this](int k) {
            m_model.OnClick(k);
            m_boxes->Show();
        });
        m_boxesLayout->addWidget(m_boxes);
    }
    m_boxes->Show();
}
