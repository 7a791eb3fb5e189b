// The per-section damper dialog driven through its widgets: kinds, switches, materials and
// model lists as the state rules them, and what OK leaves for the section.
#include "ui/section_dampers_dialog.h"

#include "modal_driver.h"
#include "qstring_print.h"

#include "app/editors/damper_input.h"
#include "catalog/wires_list.h"
#include "dampers/damper_model_name.h"
#include "dampers/damper_rules.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "model/parcel.h"
#include "support/test_wires.h"
#include "ui/app_windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace vartesk;
using namespace vartesk::ui;
using vartesk::test::OnNextModal;

namespace {

class SectionDampersDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
    }
    void TearDown() override
    {
        UseLanguage(TLanguage::Russian);
        ClearStrings();
    }

    TWiresList Catalog = test::TestCatalog();
};

// A section with both conductors and the damper calculation on for both.
TParcel BothCalculated()
{
    TParcel p;
    p.Name = "Section 1";
    p.IsProvod = true;
    p.Provod = "АС120/19";
    p.Napr_srg = 4.5;
    p.IsTros = true;
    p.Tros = "ТК-9,1";
    p.Naprt_srg = 12;
    p.IsVMCalcProvod = true;
    p.IsVMCalcTros = true;
    p.MatTros = kMaterialSteel;
    return p;
}

template<class W>
W &Child(const QWidget &parent, const char *name)
{
    auto *child = parent.findChild<W *>(name);
    if (!child)
        throw std::runtime_error(std::string("no widget ") + name);
    return *child;
}

QStringList Items(const QComboBox &combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

void ClickOk(QDialog &dialog)
{
    auto *buttons = dialog.findChild<QDialogButtonBox *>();
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void Screenshot(QWidget &widget, const char *name)
{
    const auto shots = std::filesystem::path(VARTESK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    EXPECT_TRUE(widget.grab().save(QString::fromStdString((shots / name).string())));
}

} // namespace

TEST_F(SectionDampersDialog, EditsGoThroughTheRulesAndOkLeavesThemForTheSection)
{
    TParcel parcel = BothCalculated();
    parcel.CntCircuitry = 2;
    parcel.CntWires = 3;
    TFormParcelVM vm;
    vm.Load(parcel, false, Catalog);

    OnNextModal<TSectionDampersDialog>([&](TSectionDampersDialog &d) {
        EXPECT_EQ(d.windowTitle(),
                  "The data for calculating the vibration dampers of the selected sector");
        EXPECT_EQ(Child<QLineEdit>(d, "Name").text(), "Section 1");
        EXPECT_EQ(Child<QLineEdit>(d, "WireType").text(), "АС120/19");
        EXPECT_EQ(Child<QLineEdit>(d, "WireStress").text(), "4.5");
        EXPECT_EQ(Child<QLineEdit>(d, "CordStress").text(), "12");
        EXPECT_TRUE(Child<QLineEdit>(d, "WireType").isReadOnly());
        auto &wireKinds = Child<QTabBar>(d, "WireKinds");
        EXPECT_EQ(wireKinds.tabText(1), "OSSС");
        EXPECT_EQ(Child<QTabBar>(d, "CordKinds").tabText(0), "Cord");
        auto &circuits = Child<QSpinBox>(d, "CntCircuitry");
        auto &wires = Child<QSpinBox>(d, "CntWires");
        EXPECT_EQ(circuits.value(), 2);
        EXPECT_EQ(wires.value(), 3);

        // A ground wire fixes the wire's counts at one and locks them.
        wireKinds.setCurrentIndex(kKindGroundWire);
        EXPECT_EQ(circuits.value(), 1);
        EXPECT_EQ(wires.value(), 1);
        EXPECT_FALSE(circuits.isEnabled());
        EXPECT_FALSE(wires.isEnabled());

        // The steel cord has no ratio; steel-aluminium brings it, dielectric hides it again and
        // changes the model list.
        auto &cordMaterial = Child<QComboBox>(d, "CordMaterial");
        auto &cordRatio = Child<QComboBox>(d, "CordRatio");
        auto &cordModel = Child<QComboBox>(d, "CordModel");
        EXPECT_EQ(Items(cordMaterial), (QStringList {"Steel-aluminum", "Dielectric", "Steel"}));
        EXPECT_FALSE(cordRatio.isVisible());
        cordMaterial.setCurrentIndex(kMaterialSteelAluminium);
        EXPECT_TRUE(cordRatio.isVisible());
        EXPECT_EQ(cordRatio.count(), kRatioRanges);
        cordRatio.setCurrentIndex(6);
        cordMaterial.setCurrentIndex(kMaterialDielectric);
        EXPECT_FALSE(cordRatio.isVisible());
        EXPECT_EQ(Items(cordModel), (QStringList {"ГВУ", "ГВС"}));
        EXPECT_EQ(TSectionDampersDialog::ShownModel(cordModel), "ГВУ");
        cordModel.setCurrentIndex(1);
        Child<QSpinBox>(d, "CntRopes").setValue(2);

        auto &wireRatio = Child<QComboBox>(d, "WireRatio");
        EXPECT_TRUE(wireRatio.isVisible());
        wireRatio.setCurrentIndex(3);
        Child<QComboBox>(d, "WireModel").setCurrentIndex(1);
        Screenshot(d, "section-dampers-dialog.png");
        ClickOk(d);
    });
    ASSERT_TRUE(ExecSectionDampers(vm, nullptr));

    vm.Store(parcel);
    EXPECT_EQ(parcel.KindP, kKindGroundWire);
    EXPECT_EQ(parcel.KindT, kKindPlain);
    EXPECT_EQ(parcel.CntCircuitry, 1);
    EXPECT_EQ(parcel.CntWires, 1);
    EXPECT_EQ(parcel.CntRopes, 2);
    EXPECT_EQ(parcel.MatProvod, kMaterialSteelAluminium);
    EXPECT_EQ(parcel.MatTros, kMaterialDielectric);
    EXPECT_EQ(parcel.ModelVM_Provod, kModelGvu);
    EXPECT_EQ(parcel.ModelVM_Tros, kModelGvs);
    EXPECT_EQ(parcel.RngAC_P, 3);
    EXPECT_EQ(parcel.RngAC_T, 6);
    EXPECT_TRUE(parcel.IsVMCalcProvod);
    EXPECT_TRUE(parcel.IsVMCalcTros);
}

TEST_F(SectionDampersDialog, AStoredModelOutsideTheListShowsAndAnAbsentCordIsClosed)
{
    TParcel parcel = BothCalculated();
    parcel.MatProvod = kMaterialDielectric;
    parcel.ModelVM_Provod = kModelGvp;
    parcel.IsTros = false;
    TFormParcelVM vm;
    vm.Load(parcel, false, Catalog);

    OnNextModal<TSectionDampersDialog>([&](TSectionDampersDialog &d) {
        auto &model = Child<QComboBox>(d, "WireModel");
        EXPECT_EQ(Items(model), (QStringList {"ГВУ", "ГВС"}));
        EXPECT_EQ(TSectionDampersDialog::ShownModel(model), "ГВП");
        EXPECT_EQ(model.currentIndex(), -1);
        EXPECT_FALSE(Child<QComboBox>(d, "WireRatio").isVisible());

        auto &cordCalc = Child<QCheckBox>(d, "CordCalc");
        EXPECT_FALSE(cordCalc.isChecked());
        EXPECT_FALSE(cordCalc.isEnabled());
        EXPECT_FALSE(Child<QComboBox>(d, "CordMaterial").isEnabled());
        EXPECT_FALSE(Child<QTabBar>(d, "CordKinds").isEnabled());
        EXPECT_EQ(Child<QLineEdit>(d, "CordStress").text(), "0");
        Screenshot(d, "section-dampers-dialog-without-cord.png");
        // Enter is OK.
        QTest::keyClick(&d, Qt::Key_Return);
    });
    ASSERT_TRUE(ExecSectionDampers(vm, nullptr));
    vm.Store(parcel);
    EXPECT_EQ(parcel.ModelVM_Provod, kModelGvp);
    EXPECT_FALSE(parcel.IsVMCalcTros);

    // Choosing from the list replaces the name shown.
    OnNextModal<TSectionDampersDialog>([&](TSectionDampersDialog &d) {
        auto &model = Child<QComboBox>(d, "WireModel");
        model.setCurrentIndex(1);
        EXPECT_EQ(TSectionDampersDialog::ShownModel(model), "ГВС");
        EXPECT_TRUE(model.placeholderText().isEmpty());
        ClickOk(d);
    });
    ASSERT_TRUE(ExecSectionDampers(vm, nullptr));
    EXPECT_EQ(vm.Wire.Model, "ГВС");
}

TEST_F(SectionDampersDialog, TheSwitchOpensItsHalfAndEscapeCancels)
{
    TParcel parcel = BothCalculated();
    parcel.IsVMCalcProvod = false;
    TFormParcelVM vm;
    vm.Load(parcel, true, Catalog);

    OnNextModal<TSectionDampersDialog>([&](TSectionDampersDialog &d) {
        auto &calc = Child<QCheckBox>(d, "WireCalc");
        auto &material = Child<QComboBox>(d, "WireMaterial");
        auto &kinds = Child<QTabBar>(d, "WireKinds");
        auto &wires = Child<QSpinBox>(d, "CntWires");
        EXPECT_TRUE(calc.isEnabled());
        EXPECT_FALSE(calc.isChecked());
        EXPECT_FALSE(material.isEnabled());
        EXPECT_FALSE(kinds.isEnabled());
        EXPECT_FALSE(wires.isEnabled());
        // The cord's half does not follow the wire's switch.
        EXPECT_TRUE(Child<QComboBox>(d, "CordMaterial").isEnabled());

        QTest::mouseClick(&calc, Qt::LeftButton, {}, QPoint(4, calc.height() / 2));
        EXPECT_TRUE(vm.Wire.Calc);
        EXPECT_TRUE(material.isEnabled());
        EXPECT_TRUE(kinds.isEnabled());
        EXPECT_TRUE(wires.isEnabled());
        // In the north both lists hold the universal model alone, whatever the material.
        EXPECT_EQ(Items(Child<QComboBox>(d, "WireModel")), QStringList {"ГВУ"});
        material.setCurrentIndex(kMaterialDielectric);
        EXPECT_EQ(Items(Child<QComboBox>(d, "WireModel")), QStringList {"ГВУ"});
        EXPECT_EQ(Items(Child<QComboBox>(d, "CordModel")), QStringList {"ГВУ"});
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(ExecSectionDampers(vm, nullptr));
}

TEST_F(SectionDampersDialog, CaptionsAreThoseOfTheLanguageWhenShown)
{
    TParcel parcel = BothCalculated();
    TFormParcelVM vm;
    vm.Load(parcel, false, Catalog);
    UseLanguage(TLanguage::Russian);
    OnNextModal<TSectionDampersDialog>([&](TSectionDampersDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Данные для расчёта гасителей вибрации на выбранном участке");
        EXPECT_EQ(Child<QTabBar>(d, "WireKinds").tabText(0), "Провод");
        EXPECT_EQ(Child<QCheckBox>(d, "CordCalc").text(), "Выполнить расчёт");
        auto *buttons = d.findChild<QDialogButtonBox *>();
        EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "Отмена");
        Screenshot(d, "section-dampers-dialog-ru.png");
    });
    EXPECT_FALSE(ExecSectionDampers(vm, nullptr));
}
