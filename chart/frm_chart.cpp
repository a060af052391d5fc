#include "chart/frm_chart.h"

#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "chart/chart_layout.h"
#include "chart/pie_view.h"
#include "ui/screen_fit.h"
#include "ui/twips.h"

namespace {

constexpr int kWindowWidth = 9600;  // twips
constexpr int kButtonWidth = 1215;

}  // namespace

frmChart::frmChart(PieModel pie, QWidget* parent) : QDialog(parent), pie_(std::move(pie)) {
    setWindowTitle(pie_.caption);
    CreateControls();
    MSChart1->ShowPie(pie_);
    resize(TwipsToPixels(kWindowWidth), height());
}

void frmChart::CreateControls() {
    MSChart1 = MakePieView(this);
    MSChart1->setObjectName(QStringLiteral("MSChart1"));
    MSChart1->setToolTip(QString::fromLatin1(kChartHint));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->resize(TwipsToPixels(kButtonWidth), cmdClose->sizeHint().height());
    connect(MSChart1, &PieView::WedgeClicked, this, &frmChart::MSChart1_SeriesSelected);
    connect(cmdClose, &QPushButton::clicked, this, &frmChart::cmdClose_Click);
}

// The frame is known once the window shows.
void frmChart::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FitToWorkArea();
}

// The window's outer height is the work area's; the frame comes off the inside height.
void frmChart::FitToWorkArea() {
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const int frameHeight = frameGeometry().height() - height();
    resize(TwipsToPixels(kWindowWidth), area.height() - frameHeight);
    move(area.left() + (area.width() - frameGeometry().width()) / 2, area.top());
    FitOnScreen(*this);  // a narrow screen
}

void frmChart::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmChart::Form_Resize() {
    const QSize window(static_cast<int>(PixelsToTwips(width())),
                       static_cast<int>(PixelsToTwips(height())));
    const QSize button(static_cast<int>(PixelsToTwips(cmdClose->width())),
                       static_cast<int>(PixelsToTwips(cmdClose->height())));
    const auto legend = static_cast<int>(PixelsToTwips(MSChart1->PreferredLegendHeight()));
    const ChartLayout layout = ChartLayoutFor(window, button, legend);
    MSChart1->setGeometry(TwipsToPixels(layout.chart));
    MSChart1->Arrange(TwipsToPixels(layout.plot), TwipsToPixels(layout.legend));
    cmdClose->move(TwipsToPixels(layout.button.x()), TwipsToPixels(layout.button.y()));
}

void frmChart::MSChart1_SeriesSelected(int series) {
    if (series < 0 || series >= static_cast<int>(pie_.wedges.size())) return;
    MSChart1->setToolTip(pie_.wedges[series].label);
}

void frmChart::cmdClose_Click() {
    accept();
}
