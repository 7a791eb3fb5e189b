// Save then load gives the saved project back, on a few hundred generated projects.
#include "model/project.h"
#include "model/projectfile/line_source.h"
#include "model/projectfile/project_file.h"

#include "input_trace.h"

#include <gtest/gtest.h>

#include <random>

using namespace vartesk;

namespace {

class TGenerator
{
public:
    explicit TGenerator(unsigned seed)
        : Rng(seed)
    { }

    // Reals with a few decimals, as users enter them: exact at fifteen digits.
    double Real(int lo, int hi, int scale = 100)
    {
        return double(std::uniform_int_distribution<int>(lo * scale, hi * scale)(Rng)) / scale;
    }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Rng); }
    bool Flag() { return Int(0, 1) == 1; }
    std::string Text(size_t maxChars)
    {
        static const std::vector<std::string> alphabet
            = {"А", "Б", "в", "я", "Ё", "№", "1", "7", "-", "/", " ", "a", "Z", ".", "°"};
        std::string s;
        const size_t n = size_t(Int(0, int(maxChars)));
        for (size_t i = 0; i < n; ++i)
            s += alphabet[size_t(Int(0, int(alphabet.size()) - 1))];
        return s;
    }

    std::unique_ptr<TProject> Project()
    {
        auto p = std::make_unique<TProject>();
        TKlimat &k = p->Klimat;
        for (double *v :
             {&k.Tols, &k.VMax, &k.Vwetsg, &k.TMin, &k.TMax, &k.Tgbw, &k.TGsw, &k.Tsrec})
            *v = Real(-60, 60);
        TKlimatKoef &f = p->KlimatKoef;
        for (double *v : {&f.V_Otv, &f.V_Reg, &f.V_Nad, &f.G_Otv, &f.G_Reg, &f.G_Nad, &f.G_Usl})
            *v = Real(0, 3, 1000);
        f.visotaPC = Int(1, 100);
        f.visotaPC_tros = Int(1, 100);
        f.TypeTer = Int(1, 3);
        p->VMData.IsVibroMuffles = Flag();
        p->VMData.IsNord = Flag();
        p->VMData.NumbCat = Int(1, 5);
        p->VMData.Tcold = Real(-50, 0, 10);
        const int sections = Int(0, 5);
        for (int i = 0; i < sections; ++i)
            p->Parcels.Add(Section());
        return p;
    }

private:
    std::unique_ptr<TParcel> Section()
    {
        auto s = std::make_unique<TParcel>();
        s->Name = Text(31);
        s->IsProvod = Flag();
        s->Provod = Text(20);
        s->TagMode = Int(0, 1);
        s->Napr_max = Real(0, 30);
        s->Napr_srg = Real(0, 30);
        s->Tag_max = Real(1, 9000);
        s->Tag_srg = Real(1, 9000);
        s->IsTros = Flag();
        s->Tros = Text(20);
        s->TagModet = Int(0, 1);
        s->Naprt_max = Real(0, 60);
        s->Naprt_srg = Real(0, 60);
        s->Tagt_max = Real(1, 9000);
        s->Tagt_srg = Real(1, 9000);
        s->IsGis = Flag();
        s->Ves_Gis = Real(0, 200);
        s->Dlina_Gis = Real(0, 5);
        s->Raznost_H = Real(-50, 50);
        s->IsVitygka = Flag();
        s->Mt = Int(0, 5);
        s->Mp = Int(0, 5);
        s->Pt = Int(0, 30);
        s->Pp = Int(0, 30);
        s->IsVMCalcProvod = Flag();
        s->IsVMCalcTros = Flag();
        s->CntCircuitry = Int(1, 2);
        s->CntRopes = Int(1, 2);
        s->CntWires = Int(1, 50);
        s->MatProvod = Int(0, 1);
        s->MatTros = Int(0, 2);
        s->ModelVM_Provod = Int(0, 2);
        s->ModelVM_Tros = Int(0, 2);
        s->RngAC_P = Int(0, 6);
        s->RngAC_T = Int(0, 6);
        s->KindP = Int(0, 2);
        s->KindT = Int(0, 2);
        const int supports = Int(0, 12);
        for (int i = 0; i < supports; ++i) {
            auto t = std::make_unique<TPillar>();
            t->Nomer = Text(8);
            const int code = Int(0, 3);
            t->Shifr = code == 0 ? "Анк." : code == 1 ? "Пром." : Text(20) + "x";
            t->Prolet = Real(0, 1500);
            t->Picet1 = Int(0, 9999);
            t->Picet2 = Real(0, 99);
            t->Ugol = Text(8);
            t->Ugol_grad = Int(0, 179);
            t->Ugol_min = Int(0, 59);
            t->Ugol_sec = Int(0, 59);
            t->Ugol_napr = std::uint16_t(Int(0, 1));
            t->pv = Text(5);
            t->Insect = Text(8);
            t->Coment = Text(40);
            t->Visir = Flag();
            t->RezPic = Flag();
            t->Tip_Opor = TSupportType(Int(0, 2));
            s->Pillars.Add(std::move(t));
        }
        return s;
    }

    std::mt19937 Rng;
};

// What a save and a load are allowed to change: the codes that follow the support type and
// the damper settings that are not written.
void ExpectedAfterLoad(TProject &p)
{
    for (auto &section : p.Parcels) {
        for (auto &s : section->Pillars) {
            const std::string code = s->Shifr;
            if ((code == "Анк." || code == "Пром.") && s->Tip_Opor != TSupportType::DeadEnd)
                s->Shifr = s->Tip_Opor == TSupportType::Strain ? "Анк." : "Пром.";
        }
        if (!p.VMData.IsVibroMuffles || !section->HasVMCalc()) {
            TParcel defaults;
            section->IsVMCalcProvod = defaults.IsVMCalcProvod;
            section->IsVMCalcTros = defaults.IsVMCalcTros;
            section->CntCircuitry = defaults.CntCircuitry;
            section->CntRopes = defaults.CntRopes;
            section->CntWires = defaults.CntWires;
            section->MatProvod = defaults.MatProvod;
            section->MatTros = defaults.MatTros;
            section->ModelVM_Provod = defaults.ModelVM_Provod;
            section->ModelVM_Tros = defaults.ModelVM_Tros;
            section->RngAC_P = defaults.RngAC_P;
            section->RngAC_T = defaults.RngAC_T;
            section->KindP = defaults.KindP;
            section->KindT = defaults.KindT;
        }
    }
    if (!p.VMData.IsVibroMuffles)
        p.VMData.Clear();
}

} // namespace

TEST(ProjectFileRoundTrip, SaveThenLoadEqualsTheSavedProject)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        test::TCrashNote note("round trip, seed " + std::to_string(seed));
        TGenerator gen(seed);
        auto project = gen.Project();
        const std::string bytes = ProjectFileBytes(*project);
        TProject back;
        TLineSource source(bytes);
        back.LoadFromText(source);
        ExpectedAfterLoad(*project);
        ASSERT_TRUE(back.Equals(*project)) << "seed " << seed;
        // Once normalised, the reloaded project writes the very same bytes again.
        ASSERT_TRUE(ProjectFileBytes(back) == ProjectFileBytes(*project)) << "seed " << seed;
    }
}
