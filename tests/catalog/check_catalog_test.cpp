// CheckCatalog: which projects it looks at, the order it looks in, and its exact message.
#include "catalog/check_catalog.h"

#include "l10n/language.h"
#include "l10n/string_table.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vartesk;

namespace {

class CheckCatalogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterAllStrings();
        UseLanguage(TLanguage::English);
        TWireRecord r;
        r.Name = "АС50/8";
        Catalog.Add(r);
        r.Name = "ТК-50";
        Catalog.Add(r);
    }
    void TearDown() override { UseLanguage(TLanguage::Russian); }

    TParcel &AddParcel(const std::string &provod, bool isTros = false, const std::string &tros = "")
    {
        auto parcel = std::make_unique<TParcel>();
        parcel->Name = "S" + std::to_string(Project.Parcels.Count() + 1);
        parcel->IsProvod = true;
        parcel->Provod = provod;
        parcel->IsTros = isTros;
        parcel->Tros = tros;
        return Project.Parcels.Get(Project.Parcels.Add(std::move(parcel)));
    }

    TProject Project;
    TWiresList Catalog;
};

} // namespace

TEST_F(CheckCatalogTest, SingleSectionIsNotChecked)
{
    AddParcel("missing", true, "missing too");
    EXPECT_FALSE(CheckCatalog(Project, Catalog));
    Project.Parcels.Clear();
    EXPECT_FALSE(CheckCatalog(Project, Catalog));
}

TEST_F(CheckCatalogTest, MissingWireGivesBothLinesOfTheMessage)
{
    AddParcel("АС50/8", true, "ТК-50");
    AddParcel("АС70/11");
    EXPECT_EQ(CheckCatalog(Project, Catalog).value_or(""),
              "The wire АС70/11 is not found.\r\n"
              "Input the data for the wire into the reference catalog and restart the program.");
    UseLanguage(TLanguage::Russian);
    EXPECT_EQ(CheckCatalog(Project, Catalog).value_or(""),
              "Не найден провод АС70/11.\r\n"
              "Введите данный провод в справочник и перезагрузите программу.");
}

TEST_F(CheckCatalogTest, FirstMissingTypeInSectionOrderWinsAndWireBeforeCord)
{
    AddParcel("АС50/8", true, "С-70");
    AddParcel("АС70/11");
    EXPECT_EQ(CheckCatalog(Project, Catalog).value_or(""),
              "The cord С-70 is not found.\r\n"
              "Input the data for the cord into the reference catalog and restart the program.");
    Project.Parcels.Get(0).Provod = "АС95/16";
    EXPECT_TRUE(CheckCatalog(Project, Catalog)
                    .value_or("")
                    .starts_with("The wire АС95/16 is not found.\r\n"));
}

TEST_F(CheckCatalogTest, OnlyTypesTheSectionCarriesAreLookedUp)
{
    AddParcel("АС50/8", false, "С-70"); // cord named but not carried
    AddParcel("gone");
    Project.Parcels.Get(1).IsProvod = false;
    EXPECT_FALSE(CheckCatalog(Project, Catalog));
    Project.Parcels.Get(1).IsTros = true;
    Project.Parcels.Get(1).Tros = "ТК-50";
    EXPECT_FALSE(CheckCatalog(Project, Catalog));
}
