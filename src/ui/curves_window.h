// The curves window: sag and tension curves of one section and conductor at a time, a hover
// that tells a point's value, and export to SVG and PNG.
#pragma once

#include "app/curves_window.h"
#include "ui/qt_user_port.h"

#include <QWidget>

#include <filesystem>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace vartesk::ui {

// The plot of a curve result at the widget's size, or why there is none.
class TCurveView final : public QWidget
{
    Q_OBJECT

public:
    explicit TCurveView(QWidget *parent);

    // The result must outlive the view's use of it (the window's state holds it).
    void Show(const TCurveResult *result);
    // The hover text of the point nearest to `at` (widget pixels), empty when none is near.
    QString TipAt(QPointF at) const;
    // The scene as last laid out for the widget's size.
    const TCurveScene &Scene() const { return Laid; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void Layout();

    const TCurveResult *Result = nullptr;
    TCurveScene Laid;
};

class TCurvesWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit TCurvesWindow(QWidget *parent);

    // A new showing: the project as it is now, section `section` (0-based), the captions in
    // the current language.
    void Open(const TProject &project,
              const TWiresList &catalog,
              const std::filesystem::path &projectFile,
              int section);

    TFormCurves &State() { return Curves; }
    TCurveView &View() const { return *Plot; }
    QComboBox &SectionSelector() const { return *Sections; }
    QComboBox &ConductorSelector() const { return *Conductors; }
    QComboBox &KindSelector() const { return *Kinds; }
    QPushButton &ExportSvgButton() const { return *ExportSvg; }
    QPushButton &ExportPngButton() const { return *ExportPng; }
    QString StatusText() const;

    // Export of the plot shown, through the given port (the buttons use the window's own);
    // the status line names the file written.
    void Export(TCurveFile file, TMessages &messages, TFileChooser &files);

private:
    void Captions();
    void Choose();

    TFormCurves Curves;
    TQtUserPort Port;
    QLabel *SectionLabel, *ConductorLabel, *KindLabel, *Status;
    QComboBox *Sections, *Conductors, *Kinds;
    QPushButton *ExportSvg, *ExportPng;
    TCurveView *Plot;
    bool Filling = false;
};

// Shows the curves window over `parent` (the main window), modeless, for the project as it is
// now and section `section` (0-based; the section selected in the main window): a window
// already open there is filled again and raised. `projectFile` is the project's file (empty
// for an unnamed project): it names the exports, which never overwrite it or a catalog.
void ShowCurvesWindow(const TProject &project,
                      const TWiresList &catalog,
                      const std::filesystem::path &projectFile,
                      int section,
                      QWidget *parent);

} // namespace vartesk::ui
