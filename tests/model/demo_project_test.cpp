// The bundled example project: built here, written by our own writer, kept in examples/.
//
// UPDATE_GOLDEN=1 rewrites examples/demo.vsk after a change of the project below.
#include "model/project.h"
#include "model/projectfile/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace vartesk;

namespace {

constexpr const char *kWire = "АС120/19";
// The shipped catalog holds no steel rope whose figures could be checked, so the earth wire
// is a steel-aluminium wire, as is also done on lines in lightning-prone country.
constexpr const char *kCord = "АС70/11";

struct TSupportRow
{
    const char *Nomer;
    int Type; // 0 anchor, 1 intermediate, 2 dead-end
    const char *Shifr;
    double Span;
    bool Attested = false;
    const char *Angle = "";
    int Degrees = 0;
    int Minutes = 0;
    int Direction = 0;
    const char *Crossing = "";
    const char *Note = "";
};

void AddSupports(TParcel &p, std::initializer_list<TSupportRow> rows, double picketStart)
{
    double picket = picketStart;
    for (const auto &r : rows) {
        auto s = std::make_unique<TPillar>();
        s->Nomer = r.Nomer;
        s->Tip_Opor = TSupportType(r.Type);
        s->Shifr = r.Shifr;
        s->Prolet = r.Span;
        s->Visir = r.Attested;
        s->Ugol = r.Angle;
        s->Ugol_grad = r.Degrees;
        s->Ugol_min = r.Minutes;
        s->Ugol_napr = std::uint16_t(r.Direction);
        s->Insect = r.Crossing;
        s->Coment = r.Note;
        if (r.Type != 1) { // pickets are surveyed at the anchors
            s->RezPic = true;
            s->Picet1 = int(picket / 100);
            s->Picet2 = double(int((picket - s->Picet1 * 100) * 100 + 0.5)) / 100;
        }
        picket += r.Span;
        p.Pillars.Add(std::move(s));
    }
}

std::unique_ptr<TParcel> Section(const char *name)
{
    auto p = std::make_unique<TParcel>();
    p->Name = name;
    p->Provod = kWire;
    p->Napr_max = 13;
    p->Napr_srg = 9;
    p->IsTros = true;
    p->Tros = kCord;
    p->Naprt_max = 13;
    p->Naprt_srg = 9;
    return p;
}

void BuildDemo(TProject &project)
{
    // A 110 kV single-circuit line with 10 mm of ice and 29 m/s of wind, terrain B.
    TKlimat &k = project.Klimat;
    k.Tols = 10;
    k.VMax = 29;
    k.Vwetsg = 15;
    k.TMin = -40;
    k.TMax = 35;
    k.Tgbw = -5;
    k.TGsw = -5;
    k.Tsrec = 3;
    TKlimatKoef &c = project.KlimatKoef;
    c.V_Nad = 1.1;
    c.G_Nad = 1.3;
    c.G_Usl = 0.9;
    c.visotaPC = 14;
    c.visotaPC_tros = 21;
    c.TypeTer = 2;
    project.VMData.IsVibroMuffles = true;
    project.VMData.NumbCat = 2;

    auto first = Section("ПС Северная - оп. 14");
    AddSupports(*first,
                {
                    {"1", 2, "ПС", 60, false, "", 0, 0, 0, "", "портал ПС Северная"},
                    {"2", 0, "У110-2", 215, false, "У1", 32, 15, 0},
                    {"3", 1, "П110-3", 245, true},
                    {"4", 1, "П110-3", 252},
                    {"5", 1, "П110-3", 238, false, "", 0, 0, 0, "1", "ВЛ 10 кВ"},
                    {"6", 0, "Анк.", 230},
                    {"7", 1, "Пром.", 260, true},
                    {"8", 1, "П110-3", 248},
                    {"9", 1, "П110-3", 255},
                    {"10", 0, "У110-2", 222, false, "У2", 18, 40, 1},
                    {"11", 1, "П110-3", 240},
                    {"12", 1, "П110-3", 265, true, "", 0, 0, 0, "2", "а/д Р-22"},
                    {"13", 1, "П110-3", 235},
                    {"14", 0, "У110-2", 0, false, "У3", 7, 5, 0},
                },
                0);
    auto crossing = Section("Переход через р. Ока");
    crossing->Napr_max = 12;
    crossing->Napr_srg = 8.4;
    crossing->TagModet = 1; // the crossing cord is given by its tensions
    crossing->Naprt_max = 0;
    crossing->Naprt_srg = 0;
    crossing->Tagt_max = 1030;
    crossing->Tagt_srg = 710;
    crossing->IsGis = true;
    crossing->Ves_Gis = 52;
    crossing->Dlina_Gis = 1.9;
    crossing->IsVMCalcProvod = true;
    crossing->IsVMCalcTros = true;
    crossing->ModelVM_Provod = 0;
    crossing->RngAC_P = 3;
    AddSupports(*crossing,
                {
                    {"14", 0, "У110-2", 180},
                    {"15", 0, "А110-1+5", 640, true, "", 0, 0, 0, "3", "р. Ока, судоходная"},
                    {"16", 0, "А110-1+5", 175},
                    {"17", 0, "У110-2", 0, false, "У4", 12, 30, 1},
                },
                3470);
    auto last = Section("Оп. 17 - ПС Южная");
    last->IsVitygka = true;
    last->Mp = 2;
    last->Mt = 1;
    last->Pp = 5;
    last->Pt = 3;
    AddSupports(*last,
                {
                    {"17", 0, "У110-2", 228},
                    {"18", 1, "П110-3", 251, true},
                    {"19", 1, "П110-3", 249},
                    {"20", 1, "П110-3", 262},
                    {"21", 1, "П110-3", 244, false, "", 0, 0, 0, "4", "ж/д, 2 пути"},
                    {"22", 0, "Анк.", 236},
                    {"23", 1, "П110-3", 258},
                    {"24", 1, "П110-3", 246, true},
                    {"25", 1, "П110-3", 253},
                    {"26", 1, "П110-3", 240},
                    {"27", 0, "У110-2", 219, false, "У5", 41, 0, 0},
                    {"28", 1, "П110-3", 232},
                    {"29", 1, "П110-3", 247, true},
                    {"30", 1, "П110-3", 251},
                    {"31", 1, "П110-3", 238, false, "", 0, 0, 0, "5", "ВЛ 0,4 кВ"},
                    {"32", 0, "У110-2", 226, false, "У6", 23, 45, 1},
                    {"33", 1, "П110-3", 254, true},
                    {"34", 1, "П110-3", 243},
                    {"35", 1, "Пром.", 231},
                    {"36", 0, "Анк.", 58},
                    {"37", 2, "ПС", 0, false, "", 0, 0, 0, "", "портал ПС Южная"},
                },
                4465);
    project.Parcels.Add(std::move(first));
    project.Parcels.Add(std::move(crossing));
    project.Parcels.Add(std::move(last));
}

// A 35 kV line in the Far North with an optical ground wire as its cord: the second example,
// where the damper report is the point.
void BuildNorthernOpgwLine(TProject &project)
{
    TKlimat &k = project.Klimat;
    k.Tols = 15;
    k.VMax = 32;
    k.Vwetsg = 16;
    k.TMin = -40;
    k.TMax = 30;
    k.Tgbw = -5;
    k.TGsw = -10;
    k.Tsrec = -8;
    TKlimatKoef &c = project.KlimatKoef;
    c.V_Nad = 1.1;
    c.G_Nad = 1.3;
    c.G_Usl = 0.9;
    c.visotaPC = 12;
    c.visotaPC_tros = 17;
    c.TypeTer = 1;
    project.VMData.IsVibroMuffles = true;
    project.VMData.IsNord = true;
    project.VMData.NumbCat = 3;
    project.VMData.Tcold = -27.5;

    const auto section = [](const char *name) {
        auto p = std::make_unique<TParcel>();
        p->Name = name;
        p->Provod = "АС150/24";
        p->Napr_max = 13.5;
        p->Napr_srg = 9;
        p->IsTros = true;
        p->Tros = "OPGW-2C1/30";
        p->Naprt_max = 30;
        p->Naprt_srg = 18;
        p->IsVMCalcProvod = true;
        p->IsVMCalcTros = true;
        p->MatProvod = 0;
        p->RngAC_P = 4; // 150/24: 6.0
        p->ModelVM_Provod = 1; // the north knows only ГВУ
        p->KindT = 2; // ОКГТ
        p->MatTros = 0;
        p->RngAC_T = 1;
        p->ModelVM_Tros = 1;
        return p;
    };
    auto first = section("ПС Полярная - оп. 9");
    AddSupports(*first,
                {
                    {"1", 2, "ПС", 45, false, "", 0, 0, 0, "", "портал ПС Полярная"},
                    {"2", 0, "У35-1", 180, false, "У1", 28, 10, 0},
                    {"3", 1, "П35-2", 195},
                    {"4", 1, "П35-2", 205, true},
                    {"5", 1, "П35-2", 210},
                    {"6", 0, "А35-1", 450, false, "", 0, 0, 0, "1", "р. Хадытаяха"},
                    {"7", 0, "А35-1", 190},
                    {"8", 1, "П35-2", 200},
                    {"9", 0, "У35-1", 0, false, "У2", 15, 20, 1},
                },
                0);
    auto crossing = section("Переход через р. Пур");
    AddSupports(*crossing,
                {
                    {"9", 0, "У35-1", 220},
                    {"10", 0, "А35-1+10", 1250, true, "", 0, 0, 0, "2", "р. Пур, судоходная"},
                    {"11", 0, "А35-1+10", 215},
                    {"12", 0, "У35-1", 0, false, "У3", 9, 45, 0},
                },
                1675);
    auto last = section("Оп. 12 - ПС Тундровая");
    last->IsVMCalcProvod = false; // the wire of this section is fitted by the maker's own table
    AddSupports(*last,
                {
                    {"12", 0, "У35-1", 198},
                    {"13", 1, "П35-2", 207},
                    {"14", 1, "П35-2", 212, true, "", 0, 0, 0, "3", "зимник"},
                    {"15", 1, "П35-2", 203},
                    {"16", 0, "У35-1", 52, false, "У4", 33, 0, 1},
                    {"17", 2, "ПС", 0, false, "", 0, 0, 0, "", "портал ПС Тундровая"},
                },
                3360);
    project.Parcels.Add(std::move(first));
    project.Parcels.Add(std::move(crossing));
    project.Parcels.Add(std::move(last));
}

} // namespace

TEST(DemoProject, ExampleFileIsWhatOurWriterMakesOfIt)
{
    TProject demo;
    BuildDemo(demo);
    test::ExpectGolden(std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk",
                       ProjectFileBytes(demo));

    TProject loaded;
    LoadProjectFile(std::string(VARTESK_SOURCE_DIR) + "/examples/demo.vsk", loaded);
    EXPECT_TRUE(loaded.Equals(demo));
}

TEST(DemoProject, NorthernExampleWithOpticalGroundWireIsWhatOurWriterMakesOfIt)
{
    TProject north;
    BuildNorthernOpgwLine(north);
    const std::string path = std::string(VARTESK_SOURCE_DIR) + "/examples/north-opgw.vsk";
    test::ExpectGolden(path, ProjectFileBytes(north));

    TProject loaded;
    LoadProjectFile(path, loaded);
    EXPECT_TRUE(loaded.Equals(north));
}
