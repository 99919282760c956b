// The menu loader on a recipe base built from data/: a menu file of either format loads or is
// refused with the program's exception; what loads holds only possible values, and its
// document, loaded again, gives the same document.
#include "FuzzSupport.h"
#include "KVXFiles.h"
#include "RecipeBase.h"
#include "TestSupport.h"
#include "UnitConst.h"
#include "UnitDatabase.h"
#include "UnitRecetteList.h"

#include <memory>

namespace {

struct TMenuWorld
{
    TMenuWorld()
    {
        if (!MakeRecipeBase(Program.Path(QStringLiteral("recipes.db3"))))
            std::abort();
        SetDatabase(std::make_unique<TQlDatabase>(Program.Path(QStringLiteral("recipes.db3"))));
        ColorRotation = &Rotation;
    }

    TTestProgram Program;
    TColorRotation Rotation;
    TRecetteList Menu;
    const QString File = Program.Path(QStringLiteral("menu.txt"));
    const TDateTime Start = EncodeDate(2026, 12, 7);
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size > (1 << 17))
        return 0;
    static TMenuWorld World;
    TRecetteList &Menu = World.Menu;
    {
        QFile F(World.File);
        if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        F.write(FuzzBytes(Data, Size));
    }
    Menu.Clear();
    try {
        Menu.LoadFromFile(World.File, World.Start);
    } catch (const Exception &) {
        return 0;
    }
    for (int I = 0; I < Menu.Count(); ++I) {
        if (Menu.GetLineType(I) != TRecetteList::ltRecette)
            continue;
        const TLineRecette *Recette = Menu.GetRecette(I);
        FUZZ_CHECK(Recette->MenuRepas == RepasMidi || Recette->MenuRepas == RepasSoir, "a meal that does not exist");
        FUZZ_CHECK(Recette->MenuPers >= 0, "negative persons");
        FUZZ_CHECK(Recette->MenuDate >= World.Start, "a recipe before the first day");
    }
    const QString Document = Menu.SaveToJson(QString());
    Menu.Clear();
    try {
        Menu.LoadFromJson(Document, World.Start);
    } catch (const Exception &) {
        FUZZ_CHECK(false, "a saved document is refused");
    }
    FUZZ_CHECK(Menu.SaveToJson(QString()) == Document, "a saved document reloads differently");
    return 0;
}
