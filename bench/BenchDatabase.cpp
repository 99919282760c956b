#include "BenchDatabase.h"

#include "KVXFiles.h"
#include "SQLiteTable3.h"
#include "UnitDatabase.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

#ifndef FENOLDA_DATA_DIR
#error "FENOLDA_DATA_DIR must name the data/ folder"
#endif
#ifndef FENOLDA_BENCH_CACHE_DIR
#error "FENOLDA_BENCH_CACHE_DIR must name the folder of the generated databases"
#endif

namespace {

// Raised into the cache key: a change of the generator must not reuse files it made before.
constexpr int GeneratorVersion = 2;

// ---- word lists -------------------------------------------------------------------------

const char *const EntreeBases[] = {
    "Salade",  "Velouté", "Soupe",  "Terrine",      "Tarte fine", "Quiche",   "Feuilleté", "Verrine",      "Carpaccio",
    "Tartare", "Crème",   "Flan",   "Œufs cocotte", "Émincé",     "Gaspacho", "Rillettes", "Cake salé",    "Bruschetta",
    "Toasts",  "Taboulé", "Mousse", "Potage",       "Bouillon",   "Éventail", "Assiette",  "Croustillant",
};
const char *const PlatBases[] = {
    "Gratin",   "Blanquette", "Rôti",       "Poêlée",     "Fricassée",  "Ragoût",     "Filet",  "Émincé",
    "Curry",    "Risotto",    "Lasagnes",   "Tajine",     "Brochettes", "Parmentier", "Gigot",  "Sauté",
    "Escalope", "Pavé",       "Cassolette", "Navarin",    "Daube",      "Papillote",  "Wok",    "Croquettes",
    "Galettes", "Omelette",   "Hachis",     "Estouffade", "Étouffée",   "Côtes",      "Épaule", "Crêpes",
};
const char *const DessertBases[] = {
    "Tarte",   "Tarte fine", "Crème brûlée",    "Mousse",        "Clafoutis",   "Crumble",   "Gâteau",  "Moelleux",
    "Fondant", "Charlotte",  "Éclair",          "Île flottante", "Panna cotta", "Soufflé",   "Compote", "Salade",
    "Sorbet",  "Financiers", "Madeleines",      "Flan",          "Bavarois",    "Entremets", "Cake",    "Verrine",
    "Poêlée",  "Gratin",     "Œufs à la neige",
};
const char *const BoissonBases[] = {
    "Smoothie",    "Jus",   "Sirop",    "Limonade", "Thé glacé",      "Chocolat chaud",
    "Lait frappé", "Punch", "Infusion", "Cocktail", "Eau aromatisée", "Orangeade",
};

const char *const SaltedMains[] = {
    "de poireaux",
    "aux champignons",
    "au saumon",
    "à la tomate",
    "de courgettes",
    "aux épinards",
    "d'agneau",
    "de canard",
    "au poulet",
    "aux lentilles",
    "de potiron",
    "d'endives",
    "aux cèpes",
    "de cabillaud",
    "au chèvre",
    "de veau",
    "de bœuf",
    "de porc",
    "à la dinde",
    "aux crevettes",
    "de lotte",
    "aux moules",
    "de thon",
    "aux poivrons",
    "d'aubergines",
    "de brocolis",
    "au céleri",
    "aux carottes",
    "de chou-fleur",
    "aux petits pois",
    "de haricots verts",
    "au jambon",
    "aux lardons",
    "au comté",
    "au roquefort",
    "à l'emmental",
    "de pommes de terre",
    "de patates douces",
    "aux navets",
    "de betteraves",
    "aux asperges",
    "d'artichauts",
    "de fenouil",
    "aux oignons",
    "à l'échalote",
    "au maïs",
    "de quinoa",
    "aux pois chiches",
    "de sardines",
    "de maquereau",
    "au saumon fumé",
    "de truite",
    "de merlu",
    "aux Saint-Jacques",
    "de lapin",
    "de pintade",
    "au canard confit",
    "aux noix",
    "au citron",
    "aux herbes",
    "au curry",
    "à l'émmental",
};
const char *const SaltedSeconds[] = {
    "et lardons",        "et pommes de terre",  "et champignons", "et crème fraîche", "et épinards",
    "et noisettes",      "et tomates séchées",  "et olives",      "et parmesan",      "et basilic",
    "et coriandre",      "et gingembre",        "et miel",        "et moutarde",      "et échalotes",
    "et oignons rouges", "et poivrons grillés", "et citron vert", "et câpres",        "et fèves",
};
const char *const SaltedQualifiers[] = {
    "à l'ancienne",  "de grand-mère",  "façon Provence",  "à la provençale",       "à la normande", "au four",
    "en croûte",     "au miel",        "à la crème",      "au vin blanc",          "du marché",     "maison",
    "express",       "du dimanche",    "à la bordelaise", "à l'estragon",          "en papillote",  "à la lyonnaise",
    "façon bistrot", "épicé",          "à la plancha",    "au beurre noisette",    "d'automne",     "d'été",
    "à l'italienne", "à la basquaise", "en cocotte",      "au piment d'Espelette", "gratiné",       "rôti au thym",
};
const char *const SweetMains[] = {
    "aux pommes",       "aux poires",        "au chocolat",
    "aux fraises",      "aux framboises",    "au citron",
    "à l'orange",       "aux abricots",      "aux myrtilles",
    "aux cerises",      "à la vanille",      "au caramel",
    "aux noix",         "aux amandes",       "à la pistache",
    "aux pêches",       "à la rhubarbe",     "aux figues",
    "aux prunes",       "à la mangue",       "à l'ananas",
    "aux marrons",      "à la noix de coco", "au café",
    "au miel",          "aux pralines",      "à la châtaigne",
    "aux mirabelles",   "aux quetsches",     "au fromage blanc",
    "aux clémentines",  "au pain d'épices",  "à la crème de marrons",
    "aux groseilles",   "au thé vert",       "aux noisettes",
    "au lait d'amande", "à la banane",       "au rhum",
    "à l'érable",
};
const char *const SweetSeconds[] = {
    "et cannelle",
    "et gingembre",
    "et spéculoos",
    "et chantilly",
    "et caramel beurre salé",
    "et nougatine",
    "et coulis de fruits rouges",
    "et crème anglaise",
    "et romarin",
    "et fève tonka",
    "et citron vert",
    "et éclats de pralin",
    "et zestes d'orange",
    "et meringue",
};
const char *const SweetQualifiers[] = {
    "caramélisées", "de grand-mère",         "fondant",    "à l'ancienne", "du dimanche", "express",
    "revisité",     "sans cuisson",          "glacé",      "maison",       "façon Tatin", "légère",
    "croustillant", "aux éclats de biscuit", "en verrine", "d'automne",    "d'été",       "tiède",
};
const char *const DrinkMains[] = {
    "de fruits rouges", "à la menthe",    "au gingembre",  "d'agrumes",        "à la fraise",   "au citron vert",
    "à la pêche",       "à la framboise", "à la verveine", "au lait d'amande", "à l'hibiscus",  "au pamplemousse",
    "à la poire",       "au cassis",      "à la grenade",  "au melon",         "à la pastèque", "aux épices",
};
const char *const DrinkSeconds[] = {
    "et basilic", "et miel", "et cannelle",  "et citronnelle",     "et vanille",        "et romarin",
    "et thym",    "et anis", "et cardamome", "et fleur d'oranger", "et sirop d'érable", "et yuzu",
};
const char *const DrinkQualifiers[] = {
    "maison", "pétillant", "glacé",      "du matin",   "d'été",  "d'hiver",    "frappé",
    "léger",  "épicé",     "à partager", "sans sucre", "minute", "bien frais", "givré",
};

const char *const Descriptions[] = {
    "Une recette simple et généreuse, idéale pour les soirs de semaine.",
    "Un classique de la cuisine familiale, préparé avec des produits de saison.",
    "Les enfants l'adorent : préparez-en un peu plus, il n'en restera pas.",
    "On peut tout préparer la veille et réchauffer au dernier moment.",
    "Parfait pour un repas du dimanche, à partager en famille.",
    "Se conserve deux jours au réfrigérateur dans une boîte fermée.",
    "Une recette de grand-mère, transmise de génération en génération.",
    "Idéal pour recevoir : il se prépare à l'avance et se sert en portions individuelles.",
};
const char *const SaltedDescriptions[] = {
    "À servir bien chaud, avec une salade verte et un bon pain de campagne.",
    "Une version légère, relevée d'herbes fraîches et d'un filet d'huile d'olive.",
    "Le secret : une cuisson douce et un assaisonnement rectifié en fin de cuisson.",
    "Accompagnez-le d'un riz basmati ou de pommes de terre vapeur.",
    "Rapide à préparer, elle se décline selon les légumes du marché.",
    "Une touche d'épices douces réveille ce plat d'hiver réconfortant.",
    "Un plat complet, équilibré et économique.",
};
const char *const SweetDescriptions[] = {
    "Servez tiède ou froid, avec une crème fouettée légèrement sucrée.",
    "Vérifiez la cuisson avec la pointe d'un couteau : elle doit ressortir sèche.",
    "Choisissez des fruits bien mûrs, c'est tout le secret de cette recette.",
    "Peu sucré, il termine le repas en douceur.",
    "Se déguste bien frais, préparé quelques heures à l'avance.",
};

const char *const Notes[] = {"haché", "en dés", "frais", "râpé", "émincé", "en rondelles", "coupé fin", "moulu"};

// Extra ingredients: a base and a qualifier, so that the base holds a few hundred.
const char *const IngredientBases[] = {
    "Tomates", "Pommes",    "Poires",   "Carottes", "Courgettes", "Champignons", "Haricots",   "Lentilles",
    "Farine",  "Huile",     "Vinaigre", "Moutarde", "Fromage",    "Jambon",      "Saucisses",  "Poivrons",
    "Oignons", "Échalotes", "Épinards", "Noix",     "Amandes",    "Crème",       "Lait",       "Beurre",
    "Œufs",    "Riz",       "Pâtes",    "Semoule",  "Sucre",      "Miel",        "Chocolat",   "Café",
    "Thé",     "Épices",    "Poivre",   "Sel",      "Olives",     "Câpres",      "Cornichons", "Citrons",
};
const char *const IngredientQualifiers[] = {
    "bio",   "du marché", "de Bretagne", "de Provence",  "d'Espagne", "surgelés",  "en conserve", "séchés",
    "fumés", "de saison", "extra",       "premier prix", "entiers",   "en poudre", "fins",        "de montagne",
};

template <std::size_t N> const char *Pick(std::mt19937 &Rng, const char *const (&Words)[N])
{
    return Words[std::uniform_int_distribution<std::size_t>(0, N - 1)(Rng)];
}

// A draw among weights given in percent (their sum is 100).
template <std::size_t N> int Weighted(std::mt19937 &Rng, const int (&Percent)[N])
{
    int R = std::uniform_int_distribution<int>(0, 99)(Rng);
    for (std::size_t I = 0; I < N; ++I) {
        if (R < Percent[I])
            return int(I);
        R -= Percent[I];
    }
    return int(N - 1);
}

bool Chance(std::mt19937 &Rng, int Percent)
{
    return std::uniform_int_distribution<int>(0, 99)(Rng) < Percent;
}

// A dish name of a dish type, case varied as people type them: mostly as written, some all
// lower case ("tarte fine aux pommes"), a few with a capital on every word.
QString DishName(std::mt19937 &Rng, int Type, int Attempt)
{
    QString Name;
    const bool Longer = Attempt > 20;
    switch (Type) {
    case 0:
        Name = QString::fromUtf8(Pick(Rng, EntreeBases)) + QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SaltedMains));
        if (Longer || Chance(Rng, 30))
            Name += QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SaltedSeconds));
        if (Longer || Chance(Rng, 40))
            Name += QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SaltedQualifiers));
        break;
    case 1:
        Name = QString::fromUtf8(Pick(Rng, PlatBases)) + QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SaltedMains));
        if (Longer || Chance(Rng, 30))
            Name += QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SaltedSeconds));
        if (Longer || Chance(Rng, 40))
            Name += QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SaltedQualifiers));
        break;
    case 2:
        Name = QString::fromUtf8(Pick(Rng, DessertBases)) + QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SweetMains));
        if (Longer || Chance(Rng, 35))
            Name += QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SweetSeconds));
        if (Longer || Chance(Rng, 45))
            Name += QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, SweetQualifiers));
        break;
    default:
        Name = QString::fromUtf8(Pick(Rng, BoissonBases)) + QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, DrinkMains));
        if (Longer || Chance(Rng, 50))
            Name += QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, DrinkSeconds));
        if (Longer || Chance(Rng, 50))
            Name += QLatin1Char(' ') + QString::fromUtf8(Pick(Rng, DrinkQualifiers));
        break;
    }
    // Past this many collisions the word lists are nearly used up for this type: a number
    // keeps the name unique, as a user does with a second version of a recipe.
    if (Attempt > 60)
        Name += QStringLiteral(" n°%1").arg(Attempt);
    const int Case = std::uniform_int_distribution<int>(0, 99)(Rng);
    if (Case < 12) {
        Name = Name.toLower();
    } else if (Case < 17) {
        const QStringList Words = Name.split(QLatin1Char(' '));
        QStringList Capitalised;
        for (const QString &Word : Words)
            Capitalised << (Word.isEmpty() ? Word : Word.left(1).toUpper() + Word.mid(1));
        Name = Capitalised.join(QLatin1Char(' '));
    }
    return Name;
}

// Names are unique in the base without regard to the case of A to Z; the generator is
// stricter and compares them in lower case.
class TNameMaker
{
public:
    QString Make(std::mt19937 &Rng, int Type)
    {
        for (int Attempt = 0;; ++Attempt) {
            QString Name = DishName(Rng, Type, Attempt);
            if (Used.insert(Name.toLower()).second)
                return Name;
        }
    }

private:
    std::set<QString> Used;
};

// ---- the database -------------------------------------------------------------------------

void Check(int Rc, sqlite3 *DB, const char *What)
{
    if (Rc != SQLITE_OK && Rc != SQLITE_DONE && Rc != SQLITE_ROW)
        throw std::runtime_error(std::string(What) + ": " + sqlite3_errmsg(DB));
}

class TInsert
{
public:
    TInsert(sqlite3 *ADB, const char *SQL) : DB(ADB)
    {
        sqlite3_stmt *Raw = nullptr;
        Check(sqlite3_prepare_v2(DB, SQL, -1, &Raw, nullptr), DB, SQL);
        Statement.reset(Raw);
    }
    TInsert &Int(int Index, qint64 Value)
    {
        sqlite3_bind_int64(Statement.get(), Index, Value);
        return *this;
    }
    TInsert &Float(int Index, double Value)
    {
        sqlite3_bind_double(Statement.get(), Index, Value);
        return *this;
    }
    TInsert &Text(int Index, const QByteArray &Value)
    {
        sqlite3_bind_text(Statement.get(), Index, Value.constData(), int(Value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    TInsert &Null(int Index)
    {
        sqlite3_bind_null(Statement.get(), Index);
        return *this;
    }
    void Run()
    {
        const int Rc = sqlite3_step(Statement.get());
        sqlite3_reset(Statement.get());
        sqlite3_clear_bindings(Statement.get());
        if (Rc != SQLITE_DONE)
            throw std::runtime_error(std::string("insert: ") + sqlite3_errmsg(DB));
    }

private:
    sqlite3 *DB;
    TSQLiteStatement Statement;
};

std::vector<qint64> Codes(TQlDatabase &DB, const QString &SQL)
{
    std::vector<qint64> Result;
    const auto Table = DB.GetTable(SQL);
    for (; !Table->Eof(); Table->Next())
        Result.push_back(Table->FieldAsInteger(0));
    return Result;
}

QByteArray Utf8(const QString &S)
{
    return S.toUtf8();
}

// A quantity that looks like the unit: grams by tens, spoons by halves, pieces whole.
double Quantity(std::mt19937 &Rng, const QString &UnitName)
{
    if (UnitName == QLatin1String("g"))
        return 10.0 * std::uniform_int_distribution<int>(2, 60)(Rng);
    if (UnitName == QLatin1String("ml") || UnitName == QLatin1String("cl"))
        return 5.0 * std::uniform_int_distribution<int>(1, 50)(Rng);
    if (UnitName.startsWith(QLatin1String("c. ")))
        return 0.5 * std::uniform_int_distribution<int>(1, 8)(Rng);
    return std::uniform_int_distribution<int>(1, 6)(Rng);
}

QString CacheKey(int RecipeCount)
{
    QCryptographicHash Hash(QCryptographicHash::Sha1);
    Hash.addData(KVXReadFileBytes(QStringLiteral(FENOLDA_DATA_DIR "/schema.sql")));
    Hash.addData(KVXReadFileBytes(QStringLiteral(FENOLDA_DATA_DIR "/starter.sql")));
    Hash.addData(QByteArray::number(GeneratorVersion));
    Hash.addData(QDate::currentDate().toString(Qt::ISODate).toLatin1());
    return QStringLiteral("bench-%1-%2.db3").arg(RecipeCount).arg(QString::fromLatin1(Hash.result().toHex().left(12)));
}

} // namespace

void BuildBenchDatabase(const QString &FileName, int RecipeCount)
{
    QFile::remove(FileName);
    TQlDatabase DB(FileName);
    sqlite3 *H = DB.Handle();
    DB.ExecScript(KVXReadFile(QStringLiteral(FENOLDA_DATA_DIR "/schema.sql")));
    DB.ExecScript(KVXReadFile(QStringLiteral(FENOLDA_DATA_DIR "/starter.sql")));
    // The starter's shelves, units, cookbooks and ingredients stay; its recipes go, so that
    // the base holds exactly the generated ones.
    DB.ExecSQL(QStringLiteral("delete from recette"));
    DB.ExecSQL(QStringLiteral("delete from sqlite_sequence where name='recette'"));

    // A throw-away file: no journal, no waiting for the disk. Every row is valid by
    // construction, so the foreign-key checks are left out while loading.
    DB.ExecSQL(QStringLiteral("PRAGMA foreign_keys = OFF"));
    DB.ExecScript(QStringLiteral("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA cache_size = -262144;"));

    std::mt19937 Rng(20260504u + unsigned(RecipeCount));
    TSQLiteTransaction Transaction(DB);

    // The indexes and triggers of the three big tables are set aside while loading and made
    // again afterwards, from their own text: an index built once is several times quicker
    // than one kept up row by row, and the change dates that the triggers would stamp are
    // written by the inserts themselves.
    std::vector<std::pair<QString, QString>> SetAside;
    {
        const auto Table = DB.GetTable(QStringLiteral(
            "select type, name, sql from sqlite_master where type in ('index', 'trigger') and sql is not null and "
            "tbl_name in ('recette', 'ingredients', 'historique')"));
        for (; !Table->Eof(); Table->Next())
            SetAside.emplace_back(Table->FieldAsString(QStringLiteral("type")) + QLatin1Char(' ') +
                                      Table->FieldAsString(QStringLiteral("name")),
                                  Table->FieldAsString(QStringLiteral("sql")));
    }
    for (const auto &Object : SetAside)
        DB.ExecSQL(QStringLiteral("drop ") + Object.first);
    const QByteArray Stamp = DB.GetTableString(QStringLiteral("select datetime('now', 'localtime')")).toUtf8();

    // Cookbooks: the starter's and a few more.
    {
        TInsert Livre(H, "INSERT INTO livre (name) VALUES (?)");
        const char *const Titles[] = {"Cuisine de bistrot", "Les desserts d'Élise",     "Recettes du potager",
                                      "Saveurs d'ailleurs", "Mes petits plats mijotés", "Le grand livre des tartes",
                                      "Cuisine express",    "Fêtes et réceptions"};
        for (const char *Title : Titles)
            Livre.Text(1, QByteArray(Title)).Run();
    }
    const std::vector<qint64> Livres = Codes(DB, QStringLiteral("select code from livre"));
    const std::vector<qint64> Rayons = Codes(DB, QStringLiteral("select code from rayon"));

    // Ingredients: the starter's and base x qualifier up to a few hundred.
    {
        TInsert Ingredient(H, "INSERT OR IGNORE INTO ingredient (name, raycode) VALUES (?, ?)");
        std::vector<QString> Extra;
        for (const char *Base : IngredientBases)
            for (const char *Qualifier : IngredientQualifiers)
                Extra.push_back(QString::fromUtf8(Base) + QLatin1Char(' ') + QString::fromUtf8(Qualifier));
        std::shuffle(Extra.begin(), Extra.end(), Rng);
        Extra.resize(260);
        for (const QString &Name : Extra) {
            Ingredient.Text(1, Utf8(Name));
            if (Chance(Rng, 6))
                Ingredient.Null(2);
            else
                Ingredient.Int(2, Rayons[std::uniform_int_distribution<std::size_t>(0, Rayons.size() - 1)(Rng)]);
            Ingredient.Run();
        }
    }
    const std::vector<qint64> Ingredients = Codes(DB, QStringLiteral("select code from ingredient"));
    std::vector<std::pair<qint64, QString>> Unites;
    {
        const auto Table = DB.GetTable(QStringLiteral("select code, name from unite"));
        for (; !Table->Eof(); Table->Next())
            Unites.emplace_back(Table->FieldAsInteger(0), Table->FieldAsString(QStringLiteral("name")));
    }

    // Recipes, in the starter's proportions: dish types 30/36/27/7 %, meals both/midi/soir
    // 78/7/15 %, seasons all/spring-summer/autumn-winter 56/27/17 %.
    TInsert Recette(H, "INSERT INTO recette (name, description, tprep, tcuisson, trepos, nbpers, repas, type_, saison, "
                       "livcode, page, link, inserted, updated) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?13, ?13)");
    TInsert Line(H, "INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note, inserted, updated) VALUES "
                    "(?, ?, ?, ?, ?, ?6, ?6)");
    static const int TypePercent[] = {30, 36, 27, 7};
    static const int RepasPercent[] = {78, 7, 15};
    static const int SaisonPercent[] = {56, 27, 17};
    static const int PersPercent[] = {10, 70, 15, 5};
    static const int PersValues[] = {2, 4, 6, 8};
    TNameMaker Names;
    std::vector<qint64> Chosen;
    for (int R = 0; R < RecipeCount; ++R) {
        const int Type = Weighted(Rng, TypePercent);
        const QString Name = Names.Make(Rng, Type);
        // A sentence of the dish's kind, sometimes after a general one.
        QString Description =
            QString::fromUtf8(Type >= 2 ? Pick(Rng, SweetDescriptions) : Pick(Rng, SaltedDescriptions));
        if (Chance(Rng, 50))
            Description = QString::fromUtf8(Pick(Rng, Descriptions)) + QLatin1Char(' ') + Description;
        Recette.Text(1, Utf8(Name)).Text(2, Utf8(Description));
        Recette.Int(3, 5 * std::uniform_int_distribution<int>(1, 9)(Rng));
        Recette.Int(4, Type == 3 ? 0 : 5 * std::uniform_int_distribution<int>(0, 24)(Rng));
        Recette.Int(5, Chance(Rng, 15) ? 30 * std::uniform_int_distribution<int>(1, 8)(Rng) : 0);
        Recette.Int(6, PersValues[Weighted(Rng, PersPercent)]);
        Recette.Int(7, Weighted(Rng, RepasPercent));
        Recette.Int(8, Type);
        Recette.Int(9, Weighted(Rng, SaisonPercent));
        if (Chance(Rng, 24)) {
            Recette.Int(10, Livres[std::uniform_int_distribution<std::size_t>(0, Livres.size() - 1)(Rng)]);
            Recette.Text(11, QByteArray::number(std::uniform_int_distribution<int>(5, 320)(Rng)));
        } else {
            Recette.Null(10).Null(11);
        }
        if (Chance(Rng, 15))
            Recette.Text(12, "https://www.fenolda.example/recettes/" + QByteArray::number(R + 1));
        else
            Recette.Null(12);
        Recette.Text(13, Stamp).Run();
        const qint64 Code = sqlite3_last_insert_rowid(H);

        // About eight lines, each ingredient once.
        const int LineCount = std::uniform_int_distribution<int>(5, 11)(Rng);
        Chosen.clear();
        while (int(Chosen.size()) < LineCount) {
            const qint64 Ing = Ingredients[std::uniform_int_distribution<std::size_t>(0, Ingredients.size() - 1)(Rng)];
            if (std::find(Chosen.begin(), Chosen.end(), Ing) == Chosen.end())
                Chosen.push_back(Ing);
        }
        for (const qint64 Ing : Chosen) {
            Line.Int(1, Code).Int(2, Ing);
            if (Chance(Rng, 15)) {
                Line.Float(3, std::uniform_int_distribution<int>(1, 4)(Rng)).Null(4);
            } else {
                const auto &Unite = Unites[std::uniform_int_distribution<std::size_t>(0, Unites.size() - 1)(Rng)];
                Line.Float(3, Quantity(Rng, Unite.second)).Int(4, Unite.first);
            }
            Line.Text(5, Chance(Rng, 20) ? QByteArray(Pick(Rng, Notes)) : QByteArray(""));
            Line.Text(6, Stamp).Run();
        }
    }

    // A year of menus up to today, about six recipes a day.
    {
        const std::vector<qint64> Recettes = Codes(DB, QStringLiteral("select code from recette"));
        TInsert Historique(H, "INSERT INTO historique (reccode, recdate) VALUES (?, ?)");
        const QDate Today = QDate::currentDate();
        for (int Day = 364; Day >= 0; --Day) {
            const QByteArray Date = Today.addDays(-Day).toString(Qt::ISODate).toLatin1();
            for (int I = 0; I < 6; ++I)
                Historique.Int(1, Recettes[std::uniform_int_distribution<std::size_t>(0, Recettes.size() - 1)(Rng)])
                    .Text(2, Date)
                    .Run();
        }
    }
    for (const auto &Object : SetAside)
        DB.ExecSQL(Object.second);
    Transaction.Commit();
    DB.ExecSQL(QStringLiteral("PRAGMA foreign_keys = ON"));
}

QString BenchDatabaseFile(int RecipeCount)
{
    const QDir Folder(QStringLiteral(FENOLDA_BENCH_CACHE_DIR));
    if (!Folder.mkpath(QStringLiteral(".")))
        throw std::runtime_error("cannot create " FENOLDA_BENCH_CACHE_DIR);
    const QString Name = CacheKey(RecipeCount);
    const QString File = Folder.filePath(Name);
    if (QFileInfo::exists(File))
        return File;
    // Files of an older schema or day for the same size are of no further use.
    for (const QString &Old :
         Folder.entryList({QStringLiteral("bench-%1-*.db3").arg(RecipeCount), QStringLiteral("*.part")}, QDir::Files))
        QFile::remove(Folder.filePath(Old));
    // Built beside and renamed, so an interrupted run never leaves half a base behind.
    const QString Part = File + QStringLiteral(".part");
    std::fprintf(stderr, "Generating a base of %d recipes... ", RecipeCount);
    QElapsedTimer Timer;
    Timer.start();
    BuildBenchDatabase(Part, RecipeCount);
    std::fprintf(stderr, "%.1f s\n", double(Timer.elapsed()) / 1000);
    if (!QFile::rename(Part, File))
        throw std::runtime_error("cannot rename the generated base");
    return File;
}

QString BenchDatabaseCopy(int RecipeCount, const QString &Folder)
{
    const QString Source = BenchDatabaseFile(RecipeCount);
    const QString Target = QDir(Folder).filePath(QStringLiteral("bench-%1.db3").arg(RecipeCount));
    QFile::remove(Target);
    if (!QFile::copy(Source, Target))
        throw std::runtime_error("cannot copy the generated base");
    return Target;
}

std::vector<QByteArray> BenchRecipeNames(int Count, unsigned Seed)
{
    std::mt19937 Rng(Seed);
    static const int TypePercent[] = {30, 36, 27, 7};
    TNameMaker Names;
    std::vector<QByteArray> Result;
    Result.reserve(std::size_t(Count));
    for (int I = 0; I < Count; ++I)
        Result.push_back(Names.Make(Rng, Weighted(Rng, TypePercent)).toUtf8());
    return Result;
}
