#include "dialogs/ui/vlpage1widget.h"

#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/uitext.h"
#include "dialogs/vlpage1.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

VLPage1Widget::VLPage1Widget(CVLPage1& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    m_name = new QLineEdit;
    m_countLabel = new QLabel;
    m_circuits = new QLineEdit;
    m_groundWires = new QLineEdit;
    for (QLineEdit* e : {m_circuits, m_groundWires}) {
        e->setReadOnly(true);
        e->setMaximumWidth(50);
    }
    m_length = new NumericEdit;
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(U("Название")), 0, 0);
    top->addWidget(m_name, 0, 1, 1, 3);
    top->addWidget(m_countLabel, 1, 0);
    top->addWidget(m_circuits, 1, 1);
    top->addWidget(new QLabel(U("Тросов")), 1, 2, Qt::AlignRight);
    top->addWidget(m_groundWires, 1, 3);
    top->addWidget(new QLabel(U("Длина, км")), 2, 0);
    top->addWidget(m_length, 2, 1);

    auto* towerGroup = new QGroupBox(U("Опора"));
    m_tower = new QComboBox;
    m_tower->setMinimumWidth(180);
    m_newTower = new QPushButton(U("Новая"));
    m_towerParams = new QPushButton(U("Параметры"));
    auto* towerLayout = new QHBoxLayout(towerGroup);
    towerLayout->addWidget(m_tower, 1);
    towerLayout->addWidget(m_newTower);
    towerLayout->addWidget(m_towerParams);

    auto* earthGroup = new QGroupBox(U("Влияние земли"));
    m_carson = new QRadioButton(U("По Карсону"));
    m_refined = new QRadioButton(U("Уточненное"));
    auto* modelButtons = new QButtonGroup(this);
    modelButtons->addButton(m_carson, 0);
    modelButtons->addButton(m_refined, 1);
    auto* layersGroup = new QGroupBox(U("Число слоев земли"));
    m_oneLayer = new QRadioButton(U("Один слой"));
    m_twoLayers = new QRadioButton(U("Два слоя"));
    auto* layerButtons = new QButtonGroup(this);
    layerButtons->addButton(m_oneLayer, 0);
    layerButtons->addButton(m_twoLayers, 1);
    auto* layersLayout = new QVBoxLayout(layersGroup);
    layersLayout->addWidget(m_oneLayer);
    layersLayout->addWidget(m_twoLayers);
    m_rho1 = new NumericEdit;
    m_eps1 = new NumericEdit;
    m_depth = new NumericEdit;
    m_rho2 = new NumericEdit;
    m_eps2 = new NumericEdit;
    m_epsTitle = new QLabel(U("Eps"));
    m_depthTitle = new QLabel(U("Н,м"));
    m_layer2Title = new QLabel(U("2 слой"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(U("Ro,Ом*м")), 0, 1);
    grid->addWidget(m_epsTitle, 0, 2);
    grid->addWidget(m_depthTitle, 0, 3);
    grid->addWidget(new QLabel(U("1 слой")), 1, 0);
    grid->addWidget(m_rho1, 1, 1);
    grid->addWidget(m_eps1, 1, 2);
    grid->addWidget(m_depth, 1, 3);
    grid->addWidget(m_layer2Title, 2, 0);
    grid->addWidget(m_rho2, 2, 1);
    grid->addWidget(m_eps2, 2, 2);
    for (NumericEdit* e : {m_rho1, m_eps1, m_depth, m_rho2, m_eps2})
        e->setMaximumWidth(80);
    grid->setColumnStretch(4, 1);
    auto* earthLayout = new QGridLayout(earthGroup);
    earthLayout->addWidget(m_carson, 0, 0);
    earthLayout->addWidget(m_refined, 1, 0);
    earthLayout->addWidget(layersGroup, 0, 1, 2, 1);
    earthLayout->addLayout(grid, 2, 0, 1, 2);

    auto* iceGroup = new QGroupBox(U("Гололед и изморозь"));
    m_ice = new QCheckBox(U("Учитывать"));
    m_iceTempLabel = new QLabel(U("Т,град.С"));
    m_iceKLabel = new QLabel(U("Кзагр"));
    m_iceTemp = new NumericEdit;
    m_iceK = new NumericEdit;
    m_iceTemp->setMaximumWidth(80);
    m_iceK->setMaximumWidth(80);
    auto* iceLayout = new QHBoxLayout(iceGroup);
    iceLayout->addWidget(m_ice);
    iceLayout->addWidget(m_iceTempLabel);
    iceLayout->addWidget(m_iceTemp);
    iceLayout->addWidget(m_iceKLabel);
    iceLayout->addWidget(m_iceK);
    iceLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(towerGroup);
    layout->addWidget(earthGroup);
    layout->addWidget(iceGroup);
    layout->addStretch(1);

    connect(modelButtons, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.OnEarthModel(id);
        ShowStates();
    });
    connect(layerButtons, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.OnLayers(id);
        ShowStates();
    });
    connect(m_ice, &QCheckBox::toggled, this, [this](bool on) {
        m_model.m_bIce = on ? 1 : 0;
        m_model.OnIceToggled();
        ShowStates();
    });
    connect(m_tower, &QComboBox::activated, this, [this](int index) {
        m_model.OnSelchangeTower(index);
        FillTowers();
        ShowStates();
    });
    connect(m_newTower, &QPushButton::clicked, this, [this] {
        m_model.OnNewTower();
        FillTowers();
        ShowStates();
    });
    connect(m_towerParams, &QPushButton::clicked, this, [this] {
        m_model.OnTowerParams();
        FillTowers();
        ShowStates();
    });
}

void VLPage1Widget::FillTowers()
{
    const QSignalBlocker block(m_tower);
    m_tower->clear();
    for (const ComboEntry& e : m_model.m_towerCombo.entries)
        m_tower->addItem(U(e.text), e.data);
    m_tower->setCurrentIndex(m_model.m_nTowerChoice);
}

void VLPage1Widget::Show()
{
    m_name->setText(U(m_model.m_strName));
    m_countLabel->setText(U(m_model.m_strCountLabel));
    m_circuits->setText(QString::number(m_model.m_nCircuits));
    m_groundWires->setText(QString::number(m_model.m_nGroundWires));
    m_length->SetValue(m_model.m_fLength);
    m_rho1->SetValue(m_model.m_fRho1);
    m_eps1->SetValue(m_model.m_fEps1);
    m_depth->SetValue(m_model.m_fLayer1Depth);
    m_rho2->SetValue(m_model.m_fRho2);
    m_eps2->SetValue(m_model.m_fEps2);
    m_iceTemp->SetValue(m_model.m_fIceTemp);
    m_iceK->SetValue(m_model.m_fIceK);
    {
        const QSignalBlocker block(m_ice);
        m_ice->setChecked(m_model.m_bIce != 0);
    }
    const EditPolicy& policy = m_model.m_policy;
    for (QLineEdit* e : {static_cast<QLineEdit*>(m_name), static_cast<QLineEdit*>(m_length),
                         static_cast<QLineEdit*>(m_rho1), static_cast<QLineEdit*>(m_eps1),
                         static_cast<QLineEdit*>(m_depth), static_cast<QLineEdit*>(m_rho2),
                         static_cast<QLineEdit*>(m_eps2), static_cast<QLineEdit*>(m_iceTemp),
                         static_cast<QLineEdit*>(m_iceK)})
        e->setReadOnly(policy.EditsReadOnly());
    m_tower->setEnabled(policy.CombosEnabled());
    m_ice->setEnabled(policy.ChecksEnabled());
    FillTowers();
    ShowStates();
}

void VLPage1Widget::ShowStates()
{
    const CVLPage1& m = m_model;
    m_newTower->setEnabled(m.m_bNewTowerEnabled);
    m_towerParams->setEnabled(m.m_bTowerParamsEnabled);
    m_carson->setChecked(m.m_nEarthModel == 0);
    m_refined->setChecked(m.m_nEarthModel == 1);
    m_oneLayer->setChecked(m.m_nLayers == 0);
    m_twoLayers->setChecked(m.m_nLayers == 1);
    m_carson->setEnabled(m.m_bCarsonEnabled);
    m_refined->setEnabled(m.m_bRefinedEnabled);
    m_oneLayer->setEnabled(m.m_bOneLayerEnabled);
    m_twoLayers->setEnabled(m.m_bTwoLayersEnabled);
    m_epsTitle->setVisible(m.m_bEps1Shown);
    m_eps1->setVisible(m.m_bEps1Shown);
    for (QWidget* w : {static_cast<QWidget*>(m_depthTitle), static_cast<QWidget*>(m_depth),
                       static_cast<QWidget*>(m_layer2Title), static_cast<QWidget*>(m_rho2),
                       static_cast<QWidget*>(m_eps2)})
        w->setVisible(m.m_bLayer2Shown);
    for (QWidget* w : {static_cast<QWidget*>(m_iceTempLabel), static_cast<QWidget*>(m_iceTemp),
                       static_cast<QWidget*>(m_iceKLabel), static_cast<QWidget*>(m_iceK)})
        w->setVisible(m.m_bIceShown);
}

void VLPage1Widget::Read()
{
    m_model.m_strName = m_name->text().toStdString();
    m_model.m_bIce = m_ice->isChecked() ? 1 : 0;
    // The first field without a number is refused; the page stays.
    bool ok = true;
    for (auto [edit, value] : {std::pair{m_length, &m_model.m_fLength}, std::pair{m_rho1, &m_model.m_fRho1},
                               std::pair{m_eps1, &m_model.m_fEps1}, std::pair{m_depth, &m_model.m_fLayer1Depth},
                               std::pair{m_rho2, &m_model.m_fRho2}, std::pair{m_eps2, &m_model.m_fEps2},
                               std::pair{m_iceTemp, &m_model.m_fIceTemp}, std::pair{m_iceK, &m_model.m_fIceK}})
        if (ok && !edit->ReadValue(*value))
            ok = false;
    m_model.m_bControlsInvalid = !ok;
}
