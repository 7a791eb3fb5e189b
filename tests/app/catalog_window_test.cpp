// The catalog window: rows by group, sorting, the commands with their prompts, and selection.
#include "app/editors/catalog_window.h"

#include "base/cp1251.h"
#include "catalog/wires_list.h"
#include "l10n/language.h"
#include "l10n/string_table.h"
#include "l10n/units.h"
#include "model/project.h"
#include "scripted_app.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vartesk;
using vartesk::test::ReadAll;
using vartesk::test::TScratchDir;
using vartesk::test::TScriptedApp;
using vartesk::test::WriteAll;
using TNames = std::vector<std::string>;

namespace {

TWireRecord Entry(const std::string &name, double diameter, int group)
{
    TWireRecord r;
    r.Group = group;
    r.Name = name;
    r.Diameter = diameter;
    r.Section = diameter * 10;
    r.Weight = diameter / 100;
    r.Modulus = 8000 + diameter;
    r.ThermalCoef = 2E-5;
    return r;
}

TNames Names(const std::vector<TCatalogRow> &rows)
{
    TNames out;
    for (const auto &row : rows)
        out.push_back(row.Texts[0]);
    return out;
}

TNames Names(const TWiresList &list)
{
    TNames out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.Get(i).Name);
    return out;
}

class CatalogWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        UseUnitSystem(TUnitSystem::DaN);
        // Two entries named "B": whatever works by name reaches the first.
        Catalog.Add(Entry("C", 30, 1));
        Catalog.Add(Entry("B", 10, 3));
        Catalog.Add(Entry("A", 20, 1));
        Catalog.Add(Entry("B", 40, 5));
    }
    void TearDown() override { UseUnitSystem(TUnitSystem::DaN); }

    // An entry dialog that gets a name and a diameter typed and OK pressed.
    std::function<bool(TFormWiresEdit &)> TypeAndOk(const std::string &name, const char *diameter)
    {
        return [this, name, diameter](TFormWiresEdit &d) {
            d.Name = name;
            d.Diameter = diameter;
            return d.Accept(App);
        };
    }

    TWiresList Catalog;
    TFormWiresBase Window {Catalog};
    TScriptedApp App;
    TAppPort Port = App.App();
};

} // namespace

TEST_F(CatalogWindow, GroupSelectorListsItsEntriesInCatalogOrderAndPersists)
{
    auto rows = Window.Rows();
    EXPECT_EQ(Names(rows), (TNames {"C", "B", "A", "B"}));
    EXPECT_EQ(rows[2].Texts,
              (std::array<std::string, 6> {"A", "20", "200", "0.2", "8020", "2E-5"}));

    Window.SelectedRow = 1;
    Window.ChooseGroup(1);
    EXPECT_EQ(Window.SelectedRow, 0);
    rows = Window.Rows();
    EXPECT_EQ(Names(rows), (TNames {"C", "A"}));
    EXPECT_EQ(rows[1].Index, 2);
    Window.ChooseGroup(8); // not a group
    Window.Open(TCatalogMode::Selection);
    EXPECT_EQ(Window.Group(), 1);

    UseUnitSystem(TUnitSystem::KN);
    EXPECT_EQ(Window.Rows()[1].Texts[4], "80.2");
    EXPECT_EQ(CatalogCaptions().Headers[4], "Modulus\r\nof elasticity,\r\nkN/mm^2");
    UseUnitSystem(TUnitSystem::DaN);
    EXPECT_EQ(CatalogCaptions().Headers[4], "Modulus\r\nof elasticity,\r\ndaN/mm^2");
}

TEST_F(CatalogWindow, AnEmptyGroupShowsOneEmptyRowThatNamesNoEntry)
{
    // An entry with an empty name elsewhere must not be reached through the empty row.
    Catalog.Add(Entry("", 1, 1));
    Window.ChooseGroup(4);
    const auto rows = Window.Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Index, -1);
    EXPECT_EQ(rows[0].Texts, (std::array<std::string, 6> {}));
    EXPECT_TRUE(Window.CanSelect() && Window.CanEdit() && Window.CanDelete());
    EXPECT_FALSE(Window.Select());
    EXPECT_FALSE(Window.Edit(Port));
    EXPECT_FALSE(Window.Delete(Port));

    TWiresList empty;
    TFormWiresBase window(empty);
    EXPECT_EQ(window.Rows().size(), 1u);
    EXPECT_FALSE(window.CanSelect() || window.CanEdit() || window.CanDelete());
    EXPECT_FALSE(window.Delete(Port));
    EXPECT_TRUE(App.Log.empty());
}

TEST_F(CatalogWindow, HeaderClickSortsTheWholeCatalogWithoutCountingAChange)
{
    Window.ChooseGroup(1);
    Window.SortByColumn(kWireColumnName);
    EXPECT_EQ(Names(Catalog), (TNames {"A", "B", "B", "C"}));
    EXPECT_EQ(Names(Window.Rows()), (TNames {"A", "C"}));
    Window.SortByColumn(kWireColumnDiameter);
    Window.SortByColumn(7);
    EXPECT_EQ(Names(Catalog), (TNames {"B", "A", "C", "B"}));
    EXPECT_EQ(Catalog.Changes(), 0);
}

TEST_F(CatalogWindow, CreateAppendsAnEntryOfTheShownGroupAndSelectsTheLastRow)
{
    Window.ChooseGroup(3);
    App.WireEntry.push_back([&](TFormWiresEdit &d) {
        EXPECT_EQ(&d, &Window.EntryDialog());
        EXPECT_EQ(d.GroupPosition, 2);
        EXPECT_EQ(d.Diameter, "0");
        return TypeAndOk("D", "5")(d);
    });
    EXPECT_TRUE(Window.Create(Port));
    ASSERT_EQ(Catalog.Count(), 5);
    EXPECT_TRUE(Catalog.Get(4).Name.str() == "D" && Catalog.Get(4).Group == 3);
    EXPECT_EQ(Window.SelectedRow, 1);

    // With the whole catalog shown the new entry goes to "Others".
    Window.ChooseGroup(0);
    App.WireEntry = {TypeAndOk("E", "6"), [](TFormWiresEdit &) {
                         return false;
                     }};
    EXPECT_TRUE(Window.Create(Port));
    EXPECT_FALSE(Window.Create(Port));
    EXPECT_EQ(Catalog.Count(), 6);
    EXPECT_EQ(Catalog.Get(5).Group, 7);
    EXPECT_EQ(Window.SelectedRow, 5);
    EXPECT_EQ(Catalog.Changes(), 2);
}

TEST_F(CatalogWindow, EditAndDeleteThroughEitherRowOfANameActOnTheFirstEntry)
{
    Window.SelectedRow = 3; // the second "B"
    App.WireEntry = {[&](TFormWiresEdit &d) {
                         EXPECT_EQ(d.Diameter, "10");
                         return TypeAndOk("B2", "11")(d);
                     },
                     [](TFormWiresEdit &d) {
                         d.Name = "lost";
                         return false;
                     }};
    EXPECT_TRUE(Window.Edit(Port));
    EXPECT_FALSE(Window.Edit(Port));
    EXPECT_EQ(Names(Catalog), (TNames {"C", "B2", "A", "B"}));
    EXPECT_EQ(Catalog.Get(1).Diameter, 11.0);

    // The second "C", deleted through the context menu's third entry after a No.
    Catalog.Add(Entry("C", 50, 6));
    Window.SelectedRow = 4;
    App.Answers = {false, true};
    EXPECT_FALSE(Window.ClickContextMenu(2, Port));
    EXPECT_TRUE(Window.ClickContextMenu(2, Port));
    EXPECT_EQ(Names(Catalog), (TNames {"B2", "A", "B", "C"}));
    EXPECT_EQ(Catalog.Get(3).Diameter, 50.0);
    EXPECT_EQ(Window.SelectedRow, 3); // was beyond the last row
    EXPECT_EQ(Catalog.Changes(), 2);
    EXPECT_EQ(App.Log.back(), "ask: Are you sure you would like to delete this wire?");
}

TEST_F(CatalogWindow, DeletingOrRenamingATypeTheOpenProjectUsesNamesItsSections)
{
    TProject project;
    // Wire, cord, whether the cord is carried: a cord not carried is looked up by nothing.
    for (const auto &[name, wire, cord, carried] : {std::tuple {"North", "A", "", false},
                                                    std::tuple {"Bridge", "C", "A", true},
                                                    std::tuple {"South", "B", "A", false}}) {
        auto p = std::make_unique<TParcel>();
        p->Name = name;
        p->Provod = wire;
        p->Tros = cord;
        p->IsTros = carried;
        project.Parcels.Add(std::move(p));
    }
    Window.SetOpenProject(&project);
    const std::string used = "ask: The type A is used in the open project by the sections "
                             "\"North\", \"Bridge\": ";

    Window.SelectedRow = 2; // A
    App.Answers = {false};
    EXPECT_FALSE(Window.Delete(Port));
    EXPECT_EQ(App.Log.back(),
              used + "they will not find it in the catalog any more.\r\nDelete it all the same?");
    // A new name asks once the dialog is confirmed; No keeps the entry. The same name asks
    // nothing.
    App.WireEntry = {TypeAndOk("A1", "21"), TypeAndOk("A", "22")};
    App.Answers = {false};
    EXPECT_FALSE(Window.Edit(Port));
    EXPECT_EQ(App.Log.back(),
              used
                  + "renamed to A1, it will not be found for them any more.\r\n"
                    "Rename it all the same?");
    EXPECT_EQ(Catalog.Get(2).Diameter, 20.0);
    App.Log.clear();
    EXPECT_TRUE(Window.Edit(Port));
    EXPECT_EQ(App.Log, (TNames {"wire entry"}));
    EXPECT_EQ(Catalog.Get(2).Diameter, 22.0);

    // "South" keeps finding the second B when the first goes.
    Window.SelectedRow = 1;
    App.Answers = {true};
    EXPECT_TRUE(Window.Delete(Port));
    EXPECT_EQ(App.Log.back(), "ask: Are you sure you would like to delete this wire?");
}

TEST_F(CatalogWindow, AModulusConfirmedUnchangedInKiloNewtonsKeepsItsBits)
{
    UseUnitSystem(TUnitSystem::KN);
    Catalog.GetRef(0).Modulus = 6860; // 68.6 kN/mm2 reads back as 6859.999999999999
    App.WireEntry.push_back([&](TFormWiresEdit &d) { return d.Accept(App); });
    EXPECT_TRUE(Window.Edit(Port));
    EXPECT_EQ(Catalog.Get(0).Modulus, 6860.0);
}

TEST_F(CatalogWindow, DoubleClickSelectsInSelectionModeAndEditsInEditingMode)
{
    Window.Open(TCatalogMode::Selection);
    EXPECT_TRUE(Window.DoubleClick(3, Port));
    ASSERT_TRUE(Window.Select());
    EXPECT_TRUE(Window.Select()->Equals(Catalog.Get(1)));
    EXPECT_FALSE(Window.DoubleClick(9, Port));
    EXPECT_FALSE(Window.Select());

    Window.Open(TCatalogMode::Editing);
    App.WireEntry.push_back([](TFormWiresEdit &d) { return d.Name != "A"; });
    EXPECT_FALSE(Window.DoubleClick(2, Port));
    EXPECT_EQ(App.Log, (TNames {"wire entry"}));
    EXPECT_EQ(Catalog.Changes(), 0);
}

TEST_F(CatalogWindow, ExportWritesTheChosenFileAndTellsWhatFails)
{
    TScratchDir dir;
    Catalog.SetFileName(dir / "base_provod.dat");
    WriteAll(dir / "base_provod.dat", "binary");
    // Cancelled; written; a folder that is not there; the catalog's own file, as text over
    // the binary catalog would lose it at the next start.
    App.Targets
        = {std::nullopt, dir / "out.txt", dir / "no" / "out.txt", dir / "." / "base_provod.dat"};
    for (int i = 0; i < 4; ++i)
        Window.Export(Port);
    EXPECT_EQ(App.SaveRequests[0].Title, "Экспорт в текстовый файл");
    EXPECT_EQ(App.SaveRequests[0].Filter, "*.txt|*.txt");
    EXPECT_EQ(App.SaveRequests[0].DefaultExtension, "txt");
    EXPECT_EQ(ReadAll(dir / "out.txt").substr(0, 24), "C;30;300;0.3;8030;2E-5;1");
    EXPECT_EQ(ReadAll(dir / "base_provod.dat"), "binary");
    EXPECT_EQ(App.Told.size(), 2u);
}

TEST_F(CatalogWindow, ImportReplacesTheCatalogOrTellsWhyAndKeepsIt)
{
    TScratchDir dir;
    WriteAll(dir / "bad.txt", "X;1;2;3;4;5;1\r\nY;1;2;three;4;5;1\r\n");
    WriteAll(dir / "good.txt", Utf8ToCp1251("АБВГДЕЖЗИКЛМНОПРСТ;1;2;3;4;5\r\nZ;1;2;3;4;5;2\r\n"));
    App.Opens = {std::nullopt, dir / "bad.txt", dir / "good.txt"};
    Window.SelectedRow = 2;

    EXPECT_FALSE(Window.Import(Port));
    EXPECT_FALSE(Window.Import(Port));
    EXPECT_EQ(Names(Catalog), (TNames {"C", "B", "A", "B"}));
    EXPECT_EQ(Catalog.Changes(), 0);
    ASSERT_EQ(App.Told.size(), 1u);
    EXPECT_NE(App.Told[0].find("line 2"), std::string::npos) << App.Told[0];

    EXPECT_TRUE(Window.Import(Port));
    EXPECT_EQ(Names(Catalog), (TNames {"АБВГДЕЖЗИКЛМНОПР", "Z"}));
    EXPECT_EQ(Catalog.Changes(), 1);
    EXPECT_EQ(Window.SelectedRow, 0);
    EXPECT_EQ(App.Log.back().rfind("tell warning: ", 0), 0u); // the cut name
    EXPECT_EQ(App.OpenRequests[0].Title, "Импорт из текстового файла");
    EXPECT_EQ(App.OpenRequests[0].Filter, "*.txt|*.txt");
}
