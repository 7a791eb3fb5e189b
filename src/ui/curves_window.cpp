// The curves window on screen.
#include "ui/curves_window.h"

#include "base/text_format.h"
#include "l10n/string_table.h"
#include "ui/caption_text.h"
#include "ui/curve_painter.h"
#include "ui/guarded_slot.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

// How near, in pixels, the pointer must come to a point for its value.
constexpr double kHoverReach = 12;

} // namespace

TCurveView::TCurveView(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(480, 320);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCurveView::Show(const TCurveResult *result)
{
    Result = result;
    Layout();
    update();
}

void TCurveView::Layout()
{
    Laid = Result && !Result->Error
        ? LayoutCurvePlot(Result->Plot, width(), height(), QtTextWidth())
        : TCurveScene {};
}

QString TCurveView::TipAt(QPointF at) const
{
    if (!Result || Result->Error)
        return {};
    const auto pick = NearestPoint(Laid, Result->Plot, {at.x(), at.y()}, kHoverReach);
    return pick ? CaptionText(CurvePointText(Result->Plot, pick->Series, pick->Point)) : QString();
}

void TCurveView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!Result)
        return;
    if (Result->Error) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect().adjusted(24, 24, -24, -24),
                         Qt::AlignCenter | Qt::TextWordWrap,
                         CaptionText(*Result->Error));
        return;
    }
    PaintCurveScene(painter, Laid);
}

void TCurveView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Layout();
}

void TCurveView::mouseMoveEvent(QMouseEvent *event)
{
    const QString tip = TipAt(event->position());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), tip, this);
}

void TCurveView::leaveEvent(QEvent *event)
{
    QToolTip::hideText();
    QWidget::leaveEvent(event);
}

TCurvesWindow::TCurvesWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , Port(this)
    , SectionLabel(new QLabel(this))
    , ConductorLabel(new QLabel(this))
    , KindLabel(new QLabel(this))
    , Status(new QLabel(this))
    , Sections(new QComboBox(this))
    , Conductors(new QComboBox(this))
    , Kinds(new QComboBox(this))
    , ExportSvg(new QPushButton(this))
    , ExportPng(new QPushButton(this))
    , Plot(new TCurveView(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    Sections->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Sections->setMaximumWidth(420);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *choice = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *> {
             SectionLabel, Sections, ConductorLabel, Conductors, KindLabel, Kinds})
        choice->addWidget(w);
    choice->addStretch(1);
    choice->addWidget(ExportSvg);
    choice->addWidget(ExportPng);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(Plot, 1);
    layout->addWidget(Status);
    resize(1000, 700);

    for (QComboBox *box : {Sections, Conductors, Kinds})
        connect(box, &QComboBox::currentIndexChanged, this, Guarded(this, [this](int) {
                    if (!Filling)
                        Choose();
                }));
    connect(ExportSvg, &QPushButton::clicked, this, Guarded(this, [this] {
                Export(TCurveFile::Svg, Port, Port);
            }));
    connect(ExportPng, &QPushButton::clicked, this, Guarded(this, [this] {
                Export(TCurveFile::Png, Port, Port);
            }));
}

void TCurvesWindow::Open(const TProject &project,
                         const TWiresList &catalog,
                         const std::filesystem::path &projectFile,
                         int section)
{
    Curves.Open(project, catalog, projectFile, section);
    Captions();
    Plot->Show(&Curves.Current());
    Status->clear();
}

void TCurvesWindow::Captions()
{
    Filling = true;
    setWindowTitle(CaptionText(Curves.Caption()));
    SectionLabel->setText(CaptionText(LocalString("Curve_section")));
    ConductorLabel->setText(CaptionText(LocalString("Curve_conductor")));
    KindLabel->setText(CaptionText(LocalString("Curve_kind")));
    ExportSvg->setText(CaptionText(LocalString("Curve_export_svg")));
    ExportPng->setText(CaptionText(LocalString("Curve_export_png")));
    Sections->clear();
    for (const std::string &row : Curves.SectionRows())
        Sections->addItem(CaptionText(row));
    Sections->setCurrentIndex(Curves.Section());
    Conductors->clear();
    Conductors->addItems({CaptionText(LocalString("Wire")), CaptionText(LocalString("Cord"))});
    Conductors->setCurrentIndex(Curves.Conductor() == TConductor::Wire ? 0 : 1);
    Kinds->clear();
    Kinds->addItems({CaptionText(LocalString("Curve_kind_sag")),
                     CaptionText(LocalString("Curve_kind_tension"))});
    Kinds->setCurrentIndex(Curves.Kind() == TCurveKind::Sag ? 0 : 1);
    Filling = false;
}

void TCurvesWindow::Choose()
{
    Curves.Select(Sections->currentIndex(),
                  Conductors->currentIndex() == 1 ? TConductor::Cord : TConductor::Wire,
                  Kinds->currentIndex() == 1 ? TCurveKind::Tension : TCurveKind::Sag);
    Plot->Show(&Curves.Current());
    Status->clear();
}

QString TCurvesWindow::StatusText() const
{
    return Status->text();
}

void TCurvesWindow::Export(TCurveFile file, TMessages &messages, TFileChooser &files)
{
    const auto written = Curves.Export(file, messages, files, CurvePng);
    if (written)
        Status->setText(CaptionText(FormatText(LocalString("Curve_saved"), {written->string()})));
}

void ShowCurvesWindow(const TProject &project,
                      const TWiresList &catalog,
                      const std::filesystem::path &projectFile,
                      int section,
                      QWidget *parent)
{
    TCurvesWindow *window = parent
        ? parent->findChild<TCurvesWindow *>(QString(), Qt::FindDirectChildrenOnly)
        : nullptr;
    if (!window)
        window = new TCurvesWindow(parent);
    window->Open(project, catalog, projectFile, section);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace vartesk::ui
