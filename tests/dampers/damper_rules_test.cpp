// The damper tables, the model codes, the tally and the design temperature.
#include "base/rounding.h"
#include "dampers/calc_dampers.h"
#include "dampers/damper_model_name.h"
#include "dampers/damper_rules.h"
#include "dampers/damper_tally.h"
#include "model/vm_data.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

TVM_Data Category(int cat, bool north = false)
{
    TVM_Data vm;
    vm.NumbCat = cat;
    vm.IsNord = north;
    return vm;
}

} // namespace

TEST(DamperRules, SpanLimitsAreHalfOpenByAreaAndInclusiveByLength)
{
    const TVM_Data cat2 = Category(2);
    EXPECT_FALSE(NeedsDampers(kMaterialSteelAluminium, 79, 95, cat2));
    EXPECT_TRUE(NeedsDampers(kMaterialSteelAluminium, 80, 95, cat2));
    // S = 120 already belongs to the 120-300 row.
    EXPECT_FALSE(NeedsDampers(kMaterialSteelAluminium, 99, 120, cat2));
    EXPECT_TRUE(NeedsDampers(kMaterialSteelAluminium, 100, 120, cat2));
    EXPECT_TRUE(NeedsDampers(kMaterialSteelAluminium, 150, 4999, Category(5)));
    EXPECT_FALSE(NeedsDampers(kMaterialSteelAluminium, 149, 4999, Category(5)));
    EXPECT_TRUE(NeedsDampers(kMaterialDielectric, 70, 100, Category(1)));
    EXPECT_FALSE(NeedsDampers(kMaterialDielectric, 89, 140, Category(1)));
    EXPECT_TRUE(NeedsDampers(kMaterialSteel, 140, 25, Category(4)));
    EXPECT_FALSE(NeedsDampers(kMaterialSteel, 6000, 24.9, Category(4)));
    EXPECT_FALSE(NeedsDampers(3, 6000, 100, Category(1)));
    // Off the table: no row rather than "never".
    EXPECT_FALSE(DamperSpanLimit(kMaterialSteelAluminium, 5000, Category(1)));
    EXPECT_FALSE(DamperSpanLimit(kMaterialSteelAluminium, 100, Category(6)));
    EXPECT_TRUE(DamperSpanLimit(3, 100, Category(1)));
}

TEST(DamperRules, StressLimitsByMaterialRatioAndCategory)
{
    EXPECT_TRUE(StressCheck(kMaterialSteelAluminium, 2, 7.2, Category(4)));
    EXPECT_FALSE(StressCheck(kMaterialSteelAluminium, 2, 7.19, Category(4)));
    EXPECT_TRUE(StressCheck(kMaterialSteelAluminium, 6, 3.0, Category(3)));
    EXPECT_FALSE(StressCheck(kMaterialSteelAluminium, 0, 9.9, Category(5)));
    EXPECT_TRUE(StressCheck(kMaterialSteelAluminium, 3, 5.4, Category(5)));
    EXPECT_FALSE(StressCheck(kMaterialSteel, 0, 19.9, Category(4)));
    EXPECT_TRUE(StressCheck(kMaterialSteel, 0, 22, Category(5)));
    EXPECT_TRUE(StressCheck(kMaterialDielectric, 0, 0, Category(1)));
}

TEST(DamperRules, CountsBySpanLengthWithTheirFallbacks)
{
    const TVM_Data north1 = Category(1, true);
    EXPECT_EQ(NorthDamperCount(129.9, north1), 1);
    EXPECT_EQ(NorthDamperCount(130, north1), 2);
    EXPECT_EQ(NorthDamperCount(450, north1), 4);
    EXPECT_EQ(NorthDamperCount(1250, north1), 7);
    EXPECT_EQ(NorthDamperCount(1499, north1), 8);
    EXPECT_EQ(NorthDamperCount(1500, north1), 1);
    EXPECT_EQ(NorthDamperCount(1799, Category(5, true)), 8);

    EXPECT_EQ(DielectricDamperCount(320, Category(3)), 3);
    EXPECT_EQ(DielectricDamperCount(320, Category(2)), 3);
    EXPECT_EQ(DielectricDamperCount(320, Category(3, true)), 4);
    EXPECT_EQ(DielectricDamperCount(600, Category(3)), 1);
    EXPECT_EQ(DielectricDamperCount(600, Category(3, true)), 2);
    EXPECT_EQ(DielectricDamperCount(124, Category(1)), 1);
    EXPECT_EQ(DielectricDamperCount(479, Category(1)), 4);
}

TEST(DamperRules, TypeTablesReadCellByCellWithNullOutside)
{
    const TDielectricType marked = DielectricDamperType(15, 1500);
    EXPECT_EQ(marked.Suffix, "0,6-0,8");
    EXPECT_TRUE(marked.Marked);
    EXPECT_FALSE(DielectricDamperType(11.1, 999).Marked);
    EXPECT_EQ(DielectricDamperType(11.1, 999).Suffix, "0,4-0,6");
    EXPECT_EQ(DielectricDamperType(15, 2500).Suffix, kNullType);
    EXPECT_EQ(DielectricDamperType(26.1, 1000).Suffix, kNullType);
    EXPECT_EQ(DielectricDamperType(20.1, 3499).Suffix, "1,2-1,6");

    EXPECT_EQ(NorthDamperType(9, 500), "ГВУ-0,6-0,8");
    EXPECT_EQ(NorthDamperType(35.1, 2000), "ГВУ-1,6-2,4");
    EXPECT_EQ(NorthDamperType(35.1, 1999), kNullType);
    EXPECT_EQ(NorthDamperType(38.1, 5000), kNullType);

    EXPECT_EQ(GvpDamperType(14.1, 2000), "ГВП-1,6-11-450");
    EXPECT_EQ(GvpDamperType(14.1, 3000), "ГВП-1,6-11-400");
    EXPECT_EQ(GvpDamperType(46.9, 9999), "ГВП-4,0-13-600");
    EXPECT_EQ(GvpDamperType(46.9, 10000), kNullType);
    EXPECT_EQ(GvpDamperType(8.9, 1500), kNullType);

    EXPECT_EQ(GvuDamperType(26.1, 9000), "ГВУ-3,2-4,0");
    EXPECT_EQ(GvuDamperType(20, 9000), "ГВУ-1,6-2,4");
    EXPECT_EQ(GvuDamperType(14, 499), kNullType);

    const TDamperPair gvp = GvpDamperPair(21.6, 2500);
    EXPECT_EQ(gvp.First, "ГВП-2,4-13-600");
    EXPECT_EQ(gvp.Second, "ГВП-1,6-11-400");
    const TDamperPair none = GvpDamperPair(21.6, 700);
    EXPECT_EQ(none.First, kNullType);
    EXPECT_EQ(none.Second, kNullType);
    EXPECT_EQ(GvpDamperPair(21.6, 900).Second, kNullType); // a "Null" cell, not outside
    EXPECT_EQ(GvpDamperPair(36, 1500).Second, "ГВП-3,2-13-400");

    const TDamperPair gvu = GvuDamperPair(33, 2000);
    EXPECT_EQ(gvu.First, "ГВУ-2,4-3,2");
    EXPECT_EQ(gvu.Second, "ГВУ-2,4-3,2");
    EXPECT_EQ(GvuDamperPair(40, 17999).First, "ГВУ-3,2-4,0");
    EXPECT_EQ(GvuDamperPair(40, 18000).First, kNullType);
}

TEST(DamperRules, ModelNamesMatchExactly)
{
    EXPECT_EQ(DamperModelCode("ГВП"), 0);
    EXPECT_EQ(DamperModelCode("ГВУ"), 1);
    EXPECT_EQ(DamperModelCode("ГВС"), 2);
    EXPECT_EQ(DamperModelCode("гву"), 0);
    EXPECT_EQ(DamperModelCode("ГВУ "), 0);
    EXPECT_EQ(DamperModelName(2), "ГВС");
    EXPECT_EQ(DamperModelName(1), "ГВУ");
    EXPECT_EQ(DamperModelName(7), "ГВП");
}

TEST(DamperTally, SameNameAddsUpInOrderOfFirstAppearance)
{
    TOC_List tally;
    tally.AddOrIncrement("ГВП-1,6-11-450", 2);
    tally.AddOrIncrement("ГВУ-0,6-0,8", 1);
    tally.AddOrIncrement("ГВП-1,6-11-450", 4);
    tally.AddOrIncrement("гвп-1,6-11-450", 1);
    ASSERT_EQ(tally.Count(), 3);
    EXPECT_EQ(tally.Get(0).Name, "ГВП-1,6-11-450");
    EXPECT_EQ(tally.Get(0).Quantity, 6);
    EXPECT_EQ(tally.IndexOf("ГВУ-0,6-0,8"), 1);
    EXPECT_EQ(tally.IndexOf("ГВС"), -1);
    tally.Clear();
    EXPECT_EQ(tally.Count(), 0);
}

TEST(DamperRules, Round5TiesGoToEvenMultiples)
{
    EXPECT_EQ(Round5(92.5), 90);
    EXPECT_EQ(Round5(97.5), 100);
    EXPECT_EQ(Round5(97.6), 100);
    EXPECT_EQ(Round5(92.4), 90);
}

TEST(DesignTension, GridPointsExactInterpolatedBetweenNothingOutside)
{
    const TGrid grid = {900, 800, 700, 600, 500, 400, 300, 200, 100};
    EXPECT_DOUBLE_EQ(*DesignTension(grid, 0), 500);
    EXPECT_DOUBLE_EQ(*DesignTension(grid, -40), 900);
    EXPECT_DOUBLE_EQ(*DesignTension(grid, 40), 100);
    EXPECT_DOUBLE_EQ(*DesignTension(grid, 2.5), 475);
    EXPECT_DOUBLE_EQ(*DesignTension(grid, -35), 850);
    EXPECT_DOUBLE_EQ(*DesignTension(grid, 39), 110);
    EXPECT_FALSE(DesignTension(grid, 40.5));
    EXPECT_FALSE(DesignTension(grid, -41));
}
