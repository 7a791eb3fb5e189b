// The damper page: switches, category, temperature and the section list bound to the page's
// state.
#include "ui/damper_page_widget.h"

#include "app/editors/damper_input.h"
#include "ui/caption_text.h"
#include "ui/general_spin_box.h"
#include "ui/pages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vartesk::ui {

namespace {

constexpr int kNameColumn = 0;
constexpr int kMarkColumn = 1;
constexpr int kMarkColumnWidth = 24;

} // namespace

TDamperPageWidget::TDamperPageWidget(TFrameVibroMuffles &state,
                                     std::function<void(int row)> selected,
                                     std::function<void(int row)> activated,
                                     QWidget *parent)
    : TBoundWidget(parent)
    , State(state)
    , Selected(std::move(selected))
    , Activated(std::move(activated))
    , Switch(new QCheckBox(this))
    , CategoryGroup(new QGroupBox(this))
    , NumberCategory(new QLabel(CategoryGroup))
    , Category(new QSpinBox(CategoryGroup))
    , DescriptionGroup(new QGroupBox(CategoryGroup))
    , Description(new QLabel(DescriptionGroup))
    , NorthGroup(new QGroupBox(this))
    , North(new QCheckBox(NorthGroup))
    , TemperatureCaption(new QLabel(NorthGroup))
    , Temperature(new TGeneralSpinBox(TFrameVibroMuffles::kTcoldStep, NorthGroup))
    , TemperatureUnit(new QLabel(NorthGroup))
    , SectionsGroup(new QGroupBox(this))
    , Sections(new QTableWidget(SectionsGroup))
{
    Switch->setObjectName("IsVibroMuffles");
    Category->setObjectName("NumbCat");
    Description->setObjectName("Description");
    North->setObjectName("IsNord");
    Temperature->setObjectName("Tcold");
    Sections->setObjectName("Sections");

    // The description stands in the category's group, so it follows the category's enabling.
    Category->setRange(kMinCategory, kMaxCategory);
    AttachWholeRule(Category);
    Category->setMinimumWidth(60);
    NumberCategory->setBuddy(Category);
    auto *categoryRow = new QHBoxLayout;
    categoryRow->addWidget(NumberCategory);
    categoryRow->addWidget(Category);
    categoryRow->addStretch(1);
    Description->setWordWrap(true);
    Description->setMinimumWidth(280);
    Description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *description = new QVBoxLayout(DescriptionGroup);
    description->addWidget(Description);
    auto *category = new QVBoxLayout(CategoryGroup);
    category->addLayout(categoryRow);
    category->addWidget(DescriptionGroup);

    Temperature->setMinimumWidth(110);
    TemperatureCaption->setBuddy(Temperature);
    auto *north = new QGridLayout(NorthGroup);
    north->addWidget(North, 0, 0, 1, 3);
    north->addWidget(TemperatureCaption, 1, 0);
    north->addWidget(Temperature, 1, 1);
    north->addWidget(TemperatureUnit, 1, 2);
    north->setColumnStretch(3, 1);

    Sections->setColumnCount(2);
    Sections->horizontalHeader()->hide();
    Sections->verticalHeader()->hide();
    Sections->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    Sections->horizontalHeader()->setSectionResizeMode(kMarkColumn, QHeaderView::Fixed);
    Sections->setColumnWidth(kMarkColumn, kMarkColumnWidth);
    Sections->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Sections->setSelectionBehavior(QAbstractItemView::SelectRows);
    Sections->setSelectionMode(QAbstractItemView::SingleSelection);
    Sections->setTabKeyNavigation(false);
    Sections->installEventFilter(this);
    auto *sections = new QVBoxLayout(SectionsGroup);
    sections->addWidget(Sections);

    auto *inputs = new QVBoxLayout;
    inputs->addWidget(Switch);
    inputs->addWidget(CategoryGroup);
    inputs->addWidget(NorthGroup);
    inputs->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(SectionsGroup, 1);

    connect(Switch, &QCheckBox::toggled, this, [this](bool on) {
        State.IsVibroMuffles = on;
        Sync();
    });
    connect(Category, &QSpinBox::valueChanged, this, [this](int value) {
        State.NumbCat = value;
        Sync();
    });
    connect(North, &QCheckBox::toggled, this, [this](bool on) {
        State.IsNord = on;
        Sync();
    });
    connect(Temperature, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        State.Tcold = value;
    });
    connect(Sections, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && Selected)
            Selected(row);
    });
    connect(Sections, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (Activated)
            Activated(row);
    });

    Retranslate();
    Reload();
}

void TDamperPageWidget::Reload()
{
    {
        const QSignalBlocker quietSwitch(Switch);
        const QSignalBlocker quietCategory(Category);
        const QSignalBlocker quietNorth(North);
        const QSignalBlocker quietTemperature(Temperature);
        Switch->setChecked(State.IsVibroMuffles);
        Category->setValue(State.NumbCat);
        North->setChecked(State.IsNord);
        Temperature->setValue(State.Tcold);
    }
    Sync();
    FillRows();
}

void TDamperPageWidget::FillRows()
{
    const int before = Sections->currentRow();
    const int count = int(State.Rows.size());
    int after = -1;
    {
        const QSignalBlocker quiet(Sections);
        // Rows are rewritten in place: this runs also from a double click on the list.
        Sections->setRowCount(count);
        for (int i = 0; i < count; ++i) {
            const TDamperRow &row = State.Rows[size_t(i)];
            for (int column : {kNameColumn, kMarkColumn}) {
                if (!Sections->item(i, column)) {
                    auto *item = new QTableWidgetItem;
                    if (column == kMarkColumn)
                        item->setTextAlignment(Qt::AlignCenter);
                    Sections->setItem(i, column, item);
                }
            }
            Sections->item(i, kNameColumn)->setText(QString::fromStdString(row.Name));
            Sections->item(i, kMarkColumn)
                ->setText(row.Marked ? QString::fromUtf8(kMark) : QString());
        }
        after = count == 0 ? -1 : (before >= 0 && before < count ? before : 0);
        Sections->setCurrentCell(after, kNameColumn);
    }
    // setCurrentCell(-1) leaves no current row; selection follows the current one.
    if (after != before && after >= 0 && Selected)
        Selected(after);
}

void TDamperPageWidget::Sync()
{
    CategoryGroup->setEnabled(State.CategoryEnabled());
    NorthGroup->setEnabled(State.NorthEnabled());
    for (QWidget *w : {static_cast<QWidget *>(TemperatureCaption),
                       static_cast<QWidget *>(Temperature),
                       static_cast<QWidget *>(TemperatureUnit)})
        w->setEnabled(State.TemperatureEnabled());
    SectionsGroup->setEnabled(State.SectionListEnabled());
    Description->setText(QString::fromStdString(State.CategoryDescription()));
}

void TDamperPageWidget::Retranslate()
{
    const TDamperPageCaptions c = DamperPageCaptions();
    Switch->setText(CaptionText(c.StartCalc));
    CategoryGroup->setTitle(CaptionText(c.CategoryGroup));
    NumberCategory->setText(CaptionText(c.NumberCategory));
    DescriptionGroup->setTitle(CaptionText(c.DescriptionGroup));
    North->setText(CaptionText(c.North));
    TemperatureCaption->setText(CaptionText(c.AverageTemperature));
    TemperatureUnit->setText(CaptionText(c.UnitDegrees));
    SectionsGroup->setTitle(CaptionText(c.SectionsTitle));
    // The description is in the interface language too.
    Sync();
}

int TDamperPageWidget::CurrentRow() const
{
    return Sections->currentRow();
}

bool TDamperPageWidget::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the list opens the section as a double click does, for the keyboard.
    if (watched == Sections && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Sections->currentRow() >= 0) {
            if (Activated)
                Activated(Sections->currentRow());
            return true;
        }
    }
    return TBoundWidget::eventFilter(watched, event);
}

TBoundWidget *NewDamperPage(TFrameVibroMuffles &state,
                            std::function<void(int row)> selected,
                            std::function<void(int row)> activated,
                            QWidget *parent)
{
    return new TDamperPageWidget(state, std::move(selected), std::move(activated), parent);
}

} // namespace vartesk::ui
