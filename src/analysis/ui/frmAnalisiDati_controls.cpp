// The analysis window's controls: the two charts on their tabs, the measure
// rows, the map and the alarm legend, and how their signals reach the window.

#include "analysis/ui/frmAnalisiDati.h"

#include "analysis/ui/chart_component.h"
#include "analysis/ui/circuit_map.h"
#include "analysis/ui/grid_component.h"
#include "analysis/ui/swatch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace zuv {

void frmAnalisiDati::buildControls()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 2, 4, 4);
    root->setSpacing(4);
    buildToolbar();
    root->addWidget(Toolbar1);

    auto* main = new QHBoxLayout;
    main->setSpacing(6);
    root->addLayout(main, 1);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    main->addLayout(left, 1);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    NTGraph1 = new ChartComponent;
    NTGraph1->setObjectName(QStringLiteral("NTGraph1"));
    SSTab1->addTab(NTGraph1, QString());
    auto* alarmsPage = new QWidget;
    auto* alarmsLayout = new QHBoxLayout(alarmsPage);
    alarmsLayout->setContentsMargins(0, 0, 0, 0);
    NTGraphAll = new ChartComponent;
    NTGraphAll->setObjectName(QStringLiteral("NTGraphAll"));
    alarmsLayout->addWidget(NTGraphAll, 1);
    alarmsLayout->addWidget(buildMapAndLegend());
    SSTab1->addTab(alarmsPage, QString());
    SSTab1->setMinimumHeight(300);
    left->addWidget(SSTab1, 3);
    left->addWidget(buildViewButtons());

    MSFlexGrid1 = new GridComponent(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setColumnCount(kLapColumns);
    MSFlexGrid1->setRowCount(2);
    MSFlexGrid1->setFixedRowCount(1);
    MSFlexGrid1->setFixedColumnCount(1);
    MSFlexGrid1->setMinimumHeight(140);
    MSFlexGrid1->setVisible(false);
    left->addWidget(MSFlexGrid1, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    main->addLayout(right);
    right->addWidget(buildMeasureRows());

    // The circuit map with the circuit's name and the drivers beside it;
    // hidden until the toolbar shows it, its place kept.
    auto* mapBox = new QHBoxLayout;
    Picture1 = new CircuitMap(this);
    Shape1 = Picture1->Shape1;
    mapBox->addWidget(Picture1, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    lblCircuito = new QLabel(this);
    lblCircuito->setObjectName(QStringLiteral("lblCircuito"));
    txtCircuito = new QLineEdit(this);
    txtCircuito->setObjectName(QStringLiteral("txtCircuito"));
    txtCircuito->setReadOnly(true);
    lblPiloti = new QLabel(this);
    lblPiloti->setObjectName(QStringLiteral("lblPiloti"));
    txtPiloti = new QPlainTextEdit(this);
    txtPiloti->setObjectName(QStringLiteral("txtPiloti"));
    txtPiloti->setReadOnly(true);
    txtPiloti->setMaximumHeight(Picture1->sizeHint().height() - 44);
    for (QWidget* w : std::initializer_list<QWidget*>{lblCircuito, txtCircuito, lblPiloti, txtPiloti})
        names->addWidget(w);
    names->addStretch(1);
    mapBox->addLayout(names, 1);
    right->addLayout(mapBox);
    right->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{Picture1, lblCircuito, txtCircuito, lblPiloti, txtPiloti}) {
        QSizePolicy p = w->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        w->setSizePolicy(p);
        w->hide();
    }

    connect(SSTab1, &QTabWidget::currentChanged, this, &frmAnalisiDati::SSTab1_Click);
    connect(NTGraph1, &ChartComponent::cursorMoved, this, &frmAnalisiDati::AggiornaCursore);
    connect(NTGraphAll, &ChartComponent::cursorMoved, this, &frmAnalisiDati::AggiornaCursoreAllarmi);
    // A mouse zoom draws the traces anew for the width it chose.
    connect(NTGraph1, &ChartComponent::zoomed, this, [this] {
        session_->mouseZoomed(rangeOf(*NTGraph1));
        showAlarmsRange();
        RidisegnaGraficoAttivo();
    });
    connect(MSFlexGrid1, &GridComponent::clicked, this, &frmAnalisiDati::MSFlexGrid1_Click);

    resize(1260, 740);
}

QWidget* frmAnalisiDati::buildMeasureRows()
{
    fraMisure = new QGroupBox(this);
    fraMisure->setObjectName(QStringLiteral("fraMisure"));
    auto* rows = new QGridLayout(fraMisure);
    rows->setContentsMargins(6, 4, 6, 4);
    rows->setHorizontalSpacing(4);
    rows->setVerticalSpacing(1);
    scaleGroup_ = new QButtonGroup(this);
    scaleGroup_->setExclusive(true);

    const int rowHeight = fontMetrics().height() + 6;
    for (int i = 1; i <= kMaxMeasure; ++i) {
        const int row = i - 1;
        const QString n = QString::number(i);
        lblNomeCampo[i] = new QLabel(fraMisure);
        lblNomeCampo[i]->setObjectName(QStringLiteral("lblNomeCampo") + n);
        lblNomeCampo[i]->setMinimumWidth(110);
        txtValore[i] = new QLineEdit(fraMisure);
        txtValore[i]->setObjectName(QStringLiteral("txtValore") + n);
        txtValore[i]->setReadOnly(true);
        txtValore[i]->setFixedWidth(76);
        txtValore[i]->setFixedHeight(rowHeight);
        txtValore[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblUM[i] = new QLabel(fraMisure);
        lblUM[i]->setObjectName(QStringLiteral("lblUM") + n);
        lblUM[i]->setMinimumWidth(56);
        rows->addWidget(lblNomeCampo[i], row, 2);
        rows->addWidget(txtValore[i], row, 3);
        rows->addWidget(lblUM[i], row, 4);
        if (i < kFirstMeasure)
            continue;

        chkGrafico[i] = new QCheckBox(fraMisure);
        chkGrafico[i]->setObjectName(QStringLiteral("chkGrafico") + n);
        shpColor[i] = new Swatch(Swatch::Shape::Rectangle, kMeasureColours[std::size_t(i)], fraMisure);
        shpColor[i]->setObjectName(QStringLiteral("shpColor") + n);
        shpColor[i]->setFixedSize(14, 14);
        optScala[i] = new QRadioButton(fraMisure);
        optScala[i]->setObjectName(QStringLiteral("optScala") + n);
        optScala[i]->setEnabled(false);
        scaleGroup_->addButton(optScala[i], i);
        cmdSetGraph[i] = new QPushButton(QStringLiteral("Set"), fraMisure);
        cmdSetGraph[i]->setObjectName(QStringLiteral("cmdSetGraph") + n);
        cmdSetGraph[i]->setFixedHeight(rowHeight);
        cmdSetGraph[i]->setMaximumWidth(44);
        cmdSetGraph[i]->setAutoFillBackground(true);
        cmdSetGraph[i]->setAutoDefault(false);
        rows->addWidget(chkGrafico[i], row, 0);
        rows->addWidget(shpColor[i], row, 1);
        rows->addWidget(optScala[i], row, 5);
        rows->addWidget(cmdSetGraph[i], row, 6);
        setRowLook(i, false);

        connect(chkGrafico[i], &QCheckBox::toggled, this, [this, i](bool on) { chkGrafico_Click(i, on); });
        connect(optScala[i], &QRadioButton::clicked, this, [this, i] { optScala_Click(i); });
        connect(cmdSetGraph[i], &QPushButton::clicked, this, [this, i] { cmdSetGraph_Click(i); });
    }
    rows->setColumnStretch(2, 1);

    chkTempo = new QCheckBox(fraMisure);
    chkTempo->setObjectName(QStringLiteral("chkTempo"));
    chkTempo->setChecked(true);
    rows->addWidget(chkTempo, kMaxMeasure, 0, 1, 7);
    connect(chkTempo, &QCheckBox::toggled, this, &frmAnalisiDati::chkTempo_Click);
    return fraMisure;
}

QWidget* frmAnalisiDati::buildMapAndLegend()
{
    // The alarm legend beside the alarms chart, each alarm's lamp at its name.
    fraLegendaAllarmi = new QGroupBox;
    fraLegendaAllarmi->setObjectName(QStringLiteral("fraLegendaAllarmi"));
    auto* legend = new QGridLayout(fraLegendaAllarmi);
    legend->setContentsMargins(6, 4, 6, 4);
    legend->setVerticalSpacing(4);
    for (int k = 0; k < kAlarmCount; ++k) {
        const QString n = QString::number(k);
        shpAlarmColor[std::size_t(k)] = new Swatch(Swatch::Shape::Rectangle, kAlarmColours[std::size_t(k)]);
        shpAlarmColor[std::size_t(k)]->setObjectName(QStringLiteral("shpAlarmColor") + n);
        shpAlarmColor[std::size_t(k)]->setFixedSize(22, 10);
        lblNomeAllarme[std::size_t(k)] = new QLabel;
        lblNomeAllarme[std::size_t(k)]->setObjectName(QStringLiteral("lblNomeAllarme") + n);
        shpAlarm[std::size_t(k)] = new Swatch(Swatch::Shape::Circle, kLampOff);
        shpAlarm[std::size_t(k)]->setObjectName(QStringLiteral("shpAlarm") + n);
        shpAlarm[std::size_t(k)]->setFixedSize(14, 14);
        legend->addWidget(shpAlarmColor[std::size_t(k)], k, 0);
        legend->addWidget(lblNomeAllarme[std::size_t(k)], k, 1);
        legend->addWidget(shpAlarm[std::size_t(k)], k, 2);
    }
    legend->setRowStretch(8, 1);
    return fraLegendaAllarmi;
}

} // namespace zuv
